// SPDX-License-Identifier: GPL-3.0-or-later
#include "cliargs.h"

#include <charconv>
#include <cmath>

#include "pictureformat.h"
#include "plotcommand.h"

namespace kurvanto {

std::optional<double> ParseReal(const std::string &written) {
    std::string text = written;
    const std::size_t comma = text.find(',');
    if (comma != std::string::npos) {
        if (text.find_first_of(",.", comma + 1) != std::string::npos ||
            text.find('.') != std::string::npos)
            return std::nullopt; // one separator at most, a comma or a point
        text[comma] = '.';
    }
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

std::string RealText(double value) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : std::string("?");
}

bool IsOptionArgument(const std::string &arg) {
    return arg.rfind("--", 0) == 0 || arg == "-o";
}

UsageError UnknownOption(const std::string &arg) {
    return UsageError("неизвестный параметр «" + arg + "»");
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

std::string OptionMessage(const std::string &name, const std::vector<std::string> &values,
                          const std::string &why) {
    std::string text = name;
    for (const std::string &value : values)
        text += " " + (value.empty() ? std::string("''") : value);
    return text + ": " + why;
}

std::string UsageText() {
    std::string text =
        "Использование:\n"
        "  kurvanto-cli check [--raw] ФОРМУЛА\n"
        "  kurvanto-cli eval [--raw] ФОРМУЛА X [X ...]\n"
        "  kurvanto-cli plot ФОРМУЛА -o ФАЙЛ [параметры]\n"
        "  kurvanto-cli plot --sheet ЛИСТ [ФОРМУЛА] -o ФАЙЛ [параметры]\n"
        "  kurvanto-cli table ФОРМУЛА [--also Ф ...] --from A --step H --count N\n"
        "  kurvanto-cli points ФОРМУЛА [--also ФОРМУЛА ...] [параметры поля]\n"
        "  kurvanto-cli --help | --version\n"
        "\n"
        "check  печатает n, если программа примет формулу, иначе f; при f в поток ошибок\n"
        "       выводится «позиция P: причина» (P - номер символа, считая с 1).\n"
        "eval   вычисляет принятую формулу в каждой точке X и печатает по строке:\n"
        "       «n ЗНАЧЕНИЕ» или «m» (в этой точке у формулы нет значения).\n"
        "       Формулу длиннее 80 символов или не принятую check и eval отклоняют.\n"
        "--raw  для проверки ядра: check - только проверка пар символов, всегда код 0;\n"
        "       eval - статус и значение при любом статусе; формула обрезается до 80\n"
        "       символов, как в поле ввода.\n"
        "--param ИМЯ=ЧИСЛО  значение параметра a, b, c, k или m для eval и plot (можно\n"
        "       несколько раз); check параметров не требует, --raw их не читает.\n"
        "plot   строит график, как окно программы, и записывает рисунок в ФАЙЛ\n"
        "       (- - стандартный вывод).\n"
        "table  печатает таблицу значений: строку «x» и формул через табуляцию, затем\n"
        "       по строке на каждое x = A + i*H (i от 0 до N-1, N от 1 до 10000):\n"
        "       x и значения, как их печатает eval, или m, где значения нет.\n"
        "points печатает особые точки графиков на том же поле, по строке, по возрастанию x:\n"
        "       «root I X Y», «min I X Y», «max I X Y», «cross I J X Y» (I, J - номера\n"
        "       формул с 1); параметры поля - те же, что у plot: --width --height --xmin\n"
        "       --xmax --ymin --ymax --precision --interval --also --sheet.\n"
        "\n"
        "Параметры plot:\n";
    for (const PlotOption &option : PlotOptions())
        text += "  " + option.synopsis + "\n      " + option.help + "\n";
    text += "\nФормат рисунка задаёт --format, иначе расширение имени (" + ExtensionsText() +
            ",\nв любом регистре); без расширения, в стандартный вывод\n"
            "и в файл, который не является обычным (устройство, канал), рисунок пишется\n"
            "как BMP. SVG и PDF - векторные: те же точки кривых, текст - текстом.\n"
            "Старый файл заменяется только целиком записанным новым.\n"
            "Параметры начинаются с -- (и -o); прочие аргументы - значения и формула, так что\n"
            "-1 и -x^2 пишутся как есть. Аргумент -- делает формулой следующий за ним,\n"
            "даже если тот начинается с --.\n"
            "\nЧисла записываются с точкой или запятой (-3.5, -3,5, 1e-3); цвета как RRGGBB\n"
            "(ff0000 - красный); в самой формуле десятичный разделитель - запятая (2,5*x).\n"
            "Коды выхода: 0 - готово, 1 - формула или лист не приняты, 2 - неверная командная\n"
            "строка, "
            "3 - ошибка при вычислении или записи файла, 130 - прервано (Ctrl+C).\n"
            "Подробно: man kurvanto-cli (до установки - man build/dist/kurvanto-cli.1 в папке\n"
            "сборки).\n";
    return text;
}

} // namespace kurvanto
