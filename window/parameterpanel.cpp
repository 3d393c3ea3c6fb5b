// SPDX-License-Identifier: GPL-3.0-or-later
#include "parameterpanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "tspinedit.h"

namespace kurvanto {

namespace {

constexpr int kSweepMilliseconds = 40; // 25 values a second
constexpr int kSettleMilliseconds = 600;
constexpr int kMaxSliderSteps = 100000;

TSpinEdit *NumberBox(QWidget *parent, const QString &name, const QString &hint) {
    auto *box = new TSpinEdit(parent);
    box->setObjectName(name);
    box->setToolTip(hint);
    box->setMinimumWidth(70);
    return box;
}

// Slider positions from the least value to the greatest, one a step.
int Positions(const ParameterRange &r) {
    const double n = std::floor((r.max - r.min) / r.step + 0.5);
    return n >= 1 && n <= kMaxSliderSteps ? static_cast<int>(n) : 1;
}

// The value of a slider position on the step's decimal grid, so that -10 + 103 steps of 0,1
// is 0,3 and not 0,30000000000000071.
double ValueAt(const ParameterRange &r, int position) {
    const double exact = position >= Positions(r) ? r.max : r.min + position * r.step;
    const int decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(r.step))) + 3, 0, 15);
    const double onGrid = QString::number(exact, 'f', decimals).toDouble();
    return std::isfinite(onGrid) ? onGrid : exact;
}

} // namespace

ParameterPanel::ParameterPanel(QWidget *parent) : QDockWidget(QStringLiteral("Параметры"), parent) {
    setObjectName(QStringLiteral("ParameterPanel"));
    auto *body = new QWidget(this);
    grid_ = new QGridLayout(body);
    const QStringList heads = {QString(),
                               QStringLiteral("Значение"),
                               QString(),
                               QStringLiteral("От"),
                               QStringLiteral("До"),
                               QStringLiteral("Шаг")};
    for (int c = 0; c < heads.size(); ++c)
        grid_->addWidget(new QLabel(heads[c], body), 0, c);
    for (int i = 0; i < kParameterCount; ++i)
        createRow(i);
    grid_->setRowStretch(kParameterCount + 1, 1);
    setWidget(body);
    player_ = new QTimer(this);
    player_->setInterval(kSweepMilliseconds);
    connect(player_, &QTimer::timeout, this, &ParameterPanel::sweep);
    settler_ = new QTimer(this);
    settler_->setSingleShot(true);
    settler_->setInterval(kSettleMilliseconds);
    connect(settler_, &QTimer::timeout, this, [this] {
        if (!moving())
            emit valuesSettled();
    });
}

void ParameterPanel::createRow(int index) {
    Row &row = rows_[static_cast<std::size_t>(index)];
    QWidget *body = widget() ? widget() : this;
    const QString letter(QLatin1Char(kParameterLetters[index]));
    auto *name = new QLabel(letter + QStringLiteral(" ="), body);
    row.value =
        NumberBox(body, QStringLiteral("value_") + letter, QStringLiteral("Значение ") + letter);
    row.slider = new QSlider(Qt::Horizontal, body);
    row.slider->setObjectName(QStringLiteral("slider_") + letter);
    row.slider->setMinimumWidth(120);
    row.min = NumberBox(body, QStringLiteral("min_") + letter, QStringLiteral("Наименьшее"));
    row.max = NumberBox(body, QStringLiteral("max_") + letter, QStringLiteral("Наибольшее"));
    row.step = NumberBox(body, QStringLiteral("step_") + letter, QStringLiteral("Шаг"));
    row.play = new QToolButton(body);
    row.play->setObjectName(QStringLiteral("play_") + letter);
    row.play->setCheckable(true);
    row.play->setText(QStringLiteral("▶"));
    row.play->setToolTip(
        QStringLiteral("Менять %1 от наименьшего к наибольшему и обратно").arg(letter));
    QWidget *all[] = {name, row.value, row.slider, row.min, row.max, row.step, row.play};
    for (int c = 0; c < 7; ++c) {
        grid_->addWidget(all[c], index + 1, c);
        all[c]->setVisible(false);
    }
    connectRow(index);
}

