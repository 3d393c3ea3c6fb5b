// SPDX-License-Identifier: GPL-3.0-or-later
#include "tform2.h"
#include "formstyle.h"

#include "canvas.h"

#include <QColorDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>
#include <algorithm>
#include <iterator>
#include <utility>

#include "fielddescription.h"
#include "rounding.h"
#include "tspinedit.h"
#include "uiseam.h"

namespace kurvanto {

namespace {

// The size and precision boxes are 57 wide; the range boxes, wider, show -10000 whole.
constexpr int kBoxWidth = 57, kRangeBoxLeft = 476, kRangeBoxWidth = 68;

TSpinEdit *makeSpinEdit(QWidget *parent, const char *name, QRect place, double min, double max,
                        double value) {
    auto *edit = new TSpinEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(place);
    edit->setMinValue(min);
    edit->setMaxValue(max);
    edit->setIncrement(1);
    edit->setValue(value);
    return edit;
}

} // namespace

TForm2::TForm2(PlotState &state, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint),
      state_(state) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Свойства графика"));
    setFixedSize(555, 286);
    createLabels();
    createSpinEdits();
    createButtons();
    nameControls();
    setFocusOrder();
    connectHandlers();
    ColorDialog1 = new QColorDialog(this);
    ColorDialog1->setObjectName(QStringLiteral("ColorDialog1"));
    SpinEdit1->setFocus();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TForm2::createLabels() {
    const QFont caption = PixelFont(QStringLiteral("Times New Roman"), 23, false, true);
    const QFont range = PixelFont(QStringLiteral("Times New Roman"), 20, true, true);
    const QColor navy(0x00, 0x00, 0x80), teal(0x00, 0x80, 0x80);
    MakeLabel(this, "Label1", QStringLiteral("Ширина графика"), {16, 25}, caption, navy);
    MakeLabel(this, "Label7", QStringLiteral("пиксел"), {278, 25}, caption, navy);
    MakeLabel(this, "Label2", QStringLiteral("Высота графика"), {16, 73}, caption, navy);
    MakeLabel(this, "Label8", QStringLiteral("пиксел"), {278, 73}, caption, navy);
    MakeLabel(this, "Label9", QStringLiteral("Точность"), {368, 49}, caption, navy);
    MakeLabel(this, "Label3", QStringLiteral("MIN X"), {409, 128}, range, teal);
    MakeLabel(this, "Label4", QStringLiteral("MIN Y"), {409, 160}, range, teal);
    MakeLabel(this, "Label5", QStringLiteral("MAX X"), {409, 192}, range, teal);
    MakeLabel(this, "Label6", QStringLiteral("MAX Y"), {409, 224}, range, teal);
}

void TForm2::createSpinEdits() {
    SpinEdit1 = makeSpinEdit(this, "SpinEdit1", {204, 25, kBoxWidth, 26}, 40, 800, 640);
    SpinEdit2 = makeSpinEdit(this, "SpinEdit2", {204, 73, kBoxWidth, 26}, 40, 600, 440);
    SpinEdit7 = makeSpinEdit(this, "SpinEdit7", {484, 49, kBoxWidth, 26}, 1, 100, 2);
    const auto range = [this](const char *name, int top, double min, double max, double value) {
        return makeSpinEdit(this, name, {kRangeBoxLeft, top, kRangeBoxWidth, 26}, min, max, value);
    };
    SpinEdit3 = range("SpinEdit3", 128, -10000, 0, -10);
    SpinEdit4 = range("SpinEdit4", 160, -10000, 0, -10);
    SpinEdit5 = range("SpinEdit5", 192, 0, 10000, 10);
    SpinEdit6 = range("SpinEdit6", 224, 0, 10000, 10);
    shown_[0].edit = SpinEdit3;
    shown_[1].edit = SpinEdit4;
    shown_[2].edit = SpinEdit5;
    shown_[3].edit = SpinEdit6;
}

void TForm2::createButtons() {
    // The colour buttons stand on a diagonal, each 80 right of and 48 below the one before.
    const QFont font = PixelFont(QStringLiteral("Times New Roman"), 20);
    SpeedButton1 = MakeFlatButton(this, "SpeedButton1", QStringLiteral("Цвет осей..."), font,
                                  Qt::red, {32, 121, 161, 32});
    SpeedButton2 = MakeFlatButton(this, "SpeedButton2", QStringLiteral("Цвет графика..."), font,
                                  Qt::yellow, {112, 169, 161, 32});
    SpeedButton3 = MakeFlatButton(this, "SpeedButton3", QStringLiteral("Цвет фона..."), font,
                                  QColor(0x00, 0xFF, 0x00), {192, 217, 161, 32});
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 20, true));
    SetTextColor(*Button1, QPalette::ButtonText, Qt::black);
    Button1->setGeometry(25, 233, 120, 32);
}

