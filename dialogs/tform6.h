#pragma once
#include <QDialog>

#include "plotstate.h"

namespace kurvanto {

class TForm6 : public QDialog {
    Q_OBJECT
public:
    TForm6(PlotState &state, QWidget *parent = nullptr);

private:
    PlotState &state_;
};

} // namespace kurvanto
