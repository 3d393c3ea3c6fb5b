// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The field told in words, for a screen reader and the window's "Описание поля": the ranges,
// each visible build with its formula, colour and interval, and the marks. Numbers are written
// with a decimal comma and four significant digits.
#include <QString>
#include <QStringList>
#include <cstddef>
#include <functional>
#include <vector>

#include "displaylist.h"
#include "plotstate.h"

namespace kurvanto {

// Lines told under a build's own line, such as "корни: -1,732; 1,732"; `index` is the build's
// place in the display list. An empty list adds nothing.
using BuildNotes = std::function<QStringList(std::size_t index, const FieldItem &build)>;

// Several lines, one per build and mark, in the order they were made.
QString DescribeField(const PlotState &state, const DisplayList &list,
                      const BuildNotes &notes = {});

// A number rounded to `digits` significant digits with a decimal comma: -1,732; 10; 12350;
// 0,0001234; very large or small ones with an exponent (1,5e+20).
QString FormatSignificant(double value, int digits = 4);
// Numbers as FormatSignificant writes them, joined by "; ".
QString JoinValues(const std::vector<double> &values);

// A colour as six hexadecimal digits RRGGBB (a system colour as it is shown).
QString ColorCode(TColor color);
// The nearest of a few named colours and its code: "красный (FF0000)".
QString ColorName(TColor color);

} // namespace kurvanto
