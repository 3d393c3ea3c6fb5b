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
#include "namedchild.h"
#include "tform1.h"
#include "uirecorder.h"

using namespace kurvanto;

class TestKeyboard : public QObject {
    Q_OBJECT

  private:
    PlotState state_;
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<UiRecorder> ui_;

    template <typename T> T *child(const char *name) { return NamedChild<T>(*form_, name); }
    QLineEdit *edit() { return child<QLineEdit>("Edit1"); }
    // The window shown and active, the formula typed into the box, which has the focus.
    bool typeFormula(const QString &formula) {
        form_->show();
        form_->activateWindow();
        if (!QTest::qWaitForWindowActive(form_.get()))
            return false;
        edit()->setFocus();
        edit()->clear();
        QTest::keyClicks(edit(), formula);
        return edit()->hasFocus() && edit()->text() == formula;
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true); // settings of the tests' own
        QCoreApplication::setApplicationName(QStringLiteral("Курванто"));
    }

    void init() {
        state_ = PlotState();
        ui_ = std::make_unique<UiRecorder>();
        form_ = std::make_unique<TForm1>(state_, [] { return QSize(1280, 1024); });
        SetLocaleDecimalSeparator(QLatin1Char(','));
    }

    void cleanup() {
        if (HelpWindow::instance())
            HelpWindow::instance()->close();
        form_.reset();
        ui_.reset();
    }

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
