// SPDX-License-Identifier: GPL-3.0-or-later
// The help window on its own, for reading the pages while writing them:
//   kurvanto-help                   the topic list
//   kurvanto-help functions.html    a page (an anchor may follow: page.html#name)
//   kurvanto-help --search arcsin   the search tab with its results, the first one opened
#include "helpwindow.h"

#include <QApplication>
#include <QListWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Курванто"));
    kurvanto::showHelp(nullptr);
    kurvanto::HelpWindow *window = kurvanto::HelpWindow::instance();
    const QStringList args = QApplication::arguments();
    if (args.size() > 2 && args.at(1) == QStringLiteral("--search")) {
        window->search(args.mid(2).join(QLatin1Char(' ')));
        auto *results = window->findChild<QListWidget *>(QStringLiteral("HelpSearch"));
        if (results->count() > 0) {
            results->setCurrentRow(0);
            emit results->itemActivated(results->item(0));
        }
    } else if (args.size() > 1) {
        window->openTarget(args.at(1));
    }
    return app.exec();
}
