// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names that stand for an open descriptor (/dev/stdout, /dev/stderr, /dev/fd/N,
// /proc/self/fd/N). Through the file system they lead to whatever the descriptor is open on: a
// regular file there would be replaced, a socket could not be opened at all. The tool writes to
// the descriptor itself instead, as it does for "-", when the program was started with it open.
#include <string>

namespace kurvanto {

// Notes which descriptors are open; called first thing in main(), before anything (Qt, for
// one) opens descriptors of its own.
void NoteStartupDescriptors();

// The descriptor `name` stands for, when it was open at start-up; otherwise -1 and the name is
// a path like any other.
int StartupDescriptorNamed(const std::string &name);

} // namespace kurvanto
