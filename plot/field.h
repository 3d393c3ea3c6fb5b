// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drawing field: the picture, what is on it (the display list), the options it is drawn
// with and the ranges Home returns to, with what the window and the tool both do to it.
//
// One rule keeps the picture the same however it came about: after every build or mark, while
// the grid, the numbers or the legend is on, the whole field is drawn again from its list, so
// that a curve never lies over the numbers and the legend names every formula. With all three
// off a build or a mark leaves exactly the picture it always left.
#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "buildgraph.h"
#include "canvas.h"
#include "displaylist.h"
#include "imagefile.h"
#include "pictureformat.h"
#include "plotstate.h"
#include "pointmarks.h"
#include "vectorfield.h"
#include "view.h"
#include "worksheet.h"

namespace kurvanto {

// What a step of the window changes on the field, for undo and redo: the worksheet with the
// properties dialog's remembered values and whether a graph is present or a clear pending.
struct FieldSnapshot {
    Worksheet sheet;
    std::int32_t dialogSize[2] = {};
    double dialogRanges[4] = {};
    std::uint8_t graphPresent = 0, clearPending = 0;
};
bool SameSnapshot(const FieldSnapshot &a, const FieldSnapshot &b);

class Field {
  public:
    // The field works on the program's one state; `host` is what its builds ask of the window
    // that shows it (or of the tool).
    Field(PlotState &state, BuildGraphHost &host) : state_(state), host_(host) {}
    Field(const Field &) = delete;
    Field &operator=(const Field &) = delete;

    PlotState &state() { return state_; }
    const PlotState &state() const { return state_; }
    Canvas &canvas() { return canvas_; }
    const Canvas &canvas() const { return canvas_; }
    const DisplayList &displayList() const { return list_; }
    const FieldOptions &options() const { return options_; }
    const ViewRanges &homeRanges() const { return home_; }
    void setHomeRanges(const ViewRanges &home) { home_ = home; }

    // True when an option draws something that a build or mark drawn straight onto the
    // picture would leave different from the field drawn again.
    bool overlaysOn() const {
        return options_.grid || options_.numbers || options_.legend || ringsOn();
    }

    // Where the rings of the points of interest come from (the field cannot find them
    // itself); drawn after everything else while the option is on.
    void setPointSource(PointMarkSource source) { pointSource_ = std::move(source); }
    // A point chosen in the window's list, ringed while the list is empty or not; none: no
    // ring. Draws the field again.
    void setChosenPoint(std::optional<PointMark> point);

    // Takes the options without drawing (the saved ones, at start-up); setOptions draws the
    // field again with them.
    void loadOptions(const FieldOptions &options) { options_ = options; }
    void setOptions(const FieldOptions &options);

    // Builds the formula (UTF-8, as typed); true when the build completed, and then it is on
    // the list (a build on a fresh field starts a new list). Raises what the build raises.
    // Its parameters read as the current values.
    bool build(const std::string &formula);
    // A family: one build of the formula for each value of the parameter (its index), each
    // holding that value fixed, in colours graded from the graph colour. True when all
    // completed; the graph colour is left as it was.
    bool buildFamily(const std::string &formula, int parameter, const std::vector<double> &values);

    // The parameters' current values: a change draws the field again from its list, so that
    // every build that reads them follows. The ranges are the panel's, kept with the sheet.
    const ParameterValues &parameters() const { return list_.parameters(); }
    // `draw` off only takes the values (the window's undo puts a slider's start back first).
    void setParameters(const ParameterValues &values, bool draw = true);
    const ParameterRanges &parameterRanges() const { return parameterRanges_; }
    void setParameterRanges(const ParameterRanges &ranges) { parameterRanges_ = ranges; }

    // Marks at the state's annotation values: tick marks at (AnnotationX, AnnotationY), the
    // corner at AnnotationX; and the confirmed choice of the annotation dialog (a label only
    // arms the mouse). True when a mark was drawn.
    void addTicks();
    void addCorner();
    bool applyConfirmedAnnotation();

    // A click of the label's state machine at the picture pixel (x, y): the left button places
    // the armed label, the right or middle one erases the last. True when the list changed.
    bool labelClick(Qt::MouseButton button, int x, int y);

    // An empty field: the next build clears the picture and draws on the background.
    void clear();

    // Draws what is on the field again at the state's ranges; nothing when it is empty (the
    // next build draws on the new ranges). setRanges applies the ranges first.
    void redraw();
    void setRanges(const ViewRanges &view);

    // The field as vectors, drawn again from its list at its own size; the picture as it is
    // when the list is empty. The state is left as it was.
    void recordVectors(VectorRecorder &out) const;

    // Writes the field in the format, all or nothing: the picture for bitmaps, the vectors for
    // SVG and PDF.
    WriteResult write(const QString &fileName, PictureFormat format) const;
    // The same content into memory, for a target written in place (a FIFO, a device).
    WriteResult encode(QByteArray &bytes, PictureFormat format, const QString &title) const;

    // The field as a worksheet: its size, ranges, home ranges, precision, colours, options and
    // list.
    Worksheet worksheet() const;
    // Takes all of the worksheet and draws the field again from it. All or nothing: when the
    // drawing fails or is cancelled, the field is left as it was and the reason comes back.
    std::optional<QString> openWorksheet(const Worksheet &sheet);

    // The field as it is now, and back to such a moment: drawn again from the snapshot's list
    // with the options as they are now. Raises what a redraw raises.
    FieldSnapshot snapshot() const;
    void restore(const FieldSnapshot &snapshot);

    // The list of graphs' changes, each drawing the field again: the index is the item's in
    // the display list, which must be a build.
    void setBuildHidden(std::size_t index, bool hidden);
    void setBuildColor(std::size_t index, TColor color);
    void setBuildFormula(std::size_t index, const std::string &formula);
    void removeItem(std::size_t index);

  private:
    void redrawWhenOverlays();
    void applyWorksheet(const Worksheet &sheet);
    void redrawList();
    bool buildWith(const std::string &formula, std::uint8_t fixed, const ParameterValues &values);
    bool ringsOn() const { return (options_.points && pointSource_) || chosen_.has_value(); }
    void drawRings(const PlotState &state, Canvas &canvas) const;

    PlotState &state_;
    BuildGraphHost &host_;
    Canvas canvas_;
    DisplayList list_;
    FieldOptions options_;
    ViewRanges home_;
    ParameterRanges parameterRanges_;
    PointMarkSource pointSource_;
    std::optional<PointMark> chosen_;
};

} // namespace kurvanto
