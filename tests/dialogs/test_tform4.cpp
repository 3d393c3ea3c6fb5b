// SPDX-License-Identifier: GPL-3.0-or-later
// The annotation dialog: layout, the kind buttons, the bounds set at activation, what
// "Делать" stores (the overflow included) and the label-colour chooser.
#include <QColorDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include "localesep.h"
#include "namedchild.h"
#include "tform4.h"
#include "tspinedit.h"
#include "uiseam.h"

using namespace kurvanto;
using kurvanto::testing::NamedChild;

class TestTForm4 : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { SetLocaleDecimalSeparator(QLatin1Char(',')); }
    void init();
    void cleanup();
    void layout_data();
    void layout();
    void window();
    void createdWithTicksChosen();
    void kindButtons_data();
    void kindButtons();
    void activationBounds_data();
    void activationBounds();
    void equalRoundedBoundsAcceptAnything();
    void doStoresAllThreeWhateverTheKind();
    void doTakesTheNumberAsTyped_data();
    void doTakesTheNumberAsTyped();
    void dontStoresNothing();
    void overflowKeepsTheDialogOpen_data();
    void overflowKeepsTheDialogOpen();
    void colourChooser();

  private:
    PlotState state;
    QStringList messages;
};

void TestTForm4::init() {
    state = PlotState();
    SetStartValues(state);
    messages.clear();
    SetMessageHook([this](const QString &text, QMessageBox::Icon) { messages << text; });
    SetDialogHook([](QDialog &) { return int(QDialog::Rejected); });
}

void TestTForm4::cleanup() {
    SetMessageHook(nullptr);
    SetDialogHook(nullptr);
}

void TestTForm4::layout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry"); // an empty size: only the position is fixed
    QTest::addColumn<QString>("text");

    QTest::newRow("frame") << "GroupBox1" << QRect(16, 16, 129, 97) << "Что делать ";
    QTest::newRow("ticks") << "RadioButton1" << QRect(16, 25, 0, 0) << "Насечки";
    QTest::newRow("corner") << "RadioButton2" << QRect(16, 48, 0, 0) << "Уголки";
    QTest::newRow("label") << "RadioButton3" << QRect(16, 73, 0, 0) << "Надписи";
    QTest::newRow("X=") << "Label1" << QRect(176, 25, 0, 0) << "X=";
    QTest::newRow("X") << "SpinEdit1" << QRect(217, 25, 120, 26) << "0";
    QTest::newRow("Y=") << "Label2" << QRect(176, 57, 0, 0) << "Y=";
    QTest::newRow("Y") << "SpinEdit2" << QRect(217, 57, 120, 26) << "0";
    QTest::newRow("Надпись:") << "Label3" << QRect(176, 89, 0, 0) << "Надпись:";
    QTest::newRow("text") << "Edit1" << QRect(281, 89, 120, 24) << "";
    QTest::newRow("colour") << "SpeedButton3" << QRect(117, 128, 185, 33) << "Цвет надписи";
    QTest::newRow("do") << "SpeedButton1" << QRect(16, 176, 185, 33) << "Делать";
    QTest::newRow("don't") << "SpeedButton2" << QRect(217, 176, 184, 33) << "Не делать";
}

void TestTForm4::layout() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    TForm4 form(state);
    QWidget *widget = form.findChild<QWidget *>(name);
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->pos(), geometry.topLeft());
    if (!geometry.size().isEmpty())
        QCOMPARE(widget->size(), geometry.size());
    QString shown;
    if (auto *box = qobject_cast<QGroupBox *>(widget))
        shown = box->title();
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        shown = button->text();
    else if (auto *label = qobject_cast<QLabel *>(widget))
        shown = label->text();
    else if (auto *edit = qobject_cast<QLineEdit *>(widget))
        shown = edit->text();
    QCOMPARE(shown, text);
    if (qobject_cast<QToolButton *>(widget)) {
        QCOMPARE(widget->focusPolicy(), Qt::TabFocus); // a click leaves a number as typed
    }
}

