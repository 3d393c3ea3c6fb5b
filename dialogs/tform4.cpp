// SPDX-License-Identifier: GPL-3.0-or-later
#include "tform4.h"
#include "formstyle.h"

#include "canvas.h"

#include <QColorDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>
#include <iterator>

#include "fielddescription.h"
#include "rounding.h"
#include "tspinedit.h"
#include "uiseam.h"

namespace kurvanto {

namespace {

TSpinEdit *MakeSpinEdit(QWidget *parent, const char *name, int left, int top) {
    auto *edit = new TSpinEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(left, top, 120, 26);
    edit->setIncrement(1);
    return edit;
}

QRadioButton *MakeRadioButton(QWidget *parent, const char *name, const QString &text, int left,
                              int top) {
    auto *button = new QRadioButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->move(left, top);
    button->adjustSize();
    return button;
}

} // namespace

TForm4::TForm4(PlotState &state, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      state_(state) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Усовершенствование графика"));
    setFixedSize(418, 223);
    createControls();
    connectControls();
    FormCreate();
}

void TForm4::createControls() {
    GroupBox1 = new QGroupBox(QStringLiteral("Что делать "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(16, 16, 129, 97);
    RadioButton1 = MakeRadioButton(GroupBox1, "RadioButton1", QStringLiteral("Насечки"), 16, 25);
    RadioButton2 = MakeRadioButton(GroupBox1, "RadioButton2", QStringLiteral("Уголки"), 16, 48);
    RadioButton3 = MakeRadioButton(GroupBox1, "RadioButton3", QStringLiteral("Надписи"), 16, 73);
    RadioButton1->setChecked(true);

    // "X=", "Y=" and "Надпись:": green, Times New Roman bold italic.
    const QFont labelFont = PixelFont(QStringLiteral("Times New Roman"), 23, true, true);
    const QColor green(0, 128, 0);
    Label1 = MakeLabel(this, "Label1", QStringLiteral("X="), {176, 25}, labelFont, green);
    SpinEdit1 = MakeSpinEdit(this, "SpinEdit1", 217, 25);
    Label2 = MakeLabel(this, "Label2", QStringLiteral("Y="), {176, 57}, labelFont, green);
    SpinEdit2 = MakeSpinEdit(this, "SpinEdit2", 217, 57);
    Label3 = MakeLabel(this, "Label3", QStringLiteral("Надпись:"), {176, 89}, labelFont, green);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(281, 89, 120, 24);

    // Flat buttons that take no focus: a number being typed is read as typed.
    const QFont buttonFont = PixelFont(QStringLiteral("MS Sans Serif"), 23);
    SpeedButton3 = MakeFlatButton(this, "SpeedButton3", QStringLiteral("Цвет надписи"), buttonFont,
                                  QColor(0, 0, 255), QRect(117, 128, 185, 33));
    SpeedButton1 = MakeFlatButton(this, "SpeedButton1", QStringLiteral("Делать"), buttonFont,
                                  QColor(0, 255, 0), QRect(16, 176, 185, 33));
    SpeedButton2 = MakeFlatButton(this, "SpeedButton2", QStringLiteral("Не делать"), buttonFont,
                                  QColor(255, 0, 0), QRect(217, 176, 184, 33));

    ColorDialog1 = new QColorDialog(this);
    ColorDialog1->setObjectName(QStringLiteral("ColorDialog1"));

    NameAfterLabel(*Label1, *SpinEdit1);
    NameAfterLabel(*Label2, *SpinEdit2);
    NameAfterLabel(*Label3, *Edit1);
    // The layout's order, then the flat buttons, which Tab reaches but a click does not focus.
    QWidget *order[] = {RadioButton3, SpinEdit1,    SpinEdit2,   Edit1,
                        SpeedButton3, SpeedButton1, SpeedButton2};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    enableFor(true, true, false);
    SpeedButton3->setAccessibleDescription(ColorCode(state_.LabelColor));
}

void TForm4::connectControls() {
    // toggled, not clicked: the arrow keys move the choice within the frame too.
    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RadioButton1Click();
    });
    connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RadioButton2Click();
    });
    connect(RadioButton3, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RadioButton3Click();
    });
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm4::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm4::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm4::SpeedButton3Click);
}

void TForm4::FormCreate() {
    SetAnnotationKindDefaults(state_);
}

void TForm4::FormActivate() {
    RunCommand(this, [this] {
        SpinEdit1->setMinValue(Round(state_.XMin));
        SpinEdit2->setMinValue(Round(state_.YMin));
        SpinEdit1->setMaxValue(Round(state_.XMax));
        SpinEdit2->setMaxValue(Round(state_.YMax));
    });
}

void TForm4::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    centreOnScreen();
    FormActivate();
}

void TForm4::centreOnScreen() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect available = screen->geometry();
    move(available.center() - rect().center());
}

void TForm4::enableFor(bool x, bool y, bool label) {
    Label1->setEnabled(x);
    SpinEdit1->setEnabled(x);
    Label2->setEnabled(y);
    SpinEdit2->setEnabled(y);
    Label3->setEnabled(label);
    Edit1->setEnabled(label);
    SpeedButton3->setEnabled(label);
}

void TForm4::RadioButton1Click() {
    state_.TickMode = 1;
    state_.CornerMode = 0;
    state_.LabelMode = 0;
    enableFor(true, true, false);
}

void TForm4::RadioButton2Click() {
    state_.TickMode = 0;
    state_.CornerMode = 1;
    state_.LabelMode = 0;
    enableFor(true, false, false);
}

void TForm4::RadioButton3Click() {
    state_.TickMode = 0;
    state_.CornerMode = 0;
    state_.LabelMode = 1;
    enableFor(false, false, true);
}

void TForm4::SpeedButton1Click() {
    // Stored one by one: a value beyond the 6-byte real's range stops here with the
    // overflow report, keeping what was stored before it, and the dialog stays open.
    RunCommand(this, [this] {
        state_.AnnotationX = Real48::from(SpinEdit1->Value());
        state_.AnnotationY = Real48::from(SpinEdit2->Value());
        state_.LabelText = Edit1->text();
        state_.AnnotationConfirmed = 1;
        accept();
    });
}

void TForm4::SpeedButton2Click() {
    reject();
}

void TForm4::SpeedButton3Click() {
    ColorDialog1->setCurrentColor(chooser_color_);
    if (ExecDialog(*ColorDialog1) != QDialog::Accepted)
        return;
    chooser_color_ = ColorDialog1->currentColor();
    state_.LabelColor = Canvas::fromQColor(chooser_color_);
    SpeedButton3->setAccessibleDescription(ColorCode(state_.LabelColor));
}

} // namespace kurvanto
