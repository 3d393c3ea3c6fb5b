// SPDX-License-Identifier: GPL-3.0-or-later
#include "pointspanel.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cstdio>

#include "fieldpoints.h"

namespace kurvanto {

namespace {

const char *const kKindNames[] = {"корень", "минимум", "максимум", "пересечение"};

// 10 significant digits with the decimal comma.
QString Number(double v) {
    return QString::number(v, 'g', 10).replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace

PointsPanel::PointsPanel(const Field &field, QWidget *parent)
    : QDockWidget(QStringLiteral("Особые точки"), parent), field_(field) {
    setObjectName(QStringLiteral("PointsPanel"));
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    table_ = new QTableWidget(0, 4, body);
    table_->setObjectName(QStringLiteral("PointsTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Вид"), QStringLiteral("Формула"),
                                       QStringLiteral("x"), QStringLiteral("y")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->installEventFilter(this);
    limit_ = new QLabel(body);
    limit_->setObjectName(QStringLiteral("PointsLimit"));
    limit_->setWordWrap(true);
    limit_->hide();
    layout->addWidget(table_);
    layout->addWidget(limit_);
    setWidget(body);
    connect(table_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0 && static_cast<std::size_t>(row) < marks_.size())
            emit pointChosen(marks_[static_cast<std::size_t>(row)]);
    });
}

// What the points depend on: the visible builds and the field's x range and width.
std::string PointsPanel::fieldKey() const {
    const PlotState &s = field_.state();
    std::string key;
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "%a %a %d|", s.XMin, s.XMax, s.FieldWidth);
    key += numbers;
    for (const FieldItem &item : field_.displayList().items()) {
        if (item.kind != FieldItem::Build || item.hidden)
            continue;
        std::snprintf(numbers, sizeof numbers, "|%d %d %a %a %u|", item.precision,
                      item.interval ? 1 : 0, item.intervalFrom, item.intervalTo, item.graphColor);
        key += item.formula + numbers;
    }
    return key;
}

void PointsPanel::refresh() {
    const std::string key = fieldKey();
    if (key == shownKey_)
        return;
    shownKey_ = key;
    const FieldBuilds builds = VisibleBuilds(field_.displayList(), field_.state());
    const double range = field_.state().XMax - field_.state().XMin;
    PointsFound found;
    try {
        found = FindPoints(builds.builds, range);
    } catch (...) {
        // the builds on the field were accepted: nothing raises; an empty list if it did
    }
    fill(found, builds);
    emit listChanged();
}

void PointsPanel::fill(const PointsFound &found, const FieldBuilds &builds) {
    table_->clearContents();
    table_->setRowCount(static_cast<int>(found.points.size()));
    marks_.clear();
    int row = 0;
    for (const PointOfInterest &p : found.points) {
        const auto first = static_cast<std::size_t>(p.first);
        QString formula = QString::fromStdString(builds.builds[first].formula);
        if (p.kind == PointOfInterest::Cross)
            formula +=
                QStringLiteral(" и ") +
                QString::fromStdString(builds.builds[static_cast<std::size_t>(p.second)].formula);
        const QString cells[4] = {QString::fromUtf8(kKindNames[p.kind]), formula, Number(p.x),
                                  Number(p.y)};
        for (int column = 0; column < 4; ++column)
            table_->setItem(row, column, new QTableWidgetItem(cells[column]));
        PointMark mark;
        mark.x = p.x;
        mark.y = p.y;
        mark.color = builds.colors[first];
        marks_.push_back(mark);
        ++row;
    }
    QStringList names;
    for (int i : found.limited)
        names << QString::fromStdString(builds.builds[static_cast<std::size_t>(i)].formula);
    limit_->setText(QStringLiteral("Показаны только первые %1 точек графиков: %2")
                        .arg(kMaxPointsPerBuild)
                        .arg(names.join(QStringLiteral(", "))));
    limit_->setVisible(!names.isEmpty());
}

QString PointsPanel::selectedText() const {
    QString text;
    for (int row = 0; row < table_->rowCount(); ++row) {
        if (!table_->item(row, 0) || !table_->item(row, 0)->isSelected())
            continue;
        QStringList cells;
        for (int column = 0; column < 4; ++column)
            cells << table_->item(row, column)->text();
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

// Ctrl+C while the list has the focus copies its rows: the key is taken before it reaches the
// window's "copy picture".
bool PointsPanel::eventFilter(QObject *watched, QEvent *event) {
    if (watched == table_ &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
        static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            QApplication::clipboard()->setText(selectedText());
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}

} // namespace kurvanto
