// SPDX-License-Identifier: GPL-3.0-or-later
#include "formstyle.h"

#include <QLabel>
#include <QToolButton>
#include <QWidget>

namespace kurvanto {

QFont PixelFont(const QString &family, int pixels, bool bold, bool italic) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void SetTextColor(QWidget &widget, QPalette::ColorRole role, const QColor &color) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Active, role, color);
    palette.setColor(QPalette::Inactive, role, color);
    widget.setPalette(palette);
}

QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text, const QPoint &position,
                  const QFont &font, const QColor &color) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    SetTextColor(*label, QPalette::WindowText, color);
    label->move(position);
    label->adjustSize();
    return label;
}

QToolButton *MakeFlatButton(QWidget *parent, const char *name, const QString &text,
                            const QFont &font, const QColor &color, const QRect &geometry) {
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    button->setFont(font);
    SetTextColor(*button, QPalette::ButtonText, color);
    button->setGeometry(geometry);
    return button;
}

void NameAfterLabel(QLabel &label, QWidget &control) {
    label.setBuddy(&control);
    QString name = label.text().trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    control.setAccessibleName(name);
}

} // namespace kurvanto
