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
        show(after_, change_.after, change_.before.size());
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
    keepListChange();
    shown_();
}

void FieldStep::keepListChange() {
    std::vector<FieldItem> &a = before_.sheet.items, &b = after_.sheet.items;
    std::size_t head = 0, tail = 0;
    while (head < a.size() && head < b.size() && SameItem(a[head], b[head]))
        ++head;
    while (tail < a.size() - head && tail < b.size() - head &&
           SameItem(a[a.size() - 1 - tail], b[b.size() - 1 - tail]))
        ++tail;
    change_.head = head;
    change_.tail = tail;
    change_.before.assign(a.begin() + head, a.end() - tail);
    change_.after.assign(b.begin() + head, b.end() - tail);
    std::vector<FieldItem>().swap(a);
    std::vector<FieldItem>().swap(b);
}

void FieldStep::undo() {
    show(before_, change_.before, change_.after.size());
}

// The list shown is the other side of the step: its middle of `from` items is replaced.
void FieldStep::show(FieldSnapshot &snapshot, const std::vector<FieldItem> &middle,
                     std::size_t from) {
    const std::vector<FieldItem> &now = field_.displayList().items();
    std::vector<FieldItem> &items = snapshot.sheet.items;
    items.assign(now.begin(), now.begin() + change_.head);
    items.insert(items.end(), middle.begin(), middle.end());
    items.insert(items.end(), now.begin() + change_.head + from, now.end());
    RunCommand(window_, [&] { field_.restore(snapshot); });
    std::vector<FieldItem>().swap(items);
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
