// Handlers that open the side windows: the import window, the editor, the version dialog
// and the web help. Each side window is created once at start-up and reached through its
// one instance.
#include "ui/main/main_window.h"

#include "engine/analysis.h"
#include "ui/common/text_conversion.h"
#include "ui/editor/editor_window.h"
#include "ui/help/about_box.h"
#include "ui/help/help_window.h"
#include "ui/import/import_window.h"

#include <QLabel>

#include <stdexcept>
#include <string>

namespace {

template <class Window>
Window &sideWindow(Window *window, const char *what) {
    if (!window)
        throw std::logic_error(std::string("The ") + what + " has not been created");
    return *window;
}

}  // namespace

void TFormMain::ButtonDataConvertClick() { importFile(QString()); }

void TFormMain::importFile(const QString &path) {
    TFormChangeFile &importWindow = sideWindow(FormChangeFile, "import window");
    if (!path.isEmpty() && !importWindow.openPath(path))
        return;

    // An import replaces the measurement: the record, the first two tabs and every chart are
    // emptied before the window opens; the buttons of the e_ref tabs keep their state.
    C.Clear();
    ResetDischargeTab();
    ResetSignalTab();
    if (path.isEmpty())
        importWindow.clearText();
    EmptyDownstreamPlots();

    importWindow.Converted = false;
    importWindow.showModally();
    if (!importWindow.Converted)
        return;

    LabelFilenameOriginal->setText(toQString(FilenameOriginal));
    PlotMeasuredPoints(0, C.NumberOfData - 1);
    IndexOfStartReliability = 0;
    IndexOfEndReliability = C.NumberOfData - 1;
    ShowRangeLabels();
    EnableDischargeControls();
}

void TFormMain::Editor1Click() { sideWindow(FormEdit, "editor window").clearAndShow(); }

void TFormMain::About1Click() { sideWindow(AboutBox, "version dialog").showModally(); }

void TFormMain::HTMLHowToUseClick() { sideWindow(FormHTMLHowToUse, "help window").showAndRaise(); }