// Each box is named by its caption, each colour button by what it colours.
void TForm2::nameControls() {
    const std::pair<const char *, TSpinEdit *> captions[] = {
        {"Label1", SpinEdit1}, {"Label2", SpinEdit2}, {"Label9", SpinEdit7}, {"Label3", SpinEdit3},
        {"Label4", SpinEdit4}, {"Label5", SpinEdit5}, {"Label6", SpinEdit6}};
    for (const auto &[label, edit] : captions)
        NameAfterLabel(*findChild<QLabel *>(QLatin1String(label)), *edit);
    SpeedButton1->setAccessibleName(QStringLiteral("Цвет осей"));
    SpeedButton2->setAccessibleName(QStringLiteral("Цвет графика"));
    SpeedButton3->setAccessibleName(QStringLiteral("Цвет фона"));
    describeColors();
}

void TForm2::describeColors() {
    SpeedButton1->setAccessibleDescription(ColorCode(state_.AxesColor));
    SpeedButton2->setAccessibleDescription(ColorCode(state_.GraphColor));
    SpeedButton3->setAccessibleDescription(ColorCode(state_.BackgroundColor));
}

// The layout's order, then the colour buttons, which Tab reaches but a click does not focus.
void TForm2::setFocusOrder() {
    QWidget *order[] = {SpinEdit1, SpinEdit2, SpinEdit3,    SpinEdit4,    SpinEdit5,   SpinEdit6,
                        Button1,   SpinEdit7, SpeedButton1, SpeedButton2, SpeedButton3};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TForm2::connectHandlers() {
    auto run = [this](void (TForm2::*handler)()) {
        return [this, handler] { RunCommand(this, [&] { (this->*handler)(); }); };
    };
    connect(SpinEdit1, &TSpinEdit::OnChange, this, run(&TForm2::SpinEdit1Change));
    connect(SpinEdit7, &TSpinEdit::OnChange, this, run(&TForm2::SpinEdit1Change));
    connect(SpinEdit2, &TSpinEdit::OnChange, this, run(&TForm2::SpinEdit2Change));
    connect(SpinEdit3, &TSpinEdit::OnChange, this, run(&TForm2::SpinEdit3Change));
    connect(SpinEdit4, &TSpinEdit::OnChange, this, run(&TForm2::SpinEdit4Change));
    connect(SpinEdit5, &TSpinEdit::OnChange, this, run(&TForm2::SpinEdit5Change));
    connect(SpinEdit6, &TSpinEdit::OnChange, this, run(&TForm2::SpinEdit6Change));
    connect(SpeedButton1, &QToolButton::clicked, this, run(&TForm2::SpeedButton1Click));
    connect(SpeedButton2, &QToolButton::clicked, this, run(&TForm2::SpeedButton2Click));
    connect(SpeedButton3, &QToolButton::clicked, this, run(&TForm2::SpeedButton3Click));
    connect(Button1, &QPushButton::clicked, this, run(&TForm2::Button1Click));
}

void TForm2::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        RunCommand(this, [&] { FormActivate(); });
}

