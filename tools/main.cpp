// SPDX-License-Identifier: GPL-3.0-or-later
// kurvanto-cli: checks, evaluates and plots formulas without a window.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cliargs.h"
#include "descriptorname.h"
#include "enginecommands.h"
#include "plotcommand.h"
#include "pointscommand.h"
#include "tablecommand.h"

#ifndef KURVANTO_VERSION
#define KURVANTO_VERSION "unknown"
#endif

namespace {

using Args = std::vector<std::string>;

int Run(const Args &args, const char *programName) {
    if (args.empty())
        throw kurvanto::UsageError("не задана команда (check, eval или plot)");
    const std::string &command = args[0];
    const Args rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h") {
        if (!rest.empty())
            throw kurvanto::UsageError("лишний аргумент «" + rest[0] + "» после " + command);
        std::fputs(kurvanto::UsageText().c_str(), stdout);
        return kurvanto::kExitOk;
    }
    if (command == "--version") {
        if (!rest.empty())
            throw kurvanto::UsageError("лишний аргумент «" + rest[0] + "» после " + command);
        std::printf("kurvanto-cli %s\n", KURVANTO_VERSION);
        return kurvanto::kExitOk;
    }
    if (command == "check")
        return kurvanto::CheckCommand(rest);
    if (command == "eval")
        return kurvanto::EvalCommand(rest);
    if (command == "plot")
        return kurvanto::PlotCommand(rest, programName);
    if (command == "table")
        return kurvanto::TableCommand(rest);
    if (command == "points")
        return kurvanto::PointsCommand(rest);
    throw kurvanto::UsageError(command +
                               ": неизвестная команда (нужна check, eval, plot, points или table)");
}

} // namespace

int main(int argc, char **argv) {
    kurvanto::NoteStartupDescriptors();
    const Args args(argv + 1, argv + argc);
    try {
        const int code = Run(args, argc > 0 ? argv[0] : "kurvanto-cli");
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            std::fputs("kurvanto-cli: не удалось записать в стандартный вывод\n", stderr);
            return code == kurvanto::kExitOk ? kurvanto::kExitError : code;
        }
        return code;
    } catch (const kurvanto::UsageError &error) {
        // One line, whatever the arguments it quotes hold.
        std::string what = error.what();
        for (char &c : what)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
                c = '?';
        std::fflush(stdout);
        std::fprintf(stderr, "kurvanto-cli: %s (см. kurvanto-cli --help)\n", what.c_str());
        return kurvanto::kExitUsage;
    }
}
