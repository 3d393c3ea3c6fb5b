#include "tform3.h"

namespace kurvanto {

TForm3::TForm3(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("О программе"));
}

} // namespace kurvanto
