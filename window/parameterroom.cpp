// SPDX-License-Identifier: GPL-3.0-or-later
#include "parameterroom.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QUndoStack>
#include <algorithm>

#include "acceptance.h"
#include "formula.h"
#include "parameterpanel.h"
#include "picturebox.h"
#include "tform1.h"
#include "tspinedit.h"
#include "uiseam.h"

namespace kurvanto {

ParameterRoom::ParameterRoom(TForm1 &window, QMenu *view) : QObject(&window), window_(window) {
    panel_ = new ParameterPanel(&window);
    panel_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable |
                        QDockWidget::DockWidgetClosable);
    window.addDockWidget(Qt::RightDockWidgetArea, panel_);
    // Its rows are wide: docked, they would squeeze the picture out of the window, so the
    // panel comes floating below it (the user may dock it).
    panel_->setFloating(true);
    panel_->hide();
    QAction *toggle = panel_->toggleViewAction();
    toggle->setObjectName(QStringLiteral("ParametersItem"));
    toggle->setText(QStringLiteral("Параметры"));
    view->addAction(toggle);
    QAction *family = view->addAction(QStringLiteral("Построить семейство..."));
    family->setObjectName(QStringLiteral("FamilyItem"));
    connect(family, &QAction::triggered, this, &ParameterRoom::askFamily);
    connect(panel_, &ParameterPanel::valueMoved, this, &ParameterRoom::moveValue);
    connect(panel_, &ParameterPanel::valuesSettled, this, &ParameterRoom::settle);
    connect(panel_, &ParameterPanel::rangeChanged, this,
            [this](int index, const ParameterRange &range) {
                ParameterRanges ranges = window_.field_.parameterRanges();
                ranges[static_cast<std::size_t>(index)] = range;
                window_.field_.setParameterRanges(ranges);
                window_.updateCaption();
            });
    connect(window.undoStack(), &QUndoStack::indexChanged, this, &ParameterRoom::refresh);
    connect(window.undoStack(), &QUndoStack::cleanChanged, this, &ParameterRoom::refresh);
}

std::vector<int> ParameterRoom::usedParameters() const {
    std::vector<int> used;
    for (const FieldItem &item : window_.field_.displayList().items()) {
        if (item.kind != FieldItem::Build || item.hidden)
            continue;
        for (const ParameterUse &use : FindParameters(item.formula))
            if (!(item.fixedParameters & (1u << use.index)) &&
                std::find(used.begin(), used.end(), use.index) == used.end())
                used.push_back(use.index);
    }
    std::sort(used.begin(), used.end());
    return used;
}

void ParameterRoom::refresh() {
    const std::vector<int> used = usedParameters();
    const bool appeared = panel_->shownParameters().empty() && !used.empty();
    panel_->showParameters(used, window_.field_.parameters(), window_.field_.parameterRanges());
    if (appeared) {
        if (panel_->isFloating())
            panel_->move(window_.frameGeometry().bottomLeft() + QPoint(0, 8));
        panel_->show();
    }
}

void ParameterRoom::moveValue(int index, double value) {
    if (!moveStart_) {
        moveStart_ = window_.field_.parameters();
        pending_ = *moveStart_;
    }
    pending_.value[static_cast<std::size_t>(index)] = value;
    if (drawQueued_)
        return; // the draw already waiting takes the newest value
    drawQueued_ = true;
    QTimer::singleShot(0, this, &ParameterRoom::drawPending);
}

void ParameterRoom::drawPending() {
    if (!drawQueued_)
        return;
    drawQueued_ = false;
    RunCommand(&window_, [this] { window_.field_.setParameters(pending_); });
    window_.Image1->update();
}

void ParameterRoom::settle() {
    drawPending();
    if (!moveStart_)
        return;
    const ParameterValues final = pending_;
    window_.field_.setParameters(*moveStart_, false);
    moveStart_.reset();
    window_.recordStep(QStringLiteral("значение параметра"),
                       [this, final] { window_.field_.setParameters(final); });
}

std::optional<QString> ParameterRoom::buildFamily(int index, double from, double to, double step) {
    const QString formula = window_.Edit1->text();
    if (formula.toUcs4().size() > kFormulaMaxLength ||
        FindFormulaFault(formula.toStdString()).has_value())
        return QStringLiteral("Формулу «%1» программа не примет.").arg(formula);
    const auto values = FamilyValues(from, to, step);
    if (!values)
        return QStringLiteral("В семействе больше %1 графиков: увеличьте шаг.")
            .arg(kMaxFamilyMembers);
    if (values->empty())
        return QStringLiteral("Нужно «от» не больше «до» и шаг больше 0.");
    window_.recordStep(QStringLiteral("семейство «%1»").arg(formula),
                       [=] { window_.field_.buildFamily(formula.toStdString(), index, *values); });
    return std::nullopt;
}

void ParameterRoom::askFamily() {
    QDialog dialog(&window_);
    dialog.setObjectName(QStringLiteral("FamilyDialog"));
    dialog.setWindowTitle(QStringLiteral("Семейство графиков"));
    auto *form = new QFormLayout(&dialog);
    auto *letter = new QComboBox(&dialog);
    for (int i = 0; i < kParameterCount; ++i)
        letter->addItem(QString(QLatin1Char(kParameterLetters[i])));
    const std::vector<int> used = usedParameters();
    const auto &found = FindParameters(window_.Edit1->text().toStdString());
    letter->setCurrentIndex(!found.empty() ? found.front().index : used.empty() ? 2 : used[0]);
    TSpinEdit *boxes[3];
    const double starts[3] = {-2, 2, 1};
    const QString names[3] = {QStringLiteral("От"), QStringLiteral("До"), QStringLiteral("Шаг")};
    form->addRow(QStringLiteral("Параметр"), letter);
    for (int i = 0; i < 3; ++i) {
        boxes[i] = new TSpinEdit(&dialog);
        boxes[i]->setValueAsDouble(starts[i]);
        form->addRow(names[i], boxes[i]);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return;
    const auto refusal = buildFamily(letter->currentIndex(), boxes[0]->ValueAsDouble(),
                                     boxes[1]->ValueAsDouble(), boxes[2]->ValueAsDouble());
    if (refusal)
        ShowMessage(&window_, *refusal, QMessageBox::Warning);
}

} // namespace kurvanto
