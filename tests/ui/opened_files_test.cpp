// Files given to the main window from outside: dropped on it (drag events built by hand, as
// a file manager sends them) or named on the command line.
#include "engine/analysis.h"
#include "ui/editor/editor_window.h"
#include "ui/import/import_window.h"
#include "ui/main/main_window.h"
#include "ui/main/opened_files.h"

#include "fake_dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace {

const QString kExample = QStringLiteral(KEST_EXAMPLES "/two-trap.DIS0");

std::unique_ptr<QMimeData> urls(const QList<QUrl> &list) {
    auto data = std::make_unique<QMimeData>();
    data->setUrls(list);
    return data;
}

// Drags data over `target` and drops it there, as the windowing system delivers it; true
// when both the entering drag and the drop were accepted.
bool dragAndDrop(QWidget *target, const QMimeData &data) {
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted() && drop.dropAction() == Qt::CopyAction;
}

}  // namespace

class OpenedFilesTest : public QObject {
    Q_OBJECT

private:
    FakeDialogs *answers = nullptr;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<TFormMain> window;
    // The side windows as the application creates them.
    TFormChangeFile *importWindow = nullptr;
    std::unique_ptr<TFormEdit> editor;

    QString writeFile(const QString &name, const QByteArray &bytes) {
        const QString path = folder->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    bool drop(const QString &path, QWidget *target = nullptr) {
        return dragAndDrop(target ? target : window.get(), *urls({QUrl::fromLocalFile(path)}));
    }

private slots:
    void init() {
        C = Analysis();
        FilenameOriginal.clear();
        auto fake = std::make_unique<FakeDialogs>();
        answers = fake.get();
        setDialogs(std::move(fake));
        folder = std::make_unique<QTemporaryDir>();
        window = std::make_unique<TFormMain>();
        importWindow = new TFormChangeFile(window.get());
        editor = std::make_unique<TFormEdit>();
        window->show();
    }
    void cleanup() {
        editor.reset();
        window.reset();
        setDialogs(nullptr);
    }

    // Only one local file is taken; anything else is left to the widgets.
    void aDragCarriesOneLocalFile() {
        const QString file = writeFile("raw.txt", "1 2\n");
        const QString other = writeFile("other.txt", "1 2\n");
        QCOMPARE(droppedFile(urls({QUrl::fromLocalFile(file)}).get()), file);
        QCOMPARE(droppedFile(urls({QUrl::fromLocalFile(file), QUrl::fromLocalFile(other)}).get()), QString());
        QCOMPARE(droppedFile(urls({QUrl::fromLocalFile(folder->path())}).get()), QString());
        QCOMPARE(droppedFile(urls({QUrl::fromLocalFile(folder->filePath("missing.txt"))}).get()), QString());
        QCOMPARE(droppedFile(urls({QUrl("https://example.org/run.DIS0")}).get()), QString());
        QMimeData text;
        text.setText(file);
        QCOMPARE(droppedFile(&text), QString());
        QVERIFY(!dragAndDrop(window.get(), text));
        QVERIFY(!dragAndDrop(window.get(), *urls({QUrl::fromLocalFile(file), QUrl::fromLocalFile(other)})));

        for (const char *name : {"run.DIS0", "/data/run.dis0", "run.Dis0"})
            QVERIFY2(isMeasuredDataFile(name), name);
        for (const char *name : {"run.DIS1", "run.DIS0.txt", "DIS0"})
            QVERIFY2(!isMeasuredDataFile(name), name);
    }

    // A measured-data file dropped on the window, or on one of its edit fields, is loaded
    // as "Load *.DIS0" loads it.
    void droppedMeasurementIsLoaded_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("on the window") << QString();
        QTest::newRow("on an edit field") << "EditComment";
    }
    void droppedMeasurementIsLoaded() {
        QFETCH(QString, target);
        QLineEdit *comment = window->EditComment;
        QVERIFY(drop(kExample, target.isEmpty() ? nullptr : window->findChild<QWidget *>(target)));
        QTRY_COMPARE(window->LabelFilenameDIS0->text(), kExample);
        QVERIFY(answers->errors.isEmpty());
        QVERIFY(C.NumberOfData > 0);
        QCOMPARE(window->Series1.count(), C.NumberOfData);
        QVERIFY(!comment->text().contains("two-trap"));  // the path did not go into the field
    }

