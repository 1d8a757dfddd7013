#include "ui/import/import_window.h"

#include "engine/analysis.h"
#include "engine/text_file.h"
#include "ui/common/dialogs.h"
#include "ui/common/error_guard.h"
#include "ui/common/text_conversion.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QFontDatabase>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

template <class T>
T *named(T *object, const char *name) {
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

QComboBox *columnBox(QWidget *parent, const char *name, const QString &prompt) {
    auto *box = named(new QComboBox(parent), name);
    for (int column = 1; column <= 9; ++column)
        box->addItem(QString::number(column));
    // No item is chosen at first: the box shows its prompt and the column gets no value.
    box->setPlaceholderText(prompt);
    box->setCurrentIndex(-1);
    return box;
}

}  // namespace

TFormChangeFile *FormChangeFile = nullptr;

TFormChangeFile::TFormChangeFile(QWidget *parent) : QDialog(parent), FilenameOriginal(::FilenameOriginal) {
    FormChangeFile = this;
    setObjectName(QStringLiteral("FormChangeFile"));
    setWindowTitle(QStringLiteral("Change the flie of the measurement data into the file for analysis"));
    resize(820, 560);

    MainMenu1 = named(new QMenuBar(this), "MainMenu1");
    QMenu *files = named(MainMenu1->addMenu(QStringLiteral("Files")), "Files1");
    QAction *open = named(files->addAction(QStringLiteral("Open")), "OpenConvert");
    QAction *exit = named(files->addAction(QStringLiteral("Exit")), "ExitConvert");
    QMenu *edit = named(MainMenu1->addMenu(QStringLiteral("Edit")), "Edit1");
    QAction *copy = named(edit->addAction(QStringLiteral("Copy")), "CopyConvert");
    QAction *cut = named(edit->addAction(QStringLiteral("Delete")), "DeleteConvert");
    QAction *paste = named(edit->addAction(QStringLiteral("Paste")), "PasteConvert");

    GroupBox1 = named(new QGroupBox(QStringLiteral("Procedure of data transfor"), this), "GroupBox1");
    Label5 = named(new QLabel(QStringLiteral("1. Open measurement data."), GroupBox1), "Label5");
    Label1 = named(new QLabel(QStringLiteral("2. Delete comments."), GroupBox1), "Label1");
    Label2 = named(new QLabel(QStringLiteral("3. Select column of time."), GroupBox1), "Label2");
    Label3 = named(new QLabel(QStringLiteral("4. Select column of transient current."), GroupBox1), "Label3");
    Label4 = named(new QLabel(QStringLiteral("5. Go to analysis."), GroupBox1), "Label4");
    ButtonLoadConvert = named(new QPushButton(QStringLiteral("Open file of data"), GroupBox1), "ButtonLoadConvert");
    ComboBoxTimeColumn = columnBox(GroupBox1, "ComboBoxTimeColumn", QStringLiteral("Time"));
    ComboBoxCurrentColumn = columnBox(GroupBox1, "ComboBoxCurrentColumn", QStringLiteral("Transient current"));
    ButtonNextAnalysis = named(new QPushButton(QStringLiteral("OK"), GroupBox1), "ButtonNextAnalysis");
    // Return in the text area makes a new line; "OK" only converts when pressed.
    ButtonNextAnalysis->setAutoDefault(false);
    ButtonLoadConvert->setAutoDefault(false);

    auto *steps = new QGridLayout(GroupBox1);
    steps->addWidget(Label5, 0, 0);
    steps->addWidget(ButtonLoadConvert, 0, 1);
    steps->addWidget(Label1, 1, 0, 1, 2);
    steps->addWidget(Label2, 2, 0);
    steps->addWidget(ComboBoxTimeColumn, 2, 1);
    steps->addWidget(Label3, 3, 0);
    steps->addWidget(ComboBoxCurrentColumn, 3, 1);
    steps->addWidget(Label4, 4, 0);
    steps->addWidget(ButtonNextAnalysis, 4, 1);
    steps->setRowStretch(5, 1);

    RichEditConvert = named(new QPlainTextEdit(this), "RichEditConvert");
    RichEditConvert->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Data files are columns of numbers: a fixed-pitch font keeps them aligned.
    RichEditConvert->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    RichEditConvert->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEditConvert->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEditConvert->setContextMenuPolicy(Qt::CustomContextMenu);

    PopupMenu1 = named(new QMenu(RichEditConvert), "PopupMenu1");
    QAction *copyPopUp = named(PopupMenu1->addAction(QStringLiteral("コピー")), "CopyConvertPopUpMenu");
    QAction *cutPopUp = named(PopupMenu1->addAction(QStringLiteral("削除")), "DeleteConvertPopUpMenu");
    QAction *pastePopUp = named(PopupMenu1->addAction(QStringLiteral("貼り付け")), "PasteConvertPopUpMenu");
    connect(RichEditConvert, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu1->popup(RichEditConvert->viewport()->mapToGlobal(at)); });

    auto *body = new QHBoxLayout;
    body->addWidget(GroupBox1, 0);
    body->addWidget(RichEditConvert, 1);
    auto *window = new QVBoxLayout(this);
    window->setMenuBar(MainMenu1);
    window->addLayout(body);

    onClick(ButtonLoadConvert, this, &TFormChangeFile::ButtonLoadConvertClick);
    onClick(ButtonNextAnalysis, this, &TFormChangeFile::ButtonNextAnalysisClick);
    onTriggered(open, this, &TFormChangeFile::OpenConvertClick);
    onTriggered(exit, this, &TFormChangeFile::ExitConvertClick);
    onTriggered(copy, this, &TFormChangeFile::CopyConvertClick);
    onTriggered(cut, this, &TFormChangeFile::DeleteConvertClick);
    onTriggered(paste, this, &TFormChangeFile::PasteConvertClick);
    onTriggered(copyPopUp, this, &TFormChangeFile::CopyConvertPopUpMenuClick);
    onTriggered(cutPopUp, this, &TFormChangeFile::DeleteConvertPopUpMenuClick);
    onTriggered(pastePopUp, this, &TFormChangeFile::PasteConvertPopUpMenuClick);
}

