// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The annotation dialog "Усовершенствование графика": the kind of mark (tick marks, a corner
// or a text label), its X and Y values, the label's text and colour. "Делать" writes them
// into the plot state; the main window draws the mark after the dialog has closed.
#include <QColor>
#include <QDialog>

#include "plotstate.h"

class QColorDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace kurvanto {

class TSpinEdit;

class TForm4 : public QDialog {
    Q_OBJECT
  public:
    TForm4(PlotState &state, QWidget *parent = nullptr);

    void FormCreate();
    void FormActivate();
    void RadioButton1Click(); // "Насечки"
    void RadioButton2Click(); // "Уголки"
    void RadioButton3Click(); // "Надписи"
    void SpeedButton1Click(); // "Делать"
    void SpeedButton2Click(); // "Не делать"
    void SpeedButton3Click(); // "Цвет надписи"

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    void createControls();
    void connectControls();
    // Which of the three groups of controls the chosen kind uses.
    void enableFor(bool x, bool y, bool label);
    void centreOnScreen();

    PlotState &state_;
    QGroupBox *GroupBox1 = nullptr;
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QRadioButton *RadioButton3 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    TSpinEdit *SpinEdit1 = nullptr;
    TSpinEdit *SpinEdit2 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QToolButton *SpeedButton3 = nullptr;
    QColorDialog *ColorDialog1 = nullptr;
    QColor chooser_color_ = Qt::black; // what the chooser opens at: its last confirmed colour
};

} // namespace kurvanto
