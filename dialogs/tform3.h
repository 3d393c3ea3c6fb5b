#pragma once
#include <QDialog>



namespace kurvanto {

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);

private:

};

} // namespace kurvanto
