// SPDX-License-Identifier: GPL-3.0-or-later
// Every dialog by the keyboard: Tab visits its controls in their order and comes back to the
// first; a mouse click on a flat button leaves the focus where it was.
#include <QApplication>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "localesep.h"
#include "tform2.h"
#include "tform3.h"
#include "tform4.h"
#include "tform5.h"
#include "tform6.h"
#include "typing.h"
#include "uiseam.h"

using namespace kurvanto;

class TestTabOrder : public QObject {
    Q_OBJECT

  private:
    PlotState state_;

    std::unique_ptr<QDialog> make(const QString &dialog) {
        if (dialog == "properties")
            return std::make_unique<TForm2>(state_);
        if (dialog.startsWith("annotation"))
            return std::make_unique<TForm4>(state_);
        if (dialog == "interval")
            return std::make_unique<TForm6>(state_);
        if (dialog == "about")
            return std::make_unique<TForm3>();
        return std::make_unique<TForm5>(state_);
    }

  private slots:
    void initTestCase() { SetLocaleDecimalSeparator(QLatin1Char(',')); }
    void init() { SetStartValues(state_); }

    void tabVisitsEveryControlInOrder_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("properties")
            << "properties"
            << QStringList{"SpinEdit1",    "SpinEdit2",    "SpinEdit3",   "SpinEdit4",
                           "SpinEdit5",    "SpinEdit6",    "Button1",     "SpinEdit7",
                           "SpeedButton1", "SpeedButton2", "SpeedButton3"};
        QTest::newRow("annotation, ticks") << "annotation"
                                           << QStringList{"RadioButton1", "SpinEdit1", "SpinEdit2",
                                                          "SpeedButton1", "SpeedButton2"};
        QTest::newRow("annotation, corner")
            << "annotation corner"
            << QStringList{"RadioButton2", "SpinEdit1", "SpeedButton1", "SpeedButton2"};
        QTest::newRow("annotation, label")
            << "annotation label"
            << QStringList{"RadioButton3", "Edit1", "SpeedButton3", "SpeedButton1", "SpeedButton2"};
        QTest::newRow("interval") << "interval" << QStringList{"SpinEdit1", "SpinEdit2", "Button1"};
        QTest::newRow("about") << "about" << QStringList{"Button1"};
        QTest::newRow("refusal") << "refusal" << QStringList{"Button1"};
    }
    void tabVisitsEveryControlInOrder() {
        QFETCH(QString, dialog);
        QFETCH(QStringList, order);
        std::unique_ptr<QDialog> form = make(dialog);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        const char *kind = dialog.endsWith("corner")  ? "RadioButton2"
                           : dialog.endsWith("label") ? "RadioButton3"
                                                      : nullptr;
        if (kind)
            form->findChild<QRadioButton *>(QLatin1String(kind))->click();
        QWidget *first = form->findChild<QWidget *>(order.first());
        first->setFocus(Qt::TabFocusReason);
        QStringList visited;
        for (int i = 0; i < order.size(); ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, order);
        QCOMPARE(QApplication::focusWidget(), first); // and round again
    }

    // The click runs the button, whose chooser is cancelled here, and the box keeps the focus
    // with its number as typed.
    void aClickOnAFlatButtonLeavesTheFocus_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("button");
        QTest::newRow("axes colour") << "properties"
                                     << "SpinEdit3"
                                     << "SpeedButton1";
        QTest::newRow("graph colour") << "properties"
                                      << "SpinEdit1"
                                      << "SpeedButton2";
        QTest::newRow("background colour") << "properties"
                                           << "SpinEdit7"
                                           << "SpeedButton3";
        QTest::newRow("label colour") << "annotation label"
                                      << "Edit1"
                                      << "SpeedButton3";
    }
    void aClickOnAFlatButtonLeavesTheFocus() {
        QFETCH(QString, dialog);
        QFETCH(QString, box);
        QFETCH(QString, button);
        int choosers = 0;
        SetDialogHook([&](QDialog &) {
            ++choosers;
            return int(QDialog::Rejected);
        });
        std::unique_ptr<QDialog> form = make(dialog);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        if (dialog.endsWith("label"))
            form->findChild<QRadioButton *>(QStringLiteral("RadioButton3"))->click();
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
