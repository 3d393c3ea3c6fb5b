// SPDX-License-Identifier: GPL-3.0-or-later
#include "undocommands.h"

#include "uiseam.h"

namespace kurvanto {

FieldStep::FieldStep(Field &field, QWidget *window, const QString &text,
                     std::function<void()> action, std::function<void()> shown,
                     std::exception_ptr &error)
    : QUndoCommand(text), field_(field), window_(window), action_(std::move(action)),
      shown_(std::move(shown)), error_(&error) {}

void FieldStep::redo() {
    if (!action_) {
        show(after_);
        return;
    }
    before_ = field_.snapshot();
    try {
        action_();
    } catch (...) {
        *error_ = std::current_exception(); // what was drawn before the error stays a step
    }
    action_ = nullptr;
    error_ = nullptr;
    after_ = field_.snapshot();
    if (SameSnapshot(before_, after_))
        setObsolete(true);
    shown_();
}

void FieldStep::undo() {
    show(before_);
}

void FieldStep::show(const FieldSnapshot &snapshot) {
    RunCommand(window_, [&] { field_.restore(snapshot); });
    shown_();
}

ViewStep::ViewStep(Field &field, QWidget *window, const ViewRanges &before, const ViewRanges &after,
                   std::function<void()> shown)
    : QUndoCommand(QStringLiteral("изменение вида")), field_(field), window_(window),
      before_(before), after_(after), shown_(std::move(shown)),
      last_(std::chrono::steady_clock::now()) {}

void ViewStep::redo() {
    show(after_);
}

void ViewStep::undo() {
    show(before_);
}

void ViewStep::show(const ViewRanges &view) {
    RunCommand(window_, [&] { field_.setRanges(view); });
    shown_();
}

bool ViewStep::mergeWith(const QUndoCommand *other) {
    const auto *next = dynamic_cast<const ViewStep *>(other);
    if (next == nullptr || next->last_ - last_ > kViewStepMerge)
        return false;
    after_ = next->after_;
    last_ = next->last_;
    setObsolete(after_ == before_); // back where it began: no step
    return true;
}

} // namespace kurvanto
