#include "cliargs.h"

#include <charconv>
#include <cmath>

#include "plotcommand.h"

namespace kurvanto {

std::optional<double> ParseReal(const std::string &text) {
    const char *first = text.data();
    const char *last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    if (first == last || *first == '+')
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> ParseInt(const std::string &text) {
    const char *first = text.data();
    const char *last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (first == last || error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

std::optional<TColor> ParseColor(const std::string &text) {
    const std::string digits = !text.empty() && text[0] == '#' ? text.substr(1) : text;
    if (digits.size() != 6)
        return std::nullopt;
    std::uint32_t rgb = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + 6, rgb, 16);
    if (error != std::errc() || end != digits.data() + 6)
        return std::nullopt;
    const std::uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return (b << 16) | (g << 8) | r;
}

std::string UsageText() {
    std::string text = "Использование:\n"
                       "  kurvanto-cli check ФОРМУЛА\n"
                       "  kurvanto-cli eval ФОРМУЛА X [X ...]\n"
                       "  kurvanto-cli plot ФОРМУЛА -o ФАЙЛ [параметры]\n"
                       "  kurvanto-cli --help\n"
                       "\n"
                       "check  проверяет пары символов формулы и печатает n или f;\n"
                       "eval   вычисляет формулу в каждой точке X и печатает статус и значение;\n"
                       "plot   строит график и записывает рисунок в ФАЙЛ (BMP, или PNG для .png).\n"
                       "\n"
                       "Параметры plot:\n";
    for (const PlotOption &option : PlotOptions())
        text += "  " + option.synopsis + "\n      " + option.help + "\n";
    text += "\nЧисла записываются с точкой (-3.5, 1e-3), цвета как RRGGBB (ff0000 - красный);\n"
            "в самой формуле десятичный разделитель - запятая (2,5*x).\n"
            "Коды выхода: 0 - готово, 1 - ошибка в функции, 2 - неверная командная строка,\n"
            "3 - ошибка при вычислении.\n";
    return text;
}

} // namespace kurvanto
