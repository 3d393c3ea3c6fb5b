// SPDX-License-Identifier: GPL-3.0-or-later
// Kurvanto: the program's start. Sets the application's title, creates the six windows with
// the main window first, shows only the main window, maximized, and runs the event loop until
// it closes. A worksheet named on the command line opens in it.
#include <QApplication>
#include <QTimer>
#include <memory>

#include "localesep.h"
#include "toolkittranslation.h"

#include "plotstate.h"
#include "tform1.h"
#include "tform2.h"
#include "tform3.h"
#include "tform4.h"
#include "tform5.h"
#include "tform6.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    // The application's title, the caption of every message box. It is set as the name, not
    // as the display name, which the platform would append to every window's caption.
    QApplication::setApplicationName(QStringLiteral("Курванто"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kurvanto.Kurvanto"));

    // The toolkit's own dialogs (the colour chooser, the file dialog, the buttons of message
    // boxes) speak Russian like the rest of the program, in every locale.
    const kurvanto::ToolkitTranslation toolkitTranslation;

    // The locale's decimal separator is read once, here.
    kurvanto::LocaleDecimalSeparator();

    // The one plot state, shared by every window for the whole run.
    kurvanto::PlotState state;

    // The main window's creation runs the start-up check (and a refusal dialog) before the
    // other windows exist. The five dialog instances made here are never shown: each command
    // makes a fresh one.
    kurvanto::TForm1 form1(state);
    const auto form2 = std::make_unique<kurvanto::TForm2>(state);
    const auto form3 = std::make_unique<kurvanto::TForm3>();
    const auto form4 = std::make_unique<kurvanto::TForm4>(state);
    const auto form5 = std::make_unique<kurvanto::TForm5>(state);
    const auto form6 = std::make_unique<kurvanto::TForm6>(state);

    form1.showMaximized();
    // `kurvanto sheet.kurv`: the worksheet opens once the window is up.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1 && !state.RefuseStart)
        QTimer::singleShot(0, &form1,
                           [&form1, sheet = arguments.at(1)] { form1.openSheet(sheet); });
    return QApplication::exec();
}
