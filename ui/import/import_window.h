// The column-data import window: the user opens a raw measurement text file, deletes the
// lines that are not data, chooses the columns of time and current, and "OK" fills the
// analysis record from the text. The main window empties it, shows it modally and reads
// Converted afterwards.
#pragma once

#include "ui/common/eight_bit_text.h"

#include <QDialog>

#include <string>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;

class TFormChangeFile : public QDialog {
    Q_OBJECT

public:
    explicit TFormChangeFile(QWidget *parent = nullptr);
    ~TFormChangeFile() override;

    // The program-wide path of the raw measurement file: opening a file here sets it, the
    // *.DIS0 and *.DIS1 readers set it from their header, every writer prints it.
    std::string &FilenameOriginal;
    // True once "OK" has filled the record; the main window resets it before each showing.
    bool Converted = false;

    // Empties the text area; the main window does it before every import.
    void clearText();
    // Shows the window modally until "OK", "Exit" or the close button.
    int showModally();
    // Opens the file at path as "Open file of data" does once the dialog returned it; the
    // main window uses it for a file dropped on it. A file that cannot be read is an error
    // box and leaves the window as it was. True when opened.
    bool openPath(const QString &path);

    // Handlers.
    void ButtonLoadConvertClick();
    void OpenConvertClick();
    void ExitConvertClick();
    void CopyConvertClick();
    void CopyConvertPopUpMenuClick();
    void DeleteConvertClick();
    void DeleteConvertPopUpMenuClick();
    void PasteConvertClick();
    void PasteConvertPopUpMenuClick();
    void ButtonNextAnalysisClick();

    QMenuBar *MainMenu1;
    QMenu *PopupMenu1;
    QGroupBox *GroupBox1;
    QLabel *Label5;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QPushButton *ButtonLoadConvert;
    QComboBox *ComboBoxTimeColumn;
    QComboBox *ComboBoxCurrentColumn;
    QPushButton *ButtonNextAnalysis;
    QPlainTextEdit *RichEditConvert;

private:
    void openFile();
    // Column 1..9 chosen in a box, 0 while it still shows its prompt.
    static int chosenColumn(const QComboBox &box);

    EightBitText fileText_;  // how the text of the last opened file maps back to bytes
};

// The program's import window while it exists; the main window opens it through this.
extern TFormChangeFile *FormChangeFile;
