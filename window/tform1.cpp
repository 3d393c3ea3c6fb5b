// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: creation, activation, the picture under the mouse and what the build run
// asks of the window. The widgets, the menu and the commands have files of their own.
#include "tform1.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "annotation.h"
#include "fieldsettings.h"
#include "localesep.h"
#include "picturebox.h"
#include "programresources.h"
#include "readout.h"
#include "tform5.h"
#include "tform6.h"
#include "tracer.h"
#include "uiseam.h"

namespace kurvanto {

namespace {

const QString kSmallScreen = QStringLiteral("Разрешение ниже, чем 800х600!");
constexpr int kMinScreenWidth = 800;
constexpr int kMinScreenHeight = 600;

} // namespace

QSize TForm1::PrimaryScreenSize() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(0, 0);
}

TForm1::TForm1(PlotState &state, ScreenSizeProvider screenSize, QWidget *parent)
    : QMainWindow(parent), state_(state), screen_size_(std::move(screenSize)), field_(state, *this),
      navigator_(
          field_, [this] { redrawField(); },
          [this](int x, int y) { Image1MouseMove(Qt::NoModifier, x, y); }) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kurvanto(Курванто) Версия 2.0"));
    setWindowIcon(MainWindowIcon());
    resize(800, 600);

    auto *client = new QWidget(this);
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    setCentralWidget(client);
    field_.loadOptions(LoadFieldOptions());
    createToolbar();
    layout->addWidget(Panel2);
    layout->addStretch();
    createDrawingPanel();
    createMenu();

    FormCreate();
    nameControls();
    shownView_ = CurrentView(state_);
}

// ---- Creation and activation ----

void TForm1::FormCreate() {
    Image1->setCursor(LoadProgramCursor(QStringLiteral("mycurs")));
    Image1->move(kImage1Position);
    SetStartValues(state_, Panel1->width(), Panel1->height());
    field_.setHomeRanges(CurrentView(state_));
    check(screen_size_ ? screen_size_() : QSize(0, 0));
}

void TForm1::check(QSize screen) {
    if (screen.width() < kMinScreenWidth || screen.height() < kMinScreenHeight) {
        state_.RefuseStart = 1;
        state_.RefuseMessage = kSmallScreen;
    }
    if (state_.RefuseStart) {
        TForm5 refusal(state_, this);
        ExecDialog(refusal);
    }
}

void TForm1::FormActivate() {
    Panel1->resize(state_.FieldWidth + kPanelMargin, state_.FieldHeight + kPanelMargin);
    Image1->setGeometry(QRect(kImage1Position, QSize(state_.FieldWidth, state_.FieldHeight + 1)));
    if (state_.RefuseStart)
        QTimer::singleShot(0, this, &QWidget::close); // once the window is up, it goes
}

bool TForm1::event(QEvent *event) {
    if (event->type() == QEvent::WindowActivate)
        RunCommand(this, [this] { FormActivate(); });
    return QMainWindow::event(event);
}

// The formula box is where the keyboard focus stays, so it must not swallow the window's Ctrl+C:
// the box copies only a selection of its own, otherwise the key copies the picture.
bool TForm1::eventFilter(QObject *watched, QEvent *event) {
    if (watched == Image1 && event->type() == QEvent::Paint)
        refreshPointsPanel();
    if (watched == Edit1 && event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Copy) && !Edit1->hasSelectedText()) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    // Not every window system activates a new window: the first showing counts as activation.
    if (!shown_) {
        shown_ = true;
        RunCommand(this, [this] { FormActivate(); });
    }
}

// ---- The picture under the mouse ----

void TForm1::Image1MouseMove(Qt::KeyboardModifiers, int x, int y) {
    navigator_.pointerMoved(x, y);
    RunCommand(this, [&] {
        const long double xValue =
            static_cast<long double>(x) * state_.ReadoutXUnitsPerPixel + state_.XMin;
        const long double yValue =
            state_.YMax - static_cast<long double>(y) * state_.ReadoutYUnitsPerPixel;
        const QChar separator = LocaleDecimalSeparator();
        Label3->setText(ReadoutText(xValue, separator));
        Label3->adjustSize();
        Label4->setText(ReadoutText(yValue, separator));
        Label4->adjustSize();
        tracer_->pointerAt(x, y); // with the trace on, its x and value instead
    });
}

void TForm1::Image1MouseDown(Qt::MouseButton button, int x, int y) {
    navigator_.pressed(button, x, y);
    RunCommand(this, [&] { field_.labelClick(button, x, y); });
    Image1->update();
}

void TForm1::Image1MouseUp(Qt::MouseButton button, int, int) {
    navigator_.released(button);
}

void TForm1::Image1Drag(int x, int y) {
    navigator_.dragged(x, y);
}

void TForm1::Image1Wheel(double x, double y, int eighths) {
    navigator_.wheelTurned(x, y, eighths);
}

void TForm1::Image1ViewKey(int key) {
    if (tracer_->viewKey(key))
        return;
    navigator_.viewKey(key);
}

// ---- The view ----

void TForm1::zoomAbout(double pixelX, double pixelY, double factor) {
    navigator_.zoomAbout(pixelX, pixelY, factor);
}

void TForm1::zoomIn() {
    navigator_.zoomIn();
}

void TForm1::zoomOut() {
    navigator_.zoomOut();
}

void TForm1::moveView(double dxPixels, double dyPixels) {
    navigator_.moveView(dxPixels, dyPixels);
}

void TForm1::homeView() {
    navigator_.home();
}

void TForm1::redrawField() {
    if (undo_ && !stepping_) {
        viewStep(); // a step of its own, drawn by its first run
        return;
    }
    RunCommand(this, [this] { field_.redraw(); });
    Image1->update();
}

// ---- Annotation ----

void TForm1::nasec() {
    kurvanto::nasec(state_, field_.canvas());
    Image1->update();
}

void TForm1::ugolok() {
    kurvanto::ugolok(state_, field_.canvas());
    Image1->update();
}

void TForm1::nadpis() {
    kurvanto::nadpis(state_);
}

// ---- What the build run asks of the window ----

void TForm1::askInterval() {
    {
        TForm6 interval(state_, this);
        ExecDialog(interval);
    }
    FormActivate();
}

void TForm1::setErrorLabelVisible(bool visible) {
    Label2->setVisible(visible);
    buildRefused_ = visible;
}

void TForm1::showReadoutLabels() {
    setReadoutLabelsVisible(true);
}

void TForm1::setReadoutLabelsVisible(bool visible) {
    for (QLabel *label : {Label3, Label4, Label5, Label6})
        label->setVisible(visible);
}

} // namespace kurvanto
