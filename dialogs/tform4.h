#pragma once
#include <QDialog>

#include "plotstate.h"

namespace kurvanto {

class TForm4 : public QDialog {
    Q_OBJECT
public:
    TForm4(PlotState &state, QWidget *parent = nullptr);

private:
    PlotState &state_;
};

} // namespace kurvanto
