// SPDX-License-Identifier: GPL-3.0-or-later
// The real-valued spin edit: value and text, bounds, steps, the typing filter, focus, and
// the placement of its button.
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <limits>
#include <memory>

#include "beep.h"
#include "errors.h"
#include "localesep.h"
#include "tspinbutton.h"
#include "tspinedit.h"
#include "ttimerspeedbutton.h"
#include "uiseam.h"

using kurvanto::TSpinEdit;

class TestSpinEdit : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void newControl();
    void assignment_data();
    void assignment();
    void reading_data();
    void reading();
    void onChangeOncePerChange();
    void changeHandlerErrors();
    void newBoundWaitsForNextUse();
    void steps_data();
    void steps();
    void stepOverflowIsReported();
    void readOnlyBeeps();
    void typing_data();
    void typing();
    void editorDisabled();
    void pasteAndCut();
    void exitLimits_data();
    void exitLimits();
    void autoSelect();
    void buttonStepsAndFocusesTheField();
    void holdingTheButtonRepeatsSteps();
    void layout_data();
    void layout();
    void buttonGeometryInEveryStyle_data();
    void buttonGeometryInEveryStyle();
    void decimalKeys_data();
    void decimalKeys();
    void pasteEitherSeparator_data();
    void pasteEitherSeparator();
    void valueShownFromItsStart();
    void properties();

  private:
    void Activate();
    QWidget *m_window = nullptr;
    TSpinEdit *m_edit = nullptr;
    QLineEdit *m_other = nullptr;
    int m_beeps = 0;
    QStringList m_messages;
};

