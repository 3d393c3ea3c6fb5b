// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's memory over many builds: nothing piles up from one build to the next,
// neither objects under the window, nor heap, nor resident memory. Under the address sanitizer
// the leak check at exit covers what is lost outright.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>
#include <fstream>
#include <malloc.h>
#include <string>

#include "tform1.h"
#include "uiseam.h"
#include "windowtest.h"

#if defined(__SANITIZE_ADDRESS__)
#define KURVANTO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KURVANTO_ASAN 1
#endif
#endif
#ifdef KURVANTO_ASAN
// From the sanitizer's run-time library (not every compiler ships its header).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

using namespace kurvanto;

namespace {

// 80 characters, the formula box's limit.
const QString kLongFormula = QStringLiteral(
    "sin(x)*cos(x/2)+sqrt(abs(x))-ln(x^2+1)+arctg(x)*2,25-lg(abs(x)+1)/3+frac(x)*e-pi");

constexpr int kWarmUpBuilds = 20; // caches of fonts, glyphs and the picture fill up here
constexpr qint64 kHeapNoise = 64 * 1024;
constexpr qint64 kResidentNoise = 4 * 1024 * 1024;

// Bytes the program holds on the heap right now (the sanitizer's count under it, which leaves
// out its quarantine of freed blocks).
qint64 LiveHeapBytes() {
#ifdef KURVANTO_ASAN
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
#endif
}

// The resident set in bytes, from /proc/self/status; 0 when it cannot be read.
qint64 ResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string name;
    while (status >> name) {
        if (name == "VmRSS:") {
            qint64 kib = 0;
            status >> kib;
            return kib * 1024;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

} // namespace

class TestMemory : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { kurvanto::testing::UseTestSettings(); }
    void cleanup() {
        SetMessageHook(nullptr);
        SetDialogHook(nullptr);
    }

    void repeatedBuilds_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("precision");
        QTest::addColumn<int>("builds");
        QTest::addColumn<QString>("between"); // what else happens on each round
        QTest::addColumn<bool>("plotted");
        QTest::addColumn<bool>("reported"); // each build ends in the general error report

        // The heaviest build the properties dialog allows, over and over on one picture.
        QTest::newRow("80 characters, precision 100")
            << kLongFormula << 100 << 60 << "nothing" << true << false;
        QTest::newRow("80 characters, cleared after each build")
            << kLongFormula << 10 << 300 << "clear" << true << false;
        // A dialog made and destroyed on every build.
        QTest::newRow("interval mode, dialog answered")
            << kLongFormula << 10 << 200 << "interval" << true << false;
        // The build ends by an exception thrown deep in the engine.
        QTest::newRow("malformed number, error report")
            << QStringLiteral("x+2,,5") << 1 << 300 << "nothing" << false << true;
        // The check refuses and the error label comes up.
        QTest::newRow("malformed formula, error label")
            << QStringLiteral("2x") << 1 << 300 << "nothing" << false << false;
    }
    void repeatedBuilds() {
        QFETCH(QString, formula);
        QFETCH(int, precision);
        QFETCH(int, builds);
        QFETCH(QString, between);
        QFETCH(bool, plotted);
        QFETCH(bool, reported);

        int messages = 0;
        QString lastMessage;
        SetMessageHook([&](const QString &text, QMessageBox::Icon) {
            ++messages;
            lastMessage = text;
        });
        SetDialogHook([](QDialog &) { return int(QDialog::Rejected); });

        PlotState state;
        TForm1 form(state, [] { return QSize(1280, 1024); });
        // Undo keeps the last steps by design (100 in use); a short history is full after the
        // warm-up, so that what grows after it is a leak.
        form.undoStack()->setUndoLimit(kWarmUpBuilds / 4);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        state.Precision = precision;
        if (between == QLatin1String("interval")) {
            form.N19Click();
            SetDialogHook([&state](QDialog &) {
                state.IntervalFrom = -3;
                state.IntervalTo = 4;
                return int(QDialog::Accepted);
            });
        }
        auto *edit = form.findChild<QLineEdit *>(QStringLiteral("Edit1"));
        edit->setText(formula);
        QCOMPARE(edit->text(), formula); // all of it fits the box
        auto *build = form.findChild<QToolButton *>(QStringLiteral("SpeedButton4"));
        auto *clear = form.findChild<QToolButton *>(QStringLiteral("SpeedButton5"));
        QVERIFY(build && clear);

        auto round = [&] {
            build->click();
            if (between == QLatin1String("clear"))
                clear->click();
            QCoreApplication::processEvents(); // the picture is painted
        };
        for (int i = 0; i < kWarmUpBuilds; ++i)
            round();
        const int objects = form.findChildren<QObject *>().size();
        const qint64 heap = LiveHeapBytes();
        const qint64 resident = ResidentBytes();

        for (int i = kWarmUpBuilds; i < builds; ++i)
            round();

        const qint64 heapGrowth = LiveHeapBytes() - heap;
        const qint64 residentGrowth = ResidentBytes() - resident;
        qInfo("%d builds: heap %+lld bytes, resident %+lld KiB", builds - kWarmUpBuilds, heapGrowth,
              residentGrowth / 1024);
        QCOMPARE(form.findChildren<QObject *>().size(), objects);
        QVERIFY2(heapGrowth < kHeapNoise, qPrintable(QString::number(heapGrowth)));
#ifndef KURVANTO_ASAN
        // The sanitizer keeps freed blocks aside for a while, which shows as resident memory.
        QVERIFY2(residentGrowth < kResidentNoise, qPrintable(QString::number(residentGrowth)));
#endif
        QCOMPARE(state.GraphPresent, std::uint8_t(plotted && between != QLatin1String("clear")));
        QCOMPARE(messages, reported ? builds : 0);
        QCOMPARE(form.findChild<QLabel *>(QStringLiteral("Label2"))->isVisible(),
                 !plotted && !reported);
        if (reported)
            QCOMPARE(lastMessage, QStringLiteral("'2,,5' is not a valid floating point value."));
    }
};

QTEST_MAIN(TestMemory)
#include "tst_memory.moc"
