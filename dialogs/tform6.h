// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The interval dialog: asks for the part of the x range on which the next graph is drawn.
// Both ends are limited to the current x range; nothing checks that "ОТ" is below "ДО".
// The dialog has no close box and no cancel button; if it is closed some other way
// (Escape, the window manager), the interval stays as it was.
#include <QDialog>

#include "plotstate.h"

class QPushButton;

namespace kurvanto {

class TSpinEdit;

class TForm6 : public QDialog {
    Q_OBJECT
  public:
    TForm6(PlotState &state, QWidget *parent = nullptr);

    // Shows the interval and sets the bounds to the x range; runs each time the dialog is shown.
    void FormActivate();

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    void createControls();
    void Button1Click();

    PlotState &state_;
    TSpinEdit *SpinEdit1 = nullptr; // "ОТ"
    TSpinEdit *SpinEdit2 = nullptr; // "ДО"
    QPushButton *Button1 = nullptr;
};

} // namespace kurvanto