void TestSpinEdit::init() {
    kurvanto::SetLocaleDecimalSeparator(QLatin1Char(','));
    m_beeps = 0;
    m_messages.clear();
    kurvanto::SetBeepHook([this] { ++m_beeps; });
    kurvanto::SetMessageHook(
        [this](const QString &text, QMessageBox::Icon) { m_messages << text; });
    m_window = new QWidget;
    m_window->resize(200, 100);
    m_edit = new TSpinEdit(m_window);
    m_edit->setObjectName(QStringLiteral("SpinEdit1"));
    m_edit->setGeometry(10, 10, 120, 26);
    m_other = new QLineEdit(m_window);
    m_other->setObjectName(QStringLiteral("Edit1"));
    m_other->setGeometry(10, 50, 120, 26);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestSpinEdit::cleanup() {
    delete m_window;
    kurvanto::SetBeepHook(nullptr);
    kurvanto::SetMessageHook(nullptr);
}

void TestSpinEdit::Activate() {
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void TestSpinEdit::newControl() {
    TSpinEdit edit;
    QCOMPARE(edit.text(), QStringLiteral("0"));
    QCOMPARE(edit.Value(), 0.0L);
    QCOMPARE(edit.Increment(), 1.0);
    QCOMPARE(edit.MinValue(), 0.0);
    QCOMPARE(edit.MaxValue(), 0.0);
    QVERIFY(edit.EditorEnabled());
    QVERIFY(edit.AutoSelect());
    QVERIFY(!edit.Button()->TabStop());
    QCOMPARE(edit.Button()->FocusControl(), &edit);
    QCOMPARE(edit.Button()->width(), 15);
    edit.setValue(-10);
    QCOMPARE(edit.text(), QStringLiteral("-10"));
}

void TestSpinEdit::assignment_data() {
    QTest::addColumn<double>("minValue");
    QTest::addColumn<double>("maxValue");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("above the bounds") << 40.0 << 800.0 << 900.0 << "800";
    QTest::newRow("below the bounds") << 40.0 << 800.0 << 39.5 << "40";
    QTest::newRow("within, fraction") << 40.0 << 800.0 << 799.5 << "799,5";
    QTest::newRow("no bounds, huge") << 0.0 << 0.0 << 1E20 << "1E20";
    QTest::newRow("equal bounds accept any") << 5.0 << 5.0 << -7.25 << "-7,25";
    QTest::newRow("reversed, between") << 10.0 << 0.0 << 5.0 << "10";
    QTest::newRow("reversed, above both") << 10.0 << 0.0 << 20.0 << "0";
    QTest::newRow("reversed, below both") << 10.0 << 0.0 << -5.0 << "10";
    QTest::newRow("tiny") << 0.0 << 0.0 << -0.00000025 << "-2,5E-7";
    QTest::newRow("sixteen digits") << 0.0 << 0.0 << 1234567890123456.0 << "1,23456789012346E15";
    QTest::newRow("infinity shown as such")
        << 0.0 << 0.0 << std::numeric_limits<double>::infinity() << "INF";
}

void TestSpinEdit::assignment() {
    QFETCH(double, minValue);
    QFETCH(double, maxValue);
    QFETCH(double, value);
    QFETCH(QString, shown);
    m_edit->setMinValue(minValue);
    m_edit->setMaxValue(maxValue);
    m_edit->setValue(value);
    QCOMPARE(m_edit->text(), shown);
}

void TestSpinEdit::reading_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown"); // the text as the field holds it
    QTest::addColumn<double>("value");
    // MinValue is -10000 in every row: it is what a text that is no number reads as
    const QChar comma(QLatin1Char(',')), point(QLatin1Char('.'));
    QTest::newRow("empty") << comma << ""
                           << "" << -10000.0;
    QTest::newRow("lone minus") << comma << "-"
                                << "-" << -10000.0;
    QTest::newRow("point in comma locale") << comma << "2.5"
                                           << "2,5" << 2.5;
    QTest::newRow("comma in point locale") << point << "-2,5"
                                           << "-2.5" << -2.5;
    QTest::newRow("second separator") << comma << "1,2,3"
                                      << "1,2,3" << -10000.0;
    QTest::newRow("point and comma") << comma << "1.2,3"
                                     << "1,2,3" << -10000.0;
    QTest::newRow("too large") << comma << "1E400"
                               << "1E400" << -10000.0;
    QTest::newRow("typed form kept") << comma << "12,50"
                                     << "12,50" << 12.5;
    QTest::newRow("point locale") << point << "-2.5"
                                  << "-2.5" << -2.5;
    QTest::newRow("outside the bounds") << comma << "9000"
                                        << "9000" << 9000.0;
    QTest::newRow("blanks and exponent") << comma << " 1,5e3 "
                                         << " 1,5e3 " << 1500.0;
    QTest::newRow("exponent, point, comma locale") << comma << "2.5E-3"
                                                   << "2,5E-3" << 0.0025;
}

void TestSpinEdit::reading() {
    QFETCH(QChar, separator);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(double, value);
    kurvanto::SetLocaleDecimalSeparator(separator);
    m_edit->setMinValue(-10000);
    m_edit->setMaxValue(0);
    m_edit->setText(text);
    QCOMPARE(m_edit->Value(), static_cast<long double>(value));
    QCOMPARE(m_edit->text(), shown);
}

void TestSpinEdit::onChangeOncePerChange() {
    QSignalSpy changes(m_edit, &TSpinEdit::OnChange);
    m_edit->setValue(3);
    m_edit->setValue(3);
    QCOMPARE(changes.count(), 1);
    m_edit->setValue(3.0000000000000001); // the same text
    QCOMPARE(changes.count(), 1);
    m_edit->setText(QStringLiteral("3,0"));
    m_edit->setValue(3); // same number, other text
    QCOMPARE(changes.count(), 3);
    m_edit->StepUp();
    QCOMPARE(changes.count(), 4);
    // before the field is ever shown
    TSpinEdit hidden;
    QSignalSpy hiddenChanges(&hidden, &TSpinEdit::OnChange);
    hidden.setValue(7);
    hidden.setValue(0);
    hidden.setValue(0);
    QCOMPARE(hiddenChanges.count(), 2);
}

// An assignment passes a handler's error to its caller; typing reports it and goes on.
void TestSpinEdit::changeHandlerErrors() {
    connect(m_edit, &TSpinEdit::OnChange, this, [] { throw kurvanto::InvalidOperation(); });
    QVERIFY_THROWS_EXCEPTION(kurvanto::InvalidOperation, m_edit->setValue(8));
    QCOMPARE(m_edit->text(), QStringLiteral("8"));
    Activate();
    m_edit->setFocus();
    m_edit->deselect();
    m_edit->end(false);
    QTest::keyClick(m_edit, Qt::Key_1);
    QCOMPARE(m_edit->text(), QStringLiteral("81"));
    QCOMPARE(m_messages, QStringList{QStringLiteral("Invalid floating point operation.")});
    // a press and release on a half: the step fails once, reported once
    QTest::mouseClick(m_edit->Button()->UpButton(), Qt::LeftButton);
    QCOMPARE(m_edit->text(), QStringLiteral("82"));
    QCOMPARE(m_messages.size(), 2);
}

void TestSpinEdit::newBoundWaitsForNextUse() {
    m_edit->setValue(2);
    m_edit->setMinValue(5);
    m_edit->setMaxValue(10);
    QCOMPARE(m_edit->text(), QStringLiteral("2"));
    QCOMPARE(m_edit->Value(), 2.0L);
    m_edit->setValue(m_edit->Value());
    QCOMPARE(m_edit->text(), QStringLiteral("5"));
}

void TestSpinEdit::steps_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<double>("minValue");
    QTest::addColumn<double>("maxValue");
    QTest::addColumn<double>("increment");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("steps"); // positive: up, negative: down
    QTest::addColumn<QString>("shown");
    const QChar comma(QLatin1Char(',')), point(QLatin1Char('.'));
    QTest::newRow("up to the upper bound")
        << comma << 40.0 << 800.0 << 1.0 << "799,5" << 1 << "800";
    QTest::newRow("lone minus down") << comma << -10000.0 << 0.0 << 1.0 << "-" << -1 << "-10000";
    QTest::newRow("tenths add up exactly") << point << 0.0 << 0.0 << 0.1 << "0.1" << 2 << "0.3";
    QTest::newRow("ten tenths") << comma << 0.0 << 0.0 << 0.1 << "0" << 10 << "1";
    QTest::newRow("down across zero") << comma << 0.0 << 0.0 << 0.25 << "0,5" << -3 << "-0,25";
    QTest::newRow("text not a number") << comma << 3.0 << 9.0 << 2.0 << "abc" << 1 << "5";
    QTest::newRow("beyond fifteen digits")
        << comma << 0.0 << 0.0 << 1.0 << "999999999999999" << 1 << "1E15";
}

