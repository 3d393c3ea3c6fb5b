// SPDX-License-Identifier: GPL-3.0-or-later
// The points of interest in the window: the option "Особые точки" (rings on the field) and the
// panel "Особые точки" (Вид → Особые точки), whose chosen row is shown in the read-out and
// ringed on the field.
#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenu>

#include "fieldpoints.h"
#include "fieldsettings.h"
#include "localesep.h"
#include "picturebox.h"
#include "pointspanel.h"
#include "readout.h"
#include "tform1.h"
#include "uiseam.h"

namespace kurvanto {

void TForm1::createPointsPanel(QMenu *view) {
    field_.setPointSource(FieldPointMarks);
    pointsPanel_ = new PointsPanel(field_, this);
    pointsPanel_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                              QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::RightDockWidgetArea, pointsPanel_);
    pointsPanel_->hide();
    QAction *toggle = pointsPanel_->toggleViewAction();
    toggle->setObjectName(QStringLiteral("N41"));
    toggle->setText(QStringLiteral("Особые точки"));
    view->addAction(toggle);
    // The list follows the field: every change of it is shown on the picture.
    Image1->installEventFilter(this);
    connect(pointsPanel_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            pointsPanel_->refresh();
    });
    connect(pointsPanel_, &PointsPanel::pointChosen, this, [this](const PointMark &point) {
        const QChar separator = LocaleDecimalSeparator();
        Label3->setText(ReadoutText(point.x, separator));
        Label3->adjustSize();
        Label4->setText(ReadoutText(point.y, separator));
        Label4->adjustSize();
        pointChosen_ = true;
        RunCommand(this, [&] { field_.setChosenPoint(point); });
        Image1->update();
    });
    connect(pointsPanel_, &PointsPanel::listChanged, this, [this] {
        if (!pointChosen_)
            return;
        pointChosen_ = false;
        RunCommand(this, [&] { field_.setChosenPoint(std::nullopt); });
        Image1->update();
    });
}

// Before the picture is painted: the shown list follows what is on it.
void TForm1::refreshPointsPanel() {
    if (pointsPanel_ != nullptr && pointsPanel_->isVisible())
        RunCommand(this, [this] { pointsPanel_->refresh(); });
}

void TForm1::N40Click() {
    toggleOption(&FieldOptions::points, N40, kPointsKey);
}

} // namespace kurvanto
