// SPDX-License-Identifier: GPL-3.0-or-later
#include "tform3.h"
#include "formstyle.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <cmath>

namespace kurvanto {

namespace {

constexpr int kLogoSize = 105;

void DrawArrowAxes(QPainter &painter) {
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(14, 98, 14, 8); // y axis
    painter.drawLine(6, 88, 98, 88); // x axis
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygon({QPoint(14, 3), QPoint(10, 13), QPoint(18, 13)}));
    painter.drawPolygon(QPolygon({QPoint(103, 88), QPoint(93, 84), QPoint(93, 92)}));
}

// A rising S: a logistic curve across the field.
void DrawRisingS(QPainter &painter) {
    QPainterPath curve;
    for (int x = 16; x <= 96; ++x) {
        const double t = (x - 56) / 10.0;
        const double y = 84 - 66 / (1 + std::exp(-t));
        if (x == 16)
            curve.moveTo(x, y);
        else
            curve.lineTo(x, y);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(200, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(curve);
}

void DrawName(QPainter &painter) {
    painter.setPen(QColor(0, 0, 160));
    painter.setFont(PixelFont(QStringLiteral("Times New Roman"), 15, true, true));
    painter.drawText(QRect(20, 14, 62, 18), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Kurvanto"));
    painter.setFont(PixelFont(QStringLiteral("Times New Roman"), 12, false, true));
    painter.drawText(QRect(56, 60, 48, 16), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("f(x)"));
}

} // namespace

QImage TForm3::Logo() {
    QImage image(kLogoSize, kLogoSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawArrowAxes(painter);
    DrawRisingS(painter);
    DrawName(painter);
    painter.end();
    return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
}

TForm3::TForm3(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("О программе"));
    setFont(PixelFont(QStringLiteral("MS Sans Serif"), 13));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(516, 246);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(9, 9, 496, 229);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 16, 133, 133);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(QPixmap::fromImage(Logo()));

    Label1 = MakeLabel(Panel1, "Label1", QStringLiteral("Kurvanto"), QPoint(156, 16),
                       PixelFont(QStringLiteral("Courier New"), 38, true), Qt::black);
    Label2 = MakeLabel(Panel1, "Label2", QStringLiteral("(Курванто)"), QPoint(188, 57),
                       PixelFont(QStringLiteral("Times New Roman"), 27, true, true), Qt::black);
    Label3 = MakeLabel(Panel1, "Label3", QStringLiteral("For Windows'95"), QPoint(174, 94),
                       PixelFont(QStringLiteral("MS Sans Serif"), 18, true), Qt::black);
    Label9 = MakeLabel(Panel1, "Label9", QStringLiteral("Версия 2.0"), QPoint(39, 179),
                       PixelFont(QStringLiteral("Times New Roman"), 23), Qt::black);

    Button1 = new QPushButton(QStringLiteral("OK"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(194, 185, 105, 24);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    if (const QScreen *screen = this->screen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace kurvanto
