// SPDX-License-Identifier: GPL-3.0-or-later
// The menu "Вид"'s trace, table of values and fit to the curves' y range.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QUndoStack>

#include "picturebox.h"
#include "tform1.h"
#include "tracer.h"
#include "uiseam.h"
#include "undocommands.h"
#include "valuetable.h"
#include "valuetabledialog.h"

namespace kurvanto {

namespace {

// The fit is a view step of its own: it merges with no zoom or pan before or after it.
class FitYStep : public ViewStep {
  public:
    FitYStep(Field &field, QWidget *window, const ViewRanges &before, const ViewRanges &after,
             std::function<void()> shown)
        : ViewStep(field, window, before, after, std::move(shown)) {
        setText(QStringLiteral("вписывание по y"));
    }
    int id() const override { return -1; }
};

} // namespace

void TForm1::createTraceItems() {
    QMenu *view = findChild<QMenu *>(QStringLiteral("N35"));
    tracer_ = new Tracer(field_, Image1, Label3, Label4);
    addSeparator(view, "N45");
    QAction *trace = addItem(view, "N46", QStringLiteral("&След"));
    trace->setCheckable(true);
    connect(trace, &QAction::toggled, this,
            [this](bool on) { RunCommand(this, [&] { tracer_->setOn(on); }); });
    connect(addItem(view, "N47", QStringLiteral("&Таблица значений...")), &QAction::triggered, this,
            &TForm1::showValueTable);
    QAction *fit = addItem(view, "N48", QStringLiteral("Вписать по &y"));
    fit->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Y));
    connect(fit, &QAction::triggered, this, &TForm1::fitY);
}

void TForm1::showValueTable() {
    RunCommand(this, [this] {
        ValueTableDialog table(state_, VisibleFormulas(field_.displayList()),
                               VisibleParameterValues(field_.displayList()), this);
        ExecDialog(table);
    });
}

// YMin and YMax framing the visible curves over the x range, as one step of undo; Home still
// returns to the ranges of the properties dialog.
void TForm1::fitY() {
    RunCommand(this, [this] {
        const std::optional<ViewRanges> fitted = FittedYRange(state_, field_.displayList());
        if (!fitted) {
            ShowMessage(this, QStringLiteral("Вписывать нечего: у видимых графиков нет значений "
                                             "в пределах поля."));
            return;
        }
        if (*fitted == CurrentView(state_))
            return;
        stepping_ = true;
        undo_->push(
            new FitYStep(field_, this, CurrentView(state_), *fitted, [this] { stepShown(); }));
        stepping_ = false;
    });
}

} // namespace kurvanto
