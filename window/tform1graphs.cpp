// SPDX-License-Identifier: GPL-3.0-or-later
// The menu "&Вид" and the panel "Графики": each change asked for in the panel is a step on
// the field.
#include <QAction>
#include <QMenu>

#include "acceptance.h"
#include "formula.h"
#include "graphlist.h"
#include "parameterroom.h"
#include "sheetsettings.h"
#include "tform1.h"

namespace kurvanto {

namespace {

// Whether the formula box would take the text: at most 80 characters, no fault.
bool Accepted(const QString &formula) {
    return formula.toUcs4().size() <= kFormulaMaxLength &&
           !FindFormulaFault(formula.toStdString()).has_value();
}

} // namespace

void TForm1::createViewMenu() {
    QMenu *view = addMenu("N35", QStringLiteral("&Вид"));
    graphList_ = new GraphList(this);
    // Closable: Qt leaves the toggle item of a dock that cannot be closed disabled.
    graphList_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                            QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::RightDockWidgetArea, graphList_);
    graphList_->setVisible(LoadGraphListShown());
    QAction *toggle = graphList_->toggleViewAction();
    toggle->setObjectName(QStringLiteral("N36"));
    toggle->setText(QStringLiteral("Графики"));
    view->addAction(toggle);
    connect(toggle, &QAction::triggered, this, [](bool shown) { SaveGraphListShown(shown); });
    connect(graphList_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            graphList_->showList(field_.displayList());
    });
    connectGraphList();
    parameterRoom_ = new ParameterRoom(*this, view);
    createPointsPanel(view);
    createDescriptionItem(view);
}

void TForm1::connectGraphList() {
    connect(graphList_, &GraphList::hiddenChanged, this, [this](std::size_t i, bool hidden) {
        recordStep(hidden ? QStringLiteral("скрытие графика") : QStringLiteral("показ графика"),
                   [=] { field_.setBuildHidden(i, hidden); });
        graphList_->showList(field_.displayList()); // also when nothing changed
    });
    connect(graphList_, &GraphList::colorChosen, this, [this](std::size_t i, TColor color) {
        recordStep(QStringLiteral("цвет графика"), [=] { field_.setBuildColor(i, color); });
    });
    connect(graphList_, &GraphList::formulaEdited, this,
            [this](std::size_t i, const QString &text) {
                if (!Accepted(text)) {
                    graphList_->pointAtFault(i, text);
                    return;
                }
                recordStep(QStringLiteral("правку формулы"),
                           [=] { field_.setBuildFormula(i, text.toStdString()); });
            });
    connect(graphList_, &GraphList::removeRequested, this, [this](std::size_t i) {
        recordStep(QStringLiteral("удаление графика"), [=] {
            field_.removeItem(i);
            if (state_.GraphPresent == 0)
                setReadoutLabelsVisible(false);
        });
    });
}

} // namespace kurvanto