void TestSpinEdit::steps() {
    QFETCH(QChar, separator);
    QFETCH(double, minValue);
    QFETCH(double, maxValue);
    QFETCH(double, increment);
    QFETCH(QString, start);
    QFETCH(int, steps);
    QFETCH(QString, shown);
    kurvanto::SetLocaleDecimalSeparator(separator);
    m_edit->setMinValue(minValue);
    m_edit->setMaxValue(maxValue);
    m_edit->setIncrement(increment);
    m_edit->setText(start);
    for (int i = 0; i < std::abs(steps); ++i)
        steps > 0 ? m_edit->StepUp() : m_edit->StepDown();
    QCOMPARE(m_edit->text(), shown);
    QCOMPARE(m_beeps, 0);
}

// A step past the largest double is an overflow: reported, the text stays.
void TestSpinEdit::stepOverflowIsReported() {
    m_edit->setValue(1.7E308);
    m_edit->setIncrement(1E308);
    QVERIFY_THROWS_EXCEPTION(kurvanto::FloatOverflow, m_edit->StepUp());
    QVERIFY_THROWS_EXCEPTION(kurvanto::FloatOverflow, m_edit->setValue(1E400L));
    Activate();
    m_edit->setFocus();
    QTest::keyClick(m_edit, Qt::Key_Up);
    QCOMPARE(m_messages, QStringList{QStringLiteral("Floating point overflow.")});
    QCOMPARE(m_edit->text(), QStringLiteral("1,7E308"));
}

void TestSpinEdit::readOnlyBeeps() {
    m_edit->setValue(5);
    m_edit->setReadOnly(true);
    QSignalSpy changes(m_edit, &TSpinEdit::OnChange);
    m_edit->StepUp();
    QTest::mouseClick(m_edit->Button()->DownButton(), Qt::LeftButton);
    Activate();
    m_edit->setFocus();
    QTest::keyClick(m_edit, Qt::Key_Up);
    QTest::keyClick(m_edit, Qt::Key_Down);
    QCOMPARE(m_beeps, 4);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(m_edit->text(), QStringLiteral("5"));
}

