// SPDX-License-Identifier: GPL-3.0-or-later
// The annotation command end to end: the main window's button or menu item, the dialog as a
// user fills it in, the mark on the picture, and labels placed with the mouse.
#include <QAction>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>
#include <QToolButton>
#include <QtTest>
#include <functional>

#include "localesep.h"
#include "tform1.h"
#include "tform4.h"
#include "tspinedit.h"
#include "uiseam.h"
#include "windowtest.h"

using namespace kurvanto;

namespace {

// What the user does in the annotation dialog before it closes.
using DialogScript = std::function<void(TForm4 &dialog)>;

void ClickButton(QWidget &parent, const char *name) {
    auto *button = parent.findChild<QToolButton *>(QLatin1String(name));
    QVERIFY2(button != nullptr, name);
    button->click();
}

void Choose(TForm4 &dialog, const char *radio, const QString &x, const QString &y,
            const QString &text) {
    dialog.findChild<QRadioButton *>(QLatin1String(radio))->click();
    dialog.findChild<TSpinEdit *>(QStringLiteral("SpinEdit1"))->setText(x);
    dialog.findChild<TSpinEdit *>(QStringLiteral("SpinEdit2"))->setText(y);
    dialog.findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(text);
    ClickButton(dialog, "SpeedButton1"); // "Делать"
}

} // namespace

class TestAnnotationCommand : public kurvanto::testing::WindowTest {
    Q_OBJECT

  public:
    TestAnnotationCommand() : WindowTest(QSize(1280, 1024), QLatin1Char(',')) {}

  private slots:
    void init();
    void noGraphNoDialog();
    void marks_data();
    void marks();
    void dontDrawsNothing();
    void labelPlacedErasedAndEnded();
    void doubleClickPlacesAndEnds();
    void labelAfterClearDrawsOnANewPicture();

  private:
    void annotate(const DialogScript &script, bool byMenu = false);

    DialogScript script;
};

