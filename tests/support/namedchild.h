// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A named child of a window under test; a missing one ends the test program at once, since
// every later step would test nothing.
#include <QLatin1String>
#include <QObject>
#include <QtGlobal>

namespace kurvanto::testing {

template <typename T> T *NamedChild(const QObject &parent, const char *name) {
    T *found = parent.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

} // namespace kurvanto::testing
