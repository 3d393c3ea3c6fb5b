// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's keys: Enter in the formula box builds, F1 opens help, Ctrl+S saves,
// Ctrl+Q exits, and the menu shows each key beside its item.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QStandardPaths>
#include <QtTest>
#include <memory>

#include "helpwindow.h"
#include "localesep.h"
#include "tform1.h"
#include "windowtest.h"

using namespace kurvanto;

class TestKeyboard : public kurvanto::testing::WindowTest {
    Q_OBJECT

  public:
    TestKeyboard() : WindowTest(QSize(1280, 1024), QLatin1Char(',')) {}

  private:
    // The window shown and active, the formula typed into the box, which has the focus.
    bool typeFormula(const QString &formula) {
        if (!showActive())
            return false;
        edit()->setFocus();
        edit()->clear();
        QTest::keyClicks(edit(), formula);
        return edit()->hasFocus() && edit()->text() == formula;
    }

  private slots:

    void menuShowsTheKeys_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("shown");
        QTest::newRow("save") << "N2"
                              << "Ctrl+S";
        QTest::newRow("exit") << "N4"
                              << "Ctrl+Q";
        QTest::newRow("copy") << "N6"
                              << "Ctrl+C";
        QTest::newRow("build") << "N14"
                               << "Enter";
        QTest::newRow("help") << "N10"
                              << "F1";
    }
    void menuShowsTheKeys() {
        QFETCH(QString, item);
        QFETCH(QString, shown);
        QAction *action = child<QAction>(item.toLatin1().constData());
        QCOMPARE(action->shortcut().toString(QKeySequence::NativeText), shown);
    }

    void enterInTheFormulaBoxBuilds_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("keypad");
        QTest::newRow("Return") << int(Qt::Key_Return) << false;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
    }
    void enterInTheFormulaBoxBuilds() {
        QFETCH(int, key);
        QFETCH(bool, keypad);
        QVERIFY(typeFormula(QStringLiteral("x^2-3")));
        QTest::keyClick(edit(), Qt::Key(key), keypad ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(state_.GraphPresent, std::uint8_t(1));
        // x = 1.98128 (column 384) gives 0.92547, row Round(9.07453 * 22.05) = 200
        QCOMPARE(form_->canvas().image().pixel(384, 200) & 0xFFFFFFu, 0u);
        QCOMPARE(edit()->text(), QStringLiteral("x^2-3")); // the box keeps the formula
        QVERIFY(ui_->messages.isEmpty());
    }

    void f1OpensHelp() {
        QVERIFY(typeFormula(QStringLiteral("x")));
        QTest::keyClick(edit(), Qt::Key_F1);
        QVERIFY(HelpWindow::instance());
        QVERIFY(HelpWindow::instance()->isVisible());
    }

    void ctrlSSaves() {
        QVERIFY(typeFormula(QStringLiteral("x")));
        QTest::keyClick(edit(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(ui_->messages, QStringList{QStringLiteral("Нет графика на поле!!!")});
        QTest::keyClick(edit(), Qt::Key_Return);
        QCOMPARE(state_.GraphPresent, std::uint8_t(1));
        QTest::keyClick(edit(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(ui_->dialogs, QStringList{QStringLiteral("QFileDialog")});
    }

    void ctrlQExits() {
        QVERIFY(typeFormula(QStringLiteral("x")));
        QTest::keyClick(edit(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!form_->isVisible());
        QCOMPARE(state_.GraphPresent, std::uint8_t(0));
        QVERIFY(ui_->messages.isEmpty());
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
