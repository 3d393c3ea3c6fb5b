// SPDX-License-Identifier: GPL-3.0-or-later
// kurvanto-cli as a user's script sees it: standard output and error, exit codes.
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <regex>

#include "clirunner.h"
#include "files.h"

namespace {

using kurvanto::testing::Result;
using kurvanto::testing::RunCli;
using Args = std::vector<std::string>;

const std::string kPosition = "^позиция [0-9]+: .+\n$"; // one line: where and why

struct EngineCase {
    const char *name;
    Args args;
    int code;
    std::string out;
    std::string err; // a regular expression for the whole of standard error
};

class EngineCommands : public ::testing::TestWithParam<EngineCase> {};

TEST_P(EngineCommands, PrintsTheContractedLines) {
    const EngineCase &c = GetParam();
    const Result r = RunCli(c.args);
    EXPECT_EQ(r.code, c.code);
    EXPECT_EQ(r.out, c.out);
    EXPECT_TRUE(std::regex_match(r.err, std::regex(c.err))) << r.err;
}

// "x+x+...": `count` characters, accepted when count is odd.
std::string Sum(int count) {
    std::string text = "x";
    while (static_cast<int>(text.size()) < count)
        text += "+x";
    return text.substr(0, static_cast<std::size_t>(count));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, EngineCommands,
    ::testing::Values(
        EngineCase{"CheckAccepts", {"check", "sin(x)*2,5"}, 0, "n\n", ""},
        EngineCase{"CheckMissingOperand", {"check", "x+"}, 1, "f\n", kPosition},
        EngineCase{"CheckMissingClosingAtTheEnd", {"check", "sin(x"}, 0, "n\n", ""},
        EngineCase{"CheckImplicitProduct", {"check", "2x"}, 1, "f\n", kPosition},
        EngineCase{"CheckCyrillicX", {"check", "2*х"}, 1, "f\n", kPosition},
        EngineCase{"CheckUnknownName", {"check", "sinx"}, 1, "f\n", kPosition},
        EngineCase{"CheckTrailingText", {"check", "x)+5"}, 1, "f\n", kPosition},
        EngineCase{"CheckEmpty", {"check", ""}, 1, "f\n", kPosition},
        EngineCase{"CheckConversion",
                   {"check", "2,,5"},
                   1,
                   "f\n",
                   "позиция 1: '2,,5' is not a valid floating point value\n"},
        EngineCase{"CheckConversionInsideAFunction",
                   {"check", "sin(1,,)"},
                   1,
                   "f\n",
                   "позиция 5: '1,,' is not a valid floating point value\n"},
        EngineCase{"CheckEightyCharacters", {"check", "11" + Sum(79).substr(1)}, 0, "n\n", ""},
        EngineCase{"CheckEightyOneCharacters",
                   {"check", Sum(81)},
                   1,
                   "f\n",
                   "позиция 81: формула длиннее 80 символов [(]в ней 81[)]\n"},
        EngineCase{"CheckEightyOneWithCyrillic",
                   {"check", Sum(79) + "+х"},
                   1,
                   "f\n",
                   "позиция 81: .*80 символов.*\n"},
        EngineCase{"EvalRefusedPrintsNothing", {"eval", "3x^2", "1"}, 1, "", kPosition},
        EngineCase{"EvalNoValueIsAloneOnItsLine", {"eval", "1/x", "0", "1"}, 0, "m\nn 1\n", ""},
        EngineCase{
            "EvalSeveralX", {"eval", "2*x+1", "3", "-3.5", "1e-3"}, 0, "n 7\nn -6\nn 1.002\n", ""},
        EngineCase{"EvalSquareRoot", {"eval", "sqrt(x)", "-1", "4"}, 0, "m\nn 2\n", ""},
        EngineCase{"EvalSeventeenDigits",
                   {"eval", "arcsin(x)", "0", "0.5", "1", "2"},
                   0,
                   "n 0\nn 0.52359877559829893\nn 1.5707963267948966\nm\n",
                   ""},
        EngineCase{"EvalDecimalComma", {"eval", "x", "2,5", "-0,5"}, 0, "n 2.5\nn -0.5\n", ""},
        EngineCase{"CheckNoteOnANegatedBase",
                   {"check", "-x^2"},
                   0,
                   "n\n",
                   "позиция 1: замечание: «-x\\^2» читается как [(]-x[)]\\^2; .*-[(]x\\^2[)]\n"},
        EngineCase{"RawCheckHasNoNote", {"check", "--raw", "-x^2"}, 0, "n\n", ""},
        EngineCase{"OptionAfterTheDashedFormula", {"check", "--", "--x", "--raw"}, 0, "n\n", ""},
        EngineCase{"EvalConversion",
                   {"eval", "x+1,2,3", "0"},
                   1,
                   "",
                   "позиция 3: '1,2,3' is not a valid floating point value\n"},
        EngineCase{"EvalTooLong", {"eval", Sum(81), "0"}, 1, "", "позиция 81: .*80.*\n"},
        EngineCase{"EvalUnknownNameAfterAFailure", {"eval", "1/0+foo(x)", "0"}, 1, "", kPosition},
        EngineCase{"EvalFormulaAfterDoubleDash", {"eval", "--", "--raw", "0"}, 1, "", kPosition},
        EngineCase{"RawCheckCutsAt80", {"check", "--raw", Sum(79) + "+2x"}, 0, "n\n", ""},
        EngineCase{"RawEvalCarriesTheValue", {"eval", "--raw", "1/x", "0"}, 0, "m 1\n", ""},
        EngineCase{"Version", {"--version"}, 0, "kurvanto-cli " KURVANTO_VERSION "\n", ""}),
    [](const auto &param) { return std::string(param.param.name); });

// --raw gives exactly what check and eval printed before formulas were judged whole: the
// engine's own cases, recorded from the tool of that time.
struct RawCase {
    std::string name;
    Args args;
    int code;
    std::string out, err;
};

std::vector<RawCase> LoadRawCases() {
    std::vector<RawCase> cases;
    QFile file(QStringLiteral(RAW_OUTPUTS));
    if (!file.open(QIODevice::ReadOnly))
        return cases;
    while (!file.atEnd()) {
        const QJsonObject record = QJsonDocument::fromJson(file.readLine()).object();
        RawCase c;
        for (const QJsonValue &arg : record.value(QStringLiteral("args")).toArray())
            c.args.push_back(arg.toString().toStdString());
        c.args.insert(c.args.begin() + 1, "--raw");
        c.code = record.value(QStringLiteral("code")).toInt();
        c.out = record.value(QStringLiteral("out")).toString().toStdString();
        c.err = record.value(QStringLiteral("err")).toString().toStdString();
        c.name = "Case" + std::to_string(cases.size()) + "_" + c.args[0];
        cases.push_back(c);
    }
    return cases;
}

class RawCommands : public ::testing::TestWithParam<RawCase> {};

TEST_P(RawCommands, PrintWhatTheToolPrintedBefore) {
    const RawCase &c = GetParam();
    const Result r = RunCli(c.args);
    EXPECT_EQ(r.code, c.code);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
}

TEST(RawCommandsTable, IsThere) {
    EXPECT_GT(LoadRawCases().size(), 200u);
}

INSTANTIATE_TEST_SUITE_P(Cli, RawCommands, ::testing::ValuesIn(LoadRawCases()),
                         [](const auto &param) { return param.param.name; });

// A malformed command line: one line on standard error naming what is wrong and pointing
// to --help; nothing on standard output; exit 2.
struct UsageCase {
    const char *name;
    Args args;
    std::string names; // what the line must contain
};

class UsageErrors : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrors, OneLineNamingTheFault) {
    const UsageCase &c = GetParam();
    const Result r = RunCli(c.args);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.names), std::string::npos) << r.err;
    EXPECT_TRUE(std::regex_match(r.err, std::regex("kurvanto-cli: [^\n]+ \\(см\\. kurvanto-cli "
                                                   "--help\\)\n")))
        << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, UsageErrors,
    ::testing::Values(
        UsageCase{"ZeroWidth",
                  {"plot", "x", "--width", "0", "-o", "a.bmp"},
                  "--width 0: ширина должна быть от 1 до 10000"},
        UsageCase{"WidthBeyondTheLimit",
                  {"plot", "x", "--width", "10001", "-o", "a.bmp"},
                  "--width 10001"},
        UsageCase{"PrecisionBeyondTheLimit",
                  {"plot", "x", "--precision", "1001", "-o", "a.bmp"},
                  "--precision 1001: точек на столбец должно быть от 1 до 1000"},
        UsageCase{
            "PrecisionZero", {"plot", "x", "--precision", "0", "-o", "a.bmp"}, "--precision 0"},
        UsageCase{"PrecisionHuge",
                  {"plot", "x", "--precision", "1000000", "-o", "a.bmp"},
                  "--precision 1000000"},
        UsageCase{"UnknownExtension", {"plot", "x", "-o", "a.xyz"}, "-o a.xyz"},
        UsageCase{"UnknownExtensionNamesTheFormats", {"plot", "x", "-o", "a.gif"}, ".jpeg"},
        UsageCase{"DoubleExtension", {"plot", "x", "-o", "a.bmp.gz"}, "«.gz»"},
        UsageCase{"UnknownFormat", {"plot", "x", "--format", "gif", "-o", "a.bmp"}, "--format gif"},
        UsageCase{"MalformedReal", {"plot", "x", "--xmin", "-5,,5", "-o", "a.bmp"}, "--xmin -5,,5"},
        UsageCase{"UnknownOption",
                  {"plot", "x", "--color", "red", "-o", "a.bmp"},
                  "неизвестный параметр «--color»"},
        UsageCase{"UnknownOptionBeforeTheFormula",
                  {"plot", "--grid=yes", "x", "-o", "a.bmp"},
                  "неизвестный параметр «--grid=yes»"},
        UsageCase{"CheckUnknownOption", {"check", "x", "--rav"}, "неизвестный параметр «--rav»"},
        UsageCase{"ReversedXRange",
                  {"plot", "x", "--xmin", "5", "--xmax", "2", "-o", "a.bmp"},
                  "--xmin 5 --xmax 2: xmin должен быть меньше xmax"},
        UsageCase{"EmptyYRange",
                  {"plot", "x", "--ymin", "0,5", "--ymax", "0.5", "-o", "a.bmp"},
                  "--ymin 0.5 --ymax 0.5: ymin должен быть меньше ymax"},
        UsageCase{"ReversedInterval",
                  {"plot", "x", "--interval", "3", "-2", "-o", "a.bmp"},
                  "--interval 3 -2: начало отрезка должно быть меньше конца"},
        UsageCase{"MalformedColour",
                  {"plot", "x", "--graph-color", "red", "-o", "a.bmp"},
                  "--graph-color red"},
        UsageCase{"IntervalOutsideTheRange",
                  {"plot", "x", "--interval", "-20", "5", "-o", "a.bmp"},
                  "--interval -20 5"},
        UsageCase{"MissingValue", {"plot", "x", "-o", "a.bmp", "--tick", "1"}, "--tick"},
        UsageCase{"EmptyOutputName", {"plot", "x", "-o", ""}, "-o ''"},
        UsageCase{"NoOutput", {"plot", "x"}, "-o"},
        UsageCase{"NoFormula", {"plot", "-o", "a.bmp"}, "формул"},
        UsageCase{"TwoFormulas", {"plot", "x", "y", "-o", "a.bmp"}, "«y»"},
        UsageCase{"EvalMalformedX", {"eval", "x", "2,,5"}, "2,,5"},
        UsageCase{"EvalNoX", {"eval", "x"}, "eval"},
        UsageCase{"EvalRawNoX", {"eval", "--raw", "x"}, "eval"},
        UsageCase{"CheckTwoFormulas", {"check", "x", "y"}, "«y»"},
        UsageCase{"CheckNothing", {"check"}, "check"},
        UsageCase{"UnknownCommand", {"draw", "x"}, "draw"},
        UsageCase{"VersionWithAnArgument", {"--version", "x"}, "«x»"},
        UsageCase{
            "ValueWithALineBreak", {"plot", "x", "--xmin", "1\n2", "-o", "a.bmp"}, "--xmin 1?2"},
        UsageCase{"Nothing", {}, "команд"}),
    [](const auto &param) { return std::string(param.param.name); });

// Lines that never reach standard output are a failure, not a success.
std::string FullOutputCaseName(const ::testing::TestParamInfo<Args> &info) {
    static const char *const kNames[] = {"Check", "Eval", "EvalRaw", "Help", "Plot"};
    return kNames[info.index];
}

class FullStandardOutput : public ::testing::TestWithParam<Args> {};

TEST_P(FullStandardOutput, ExitThree) {
    kurvanto::testing::RunOptions options;
    options.outputTo = "/dev/full";
    const Result r = RunCli(GetParam(), options);
    EXPECT_EQ(r.code, 3);
    EXPECT_NE(r.err.find("стандартный вывод"), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(Cli, FullStandardOutput,
                         ::testing::Values(Args{"check", "x"}, Args{"eval", "x", "1"},
                                           Args{"eval", "--raw", "x", "1"}, Args{"--help"},
                                           Args{"plot", "x", "-o", "-"}),
                         FullOutputCaseName);

TEST(Cli, HelpGoesToStandardOutputAndNamesEveryFormat) {
    const Result r = RunCli({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    for (const char *word :
         {"kurvanto-cli plot", "--raw", "--format", "--precision N", ".jpeg", "--version", "130"})
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
