// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Memory for a large picture. A fresh picture of a few megabytes costs a page fault every
// 4 KiB at its first fill, which on a virtual machine can take longer than drawing the whole
// graph; in huge pages (where the system gives them on request) it is a fault or two.
#include <QImage>

namespace kurvanto {

// An uninitialised Format_RGB32 picture of that size (both at least 1); a null image when
// there is no memory for it.
QImage NewPicture(int width, int height);

} // namespace kurvanto
