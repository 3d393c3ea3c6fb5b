// SPDX-License-Identifier: GPL-3.0-or-later
// The interval dialog: activation shows the interval and bounds both ends by the x range;
// "ОК" stores what the boxes hold; any other way out keeps the interval.
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "localesep.h"
#include "tform6.h"
#include "tspinedit.h"
#include "typing.h"
#include "uiseam.h"

using namespace kurvanto;
using testing::spin;
using testing::typeInto;

class TestTForm6 : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { SetLocaleDecimalSeparator(QLatin1Char(',')); }
    void init();
    void cleanup();
    void windowAndFocusOrder();
    void activation_data();
    void activation();
    void ok_data();
    void ok();
    void closeWithoutOk_data();
    void closeWithoutOk();
    void endsEqualToTheRange_data();
    void endsEqualToTheRange();

  private:
    std::unique_ptr<TForm6> open();

    PlotState state_;
    QStringList messages_;
};

void TestTForm6::init() {
    state_ = PlotState{};
    SetStartValues(state_);
    messages_.clear();
    SetMessageHook([this](const QString &text, QMessageBox::Icon) { messages_ << text; });
}

void TestTForm6::cleanup() {
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('|')));
}

std::unique_ptr<TForm6> TestTForm6::open() {
    auto dialog = std::make_unique<TForm6>(state_);
    dialog->show();
    if (!QTest::qWaitForWindowActive(dialog.get()))
        return nullptr;
    return dialog;
}

void TestTForm6::windowAndFocusOrder() {
    auto dialog = open();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QString("Построение на промежутке..."));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    const Qt::WindowFlags flags = dialog->windowFlags();
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(!(flags & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                       Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(dialog->findChild<QPushButton *>("Button1")->text(), QString("ОК"));

    QCOMPARE(QApplication::focusWidget()->objectName(), QString("SpinEdit1"));
    for (const char *name : {"SpinEdit2", "Button1", "SpinEdit1"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString(name));
    }
}

void TestTForm6::activation_data() {
    QTest::addColumn<double>("xmin");
    QTest::addColumn<double>("xmax");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<QString>("fromText");
    QTest::addColumn<QString>("toText");
    QTest::newRow("whole range") << -10.0 << 10.0 << -10.0 << 10.0 << "-10"
                                 << "10";
    QTest::newRow("fractional range, exact bounds") << -2.75 << 3.125 << -1.5 << 0.1 << "-1,5"
                                                    << "0,1";
    // The values are set before the bounds, so they are shown as stored.
    QTest::newRow("interval beyond the range") << 0.0 << 5.0 << -7.0 << 9.0 << "-7"
                                               << "9";
}

void TestTForm6::activation() {
    QFETCH(double, xmin);
    QFETCH(double, xmax);
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(QString, fromText);
    QFETCH(QString, toText);
    state_.XMin = xmin;
    state_.XMax = xmax;
    state_.IntervalFrom = from;
    state_.IntervalTo = to;
    auto dialog = open();
    QVERIFY(dialog);
    for (const char *name : {"SpinEdit1", "SpinEdit2"}) {
        QCOMPARE(spin(*dialog, name)->MinValue(), xmin);
        QCOMPARE(spin(*dialog, name)->MaxValue(), xmax);
    }
    QCOMPARE(spin(*dialog, "SpinEdit1")->text(), fromText);
    QCOMPARE(spin(*dialog, "SpinEdit2")->text(), toText);
}

void TestTForm6::ok_data() {
    QTest::addColumn<double>("xmin");
    QTest::addColumn<double>("xmax");
    QTest::addColumn<QString>("typedFrom"); // null: left as shown
    QTest::addColumn<QString>("typedTo");
    QTest::addColumn<QString>("how");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");

    QTest::newRow("untouched") << -10.0 << 10.0 << QString() << QString() << "mouse" << -10.0
                               << 10.0;
    QTest::newRow("ДО 50 limited to 10") << -10.0 << 10.0 << QString() << "50"
                                         << "mouse" << -10.0 << 10.0;
    QTest::newRow("ДО 50 limited, Enter") << -10.0 << 10.0 << QString() << "50"
                                          << "enter" << -10.0 << 10.0;
    QTest::newRow("ОТ -30 limited, Enter")
        << -10.0 << 10.0 << "-30" << QString() << "enter" << -10.0 << 10.0;
    QTest::newRow("ОТ above ДО kept") << -10.0 << 10.0 << "5"
                                      << "-5"
                                      << "mouse" << 5.0 << -5.0;
    QTest::newRow("fraction") << -10.0 << 10.0 << "2"
                              << "2,5"
                              << "mouse" << 2.0 << 2.5;
    QTest::newRow("equal bounds accept any") << 3.0 << 3.0 << "-70"
                                             << "50"
                                             << "mouse" << -70.0 << 50.0;
    QTest::newRow("emptied ОТ reads XMin")
        << -2.5 << 10.0 << "" << QString() << "mouse" << -2.5 << 10.0;
    QTest::newRow("emptied ДО reads XMin") << -2.5 << 10.0 << QString() << ""
                                           << "click" << -2.5 << -2.5;
}

void TestTForm6::ok() {
    QFETCH(double, xmin);
    QFETCH(double, xmax);
    QFETCH(QString, typedFrom);
    QFETCH(QString, typedTo);
    QFETCH(QString, how);
    QFETCH(double, from);
    QFETCH(double, to);
    state_.XMin = state_.IntervalFrom = xmin;
    state_.XMax = state_.IntervalTo = xmax;
    auto dialog = open();
    QVERIFY(dialog);
    if (!typedFrom.isNull())
        typeInto(spin(*dialog, "SpinEdit1"), typedFrom);
    if (!typedTo.isNull())
        typeInto(spin(*dialog, "SpinEdit2"), typedTo);
    auto *ok = dialog->findChild<QPushButton *>("Button1");
    if (how == "mouse")
        QTest::mouseClick(ok, Qt::LeftButton);
    else if (how == "enter")
        QTest::keyClick(dialog.get(), Qt::Key_Return);
    else
        ok->click();
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(!dialog->isVisible());
    QCOMPARE(state_.IntervalFrom, from);
    QCOMPARE(state_.IntervalTo, to);
    QCOMPARE(state_.XMin, xmin); // the range itself is never written
    QCOMPARE(state_.XMax, xmax);
}

void TestTForm6::closeWithoutOk_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Escape") << true;
    QTest::newRow("window manager close") << false;
}

