// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's widgets: the toolbar with its buttons, the formula box and the read-out,
// the drawing panel with the picture and the error label, and the save dialog.
#include "tform1.h"

#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "formstyle.h"
#include "nameonlyicons.h"
#include "picturebox.h"
#include "programresources.h"

namespace kurvanto {

namespace {

constexpr int kToolbarHeight = 57;
constexpr QPoint kPanel1Position(4, 60);
constexpr int kHintLineWidth = 370; // from "f(x)=" to the 800-pixel window's edge

} // namespace

void TForm1::createToolbar() {
    Panel2 = new QFrame(centralWidget());
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2->setFixedHeight(kToolbarHeight);
    Panel2->setFont(PixelFont(QStringLiteral("Times New Roman"), 17, true));
    createToolbarButtons();
    createFormulaBox();
    createReadout();
}

void TForm1::createToolbarButtons() {
    SpeedButton1 = createButton("SpeedButton1", QRect(6, 3, 51, 51), QStringLiteral("save"),
                                QStringLiteral("Сохранить график на диске"));
    SpeedButton2 = createButton("SpeedButton2", QRect(63, 3, 50, 51), QStringLiteral("copy"),
                                QStringLiteral("Скопировать график в Clipboard"));
    SpeedButton3 = createButton("SpeedButton3", QRect(118, 3, 51, 51), QStringLiteral("props"),
                                QStringLiteral("Свойства графика"));
    SpeedButton7 = createButton("SpeedButton7", QRect(175, 3, 50, 51), QStringLiteral("annotate"),
                                QStringLiteral("Усовершенствование графика"));
    SpeedButton4 = createButton("SpeedButton4", QRect(231, 3, 50, 51), QStringLiteral("build"),
                                QStringLiteral("Построить график"));
    SpeedButton5 = createButton("SpeedButton5", QRect(286, 3, 51, 51), QStringLiteral("clear"),
                                QStringLiteral("Очистить поле для  построения"));
    SpeedButton6 = createButton("SpeedButton6", QRect(343, 3, 50, 51), QStringLiteral("help"),
                                QStringLiteral("Справка"));
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm1::SpeedButton4Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TForm1::SpeedButton5Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TForm1::SpeedButton6Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TForm1::SpeedButton7Click);
}

void TForm1::createFormulaBox() {
    Label1 = createLabel(Panel2, "Label1", QStringLiteral("f(x)="), QPoint(426, 12));
    Label1->setFont(PixelFont(QStringLiteral("Times New Roman"), 25, true));
    Label1->adjustSize();

    Edit1 = new QLineEdit(Panel2);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(474, 12, 153, 28);
    Edit1->setMaxLength(80);
    Edit1->setFont(PixelFont(QStringLiteral("MS Serif"), 17));
    Edit1->setToolTip(FormulaFaultDisplay::hint());
    QPalette white = Edit1->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Text, Qt::black);
    Edit1->setPalette(white);
    Edit1->installEventFilter(this); // Ctrl+C: see eventFilter
    formulaFault_.setBox(Edit1);
    connect(Edit1, &QLineEdit::textChanged, this,
            [this](const QString &typed) { formulaFault_.follow(typed); });

    // The hint of a formula that may not mean what it seems, under the box to the toolbar's end.
    Label7 = createLabel(Panel2, "Label7", QString(), QPoint(Label1->x(), 41));
    Label7->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 12));
    Label7->setFixedSize(kHintLineWidth, 14);
    Label7->hide();
    formulaFault_.setHintLine(Label7);
}

void TForm1::createReadout() {
    Label5 = createLabel(Panel2, "Label5", QStringLiteral("X="), QPoint(642, 19));
    Label3 = createLabel(Panel2, "Label3", QStringLiteral("0,00"), QPoint(665, 19));
    Label6 = createLabel(Panel2, "Label6", QStringLiteral("Y="), QPoint(722, 19));
    Label4 = createLabel(Panel2, "Label4", QStringLiteral("0,00"), QPoint(745, 19));
    setReadoutLabelsVisible(false);
}

QToolButton *TForm1::createButton(const char *name, const QRect &geometry, const QString &glyph,
                                  const QString &hint) {
    auto *button = new QToolButton(Panel2);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(QIcon(QPixmap::fromImage(ButtonGlyph(glyph))));
    button->setIconSize(QSize(30, 30));
    button->setToolTip(hint);
    return button;
}

QLabel *TForm1::createLabel(QWidget *parent, const char *name, const QString &text,
                            QPoint position) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(position);
    label->adjustSize();
    return label;
}

void TForm1::createDrawingPanel() {
    Panel1 = new QFrame(centralWidget());
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel1->setLineWidth(1);
    Panel1->setGeometry(QRect(kPanel1Position, QSize(kPanelWidth, kPanelHeight)));

    Image1 = new PictureBox(field_.canvas(), Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(
        QRect(kImage1Position, QSize(kPanelWidth - kPanelMargin, kPanelHeight - kPanelMargin)));
    connectPicture();

    Label2 = createLabel(Panel1, "Label2", QStringLiteral("Ошибка в функции !!!"), QPoint(9, 9));
    Label2->setFont(PixelFont(QStringLiteral("Times New Roman"), 17));
    QPalette black = Label2->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    Label2->setPalette(black);
    Label2->adjustSize();
    Label2->raise();
    Label2->hide();
}

void TForm1::connectPicture() {
    connect(Image1, &PictureBox::mouseMoved, this, &TForm1::Image1MouseMove);
    connect(Image1, &PictureBox::mousePressed, this, &TForm1::Image1MouseDown);
    connect(Image1, &PictureBox::mouseReleased, this, &TForm1::Image1MouseUp);
    connect(Image1, &PictureBox::mouseDragged, this, &TForm1::Image1Drag);
    connect(Image1, &PictureBox::wheelTurned, this, &TForm1::Image1Wheel);
    connect(Image1, &PictureBox::viewKeyPressed, this, &TForm1::Image1ViewKey);
    connect(Image1, &PictureBox::mouseLeft, this, [this] { navigator_.pointerLeft(); });
}

void TForm1::createSaveDialog() {
    SaveDialog1 = new QFileDialog(this, QStringLiteral("Сохранение графика"));
    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
    SaveDialog1->setOption(QFileDialog::HideNameFilterDetails);
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave); // asks before overwriting
    SaveDialog1->setFileMode(QFileDialog::AnyFile);
    SaveDialog1->setNameFilters(SaveFilters());
    SaveDialog1->setDefaultSuffix(QStringLiteral("bmp"));
    // A bare name gets the suffix of the chosen format.
    connect(SaveDialog1, &QFileDialog::filterSelected, SaveDialog1,
            [dialog = SaveDialog1](const QString &filter) {
                dialog->setDefaultSuffix(FilterSuffix(filter));
            });
    // Whatever folder the dialog shows (/proc, for one), it must not read a file to pick its
    // icon or type: some files never answer.
    UseNameOnlyIcons(*SaveDialog1);
}

} // namespace kurvanto
