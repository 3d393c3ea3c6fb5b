// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panel "Параметры": one row for each parameter a shown build reads, with its value, a
// slider, the slider's range and step, and a play button that sweeps the value from the
// least to the greatest and back. The panel only reports; the window changes the field.
#include <QDockWidget>
#include <array>
#include <vector>

#include "displaylist.h"
#include "parameters.h"

class QGridLayout;
class QSlider;
class QTimer;
class QToolButton;

namespace kurvanto {

class TSpinEdit;

class ParameterPanel : public QDockWidget {
    Q_OBJECT
  public:
    explicit ParameterPanel(QWidget *parent = nullptr);

    // The rows of the parameters given (indices), at these values and ranges.
    void showParameters(const std::vector<int> &used, const ParameterValues &values,
                        const ParameterRanges &ranges);
    const std::vector<int> &shownParameters() const { return shown_; }
    // Whether a slider is held or a sweep is playing: a change then is not yet settled.
    bool moving() const;

  signals:
    // A value on its way (a slider moved, a sweep, typing): drawn at once, not yet a step.
    void valueMoved(int index, double value);
    // The values moved since the last settling are final: one step of undo.
    void valuesSettled();
    void rangeChanged(int index, const ParameterRange &range);

  private:
    struct Row {
        TSpinEdit *value = nullptr, *min = nullptr, *max = nullptr, *step = nullptr;
        QSlider *slider = nullptr;
        QToolButton *play = nullptr;
        ParameterRange range;
        int direction = 1;
    };
    void createRow(int index);
    void connectRow(int index);
    void placeSlider(int index, double value);
    void takeRange(int index);
    void sweep();
    void settleSoon();

    QGridLayout *grid_ = nullptr;
    std::array<Row, kParameterCount> rows_;
    std::vector<int> shown_;
    QTimer *player_ = nullptr, *settler_ = nullptr;
    int playing_ = -1;     // the index whose value is swept
    bool filling_ = false; // the panel sets its own controls: no signals
};

} // namespace kurvanto
