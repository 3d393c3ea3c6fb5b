// SPDX-License-Identifier: GPL-3.0-or-later
// A refused formula is pointed at where it is wrong: after Enter the error label shows
// "Ошибка в функции !!!", the fault's span is selected in the formula box, which has the
// focus, and the reason is shown under the box and kept as its tool tip until the text
// changes. The reasons and spans are the engine's; the expectations here are written out.
// While the text is a formula that may not mean what it seems, its hint is the box's tool tip
// and the line under the box.
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QToolTip>
#include <QtTest>
#include <memory>

#include "localesep.h"
#include "tform1.h"
#include "windowtest.h"

using namespace kurvanto;

namespace {
const QString kErrorLabel = QStringLiteral("Ошибка в функции !!!");
const QString kHint = QStringLiteral("Введите формулу");
} // namespace

class TestFormulaFault : public kurvanto::testing::WindowTest {
    Q_OBJECT

  public:
    TestFormulaFault() : WindowTest(QSize(1280, 1024), QLatin1Char(',')) {}

  private:
    QLabel *errorLabel() { return form_->findChild<QLabel *>(QStringLiteral("Label2")); }
    QLabel *hintLine() { return form_->findChild<QLabel *>(QStringLiteral("Label7")); }
    // Types the text into the box (as an input method would, any character) and presses Enter.
    void enter(const QString &text) {
        edit()->setFocus();
        edit()->clear();
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        if (!text.isEmpty())
            QApplication::sendEvent(edit(), &typed);
        QTest::keyClick(edit(), Qt::Key_Return);
    }

  private slots:
    void init() {
        WindowTest::init();
        QVERIFY(showActive());
    }

    void refusedFormula_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("selectionStart"); // in the box's UTF-16 units
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("reason");
        QTest::newRow("unknown function")
            << "sinx" << 0 << "sinx" << QStringLiteral("неизвестная функция «sinx»");
        QTest::newRow("Cyrillic х")
            << QStringLiteral("х^2-3") << 0 << QStringLiteral("х")
            << QStringLiteral("символ «х» не входит в формулу (нужна латинская x)");
        QTest::newRow("Cyrillic х after an operator")
            << QStringLiteral("2*х+1") << 2 << QStringLiteral("х")
            << QStringLiteral("символ «х» не входит в формулу (нужна латинская x)");
        QTest::newRow("missing operand")
            << "x+" << 1 << "+" << QStringLiteral("после «+» нет числа, x, константы или скобки");
        QTest::newRow("token in place of the closing parenthesis")
            << "(x+1 2)" << 5 << "2" << QStringLiteral("вместо «2» нужна закрывающая скобка «)»");
        QTest::newRow("text after the end")
            << "x)+5" << 1 << ")+5" << QStringLiteral("лишний текст «)+5» после конца формулы");
        QTest::newRow("character pair")
            << "2x" << 0 << "2x" << QStringLiteral("между «2» и «x» нужен знак операции");
        QTest::newRow("empty") << "" << 0 << "" << QStringLiteral("формула пуста");
        QTest::newRow("minus before a function")
            << "(-sin(x))" << 2 << "sin"
            << QStringLiteral("перед функцией «sin» не может стоять минус: пишите -(sin(x))");
        QTest::newRow("borrowed name")
            << "exp(x)" << 0 << "ex"
            << QStringLiteral("между «e» и «x» нужен знак операции (экспоненту здесь пишут "
                              "степенью: e^x)");
        // Two UTF-16 units, one character: the span counts characters.
        QTest::newRow("character outside the basic plane")
            << QStringLiteral("x+\U0001D465-1") << 2 << QStringLiteral("\U0001D465")
            << QStringLiteral("символ «\U0001D465» не входит в формулу");
    }
    void refusedFormula() {
        QFETCH(QString, typed);
        QFETCH(int, selectionStart);
        QFETCH(QString, selected);
        QFETCH(QString, reason);
        enter(typed);
        QVERIFY(errorLabel()->isVisible());
        QCOMPARE(errorLabel()->text(), kErrorLabel);
        QCOMPARE(state_.GraphPresent, std::uint8_t(0));
        QCOMPARE(edit()->text(), typed);
        QVERIFY(edit()->hasFocus());
        QCOMPARE(edit()->selectedText(), selected);
        if (!selected.isEmpty())
            QCOMPARE(edit()->selectionStart(), selectionStart);
        QCOMPARE(edit()->toolTip(), reason);
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), reason);
        QVERIFY(ui_->messages.isEmpty());
    }

    // The conversion keeps its own message; the number is selected all the same.
    void malformedNumber() {
        enter(QStringLiteral("x*(1+2,,5)"));
        QCOMPARE(ui_->messages,
                 QStringList{QStringLiteral("'2,,5' is not a valid floating point value.")});
        QVERIFY(!errorLabel()->isVisible());
        QCOMPARE(edit()->selectionStart(), 5);
        QCOMPARE(edit()->selectedText(), QStringLiteral("2,,5"));
        QCOMPARE(edit()->toolTip(), QStringLiteral("неверное число «2,,5»"));
    }

    // The reason stays the box's tool tip until the text changes; a good formula then builds.
    void reasonLastsUntilTheTextChanges() {
        enter(QStringLiteral("sinx"));
        QCOMPARE(edit()->toolTip(), QStringLiteral("неизвестная функция «sinx»"));
        edit()->setCursorPosition(3);
        QTest::keyClick(edit(), Qt::Key_ParenLeft);
        QCOMPARE(edit()->text(), QStringLiteral("sin(x"));
        QCOMPARE(edit()->toolTip(), kHint);
        QTRY_VERIFY(!QToolTip::isVisible());     // it fades out
        QTest::keyClick(edit(), Qt::Key_Return); // a missing ")" at the end is harmless
        QVERIFY(!errorLabel()->isVisible());
        QCOMPARE(state_.GraphPresent, std::uint8_t(1));
        QCOMPARE(edit()->toolTip(), kHint);
    }

    // The hint follows the text as it is typed; the build goes ahead.
    void hintWhileTheTextHoldsIt() {
        const QString note =
            QStringLiteral("«-x^2» читается как (-x)^2; минус всей степени: -(x^2)");
        QVERIFY(!hintLine()->isVisible());
        enter(QStringLiteral("-x^2"));
        QVERIFY(!errorLabel()->isVisible());
        QCOMPARE(state_.GraphPresent, std::uint8_t(1));
        QCOMPARE(edit()->toolTip(), note);
        QVERIFY(hintLine()->isVisible());
        QCOMPARE(hintLine()->toolTip(), note);
        QVERIFY(hintLine()->text().startsWith(QStringLiteral("«-x^2»")));
        edit()->setText(QStringLiteral("-(x^2)"));
        QCOMPARE(edit()->toolTip(), kHint);
        QVERIFY(!hintLine()->isVisible());
    }

    void acceptedFormulaBuilds() {
        enter(QStringLiteral("sinx"));
        enter(QStringLiteral("x^2-3"));
        QVERIFY(!errorLabel()->isVisible());
        QCOMPARE(state_.GraphPresent, std::uint8_t(1));
        QCOMPARE(edit()->toolTip(), kHint);
        QVERIFY(!edit()->hasSelectedText());
        // x = 1.98128 (column 384) gives 0.92547, row Round(9.07453 * 22.05) = 200
        QCOMPARE(form_->canvas().image().pixel(384, 200) & 0xFFFFFFu, 0u);
        QVERIFY(ui_->messages.isEmpty());
    }
};

QTEST_MAIN(TestFormulaFault)
#include "tst_formulafault.moc"
