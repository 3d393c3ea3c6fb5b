#include "annotation.h"

// Placeholder bodies until annotation lands.
namespace kurvanto {
void nasec(PlotState &, Canvas &) {}
void ugolok(PlotState &, Canvas &) {}
void nadpis(PlotState &) {}
void ApplyConfirmedAnnotation(PlotState &, Canvas &) {}
void LabelMouseDown(PlotState &, Canvas &, Qt::MouseButton, int, int) {}
} // namespace kurvanto
