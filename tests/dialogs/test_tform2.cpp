// SPDX-License-Identifier: GPL-3.0-or-later
// The graph properties dialog: what activation, the change handlers, the colour buttons and
// "OK" leave in the plot state.
#include <QColorDialog>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "localesep.h"
#include "tform2.h"
#include "tspinedit.h"
#include "typing.h"
#include "uiseam.h"

using namespace kurvanto;
using testing::spin;
using testing::typeInto;

namespace {

// The remembered value that a box's change handler writes (the precision re-stores the width).
double remembered(const PlotState &s, const QString &edit) {
    if (edit == "SpinEdit2")
        return s.DialogHeight;
    if (edit == "SpinEdit3")
        return s.DialogXMin;
    if (edit == "SpinEdit4")
        return s.DialogYMin;
    if (edit == "SpinEdit5")
        return s.DialogXMax;
    if (edit == "SpinEdit6")
        return s.DialogYMax;
    return s.DialogWidth;
}

// The setting that "OK" writes from a box.
double applied(const PlotState &s, const QString &edit) {
    if (edit == "SpinEdit1")
        return s.FieldWidth;
    if (edit == "SpinEdit2")
        return s.FieldHeight;
    if (edit == "SpinEdit3")
        return s.XMin;
    if (edit == "SpinEdit4")
        return s.YMin;
    if (edit == "SpinEdit5")
        return s.XMax;
    if (edit == "SpinEdit6")
        return s.YMax;
    return s.Precision;
}

} // namespace

class TestTForm2 : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { SetLocaleDecimalSeparator(QLatin1Char(',')); }
    void init();
    void cleanup();
    void windowAndFocusOrder();
    void untouchedOk_data();
    void untouchedOk();
    void typedNumber_data();
    void typedNumber();
    void fractionShownWholeNextTime();
    void rangeInForceBeyondABound();
    void closeKeepsMemoryOnly_data();
    void closeKeepsMemoryOnly();
    void okTakesFocus_data();
    void okTakesFocus();
    void colourButtons_data();
    void colourButtons();
    void chooserPreset();

  private:
    // Opens a fresh dialog over the state and waits until it has the focus.
    std::unique_ptr<TForm2> open();
    static void pressOk(QDialog &dialog);

    PlotState state_;
    int clears_ = 0;
    QStringList messages_;
};

void TestTForm2::init() {
    state_ = PlotState{};
    SetStartValues(state_);
    clears_ = 0;
    messages_.clear();
    SetMessageHook([this](const QString &text, QMessageBox::Icon) { messages_ << text; });
    SetDialogHook(nullptr);
}

void TestTForm2::cleanup() {
    SetDialogHook(nullptr);
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('|')));
}

std::unique_ptr<TForm2> TestTForm2::open() {
    auto dialog = std::make_unique<TForm2>(state_);
    // The main window's clear-field command: empties the picture, clear stays pending.
    dialog->setClearCommand([this] {
        ++clears_;
        state_.GraphPresent = 0;
        state_.ClearPending = 1;
    });
    dialog->show();
    if (!QTest::qWaitForWindowActive(dialog.get()))
        return nullptr;
    return dialog;
}

void TestTForm2::pressOk(QDialog &dialog) {
    QTest::mouseClick(dialog.findChild<QPushButton *>("Button1"), Qt::LeftButton);
}

void TestTForm2::windowAndFocusOrder() {
    auto dialog = open();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QString("Свойства графика"));
    QCOMPARE(dialog->size(), QSize(555, 286));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    const Qt::WindowFlags flags = dialog->windowFlags();
    QVERIFY(flags & Qt::WindowStaysOnTopHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                       Qt::WindowContextHelpButtonHint)));

    // Tab walks width, height, MIN X, MIN Y, MAX X, MAX Y, OK, precision, the three colour
    // buttons and back.
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("SpinEdit1"));
    const QStringList order{"SpinEdit2",    "SpinEdit3",    "SpinEdit4", "SpinEdit5",
                            "SpinEdit6",    "Button1",      "SpinEdit7", "SpeedButton1",
                            "SpeedButton2", "SpeedButton3", "SpinEdit1"};
    for (const QString &name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
}