void TestTForm4::window() {
    TForm4 form(state);
    QCOMPARE(form.windowTitle(), QStringLiteral("Усовершенствование графика"));
    QCOMPARE(form.size(), QSize(418, 223));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form.findChild<QColorDialog *>(QStringLiteral("ColorDialog1")) != nullptr);

    QWidget *order[] = {NamedChild<QWidget>(form, "RadioButton3"),
                        NamedChild<QWidget>(form, "SpinEdit1"),
                        NamedChild<QWidget>(form, "SpinEdit2"), NamedChild<QWidget>(form, "Edit1")};
    for (int i = 0; i + 1 < 4; ++i) {
        QWidget *next = order[i]->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus || order[i]->isAncestorOf(next))
            next = next->nextInFocusChain(); // the spin edit's own button pair
        QCOMPARE(next->objectName(), order[i + 1]->objectName());
    }
}

void TestTForm4::createdWithTicksChosen() {
    state.TickMode = 0;
    state.CornerMode = 1;
    state.LabelMode = 1;
    TForm4 form(state);
    QCOMPARE(int(state.TickMode), 1);
    QCOMPARE(int(state.CornerMode), 0);
    QCOMPARE(int(state.LabelMode), 0);
    QVERIFY(NamedChild<QRadioButton>(form, "RadioButton1")->isChecked());
    QVERIFY(NamedChild<QWidget>(form, "SpinEdit1")->isEnabled());
    QVERIFY(NamedChild<QWidget>(form, "SpinEdit2")->isEnabled());
    QVERIFY(!NamedChild<QWidget>(form, "Label3")->isEnabled());
    QVERIFY(!NamedChild<QWidget>(form, "Edit1")->isEnabled());
    QVERIFY(!NamedChild<QWidget>(form, "SpeedButton3")->isEnabled());
}

void TestTForm4::kindButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("flags"); // TickMode, CornerMode, LabelMode
    QTest::addColumn<bool>("x");
    QTest::addColumn<bool>("y");
    QTest::addColumn<bool>("label");

    QTest::newRow("Насечки") << "RadioButton1"
                             << "100" << true << true << false;
    QTest::newRow("Уголки") << "RadioButton2"
                            << "010" << true << false << false;
    QTest::newRow("Надписи") << "RadioButton3"
                             << "001" << false << false << true;
}

void TestTForm4::kindButtons() {
    QFETCH(QString, button);
    QFETCH(QString, flags);
    QFETCH(bool, x);
    QFETCH(bool, y);
    QFETCH(bool, label);
    TForm4 form(state);
    // Start from another kind so that every row changes something.
    NamedChild<QRadioButton>(form, button == "RadioButton3" ? "RadioButton2" : "RadioButton3")
        ->click();
    NamedChild<QRadioButton>(form, qPrintable(button))->click();

    QCOMPARE(
        QStringLiteral("%1%2%3").arg(state.TickMode).arg(state.CornerMode).arg(state.LabelMode),
        flags);
    QCOMPARE(NamedChild<QWidget>(form, "Label1")->isEnabled(), x);
    QCOMPARE(NamedChild<QWidget>(form, "SpinEdit1")->isEnabled(), x);
    QCOMPARE(NamedChild<QWidget>(form, "Label2")->isEnabled(), y);
    QCOMPARE(NamedChild<QWidget>(form, "SpinEdit2")->isEnabled(), y);
    QCOMPARE(NamedChild<QWidget>(form, "Label3")->isEnabled(), label);
    QCOMPARE(NamedChild<QWidget>(form, "Edit1")->isEnabled(), label);
    QCOMPARE(NamedChild<QWidget>(form, "SpeedButton3")->isEnabled(), label);
}

void TestTForm4::activationBounds_data() {
    QTest::addColumn<double>("xMin");
    QTest::addColumn<double>("xMax");
    QTest::addColumn<double>("yMin");
    QTest::addColumn<double>("yMax");
    QTest::addColumn<QVector<double>>("bounds"); // X min, X max, Y min, Y max

    QTest::newRow("start values") << -10.0 << 10.0 << -10.0 << 10.0
                                  << QVector<double>{-10, 10, -10, 10};
    QTest::newRow("ties to even") << -2.5 << 3.5 << -0.5 << 1.5 << QVector<double>{-2, 4, 0, 2};
    QTest::newRow("fractions") << -7.6 << 0.4 << -1000.49 << 9999.51
                               << QVector<double>{-8, 0, -1000, 10000};
}