void TestSpinEdit::typing_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<bool>("editorEnabled");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("typed");  // the key's text
    QTest::addColumn<QString>("result"); // the text after the key, from "12"
    const QChar comma(QLatin1Char(',')), point(QLatin1Char('.'));
    QTest::newRow("digit") << comma << true << int(Qt::Key_7) << "7"
                           << "127";
    QTest::newRow("minus after digits") << comma << true << int(Qt::Key_Minus) << "-"
                                        << "12-";
    QTest::newRow("plus") << comma << true << int(Qt::Key_Plus) << "+"
                          << "12+";
    QTest::newRow("comma in comma locale") << comma << true << int(Qt::Key_Comma) << ","
                                           << "12,";
    QTest::newRow("point in comma locale") << comma << true << int(Qt::Key_Period) << "."
                                           << "12,";
    QTest::newRow("point in point locale") << point << true << int(Qt::Key_Period) << "."
                                           << "12.";
    QTest::newRow("comma in point locale") << point << true << int(Qt::Key_Comma) << ","
                                           << "12.";
    QTest::newRow("disabled point") << comma << false << int(Qt::Key_Period) << "."
                                    << "12";
    QTest::newRow("letter") << comma << true << int(Qt::Key_A) << "a"
                            << "12";
    QTest::newRow("exponent letter") << comma << true << int(Qt::Key_E) << "E"
                                     << "12";
    QTest::newRow("blank") << comma << true << int(Qt::Key_Space) << " "
                           << "12";
    QTest::newRow("enter") << comma << true << int(Qt::Key_Return) << "\r"
                           << "12";
    QTest::newRow("backspace") << comma << true << int(Qt::Key_Backspace) << "\b"
                               << "1";
    QTest::newRow("delete") << comma << true << int(Qt::Key_Delete) << "\x7f"
                            << "12";
    QTest::newRow("disabled digit") << comma << false << int(Qt::Key_7) << "7"
                                    << "12";
    QTest::newRow("disabled backspace") << comma << false << int(Qt::Key_Backspace) << "\b"
                                        << "12";
    QTest::newRow("disabled left arrow") << comma << false << int(Qt::Key_Left) << ""
                                         << "12";
}

void TestSpinEdit::typing() {
    QFETCH(QChar, separator);
    QFETCH(bool, editorEnabled);
    QFETCH(int, key);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    kurvanto::SetLocaleDecimalSeparator(separator);
    m_edit->setEditorEnabled(editorEnabled);
    m_edit->setText(QStringLiteral("12"));
    m_edit->setCursorPosition(2);
    Activate();
    m_edit->setFocus();
    m_edit->deselect();
    QSignalSpy changes(m_edit, &TSpinEdit::OnChange);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, typed);
    QApplication::sendEvent(m_edit, &press);
    QCOMPARE(m_edit->text(), result);
    const bool changed = result != QLatin1String("12");
    QCOMPARE(changes.count(), changed ? 1 : 0);
    const bool keyTypesNothing = key == Qt::Key_Left || (key == Qt::Key_Delete && editorEnabled);
    QCOMPARE(m_beeps, changed || keyTypesNothing ? 0 : 1);
}

// The editor off: typing is refused, but the buttons and the arrow keys still step.
void TestSpinEdit::editorDisabled() {
    m_edit->setEditorEnabled(false);
    m_edit->setValue(4);
    Activate();
    m_edit->setFocus();
    QTest::keyClick(m_edit, Qt::Key_Up);
    QCOMPARE(m_edit->text(), QStringLiteral("5"));
    QTest::mouseClick(m_edit->Button()->DownButton(), Qt::LeftButton);
    QTest::mouseClick(m_edit->Button()->DownButton(), Qt::LeftButton);
    QCOMPARE(m_edit->text(), QStringLiteral("3"));
    QTest::keyClicks(m_edit, QStringLiteral("99"));
    QCOMPARE(m_edit->text(), QStringLiteral("3"));
    QCOMPARE(m_beeps, 2);
}