TFormChangeFile::~TFormChangeFile() {
    if (FormChangeFile == this)
        FormChangeFile = nullptr;
}

void TFormChangeFile::clearText() { RichEditConvert->clear(); }

int TFormChangeFile::showModally() { return exec(); }

void TFormChangeFile::ButtonLoadConvertClick() { openFile(); }
void TFormChangeFile::OpenConvertClick() { openFile(); }
void TFormChangeFile::ExitConvertClick() { reject(); }

void TFormChangeFile::CopyConvertClick() { RichEditConvert->copy(); }
void TFormChangeFile::CopyConvertPopUpMenuClick() { RichEditConvert->copy(); }
void TFormChangeFile::DeleteConvertClick() { RichEditConvert->cut(); }
void TFormChangeFile::DeleteConvertPopUpMenuClick() { RichEditConvert->cut(); }
void TFormChangeFile::PasteConvertClick() { RichEditConvert->paste(); }
void TFormChangeFile::PasteConvertPopUpMenuClick() { RichEditConvert->paste(); }

void TFormChangeFile::openFile() {
    const QString path = dialogs().openFileName(this, QString(), 0, toQString(FilenameOriginal));
    if (path.isEmpty())
        return;
    openPath(path);
}

bool TFormChangeFile::openPath(const QString &path) {
    std::string bytes;
    if (Status read = readTextFile(toStdString(path), bytes); !read) {
        dialogs().error(this, toQString(read.describe()));
        return false;
    }
    const QByteArray content = QByteArray::fromStdString(bytes);
    fileText_ = EightBitText::detect(content);
    RichEditConvert->setPlainText(fileText_.decode(content));
    RichEditConvert->document()->setModified(true);
    FilenameOriginal = toStdString(path);
    setWindowTitle(path);
    return true;
}

void TFormChangeFile::ButtonNextAnalysisClick() {
    const QByteArray text = fileText_.encode(heldText(*RichEditConvert));
    const Status imported = C.ImportText(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                                         chosenColumn(*ComboBoxTimeColumn), chosenColumn(*ComboBoxCurrentColumn));
    if (!imported) {
        // The text stays, so the user can delete what is not data and try again.
        dialogs().error(this, toQString(imported.describe()));
        return;
    }
    Converted = true;
    accept();
}

int TFormChangeFile::chosenColumn(const QComboBox &box) { return box.currentIndex() < 0 ? 0 : box.currentIndex() + 1; }
