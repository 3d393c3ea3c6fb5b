// SPDX-License-Identifier: GPL-3.0-or-later
// The menu "&Вид": the window's panels.
#include <QMenu>

#include "tform1.h"

namespace kurvanto {

void TForm1::createViewMenu() {
    addMenu("N35", QStringLiteral("&Вид"));
}

} // namespace kurvanto
