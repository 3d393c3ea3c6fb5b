// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panel "Графики": every build on the field in order, with its colour swatch, formula,
// interval and a check box that shows or hides it. The panel only asks; the window makes each
// change a step on the field and then shows the list again.
#include <QDockWidget>
#include <cstddef>

#include "displaylist.h"
#include "formulafault.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace kurvanto {

class GraphList : public QDockWidget {
    Q_OBJECT
  public:
    enum Column { SwatchColumn, FormulaColumn, IntervalColumn };

    explicit GraphList(QWidget *parent = nullptr);

    // Lists the builds of the display list; an index below is the build's in that list.
    void showList(const DisplayList &list);
    QTreeWidget *tree() const { return tree_; }

    // The formula typed for the build at `index` was refused: its editor opens again with the
    // text, pointing at the fault as the formula box does.
    void pointAtFault(std::size_t index, const QString &typed);

  signals:
    void hiddenChanged(std::size_t index, bool hidden);
    void colorChosen(std::size_t index, TColor color);
    void formulaEdited(std::size_t index, const QString &formula);
    void removeRequested(std::size_t index);

  private:
    void itemChanged(QTreeWidgetItem *item, int column);
    void itemClicked(QTreeWidgetItem *item, int column);
    void removeCurrent();
    QTreeWidgetItem *itemOf(std::size_t index) const;

    QTreeWidget *tree_;
    std::vector<FieldItem> shown_; // the builds as listed, by their list index
    FormulaFaultDisplay fault_;
    bool filling_ = false;
};

} // namespace kurvanto