void TestTForm4::activationBounds() {
    QFETCH(double, xMin);
    QFETCH(double, xMax);
    QFETCH(double, yMin);
    QFETCH(double, yMax);
    QFETCH(QVector<double>, bounds);
    state.XMin = xMin;
    state.XMax = xMax;
    state.YMin = yMin;
    state.YMax = yMax;
    TForm4 form(state);
    auto *x = NamedChild<TSpinEdit>(form, "SpinEdit1");
    auto *y = NamedChild<TSpinEdit>(form, "SpinEdit2");
    x->setText(QStringLiteral("50000")); // set directly: the value shown is not limited
    form.FormActivate();
    QCOMPARE(x->MinValue(), bounds[0]);
    QCOMPARE(x->MaxValue(), bounds[1]);
    QCOMPARE(y->MinValue(), bounds[2]);
    QCOMPARE(y->MaxValue(), bounds[3]);
    QCOMPARE(x->text(), QStringLiteral("50000"));
    QCOMPARE(y->text(), QStringLiteral("0"));
}

void TestTForm4::equalRoundedBoundsAcceptAnything() {
    state.XMin = -0.4;
    state.XMax = 0.4;
    TForm4 form(state);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *x = NamedChild<TSpinEdit>(form, "SpinEdit1");
    QCOMPARE(x->MinValue(), 0.0);
    QCOMPARE(x->MaxValue(), 0.0);
    x->setValue(123456);
    QCOMPARE(x->text(), QStringLiteral("123456"));
    NamedChild<TSpinEdit>(form, "SpinEdit2")->setValue(123456);
    QCOMPARE(NamedChild<TSpinEdit>(form, "SpinEdit2")->text(),
             QStringLiteral("10")); // still bounded
}

void TestTForm4::doStoresAllThreeWhateverTheKind() {
    TForm4 form(state);
    NamedChild<TSpinEdit>(form, "SpinEdit1")->setValue(2.5);
    NamedChild<TSpinEdit>(form, "SpinEdit2")->setValue(-3);
    NamedChild<QRadioButton>(form, "RadioButton2")->click(); // Y= and the text box disabled
    NamedChild<QLineEdit>(form, "Edit1")->setText(QStringLiteral("вершина"));
    NamedChild<QToolButton>(form, "SpeedButton1")->click();

    QCOMPARE(double(state.AnnotationX), 2.5);
    QCOMPARE(double(state.AnnotationY), -3.0);
    QCOMPARE(state.LabelText, QStringLiteral("вершина"));
    QCOMPARE(int(state.AnnotationConfirmed), 1);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(messages.isEmpty());
}

void TestTForm4::doTakesTheNumberAsTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");

    QTest::newRow("beyond the upper bound") << "25" << 25.0;
    QTest::newRow("decimal comma") << "1,5" << 1.5;
    QTest::newRow("lone sign reads as the lower bound") << "-" << -10.0;
    QTest::newRow("empty reads as the lower bound") << "" << -10.0;
}

void TestTForm4::doTakesTheNumberAsTyped() {
    QFETCH(QString, typed);
    QFETCH(double, stored);
    TForm4 form(state);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *x = NamedChild<TSpinEdit>(form, "SpinEdit1");
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    x->setFocus();
    QTRY_VERIFY(x->hasFocus());
    x->selectAll();
    QTest::keyClick(x, Qt::Key_Backspace);
    QTest::keyClicks(x, typed);
    QTest::mouseClick(NamedChild<QToolButton>(form, "SpeedButton1"), Qt::LeftButton);
    QCOMPARE(double(state.AnnotationX), stored);
    QCOMPARE(int(state.AnnotationConfirmed), 1);
}

