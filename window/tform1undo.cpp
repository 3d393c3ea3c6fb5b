// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's undo and redo: the commands that change the field run as steps of the
// undo stack, the view's zoom and pan as steps that merge while they follow each other fast.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QUndoStack>

#include "graphlist.h"
#include "parameterroom.h"
#include "picturebox.h"
#include "tform1.h"
#include "tracer.h"
#include "uiseam.h"
#include "undocommands.h"

namespace kurvanto {

namespace {

constexpr int kUndoSteps = 100;

} // namespace

void TForm1::createUndo() {
    undo_ = new QUndoStack(this);
    undo_->setUndoLimit(kUndoSteps);
    QMenu *edit = findChild<QMenu *>(QStringLiteral("N5"));
    QAction *first = edit->actions().value(0);
    QAction *undo = undo_->createUndoAction(this, QStringLiteral("Отменить"));
    undo->setObjectName(QStringLiteral("N27"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction *redo = undo_->createRedoAction(this, QStringLiteral("Повторить"));
    redo->setObjectName(QStringLiteral("N28"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->insertAction(first, undo);
    edit->insertAction(first, redo);
    edit->insertSeparator(first)->setObjectName(QStringLiteral("N29"));
}

// The toolbar's and the menu's commands that change the field become steps; the handlers
// themselves stay as they are (and a direct call of one is no step).
void TForm1::routeStepsThroughUndo() {
    const auto reroute = [this](auto *sender, auto signal, auto handler,
                                std::function<QString()> text, void (TForm1::*command)()) {
        disconnect(sender, signal, this, handler);
        connect(sender, signal, this, [this, text, command] {
            recordStep(text(), [this, command] { (this->*command)(); });
        });
    };
    const auto named = [](const char *text) { return [text] { return QString::fromUtf8(text); }; };
    const auto item = [this](const char *name) {
        return findChild<QAction *>(QLatin1String(name));
    };
    const auto building = [this] { return QStringLiteral("построение «%1»").arg(Edit1->text()); };
    reroute(SpeedButton3, &QToolButton::clicked, &TForm1::SpeedButton3Click,
            named("свойства графика"), &TForm1::SpeedButton3Click);
    reroute(item("N8"), &QAction::triggered, &TForm1::N8Click, named("свойства графика"),
            &TForm1::SpeedButton3Click);
    reroute(SpeedButton4, &QToolButton::clicked, &TForm1::SpeedButton4Click, building,
            &TForm1::SpeedButton4Click);
    reroute(item("N14"), &QAction::triggered, &TForm1::N14Click, building,
            &TForm1::SpeedButton4Click);
    reroute(SpeedButton5, &QToolButton::clicked, &TForm1::SpeedButton5Click, named("очистку поля"),
            &TForm1::SpeedButton5Click);
    reroute(item("N16"), &QAction::triggered, &TForm1::N16Click, named("очистку поля"),
            &TForm1::SpeedButton5Click);
    reroute(SpeedButton7, &QToolButton::clicked, &TForm1::SpeedButton7Click, named("пометку"),
            &TForm1::SpeedButton7Click);
    routeLabelsThroughUndo();
}

// A click that places or erases a label is a step; the caption follows the options.
void TForm1::routeLabelsThroughUndo() {
    disconnect(Image1, &PictureBox::mousePressed, this, &TForm1::Image1MouseDown);
    connect(Image1, &PictureBox::mousePressed, this, [this](Qt::MouseButton button, int x, int y) {
        if (!state_.LabelArmed) { // nothing but the view's drag can start
            Image1MouseDown(button, x, y);
            return;
        }
        recordStep(button == Qt::LeftButton ? QStringLiteral("надпись")
                                            : QStringLiteral("стирание надписи"),
                   [=] { Image1MouseDown(button, x, y); });
    });
    // Each option changes the worksheet: the caption follows.
    for (QAction *option : {N22, N23, N24, N25})
        connect(option, &QAction::triggered, this, [this] { updateCaption(); });
}

void TForm1::recordStep(const QString &text, const std::function<void()> &action) {
    if (stepping_ || undo_ == nullptr) {
        action(); // part of the step that runs
        return;
    }
    stepping_ = true;
    std::exception_ptr error;
    undo_->push(new FieldStep(
        field_, this, text, action, [this] { stepShown(); }, error));
    stepping_ = false;
    if (error)
        RunCommand(this, [&] { std::rethrow_exception(error); });
}

void TForm1::viewStep() {
    const ViewRanges now = CurrentView(state_);
    if (now == shownView_) {
        RunCommand(this, [this] { field_.redraw(); });
        Image1->update();
        return;
    }
    stepping_ = true;
    undo_->push(new ViewStep(field_, this, shownView_, now, [this] { stepShown(); }));
    stepping_ = false;
}

// The undo stack is one of the window's children, deleted after the field: what it tells as
// it is cleared then must reach no one.
TForm1::~TForm1() {
    if (undo_ != nullptr)
        undo_->disconnect();
}

// After a step, its undo or its redo: the panel at the field's size, the picture, the
// caption and the list of graphs.
void TForm1::stepShown() {
    FormActivate();
    if (state_.GraphPresent == 0)
        setReadoutLabelsVisible(false);
    shownView_ = CurrentView(state_);
    Image1->update();
    updateCaption();
    describePicture();
    if (graphList_->isVisible()) // a hidden panel lists the builds when it is shown
        graphList_->showList(field_.displayList());
    tracer_->refresh();
    parameterRoom_->refresh(); // an opened worksheet may bring parameters
}

} // namespace kurvanto
