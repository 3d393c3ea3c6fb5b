// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panel "Особые точки": the roots, extrema and crossings of the field's visible builds,
// kept up to date while it is shown. Ctrl+C in it copies the selected rows as text.
#include <QDockWidget>
#include <string>
#include <vector>

#include "field.h"
#include "fieldpoints.h"

class QLabel;
class QTableWidget;

namespace kurvanto {

class PointsPanel : public QDockWidget {
    Q_OBJECT

  public:
    PointsPanel(const Field &field, QWidget *parent);

    // Lists the field's points again when what they depend on has changed since the last time.
    void refresh();
    // The selected rows, one a line, the columns separated by tabs.
    QString selectedText() const;

  signals:
    // A row was chosen: its point in its build's colour.
    void pointChosen(const PointMark &point);
    // The list changed: no row is chosen any more.
    void listChanged();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void fill(const PointsFound &found, const FieldBuilds &builds);
    std::string fieldKey() const;

    const Field &field_;
    QTableWidget *table_ = nullptr;
    QLabel *limit_ = nullptr;
    std::string shownKey_;
    std::vector<PointMark> marks_; // of each row
};

} // namespace kurvanto