void TestTForm4::dontStoresNothing() {
    state.AnnotationX = Real48::from(7);
    state.LabelText = QStringLiteral("old");
    TForm4 form(state);
    NamedChild<TSpinEdit>(form, "SpinEdit1")->setValue(1);
    NamedChild<QLineEdit>(form, "Edit1")->setText(QStringLiteral("new"));
    NamedChild<QToolButton>(form, "SpeedButton2")->click();
    QCOMPARE(double(state.AnnotationX), 7.0);
    QCOMPARE(state.LabelText, QStringLiteral("old"));
    QCOMPARE(int(state.AnnotationConfirmed), 0);
    QCOMPARE(form.result(), int(QDialog::Rejected));
}

void TestTForm4::overflowKeepsTheDialogOpen_data() {
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<double>("storedX");

    const QString huge = QStringLiteral("1") + QString(39, QLatin1Char('0')); // 1E39
    QTest::newRow("X too large: nothing stored") << huge << "1" << 7.0;
    QTest::newRow("Y too large: X stays stored") << "1"
                                                 << "-" + huge << 1.0;
}

void TestTForm4::overflowKeepsTheDialogOpen() {
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(double, storedX);
    state.AnnotationX = Real48::from(7);
    state.AnnotationY = Real48::from(8);
    state.XMin = state.XMax = state.YMin = state.YMax = 0; // no bounds
    TForm4 form(state);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    NamedChild<TSpinEdit>(form, "SpinEdit1")->setText(x);
    NamedChild<TSpinEdit>(form, "SpinEdit2")->setText(y);
    NamedChild<QLineEdit>(form, "Edit1")->setText(QStringLiteral("new"));
    NamedChild<QToolButton>(form, "SpeedButton1")->click();

    QCOMPARE(messages, QStringList{QStringLiteral("Floating point overflow.")});
    QVERIFY(form.isVisible());
    QCOMPARE(double(state.AnnotationX), storedX);
    QCOMPARE(double(state.AnnotationY), 8.0);
    QVERIFY(state.LabelText.isEmpty());
    QCOMPARE(int(state.AnnotationConfirmed), 0);

    // Corrected, the same dialog then stores everything.
    NamedChild<TSpinEdit>(form, "SpinEdit1")->setText(QStringLiteral("3"));
    NamedChild<TSpinEdit>(form, "SpinEdit2")->setText(QStringLiteral("4"));
    NamedChild<QToolButton>(form, "SpeedButton1")->click();
    QCOMPARE(double(state.AnnotationY), 4.0);
    QVERIFY(!form.isVisible());
}

void TestTForm4::colourChooser() {
    QList<QColor> openedAt;
    QColor answer;
    int result = QDialog::Accepted;
    SetDialogHook([&](QDialog &dialog) {
        auto &chooser = static_cast<QColorDialog &>(dialog);
        openedAt << chooser.currentColor();
        chooser.setCurrentColor(answer);
        return result;
    });

    {
        TForm4 form(state);
        NamedChild<QRadioButton>(form, "RadioButton3")->click();
        answer = Qt::red;
        form.SpeedButton3Click();
        QCOMPARE(state.LabelColor, TColor(0x0000FF));
        answer = Qt::blue;
        result = QDialog::Rejected;
        form.SpeedButton3Click(); // cancelled: the colour stays
        QCOMPARE(state.LabelColor, TColor(0x0000FF));
        result = QDialog::Accepted;
        answer = QColor(1, 2, 3);
        form.SpeedButton3Click();
        QCOMPARE(state.LabelColor, TColor(0x030201));
        form.SpeedButton2Click(); // "Не делать" keeps the chosen colour
    }
    QCOMPARE(state.LabelColor, TColor(0x030201));
    {
        TForm4 form(state);
        form.SpeedButton3Click();
    }
    // Black in each new dialog, then the colour last confirmed in it.
    QCOMPARE(openedAt, (QList<QColor>{Qt::black, Qt::red, Qt::red, Qt::black}));
}

QTEST_MAIN(TestTForm4)
#include "test_tform4.moc"