void TestTForm2::untouchedOk_data() {
    QTest::addColumn<bool>("graphCleared");
    QTest::addColumn<int>("width");
    QTest::addColumn<double>("xmin");
    QTest::addColumn<double>("ymax");
    QTest::addColumn<int>("precision");
    QTest::newRow("start values") << false << 640 << -10.0 << 10.0 << 1;
    QTest::newRow("after a clear") << true << 640 << -10.0 << 10.0 << 1;
    QTest::newRow("ranges in force differ") << false << 400 << -2.5 << 20.0 << 7;
}

// Activation fills the boxes (the ranges in force, not what a box last held) and then leaves
// ClearPending false, so an untouched "OK" writes the shown values and never clears the field.
void TestTForm2::untouchedOk() {
    QFETCH(bool, graphCleared);
    QFETCH(int, width);
    QFETCH(double, xmin);
    QFETCH(double, ymax);
    QFETCH(int, precision);
    state_.ClearPending = 1;
    state_.GraphPresent = graphCleared ? 0 : 1;
    state_.DialogWidth = width;
    state_.DialogXMin = -7; // held by the box at a close-box exit: not in force
    state_.XMin = xmin;
    state_.YMax = ymax;
    state_.Precision = precision;
    auto dialog = open();
    QVERIFY(dialog);
    QCOMPARE(state_.ClearPending, std::uint8_t(0));
    QCOMPARE(spin(*dialog, "SpinEdit1")->text(), QString::number(width));
    QCOMPARE(spin(*dialog, "SpinEdit7")->text(), QString::number(precision));

    pressOk(*dialog);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(clears_, 0);
    QCOMPARE(state_.ClearPending, std::uint8_t(0));
    QCOMPARE(state_.FieldWidth, width);
    QCOMPARE(state_.FieldHeight, 440);
    QCOMPARE(state_.XMin, double(xmin));
    QCOMPARE(state_.YMax, double(ymax));
    QCOMPARE(state_.IntervalFrom, double(xmin));
    QCOMPARE(state_.IntervalTo, 10.0);
    QCOMPARE(state_.Precision, precision);
}

void TestTForm2::typedNumber_data() {
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("whileTyping"); // remembered value right after typing
    QTest::addColumn<double>("setting");     // what "OK" applies
    QTest::addColumn<double>("afterOk");     // remembered value after "OK"

    QTest::newRow("precision alone") << "SpinEdit7"
                                     << "5" << 640.0 << 5.0 << 640.0;
    QTest::newRow("precision below 1") << "SpinEdit7"
                                       << "0" << 640.0 << 1.0 << 640.0;
    // A range is remembered as typed; the size is remembered rounded.
    QTest::newRow("MIN X -2,5") << "SpinEdit3"
                                << "-2,5" << -2.5 << -2.5 << -2.5;
    QTest::newRow("MIN X -3,5") << "SpinEdit3"
                                << "-3,5" << -3.5 << -3.5 << -3.5;
    QTest::newRow("MAX Y 20,5") << "SpinEdit6"
                                << "20,5" << 20.5 << 20.5 << 20.5;
    QTest::newRow("MIN Y above 0") << "SpinEdit4"
                                   << "5" << 5.0 << 0.0 << 0.0;
    QTest::newRow("MAX X beyond 10000") << "SpinEdit5"
                                        << "12345" << 12345.0 << 10000.0 << 10000.0;
    QTest::newRow("width 900") << "SpinEdit1"
                               << "900" << 900.0 << 800.0 << 800.0;
    QTest::newRow("width 600,5 half to even") << "SpinEdit1"
                                              << "600,5" << 600.0 << 600.0 << 600.0;
    QTest::newRow("height 12") << "SpinEdit2"
                               << "12" << 12.0 << 40.0 << 40.0;
    // The last prefix that fits in 32 bits stays remembered; no message is shown.
    QTest::newRow("width beyond 32 bits") << "SpinEdit1"
                                          << "99999999999" << 999999999.0 << 800.0 << 800.0;
    QTest::newRow("width emptied") << "SpinEdit1"
                                   << "" << 40.0 << 40.0 << 40.0;
    QTest::newRow("MIN X emptied") << "SpinEdit3"
                                   << "" << -10000.0 << -10000.0 << -10000.0;
}

