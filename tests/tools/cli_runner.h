// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs kurvanto-cli as a script would: arguments byte for byte, standard output and error
// captured (or standard error on a terminal), optional working folder, file-size limit and an
// interrupt (SIGINT) sent once standard error shows a given text.
#include <string>
#include <vector>

namespace clitest {

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

// The whole content of a file; empty when it cannot be read.
std::string ReadFile(const std::string &path);
void WriteFile(const std::string &path, const std::string &bytes);

} // namespace clitest
