// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphlist.h"

#include <QAction>
#include <QColorDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <QTreeWidget>

#include "canvas.h"
#include "fielddescription.h"
#include "generalformat.h"
#include "uiseam.h"

namespace kurvanto {

namespace {

constexpr int kIndexRole = Qt::UserRole;

QIcon Swatch(TColor color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Canvas::toQColor(color));
    return QIcon(pixmap);
}

QString IntervalText(const FieldItem &item) {
    if (!item.interval)
        return QString();
    return QStringLiteral("[%1; %2]")
        .arg(QString::fromStdString(FormatGeneral(item.intervalFrom, ',')),
             QString::fromStdString(FormatGeneral(item.intervalTo, ',')));
}

} // namespace

GraphList::GraphList(QWidget *parent)
    : QDockWidget(QStringLiteral("Графики"), parent), tree_(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("GraphList"));
    tree_->setObjectName(QStringLiteral("GraphTree"));
    tree_->setAccessibleName(QStringLiteral("Графики"));
    tree_->setColumnCount(3);
    tree_->setHeaderLabels(
        {QStringLiteral("Цвет"), QStringLiteral("Формула"), QStringLiteral("Промежуток")});
    tree_->setRootIsDecorated(false);
    tree_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    tree_->header()->setSectionResizeMode(SwatchColumn, QHeaderView::ResizeToContents);
    setWidget(tree_);
    auto *remove = new QAction(tree_);
    remove->setShortcut(QKeySequence::Delete);
    remove->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    tree_->addAction(remove);
    connect(remove, &QAction::triggered, this, &GraphList::removeCurrent);
    connect(tree_, &QTreeWidget::itemChanged, this, &GraphList::itemChanged);
    connect(tree_, &QTreeWidget::itemClicked, this, &GraphList::itemClicked);
}

void GraphList::showList(const DisplayList &list) {
    filling_ = true;
    const int current = tree_->currentIndex().row();
    tree_->clear();
    shown_ = list.items();
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        const FieldItem &build = shown_[i];
        if (build.kind != FieldItem::Build)
            continue;
        auto *item = new QTreeWidgetItem(tree_);
        item->setData(SwatchColumn, kIndexRole, static_cast<qulonglong>(i));
        item->setIcon(SwatchColumn, Swatch(build.graphColor));
        item->setToolTip(SwatchColumn, QStringLiteral("Выбрать цвет графика"));
        item->setData(SwatchColumn, Qt::AccessibleTextRole,
                      QStringLiteral("Цвет ") + ColorName(build.graphColor));
        item->setText(FormulaColumn, QString::fromStdString(build.formula));
        item->setCheckState(FormulaColumn, build.hidden ? Qt::Unchecked : Qt::Checked);
        item->setText(IntervalColumn, IntervalText(build));
        item->setFlags(item->flags() | Qt::ItemIsEditable | Qt::ItemIsUserCheckable);
    }
    if (current >= 0 && current < tree_->topLevelItemCount())
        tree_->setCurrentItem(tree_->topLevelItem(current));
    filling_ = false;
}

QTreeWidgetItem *GraphList::itemOf(std::size_t index) const {
    for (int row = 0; row < tree_->topLevelItemCount(); ++row) {
        QTreeWidgetItem *item = tree_->topLevelItem(row);
        if (item->data(SwatchColumn, kIndexRole).toULongLong() == index)
            return item;
    }
    return nullptr;
}

void GraphList::itemChanged(QTreeWidgetItem *item, int column) {
    if (filling_ || column != FormulaColumn)
        return;
    const auto index = static_cast<std::size_t>(item->data(SwatchColumn, kIndexRole).toULongLong());
    if (index >= shown_.size())
        return;
    const bool hidden = item->checkState(FormulaColumn) == Qt::Unchecked;
    const QString text = item->text(FormulaColumn);
    // Asked once the item's own change is over: the window lists the builds anew.
    if (hidden != shown_[index].hidden)
        QTimer::singleShot(0, this, [=] { emit hiddenChanged(index, hidden); });
    else if (text.toStdString() != shown_[index].formula)
        QTimer::singleShot(0, this, [=] { emit formulaEdited(index, text); });
}

void GraphList::itemClicked(QTreeWidgetItem *item, int column) {
    if (column != SwatchColumn)
        return;
    const auto index = static_cast<std::size_t>(item->data(SwatchColumn, kIndexRole).toULongLong());
    if (index >= shown_.size())
        return;
    QColorDialog chooser(Canvas::toQColor(shown_[index].graphColor), this);
    chooser.setObjectName(QStringLiteral("ColorDialog1"));
    if (ExecDialog(chooser) == QDialog::Accepted)
        emit colorChosen(index, Canvas::fromQColor(chooser.currentColor()));
}

void GraphList::removeCurrent() {
    if (QTreeWidgetItem *item = tree_->currentItem())
        emit removeRequested(
            static_cast<std::size_t>(item->data(SwatchColumn, kIndexRole).toULongLong()));
}

void GraphList::pointAtFault(std::size_t index, const QString &typed) {
    QTreeWidgetItem *item = itemOf(index);
    if (item == nullptr)
        return;
    filling_ = true;
    item->setText(FormulaColumn, typed);
    filling_ = false;
    tree_->setCurrentItem(item, FormulaColumn);
    tree_->editItem(item, FormulaColumn);
    if (auto *editor = tree_->viewport()->findChild<QLineEdit *>()) {
        fault_.setBox(editor);
        fault_.show(typed);
    }
}

} // namespace kurvanto
