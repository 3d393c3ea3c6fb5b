#include "tform4.h"

namespace kurvanto {

TForm4::TForm4(PlotState &state, QWidget *parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Усовершенствование графика"));
}

} // namespace kurvanto