void TestSpinEdit::pasteAndCut() {
    QApplication::clipboard()->setText(QStringLiteral("77"));
    Activate();
    m_edit->setFocus();
    m_edit->setText(QStringLiteral("12"));
    m_edit->selectAll();
    m_edit->setEditorEnabled(false);
    QTest::keyClick(m_edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(m_edit, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(m_edit, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(m_edit->text(), QStringLiteral("12"));
    m_edit->setEditorEnabled(true);
    m_edit->setReadOnly(true);
    QTest::keyClick(m_edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_edit->text(), QStringLiteral("12"));
    m_edit->setReadOnly(false);
    m_edit->selectAll();
    QTest::keyClick(m_edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(m_edit->text(), QString());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("12"));
    QTest::keyClick(m_edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_edit->text(), QStringLiteral("12"));
    QCOMPARE(m_beeps, 0);
}

void TestSpinEdit::exitLimits_data() {
    QTest::addColumn<double>("minValue");
    QTest::addColumn<double>("maxValue");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::newRow("above, rewritten") << 40.0 << 800.0 << "9000"
                                      << "800";
    QTest::newRow("below, rewritten") << 40.0 << 800.0 << "3"
                                      << "40";
    QTest::newRow("within keeps its form") << 0.0 << 100.0 << "12,50"
                                           << "12,50";
    QTest::newRow("empty stays empty") << -10000.0 << 0.0 << ""
                                       << "";
    QTest::newRow("no number stays") << 40.0 << 800.0 << "1-"
                                     << "1-";
    QTest::newRow("no bounds") << 0.0 << 0.0 << "9000"
                               << "9000";
}

void TestSpinEdit::exitLimits() {
    QFETCH(double, minValue);
    QFETCH(double, maxValue);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    m_edit->setMinValue(minValue);
    m_edit->setMaxValue(maxValue);
    Activate();
    m_edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_edit, Qt::Key_Backspace); // the whole text is selected
    QTest::keyClicks(m_edit, typed);
    QCOMPARE(m_edit->text(), typed);
    QSignalSpy changes(m_edit, &TSpinEdit::OnChange);
    QString seenAtExit;
    connect(m_edit, &QLineEdit::editingFinished, this, [&] { seenAtExit = m_edit->text(); });
    m_other->setFocus(Qt::TabFocusReason);
    QCOMPARE(m_edit->text(), after);
    QCOMPARE(changes.count(), after == typed ? 0 : 1);
    QCOMPARE(seenAtExit, typed);
    QCOMPARE(m_beeps, 0);
}

void TestSpinEdit::autoSelect() {
    m_edit->setValue(123);
    Activate();
    m_other->setFocus();
    m_edit->setFocus(Qt::TabFocusReason);
    QCOMPARE(m_edit->selectedText(), QStringLiteral("123"));
    m_other->setFocus();
    m_edit->setFocus(Qt::OtherFocusReason);
    QCOMPARE(m_edit->selectedText(), QStringLiteral("123"));
    m_other->setFocus();
    QTest::mouseClick(m_edit, Qt::LeftButton, Qt::NoModifier, QPoint(5, 13));
    QVERIFY(m_edit->hasFocus());
    QCOMPARE(m_edit->selectedText(), QString());
    m_other->setFocus();
    m_edit->setAutoSelect(false);
    m_edit->setFocus(Qt::TabFocusReason);
    QVERIFY(m_edit->hasFocus());
}

// A press on a half gives the field the focus (whole text selected); the release steps.
void TestSpinEdit::buttonStepsAndFocusesTheField() {
    m_edit->setValue(1);
    Activate();
    m_other->setFocus();
    QSignalSpy changes(m_edit, &TSpinEdit::OnChange);
    kurvanto::TTimerSpeedButton *up = m_edit->Button()->UpButton();
    QTest::mousePress(up, Qt::LeftButton);
    QVERIFY(m_edit->hasFocus());
    QCOMPARE(m_edit->selectedText(), QStringLiteral("1"));
    QTest::mouseRelease(up, Qt::LeftButton);
    QCOMPARE(m_edit->text(), QStringLiteral("2"));
    QCOMPARE(changes.count(), 1);
    QVERIFY(!m_edit->Button()->hasFocus());
}

void TestSpinEdit::holdingTheButtonRepeatsSteps() {
    m_edit->Button()->setRepeatTiming(40, 10);
    m_edit->setMinValue(0);
    m_edit->setMaxValue(1000);
    kurvanto::TTimerSpeedButton *down = m_edit->Button()->DownButton();
    m_edit->setValue(100);
    QTest::mousePress(down, Qt::LeftButton);
    QTRY_VERIFY(m_edit->Value() <= 97);
    QTest::mouseRelease(down, Qt::LeftButton);
    const long double released = m_edit->Value();
    QTest::qWait(50);
    QCOMPARE(m_edit->Value(), released);
}

void TestSpinEdit::layout_data() {
    QTest::addColumn<int>("height");
    QTest::newRow("26") << 26;
    QTest::newRow("40") << 40;
    QTest::newRow("too low") << 4;
}

void TestSpinEdit::layout() {
    QFETCH(int, height);
    m_edit->resize(120, height);
    const int h = std::max(height, m_edit->MinimumHeight());
    QCOMPARE(m_edit->height(), h);
    // inside a frame counted as 2 pixels, one pixel clear of its right and bottom sides
    const QRect button = m_edit->Button()->geometry();
    QCOMPARE(button, QRect(102, 2, 15, h - 5));
    // The text area ends where the button begins: a long text shown to its end has the cursor
    // in the column before the button (the cursor's rectangle starts 5 pixels left of it).
    m_edit->setText(QString(40, QLatin1Char('8')));
    m_edit->grab(); // the scrolling is worked out in painting
    QCOMPARE(m_edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() + 5,
             button.left() - 1);
    // the halves share the height, one row of overlap
    const int pair = h - 5;
    QCOMPARE(m_edit->Button()->UpButton()->height(), pair / 2);
    QCOMPARE(m_edit->Button()->DownButton()->geometry().bottom(), pair - 1);
}

// The dialogs' 57 x 26 boxes: the pair at 39, 2, 15 x 21, whichever frame the style draws.
void TestSpinEdit::buttonGeometryInEveryStyle_data() {
    QTest::addColumn<QString>("styleName");
    const QStringList styles = QStyleFactory::keys();
    for (const QString &name : styles)
        QTest::newRow(qPrintable(name)) << name;
}

void TestSpinEdit::buttonGeometryInEveryStyle() {
    QFETCH(QString, styleName);
    const std::unique_ptr<QStyle> style(QStyleFactory::create(styleName));
    QVERIFY(style);
    TSpinEdit edit(m_window);
    edit.setStyle(style.get());
    edit.setGeometry(10, 10, 57, 26);
    edit.show();
    QCOMPARE(edit.Button()->geometry(), QRect(39, 2, 15, 21));
    QCOMPARE(edit.Button()->UpButton()->geometry(), QRect(0, 0, 15, 10));
    QCOMPARE(edit.Button()->DownButton()->geometry(), QRect(0, 9, 15, 12));
}

// Either decimal key, on the main keyboard or the keypad, in either locale, types the
// locale's separator: "-2,5" and "-2.5" both give -2.5.
void TestSpinEdit::decimalKeys_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<QString>("shown");
    const QChar comma(QLatin1Char(',')), point(QLatin1Char('.'));
    QTest::newRow("comma locale, comma") << comma << int(Qt::Key_Comma) << false << "-2,5";
    QTest::newRow("comma locale, point") << comma << int(Qt::Key_Period) << false << "-2,5";
    QTest::newRow("comma locale, keypad point") << comma << int(Qt::Key_Period) << true << "-2,5";
    QTest::newRow("comma locale, keypad comma") << comma << int(Qt::Key_Comma) << true << "-2,5";
    QTest::newRow("point locale, comma") << point << int(Qt::Key_Comma) << false << "-2.5";
    QTest::newRow("point locale, point") << point << int(Qt::Key_Period) << false << "-2.5";
    QTest::newRow("point locale, keypad point") << point << int(Qt::Key_Period) << true << "-2.5";
    QTest::newRow("point locale, keypad comma") << point << int(Qt::Key_Comma) << true << "-2.5";
}

void TestSpinEdit::decimalKeys() {
    QFETCH(QChar, separator);
    QFETCH(int, key);
    QFETCH(bool, keypad);
    QFETCH(QString, shown);
    kurvanto::SetLocaleDecimalSeparator(separator);
    m_edit->setMinValue(-10000);
    m_edit->setMaxValue(0);
    Activate();
    m_edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_edit, Qt::Key_Backspace); // the whole text is selected
    QTest::keyClicks(m_edit, QStringLiteral("-2"));
    const Qt::KeyboardModifiers modifiers = keypad ? Qt::KeypadModifier : Qt::NoModifier;
    QKeyEvent press(QEvent::KeyPress, key, modifiers,
                    key == Qt::Key_Comma ? QStringLiteral(",") : QStringLiteral("."));
    QApplication::sendEvent(m_edit, &press);
    QTest::keyClick(m_edit, Qt::Key_5);
    QCOMPARE(m_edit->text(), shown);
    QCOMPARE(m_edit->Value(), -2.5L);
    QCOMPARE(m_beeps, 0);
}

