// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start-up refusal: the reason the program will not run, and one huge "Выход" button.
// Closing it, by the button or by the window's close box, only closes it; the main window
// ends the program afterwards.
#include <QDialog>

#include "plotstate.h"

class QLabel;
class QPushButton;

namespace kurvanto {

class TForm5 : public QDialog {
    Q_OBJECT
  public:
    TForm5(PlotState &state, QWidget *parent = nullptr);

    void FormCreate();
    void Button1Click();

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    PlotState &state_;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
    QPushButton *Button1 = nullptr;
};

} // namespace kurvanto
