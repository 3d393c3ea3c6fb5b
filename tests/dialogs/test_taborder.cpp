// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs' flat buttons by the keyboard: Tab reaches them after the other controls and
// comes back to the first; a mouse click on one leaves the focus and the typed text where they
// were. (The properties dialog's order is in its own test.)
#include <QApplication>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "tform2.h"
#include "tform4.h"
#include "uiseam.h"

using namespace kurvanto;

class TestTabOrder : public QObject {
    Q_OBJECT
    PlotState state_;

    // The dialog shown, with the annotation's kind chosen by "annotation KIND".
    std::unique_ptr<QDialog> open(const QString &dialog) {
        SetStartValues(state_);
        std::unique_ptr<QDialog> form;
        if (dialog == "properties")
            form = std::make_unique<TForm2>(state_);
        else
            form = std::make_unique<TForm4>(state_);
        form->show();
        if (auto *kind = form->findChild<QRadioButton *>(dialog.section(' ', 1)))
            kind->click();
        return form;
    }

  private slots:
    void tabVisitsEveryControlInOrder_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("order");
        QTest::newRow("ticks") << "annotation RadioButton1"
                               << "RadioButton1 SpinEdit1 SpinEdit2 SpeedButton1 SpeedButton2";
        QTest::newRow("corner") << "annotation RadioButton2"
                                << "RadioButton2 SpinEdit1 SpeedButton1 SpeedButton2";
        QTest::newRow("label") << "annotation RadioButton3"
                               << "RadioButton3 Edit1 SpeedButton3 SpeedButton1 SpeedButton2";
    }
    void tabVisitsEveryControlInOrder() {
        QFETCH(QString, dialog);
        QFETCH(QString, order);
        std::unique_ptr<QDialog> form = open(dialog);
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QWidget *first = form->findChild<QWidget *>(order.section(' ', 0, 0));
        first->setFocus(Qt::TabFocusReason);
        QStringList visited;
        for (int i = 0; i <= order.count(' '); ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited.join(' '), order);
        QCOMPARE(QApplication::focusWidget(), first); // and round again
    }

    // The button's chooser, cancelled here, runs; the box keeps the focus and its typed text.
    void aClickOnAFlatButtonLeavesTheFocus_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("button");
        QTest::newRow("axes") << "properties"
                              << "SpinEdit3"
                              << "SpeedButton1";
        QTest::newRow("graph") << "properties"
                               << "SpinEdit1"
                               << "SpeedButton2";
        QTest::newRow("background") << "properties"
                                    << "SpinEdit7"
                                    << "SpeedButton3";
        QTest::newRow("label") << "annotation RadioButton3"
                               << "Edit1"
                               << "SpeedButton3";
    }
    void aClickOnAFlatButtonLeavesTheFocus() {
        QFETCH(QString, dialog);
        QFETCH(QString, box);
        QFETCH(QString, button);
        int choosers = 0;
        SetDialogHook([&](QDialog &) { return ++choosers, int(QDialog::Rejected); });
        std::unique_ptr<QDialog> form = open(dialog);
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QWidget *typed = form->findChild<QWidget *>(box);
        typed->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(typed, QStringLiteral("99999"));
        QTest::mouseClick(form->findChild<QToolButton *>(button), Qt::LeftButton);
        SetDialogHook(nullptr);
        QCOMPARE(choosers, 1);
        QCOMPARE(QApplication::focusWidget(), typed);
        QVERIFY(typed->property("text").toString().endsWith(QStringLiteral("99999")));
    }
};

QTEST_MAIN(TestTabOrder)
#include "test_taborder.moc"
