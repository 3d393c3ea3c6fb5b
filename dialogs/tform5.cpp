// SPDX-License-Identifier: GPL-3.0-or-later
#include "tform5.h"
#include "formstyle.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace kurvanto {

namespace {

const QColor kLime(0, 255, 0);
const QColor kRed(255, 0, 0);

} // namespace

TForm5::TForm5(PlotState &state, QWidget *parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Привет от Тримпова..."));
    setFont(PixelFont(QStringLiteral("MS Sans Serif"), 13));
    resize(425, 229); // the client area of an outer size of 433 x 260

    const QFont serifItalic = PixelFont(QStringLiteral("Times New Roman"), 17, false, true);
    Label3 = MakeLabel(this, "Label3", QString(), QPoint(12, 8),
                       PixelFont(QStringLiteral("MS Sans Serif"), 17), kLime);
    Label2 = MakeLabel(this, "Label2", QStringLiteral("Поезд дальше не идет,"), QPoint(12, 64),
                       serifItalic, kRed);
    Label1 = MakeLabel(this, "Label1", QStringLiteral("просьба освободить вагоны..."),
                       QPoint(152, 96), serifItalic, kRed);

    Button1 = new QPushButton(QStringLiteral("Выход"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(8, 128, 409, 89);
    Button1->setFont(PixelFont(QStringLiteral("Times New Roman"), 80, false, true));
    SetTextColor(*Button1, QPalette::ButtonText, kLime);
    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);

    FormCreate();
}

void TForm5::FormCreate() {
    Label3->setText(state_.RefuseMessage);
    Label3->adjustSize();
}

void TForm5::Button1Click() {
    close();
}

void TForm5::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (const QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace kurvanto
