// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shared plot settings and working state. There is exactly one instance for the whole
// program; every window is handed it by reference and reads and writes its fields directly.
#include <QString>
#include <cstdint>

#include "real48.h"

namespace kurvanto {

// A colour value of the windowing system: 0x00BBGGRR, or with the top bit set a system
// colour (0x8000000F is the button face).
using TColor = std::uint32_t;
constexpr TColor kButtonFaceColor = 0x8000000F;

struct PlotState {
    // Field geometry and ranges.
    std::int32_t FieldWidth = 0;
    std::int32_t FieldHeight = 0; // the picture is FieldHeight + 1 rows high
    double XMin = 0, XMax = 0, YMin = 0, YMax = 0;

    // Appearance and sampling.
    TColor AxesColor = 0;
    TColor GraphColor = 0;
    TColor BackgroundColor = 0;
    std::int32_t Precision = 0; // samples per pixel column

    // Flags: bytes holding 0 or 1.
    std::uint8_t ClearPending = 0;
    std::uint8_t GraphPresent = 0;
    std::uint8_t IntervalMode = 0;
    std::uint8_t RefuseStart = 0;

    // The x interval on which the curve is drawn.
    double IntervalFrom = 0, IntervalTo = 0;

    // Scale and working values of the last plot.
    double XUnitsPerPixel = 0, YUnitsPerPixel = 0;
    double ReadoutXUnitsPerPixel = 0, ReadoutYUnitsPerPixel = 0;
    double CurrentX = 0, CurrentValue = 0, StartValue = 0;

    // What the properties dialog's number boxes last held: the size rounded, the ranges as
    // they were.
    double DialogXMin = 0, DialogYMin = 0, DialogXMax = 0, DialogYMax = 0;
    std::int32_t DialogWidth = 0, DialogHeight = 0;

    // Annotation.
    std::uint8_t TickMode = 0, CornerMode = 0, LabelMode = 0;
    TColor LabelColor = 0;
    Real48 AnnotationX, AnnotationY;
    QString LabelText;
    std::uint8_t LabelArmed = 0;
    std::uint8_t AnnotationConfirmed = 0;
    std::int32_t LastClickX = 0, LastClickY = 0;
    std::uint8_t LabelClickCount = 0;

    // Start-up refusal.
    QString RefuseMessage;
};

// The laid-out size of the main window's drawing panel.
constexpr std::int32_t kPanelWidth = 640;
constexpr std::int32_t kPanelHeight = 440;

// The start values that the main window's creation handler sets (before its start-up check).
void SetStartValues(PlotState &state, std::int32_t panelWidth = kPanelWidth,
                    std::int32_t panelHeight = kPanelHeight);

// What creating the annotation dialog sets: tick marks chosen.
void SetAnnotationKindDefaults(PlotState &state);

} // namespace kurvanto
