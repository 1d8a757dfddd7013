// Files that reach the main window from outside rather than through its open dialogs: named
// on the command line, as a file manager passes them, or dropped on the window.
#pragma once

#include <QString>

class QMimeData;
class TFormMain;

// A measured-data file, by its name "*.DIS0" in any case.
bool isMeasuredDataFile(const QString &path);

// The file the program was started with: a measured-data file is loaded as "Load *.DIS0"
// loads it; any other file opens in the editor window.
void openNamedFile(TFormMain &window, const QString &path);

// The one local file a drag carries, or an empty string for anything else (several files,
// a folder, a remote address, text).
QString droppedFile(const QMimeData *data);

// A dropped file: a measured-data file is loaded as "Load *.DIS0" loads it; any other text
// file starts the import with the file opened in the import window. A file that is not
// text is refused with an error box, and the measurement stays.
void openDroppedFile(TFormMain &window, const QString &path);

// Lets the window and its controls that take dropped text take a dropped file instead;
// text dropped on a control still goes into it. The main window calls it once.
void acceptFileDrops(TFormMain &window);