// Pasted text reads the same with either separator and is shown with the locale's.
void TestSpinEdit::pasteEitherSeparator_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    const QChar comma(QLatin1Char(',')), point(QLatin1Char('.'));
    QTest::newRow("comma locale, point") << comma << "-2.5"
                                         << "-2,5";
    QTest::newRow("comma locale, comma") << comma << "-2,5"
                                         << "-2,5";
    QTest::newRow("point locale, comma") << point << "-2,5"
                                         << "-2.5";
    QTest::newRow("point locale, point") << point << "-2.5"
                                         << "-2.5";
}

void TestSpinEdit::pasteEitherSeparator() {
    QFETCH(QChar, separator);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    kurvanto::SetLocaleDecimalSeparator(separator);
    QApplication::clipboard()->setText(pasted);
    Activate();
    m_edit->setFocus(Qt::TabFocusReason);
    QSignalSpy changes(m_edit, &TSpinEdit::OnChange);
    QTest::keyClick(m_edit, Qt::Key_V, Qt::ControlModifier); // replaces the selected "0"
    QCOMPARE(m_edit->text(), shown);
    QCOMPARE(m_edit->Value(), -2.5L);
    QCOMPARE(changes.count(), 1);
}

// -10000 in the 57-pixel box: its sign must stay in view, so the text shows from its start
// after an assignment, a step, an exit, and while selected on entry.
void TestSpinEdit::valueShownFromItsStart() {
    m_edit->setGeometry(10, 10, 57, 26);
    m_edit->setMinValue(-10000);
    m_edit->setMaxValue(0);
    m_edit->setValue(-10000);
    QCOMPARE(m_edit->cursorPosition(), 0);
    QVERIFY(!m_edit->hasSelectedText());
    Activate();
    m_other->setFocus(Qt::TabFocusReason);
    m_edit->setFocus(Qt::TabFocusReason);
    QCOMPARE(m_edit->selectedText(), QStringLiteral("-10000"));
    QCOMPARE(m_edit->cursorPosition(), 0);
    m_edit->end(false);
    m_edit->StepUp();
    QCOMPARE(m_edit->text(), QStringLiteral("-9999"));
    QCOMPARE(m_edit->cursorPosition(), 0);
    m_edit->end(false);
    QTest::keyClick(m_edit, Qt::Key_Backspace);
    QTest::keyClick(m_edit, Qt::Key_Backspace);
    QCOMPARE(m_edit->text(), QStringLiteral("-99"));
    m_edit->selectAll();
    QTest::keyClicks(m_edit, QStringLiteral("-1234,50")); // within the bounds: kept as typed
    QCOMPARE(m_edit->cursorPosition(), 8);
    m_other->setFocus(Qt::TabFocusReason);
    QCOMPARE(m_edit->text(), QStringLiteral("-1234,50"));
    QCOMPARE(m_edit->cursorPosition(), 0);
    QVERIFY(!m_edit->hasSelectedText());
    // Another window taking the focus: shown from the start, but not limited (no exit).
    m_edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(m_edit, QStringLiteral("12345")); // over the selection; above MaxValue 0
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(m_edit, &away);
    QCOMPARE(m_edit->text(), QStringLiteral("12345"));
    QCOMPARE(m_edit->cursorPosition(), 0);
    // A context menu over the field leaves the cursor where it was.
    m_edit->end(false);
    QFocusEvent menu(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(m_edit, &menu);
    QCOMPARE(m_edit->cursorPosition(), 5);
}

void TestSpinEdit::properties() {
    QVERIFY(m_edit->setProperty("MinValue", -1.5));
    QVERIFY(m_edit->setProperty("MaxValue", 1.5));
    QVERIFY(m_edit->setProperty("Increment", 0.5));
    QVERIFY(m_edit->setProperty("EditorEnabled", false));
    QVERIFY(m_edit->setProperty("Value", 7.0));
    QCOMPARE(m_edit->text(), QStringLiteral("1,5"));
    QCOMPARE(m_edit->property("Value").toDouble(), 1.5);
    QCOMPARE(m_edit->property("Increment").toDouble(), 0.5);
    QCOMPARE(m_edit->property("EditorEnabled").toBool(), false);
}

QTEST_MAIN(TestSpinEdit)
#include "test_tspinedit.moc"
