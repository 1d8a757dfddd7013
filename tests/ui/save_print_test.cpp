// The save actions of the main window and "Print": the checks of "Save interpolation",
// the dialogs' filters and proposals, what a save enables, a file that cannot be
// written, the sample number above the tabs, and a printed page.
#include "engine/analysis.h"
#include "ui/common/dialogs.h"
#include "ui/main/file_names.h"
#include "ui/main/main_window.h"

#include "fake_dialogs.h"
#include "measurement_fixtures.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

// The six numeric sample fields in the order "Save interpolation" checks them.
const char *const kNumericFields[] = {"EditArea",         "EditSampleThickness", "EditTemperature",
                                      "EditChargeVoltage", "EditChargeTime",      "EditDischargeVoltage"};

}  // namespace

class SavePrintTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TFormMain> window;
    FakeDialogs *answers = nullptr;
    std::unique_ptr<QTemporaryDir> folder;

    template <class T = QPushButton>
    T *control(const QString &name) {
        T *found = window->findChild<T *>(name);
        if (!found)
            qFatal("no control named %s", qPrintable(name));
        return found;
    }
    void click(const QString &name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    void setText(const QString &edit, const QString &text) { control<QLineEdit>(edit)->setText(text); }
    QString text(const QString &name) {
        if (auto *label = window->findChild<QLabel *>(name))
            return label->text();
        return control<QLineEdit>(name)->text();
    }
    bool enabled(const QStringList &names) {
        for (const QString &name : names)
            if (!control(name)->isEnabled())
                return false;
        return true;
    }
    bool noneEnabled(const QStringList &names) {
        for (const QString &name : names)
            if (control(name)->isEnabled())
                return false;
        return true;
    }
    QString path(const QString &name) { return folder->filePath(name); }

    // A decaying measurement loaded and smoothed, its sample fields filled from the file;
    // the record's FilenameDIS0 is the path stored in the file.
    void loadAndSmooth(const QString &storedPath = "/lab/stored.DIS0") {
        const int n = 500;
        QString content = sampleHeader("% Data of Discharge Current", {"% DIS0 file: " + storedPath}, n, 0, n - 1);
        content += "% Time [s]   Current [A]   Reliability   \r\n";
        for (int i = 0; i < n; ++i)
            content += QString("%1     %2     1\r\n").arg(fixtureTime(i), 0, 'g', 6).arg(1e-9 * std::exp(-10.0 * fixtureTime(i)) + 1e-13, 0, 'g', 6);
        const QString file = path("m.DIS0");
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(content.toUtf8()) < 0)
            qFatal("cannot write %s", qPrintable(file));
        out.close();
        QVERIFY(window->OpenDIS0(file));
        click("ButtonSmoothing");
        QVERIFY(answers->errors.isEmpty());
    }
    const QStringList firstAnalysis = {"ButtonErefLow1", "ButtonErefHigh1", "ButtonCalculationKEST1", "ButtonPositiveEref"};
    const QStringList secondAnalysis = {"ButtonCalculationKEST2", "ButtonErefLow2", "ButtonErefHigh2"};

