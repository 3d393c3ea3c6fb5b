#pragma once
#include <QDialog>
#include <functional>

#include "plotstate.h"

namespace kurvanto {

class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(PlotState &state, QWidget *parent = nullptr);

    // What "OK" runs when the field must be cleared: the main window's clear-field button.
    void setClearCommand(std::function<void()> command) { clear_command_ = std::move(command); }

private:
    PlotState &state_;
    std::function<void()> clear_command_;
};

} // namespace kurvanto
