#include "tform6.h"

namespace kurvanto {

TForm6::TForm6(PlotState &state, QWidget *parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Построение на промежутке..."));
}

} // namespace kurvanto
