// SPDX-License-Identifier: GPL-3.0-or-later
// Zooming and moving the view in the main window, and the "Опции" menu's field options. The
// field is the start values' 640 x 440 with -10 .. 10 both ways: one x pixel is 20/641, one y
// pixel 20/441, so the point (2, 1) of x^2-3 lies at column 384.6, row 198.45.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>
#include <cmath>
#include <memory>

#include "annotation.h"
#include "localesep.h"
#include "recordinghost.h"
#include "tform1.h"
#include "tform2.h"
#include "tspinedit.h"
#include "windowtest.h"

using namespace kurvanto;

namespace {

constexpr QRgb kBlack = 0xFF000000;

// Whether a pixel within one of (x, y) has the colour.
bool NearPixel(const QImage &image, int x, int y, QRgb colour) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.valid(x + dx, y + dy) && image.pixel(x + dx, y + dy) == colour)
                return true;
    return false;
}

bool AnyPixel(const QImage &image, const QRect &area, QRgb colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour)
                return true;
    return false;
}

} // namespace

class TestView : public kurvanto::testing::WindowTest {
    Q_OBJECT

  public:
    TestView() : WindowTest(QSize(1280, 1024), QLatin1Char(',')) {}

  private:
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), image()->mapToGlobal(QPointF(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(image(), &event);
    }
    void drag(QPoint from, QPoint to) {
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        const QPoint half = (from + to) / 2; // on the way, as a hand moves
        mouse(QEvent::MouseMove, half, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
    void expectView(double xMin, double xMax, double yMin, double yMax) {
        QVERIFY2(std::fabs(state_.XMin - xMin) < 1e-9, qPrintable(QString::number(state_.XMin)));
        QVERIFY2(std::fabs(state_.XMax - xMax) < 1e-9, qPrintable(QString::number(state_.XMax)));
        QVERIFY2(std::fabs(state_.YMin - yMin) < 1e-9, qPrintable(QString::number(state_.YMin)));
        QVERIFY2(std::fabs(state_.YMax - yMax) < 1e-9, qPrintable(QString::number(state_.YMax)));
    }

  private slots:

    void wheelZoomsAboutThePointerAndHomeRestores() {
        QVERIFY(showAndBuild(QStringLiteral("x^2-3")));
        const QImage before = form_->canvas().image();
        const QPoint pointer(385, 198); // the pixel of (2, 1)
        QCOMPARE(MarkColumn(state_, 2), 385);
        QCOMPARE(MarkRow(state_, 1), 198);

        wheel(QPointF(pointer), 120); // one notch up
        QVERIFY(state_.XMax - state_.XMin < 20 && state_.YMax - state_.YMin < 20);
        QVERIFY(state_.XMin < 2 && 2 < state_.XMax && state_.YMin < 1 && 1 < state_.YMax);
        QVERIFY(std::abs(MarkColumn(state_, 2) - pointer.x()) <= 1);
        QVERIFY(std::abs(MarkRow(state_, 1) - pointer.y()) <= 1);
        // The read-out follows: the pointer's pixel reads about (2, 1) still.
        QCOMPARE(child<QLabel>("Label3")->text().left(3), QStringLiteral("2,0"));
        // The parabola drawn again on the new ranges, through (2, 1) and (-2, 1).
        const QImage zoomed = form_->canvas().image();
        QVERIFY(zoomed != before);
        QVERIFY(NearPixel(zoomed, MarkColumn(state_, 2), MarkRow(state_, 1), kBlack));
        QVERIFY(NearPixel(zoomed, MarkColumn(state_, -2), MarkRow(state_, 1), kBlack));

        QTest::mouseClick(image(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20)); // the focus
        QVERIFY(image()->hasFocus());
        QTest::keyClick(image(), Qt::Key_Home);
        expectView(-10, 10, -10, 10);
        QCOMPARE(form_->canvas().image(), before);
        QVERIFY(ui_->messages.isEmpty());
    }

    void dragMovesTheViewWithThePointer() {
        QVERIFY(showAndBuild(QStringLiteral("x^2-3")));
        const double unitsX = state_.XUnitsPerPixel, unitsY = state_.YUnitsPerPixel;
        QCOMPARE(unitsX, 20.0 / 641);
        drag(QPoint(100, 100), QPoint(200, 100));
        QCOMPARE(state_.XMin, -10 - 100 * unitsX);
        QCOMPARE(state_.XMax, 10 - 100 * unitsX);
        QCOMPARE(state_.YMin, -10.0);
        QCOMPARE(state_.YMax, 10.0);
        // The vertex (0, -3) now 100 pixels right of where it was: column 320.5 + 100.
        QVERIFY(NearPixel(form_->canvas().image(), 421, MarkRow(state_, -3), kBlack));

        drag(QPoint(300, 300), QPoint(300, 250)); // up: the view goes down
        QCOMPARE(state_.YMin, -10 - 50 * unitsY);
        QCOMPARE(state_.YMax, 10 - 50 * unitsY);

        // The wheel turned in the middle of a drag: the drag goes on from the zoomed view.
        mouse(QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
        wheel(QPointF(100, 100), 120);
        const double xMin = state_.XMin, zoomedUnits = state_.XUnitsPerPixel;
        QVERIFY(zoomedUnits < unitsX);
        mouse(QEvent::MouseMove, QPoint(140, 100), Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, QPoint(140, 100), Qt::LeftButton, Qt::NoButton);
        QVERIFY(std::fabs(state_.XMin - (xMin - 40 * zoomedUnits)) < 1e-9);
    }

    void clickWithoutMovementMovesNothing() {
        QVERIFY(showAndBuild(QStringLiteral("x^2-3")));
        const QImage before = form_->canvas().image();
        QTest::mouseClick(image(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
        expectView(-10, 10, -10, 10);
        QCOMPARE(form_->canvas().image(), before);
    }

    void anArmedLabelKeepsTheLeftButton() {
        QVERIFY(showAndBuild(QStringLiteral("x^2-3")));
        state_.LabelText = QStringLiteral("Вершина");
        state_.LabelColor = 0x0000FF; // red
        form_->nadpis();
        drag(QPoint(100, 100), QPoint(200, 100));
        expectView(-10, 10, -10, 10);
        QCOMPARE(state_.LabelClickCount, std::uint8_t(1)); // the press placed the label
        QCOMPARE(state_.LastClickX, 100);
        QVERIFY(AnyPixel(form_->canvas().image(), QRect(100, 100, 60, 25), 0xFFFF0000)); // red
    }

    void keysOnThePicture_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<double>("xMin");
        QTest::addColumn<double>("xMax");
        QTest::addColumn<double>("yMin");
        QTest::addColumn<double>("yMax");
        QTest::newRow("plus") << int(Qt::Key_Plus) << -8.0 << 8.0 << -8.0 << 8.0;
        QTest::newRow("equals") << int(Qt::Key_Equal) << -8.0 << 8.0 << -8.0 << 8.0;
        QTest::newRow("minus") << int(Qt::Key_Minus) << -12.5 << 12.5 << -12.5 << 12.5;
        QTest::newRow("left") << int(Qt::Key_Left) << -12.0 << 8.0 << -10.0 << 10.0;
        QTest::newRow("right") << int(Qt::Key_Right) << -8.0 << 12.0 << -10.0 << 10.0;
        QTest::newRow("up") << int(Qt::Key_Up) << -10.0 << 10.0 << -8.0 << 12.0;
        QTest::newRow("down") << int(Qt::Key_Down) << -10.0 << 10.0 << -12.0 << 8.0;
    }
    void keysOnThePicture() {
        QFETCH(int, key);
        QVERIFY(showAndBuild(QStringLiteral("x")));
        QTest::mouseClick(image(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QTest::keyClick(image(), Qt::Key(key));
        QFETCH(double, xMin);
        QFETCH(double, xMax);
        QFETCH(double, yMin);
        QFETCH(double, yMax);
        expectView(xMin, xMax, yMin, yMax);
        // Without the focus on the picture the same key is the formula box's.
        QTest::keyClick(image(), Qt::Key_Home);
        edit()->setFocus();
        QTest::keyClick(edit(), Qt::Key(key));
        expectView(-10, 10, -10, 10);
    }

    void ctrlKeysAnywhere() {
        QVERIFY(showAndBuild(QStringLiteral("x")));
        QVERIFY(edit()->hasFocus());
        QTest::keyClick(edit(), Qt::Key_Plus, Qt::ControlModifier);
        expectView(-8, 8, -8, 8);
        QTest::keyClick(edit(), Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(edit(), Qt::Key_Minus, Qt::ControlModifier);
        expectView(-12.5, 12.5, -12.5, 12.5);
        QTest::keyClick(edit(), Qt::Key_0, Qt::ControlModifier);
        expectView(-10, 10, -10, 10);
        QCOMPARE(edit()->text(), QStringLiteral("x")); // the box took none of them

        // The read-out follows the step at the pointer on the picture, and stays as it is
        // once the pointer has left.
        QLabel *readout = child<QLabel>("Label3");
        mouse(QEvent::MouseMove, QPoint(0, 0), Qt::NoButton, Qt::NoButton);
        QCOMPARE(readout->text(), QStringLiteral("-10"));
        QTest::keyClick(edit(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(readout->text(), QStringLiteral("-8"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(image(), &leave);
        QTest::keyClick(edit(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(readout->text(), QStringLiteral("-8"));
    }

    void zoomStopsAtTheBounds() {
        QVERIFY(showAndBuild(QStringLiteral("x")));
        for (int i = 0; i < 40; ++i) // 1.25^40 is far beyond 10000 / 10
            wheel(QPointF(320, 220), -120);
        QVERIFY(state_.XMax <= 10000 && state_.XMin >= -10000);
        QVERIFY(state_.XMax > 5000); // it went as far as the bounds allow
        const double xMax = state_.XMax;
        wheel(QPointF(320, 220), -120);
        QCOMPARE(state_.XMax, xMax);
        QVERIFY(ui_->messages.isEmpty());
    }

    // The properties dialog shows a zoomed view's ranges, and its "OK" untouched keeps them
    // and the picture; "OK" sets where Home returns.
    void propertiesOkKeepsTheViewAndSetsHome() {
        QVERIFY(showAndBuild(QStringLiteral("x^2-3")));
        wheel(QPointF(100, 100), 240);
        const ViewRanges zoomed = CurrentView(state_);
        const QImage before = form_->canvas().image();
        QString typed; // what the dialog types into MIN X before "OK"
        ui_->onDialog = [&typed](QDialog &dialog) {
            auto &properties = static_cast<TForm2 &>(dialog);
            properties.FormActivate();
            auto *xMin = properties.findChild<TSpinEdit *>(QStringLiteral("SpinEdit3"));
            if (typed.isEmpty())
                typed = xMin->text();
            xMin->setText(typed);
            properties.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
            return properties.result();
        };
        form_->SpeedButton3Click();
        QVERIFY(CurrentView(state_) == zoomed);
        QCOMPARE(QString(typed).replace(',', '.').toDouble(), zoomed.xMin); // not rounded
        QCOMPARE(form_->canvas().image(), before);
        QCOMPARE(state_.GraphPresent, std::uint8_t(1));

        // New ranges from "OK" clear the field; the next build draws on them, and Home comes
        // back to them.
        typed = QStringLiteral("-5");
        form_->SpeedButton3Click();
        expectView(-5, zoomed.xMax, zoomed.yMin, zoomed.yMax);
        QCOMPARE(state_.GraphPresent, std::uint8_t(0));
        wheel(QPointF(100, 100), -120);
        QTest::keyClick(edit(), Qt::Key_0, Qt::ControlModifier);
        expectView(-5, zoomed.xMax, zoomed.yMin, zoomed.yMax);
    }

    void buildAfterClearStartsAnEmptyList() {
        QVERIFY(showAndBuild(QStringLiteral("x^2-3")));
        form_->SpeedButton5Click();
        QVERIFY(form_->displayList().empty());
        QVERIFY(showAndBuild(QStringLiteral("x")));
        wheel(QPointF(320, 220), 120);
        // Only the line is drawn again: the parabola's (3, 6) stays background.
        QVERIFY(
            !NearPixel(form_->canvas().image(), MarkColumn(state_, 3), MarkRow(state_, 6), kBlack));
        QVERIFY(
            NearPixel(form_->canvas().image(), MarkColumn(state_, 3), MarkRow(state_, 3), kBlack));
    }

    // An option redraws the field at once; turned off again, the field is as it was.
    void optionToggledRedrawsTheField() {
        QVERIFY(showAndBuild(QStringLiteral("x^2-3")));
        const QImage before = form_->canvas().image();
        child<QAction>("N22")->trigger(); // the grid
        QVERIFY(form_->canvas().image() != before);
        child<QAction>("N22")->trigger();
        QCOMPARE(form_->canvas().image(), before);
    }

    // With the legend on, every build leaves the picture the field's redraw gives: the first
    // build on a fresh field shows its legend, a second one on the drawn field names both.
    void buildsWithTheLegendOnShowItWhole() {
        kurvanto::testing::RecordingHost host;
        const auto redrawn = [&] {
            PlotState again = state_;
            Canvas canvas;
            RedrawField(again, canvas, form_->displayList(), form_->fieldOptions(), host);
            return canvas.image();
        };
        child<QAction>("N25")->trigger();
        QVERIFY(showAndBuild(QStringLiteral("x^2-3")));
        QCOMPARE(form_->canvas().image(), redrawn());
        state_.GraphColor = 0x0000FF;
        QVERIFY(showAndBuild(QStringLiteral("x")));
        QCOMPARE(form_->displayList().legend().size(), std::size_t(2));
        QCOMPARE(form_->canvas().image(), redrawn());
        child<QAction>("N25")->trigger();
    }

    // With the grid on, a label placed and erased by the right button leaves the field as it
    // was, grid lines included; placed, it is on the field drawn again after a zoom.
    void labelErasedWithTheGridOn() {
        child<QAction>("N22")->trigger();
        QVERIFY(showAndBuild(QStringLiteral("x^2-3")));
        const QImage before = form_->canvas().image();
        state_.LabelText = QStringLiteral("ВЕРШИНА");
        state_.LabelColor = 0x0000FF;
        form_->nadpis();
        QTest::mouseClick(image(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 100));
        QVERIFY(AnyPixel(form_->canvas().image(), QRect(300, 100, 60, 25), 0xFFFF0000));
        QTest::mouseClick(image(), Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(form_->canvas().image(), before);
        QTest::mouseClick(image(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 100));
        QTest::mouseClick(image(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 100)); // done
        wheel(QPointF(300, 100), 120); // the label's corner stays at the pointer
        QVERIFY(AnyPixel(form_->canvas().image(), QRect(300, 100, 60, 25), 0xFFFF0000));
        child<QAction>("N22")->trigger();
    }

    void optionsOffAtFirstStartAndRemembered_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("text");
        QTest::newRow("grid") << "N22"
                              << "Сетка";
        QTest::newRow("numbers") << "N23"
                                 << "Числа на осях";
        QTest::newRow("breaks") << "N24"
                                << "Разрывы";
        QTest::newRow("legend") << "N25"
                                << "Легенда";
    }
    void optionsOffAtFirstStartAndRemembered() {
        QFETCH(QString, item);
        QFETCH(QString, text);
        const QByteArray name = item.toLatin1();
        QAction *action = child<QAction>(name.constData());
        QCOMPARE(action->text().remove(QLatin1Char('&')), text);
        QVERIFY(action->isCheckable());
        QVERIFY(!action->isChecked());
        const FieldOptions none;
        const auto same = [](const FieldOptions &a, const FieldOptions &b) {
            return a.grid == b.grid && a.numbers == b.numbers && a.breaks == b.breaks &&
                   a.legend == b.legend;
        };
        QVERIFY(same(form_->fieldOptions(), none));

        action->trigger();
        QVERIFY(action->isChecked());
        QVERIFY(!same(form_->fieldOptions(), none));
        // The next start has it on; turned off there, the one after has it off again.
        for (bool on : {true, false}) {
            PlotState state;
            TForm1 next(state, [] { return QSize(1280, 1024); });
            QAction *again = next.findChild<QAction *>(item);
            QVERIFY(again);
            QCOMPARE(again->isChecked(), on);
            QCOMPARE(same(next.fieldOptions(), none), !on);
            if (on)
                again->trigger();
        }
    }
};

QTEST_MAIN(TestView)
#include "tst_view.moc"
