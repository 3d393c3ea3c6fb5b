// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box: the logo, the product's name and version, and "OK".
#include <QDialog>
#include <QImage>

class QFrame;
class QLabel;
class QPushButton;

namespace kurvanto {

class TForm3 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm3(QWidget *parent = nullptr);

    // The 105 x 105 logo in 256 colours: axes with arrowheads, an S-shaped rising curve and
    // the product's name beside it.
    static QImage Logo();

  private:
    QFrame *Panel1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label9 = nullptr;
    QPushButton *Button1 = nullptr;
};

} // namespace kurvanto
