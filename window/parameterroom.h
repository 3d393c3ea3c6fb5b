// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's parameters: the panel "Параметры" and "Вид → Параметры", the field drawn again
// as values move, a settled change as one step of undo, and "Вид → Построить семейство...".
#include <QObject>
#include <QString>
#include <optional>
#include <vector>

#include "parameters.h"

class QMenu;

namespace kurvanto {

class ParameterPanel;
class TForm1;

class ParameterRoom : public QObject {
    Q_OBJECT
  public:
    // Puts its items into the menu "Вид" and its panel beside the picture.
    ParameterRoom(TForm1 &window, QMenu *view);

    ParameterPanel *panel() const { return panel_; }
    // The parameters the shown builds read (not those a family holds), by index.
    std::vector<int> usedParameters() const;
    // A value on its way: drawn as soon as the window is free, the newest value only.
    void moveValue(int index, double value);
    // The values moved since the last step become one step.
    void settle();
    // A family of the formula in the formula box; the reason when it is refused.
    std::optional<QString> buildFamily(int index, double from, double to, double step);
    // The panel follows the field's parameters; it appears when a shown build first reads one.
    void refresh();

  private:
    void drawPending();
    void askFamily();

    TForm1 &window_;
    ParameterPanel *panel_ = nullptr;
    ParameterValues pending_;
    std::optional<ParameterValues> moveStart_; // the values when the moves began
    bool drawQueued_ = false;
};

} // namespace kurvanto
