// The desktop application: the record C exists before main() as a global; here the
// application object and the windows are created, only the main window is shown, and the
// event loop runs until it closes. A file named on the command line (as a file manager
// passes it) is opened at start-up: a measured-data file is loaded as "Load *.DIS0" would
// load it, any other file opens in the editor window.
#include "ui/common/error_guard.h"
#include "ui/editor/editor_window.h"
#include "ui/help/about_box.h"
#include "ui/help/help_window.h"
#include "ui/help/program_icon.h"
#include "ui/import/import_window.h"
#include "ui/main/main_window.h"
#include "ui/main/opened_files.h"

#include <QFileInfo>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt aborts with a message about its platform plugin; say what to do.
bool displayAvailable() {
    const auto set = [](const char *name) {
        const char *value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char *argv[]) {
    if (!displayAvailable()) {
        std::fputs("kest: no display available (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                   "Start it on a virtual display instead, for example:\n"
                   "  xvfb-run -a kest FILE.DIS0\n",
                   stderr);
        return 1;
    }

    prepareWebEngine();
    GuardedApplication application(argc, argv);
    TFormMain formMain;

    // Side windows, created after the main window in this order: the version dialog
    // (TAboutBox), the import window (TFormChangeFile), the editor (TFormEdit) and the web
    // help (TFormHTMLHowToUse). They stay hidden until the main window calls them. The two
    // modal ones open over the main window; the editor and the help stand on their own.
    QApplication::setWindowIcon(programIcon());
    TAboutBox aboutBox(&formMain);
    TFormChangeFile importWindow(&formMain);
    TFormEdit editor;
    TFormHTMLHowToUse help;

    // Closing the main window in any way ends the program, even with the editor or the
    // web help still open; nothing is saved.
    QObject::connect(&formMain, &TFormMain::closed, &application, &QCoreApplication::quit, Qt::QueuedConnection);
    formMain.show();

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        const QString path = QFileInfo(arguments.at(1)).absoluteFilePath();
        QTimer::singleShot(0, &formMain, [&formMain, path] { guarded(&formMain, [&] { openNamedFile(formMain, path); }); });
    }
    return application.exec();
}
