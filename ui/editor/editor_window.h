// The text viewer and editor: any of the program's data files (or any text file) can be
// looked at, changed by hand, saved and printed beside the main window. It knows nothing
// of the formats; a file is 8-bit text, and what the user did not edit is written back
// byte for byte.
#pragma once

#include "ui/common/eight_bit_text.h"

#include <QMainWindow>
#include <QPrinter>
#include <QString>

class QPlainTextEdit;

// Filters of the open and save dialogs.
inline const QString kEditorOpenFilter = QStringLiteral(
    "KESTデータ|*.DIS0;*.DIS1;*.KEST0;*.KEST1;*.ErefP;*.ErefN;*.Eref;*.txt|すべてのデータ(*.*)|*.*");
inline const QString kEditorSaveFilter = QStringLiteral(
    "KESTデータ|*.DIS0;*.DIS1;*.KEST0;*KEST1;*.ErefP;*.ErefN;*.Eref;*.txt|すべてのデータ(*.*)|*.*");

class TFormEdit : public QMainWindow {
    Q_OBJECT

public:
    explicit TFormEdit(QWidget *parent = nullptr);
    ~TFormEdit() override;

    // Path of the file last opened or saved here, also the caption; empty at first.
    QString FilenameEditor;

    // "Editor" of the main window: empties the text, keeps the file name, and shows the
    // window or brings it to the front.
    void clearAndShow();
    // Opens the file at path as "Open" does once the dialog returned it, and shows the
    // window; used for a file the program was started with. A file that cannot be read is
    // an error box and leaves the text and the name as they were. True when opened.
    bool openAndShow(const QString &path);

    // Handlers.
    void OpenEditorClick();
    void SaveEditorClick();
    void SaveAsEditorClick();
    void PrintEditorClick();
    void PrinterSetUpEditorClick();
    void ExitEditorClick();
    void CopyEditorClick();
    void DeleteEditorClick();
    void PasteEditorClick();

    QPlainTextEdit *RichEditEditor;

    // The printer that "Set Printer" configures and "Print" uses.
    QPrinter &printer() { return printer_; }

private:
    bool openFile(const QString &path);
    // Writes the text to path; on success the path becomes the file name and the caption.
    bool writeTo(const QString &path);

    EightBitText fileText_;  // code page and line ends of the file being edited
    QPrinter printer_{QPrinter::HighResolution};
};

// The program's editor window while it exists; the main window opens it through this.
extern TFormEdit *FormEdit;