    // Any other text file starts the import with the file already opened in the import
    // window; converting it shows the measurement.
    void droppedTextFileStartsTheImport() {
        QVERIFY(window->OpenDIS0(kExample));
        const QString raw = writeFile("raw.csv", "0.001,2.5e-9\r\n0.002,1.9e-9\r\n0.003,1.2e-9\r\n");
        QString textWhenShown, titleWhenShown;

        QVERIFY(drop(raw));
        // After the drop has returned, the import window runs modally; this runs inside it.
        QTimer::singleShot(0, importWindow, [&] {
            textWhenShown = importWindow->RichEditConvert->toPlainText();
            titleWhenShown = importWindow->windowTitle();
            importWindow->ComboBoxTimeColumn->setCurrentIndex(0);
            importWindow->ComboBoxCurrentColumn->setCurrentIndex(1);
            QTest::mouseClick(importWindow->ButtonNextAnalysis, Qt::LeftButton);
            if (importWindow->isVisible())
                importWindow->reject();
        });
        QTRY_VERIFY(importWindow->Converted);

        QCOMPARE(textWhenShown, QString("0.001,2.5e-9\n0.002,1.9e-9\n0.003,1.2e-9\n"));
        QCOMPARE(titleWhenShown, raw);
        QVERIFY(answers->errors.isEmpty());
        QVERIFY(answers->openRequests.empty());
        QCOMPARE(C.NumberOfData, 3);
        QCOMPARE(window->LabelFilenameOriginal->text(), raw);
        QVERIFY(window->LabelFilenameDIS0->text().isEmpty());
        QCOMPARE(window->Series1.count(), 3);
        QVERIFY(window->ButtonSmoothing->isEnabled());
    }

    // While a dialog is open over the window, a file dropped on it is refused.
    void noDropWhileADialogIsOpen() {
        QVERIFY(window->OpenDIS0(kExample));
        const QString raw = writeFile("raw.txt", "0.001 2.5e-9\n");
        bool accepted = true;
        QTimer::singleShot(0, importWindow, [&] {
            accepted = drop(raw) || drop(kExample);
            importWindow->reject();
        });
        importWindow->showModally();
        QCoreApplication::processEvents();
        QVERIFY(!accepted);

        // A window-modal progress dialog, as a sweep shows, that does not block the caller.
        {
            QProgressDialog progress(window.get());
            progress.setWindowModality(Qt::WindowModal);
            progress.show();
            QVERIFY(!drop(raw));
        }
        QCoreApplication::processEvents();
        QCOMPARE(window->LabelFilenameDIS0->text(), kExample);
        QVERIFY(answers->errors.isEmpty());
        QVERIFY(!importWindow->isVisible());
    }

    // A file that is not text is refused before anything is cleared.
    void droppedBinaryFileKeepsTheMeasurement() {
        QVERIFY(window->OpenDIS0(kExample));
        const int points = C.NumberOfData;
        const QString image = writeFile("chart.png", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        QVERIFY(drop(image));
        QTRY_COMPARE(answers->errors.size(), 1);
        QCOMPARE(answers->errors[0], image + ": not a text file");
        QVERIFY(!importWindow->isVisible());
        QCOMPARE(C.NumberOfData, points);
        QCOMPARE(window->LabelFilenameDIS0->text(), kExample);
    }

    // "Open Different Type of File" with a file that cannot be read: an error box, and the
    // measurement and the import window stay as they were.
    void unreadableImportChangesNothing() {
        QVERIFY(window->OpenDIS0(kExample));
        importWindow->RichEditConvert->setPlainText("kept");
        window->importFile(folder->filePath("missing.txt"));
        QCOMPARE(answers->errors.size(), 1);
        QVERIFY(answers->errors[0].contains("missing.txt"));
        QVERIFY(!importWindow->isVisible());
        QCOMPARE(importWindow->RichEditConvert->toPlainText(), QString("kept"));
        QCOMPARE(window->LabelFilenameDIS0->text(), kExample);
        QVERIFY(C.NumberOfData > 0);
    }

    // "kest FILE": a measured-data file is loaded; any other file opens in the editor window.
    void namedFileOpensByItsType() {
        openNamedFile(*window, kExample);
        QCOMPARE(window->LabelFilenameDIS0->text(), kExample);
        QVERIFY(!editor->isVisible());

        const QString result = writeFile("run.KEST0", "% Data of KEST Signal\r\n0.001     2.5e+11\r\n");
        openNamedFile(*window, result);
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->FilenameEditor, result);
        QCOMPARE(editor->windowTitle(), result);
        QCOMPARE(editor->RichEditEditor->toPlainText(), QString("% Data of KEST Signal\n0.001     2.5e+11\n"));

        openNamedFile(*window, folder->filePath("missing.Eref"));
        QCOMPARE(answers->errors.size(), 1);
        QCOMPARE(editor->FilenameEditor, result);
        QVERIFY(editor->RichEditEditor->toPlainText().startsWith("% Data of KEST Signal"));
        QVERIFY(answers->errors.size() == 1 && window->LabelFilenameDIS0->text() == kExample);
    }
};

QTEST_MAIN(OpenedFilesTest)
#include "opened_files_test.moc"