void TestAnnotationCommand::init() {
    WindowTest::init();
    ui_->onDialog = [this](QDialog &dialog) {
        auto *annotation = qobject_cast<TForm4 *>(&dialog);
        if (annotation == nullptr || !script)
            return int(QDialog::Rejected);
        annotation->show(); // activation sets the bounds
        script(*annotation);
        annotation->hide();
        return annotation->result();
    };
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void TestAnnotationCommand::annotate(const DialogScript &s, bool byMenu) {
    script = s;
    if (byMenu)
        form_->findChild<QAction *>(QStringLiteral("N17"))->trigger();
    else
        ClickButton(*form_, "SpeedButton7");
    script = nullptr;
}

void TestAnnotationCommand::noGraphNoDialog() {
    annotate([](TForm4 &d) { Choose(d, "RadioButton1", "1", "1", ""); });
    QCOMPARE(ui_->messages, QStringList{QStringLiteral("Нет графика на поле!!!")});
    QCOMPARE(int(ui_->dialogs.size()), 0);
    QVERIFY(picture().isNull());
}

void TestAnnotationCommand::marks_data() {
    QTest::addColumn<bool>("byMenu");
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QPoint>("marked"); // a pixel the mark covers
    QTest::addColumn<QPoint>("unmarked");

    // Start values: 640 x 440, scale 20/641 and 20/441; x0 = 320 (320.5 to even), y0 = 220.
    // Ticks at (1, 1): row py(1) - 1 = 197, column px(1) = 353.
    QTest::newRow("ticks") << false << "RadioButton1" << QPoint(317, 197) << QPoint(316, 197);
    // y0 rounds 220.5000000000000026 up to 221, one row below the plot's truncated axis.
    QTest::newRow("ticks by menu")
        << true << "RadioButton1" << QPoint(353, 217) << QPoint(353, 216);
    // Corner of x*x at 1: value 1 at row 198, from column 320 to 352 and down to row 220.
    QTest::newRow("corner") << false << "RadioButton2" << QPoint(330, 198) << QPoint(330, 197);
}

void TestAnnotationCommand::marks() {
    QFETCH(bool, byMenu);
    QFETCH(QString, radio);
    QFETCH(QPoint, marked);
    QFETCH(QPoint, unmarked);
    QVERIFY(build(QStringLiteral("x*x")));
    const QImage before = picture();
    annotate([&](TForm4 &d) { Choose(d, qPrintable(radio), "1", "1", ""); }, byMenu);
    QCOMPARE(int(ui_->dialogs.size()), 1);
    QVERIFY(ui_->messages.isEmpty());
    QCOMPARE(picture().pixel(marked), qRgb(0, 0, 0));
    QCOMPARE(before.pixel(marked), before.pixel(unmarked));
    QCOMPARE(picture().pixel(unmarked), before.pixel(unmarked));
}

void TestAnnotationCommand::dontDrawsNothing() {
    QVERIFY(build(QStringLiteral("x*x")));
    const QImage before = picture();
    annotate([](TForm4 &d) {
        d.findChild<TSpinEdit *>(QStringLiteral("SpinEdit1"))->setText(QStringLiteral("1"));
        ClickButton(d, "SpeedButton2"); // "Не делать"
    });
    QCOMPARE(picture(), before);
    QCOMPARE(int(state_.AnnotationConfirmed), 0);
}

void TestAnnotationCommand::labelPlacedErasedAndEnded() {
    QVERIFY(build(QStringLiteral("0")));
    annotate([](TForm4 &d) { Choose(d, "RadioButton3", "0", "0", QStringLiteral("вершина")); });
    QCOMPARE(int(state_.LabelArmed), 1);
    const QImage blank = picture();

    QTest::mouseClick(image(), Qt::LeftButton, {}, QPoint(100, 50));
    QVERIFY(picture() != blank);
    QCOMPARE(state_.LastClickX, 100);
    QTest::mouseClick(image(), Qt::RightButton, {}, QPoint(400, 300));
    QCOMPARE(picture(), blank); // the label's box was blank background
    QTest::mouseClick(image(), Qt::LeftButton, {}, QPoint(200, 60));
    const QImage placed = picture();
    QVERIFY(placed != blank);
    QTest::mouseClick(image(), Qt::LeftButton, {}, QPoint(300, 60)); // ends the mode
    QCOMPARE(int(state_.LabelArmed), 0);
    QTest::mouseClick(image(), Qt::RightButton, {}, QPoint(300, 60));
    QCOMPARE(picture(), placed);
}

void TestAnnotationCommand::doubleClickPlacesAndEnds() {
    QVERIFY(build(QStringLiteral("0")));
    annotate([](TForm4 &d) { Choose(d, "RadioButton3", "0", "0", QStringLiteral("A")); });
    const QImage blank = picture();
    // As the window system delivers it: press, release, press and double click, release.
    QTest::mouseDClick(form_->windowHandle(), Qt::LeftButton, {},
                       image()->mapTo(form_.get(), QPoint(100, 50)));
    QCOMPARE(int(state_.LabelArmed), 0);
    QVERIFY(picture() != blank);
}

void TestAnnotationCommand::labelAfterClearDrawsOnANewPicture() {
    QVERIFY(build(QStringLiteral("x")));
    annotate([](TForm4 &d) { Choose(d, "RadioButton3", "0", "0", QStringLiteral("A")); });
    ClickButton(*form_, "SpeedButton5"); // clear the field
    QVERIFY(picture().isNull());
    QTest::mouseClick(image(), Qt::LeftButton, {}, QPoint(100, 50));
    QCOMPARE(picture().size(), QSize(640, 441));
    QCOMPARE(int(state_.GraphPresent), 0);
    QCOMPARE(int(state_.LabelArmed), 1);
}

QTEST_MAIN(TestAnnotationCommand)
#include "test_tform4_mainwindow.moc"
