// SPDX-License-Identifier: GPL-3.0-or-later
#include "tform6.h"
#include "formstyle.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include "tspinedit.h"
#include "uiseam.h"

namespace kurvanto {

namespace {

// The window is laid out for an outer size of 310 x 152; the client area is what remains
// inside a dialog frame (4-pixel borders and the title bar).
constexpr int kClientWidth = 302;
constexpr int kClientHeight = 121;

// A fresh box has no bounds (both 0), so the interval is shown as stored.
TSpinEdit *makeSpinEdit(QWidget *parent, const char *name, int left, int width, double value) {
    auto *edit = new TSpinEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(left, 24, width, 26);
    edit->setIncrement(1);
    edit->setValue(value);
    return edit;
}

} // namespace

TForm6::TForm6(PlotState &state, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), state_(state) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Построение на промежутке..."));
    setFont(PixelFont(QStringLiteral("MS Sans Serif"), 13));
    SetTextColor(*this, QPalette::WindowText, Qt::black);
    setFixedSize(kClientWidth, kClientHeight);
    createControls();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TForm6::createControls() {
    const QFont labelFont = PixelFont(QStringLiteral("Times New Roman"), 23);
    QLabel *from = MakeLabel(this, "Label1", QStringLiteral("ОТ"), {31, 24}, labelFont, Qt::red);
    SpinEdit1 = makeSpinEdit(this, "SpinEdit1", 79, 65, -1);
    NameAfterLabel(*from, *SpinEdit1);
    QLabel *to = MakeLabel(this, "Label2", QStringLiteral("ДО"), {159, 24}, labelFont,
                           QColor(0x00, 0xFF, 0x00));
    SpinEdit2 = makeSpinEdit(this, "SpinEdit2", 207, 64, 1);
    NameAfterLabel(*to, *SpinEdit2);
    Button1 = new QPushButton(QStringLiteral("ОК"), this); // Cyrillic О and К
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFont(PixelFont(QStringLiteral("Arial"), 20, true));
    SetTextColor(*Button1, QPalette::ButtonText, Qt::black);
    Button1->setGeometry(113, 80, 75, 25);
    QWidget::setTabOrder(SpinEdit1, SpinEdit2);
    QWidget::setTabOrder(SpinEdit2, Button1);
    SpinEdit1->setFocus();
    connect(Button1, &QPushButton::clicked, this,
            [this] { RunCommand(this, [&] { Button1Click(); }); });
}

void TForm6::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        RunCommand(this, [&] { FormActivate(); });
}

// The values first, while the boxes have no bounds; then the bounds, exactly, which do not
// limit what is shown until a step, an assignment or a loss of focus.
void TForm6::FormActivate() {
    SpinEdit1->setValue(state_.IntervalFrom);
    SpinEdit2->setValue(state_.IntervalTo);
    SpinEdit1->setMinValue(state_.XMin);
    SpinEdit2->setMinValue(state_.XMin);
    SpinEdit1->setMaxValue(state_.XMax);
    SpinEdit2->setMaxValue(state_.XMax);
}

void TForm6::Button1Click() {
    // However the click came, the button takes the focus first, so the box being edited
    // limits its number to the x range before it is read.
    Button1->setFocus(Qt::OtherFocusReason);
    state_.IntervalFrom = static_cast<double>(SpinEdit1->Value());
    state_.IntervalTo = static_cast<double>(SpinEdit2->Value());
    accept();
}

} // namespace kurvanto
