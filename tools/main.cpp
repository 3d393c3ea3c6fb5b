// kurvanto-cli: checks, evaluates and plots formulas without a window.
#include <QGuiApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "cliargs.h"
#include "enginecommands.h"
#include "plotcommand.h"

namespace {

int UsageError() {
    std::fputs(kurvanto::UsageText().c_str(), stderr);
    return kurvanto::kExitUsage;
}

int Eval(const std::vector<std::string> &args) {
    if (args.size() < 2)
        return UsageError();
    std::vector<double> xs;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const auto x = kurvanto::ParseReal(args[i]);
        if (!x)
            return UsageError();
        xs.push_back(*x);
    }
    return kurvanto::RunEval(args[0], xs);
}

// Standard error carries the tool's own messages only: the platform's notes and warnings
// (such as a missing runtime folder) are left out, real failures are kept.
void QuietMessages(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

int Plot(int argc, char **argv, const std::vector<std::string> &args) {
    kurvanto::PlotJob job;
    if (!kurvanto::ParsePlotArguments(args, job))
        return UsageError();
    // Fonts and the palette need the application object; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    QGuiApplication app(argc, argv);
    return kurvanto::RunPlot(job);
}

} // namespace

int main(int argc, char **argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kurvanto::UsageText().c_str(), stdout);
        return kurvanto::kExitOk;
    }
    if (args.empty())
        return UsageError();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "check")
        return rest.size() == 1 ? kurvanto::RunCheck(rest[0]) : UsageError();
    if (args[0] == "eval")
        return Eval(rest);
    if (args[0] == "plot")
        return Plot(argc, argv, rest);
    return UsageError();
}
