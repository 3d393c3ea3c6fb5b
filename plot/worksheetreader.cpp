// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a worksheet's bytes: every value is checked before anything is kept, and the first
// fault ends the reading with its message.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <limits>

#include "acceptance.h"
#include "formula.h"
#include "worksheet.h"
#include "worksheetjson.h"

namespace kurvanto {

namespace {

struct Fault {
    QString why;
};

[[noreturn]] void Fail(const QString &why) {
    throw Fault{why};
}

// The deepest nesting of arrays and objects in the text, looked at before the JSON reader
// sees it (strings and their escapes skipped); stops counting past the limit.
int NestingDepth(const QByteArray &bytes) {
    int depth = 0, deepest = 0;
    bool inString = false;
    for (qsizetype i = 0; i < bytes.size() && deepest <= kWorksheetMaxDepth; ++i) {
        const char c = bytes[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return deepest;
}

// Reads the values of one JSON object; `where` leads its messages ("элемент 3: ").
class ObjectReader {
  public:
    ObjectReader(const QJsonObject &object, QString where)
        : object_(object), where_(std::move(where)) {}

    [[noreturn]] void fail(const QString &why) const { Fail(where_ + why); }

    QJsonValue need(const char *key) const {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (v.isUndefined())
            fail(QStringLiteral("нет поля «%1»").arg(QLatin1String(key)));
        return v;
    }
    QString text(const char *key) const {
        const QJsonValue v = need(key);
        if (!v.isString())
            fail(QStringLiteral("«%1» должно быть строкой").arg(QLatin1String(key)));
        return v.toString();
    }
    double real(const char *key) const {
        const auto d = DoubleOfValue(need(key));
        if (!d)
            fail(QStringLiteral("«%1» должно быть числом").arg(QLatin1String(key)));
        return *d;
    }
    double finite(const char *key) const {
        const double d = real(key);
        if (!std::isfinite(d))
            fail(QStringLiteral("«%1» должно быть конечным числом").arg(QLatin1String(key)));
        return d;
    }
    std::int32_t whole(const char *key, std::int32_t low, std::int32_t high) const {
        const QJsonValue v = need(key);
        const double d = v.toDouble(std::nan(""));
        if (!v.isDouble() || !(d >= low && d <= high) || d != std::floor(d))
            fail(QStringLiteral("«%1» должно быть целым числом от %2 до %3")
                     .arg(QLatin1String(key))
                     .arg(low)
                     .arg(high));
        return static_cast<std::int32_t>(d);
    }
    TColor color(const char *key) const {
        const QJsonValue v = need(key);
        const double d = v.toDouble(-1);
        if (!v.isDouble() || !(d >= 0 && d <= 4294967295.0) || d != std::floor(d))
            fail(QStringLiteral("«%1» должно быть цветом: целым числом от 0 до 4294967295")
                     .arg(QLatin1String(key)));
        return static_cast<TColor>(d);
    }
    bool flag(const char *key, bool optional = false) const {
        const QJsonValue v = object_.value(QLatin1String(key));
        if (optional && v.isUndefined())
            return false;
        if (!need(key).isBool())
            fail(QStringLiteral("«%1» должно быть true или false").arg(QLatin1String(key)));
        return v.toBool();
    }
    Real48 real48(const char *key) const {
        const auto value = Real48FromHex(text(key));
        if (!value)
            fail(QStringLiteral("«%1» должно быть шестью байтами в шестнадцатеричной записи")
                     .arg(QLatin1String(key)));
        return *value;
    }
    QJsonObject object(const char *key) const {
        const QJsonValue v = need(key);
        if (!v.isObject())
            fail(QStringLiteral("«%1» должно быть объектом").arg(QLatin1String(key)));
        return v.toObject();
    }
    QJsonArray array(const char *key) const {
        const QJsonValue v = need(key);
        if (!v.isArray())
            fail(QStringLiteral("«%1» должно быть массивом").arg(QLatin1String(key)));
        return v.toArray();
    }
    bool has(const char *key) const { return object_.contains(QLatin1String(key)); }

  private:
    QJsonObject object_;
    QString where_;
};

ViewRanges ReadRanges(const QJsonObject &object, const char *name) {
    const ObjectReader r(object, QStringLiteral("«%1»: ").arg(QLatin1String(name)));
    const ViewRanges v{r.finite("xmin"), r.finite("xmax"), r.finite("ymin"), r.finite("ymax")};
    if (!(v.xMin < v.xMax))
        r.fail(QStringLiteral("xmin должно быть меньше xmax"));
    if (!(v.yMin < v.yMax))
        r.fail(QStringLiteral("ymin должно быть меньше ymax"));
    return v;
}

std::string AcceptedFormula(const ObjectReader &r) {
    const QString formula = r.text("formula");
    const std::string utf8 = formula.toStdString();
    if (formula.toUcs4().size() > kFormulaMaxLength)
        r.fail(QStringLiteral("формула длиннее %1 символов").arg(kFormulaMaxLength));
    if (const auto fault = FindFormulaFault(utf8))
        r.fail(QStringLiteral("ошибка в формуле «%1», позиция %2: %3")
                   .arg(formula)
                   .arg(fault->position)
                   .arg(QString::fromStdString(fault->reason)));
    return utf8;
}

void ReadBuild(const ObjectReader &r, FieldItem &item) {
    item.formula = AcceptedFormula(r);
    item.graphColor = r.color("color");
    item.axesColor = r.color("axes-color");
    item.precision = r.whole("precision", 1, kWorksheetMaxPrecision);
    item.hidden = r.flag("hidden");
    item.interval = r.has("interval");
    if (!item.interval)
        return;
    const QJsonArray ends = r.array("interval");
    const double from = ends.size() == 2 ? DoubleOfValue(ends[0]).value_or(HUGE_VAL) : HUGE_VAL;
    const double to = ends.size() == 2 ? DoubleOfValue(ends[1]).value_or(HUGE_VAL) : HUGE_VAL;
    if (!std::isfinite(from) || !std::isfinite(to))
        r.fail(QStringLiteral("«interval» должно быть парой конечных чисел"));
    item.intervalFrom = from;
    item.intervalTo = to;
}

QString Letter(std::size_t index) {
    return QString(QLatin1Char(kParameterLetters[index]));
}

// The values a member of a family holds fixed.
void ReadFixed(const ObjectReader &r, FieldItem &item) {
    if (!r.has("fixed"))
        return;
    const ObjectReader fixed(r.object("fixed"), QStringLiteral("«fixed»: "));
    for (std::size_t i = 0; i < kParameterCount; ++i) {
        const QByteArray key = Letter(i).toLatin1();
        if (!fixed.has(key.constData()))
            continue;
        item.fixedParameters = static_cast<std::uint8_t>(item.fixedParameters | (1u << i));
        item.fixedValues.value[i] = fixed.finite(key.constData());
    }
}

// The parameters' values and ranges; what a sheet leaves out keeps its first value.
void ReadParameters(const ObjectReader &r, Worksheet &sheet) {
    if (!r.has("parameters"))
        return;
    const ObjectReader all(r.object("parameters"), QStringLiteral("«parameters»: "));
    for (std::size_t i = 0; i < kParameterCount; ++i) {
        const QByteArray key = Letter(i).toLatin1();
        if (!all.has(key.constData()))
            continue;
        const ObjectReader p(all.object(key.constData()),
                             QStringLiteral("«parameters», «%1»: ").arg(Letter(i)));
        ParameterRange &range = sheet.parameterRanges[i];
        const auto take = [&p](const char *name, double &into) {
            if (p.has(name))
                into = p.finite(name);
        };
        take("value", sheet.parameters.value[i]);
        take("min", range.min);
        take("max", range.max);
        take("step", range.step);
        if (!(range.min < range.max) || !(range.step > 0))
            p.fail(QStringLiteral("нужно min меньше max и step больше 0"));
    }
}

FieldItem ReadItem(const QJsonValue &value, int number) {
    const QString where = QStringLiteral("элемент %1: ").arg(number);
    if (!value.isObject())
        Fail(where + QStringLiteral("должен быть объектом"));
    const ObjectReader r(value.toObject(), where);
    const QString kind = r.text("kind");
    FieldItem item;
    if (kind == QLatin1String("build")) {
        item.kind = FieldItem::Build;
        ReadBuild(r, item);
        ReadFixed(r, item);
    } else if (kind == QLatin1String("ticks")) {
        item.kind = FieldItem::Tick;
        item.axesColor = r.color("axes-color");
        item.markX = r.real48("x");
        item.markY = r.real48("y");
    } else if (kind == QLatin1String("corner")) {
        item.kind = FieldItem::Corner;
        item.formula = AcceptedFormula(r);
        item.graphColor = r.color("color");
        item.markX = r.real48("x");
    } else if (kind == QLatin1String("label")) {
        item.kind = FieldItem::Label;
        item.text = r.text("text");
        item.labelColor = r.color("color");
        item.x = r.real("x");
        item.y = r.real("y");
    } else {
        r.fail(QStringLiteral("неизвестный вид «%1»").arg(kind));
    }
    return item;
}

std::vector<FieldItem> ReadItems(const QJsonArray &array) {
    std::vector<FieldItem> items;
    std::size_t builds = 0;
    for (qsizetype i = 0; i < array.size(); ++i) {
        items.push_back(ReadItem(array[i], static_cast<int>(i + 1)));
        builds += items.back().kind == FieldItem::Build ? 1 : 0;
        if (builds > kWorksheetMaxBuilds)
            Fail(QStringLiteral("графиков больше %1").arg(kWorksheetMaxBuilds));
        if (items.size() - builds > kWorksheetMaxMarks)
            Fail(QStringLiteral("пометок больше %1").arg(kWorksheetMaxMarks));
    }
    return items;
}

void CheckFormatAndVersion(const ObjectReader &r) {
    if (r.text("format") != QLatin1String("kurvanto-worksheet"))
        r.fail(QStringLiteral("это не лист Курванто («format» не «kurvanto-worksheet»)"));
    const std::int32_t version = r.whole("version", 1, std::numeric_limits<std::int32_t>::max());
    if (version > kWorksheetVersion)
        r.fail(QStringLiteral("лист версии %1, а программа читает листы до версии %2")
                   .arg(version)
                   .arg(kWorksheetVersion));
}

Worksheet ReadRoot(const QJsonObject &root) {
    const ObjectReader r(root, QString());
    CheckFormatAndVersion(r);
    Worksheet sheet;
    sheet.width = r.whole("width", 1, kWorksheetMaxSide);
    sheet.height = r.whole("height", 1, kWorksheetMaxSide);
    sheet.ranges = ReadRanges(r.object("ranges"), "ranges");
    sheet.home = ReadRanges(r.object("home"), "home");
    sheet.precision = r.whole("precision", 1, kWorksheetMaxPrecision);
    const ObjectReader colors(r.object("colors"), QStringLiteral("«colors»: "));
    sheet.axesColor = colors.color("axes");
    sheet.graphColor = colors.color("graph");
    sheet.backgroundColor = colors.color("background");
    // Flags a sheet leaves out are off: later versions add flags an older sheet has not.
    const ObjectReader options(r.object("options"), QStringLiteral("«options»: "));
    sheet.options.grid = options.flag("grid", true);
    sheet.options.numbers = options.flag("numbers", true);
    sheet.options.breaks = options.flag("breaks", true);
    sheet.options.legend = options.flag("legend", true);
    sheet.options.points = options.flag("points", true);
    sheet.items = ReadItems(r.array("items"));
    ReadParameters(r, sheet);
    return sheet;
}

} // namespace

std::optional<double> DoubleOfValue(const QJsonValue &value) {
    if (value.isDouble())
        return value.toDouble();
    if (!value.isString())
        return std::nullopt;
    const QString s = value.toString();
    if (s == QLatin1String("-0"))
        return -0.0;
    if (s == QLatin1String("inf"))
        return HUGE_VAL;
    if (s == QLatin1String("-inf"))
        return -HUGE_VAL;
    if (s == QLatin1String("nan"))
        return std::nan("");
    return std::nullopt;
}

WorksheetRead ParseWorksheet(const QByteArray &bytes) {
    WorksheetRead read;
    try {
        if (bytes.size() > kWorksheetMaxBytes)
            Fail(QStringLiteral("файл больше 10 МБ"));
        if (NestingDepth(bytes) > kWorksheetMaxDepth)
            Fail(QStringLiteral("вложенность глубже, чем бывает в листе"));
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
        if (error.error != QJsonParseError::NoError)
            Fail(QStringLiteral("это не JSON (%1, байт %2)")
                     .arg(error.errorString())
                     .arg(error.offset + 1));
        if (!document.isObject())
            Fail(QStringLiteral("это не лист Курванто (в файле не объект JSON)"));
        read.sheet = ReadRoot(document.object());
    } catch (const Fault &fault) {
        read.fault = fault.why;
    }
    return read;
}

} // namespace kurvanto
