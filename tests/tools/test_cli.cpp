// kurvanto-cli as a user's script sees it: standard output and error, exit codes, files.
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Result {
    int code = -1;
    std::string out, err;
};

Result RunCli(const QStringList &args) {
    QProcess process;
    process.start(QStringLiteral(KURVANTO_CLI), args);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

struct EngineCase {
    const char *name;
    QStringList args;
    int code;
    std::string out, err;
};

class EngineCommands : public ::testing::TestWithParam<EngineCase> {};

TEST_P(EngineCommands, PrintsTheContractedLines) {
    const EngineCase &c = GetParam();
    const Result r = RunCli(c.args);
    EXPECT_EQ(r.code, c.code);
    EXPECT_EQ(r.out, c.out);
    if (!c.err.empty()) {
        EXPECT_EQ(r.err, c.err);
    }
}

const QString kConversion = QStringLiteral("'2,,5' is not a valid floating point value.\n");

INSTANTIATE_TEST_SUITE_P(
    Cli, EngineCommands,
    ::testing::Values(
        EngineCase{"CheckAccepts", {"check", "sin(x)*2,5"}, 0, "n\n", ""},
        EngineCase{"CheckRefusesImplicitProduct", {"check", "2x"}, 0, "f\n", ""},
        EngineCase{"CheckCyrillic", {"check", "2х"}, 0, "f\n", ""},
        EngineCase{"EvalPowerLeftToRight", {"eval", "2^3^2", "0"}, 0, "n 64\n", ""},
        EngineCase{
            "EvalArcsinOffset", {"eval", "arcsin(x)", "0"}, 0, "n 0.00099999966666686679\n", ""},
        EngineCase{
            "EvalSeveralX", {"eval", "2*x+1", "3", "-3.5", "1e-3"}, 0, "n 7\nn -6\nn 1.002\n", ""},
        EngineCase{"EvalMathFailure", {"eval", "1/x", "0"}, 0, "m 1\n", ""},
        EngineCase{"EvalConversionError", {"eval", "2,,5", "0"}, 3, "", kConversion.toStdString()},
        EngineCase{"EvalMalformedX", {"eval", "x", "2,5"}, 2, "", ""},
        EngineCase{"EvalNoX", {"eval", "x"}, 2, "", ""},
        EngineCase{"CheckTwoFormulas", {"check", "x", "x"}, 2, "", ""},
        EngineCase{"UnknownCommand", {"draw", "x"}, 2, "", ""},
        EngineCase{"Nothing", {}, 2, "", ""}),
    [](const auto &param) { return std::string(param.param.name); });

TEST(Cli, HelpGoesToStandardOutput) {
    const Result r = RunCli({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("kurvanto-cli plot"), std::string::npos);
    EXPECT_NE(RunCli({"plot"}).err.find("kurvanto-cli plot"), std::string::npos);
}

TEST(Cli, EvalFirstFailureLetterWins) {
    const Result r = RunCli({"eval", "1/0+foo(x)", "0"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out.substr(0, 2), "f ");
}

class PlotCommand : public ::testing::Test {
  protected:
    QString Path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(PlotCommand, WritesA24BitBitmapOfTheParabola) {
    const QString file = Path("p.bmp");
    const Result r = RunCli({"plot", "x^2-3", "-o", file});
    ASSERT_EQ(r.code, 0) << r.err;
    QFile raw(file);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray header = raw.read(30);
    EXPECT_EQ(header.left(2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(header[28]), 24); // bits per pixel
    const QImage image(file);
    ASSERT_EQ(image.size(), QSize(640, 441));
    EXPECT_EQ(image.pixel(320, 1), qRgb(0, 0, 0));   // vertical axis
    EXPECT_EQ(image.pixel(1, 220), qRgb(0, 0, 0));   // horizontal axis
    EXPECT_EQ(image.pixel(320, 287), qRgb(0, 0, 0)); // vertex
}

TEST_F(PlotCommand, OptionsSetSizeColoursAndInterval) {
    const QString file = Path("o.PNG");
    const Result r = RunCli({"plot",
                             "x",
                             "-o",
                             file,
                             "--width",
                             "200",
                             "--height",
                             "100",
                             "--axes-color",
                             "ff0000",
                             "--graph-color",
                             "0000ff",
                             "--background",
                             "00ff00",
                             "--xmin",
                             "-5",
                             "--interval",
                             "0",
                             "5",
                             "--precision",
                             "3"});
    ASSERT_EQ(r.code, 0) << r.err;
    QFile raw(file);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_EQ(raw.read(4), QByteArray("\x89PNG"));
    const QImage image(file);
    ASSERT_EQ(image.size(), QSize(200, 101));
    EXPECT_EQ(image.pixel(2, 2), qRgb(0, 255, 0));
    const int axis = 5 * 201 / 15; // Trunc(5 / (15 / 201))
    EXPECT_EQ(image.pixel(axis, 90), qRgb(255, 0, 0));
    int blueLeftOfAxis = 0, blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == qRgb(0, 0, 255)) {
                ++blue;
                blueLeftOfAxis += x < axis;
            }
    EXPECT_GT(blue, 20);
    EXPECT_EQ(blueLeftOfAxis, 0); // the curve only on [0, 5]
}

struct FailureCase {
    const char *name;
    QStringList args; // the output path is appended
    int code;
    std::string err; // empty: the usage text
};

class PlotFailures : public PlotCommand, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(PlotFailures, ExitCodeMessageAndNoFile) {
    const FailureCase &c = GetParam();
    const QString file = Path("keep.bmp");
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    const Result r = RunCli(QStringList{"plot"} + c.args + QStringList{"-o", file});
    EXPECT_EQ(r.code, c.code);
    if (c.err.empty()) {
        EXPECT_NE(r.err.find("kurvanto-cli"), std::string::npos);
    } else {
        EXPECT_EQ(r.err, c.err);
    }
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old"); // the earlier file is neither replaced nor damaged
}

INSTANTIATE_TEST_SUITE_P(
    Cli, PlotFailures,
    ::testing::Values(
        FailureCase{"RefusedByTheChecker", {"2x"}, 1, "Ошибка в функции !!!\n"},
        FailureCase{"EmptyFormula", {""}, 1, "Ошибка в функции !!!\n"},
        FailureCase{"EmptyRange",
                    {"x", "--xmin", "0", "--xmax", "0"},
                    3,
                    "Invalid floating point operation.\n"},
        FailureCase{"HugeStartRow", {"10^300"}, 3, "Invalid floating point operation.\n"},
        FailureCase{"Conversion", {"2,,5"}, 3, "'2,,5' is not a valid floating point value.\n"},
        FailureCase{"ZeroWidth", {"x", "--width", "0"}, 2, ""},
        FailureCase{"ZeroHeight", {"x", "--height", "0"}, 2, ""},
        FailureCase{"ZeroPrecision", {"x", "--precision", "0"}, 2, ""},
        FailureCase{"BadColour", {"x", "--graph-color", "red"}, 2, ""},
        FailureCase{"BadReal", {"x", "--xmin", "-5,5"}, 2, ""},
        FailureCase{"IntervalOutsideTheRange", {"x", "--interval", "-20", "5"}, 2, ""},
        FailureCase{"MissingValue", {"x", "--width"}, 2, ""},
        FailureCase{"TwoFormulas", {"x", "x"}, 2, ""}),
    [](const auto &param) { return std::string(param.param.name); });

TEST_F(PlotCommand, NeedsAnOutputFile) {
    EXPECT_EQ(RunCli({"plot", "x"}).code, 2);
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
