// SPDX-License-Identifier: GPL-3.0-or-later
#include "markoptions.h"

#include <QString>

#include "annotation.h"
#include "cliargs.h"

namespace kurvanto {

namespace {

using Values = std::vector<std::string>;

// Reads the reals of an option; false when one is malformed.
bool ReadReals(const Values &v, std::size_t count, double *out) {
    for (std::size_t i = 0; i < count; ++i) {
        const auto value = ParseReal(v[i]);
        if (!value)
            return false;
        out[i] = *value;
    }
    return true;
}

PlotOption TickOption() {
    return {"--tick",
            2,
            "--tick X Y",
            "насечки на оси y при Y и на оси x при X",
            kRealWhy,
            [](const Values &v, PlotJob &job) {
                double xy[2];
                if (!ReadReals(v, 2, xy))
                    return false;
                job.actions.push_back([x = xy[0], y = xy[1]](Field &field) {
                    field.state().AnnotationX = Real48::from(x);
                    field.state().AnnotationY = Real48::from(y);
                    field.addTicks();
                });
                return true;
            }};
}

PlotOption CornerOption() {
    return {"--corner",
            1,
            "--corner X",
            "уголок: от точки графика при X к обеим осям",
            kRealWhy,
            [](const Values &v, PlotJob &job) {
                double x = 0;
                if (!ReadReals(v, 1, &x))
                    return false;
                job.actions.push_back([x](Field &field) {
                    field.state().AnnotationX = Real48::from(x);
                    field.addCorner();
                });
                return true;
            }};
}

// A label is placed as a left click at the pixel of (X, Y) places it.
PlotOption LabelOption() {
    return {"--label",
            3,
            "--label X Y ТЕКСТ",
            "надпись, левый верхний угол в точке (X, Y)",
            kRealWhy,
            [](const Values &v, PlotJob &job) {
                double xy[2];
                if (!ReadReals(v, 2, xy))
                    return false;
                const QString text = QString::fromStdString(v[2]);
                job.needsFonts = true;
                job.actions.push_back([x = xy[0], y = xy[1], text](Field &field) {
                    PlotState &state = field.state();
                    const std::int32_t column = MarkColumn(state, x);
                    const std::int32_t row = MarkRow(state, y);
                    state.LabelText = text;
                    nadpis(state);
                    field.labelClick(Qt::LeftButton, column, row);
                });
                return true;
            }};
}

PlotOption LabelColorOption() {
    return {"--label-color",
            1,
            "--label-color RRGGBB",
            "цвет следующих за ним надписей (000000)",
            "нужен цвет из шести шестнадцатеричных цифр RRGGBB, например ff0000",
            [](const Values &v, PlotJob &job) {
                const auto color = ParseColor(v[0]);
                if (!color)
                    return false;
                job.actions.push_back([c = *color](Field &field) { field.state().LabelColor = c; });
                return true;
            }};
}

} // namespace

std::vector<PlotOption> MarkOptions() {
    return {TickOption(), CornerOption(), LabelOption(), LabelColorOption()};
}

} // namespace kurvanto
