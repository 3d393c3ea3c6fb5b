#include "tform5.h"

namespace kurvanto {

TForm5::TForm5(PlotState &state, QWidget *parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral(""));
}

} // namespace kurvanto
