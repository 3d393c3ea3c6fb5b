// SPDX-License-Identifier: GPL-3.0-or-later
// A window of 160 x 60 pixels holding one spin edit of 120 x 26 at (20, 17), showing -2.5
// in the locale's format. Usage: spinedit_demo [value]
#include <QApplication>
#include <QWidget>

#include "localesep.h"
#include "tspinedit.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    kurvanto::LocaleDecimalSeparator(); // read once at start-up
    QWidget window;
    window.setObjectName(QStringLiteral("Form1"));
    window.resize(160, 60);
    auto *edit = new kurvanto::TSpinEdit(&window);
    edit->setObjectName(QStringLiteral("SpinEdit1"));
    edit->setGeometry(20, 17, 120, 26);
    edit->setIncrement(0.5);
    edit->setValue(argc > 1 ? QString::fromLocal8Bit(argv[1]).toDouble() : -2.5);
    window.move(0, 0);
    window.show();
    return QApplication::exec();
}
