// The help window on its own: kurvanto-help [page.html]
#include "helpwindow.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Курванто"));
    kurvanto::showHelp(nullptr);
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        kurvanto::HelpWindow::instance()->openTarget(args.at(1));
    return app.exec();
}
