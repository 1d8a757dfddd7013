// The column-data import window, driven through its named controls with scripted dialogs.
#include "engine/analysis.h"
#include "fake_dialogs.h"
#include "ui/import/import_window.h"
#include "ui/main/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTimer>

#include <memory>
#include <vector>

Q_DECLARE_METATYPE(std::vector<double>)

class ImportWindowTest : public QObject {
    Q_OBJECT

private:
    FakeDialogs *fake = nullptr;
    std::unique_ptr<TFormChangeFile> window;
    QTemporaryDir dir;

    void chooseColumns(int time, int current) {
        window->ComboBoxTimeColumn->setCurrentIndex(time - 1);
        window->ComboBoxCurrentColumn->setCurrentIndex(current - 1);
    }
    void pressOk() { QTest::mouseClick(window->ButtonNextAnalysis, Qt::LeftButton); }
    void trigger(const char *action) {
        auto *item = window->findChild<QAction *>(QString::fromLatin1(action));
        QVERIFY2(item, action);
        item->trigger();
    }
    QString writeFile(const char *name, const QByteArray &bytes) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the fixture");
        return path;
    }
    // Selects the text from character `from` up to `to` in the text area.
    void select(int from, int to) {
        QTextCursor cursor = window->RichEditConvert->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        window->RichEditConvert->setTextCursor(cursor);
    }

