// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The graph properties dialog: field size, x and y ranges, samples per pixel column and the
// three colours. Colours reach the plot state as soon as the chooser is confirmed; every
// change of a number marks the field for clearing and remembers the number (the size
// rounded); the numbers themselves are applied by "OK" only. The ranges shown are those in
// force, and a range box left as it was shown gives its range back exactly.
#include <QColor>
#include <QDialog>
#include <functional>

#include "plotstate.h"

class QColorDialog;
class QLabel;
class QPushButton;
class QToolButton;

namespace kurvanto {

class TSpinEdit;

class TForm2 : public QDialog {
    Q_OBJECT
  public:
    TForm2(PlotState &state, QWidget *parent = nullptr);

    // What "OK" runs when the field must be cleared: the main window's clear-field button.
    void setClearCommand(std::function<void()> command) { clear_command_ = std::move(command); }

    // Fills the number boxes: the size from the remembered values, the ranges in force and the
    // precision; runs each time the dialog is shown.
    void FormActivate();

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    void createLabels();
    void createSpinEdits();
    void createButtons();
    void nameControls();
    void describeColors();
    void setFocusOrder();
    void connectHandlers();

    void SpinEdit1Change();
    void SpinEdit2Change();
    void SpinEdit3Change();
    void SpinEdit4Change();
    void SpinEdit5Change();
    void SpinEdit6Change();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void Button1Click();

    void remember(const TSpinEdit &edit, std::int32_t &memory);
    void remember(const TSpinEdit &edit, double &memory);
    void showRange(int box, double inForce);
    double rangeAtOk(int box) const;
    bool chooseColor(TColor &target);

    // A range box as activation filled it: its text then and the exact range it stood for.
    struct ShownRange {
        TSpinEdit *edit = nullptr;
        QString text;
        double exact = 0;
    };

    PlotState &state_;
    std::function<void()> clear_command_;

    TSpinEdit *SpinEdit1 = nullptr; // field width
    TSpinEdit *SpinEdit2 = nullptr; // field height
    TSpinEdit *SpinEdit3 = nullptr; // MIN X
    TSpinEdit *SpinEdit4 = nullptr; // MIN Y
    TSpinEdit *SpinEdit5 = nullptr; // MAX X
    TSpinEdit *SpinEdit6 = nullptr; // MAX Y
    TSpinEdit *SpinEdit7 = nullptr; // precision
    QToolButton *SpeedButton1 = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    QToolButton *SpeedButton3 = nullptr;
    QPushButton *Button1 = nullptr;
    QColorDialog *ColorDialog1 = nullptr;
    QColor chooser_color_ = Qt::black; // the colour last confirmed in the chooser
    ShownRange shown_[4];              // MIN X, MIN Y, MAX X, MAX Y
};

} // namespace kurvanto
