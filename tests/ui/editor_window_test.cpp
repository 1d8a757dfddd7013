// The text viewer and editor, driven through its menu items with scripted dialogs.
#include "fake_dialogs.h"
#include "ui/editor/editor_window.h"
#include "ui/main/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

#include <memory>

class EditorWindowTest : public QObject {
    Q_OBJECT

private:
    FakeDialogs *fake = nullptr;
    std::unique_ptr<TFormEdit> window;
    std::unique_ptr<QTemporaryDir> dir;

    void trigger(const char *action) {
        auto *item = window->findChild<QAction *>(QString::fromLatin1(action));
        QVERIFY2(item, action);
        item->trigger();
    }
    QString path(const char *name) const { return dir->filePath(QString::fromLatin1(name)); }
    QString writeFile(const char *name, const QByteArray &bytes) {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the fixture");
        return file.fileName();
    }
    static QByteArray contentOf(const QString &file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QStringList filesInDir() const { return QDir(dir->path()).entryList(QDir::Files | QDir::Hidden); }
    void openFile(const QString &file) {
        fake->openAnswers.push_back(file);
        trigger("OpenEditor");
    }
    void typeAtStart(const QString &text) {
        QTextCursor cursor(window->RichEditEditor->document());
        cursor.insertText(text);
    }

private slots:
    void init() {
        auto dialogs = std::make_unique<FakeDialogs>();
        fake = dialogs.get();
        setDialogs(std::move(dialogs));
        dir = std::make_unique<QTemporaryDir>();
        window = std::make_unique<TFormEdit>();
        window->show();
    }
    void cleanup() {
        window.reset();
        setDialogs(nullptr);
    }

    void offersTheMenusAndFilters() {
        QCOMPARE(window->windowTitle(), QStringLiteral("View and Edit"));
        QStringList items;
        for (QAction *menu : window->menuBar()->actions()) {
            items << menu->text();
            for (QAction *item : menu->menu()->actions())
                items << QStringLiteral("  ") + item->text();
        }
        QCOMPARE(items, (QStringList{"Files", "  Open", "  Save", "  Save As", "  Print", "  Set Printer", "  Exit", "Edit",
                                     "  Copy", "  Delete", "  Paste"}));
        QCOMPARE(window->RichEditEditor->lineWrapMode(), QPlainTextEdit::NoWrap);

        trigger("OpenEditor");
        trigger("SaveAsEditor");
        QCOMPARE(fake->openRequests.front().filter,
                 QStringLiteral("KESTデータ|*.DIS0;*.DIS1;*.KEST0;*.KEST1;*.ErefP;*.ErefN;*.Eref;*.txt|すべてのデータ(*.*)|*.*"));
        QCOMPARE(fake->saveRequests.front().filter,
                 QStringLiteral("KESTデータ|*.DIS0;*.DIS1;*.KEST0;*KEST1;*.ErefP;*.ErefN;*.Eref;*.txt|すべてのデータ(*.*)|*.*"));
    }

    void saveWithoutANameAsksForOne() {
        window->RichEditEditor->setPlainText(QStringLiteral("% note\nline two"));
        fake->saveAnswers = {QString(), path("new.txt")};

        trigger("SaveEditor");
        QCOMPARE(fake->saveRequests.size(), size_t(1));
        QVERIFY(filesInDir().isEmpty());
        QVERIFY(window->FilenameEditor.isEmpty());
        QCOMPARE(window->windowTitle(), QStringLiteral("View and Edit"));

        window->RichEditEditor->document()->setModified(true);
        trigger("SaveEditor");
        QCOMPARE(fake->saveRequests.size(), size_t(2));
        QCOMPARE(contentOf(path("new.txt")), QByteArray("% note\r\nline two"));
        QCOMPARE(window->FilenameEditor, path("new.txt"));
        QCOMPARE(window->windowTitle(), path("new.txt"));
        QVERIFY(!window->RichEditEditor->document()->isModified());
        QVERIFY(fake->errors.isEmpty());
    }

    void saveAfterOpenWritesBackWithoutADialog() {
        const QString file = writeFile("run.KEST0", "% Result of KEST Analysis1\r\n0.001     5     0     0\r\n");
        openFile(file);
        QCOMPARE(window->FilenameEditor, file);
        QCOMPARE(window->windowTitle(), file);
        QVERIFY(!window->RichEditEditor->document()->isModified());

        typeAtStart(QStringLiteral("% checked\n"));
        QVERIFY(window->RichEditEditor->document()->isModified());
        trigger("SaveEditor");

        QVERIFY(fake->saveRequests.empty());
        QCOMPARE(contentOf(file), QByteArray("% checked\r\n% Result of KEST Analysis1\r\n0.001     5     0     0\r\n"));
        QVERIFY(!window->RichEditEditor->document()->isModified());
        QCOMPARE(filesInDir(), QStringList{"run.KEST0"});
    }

    void aFailedOpenKeepsTheFileThatSaveWritesTo() {
        const QString first = writeFile("first.DIS0", "first\r\n");
        openFile(first);
        openFile(path("missing.DIS0"));
        openFile(dir->path());

        QCOMPARE(fake->errors.size(), 2);
        QVERIFY(fake->errors.front().contains(QStringLiteral("missing.DIS0")));
        QCOMPARE(window->FilenameEditor, first);
        QCOMPARE(window->windowTitle(), first);
        QCOMPARE(window->RichEditEditor->toPlainText(), QStringLiteral("first\n"));

        typeAtStart(QStringLiteral("edited "));
        trigger("SaveEditor");
        QCOMPARE(contentOf(first), QByteArray("edited first\r\n"));
        QVERIFY(!QFileInfo::exists(path("missing.DIS0")));
    }

    void aFailedSaveAsKeepsTheNameAndTheModifiedMark() {
        const QString file = writeFile("kept.txt", "kept\n");
        openFile(file);
        typeAtStart(QStringLiteral("x"));
        fake->saveAnswers = {path("no-such-folder/other.txt")};

        trigger("SaveAsEditor");

        QCOMPARE(fake->errors.size(), 1);
        QVERIFY(fake->errors.front().contains(QStringLiteral("other.txt")));
        QCOMPARE(window->FilenameEditor, file);
        QCOMPARE(window->windowTitle(), file);
        QVERIFY(window->RichEditEditor->document()->isModified());
        QCOMPARE(contentOf(file), QByteArray("kept\n"));
        QCOMPARE(filesInDir(), QStringList{"kept.txt"});
    }

    void openAndSaveKeepEveryByte_data() {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray everyByte;
        for (int b = 0; b < 256; ++b)
            if (b != '\r' && b != '\n')
                everyByte += static_cast<char>(b);
        QTest::newRow("Shift-JIS, CR LF") << QByteArray("% \x8e\x9e\x8a\xd4\x81\x5b\x88\xa0 [s]\r\n0.001     1e-09     1\r\n");
        QTest::newRow("Latin-1 with no-break space") << QByteArray("% Temp\xe9rature\xa0[K]\r\n% \xb5m\r\n");
        QTest::newRow("UTF-8 with byte order mark") << QByteArray("\xef\xbb\xbf% 試料\r\n1 2\r\n");
        QTest::newRow("UTF-8, LF, no final line end") << QByteArray("% 測定\n0.001 1e-9\n0.002 5e-10");
        QTest::newRow("CR only") << QByteArray("a\rb\r");
        QTest::newRow("blank lines") << QByteArray("\r\n\r\nx\r\n\r\n");
        QTest::newRow("every byte value") << everyByte + "\r\n" + everyByte;
        QTest::newRow("end-of-file byte") << QByteArray("data\r\n\x1a");
        QTest::newRow("empty file") << QByteArray();
    }
    void openAndSaveKeepEveryByte() {
        QFETCH(QByteArray, bytes);
        const QString file = writeFile("legacy.DIS0", bytes);
        openFile(file);
        trigger("SaveEditor");
        QVERIFY(fake->errors.isEmpty());
        QCOMPARE(contentOf(file), bytes);
    }

    void editingALegacyFileKeepsTheUntouchedBytes() {
        const QByteArray shiftJis = "% \x8e\x9e\x8a\xd4 \x93\x64\x97\xac\r\n0.001     1e-09     1\r\n";
        const QString file = writeFile("sjis.DIS0", shiftJis);
        openFile(file);
        typeAtStart(QStringLiteral("% 2 µs é\n"));
        trigger("SaveEditor");
        // Latin-1 characters go in as one byte each, anything else as UTF-8.
        QCOMPARE(contentOf(file), QByteArray("% 2 \xb5s \xe9\r\n") + shiftJis);

        // A line broken with Shift+Return is an ordinary line end in the file.
        window->clearAndShow();
        window->RichEditEditor->setFocus();
        QTest::keyClicks(window->RichEditEditor, QStringLiteral("a"));
        QTest::keyClick(window->RichEditEditor, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(window->RichEditEditor, QStringLiteral("b"));
        trigger("SaveEditor");
        QCOMPARE(contentOf(file), QByteArray("a\r\nb"));

        window->clearAndShow();
        window->RichEditEditor->setPlainText(QStringLiteral("日本"));
        trigger("SaveEditor");
        QCOMPARE(contentOf(file), QByteArray("\xe6\x97\xa5\xe6\x9c\xac"));
    }

    void editorOfTheMainWindowEmptiesTheTextAndKeepsTheFile() {
        const QString file = writeFile("a.KEST1", "old\r\ntext\r\n");
        openFile(file);
        window->close();
        QVERIFY(!window->isVisible());

        TFormMain main;
        main.Editor1->trigger();
        QVERIFY(window->isVisible());
        QVERIFY(window->RichEditEditor->toPlainText().isEmpty());
        QCOMPARE(window->FilenameEditor, file);
        QCOMPARE(window->windowTitle(), file);

        trigger("SaveEditor");
        QCOMPARE(contentOf(file), QByteArray());
        window->RichEditEditor->setPlainText(QStringLiteral("new\ntext"));
        trigger("SaveEditor");
        QCOMPARE(contentOf(file), QByteArray("new\r\ntext"));
    }

    void exitHidesAndKeepsTheText() {
        window->RichEditEditor->setPlainText(QStringLiteral("kept"));
        trigger("ExitEditor");
        QVERIFY(!window->isVisible());
        QCOMPARE(window->RichEditEditor->toPlainText(), QStringLiteral("kept"));
    }

    void deleteThenPasteRestoresTheText() {
        const QString text = QStringLiteral("first line\nsecond line\n");
        window->RichEditEditor->setPlainText(text);
        QTextCursor cursor(window->RichEditEditor->document());
        cursor.setPosition(6);
        cursor.setPosition(11, QTextCursor::KeepAnchor);
        window->RichEditEditor->setTextCursor(cursor);

        trigger("CopyEditor");
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("line\n"));
        QCOMPARE(window->RichEditEditor->toPlainText(), text);
        trigger("DeleteEditor");
        QCOMPARE(window->RichEditEditor->toPlainText(), QStringLiteral("first second line\n"));
        trigger("PasteEditor");
        QCOMPARE(window->RichEditEditor->toPlainText(), text);
    }

    void printsTheTextAsAJobNamedPrint() {
        window->RichEditEditor->setPlainText(QStringLiteral("% Data of Discharge Current\n0.001     1e-09     1\n"));
        fake->printToPdf = path("printed.pdf");
        trigger("PrinterSetUpEditor");

        fake->acceptPrint = false;
        trigger("PrintEditor");
        QVERIFY(!QFileInfo::exists(path("printed.pdf")));

        fake->acceptPrint = true;
        trigger("PrintEditor");
        QCOMPARE(window->printer().docName(), QStringLiteral("Print"));
        QVERIFY(contentOf(path("printed.pdf")).startsWith("%PDF"));
        QVERIFY(fake->errors.isEmpty());
    }
};

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
