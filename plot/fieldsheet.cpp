// SPDX-License-Identifier: GPL-3.0-or-later
// The field to and from a worksheet.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "errors.h"
#include "field.h"

namespace kurvanto {

namespace {

// What the properties dialog shows next: the sheet's size and its home ranges.
void SetDialogValues(PlotState &s, const Worksheet &sheet) {
    s.DialogWidth = sheet.width;
    s.DialogHeight = sheet.height;
    const ViewRanges &h = sheet.home;
    s.DialogXMin = h.xMin;
    s.DialogXMax = h.xMax;
    s.DialogYMin = h.yMin;
    s.DialogYMax = h.yMax;
}

} // namespace

Worksheet Field::worksheet() const {
    Worksheet sheet;
    sheet.width = state_.FieldWidth;
    sheet.height = state_.FieldHeight;
    sheet.ranges = CurrentView(state_);
    // A field whose home was never set returns to where it is.
    sheet.home = home_.xMin < home_.xMax && home_.yMin < home_.yMax ? home_ : sheet.ranges;
    sheet.precision = state_.Precision;
    sheet.axesColor = state_.AxesColor;
    sheet.graphColor = state_.GraphColor;
    sheet.backgroundColor = state_.BackgroundColor;
    sheet.options = options_;
    sheet.items = list_.items();
    sheet.parameters = list_.parameters();
    sheet.parameterRanges = parameterRanges_;
    return sheet;
}

void Field::applyWorksheet(const Worksheet &sheet) {
    state_.FieldWidth = sheet.width;
    state_.FieldHeight = sheet.height;
    state_.Precision = sheet.precision;
    state_.AxesColor = sheet.axesColor;
    state_.GraphColor = sheet.graphColor;
    state_.BackgroundColor = sheet.backgroundColor;
    SetDialogValues(state_, sheet);
    ApplyView(state_, sheet.ranges);
    home_ = sheet.home;
    options_ = sheet.options;
    list_.setItems(sheet.items);
    list_.setParameters(sheet.parameters);
    parameterRanges_ = sheet.parameterRanges;
    canvas_.clear();
    if (list_.empty()) {
        state_.GraphPresent = 0;
        state_.ClearPending = 1;
        return;
    }
    // As after the builds it lists: the next build draws over them.
    state_.GraphPresent = 1;
    state_.ClearPending = 0;
    RedrawField(state_, canvas_, list_, options_, host_);
    drawRings(state_, canvas_);
}

FieldSnapshot Field::snapshot() const {
    FieldSnapshot snap;
    snap.sheet = worksheet();
    const PlotState &s = state_;
    snap.dialogSize[0] = s.DialogWidth;
    snap.dialogSize[1] = s.DialogHeight;
    const double ranges[4] = {s.DialogXMin, s.DialogXMax, s.DialogYMin, s.DialogYMax};
    std::copy(std::begin(ranges), std::end(ranges), snap.dialogRanges);
    snap.graphPresent = s.GraphPresent;
    snap.clearPending = s.ClearPending;
    return snap;
}

bool SameSnapshot(const FieldSnapshot &a, const FieldSnapshot &b) {
    return std::equal(std::begin(a.dialogSize), std::end(a.dialogSize), std::begin(b.dialogSize)) &&
           std::equal(std::begin(a.dialogRanges), std::end(a.dialogRanges),
                      std::begin(b.dialogRanges)) &&
           a.graphPresent == b.graphPresent && a.clearPending == b.clearPending &&
           SameWorksheet(a.sheet, b.sheet);
}

void Field::restore(const FieldSnapshot &snapshot) {
    Worksheet sheet = snapshot.sheet;
    sheet.options = options_; // the options are the menu's, not a step's
    PlotState &s = state_;
    s.FieldWidth = sheet.width;
    s.FieldHeight = sheet.height;
    s.Precision = sheet.precision;
    s.AxesColor = sheet.axesColor;
    s.GraphColor = sheet.graphColor;
    s.BackgroundColor = sheet.backgroundColor;
    s.DialogWidth = snapshot.dialogSize[0];
    s.DialogHeight = snapshot.dialogSize[1];
    const double *d = snapshot.dialogRanges;
    s.DialogXMin = d[0];
    s.DialogXMax = d[1];
    s.DialogYMin = d[2];
    s.DialogYMax = d[3];
    ApplyView(s, sheet.ranges);
    home_ = sheet.home;
    list_.setItems(sheet.items);
    list_.setParameters(sheet.parameters);
    parameterRanges_ = sheet.parameterRanges;
    s.GraphPresent = snapshot.graphPresent;
    s.ClearPending = snapshot.clearPending;
    redrawList();
}

void Field::redrawList() {
    canvas_.clear();
    if (!list_.empty()) {
        RedrawField(state_, canvas_, list_, options_, host_);
        drawRings(state_, canvas_);
    }
}

void Field::setBuildHidden(std::size_t index, bool hidden) {
    std::vector<FieldItem> items = list_.items();
    items.at(index).hidden = hidden;
    list_.setItems(std::move(items));
    redrawList();
}

void Field::setBuildColor(std::size_t index, TColor color) {
    std::vector<FieldItem> items = list_.items();
    items.at(index).graphColor = color;
    list_.setItems(std::move(items));
    redrawList();
}

void Field::setBuildFormula(std::size_t index, const std::string &formula) {
    std::vector<FieldItem> items = list_.items();
    items.at(index).formula = formula;
    list_.setItems(std::move(items));
    redrawList();
}

void Field::removeItem(std::size_t index) {
    std::vector<FieldItem> items = list_.items();
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
    list_.setItems(std::move(items));
    if (list_.empty()) {
        clear();
        return;
    }
    redrawList();
}

std::optional<QString> Field::openWorksheet(const Worksheet &sheet) {
    const PlotState savedState = state_;
    const Canvas savedCanvas = canvas_;
    const DisplayList savedList = list_;
    const FieldOptions savedOptions = options_;
    const ViewRanges savedHome = home_;
    const ParameterRanges savedRanges = parameterRanges_;
    QString why;
    try {
        applyWorksheet(sheet);
        return std::nullopt;
    } catch (const BuildCancelled &) {
        why = QStringLiteral("открытие прервано");
    } catch (const CommandError &error) {
        why =
            QStringLiteral("поле не удалось нарисовать (%1)").arg(QString::fromUtf8(error.what()));
    }
    state_ = savedState;
    canvas_ = savedCanvas;
    list_ = savedList;
    options_ = savedOptions;
    home_ = savedHome;
    parameterRanges_ = savedRanges;
    return why;
}

} // namespace kurvanto
