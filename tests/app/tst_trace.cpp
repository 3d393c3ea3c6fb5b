// SPDX-License-Identifier: GPL-3.0-or-later
// The trace, the table of values and the fit to the curves in the main window, held against
// the tool. The start field: 640 x 440, -10 .. 10 both ways; the column c at x = -10 + c*20/641.
#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include "clirunner.h"
#include "generalformat.h"
#include "localesep.h"
#include "tform1.h"
#include "tracer.h"
#include "tspinedit.h"
#include "valuetabledialog.h"
#include "windowtest.h"

using namespace kurvanto;
using kurvanto::testing::NamedChild;

class TestTrace : public kurvanto::testing::WindowTest {
    Q_OBJECT

  public:
    TestTrace() : WindowTest(QSize(1280, 1024), QLatin1Char(',')) {}

  private:
    static QString tool(const QString &args) { // what the tool prints
        return QString::fromStdString(
            kurvanto::testing::RunCliArgs(args.split(QLatin1Char(' '))).out);
    }

  private slots:
    void init() {
        WindowTest::init();
        QVERIFY(showActive());
    }

    // The point (2, 1) of x^2-3 lies at column 384.6, row 198.45; sin(x) runs 0.12 below it.
    void traceReadsTheEngineAndKeysMoveTheDot() {
        build(QStringLiteral("sin(x)"));
        build(QStringLiteral("x^2-3"));
        const QImage picture = form_->canvas().image();
        child<QAction>("N46")->trigger();
        QTest::mouseMove(child<QWidget>("Image1"), QPoint(385, 198));
        const auto *tracer = form_->findChild<Tracer *>();
        QCOMPARE(tracer->point()->build, std::size_t(1));
        const double x = tracer->point()->x, value = *tracer->point()->value;
        QCOMPARE(x, -10 + 385 * (20.0 / 641));
        QCOMPARE(tool(QStringLiteral("eval x^2-3 %1").arg(x, 0, 'g', 17)),
                 QStringLiteral("n %1\n").arg(value, 0, 'g', 17));
        QCOMPARE(child<QLabel>("Label4")->text(),
                 QString::fromStdString(FormatGeneral(value, ',')));
        QCOMPARE(form_->canvas().image(), picture); // the dot is not in the picture

        QWidget *image = child<QWidget>("Image1");
        image->setFocus();
        QTest::keyClick(image, Qt::Key_Right);
        QTest::keyClick(image, Qt::Key_Up);
        QCOMPARE(tracer->point()->build, std::size_t(0)); // Up from the last goes round
        QCOMPARE(*tracer->point()->value, std::sin(-10 + 386 * (20.0 / 641)));
        QCOMPARE(state_.XMin, -10.0); // no pan while tracing
        child<QAction>("N46")->trigger();
        QTest::keyClick(image, Qt::Key_Right);
        QCOMPARE(state_.XMin, -8.0);
    }

    void tableEqualsTheToolsAndIsSavedAndCopied() {
        build(QStringLiteral("x^2-3"));
        build(QStringLiteral("sqrt(x)"));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("table.csv"));
        QString csv, copied;
        ui_->onDialog = [&](QDialog &dialog) {
            auto *table = dynamic_cast<ValueTableDialog *>(&dialog);
            for (auto [box, text] :
                 {std::pair("SpinEditFrom", "-1"), {"SpinEditStep", "0.5"}, {"SpinEditCount", "5"}})
                NamedChild<TSpinEdit>(dialog, box)->setText(QString::fromLatin1(text));
            csv = QString::fromUtf8(table->csv());
            table->saveTo(path);
            dialog.show();
            dialog.activateWindow();
            if (QTest::qWaitForWindowActive(&dialog))
                QTest::keyClick(NamedChild<QTableWidget>(dialog, "ValueGrid"), Qt::Key_C,
                                Qt::ControlModifier);
            copied = QApplication::clipboard()->text();
            return int(QDialog::Rejected);
        };
        child<QAction>("N47")->trigger();
        QString fromTool =
            tool(QStringLiteral("table x^2-3 --also sqrt(x) --from -1 --step 0,5 --count 5"));
        fromTool.replace(QLatin1Char('\t'), QLatin1Char(',')).replace("m", "нет значения");
        QCOMPARE(csv, fromTool);
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(saved.readAll()), csv);
        QVERIFY2(copied.startsWith(QStringLiteral("x\tx^2-3\tsqrt(x)\n-1\t-2\tнет значения\n"
                                                  "-0,5\t-2,75\tнет значения\n")),
                 qPrintable(copied));
    }

    void fitIsOneStepThatUndoTakesBack() {
        build(QStringLiteral("sin(x)"));
        const int steps = form_->undoStack()->count();
        QTest::keyClick(child<QLineEdit>("Edit1"), Qt::Key_Y,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(std::fabs(state_.YMin + 1) < 0.05 && std::fabs(state_.YMax - 1) < 0.05);
        const ViewRanges fitted = CurrentView(state_);
        form_->zoomIn(); // a step of its own, not merged into the fit
        QCOMPARE(form_->undoStack()->count(), steps + 2);
        form_->undoStack()->undo();
        QVERIFY(CurrentView(state_) == fitted);
        form_->undoStack()->undo();
        QCOMPARE(state_.YMin, -10.0);
        form_->undoStack()->redo();
        form_->homeView();
        QCOMPARE(state_.YMax, 10.0);
    }
};

QTEST_MAIN(TestTrace)
#include "tst_trace.moc"