private slots:
    void init() {
        C = Analysis();
        FilenameOriginal.clear();
        auto fake = std::make_unique<FakeDialogs>();
        answers = fake.get();
        setDialogs(std::move(fake));
        folder = std::make_unique<QTemporaryDir>();
        window = std::make_unique<TFormMain>();
    }
    void cleanup() {
        window.reset();
        setDialogs(nullptr);
    }

    void proposalsReplaceTheLastExtension_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("proposal");
        QTest::newRow("DIS1 beside the DIS0") << "/data/s1.DIS0" << ".DIS1" << "/data/s1.DIS1";
        QTest::newRow("only the last dot counts") << "/m/run.2.DIS0" << ".ErefN" << "/m/run.2.ErefN";
        QTest::newRow("a dot in a folder does not") << "/m.v2/run" << ".Eref" << "/m.v2/run.Eref";
        QTest::newRow("no file yet: the bare extension") << "" << ".KEST0" << ".KEST0";
    }
    void proposalsReplaceTheLastExtension() {
        QFETCH(QString, path);
        QFETCH(QString, extension);
        QFETCH(QString, proposal);
        QCOMPARE(withExtension(path, extension), proposal);
    }

    // Each empty numeric field, with every later one empty too: only the first empty one is
    // named, no dialog opens, and the fields before it are already in the record.
    void saveInterpolationNamesTheFirstEmptyNumber_data() {
        QTest::addColumn<int>("firstEmpty");
        QTest::addColumn<QString>("message");
        const char *messages[] = {"Input Junction Area!", "Input Sample Thickness!", "Input Measurement Temperature!",
                                  "Input Voltage during charging!", "Input Charge Time!", "Input Dicharege Voltage!"};
        for (int k = 0; k < 6; ++k)
            QTest::newRow(kNumericFields[k]) << k << messages[k];
    }
    void saveInterpolationNamesTheFirstEmptyNumber() {
        QFETCH(int, firstEmpty);
        QFETCH(QString, message);
        loadAndSmooth();
        const double loaded[] = {C.Area, C.SampleThickness, C.Temperature, C.ChargeVoltage, C.ChargeTime, C.DischargeVoltage};
        for (int k = 0; k < 6; ++k)
            setText(kNumericFields[k], k < firstEmpty ? QString::number(k + 11) : QString());
        // A later field that is filled does not change which one is named.
        if (firstEmpty < 5)
            setText(kNumericFields[5], "7");
        setText("EditMaterial", "ZnO");
        setText("EditComment", "new comment");

        click("ButtonSaveDIS");

        QCOMPARE(answers->errors, QStringList{message});
        QVERIFY(answers->saveRequests.empty());
        QCOMPARE(C.Material, std::string("ZnO"));
        QCOMPARE(C.Comment, std::string("note on the run"));
        const double stored[] = {C.Area, C.SampleThickness, C.Temperature, C.ChargeVoltage, C.ChargeTime, C.DischargeVoltage};
        for (int k = 0; k < 6; ++k)
            QCOMPARE(stored[k], k < firstEmpty ? k + 11.0 : loaded[k]);
        QVERIFY(noneEnabled(firstAnalysis));
    }

    // Blanks are not empty: they go to the conversion, whose message names them.
    void saveInterpolationConvertsBlanks() {
        loadAndSmooth();
        setText("EditArea", "2");
        setText("EditSampleThickness", "  ");
        click("ButtonSaveDIS");
        QCOMPARE(answers->errors, QStringList{"'  ' is not a valid floating point value"});
        QCOMPARE(C.Area, 2.0);
        QVERIFY(answers->saveRequests.empty());
    }

    void saveInterpolationCancelledAtTheFirstDialog() {
        loadAndSmooth();
        setText("EditNameOfMeasurement", "M. Abe");
        setText("EditSampleNumber", "S-9");
        setText("EditTemperature", "77");
        setText("EditComment", "");
        click("ButtonSaveDIS");

        QCOMPARE(answers->saveRequests.size(), size_t(1));
        QCOMPARE(answers->saveRequests[0].filter, QString("*.DIS0"));
        QCOMPARE(answers->saveRequests[0].proposal, QString("*.DIS0"));
        QCOMPARE(C.NameOfMeasurement, std::string("M. Abe"));
        QCOMPARE(C.SampleNumber, std::string("S-9"));
        QCOMPARE(C.Temperature, 77.0);
        QCOMPARE(C.Comment, std::string());
        QCOMPARE(text("LabelFilenameDIS0"), path("m.DIS0"));  // as loaded
        QVERIFY(noneEnabled(firstAnalysis));
        QVERIFY(answers->errors.isEmpty());
    }

    void saveInterpolationWritesBothFilesAndUnlocksTheFirstAnalysis() {
        loadAndSmooth();
        setText("EditSmoothness", "0.25");
        answers->saveAnswers = {path("s1.DIS0"), path("s1.DIS1")};
        click("ButtonSaveDIS");

        QVERIFY(answers->errors.isEmpty());
        QCOMPARE(answers->saveRequests.size(), size_t(2));
        QCOMPARE(answers->saveRequests[1].filter, QString("*.DIS1"));
        QCOMPARE(answers->saveRequests[1].proposal, path("s1.DIS1"));
        QVERIFY(QFileInfo::exists(path("s1.DIS0")));
        QVERIFY(QFileInfo::exists(path("s1.DIS1")));
        QCOMPARE(C.FilenameDIS0, path("s1.DIS0").toStdString());
        QCOMPARE(C.FilenameDIS1, path("s1.DIS1").toStdString());
        QCOMPARE(C.Smoothness, 0.25);
        QCOMPARE(text("LabelFilenameDIS0"), path("s1.DIS0"));
        QCOMPARE(text("LabelFilenameDIS1"), path("s1.DIS1"));
        QVERIFY(enabled(firstAnalysis));
        QVERIFY(noneEnabled(secondAnalysis));

        // The first analysis's results, proposed beside the measurement; saving them unlocks
        // the second analysis.
        click("ButtonCalculationKEST1");
        click("ButtonSaveKESTResult1");
        QCOMPARE(answers->saveRequests.back().proposal, path("s1.KEST0"));
        QCOMPARE(answers->saveRequests.back().filter, QString("*.KEST0"));
        QVERIFY(noneEnabled(secondAnalysis));  // cancelled
        answers->saveAnswers = {path("s1.KEST0")};
        click("ButtonSaveKESTResult1");
        QVERIFY(QFileInfo::exists(path("s1.KEST0")));
        QCOMPARE(C.FilenameKEST0, path("s1.KEST0").toStdString());
        QVERIFY(enabled(secondAnalysis));
    }

    void saveInterpolationCancelledAtTheSecondDialog() {
        loadAndSmooth();
        answers->saveAnswers = {path("s2.DIS0")};
        click("ButtonSaveDIS");
        QCOMPARE(answers->saveRequests.size(), size_t(2));
        QVERIFY(QFileInfo::exists(path("s2.DIS0")));
        QCOMPARE(text("LabelFilenameDIS0"), path("s2.DIS0"));
        QVERIFY(text("LabelFilenameDIS1").isEmpty());
        QVERIFY(noneEnabled(firstAnalysis));
    }

    // A zero area passes the checks; the sweep then reports the division by zero and gives
    // its button back.
    void zeroAreaIsSavedAndTheSweepReportsIt() {
        loadAndSmooth();
        setText("EditArea", "0");
        answers->saveAnswers = {path("zero.DIS0"), path("zero.DIS1")};
        click("ButtonSaveDIS");
        QVERIFY(answers->errors.isEmpty());
        QCOMPARE(C.Area, 0.0);

        QSignalSpy finished(window.get(), &TFormMain::sweepFinished);
        click("ButtonPositiveEref");
        QVERIFY(finished.wait(60000));
        QCOMPARE(answers->errors, QStringList{"Floating point division by zero"});
        QVERIFY(window->ButtonPositiveEref->isEnabled());
        QVERIFY(!window->ButtonNegativeEref->isEnabled());
        QVERIFY(!window->ButtonSavePositiveEref->isEnabled());
    }

    // The five other saves: filter and proposal of their own format, beside the measured-data
    // file as loaded (only its last dot counts); a cancelled dialog writes nothing.
    void resultSavesProposeTheirOwnFile_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("extension");
        QTest::newRow("KEST0") << "ButtonSaveKESTResult1" << ".KEST0";
        QTest::newRow("KEST1") << "ButtonSaveKESTResult2" << ".KEST1";
        QTest::newRow("ErefP") << "ButtonSavePositiveEref" << ".ErefP";
        QTest::newRow("ErefN") << "ButtonSaveNegativeEref" << ".ErefN";
        QTest::newRow("Eref") << "ButtonSaveEref" << ".Eref";
    }
    void resultSavesProposeTheirOwnFile() {
        QFETCH(QString, button);
        QFETCH(QString, extension);
        loadAndSmooth("/m/run.2.DIS0");
        control(button)->setEnabled(true);
        click(button);
        QCOMPARE(answers->saveRequests.size(), size_t(1));
        QCOMPARE(answers->saveRequests[0].filter, "*" + extension);
        QCOMPARE(answers->saveRequests[0].proposal, "/m/run.2" + extension);

        answers->saveAnswers = {path("out" + extension)};
        click(button);
        QVERIFY(answers->errors.isEmpty());
        QFile written(path("out" + extension));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(written.readLine().startsWith("% Result of KEST"));
    }

    void resultSaveWithoutMeasuredFileProposesTheBareExtension() {
        control("ButtonSaveKESTResult2")->setEnabled(true);
        click("ButtonSaveKESTResult2");
        QCOMPARE(answers->saveRequests.at(0).proposal, QString(".KEST1"));
    }

    // A file that cannot be written: one error box naming it and the reason; no label, no
    // file-name field and no button takes the failed path.
    void failedWriteEnablesNothing() {
        loadAndSmooth();
        const std::string loadedName = C.FilenameDIS0;
        const QString unwritable = path("no-such-folder/s.DIS0");
        answers->saveAnswers = {unwritable};
        click("ButtonSaveDIS");
        QCOMPARE(answers->errors.size(), 1);
        QVERIFY2(answers->errors[0].startsWith(unwritable + ": "), qPrintable(answers->errors[0]));
        QVERIFY(answers->errors[0].size() > unwritable.size() + 2);
        QCOMPARE(answers->saveRequests.size(), size_t(1));
        QCOMPARE(text("LabelFilenameDIS0"), path("m.DIS0"));
        QCOMPARE(C.FilenameDIS0, loadedName);
        QVERIFY(noneEnabled(firstAnalysis));

        // The *.DIS1 file fails after the *.DIS0 file was written.
        answers->errors.clear();
        answers->saveAnswers = {path("s.DIS0"), path("no-such-folder/s.DIS1")};
        click("ButtonSaveDIS");
        QCOMPARE(answers->errors.size(), 1);
        QCOMPARE(text("LabelFilenameDIS0"), path("s.DIS0"));
        QVERIFY(text("LabelFilenameDIS1").isEmpty());
        QVERIFY(C.FilenameDIS1.empty());
        QVERIFY(noneEnabled(firstAnalysis));

        // The first analysis's results: the second analysis stays locked.
        answers->errors.clear();
        C.FilenameKEST0 = "/earlier/s.KEST0";
        control("ButtonSaveKESTResult1")->setEnabled(true);
        answers->saveAnswers = {path("no-such-folder/s.KEST0")};
        click("ButtonSaveKESTResult1");
        QCOMPARE(answers->errors.size(), 1);
        QVERIFY(answers->errors[0].startsWith(path("no-such-folder/s.KEST0") + ": "));
        QCOMPARE(C.FilenameKEST0, std::string("/earlier/s.KEST0"));
        QVERIFY(noneEnabled(secondAnalysis));
    }

    void sampleNumberLabelFollowsEveryKeystroke() {
        loadAndSmooth();
        QLineEdit *edit = control<QLineEdit>("EditSampleNumber");
        edit->clear();
        QCOMPARE(text("LabelSampleNumber"), QString());
        QString typed;
        for (QChar key : QString("B-12")) {
            QTest::keyClick(edit, key.toLatin1());
            typed += key;
            QCOMPARE(text("LabelSampleNumber"), typed);
        }
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(text("LabelSampleNumber"), QString("B-1"));
        QCOMPARE(C.SampleNumber, std::string("RT1"));  // the record follows only on saving
    }

    void printWritesOnePage() {
        loadAndSmooth();
        window->show();
        answers->printToPdf = path("window.pdf");
        window->Print1->trigger();
        QVERIFY(answers->errors.isEmpty());
        QFile pdf(path("window.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray content = pdf.readAll();
        QVERIFY(content.startsWith("%PDF"));
        const qsizetype pages = QString::fromLatin1(content).count(QRegularExpression("/Type\\s*/Page(?!s)"));
        QCOMPARE(pages, qsizetype(1));
        // The image of the window is on it.
        QVERIFY(content.contains("/Subtype /Image"));
    }

    void printSetUpCancelledPrintsNothing() {
        answers->printToPdf = path("none.pdf");
        answers->acceptPrinterSetup = false;
        window->Print1->trigger();
        QVERIFY(!QFileInfo::exists(path("none.pdf")));
        QVERIFY(answers->errors.isEmpty());
    }
};

QTEST_MAIN(SavePrintTest)
#include "save_print_test.moc"
