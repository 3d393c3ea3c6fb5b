// SPDX-License-Identifier: GPL-3.0-or-later
// Number boxes in the locale the program runs in: CTest runs this twice, in a point locale
// (C.UTF-8) and in a comma locale (ru_RU.UTF-8), and names the separator it must find.
// Either decimal key gives the same number in both.
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "localesep.h"
#include "plotstate.h"
#include "tform2.h"
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
    QCOMPARE(state.DialogXMin, -2); // remembered rounded, half to even
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join('|')));
}

void TestLocaleNumbers::valuesShownWithTheLocaleSeparator() {
    TSpinEdit edit;
    edit.setValue(-0.00000025);
    QCOMPARE(edit.text(), QStringLiteral("-2") + separator_ + QStringLiteral("5E-7"));
    edit.setValue(123456.7891);
    QCOMPARE(edit.text(), QStringLiteral("123456") + separator_ + QStringLiteral("7891"));
}

QTEST_MAIN(TestLocaleNumbers)
#include "locale_numbers.moc"
