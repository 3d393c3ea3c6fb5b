// SPDX-License-Identifier: GPL-3.0-or-later
// kurvanto-cli plot without the field's options draws what it drew before they came: each
// command line of reference/cases.tsv against the BMP hash and the PNG written then.
#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "clirunner.h"
#include "files.h"

namespace {

struct ReferenceCase {
    std::string name;
    std::vector<std::string> args;
};

void PrintTo(const ReferenceCase &c, std::ostream *os) {
    *os << c.name;
}

std::string Reference(const std::string &file) {
    return std::string(REFERENCE_DIR) + "/" + file;
}

// One case a line: its name, then the arguments after "plot", separated by tabs.
std::vector<ReferenceCase> ReadCases() {
    std::vector<ReferenceCase> cases;
    std::ifstream in(Reference("cases.tsv"));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        ReferenceCase c;
        std::getline(fields, c.name, '\t');
        for (std::string arg; std::getline(fields, arg, '\t');)
            c.args.push_back(arg);
        if (!c.name.empty())
            cases.push_back(c);
    }
    return cases;
}

// "HASH  NAME.bmp" lines, as sha256sum writes them.
std::map<std::string, std::string> ReadHashes() {
    std::map<std::string, std::string> hashes;
    std::ifstream in(Reference("sha256.txt"));
    std::string hash, file;
    while (in >> hash >> file)
        hashes[file] = hash;
    return hashes;
}

class ReferencePictures : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(ReferencePictures, SameBytesAndPixelsAsBefore) {
    const ReferenceCase &c = GetParam();
    QTemporaryDir dir;
    const QString bmp = dir.filePath(QString::fromStdString(c.name + ".bmp"));
    std::vector<std::string> args{"plot"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.insert(args.end(), {"-o", bmp.toStdString()});
    const kurvanto::testing::Result r = kurvanto::testing::RunCli(args);
    ASSERT_EQ(r.code, 0) << r.err;

    const QByteArray bytes = kurvanto::testing::ReadAll(bmp);
    ASSERT_FALSE(bytes.isEmpty());
    const std::string hash =
        QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
    const auto hashes = ReadHashes();
    ASSERT_EQ(hashes.count(c.name + ".bmp"), 1u);
    EXPECT_EQ(hash, hashes.at(c.name + ".bmp")) << "the BMP file's bytes";

    const QImage now = QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32);
    const QImage before = QImage(QString::fromStdString(Reference(c.name + ".png")))
                              .convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(before.isNull());
    ASSERT_EQ(now.size(), before.size());
    int differing = 0;
    for (int y = 0; y < now.height(); ++y)
        for (int x = 0; x < now.width(); ++x)
            differing += now.pixel(x, y) != before.pixel(x, y);
    EXPECT_EQ(differing, 0) << "pixels unlike the reference picture";
}

INSTANTIATE_TEST_SUITE_P(Cli, ReferencePictures, ::testing::ValuesIn(ReadCases()),
                         [](const auto &row) { return row.param.name; });

TEST(ReferenceTable, HasEveryCase) {
    EXPECT_GE(ReadCases().size(), 20u);
    EXPECT_EQ(ReadCases().size(), ReadHashes().size());
}

} // namespace
