// SPDX-License-Identifier: GPL-3.0-or-later
#include "beep.h"

#include <QApplication>
#include <utility>

namespace kurvanto {

namespace {
std::function<void()> &BeepHook() {
    static std::function<void()> hook;
    return hook;
}
} // namespace

void Beep() {
    if (BeepHook())
        BeepHook()();
    else
        QApplication::beep();
}

void SetBeepHook(std::function<void()> hook) {
    BeepHook() = std::move(hook);
}

} // namespace kurvanto
