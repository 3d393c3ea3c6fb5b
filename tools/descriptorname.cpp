// SPDX-License-Identifier: GPL-3.0-or-later
#include "descriptorname.h"

#include <bitset>
#include <charconv>
#include <fcntl.h>

namespace kurvanto {

namespace {

constexpr int kNoted = 1024; // descriptors above it are never taken for a name
std::bitset<kNoted> g_open;

// The number after `prefix` in `name`, or -1.
int NumberAfter(const std::string &name, const std::string &prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return -1;
    const char *first = name.data() + prefix.size();
    const char *last = name.data() + name.size();
    if (*first < '0' || *first > '9')
        return -1;
    int fd = -1;
    const auto [end, error] = std::from_chars(first, last, fd);
    return error == std::errc() && end == last ? fd : -1;
}

} // namespace

void NoteStartupDescriptors() {
    for (int fd = 0; fd < kNoted; ++fd)
        g_open[std::size_t(fd)] = ::fcntl(fd, F_GETFD) != -1;
}

int StartupDescriptorNamed(const std::string &name) {
    int fd = -1;
    if (name == "/dev/stdin")
        fd = 0;
    else if (name == "/dev/stdout")
        fd = 1;
    else if (name == "/dev/stderr")
        fd = 2;
    else if ((fd = NumberAfter(name, "/dev/fd/")) < 0)
        fd = NumberAfter(name, "/proc/self/fd/");
    return fd >= 0 && fd < kNoted && g_open[std::size_t(fd)] ? fd : -1;
}

} // namespace kurvanto
