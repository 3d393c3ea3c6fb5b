// SPDX-License-Identifier: GPL-3.0-or-later
#include "clirunner.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kurvanto::testing {

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void StartChild(const std::vector<std::string> &args, const RunOptions &options,
                             int outFd, int errFd) {
    dup2(outFd, STDOUT_FILENO);
    if (!options.outputTo.empty()) {
        const int target =
            open(options.outputTo.c_str(), O_WRONLY | (options.appendOutput ? O_APPEND : 0));
        if (target < 0)
            _exit(126);
        dup2(target, STDOUT_FILENO);
    }
    dup2(errFd, STDERR_FILENO);
    const int null = open("/dev/null", O_RDONLY);
    dup2(null, STDIN_FILENO);
    if (!options.folder.empty() && chdir(options.folder.c_str()) != 0)
        _exit(126);
    if (options.addressSpaceLimit >= 0) {
        const rlimit limit{static_cast<rlim_t>(options.addressSpaceLimit),
                           static_cast<rlim_t>(options.addressSpaceLimit)};
        setrlimit(RLIMIT_AS, &limit);
    }
    if (options.fileSizeLimit >= 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{static_cast<rlim_t>(options.fileSizeLimit),
                           static_cast<rlim_t>(options.fileSizeLimit)};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::vector<char *> argv;
    static char program[] = KURVANTO_CLI;
    argv.push_back(program);
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    execv(program, argv.data());
    _exit(127);
}

} // namespace

Result RunCli(const std::vector<std::string> &args, const RunOptions &options) {
    int out[2], err[2];
    if (options.outputSocket ? socketpair(AF_UNIX, SOCK_STREAM, 0, out) != 0 : pipe(out) != 0)
        return {};
    if (options.errorOnTerminal) {
        if (openpty(&err[0], &err[1], nullptr, nullptr, nullptr) != 0)
            return {};
    } else if (pipe(err) != 0) {
        return {};
    }
    const pid_t pid = fork();
    if (pid == 0)
        StartChild(args, options, out[1], err[1]);
    close(out[1]);
    close(err[1]);
    Result result;
    const Clock::time_point start = Clock::now();
    const Clock::time_point deadline = start + std::chrono::seconds(options.deadlineSeconds);
    bool interrupted = false;
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    int remaining = 2;
    while (remaining > 0) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            break;
        }
        if (poll(fds, 2, 100) < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0)
                continue;
            char buffer[65536];
            const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                (i == 0 ? result.out : result.err).append(buffer, static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) { // a terminal ends with EIO
                close(fds[i].fd);
                fds[i].fd = -1;
                --remaining;
            }
        }
        if (!interrupted) {
            const bool seen = !options.interruptWhenSeen.empty() &&
                              result.err.find(options.interruptWhenSeen) != std::string::npos;
            const bool due = options.interruptAfterMilliseconds >= 0 &&
                             Clock::now() - start >=
                                 std::chrono::milliseconds(options.interruptAfterMilliseconds);
            if (seen || due) {
                kill(pid, SIGINT);
                interrupted = true;
            }
        }
    }
    for (const pollfd &fd : fds)
        if (fd.fd >= 0)
            close(fd.fd);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    result.maxRssKb = usage.ru_maxrss;
    if (WIFEXITED(status))
        result.code = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    return result;
}

Result RunCliArgs(const QStringList &args, const RunOptions &options) {
    std::vector<std::string> bytes;
    for (const QString &arg : args)
        bytes.push_back(arg.toStdString());
    return RunCli(bytes, options);
}

std::string PathIn(const QTemporaryDir &dir, const std::string &name) {
    return dir.path().toStdString() + "/" + name;
}

} // namespace kurvanto::testing
