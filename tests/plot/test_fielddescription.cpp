// SPDX-License-Identifier: GPL-3.0-or-later
// The field in words: numbers, colour names, and the lines of builds, marks and notes.
#include <gtest/gtest.h>

#include "fielddescription.h"

namespace kurvanto {
namespace {

TEST(FieldDescription, NumbersAndColours) {
    const std::pair<double, const char *> numbers[] = {
        {-1.7320508, "-1,732"},     {10, "10"}, {12345, "12350"},    {9.99996, "10"},
        {0.000123456, "0,0001235"}, {0, "0"},   {1.5e20, "1,5e+20"}, {-2.5e-7, "-2,5e-07"}};
    for (const auto &[value, text] : numbers)
        EXPECT_EQ(FormatSignificant(value).toStdString(), text) << value;
    EXPECT_EQ(JoinValues({-1.7320508, 1.7320508}).toStdString(), "-1,732; 1,732");
    const std::pair<TColor, const char *> colors[] = {// TColor is 0x00BBGGRR
                                                      {0x0000FF, "красный (FF0000)"},
                                                      {0x10F010, "салатовый (10F010)"},
                                                      {0x00A0FF, "оранжевый (FFA000)"}};
    for (const auto &[color, text] : colors)
        EXPECT_EQ(ColorName(color).toStdString(), text);
}

TEST(FieldDescription, ListsTheVisibleBuildsWithTheirNotesAndTheMarks) {
    PlotState state;
    SetStartValues(state);
    state.XMin = -2.5;
    FieldItem square, hidden, part, tick;
    square.formula = "x^2-3";
    hidden.hidden = true;
    part.formula = "x";
    part.graphColor = 0xFF0000;
    part.interval = true;
    part.intervalFrom = -1;
    part.intervalTo = 2;
    tick.kind = FieldItem::Tick;
    tick.markX = Real48::from(1);
    tick.markY = Real48::from(0.25);
    DisplayList list;
    EXPECT_EQ(DescribeField(state, list).toStdString(),
              "Поле графика: x от -2,5 до 10, y от -10 до 10.\nГрафиков нет.");
    list.setItems({square, hidden, tick, part});
    const BuildNotes notes = [](std::size_t index, const FieldItem &) {
        return index == 0 ? QStringList{QStringLiteral("корни: -1,732; 1,732")} : QStringList();
    };
    EXPECT_EQ(DescribeField(state, list, notes).toStdString(),
              "Поле графика: x от -2,5 до 10, y от -10 до 10.\n"
              "График 1: f(x)=x^2-3, цвет чёрный (000000), на всём поле.\n"
              "  корни: -1,732; 1,732\n"
              "Насечки: x = 1, y = 0,25.\n"
              "График 2: f(x)=x, цвет синий (0000FF), x от -1 до 2.");
}

} // namespace
} // namespace kurvanto