private slots:
    void init() {
        auto dialogs = std::make_unique<FakeDialogs>();
        fake = dialogs.get();
        setDialogs(std::move(dialogs));
        C.Clear();
        FilenameOriginal.clear();
        window = std::make_unique<TFormChangeFile>();
        window->show();
    }
    void cleanup() {
        window.reset();
        setDialogs(nullptr);
    }

    void startsWithItsCaptionsAndUnchosenColumns() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Change the flie of the measurement data into the file for analysis"));
        QCOMPARE(window->GroupBox1->title(), QStringLiteral("Procedure of data transfor"));
        const std::pair<const char *, const char *> labels[] = {
            {"Label5", "1. Open measurement data."},  {"Label1", "2. Delete comments."},
            {"Label2", "3. Select column of time."},  {"Label3", "4. Select column of transient current."},
            {"Label4", "5. Go to analysis."}};
        for (const auto &[name, caption] : labels)
            QCOMPARE(window->findChild<QLabel *>(QString::fromLatin1(name))->text(), QString::fromUtf8(caption));
        QCOMPARE(window->ButtonLoadConvert->text(), QStringLiteral("Open file of data"));
        QCOMPARE(window->ButtonNextAnalysis->text(), QStringLiteral("OK"));
        for (QComboBox *box : {window->ComboBoxTimeColumn, window->ComboBoxCurrentColumn}) {
            QCOMPARE(box->count(), 9);
            QCOMPARE(box->itemText(0), QStringLiteral("1"));
            QCOMPARE(box->itemText(8), QStringLiteral("9"));
            QCOMPARE(box->currentIndex(), -1);
        }
        QCOMPARE(window->ComboBoxTimeColumn->placeholderText(), QStringLiteral("Time"));
        QCOMPARE(window->ComboBoxCurrentColumn->placeholderText(), QStringLiteral("Transient current"));
        QStringList popUp;
        for (QAction *action : window->PopupMenu1->actions())
            popUp << action->text();
        QCOMPARE(popUp, (QStringList{QStringLiteral("コピー"), QStringLiteral("削除"), QStringLiteral("貼り付け")}));
        QCOMPARE(window->RichEditConvert->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(&window->FilenameOriginal, &FilenameOriginal);
        QVERIFY(!window->Converted);
    }

    void importsTheChosenColumns_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("time");
        QTest::addColumn<int>("current");
        QTest::addColumn<std::vector<double>>("times");
        QTest::addColumn<std::vector<double>>("currents");
        const std::vector<double> t{0.001, 0.002, 0.003};
        const std::vector<double> i{2.5e-9, 1.9e-9, 1.2e-9};
        QTest::newRow("one space") << "0.001 2.5e-9\n0.002 1.9e-9\n0.003 1.2e-9\n" << 1 << 2 << t << i;
        QTest::newRow("comma") << "0.001,2.5e-9\n0.002,1.9e-9\n0.003,1.2e-9" << 1 << 2 << t << i;
        QTest::newRow("tab") << "0.001\t2.5e-9\n0.002\t1.9e-9\n0.003\t1.2e-9\n" << 1 << 2 << t << i;
        QTest::newRow("two commas") << "0.001,,2.5e-9\n0.002,,1.9e-9\n0.003,,1.2e-9\n" << 1 << 2 << t << i;
        QTest::newRow("leading blanks") << "  0.001 2.5e-9\n\t 0.002 1.9e-9\n   0.003 1.2e-9\n" << 1 << 2 << t << i;
        QTest::newRow("columns swapped") << "2.5e-9 0.001\n1.9e-9 0.002\n1.2e-9 0.003\n" << 2 << 1 << t << i;
        QTest::newRow("negative currents made positive") << "0.001 -2.5e-9\n0.002 -1.9e-9\n0.003 -1.2e-9\n" << 1 << 2 << t << i;
        QTest::newRow("sign change ends the data")
            << "0.001 2.5e-9\n0.002 1.9e-9\n0.003 -0.1e-9\n0.004 1.0e-9\n" << 1 << 2 << std::vector<double>{0.001, 0.002}
            << std::vector<double>{2.5e-9, 1.9e-9};
        QTest::newRow("time equals current") << "0.001 2.5e-9\n0.002 1.9e-9\n0.003 1.2e-9\n" << 2 << 2
                                             << i << i;
        QTest::newRow("third of five columns") << "1 0.001 3 2.5e-9 5\n1 0.002 3 1.9e-9 5\n1 0.003 3 1.2e-9 5\n" << 2 << 4
                                               << t << i;
    }
    void importsTheChosenColumns() {
        QFETCH(QString, text);
        QFETCH(int, time);
        QFETCH(int, current);
        QFETCH(std::vector<double>, times);
        QFETCH(std::vector<double>, currents);

        window->RichEditConvert->setPlainText(text);
        chooseColumns(time, current);
        pressOk();

        QVERIFY(fake->errors.isEmpty());
        QVERIFY(window->Converted);
        QVERIFY(!window->isVisible());
        QCOMPARE(window->result(), int(QDialog::Accepted));
        const int n = static_cast<int>(times.size());
        QCOMPARE(C.NumberOfData, n);
        QCOMPARE(C.IndexOfBeginning, 0);
        QCOMPARE(C.IndexOfEnding, n - 1);
        QCOMPARE(static_cast<int>(C.Reliability.size()), n);
        for (int k = 0; k < n; ++k) {
            QCOMPARE(C.Time[k], times[k]);
            QCOMPARE(C.Current[k], currents[k]);
            QCOMPARE(C.Reliability[k], 1.0);
        }
    }

    void keepsTheWindowOpenWhenTheTextYieldsTooLittle_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("time");
        QTest::addColumn<int>("current");
        QTest::newRow("one line") << "0.001 2.5e-9\n" << 1 << 2;
        QTest::newRow("empty text") << "" << 1 << 2;
        QTest::newRow("comment line first") << "time current\n0.001 2.5e-9\n0.002 1.9e-9\n" << 1 << 2;
        QTest::newRow("sign changes at once") << "0.001 2.5e-9\n0.002 -1.9e-9\n0.003 1.2e-9\n" << 1 << 2;
        QTest::newRow("no time column chosen") << "0.001 2.5e-9\n0.002 1.9e-9\n" << 0 << 2;
        QTest::newRow("no current column chosen") << "0.001 2.5e-9\n0.002 1.9e-9\n" << 1 << 0;
    }
    void keepsTheWindowOpenWhenTheTextYieldsTooLittle() {
        QFETCH(QString, text);
        QFETCH(int, time);
        QFETCH(int, current);
        // A record that an earlier step filled must survive a failed "OK".
        C.Time = {7.0, 8.0};
        C.Current = {1.0, 2.0};
        C.Reliability = {1.0, 1.0};
        C.NumberOfData = 2;

        window->RichEditConvert->setPlainText(text);
        window->ComboBoxTimeColumn->setCurrentIndex(time - 1);
        window->ComboBoxCurrentColumn->setCurrentIndex(current - 1);
        pressOk();

        QCOMPARE(fake->errors.size(), 1);
        QVERIFY(!window->Converted);
        QVERIFY(window->isVisible());
        QCOMPARE(window->RichEditConvert->toPlainText(), text);
        QCOMPARE(C.NumberOfData, 2);
        QCOMPARE(C.Time[0], 7.0);
    }

    void opensARawFileForEditing() {
        // A Shift-JIS header line (not UTF-8) above CR LF data; the user deletes the header.
        const QByteArray header = "\x8e\x9e\x8a\xd4 \x93\x64\x97\xac";
        const QString path = writeFile("raw.txt", header + "\r\n0.001 -2.5e-9\r\n0.002 -1.9e-9\r\n0.003 -1.2e-9\r\n");
        fake->openAnswers = {path};

        QTest::mouseClick(window->ButtonLoadConvert, Qt::LeftButton);

        QCOMPARE(fake->openRequests.size(), size_t(1));
        QVERIFY(fake->openRequests.front().filter.isEmpty());
        QCOMPARE(QString::fromStdString(FilenameOriginal), path);
        QCOMPARE(window->windowTitle(), path);
        QVERIFY(window->RichEditConvert->document()->isModified());
        const QString text = window->RichEditConvert->toPlainText();
        QVERIFY(text.endsWith(QStringLiteral("\n0.001 -2.5e-9\n0.002 -1.9e-9\n0.003 -1.2e-9\n")));
        QCOMPARE(window->RichEditConvert->document()->blockCount(), 5);

        select(0, static_cast<int>(text.indexOf(QLatin1Char('\n')) + 1));
        trigger("DeleteConvertPopUpMenu");
        chooseColumns(1, 2);
        pressOk();

        QVERIFY(fake->errors.isEmpty());
        QVERIFY(window->Converted);
        QCOMPARE(C.NumberOfData, 3);
        QCOMPARE(C.Current[2], 1.2e-9);
    }

    void keepsTextAndNameWhenOpeningIsCancelledOrFails() {
        window->RichEditConvert->setPlainText(QStringLiteral("0.001 1e-9"));
        FilenameOriginal = "/data/earlier.txt";
        fake->openAnswers = {QString(), dir.filePath(QStringLiteral("missing.txt"))};

        trigger("OpenConvert");
        QVERIFY(fake->errors.isEmpty());
        trigger("OpenConvert");
        QCOMPARE(fake->errors.size(), 1);
        QVERIFY(fake->errors.front().contains(QStringLiteral("missing.txt")));

        QCOMPARE(fake->openRequests.size(), size_t(2));
        QCOMPARE(fake->openRequests.front().proposal, QStringLiteral("/data/earlier.txt"));
        QCOMPARE(window->RichEditConvert->toPlainText(), QStringLiteral("0.001 1e-9"));
        QCOMPARE(FilenameOriginal, std::string("/data/earlier.txt"));
    }

    void cutThenPasteRestoresTheText_data() {
        QTest::addColumn<QString>("cut");
        QTest::addColumn<QString>("paste");
        QTest::newRow("menu") << "DeleteConvert" << "PasteConvert";
        QTest::newRow("pop-up menu") << "DeleteConvertPopUpMenu" << "PasteConvertPopUpMenu";
    }
    void cutThenPasteRestoresTheText() {
        QFETCH(QString, cut);
        QFETCH(QString, paste);
        const QString text = QStringLiteral("% comment\n0.001 2.5e-9\n0.002 1.9e-9\n");
        window->RichEditConvert->setPlainText(text);
        select(0, 10);

        trigger(cut.toLatin1().constData());
        QCOMPARE(window->RichEditConvert->toPlainText(), QStringLiteral("0.001 2.5e-9\n0.002 1.9e-9\n"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("% comment\n"));

        trigger(paste.toLatin1().constData());
        QCOMPARE(window->RichEditConvert->toPlainText(), text);
    }

    void copyLeavesTheTextAndFillsTheClipboard() {
        window->RichEditConvert->setPlainText(QStringLiteral("0.001 2.5e-9"));
        select(0, 5);
        trigger("CopyConvert");
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("0.001"));
        trigger("CopyConvertPopUpMenu");
        QCOMPARE(window->RichEditConvert->toPlainText(), QStringLiteral("0.001 2.5e-9"));
    }

    void exitClosesWithoutConverting() {
        window->RichEditConvert->setPlainText(QStringLiteral("0.001 2.5e-9\n0.002 1.9e-9\n"));
        chooseColumns(1, 2);
        trigger("ExitConvert");
        QVERIFY(!window->isVisible());
        QCOMPARE(window->result(), int(QDialog::Rejected));
        QVERIFY(!window->Converted);
        QCOMPARE(C.NumberOfData, 0);
    }

    void importFromTheMainWindowShowsTheMeasurement() {
        TFormMain main;
        main.show();
        QVERIFY(main.OpenDIS0(QStringLiteral(KEST_EXAMPLES "/two-trap.DIS0")));
        main.ButtonCalculationKEST1->setEnabled(true);
        main.ButtonPositiveEref->setEnabled(true);
        main.Series14.add(0.01, 1.0);
        const QString raw = writeFile("raw.csv", "time,current\r\n0.001,2.5e-9\r\n0.002,1.9e-9\r\n0.003,1.2e-9\r\n");
        fake->openAnswers = {raw};

        QTimer::singleShot(0, window.get(), [&] {
            QTest::mouseClick(window->ButtonLoadConvert, Qt::LeftButton);
            select(0, 13);
            trigger("DeleteConvert");
            chooseColumns(1, 2);
            pressOk();
            if (window->isVisible())
                window->reject();
        });
        QTest::mouseClick(main.ButtonDataConvert, Qt::LeftButton);

        QVERIFY(fake->errors.isEmpty());
        QCOMPARE(C.NumberOfData, 3);
        QCOMPARE(main.LabelFilenameOriginal->text(), raw);
        QVERIFY(main.LabelFilenameDIS0->text().isEmpty());
        QCOMPARE(main.Series1.count(), 3);
        QCOMPARE(main.Series14.count(), 0);
        QCOMPARE(main.IndexOfStartReliability, 0);
        QCOMPARE(main.IndexOfEndReliability, 2);
        const QStringList labels{main.LabelBegin->text(), main.LabelEnd->text(), main.LabelR1->text(), main.LabelR2->text()};
        QCOMPARE(labels, (QStringList{"0.001", "0.003", "0.001", "0.003"}));
        QVERIFY(main.ButtonSmoothing->isEnabled());
        QVERIFY(main.ButtonRapidIncreaseShortTime->isEnabled());
        QVERIFY(!main.ButtonCalculationKEST1->isEnabled());
        QVERIFY(main.ButtonPositiveEref->isEnabled());
        QVERIFY(main.LoadDIS1->isEnabled());
    }

    void leavingTheImportLeavesTheMainWindowCleared() {
        TFormMain main;
        main.show();
        QVERIFY(main.OpenDIS0(QStringLiteral(KEST_EXAMPLES "/two-trap.DIS0")));
        window->RichEditConvert->setPlainText(QStringLiteral("text of the last import"));
        window->Converted = true;
        QString textWhenShown;
        bool openAfterError = false;

        QTimer::singleShot(0, window.get(), [&] {
            textWhenShown = window->RichEditConvert->toPlainText();
            // Too little data: one error, and the window stays for the user to fix the text.
            window->RichEditConvert->setPlainText(QStringLiteral("0.001 2.5e-9\n"));
            chooseColumns(1, 2);
            pressOk();
            openAfterError = window->isVisible();
            trigger("ExitConvert");
            if (window->isVisible())
                window->reject();
        });
        QTest::mouseClick(main.ButtonDataConvert, Qt::LeftButton);

        QVERIFY(textWhenShown.isEmpty());
        QCOMPARE(fake->errors.size(), 1);
        QVERIFY(openAfterError);
        QVERIFY(!window->Converted);
        QCOMPARE(C.NumberOfData, 0);
        QCOMPARE(main.Series1.count(), 0);
        for (QLabel *label : {main.LabelFilenameOriginal, main.LabelFilenameDIS0, main.LabelBegin, main.LabelR1})
            QVERIFY2(label->text().isEmpty(), qPrintable(label->objectName()));
        QVERIFY(main.ButtonDataConvert->isEnabled());
        QVERIFY(!main.ButtonSmoothing->isEnabled());
        QVERIFY(!main.ButtonRapidIncreaseShortTime->isEnabled());
    }

    void clearTextEmptiesTheTextArea() {
        window->RichEditConvert->setPlainText(QStringLiteral("0.001 2.5e-9"));
        window->clearText();
        QVERIFY(window->RichEditConvert->toPlainText().isEmpty());
    }
};

QTEST_MAIN(ImportWindowTest)
#include "import_window_test.moc"
