// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The new content of a file while it is written: a file without a name in the target's folder
// (O_TMPFILE), which a killed process cannot leave behind, given a short name of its own only
// at the end and renamed over the target. Where the file system has no unnamed files, a named
// one with a short hidden name, removed again when SIGTERM, SIGHUP or SIGINT ends the process.
// The short names leave room for a target's name of any length the file system takes.
#include <QByteArray>
#include <functional>
#include <sys/types.h>

namespace kurvanto {

class ReplacementFile {
  public:
    ReplacementFile() = default;
    ~ReplacementFile(); // closes and removes whatever was not put in place
    ReplacementFile(const ReplacementFile &) = delete;
    ReplacementFile &operator=(const ReplacementFile &) = delete;

    // Opens the new, empty file in `folder`; false with errno set when it could not. An
    // unnamed file gets `unnamedMode` (the umask and the folder's default access list apply,
    // as to any new file), a named one 0600 while it is written.
    bool open(const QByteArray &folder, mode_t unnamedMode);
    int descriptor() const { return fd_; }
    bool named() const { return !name_.isEmpty(); } // the fallback: a named file from the start

    // Closes the file and puts it in place of `target` (in the folder given to open); false
    // with errno set when a step failed, and then nothing of it is left.
    bool replace(const QByteArray &target);
    // Which step of replace() failed.
    enum class Step { None, Name, Close, Rename };
    Step failedStep() const { return failed_; }

    // Test seam: true makes open() act as on a file system without unnamed files.
    static void setUnnamedFilesRefused(bool refused);
    // Test seam: a nonzero `error` makes replace()'s close report it, as a network file
    // system reports a late write failure; the descriptor is released all the same. 0: off.
    static void setCloseFailure(int error);

  private:
    bool openNamed();
    bool giveName(); // links the unnamed file under a short name of its own
    // Makes the file under a fresh short name with `create`, trying another name while the
    // one chosen is taken; remembers the name that worked.
    bool takeShortName(const std::function<bool(const QByteArray &)> &create);
    void forget();

    QByteArray folder_;
    QByteArray name_; // the short name's full path, once there is one
    int fd_ = -1;
    int slot_ = -1; // in the list of names the signal handler removes
    Step failed_ = Step::None;
};

// While it lives, SIGINT, SIGTERM and SIGHUP stop the writes of this program instead of
// leaving a half-written file: the handler removes the named temporaries, then ends the
// process as before where the signal would have ended it, or passes the signal on to the
// program's own handler. interrupted() tells a write to stop.
class WriteSignals {
  public:
    WriteSignals();
    ~WriteSignals();
    WriteSignals(const WriteSignals &) = delete;
    WriteSignals &operator=(const WriteSignals &) = delete;

    // True once one of the signals arrived after this object was made.
    bool interrupted() const;

  private:
    unsigned start_;
};

} // namespace kurvanto
