#pragma once
#include <QDialog>

#include "plotstate.h"

namespace kurvanto {

class TForm5 : public QDialog {
    Q_OBJECT
public:
    TForm5(PlotState &state, QWidget *parent = nullptr);

private:
    PlotState &state_;
};

} // namespace kurvanto
