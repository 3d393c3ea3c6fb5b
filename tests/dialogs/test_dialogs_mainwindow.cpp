// SPDX-License-Identifier: GPL-3.0-or-later
// The properties and interval dialogs as the main window runs them: a new field size
// re-sizes the drawing panel and picture, "OK" clears the field through the main window's
// clear button, and interval mode draws the curve on the chosen part of x only.
#include <QColorDialog>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

#include "localesep.h"
#include "rounding.h"
#include "tform1.h"
#include "tform2.h"
#include "tform6.h"
#include "tspinedit.h"
#include "typing.h"
#include "uiseam.h"
#include "windowtest.h"

using namespace kurvanto;

namespace {

using Typing = QList<QPair<QString, QString>>; // box name, text typed into it

void TypeAll(QDialog &dialog, const Typing &typing) {
    for (const auto &[name, text] : typing) {
        auto *edit = dialog.findChild<TSpinEdit *>(name);
        QVERIFY(edit);
        kurvanto::testing::typeInto(edit, text);
    }
}

// Answers every modal dialog as a user would: the colour chooser picks `color`; the
// properties and interval dialogs are shown, typed into and confirmed with the mouse.
void answerDialogs(const Typing &typing, const QColor &color = Qt::black) {
    SetDialogHook([typing, color](QDialog &dialog) {
        if (auto *chooser = qobject_cast<QColorDialog *>(&dialog)) {
            chooser->setCurrentColor(color);
            return int(QDialog::Accepted);
        }
        dialog.show();
        if (!QTest::qWaitForWindowActive(&dialog))
            return int(QDialog::Rejected);
        TypeAll(dialog, typing);
        if (auto *colorButton = dialog.findChild<QWidget *>("SpeedButton2"))
            QTest::mouseClick(colorButton, Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<QPushButton *>("Button1"), Qt::LeftButton);
        if (dialog.isVisible())
            dialog.reject();
        return dialog.result();
    });
}

// The picture columns that hold a pixel of the given colour: first and last, -1 if none.
QPair<int, int> columnsWith(const QImage &image, QRgb color) {
    QPair<int, int> span(-1, -1);
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) == color) {
                if (span.first < 0)
                    span.first = x;
                span.second = x;
                break;
            }
        }
    }
    return span;
}

} // namespace

class TestDialogsMainWindow : public kurvanto::testing::WindowTest {
    Q_OBJECT

  public:
    TestDialogsMainWindow() : WindowTest(QSize(1280, 1024), QLatin1Char(',')) {}

  private slots:
    void init();
    void cleanup();
    void newFieldSizeClearsAndResizes();
    void intervalModePlotsOnlyTheInterval();
};

void TestDialogsMainWindow::init() {
    WindowTest::init();
    QVERIFY(showActive());
}

void TestDialogsMainWindow::cleanup() {
    const QStringList messages = ui_->messages;
    WindowTest::cleanup();
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join('|')));
}

void TestDialogsMainWindow::newFieldSizeClearsAndResizes() {
    form_->findChild<QLineEdit *>("Edit1")->setText("sin(x)*5");
    form_->SpeedButton4Click();
    QCOMPARE(state_.GraphPresent, std::uint8_t(1));

    answerDialogs({{"SpinEdit1", "400"}, {"SpinEdit2", "300"}});
    form_->SpeedButton3Click();
    QCOMPARE(state_.FieldWidth, 400);
    QCOMPARE(state_.FieldHeight, 300);
    QCOMPARE(state_.GraphPresent, std::uint8_t(0)); // "OK" pressed the clear button
    QVERIFY(form_->canvas().isEmpty());
    QCOMPARE(form_->findChild<QFrame *>("Panel1")->size(), QSize(416, 316));
    QCOMPARE(form_->findChild<QWidget *>("Image1")->size(), QSize(400, 301));

    form_->SpeedButton4Click();
    QCOMPARE(form_->canvas().image().size(), QSize(400, 301));
}

void TestDialogsMainWindow::intervalModePlotsOnlyTheInterval() {
    // A red curve and a y range that holds the parabola over the whole of [2, 5].
    answerDialogs({{"SpinEdit6", "25"}}, Qt::red);
    form_->SpeedButton3Click();
    QCOMPARE(state_.YMax, 25.0);
    QCOMPARE(state_.GraphColor, TColor(0x0000FF));

    form_->N19Click();
    QCOMPARE(state_.IntervalMode, std::uint8_t(1));
    form_->findChild<QLineEdit *>("Edit1")->setText("x^2-3");
    answerDialogs({{"SpinEdit1", "2"}, {"SpinEdit2", "5"}});
    form_->SpeedButton4Click();
    QCOMPARE(state_.IntervalFrom, 2.0);
    QCOMPARE(state_.IntervalTo, 5.0);
    QCOMPARE(state_.GraphPresent, std::uint8_t(1));

    const auto column = [this](double x) {
        return Round((x - state_.XMin) / state_.XUnitsPerPixel);
    };
    const QPair<int, int> red = columnsWith(form_->canvas().image(), qRgb(255, 0, 0));
    QVERIFY(red.first >= 0);
    QVERIFY2(qAbs(red.first - column(2)) <= 1, qPrintable(QString::number(red.first)));
    QVERIFY2(qAbs(red.second - column(5)) <= 1, qPrintable(QString::number(red.second)));
}

QTEST_MAIN(TestDialogsMainWindow)
#include "test_dialogs_mainwindow.moc"