// Typing remembers the number at once, unlimited; "OK" limits and applies it, and clears the
// field because a number changed.
void TestTForm2::typedNumber() {
    QFETCH(QString, edit);
    QFETCH(QString, typed);
    QFETCH(double, whileTyping);
    QFETCH(double, setting);
    QFETCH(double, afterOk);
    state_.GraphPresent = 1;
    auto dialog = open();
    QVERIFY(dialog);
    typeInto(spin(*dialog, edit), typed);
    QCOMPARE(remembered(state_, edit), whileTyping);
    QCOMPARE(state_.ClearPending, std::uint8_t(1));

    pressOk(*dialog);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(applied(state_, edit), setting);
    QCOMPARE(remembered(state_, edit), afterOk);
    QCOMPARE(clears_, 1);
    QCOMPARE(state_.GraphPresent, std::uint8_t(0));
    QCOMPARE(state_.ClearPending, std::uint8_t(1));
}

void TestTForm2::fractionShownWholeNextTime() {
    auto first = open();
    QVERIFY(first);
    typeInto(spin(*first, "SpinEdit3"), "-2,5");
    pressOk(*first);
    QCOMPARE(state_.XMin, -2.5);
    QCOMPARE(state_.IntervalFrom, -2.5);
    first.reset();

    auto second = open();
    QVERIFY(second);
    QCOMPARE(spin(*second, "SpinEdit3")->text(), QString("-2,5"));
    pressOk(*second);
    QCOMPARE(state_.XMin, -2.5);
    QCOMPARE(clears_, 1); // only the first "OK", where a number had changed
}

// A view moved past 0 puts a range beyond its box's bound: the bound widens to take it, and
// "OK" keeps it, also after the box limited its number on losing the focus.
void TestTForm2::rangeInForceBeyondABound() {
    state_.XMin = 2.5; // moved right past 0 ...
    state_.XMax = 22.5;
    state_.YMin = -30; // ... and down
    state_.YMax = -1;
    auto dialog = open();
    QVERIFY(dialog);
    QCOMPARE(spin(*dialog, "SpinEdit3")->text(), QString("2,5"));
    QCOMPARE(spin(*dialog, "SpinEdit6")->text(), QString("-1"));
    spin(*dialog, "SpinEdit3")->setFocus();
    spin(*dialog, "SpinEdit6")->setFocus();
    pressOk(*dialog);
    QCOMPARE(state_.XMin, 2.5);
    QCOMPARE(state_.YMax, -1.0);
}

void TestTForm2::closeKeepsMemoryOnly_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("close box") << false;
    QTest::newRow("Escape") << true;
}

// Closing without "OK" keeps the remembered values and ClearPending, but no range.
void TestTForm2::closeKeepsMemoryOnly() {
    QFETCH(bool, escape);
    auto dialog = open();
    QVERIFY(dialog);
    typeInto(spin(*dialog, "SpinEdit3"), "-3");
    if (escape)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // typed in the box
    else
        dialog->close();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QCOMPARE(state_.XMin, -10.0);
    QCOMPARE(state_.IntervalFrom, -10.0);
    QCOMPARE(state_.DialogXMin, -3.0);
    QCOMPARE(state_.ClearPending, std::uint8_t(1));
    QCOMPARE(clears_, 0);
    dialog.reset();

    auto again = open(); // the range in force again
    QVERIFY(again);
    QCOMPARE(spin(*again, "SpinEdit3")->text(), QString("-10"));
    QCOMPARE(state_.ClearPending, std::uint8_t(0));
}

void TestTForm2::okTakesFocus_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("mouse click") << "mouse";
    QTest::newRow("Enter in the dialog") << "enter";
    QTest::newRow("programmatic click") << "click";
}

// However "OK" is pressed, the box being typed in loses the focus first and limits itself.
void TestTForm2::okTakesFocus() {
    QFETCH(QString, how);
    auto dialog = open();
    QVERIFY(dialog);
    auto *ok = dialog->findChild<QPushButton *>("Button1");
    typeInto(spin(*dialog, "SpinEdit1"), "900");
    QCOMPARE(QApplication::focusWidget(), spin(*dialog, "SpinEdit1"));
    if (how == "mouse")
        QTest::mouseClick(ok, Qt::LeftButton);
    else if (how == "enter")
        QTest::keyClick(dialog.get(), Qt::Key_Return);
    else
        ok->click();
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(spin(*dialog, "SpinEdit1")->text(), QString("800"));
    QCOMPARE(state_.FieldWidth, 800);
    QCOMPARE(state_.DialogWidth, 800);
}

