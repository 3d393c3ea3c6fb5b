// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs kurvanto-cli as a script would: arguments byte for byte, standard output and error
// captured (or standard error on a terminal), optional working folder, file-size limit and an
// interrupt (SIGINT) sent once standard error shows a given text.
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace kurvanto::testing {

struct Result {
    int code = -1;     // the exit code, -1 when ended by a signal
    int signal = 0;    // the signal that ended it, if any
    std::string out;   // standard output
    std::string err;   // standard error (or what the terminal showed)
    long maxRssKb = 0; // the peak of its resident memory
};

struct RunOptions {
    std::string folder;                  // working folder; empty: the test's own
    long long fileSizeLimit = -1;        // RLIMIT_FSIZE in bytes, SIGXFSZ ignored; -1: none
    bool errorOnTerminal = false;        // standard error is a pseudo-terminal
    std::string interruptWhenSeen;       // SIGINT once standard error contains this text
    int interruptAfterMilliseconds = -1; // or SIGINT after this long
    int deadlineSeconds = 120;           // then SIGKILL
    std::string outputTo;                // standard output to this file instead
    bool appendOutput = false;           // ... opened to append, as ">>" does
    bool outputSocket = false;           // standard output a socket, not a pipe
    long long addressSpaceLimit = -1;    // RLIMIT_AS in bytes, as "ulimit -v"; -1: none
};

Result RunCli(const std::vector<std::string> &args, const RunOptions &options = {});
// The same with the arguments as Qt strings (each given as its UTF-8 bytes).
Result RunCliArgs(const QStringList &args, const RunOptions &options = {});

// The path of a file named `name` in the test's temporary folder.
std::string PathIn(const QTemporaryDir &dir, const std::string &name);

} // namespace kurvanto::testing
