// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Таблица значений": the values of the visible builds at x = from + i * step, a column of x
// and one per build; Ctrl+C copies the table as shown, tab-separated, "Сохранить..." writes it
// as a comma-separated file with a point in the numbers.
#include <QDialog>
#include <string>
#include <vector>

#include "valuetable.h"

class QPushButton;
class QTableWidget;

namespace kurvanto {

class TSpinEdit;

class ValueTableDialog : public QDialog {
  public:
    // The formulas are those of the visible builds; the table starts at the field's x range.
    // The parameters of formula i read as values[i].
    ValueTableDialog(const PlotState &state, std::vector<std::string> formulas,
                     std::vector<ParameterValues> values, QWidget *parent = nullptr);

    const ValueTable &table() const { return table_; }
    // The table as shown, tab-separated, one line a row: what Ctrl+C copies.
    QString shownText() const;
    // The table as the file holds it (UTF-8).
    QByteArray csv() const;
    // Writes the file; false, with the reason shown, when it could not.
    bool saveTo(const QString &fileName);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void createControls(const PlotState &state);
    void fill();
    void copy();
    void save();

    std::vector<std::string> formulas_;
    std::vector<ParameterValues> values_;
    ValueTable table_;
    TSpinEdit *from_ = nullptr, *step_ = nullptr, *count_ = nullptr;
    QTableWidget *grid_ = nullptr;
};

} // namespace kurvanto