void TestTForm2::colourButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("clears");
    QTest::newRow("graph confirmed") << "SpeedButton2" << true << false;
    QTest::newRow("graph cancelled") << "SpeedButton2" << false << false;
    QTest::newRow("axes confirmed") << "SpeedButton1" << true << true;
    QTest::newRow("axes cancelled") << "SpeedButton1" << false << true;
    QTest::newRow("background confirmed") << "SpeedButton3" << true << true;
    QTest::newRow("background cancelled") << "SpeedButton3" << false << true;
}

// A colour is stored at once as 0x00BBGGRR; the axes and background buttons mark the field
// for clearing even when the chooser is cancelled, the graph colour never does.
void TestTForm2::colourButtons() {
    QFETCH(QString, button);
    QFETCH(bool, confirm);
    QFETCH(bool, clears);
    SetDialogHook([confirm](QDialog &dialog) {
        auto *chooser = qobject_cast<QColorDialog *>(&dialog);
        if (!chooser)
            return int(QDialog::Rejected);
        chooser->setCurrentColor(confirm ? QColor(0x12, 0x34, 0x56) : QColor(Qt::blue));
        return int(confirm ? QDialog::Accepted : QDialog::Rejected);
    });
    const PlotState before = state_;
    auto dialog = open();
    QVERIFY(dialog);
    QTest::mouseClick(dialog->findChild<QToolButton *>(button), Qt::LeftButton);

    const TColor chosen = 0x00563412;
    TColor *field = button == "SpeedButton1"   ? &state_.AxesColor
                    : button == "SpeedButton2" ? &state_.GraphColor
                                               : &state_.BackgroundColor;
    const TColor old = button == "SpeedButton1"   ? before.AxesColor
                       : button == "SpeedButton2" ? before.GraphColor
                                                  : before.BackgroundColor;
    QCOMPARE(*field, confirm ? chosen : old);
    QCOMPARE(state_.ClearPending, std::uint8_t(clears));

    pressOk(*dialog);
    QCOMPARE(clears_, clears ? 1 : 0);
    QCOMPARE(*field, confirm ? chosen : old);
}

// One chooser per opening: black first, then the colour last confirmed, whichever button.
void TestTForm2::chooserPreset() {
    QList<QColor> presets;
    QList<bool> answers{true, false, true};
    SetDialogHook([&](QDialog &dialog) {
        auto &chooser = static_cast<QColorDialog &>(dialog);
        presets << chooser.currentColor();
        const bool confirm = answers.takeFirst();
        chooser.setCurrentColor(confirm ? QColor(Qt::red) : QColor(Qt::blue));
        return int(confirm ? QDialog::Accepted : QDialog::Rejected);
    });
    auto dialog = open();
    QVERIFY(dialog);
    QTest::mouseClick(dialog->findChild<QToolButton *>("SpeedButton2"), Qt::LeftButton);
    QTest::mouseClick(dialog->findChild<QToolButton *>("SpeedButton1"), Qt::LeftButton);
    QTest::mouseClick(dialog->findChild<QToolButton *>("SpeedButton3"), Qt::LeftButton);
    QCOMPARE(presets, (QList<QColor>{Qt::black, Qt::red, Qt::red}));
    QCOMPARE(state_.GraphColor, TColor(0x0000FF));
    QCOMPARE(state_.AxesColor, TColor(0));
    QCOMPARE(state_.BackgroundColor, TColor(0x0000FF));
    dialog->close();
    dialog.reset();

    answers = {false};
    auto next = open();
    QVERIFY(next);
    QTest::mouseClick(next->findChild<QToolButton *>("SpeedButton2"), Qt::LeftButton);
    QCOMPARE(presets.last(), QColor(Qt::black));
}

QTEST_MAIN(TestTForm2)
#include "test_tform2.moc"