void TestTForm6::closeWithoutOk() {
    QFETCH(bool, escape);
    state_.IntervalFrom = -4;
    state_.IntervalTo = 6;
    auto dialog = open();
    QVERIFY(dialog);
    typeInto(spin(*dialog, "SpinEdit1"), "1");
    typeInto(spin(*dialog, "SpinEdit2"), "2");
    if (escape)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // typed in the box
    else
        dialog->close();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QCOMPARE(state_.IntervalFrom, -4.0);
    QCOMPARE(state_.IntervalTo, 6.0);
}

// Ends typed equal to XMin and XMax lie within the bounds: "ОК" stores them exactly, and
// leaving the boxes neither rewrites what was typed nor raises a change.
void TestTForm6::endsEqualToTheRange_data() {
    QTest::addColumn<double>("xmin");
    QTest::addColumn<double>("xmax");
    QTest::addColumn<QString>("typedFrom");
    QTest::addColumn<QString>("typedTo");
    QTest::addColumn<QString>("shownFrom"); // as the box keeps it
    QTest::addColumn<QString>("shownTo");
    QTest::newRow("whole numbers") << -10.0 << 10.0 << "-10"
                                   << "10"
                                   << "-10"
                                   << "10";
    QTest::newRow("fractions") << -2.75 << 3.125 << "-2,75"
                               << "3,125"
                               << "-2,75"
                               << "3,125";
    QTest::newRow("trailing zeros kept") << -2.75 << 3.125 << "-2,750"
                                         << "3,1250"
                                         << "-2,750"
                                         << "3,1250";
    QTest::newRow("no exact binary value") << -0.1 << 0.7 << "-0,1"
                                           << "0,7"
                                           << "-0,1"
                                           << "0,7";
    QTest::newRow("typed with a point") << -0.1 << 0.7 << "-0.1"
                                        << "0.7"
                                        << "-0,1"
                                        << "0,7";
    QTest::newRow("largest range") << -10000.0 << 10000.0 << "-10000"
                                   << "10000"
                                   << "-10000"
                                   << "10000";
}

void TestTForm6::endsEqualToTheRange() {
    QFETCH(double, xmin);
    QFETCH(double, xmax);
    QFETCH(QString, typedFrom);
    QFETCH(QString, typedTo);
    QFETCH(QString, shownFrom);
    QFETCH(QString, shownTo);
    state_.XMin = xmin;
    state_.XMax = xmax;
    state_.IntervalFrom = (xmin + xmax) / 2;
    state_.IntervalTo = (xmin + xmax) / 2;
    auto dialog = open();
    QVERIFY(dialog);
    TSpinEdit *from = spin(*dialog, "SpinEdit1");
    TSpinEdit *to = spin(*dialog, "SpinEdit2");
    typeInto(from, typedFrom);
    typeInto(to, typedTo);
    QSignalSpy fromChanges(from, &TSpinEdit::OnChange);
    QSignalSpy toChanges(to, &TSpinEdit::OnChange);
    QTest::mouseClick(dialog->findChild<QPushButton *>("Button1"), Qt::LeftButton);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(state_.IntervalFrom, xmin);
    QCOMPARE(state_.IntervalTo, xmax);
    QCOMPARE(from->text(), shownFrom);
    QCOMPARE(to->text(), shownTo);
    QCOMPARE(fromChanges.count(), 0);
    QCOMPARE(toChanges.count(), 0);
}

QTEST_MAIN(TestTForm6)
#include "test_tform6.moc"
