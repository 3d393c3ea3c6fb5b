// SPDX-License-Identifier: GPL-3.0-or-later
// The points of interest in the window: the option "Особые точки" (rings on the field) and the
// panel "Особые точки" (Вид → Особые точки), whose chosen row is shown in the read-out and
// ringed on the field.
#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <algorithm>
#include <cmath>
#include <memory>

#include "fielddescription.h"
#include "fieldpoints.h"
#include "fieldsettings.h"
#include "localesep.h"
#include "picturebox.h"
#include "pointspanel.h"
#include "readout.h"
#include "tform1.h"
#include "uiseam.h"

namespace kurvanto {

namespace {

// What the picture's words say of the points of visible build k (from 0): its roots, minima
// and maxima, and where it crosses the other builds, 4 significant digits. An x closer to 0
// than 1e-8 of the field's x range is 0: the flat bottom of x^2 leaves the search that far.
QStringList PointNotes(const PointsFound &found, int k, double xRange) {
    std::vector<double> roots;
    QStringList minima, maxima, crossings;
    for (PointOfInterest p : found.points) {
        if (std::fabs(p.x) < 1e-8 * xRange)
            p.x = 0;
        const QString at = FormatSignificant(p.x) + QStringLiteral(" (y = ") +
                           FormatSignificant(p.y) + QLatin1Char(')');
        if (p.kind == PointOfInterest::Cross && (p.first == k || p.second == k))
            crossings << QStringLiteral("с графиком %1 при x = %2")
                             .arg(p.first == k ? p.second + 1 : p.first + 1)
                             .arg(FormatSignificant(p.x));
        else if (p.first != k)
            continue;
        else if (p.kind == PointOfInterest::Root)
            roots.push_back(p.x);
        else if (p.kind == PointOfInterest::Minimum)
            minima << at;
        else if (p.kind == PointOfInterest::Maximum)
            maxima << at;
    }
    QStringList notes;
    if (!roots.empty())
        notes << QStringLiteral("корни: ") + JoinValues(roots);
    if (!minima.isEmpty())
        notes << QStringLiteral("минимумы: ") + minima.join(QStringLiteral("; "));
    if (!maxima.isEmpty())
        notes << QStringLiteral("максимумы: ") + maxima.join(QStringLiteral("; "));
    if (!crossings.isEmpty())
        notes << QStringLiteral("пересечения: ") + crossings.join(QStringLiteral("; "));
    return notes;
}

} // namespace

// With the option on, the picture's words name the points of interest under each build; they
// are searched once for each description, at its first visible build.
void TForm1::notePointsInDescription() {
    auto found = std::make_shared<PointsFound>();
    setPictureNotes([this, found](std::size_t index, const FieldItem &) {
        if (!field_.options().points)
            return QStringList();
        const FieldBuilds visible = VisibleBuilds(field_.displayList(), state_);
        const auto at = std::find(visible.items.begin(), visible.items.end(), index);
        if (at == visible.items.end())
            return QStringList();
        if (at == visible.items.begin())
            *found = FieldPoints(field_.displayList(), state_);
        return PointNotes(*found, static_cast<int>(at - visible.items.begin()),
                          static_cast<double>(static_cast<long double>(state_.XMax) - state_.XMin));
    });
}

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
    notePointsInDescription();
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
    describePicture();
}

} // namespace kurvanto
