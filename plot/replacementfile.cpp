// SPDX-License-Identifier: GPL-3.0-or-later
#include "replacementfile.h"

#include <QRandomGenerator>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <unistd.h>

namespace kurvanto {

namespace {

// ---- The names a signal removes ----

struct NameSlot {
    std::atomic<bool> used{false};
    char path[PATH_MAX] = {};
};

constexpr int kSlots = 32; // named temporaries at once; more are simply not listed
std::array<NameSlot, kSlots> g_names;
std::mutex g_mutex; // claiming a slot, installing and restoring the handlers

int Remember(const QByteArray &path) {
    if (path.size() >= PATH_MAX)
        return -1;
    const std::lock_guard<std::mutex> lock(g_mutex);
    for (int i = 0; i < kSlots; ++i)
        if (!g_names[i].used.load()) {
            std::memcpy(g_names[i].path, path.constData(), size_t(path.size()) + 1);
            g_names[i].used.store(true);
            return i;
        }
    return -1;
}

void Forget(int slot) {
    if (slot >= 0)
        g_names[slot].used.store(false);
}

void RemoveRemembered() {
    for (NameSlot &slot : g_names)
        if (slot.used.load())
            ::unlink(slot.path);
}

// ---- The handlers ----

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
std::array<struct sigaction, 3> g_previous;
std::array<bool, 3> g_installed = {false, false, false};
int g_users = 0;
std::atomic<unsigned> g_caught{0};

int IndexOf(int sig) {
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        if (kSignals[i] == sig)
            return int(i);
    return 0;
}

extern "C" void OnWriteSignal(int sig, siginfo_t *info, void *context) {
    const int saved = errno;
    g_caught.fetch_add(1);
    const struct sigaction &previous = g_previous[size_t(IndexOf(sig))];
    if (previous.sa_flags & SA_SIGINFO) {
        previous.sa_sigaction(sig, info, context);
    } else if (previous.sa_handler != SIG_DFL) {
        previous.sa_handler(sig); // the program's own handler: the write stops, cleans up
    } else {
        // The signal ends the process: the named temporaries go first.
        RemoveRemembered();
        struct sigaction plain {};
        plain.sa_handler = SIG_DFL;
        sigemptyset(&plain.sa_mask);
        ::sigaction(sig, &plain, nullptr);
        ::raise(sig); // delivered as the handler returns
    }
    errno = saved;
}

void Install() {
    struct sigaction action {};
    action.sa_sigaction = OnWriteSignal;
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int sig : kSignals)
        sigaddset(&action.sa_mask, sig);
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        ::sigaction(kSignals[i], nullptr, &g_previous[i]);
        // An ignored signal stays ignored.
        g_installed[i] =
            !(!(g_previous[i].sa_flags & SA_SIGINFO) && g_previous[i].sa_handler == SIG_IGN);
        if (g_installed[i])
            ::sigaction(kSignals[i], &action, nullptr);
    }
}

void Restore() {
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        if (g_installed[i])
            ::sigaction(kSignals[i], &g_previous[i], nullptr);
}

// ---- Names ----

std::atomic<bool> g_refuseUnnamed{false};
std::atomic<int> g_closeError{0};

// close(), or the error the test seam asks for once the descriptor is released.
int CloseReporting(int fd) {
    const int closed = ::close(fd);
    const int injected = g_closeError.load();
    if (closed == 0 && injected != 0) {
        errno = injected;
        return -1;
    }
    return closed;
}

QByteArray ShortName(const QByteArray &folder) {
    QByteArray random = QByteArray::number(QRandomGenerator::global()->generate(), 36);
    return folder + "/.kv-" + random.rightJustified(7, '0');
}

QByteArray DescriptorPath(int fd) {
    return "/proc/self/fd/" + QByteArray::number(fd);
}

} // namespace

WriteSignals::WriteSignals() {
    const std::lock_guard<std::mutex> lock(g_mutex);
    if (g_users++ == 0)
        Install();
    start_ = g_caught.load();
}

WriteSignals::~WriteSignals() {
    const std::lock_guard<std::mutex> lock(g_mutex);
    if (--g_users == 0)
        Restore();
}

bool WriteSignals::interrupted() const {
    return g_caught.load() != start_;
}

ReplacementFile::~ReplacementFile() {
    forget();
}

void ReplacementFile::setCloseFailure(int error) {
    g_closeError.store(error);
}

void ReplacementFile::setUnnamedFilesRefused(bool refused) {
    g_refuseUnnamed.store(refused);
}

bool ReplacementFile::open(const QByteArray &folder, mode_t unnamedMode) {
    folder_ = folder;
    if (!g_refuseUnnamed.load()) {
        fd_ = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, unnamedMode);
        if (fd_ >= 0) {
            // Without /proc the file could not be given a name at the end.
            if (::access(DescriptorPath(fd_).constData(), F_OK) == 0)
                return true;
            ::close(fd_);
            fd_ = -1;
        } else if (errno != EOPNOTSUPP && errno != EISDIR) {
            return false;
        }
    }
    return openNamed();
}

bool ReplacementFile::openNamed() {
    return takeShortName([this](const QByteArray &name) {
        fd_ = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        return fd_ >= 0;
    });
}

bool ReplacementFile::giveName() {
    const QByteArray from = DescriptorPath(fd_);
    return takeShortName([&from](const QByteArray &name) {
        return ::linkat(AT_FDCWD, from.constData(), AT_FDCWD, name.constData(),
                        AT_SYMLINK_FOLLOW) == 0;
    });
}

bool ReplacementFile::takeShortName(const std::function<bool(const QByteArray &)> &create) {
    // A name another file took first is tried again with another one; any other failure ends it.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = ShortName(folder_);
        if (create(name)) {
            name_ = name;
            slot_ = Remember(name_);
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    errno = EEXIST;
    return false;
}

bool ReplacementFile::replace(const QByteArray &target) {
    failed_ = Step::Name;
    if (!named() && !giveName()) {
        forget();
        return false;
    }
    failed_ = Step::Close;
    const int fd = fd_;
    fd_ = -1;
    // Linux releases the descriptor even when close reports an error: never retry it.
    if (CloseReporting(fd) != 0 && errno != EINTR) {
        forget();
        return false;
    }
    failed_ = Step::Rename;
    if (::rename(name_.constData(), target.constData()) != 0) {
        forget();
        return false;
    }
    Forget(slot_);
    slot_ = -1;
    name_.clear();
    failed_ = Step::None;
    return true;
}

void ReplacementFile::forget() {
    const int saved = errno;
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!name_.isEmpty())
        ::unlink(name_.constData());
    name_.clear();
    Forget(slot_);
    slot_ = -1;
    errno = saved;
}

} // namespace kurvanto
