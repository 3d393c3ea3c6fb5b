// SPDX-License-Identifier: GPL-3.0-or-later
// Number boxes in the locale the program runs in: CTest runs this twice, in a point locale
// (C.UTF-8) and in a comma locale (ru_RU.UTF-8), and names the separator it must find.
// Either decimal key gives the same number in both.
#include <QInputMethodQueryEvent>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "localesep.h"
#include "plotstate.h"
#include "tform2.h"
#include "tspinbutton.h"
#include "tspinedit.h"
#include "typing.h"
#include "uiseam.h"

using namespace kurvanto;
using testing::spin;
using testing::typeInto;

class TestLocaleNumbers : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void spinEdit_data();
    void spinEdit();
    void propertiesDialog_data();
    void propertiesDialog();
    void valuesShownWithTheLocaleSeparator();
    void rangeBoxesShowTheirBoundsWhole();
    void rangesInForceShownAndKept();

  private:
    QChar separator_;
};

void TestLocaleNumbers::initTestCase() {
    separator_ = LocaleDecimalSeparator(); // read from the system, as the program does
    const QByteArray expected = qgetenv("KURVANTO_EXPECT_SEPARATOR");
    if (!expected.isEmpty()) {
        QVERIFY2(separator_ == QLatin1Char(expected.at(0)),
                 qPrintable(QStringLiteral("LC_ALL=%1 gives the separator '%2'")
                                .arg(QString::fromLocal8Bit(qgetenv("LC_ALL")), separator_)));
    }
}

void TestLocaleNumbers::spinEdit_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("comma") << "-2,5";
    QTest::newRow("point") << "-2.5";
}

void TestLocaleNumbers::spinEdit() {
    QFETCH(QString, typed);
    QWidget window;
    auto *edit = new TSpinEdit(&window);
    edit->setGeometry(10, 10, 57, 26);
    edit->setMinValue(-10000);
    edit->setMaxValue(0);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    typeInto(edit, typed);
    QCOMPARE(edit->Value(), -2.5L);
    QCOMPARE(edit->text(), QStringLiteral("-2") + separator_ + QStringLiteral("5"));
}

void TestLocaleNumbers::propertiesDialog_data() {
    spinEdit_data();
}

// MIN X of the properties dialog, typed and confirmed with "OK".
void TestLocaleNumbers::propertiesDialog() {
    QFETCH(QString, typed);
    QStringList messages;
    SetMessageHook([&](const QString &text, QMessageBox::Icon) { messages << text; });
    PlotState state;
    SetStartValues(state);
    TForm2 dialog(state);
    dialog.setClearCommand([&state] { state.ClearPending = 1; });
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    typeInto(spin(dialog, "SpinEdit3"), typed);
    QTest::mouseClick(dialog.findChild<QPushButton *>("Button1"), Qt::LeftButton);
    SetMessageHook(nullptr);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(state.XMin, -2.5);
    QCOMPARE(state.IntervalFrom, -2.5);
    QCOMPARE(state.DialogXMin, -2.5); // remembered as typed
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join('|')));
}

void TestLocaleNumbers::valuesShownWithTheLocaleSeparator() {
    TSpinEdit edit;
    edit.setValue(-0.00000025);
    QCOMPARE(edit.text(), QStringLiteral("-2") + separator_ + QStringLiteral("5E-7"));
    edit.setValue(123456.7891);
    QCOMPARE(edit.text(), QStringLiteral("123456") + separator_ + QStringLiteral("7891"));
}

namespace {

// The left edge of the cursor's rectangle with the cursor at `position`, as the box shows it.
int CursorLeft(TSpinEdit *edit, int position) {
    edit->setCursorPosition(position);
    edit->grab(); // the box works out how far its text is scrolled when it paints
    return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
}

} // namespace

// The range boxes of the properties dialog show every value within their bounds whole, in
// front of the buttons: with the cursor at the end the text has not scrolled. A longer text
// shows its start, and whole in the tool tip.
void TestLocaleNumbers::rangeBoxesShowTheirBoundsWhole() {
    PlotState state;
    SetStartValues(state);
    TForm2 dialog(state);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (const char *name : {"SpinEdit3", "SpinEdit4", "SpinEdit5", "SpinEdit6"}) {
        TSpinEdit *edit = spin(dialog, QLatin1String(name));
        edit->setValue(edit->MinValue() < 0 ? edit->MinValue() : edit->MaxValue());
        const QString text = edit->text();
        const int start = CursorLeft(edit, 0), end = CursorLeft(edit, int(text.size()));
        QCOMPARE(end - start, edit->fontMetrics().horizontalAdvance(text));
        QVERIFY2(end + 5 < edit->Button()->x(), name); // the rectangle starts 5 before the cursor
        QCOMPARE(edit->toolTip(), QString());

        const QString fraction = QStringLiteral("-3") + separator_ + QStringLiteral("7109375");
        typeInto(edit, edit->MinValue() < 0 ? fraction : fraction.mid(1));
        dialog.setFocus(); // leaving the box shows the text from its start
        QCOMPARE(edit->toolTip(), edit->text());
        QCOMPARE(CursorLeft(edit, 0), start);
    }
}

// A view zoomed to fractions: the dialog shows the ranges in force, and "OK" untouched applies
// them exactly, also where the box's fifteen digits could not give the double back.
void TestLocaleNumbers::rangesInForceShownAndKept() {
    PlotState state;
    SetStartValues(state);
    state.XMin = -3.7109375;
    state.XMax = 0.1 + 0.2; // 0.30000000000000004: 17 digits
    TForm2 dialog(state);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(spin(dialog, "SpinEdit3")->text(),
             QStringLiteral("-3") + separator_ + QStringLiteral("7109375"));
    QCOMPARE(spin(dialog, "SpinEdit5")->text(), QStringLiteral("0") + separator_ + "3");
    QTest::mouseClick(dialog.findChild<QPushButton *>("Button1"), Qt::LeftButton);
    QVERIFY(state.XMin == -3.7109375); // exactly: QCOMPARE allows doubles a little apart
    QVERIFY(state.XMax == 0.1 + 0.2);
    QCOMPARE(state.ClearPending, std::uint8_t(0));
}

QTEST_MAIN(TestLocaleNumbers)
#include "locale_numbers.moc"