void ParameterPanel::connectRow(int index) {
    Row &row = rows_[static_cast<std::size_t>(index)];
    connect(row.value, &TSpinEdit::OnChange, this, [this, index, &row] {
        if (filling_)
            return;
        const double v = row.value->ValueAsDouble();
        placeSlider(index, v);
        emit valueMoved(index, v);
        settleSoon();
    });
    connect(row.slider, &QSlider::valueChanged, this, [this, index, &row](int position) {
        if (filling_)
            return;
        const double v = ValueAt(row.range, position);
        filling_ = true;
        row.value->setValueAsDouble(v);
        filling_ = false;
        emit valueMoved(index, v);
        settleSoon();
    });
    connect(row.slider, &QSlider::sliderReleased, this, [this] { settleSoon(); });
    for (TSpinEdit *box : {row.min, row.max, row.step})
        connect(box, &QLineEdit::editingFinished, this, [this, index] { takeRange(index); });
    connect(row.play, &QToolButton::toggled, this, [this, index](bool on) {
        if (playing_ >= 0 && playing_ != index)
            rows_[static_cast<std::size_t>(playing_)].play->setChecked(false);
        playing_ = on ? index : -1;
        on ? player_->start() : player_->stop();
        if (!on)
            settleSoon();
    });
}

bool ParameterPanel::moving() const {
    if (playing_ >= 0)
        return true;
    for (const Row &row : rows_)
        if (row.slider->isSliderDown())
            return true;
    return false;
}

void ParameterPanel::settleSoon() {
    if (!moving())
        settler_->start();
}

void ParameterPanel::placeSlider(int index, double value) {
    Row &row = rows_[static_cast<std::size_t>(index)];
    const bool was = filling_;
    filling_ = true;
    row.slider->setRange(0, Positions(row.range));
    row.slider->setValue(static_cast<int>(std::lround((value - row.range.min) / row.range.step)));
    filling_ = was;
}

void ParameterPanel::takeRange(int index) {
    Row &row = rows_[static_cast<std::size_t>(index)];
    ParameterRange r{row.min->ValueAsDouble(), row.max->ValueAsDouble(), row.step->ValueAsDouble()};
    if (!(r.min < r.max) || !(r.step > 0) || !std::isfinite(r.max - r.min)) {
        filling_ = true; // what cannot be a range goes back to the one before
        row.min->setValueAsDouble(row.range.min);
        row.max->setValueAsDouble(row.range.max);
        row.step->setValueAsDouble(row.range.step);
        filling_ = false;
        return;
    }
    row.range = r;
    placeSlider(index, row.value->ValueAsDouble());
    emit rangeChanged(index, r);
}

void ParameterPanel::sweep() {
    Row &row = rows_[static_cast<std::size_t>(playing_)];
    const int last = Positions(row.range);
    int next = row.slider->value() + row.direction;
    if (next > last || next < 0) {
        row.direction = -row.direction;
        next = row.slider->value() + row.direction;
    }
    row.slider->setValue(std::clamp(next, 0, last)); // reports the value as a move
}

void ParameterPanel::showParameters(const std::vector<int> &used, const ParameterValues &values,
                                    const ParameterRanges &ranges) {
    shown_ = used;
    filling_ = true;
    for (int i = 0; i < kParameterCount; ++i) {
        Row &row = rows_[static_cast<std::size_t>(i)];
        const bool on = std::find(used.begin(), used.end(), i) != used.end();
        for (int c = 0; c < 7; ++c)
            grid_->itemAtPosition(i + 1, c)->widget()->setVisible(on);
        if (!on && playing_ == i)
            row.play->setChecked(false);
        row.range = ranges[static_cast<std::size_t>(i)];
        row.min->setValueAsDouble(row.range.min);
        row.max->setValueAsDouble(row.range.max);
        row.step->setValueAsDouble(row.range.step);
        if (!row.slider->isSliderDown() && playing_ != i)
            row.value->setValueAsDouble(values.value[static_cast<std::size_t>(i)]);
        placeSlider(i, row.value->ValueAsDouble());
    }
    filling_ = false;
}

} // namespace kurvanto
