// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The steps of undo and redo. They keep what a step changed on the field (the list, the
// settings, the ranges), never pictures: undo and redo draw the field again.
#include <QUndoCommand>
#include <chrono>
#include <exception>
#include <functional>

#include "field.h"

class QWidget;

namespace kurvanto {

// A step on the field. Its first run is the action itself, with snapshots of the field taken
// around it; later runs go back to those snapshots and never repeat the action (a build does
// not ask for its interval again). An action that changed nothing leaves no step. What the
// action throws is kept in `error` for the one who pushed the step.
class FieldStep : public QUndoCommand {
  public:
    FieldStep(Field &field, QWidget *window, const QString &text, std::function<void()> action,
              std::function<void()> shown, std::exception_ptr &error);
    void redo() override;
    void undo() override;

  private:
    // The list is kept as its change: the items between an unchanged head and an unchanged
    // tail, before and after the step; the snapshots hold the rest of the field.
    struct ListChange {
        std::size_t head = 0, tail = 0;
        std::vector<FieldItem> before, after;
    };
    void keepListChange();
    void show(FieldSnapshot &snapshot, const std::vector<FieldItem> &middle, std::size_t from);

    Field &field_;
    QWidget *window_;
    std::function<void()> action_; // empty once it has run
    std::function<void()> shown_;
    std::exception_ptr *error_; // only the first run reports
    FieldSnapshot before_, after_;
    ListChange change_;
};

// A zoom or pan step: the ranges before and after it. Steps within kViewStepMerge of each
// other become one (a turn of the wheel, a held key, a drag).
class ViewStep : public QUndoCommand {
  public:
    static constexpr std::chrono::milliseconds kViewStepMerge{500};
    static constexpr int kId = 1;

    ViewStep(Field &field, QWidget *window, const ViewRanges &before, const ViewRanges &after,
             std::function<void()> shown);
    void redo() override;
    void undo() override;
    int id() const override { return kId; }
    bool mergeWith(const QUndoCommand *other) override;

  private:
    void show(const ViewRanges &view);

    Field &field_;
    QWidget *window_;
    ViewRanges before_, after_;
    std::function<void()> shown_;
    std::chrono::steady_clock::time_point last_;
};

} // namespace kurvanto
