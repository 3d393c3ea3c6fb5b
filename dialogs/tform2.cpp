#include "tform2.h"

namespace kurvanto {

TForm2::TForm2(PlotState &state, QWidget *parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Свойства графика"));
}

} // namespace kurvanto
