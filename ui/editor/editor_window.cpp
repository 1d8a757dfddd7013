#include "ui/editor/editor_window.h"

#include "engine/text_file.h"
#include "ui/common/dialogs.h"
#include "ui/common/error_guard.h"

#include <QFile>
#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextDocument>

namespace {

const QString kCaption = QStringLiteral("View and Edit");

QAction *menuItem(QMenu *menu, const char *name, const QString &caption) {
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

}  // namespace

TFormEdit *FormEdit = nullptr;

TFormEdit::TFormEdit(QWidget *parent) : QMainWindow(parent) {
    FormEdit = this;
    setObjectName(QStringLiteral("FormEdit"));
    setWindowTitle(kCaption);
    // The editor lives beside the main window; closing the main window ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(760, 600);

    RichEditEditor = new QPlainTextEdit(this);
    RichEditEditor->setObjectName(QStringLiteral("RichEditEditor"));
    RichEditEditor->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Data files are columns of numbers: a fixed-pitch font keeps them aligned.
    RichEditEditor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    RichEditEditor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEditEditor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setCentralWidget(RichEditEditor);

    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    QMenu *files = menuBar()->addMenu(QStringLiteral("Files"));
    files->setObjectName(QStringLiteral("Files1"));
    onTriggered(menuItem(files, "OpenEditor", QStringLiteral("Open")), this, &TFormEdit::OpenEditorClick);
    onTriggered(menuItem(files, "SaveEditor", QStringLiteral("Save")), this, &TFormEdit::SaveEditorClick);
    onTriggered(menuItem(files, "SaveAsEditor", QStringLiteral("Save As")), this, &TFormEdit::SaveAsEditorClick);
    onTriggered(menuItem(files, "PrintEditor", QStringLiteral("Print")), this, &TFormEdit::PrintEditorClick);
    onTriggered(menuItem(files, "PrinterSetUpEditor", QStringLiteral("Set Printer")), this, &TFormEdit::PrinterSetUpEditorClick);
    onTriggered(menuItem(files, "ExitEditor", QStringLiteral("Exit")), this, &TFormEdit::ExitEditorClick);
    QMenu *edit = menuBar()->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("Edit1"));
    onTriggered(menuItem(edit, "CopyEditor", QStringLiteral("Copy")), this, &TFormEdit::CopyEditorClick);
    onTriggered(menuItem(edit, "DeleteEditor", QStringLiteral("Delete")), this, &TFormEdit::DeleteEditorClick);
    onTriggered(menuItem(edit, "PasteEditor", QStringLiteral("Paste")), this, &TFormEdit::PasteEditorClick);
}

TFormEdit::~TFormEdit() {
    if (FormEdit == this)
        FormEdit = nullptr;
}

void TFormEdit::clearAndShow() {
    RichEditEditor->clear();
    show();
    raise();
    activateWindow();
}

void TFormEdit::OpenEditorClick() {
    const QString path = dialogs().openFileName(this, kEditorOpenFilter, 0, FilenameEditor);
    if (path.isEmpty())
        return;
    openFile(path);
}

bool TFormEdit::openAndShow(const QString &path) {
    show();
    raise();
    activateWindow();
    return openFile(path);
}

bool TFormEdit::openFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs().error(this, path + QStringLiteral(": ") + file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        dialogs().error(this, path + QStringLiteral(": ") + file.errorString());
        return false;
    }
    // Only a file that was read completely takes over the name that "Save" writes to.
    fileText_ = EightBitText::detect(bytes);
    RichEditEditor->setPlainText(fileText_.decode(bytes));
    RichEditEditor->document()->setModified(false);
    FilenameEditor = path;
    setWindowTitle(path);
    return true;
}

void TFormEdit::SaveEditorClick() {
    if (FilenameEditor.isEmpty()) {
        SaveAsEditorClick();
        return;
    }
    writeTo(FilenameEditor);
}

void TFormEdit::SaveAsEditorClick() {
    const QString path = dialogs().saveFileName(this, kEditorSaveFilter, FilenameEditor);
    if (path.isEmpty())
        return;
    writeTo(path);
}

bool TFormEdit::writeTo(const QString &path) {
    const QByteArray bytes = fileText_.encode(heldText(*RichEditEditor));
    const Status written = writeFileAtomically(QFile::encodeName(path).toStdString(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!written) {
        dialogs().error(this, path + QStringLiteral(": ") + QString::fromStdString(written.message));
        return false;
    }
    RichEditEditor->document()->setModified(false);
    FilenameEditor = path;
    setWindowTitle(path);
    return true;
}

void TFormEdit::PrintEditorClick() {
    if (!dialogs().print(this, printer_))
        return;
    printer_.setDocName(QStringLiteral("Print"));
    RichEditEditor->print(&printer_);
}

void TFormEdit::PrinterSetUpEditorClick() { dialogs().printerSetup(this, printer_); }

void TFormEdit::ExitEditorClick() { close(); }

void TFormEdit::CopyEditorClick() { RichEditEditor->copy(); }
void TFormEdit::DeleteEditorClick() { RichEditEditor->cut(); }
void TFormEdit::PasteEditorClick() { RichEditEditor->paste(); }