void TForm2::FormActivate() {
    SpinEdit1->setValue(state_.DialogWidth);
    SpinEdit2->setValue(state_.DialogHeight);
    showRange(0, state_.XMin);
    showRange(1, state_.YMin);
    showRange(2, state_.XMax);
    showRange(3, state_.YMax);
    SpinEdit7->setValue(state_.Precision);
    state_.ClearPending = 0;
}

// A range in force beyond its box's bound (a view moved past 0) widens that bound to take it.
void TForm2::showRange(int box, double inForce) {
    ShownRange &shown = shown_[box];
    shown.edit->setMinValue(std::min(shown.edit->MinValue(), inForce));
    shown.edit->setMaxValue(std::max(shown.edit->MaxValue(), inForce));
    shown.edit->setValue(inForce);
    shown.text = shown.edit->text();
    shown.exact = inForce;
}

// The box's number, or the exact range it was shown for while its text is still that one:
// fifteen digits do not always give a double back.
double TForm2::rangeAtOk(int box) const {
    const ShownRange &shown = shown_[box];
    if (shown.edit->text() == shown.text)
        return shown.exact;
    return static_cast<double>(shown.edit->Value());
}

// Marks the field for clearing and remembers the box's number rounded. A number typed beyond
// the 32-bit range (the box limits it only when it loses the focus) keeps the old memory.
void TForm2::remember(const TSpinEdit &edit, std::int32_t &memory) {
    state_.ClearPending = 1;
    if (const auto rounded = TryRound(edit.Value()))
        memory = *rounded;
}

// A range is remembered as it stands in its box.
void TForm2::remember(const TSpinEdit &edit, double &memory) {
    state_.ClearPending = 1;
    memory = static_cast<double>(edit.Value());
}

void TForm2::SpinEdit1Change() {
    remember(*SpinEdit1, state_.DialogWidth);
}
void TForm2::SpinEdit2Change() {
    remember(*SpinEdit2, state_.DialogHeight);
}
void TForm2::SpinEdit3Change() {
    remember(*SpinEdit3, state_.DialogXMin);
}
void TForm2::SpinEdit4Change() {
    remember(*SpinEdit4, state_.DialogYMin);
}
void TForm2::SpinEdit5Change() {
    remember(*SpinEdit5, state_.DialogXMax);
}
void TForm2::SpinEdit6Change() {
    remember(*SpinEdit6, state_.DialogYMax);
}

// Runs the chooser preset to the colour last confirmed in it; on confirmation stores the
// chosen colour into target.
bool TForm2::chooseColor(TColor &target) {
    ColorDialog1->setCurrentColor(chooser_color_);
    if (ExecDialog(*ColorDialog1) != QDialog::Accepted)
        return false;
    chooser_color_ = ColorDialog1->currentColor();
    target = Canvas::fromQColor(chooser_color_);
    describeColors();
    return true;
}

void TForm2::SpeedButton1Click() {
    state_.ClearPending = 1; // even if the chooser is then cancelled
    chooseColor(state_.AxesColor);
}

void TForm2::SpeedButton2Click() {
    chooseColor(state_.GraphColor);
}

void TForm2::SpeedButton3Click() {
    state_.ClearPending = 1;
    chooseColor(state_.BackgroundColor);
}

void TForm2::Button1Click() {
    // However the click came (mouse, Enter, Space), the button takes the focus first, so the
    // box being edited limits its number to its bounds before it is read.
    Button1->setFocus(Qt::OtherFocusReason);
    state_.FieldWidth = Round(SpinEdit1->Value());
    state_.FieldHeight = Round(SpinEdit2->Value());
    state_.XMin = rangeAtOk(0);
    state_.YMin = rangeAtOk(1);
    state_.XMax = rangeAtOk(2);
    state_.YMax = rangeAtOk(3);
    state_.IntervalFrom = state_.XMin;
    state_.IntervalTo = state_.XMax;
    state_.Precision = Round(SpinEdit7->Value());
    if (state_.ClearPending && clear_command_)
        clear_command_();
    accept();
}

} // namespace kurvanto
