#pragma once
#include <QDialog>

#include "plotstate.h"

namespace kurvanto {

class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(PlotState &state, QWidget *parent = nullptr);

private:
    PlotState &state_;
};

} // namespace kurvanto
