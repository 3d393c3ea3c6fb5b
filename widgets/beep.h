// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The default alert sound. Tests install a hook to count beeps instead.
#include <functional>

namespace kurvanto {

void Beep();
void SetBeepHook(std::function<void()> hook);

} // namespace kurvanto
