// The main window driven as a user drives it: named controls, mouse clicks and scripted
// dialogs, on small measurements written into a temporary folder.
#include "engine/analysis.h"
#include "engine/number_format.h"
#include "ui/common/chart.h"
#include "ui/common/dialogs.h"
#include "ui/main/main_window.h"

#include "fake_dialogs.h"
#include "measurement_fixtures.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <functional>
#include <memory>

namespace {

QString general(double value) { return QString::fromStdString(formatGeneral(value)); }

// Control groups of the enabling table, by name.
const QStringList kGroupD = {
    "ButtonRapidDecreaseShortTime", "ButtonDecreaseShortTime", "ButtonIncreaseShortTime", "ButtonRapidIncreaseShortTime",
    "ButtonRapidDecreaseLongTime", "ButtonDecreaseLongTime", "ButtonIncreaseLongTime", "ButtonRapidIncreaseLongTime",
    "ButtonDrawDIS", "ButtonRedrawDIS", "ButtonStartRapidDecreaseReliability", "ButtonStartDecreaseReliability",
    "ButtonStartIncreaseReliability", "ButtonStartRapidIncreaseReliability", "ButtonEndRapidDecreaseReliability",
    "ButtonEndDecreaseReliability", "ButtonEndIncreaseReliability", "ButtonEndRapidIncreaseReliability",
    "ButtonChangeReliability", "ButtonSmoothing", "ButtonSaveDIS"};
QStringList peakAndSaveButtons(const QString &a) {
    return {"ButtonPreviousPeak" + a + "1", "ButtonPeakLow" + a + "1", "ButtonPeakHigh" + a + "1", "ButtonNextPeak" + a + "1",
            "ButtonPreviousPeak" + a + "2", "ButtonPeakLow" + a + "2", "ButtonPeakHigh" + a + "2", "ButtonNextPeak" + a + "2",
            "ButtonSaveKESTResult" + a, "ButtonAnalysis" + a + "1", "ButtonAnalysis" + a + "2"};
}
const QList<QStringList> kButtonGroups = {
    {"ButtonDataConvert"},                                              // C
    kGroupD,                                                            // D
    {"ButtonErefLow1", "ButtonErefHigh1", "ButtonCalculationKEST1"},    // E
    {"ButtonPositiveEref"},                                             // F
    peakAndSaveButtons("1"),                                            // G
    {"ButtonErefLow2", "ButtonErefHigh2", "ButtonCalculationKEST2"},    // H
    peakAndSaveButtons("2"),                                            // I
    {"ButtonSavePositiveEref", "ButtonNegativeEref"},                   // J
    {"ButtonSaveNegativeEref", "ButtonEref"},                           // K
    {"ButtonSaveEref"},                                                 // L
};

}  // namespace

class MainWindowTest : public QObject {
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
    QString text(const QString &name) {
        if (auto *label = window->findChild<QLabel *>(name))
            return label->text();
        return control<QLineEdit>(name)->text();
    }
    void click(const QString &name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    // Runs an e_ref sweep through its button and waits until it has ended.
    void runSweep(const QString &name) {
        QSignalSpy finished(window.get(), &TFormMain::sweepFinished);
        click(name);
        if (!finished.wait(60000))
            qFatal("the sweep of %s did not end", qPrintable(name));
    }
    ChartSeries series(const QString &chart, const QString &name) { return control<Chart>(chart)->series(name); }
    QList<Chart *> charts() { return window->findChildren<Chart *>(); }

    QString writeFile(const QString &name, const QString &content) {
        const QString path = folder->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content.toUtf8()) < 0)
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    // Loads a measurement through the menu and the open dialog.
    QString loadDis0(int n, int begin, int end, const QString &name = "m.DIS0", const QString &stored = "/lab/dis/stored.DIS0") {
        const QString path = writeFile(name, dis0Text(n, begin, end, stored));
        answers->openAnswers.push_back(path);
        window->LoadDIS0->trigger();
        return path;
    }
    QString loadDis1(int m = 2001) {
        const QString path = writeFile("m.DIS1", dis1Text(m, "/lab/dis/stored.DIS0", "/lab/dis/stored.DIS1"));
        answers->openAnswers.push_back(path);
        window->LoadDIS1->trigger();
        return path;
    }
    // An interpolated curve whose KEST signal for e_ref = 0 on 1 mm^2 peaks with `peak`
    // cm^-2 at grid index k and is 0 everywhere else.
    void setCurveWithPeak(double peak, int k) {
        const int m = 3001;
        const double baseline = 0.0;  // keeps all digits of the tiny currents of small peaks
        C.Area = 1.0;
        C.NumberOfInterpolatedData = m;
        C.InterpolatedTime.resize(m);
        C.InterpolatedCurrent.resize(m);
        for (int g = 0; g < m; ++g) {
            C.InterpolatedTime[g] = std::pow(10.0, -3.0 + 0.001 * g);
            C.InterpolatedCurrent[g] = baseline;
        }
        C.InterpolatedCurrent[k] = baseline + peak * 1.6021e-19 * 0.01 / (C.InterpolatedTime[k] * std::exp(1.0));
        C.CurrentAtEnd = baseline;
    }
    // Every series of the signal chart and the six e_ref charts holds a point.
    void fillDownstreamPlots() {
        for (const char *chart : {"ChartKEST", "ChartEmissionRateP", "ChartDensityP", "ChartEmissionRateN", "ChartDensityN",
                                  "ChartEmissionRate", "ChartDensity"}) {
            Chart *c = control<Chart>(chart);
            for (int i = 0; i < c->seriesCount(); ++i)
                ChartSeries(c, c->graph(i)).add(1.0, 1.0);
        }
    }
    int downstreamPoints() {
        int points = 0;
        for (Chart *c : charts())
            if (c->objectName() != "ChartDischarge")
                for (int i = 0; i < c->seriesCount(); ++i)
                    points += c->graph(i)->dataCount();
        return points;
    }
    // "1" when every control of the group is enabled, "0" when none is, "m" when mixed.
    QChar groupState(const QStringList &names) {
        int enabled = 0;
        for (const QString &name : names)
            enabled += control<QWidget>(name)->isEnabled() ? 1 : 0;
        return enabled == names.size() ? '1' : enabled == 0 ? '0' : 'm';
    }
    // States of the groups A to L of the enabling table.
    QString workflowState() {
        QString state;
        state += window->LoadDIS0->isEnabled() ? '1' : '0';
        state += window->LoadDIS1->isEnabled() ? '1' : '0';
        for (const QStringList &group : kButtonGroups)
            state += groupState(group);
        return state;
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
    }
    void cleanup() {
        window.reset();
        setDialogs(nullptr);
    }

    void startUpState() {
        QCOMPARE(window->windowTitle(), QString("Kestometry (KEST)"));
        QCOMPARE(window->size(), QSize(946, 730));
        QCOMPARE(window->PageControlMain->currentIndex(), 0);
        const QStringList tabs = {"Discharge Curent", "KEST Signal", "Positive e_ref", "Negative e_ref", "e_ref"};
        QCOMPARE(window->PageControlMain->count(), tabs.size());
        for (int i = 0; i < tabs.size(); ++i)
            QCOMPARE(window->PageControlMain->tabText(i), tabs[i]);
        // "Filename" lies above the tabs, not on one of them.
        QVERIFY(!window->PageControlMain->isAncestorOf(control<QGroupBox>("GroupBoxFilename")));

        for (QPushButton *button : window->findChildren<QPushButton *>())
            QVERIFY2(button->isEnabled() == (button->objectName() == "ButtonDataConvert"), qPrintable(button->objectName()));
        for (QAction *action : window->findChildren<QAction *>())
            if (!action->objectName().isEmpty())
                QVERIFY2(action->isEnabled() == (action != window->LoadDIS1), qPrintable(action->objectName()));

        QCOMPARE(text("EditReliability"), QString("1"));
        QCOMPARE(text("EditSmoothness"), QString("0.001"));
        QCOMPARE(text("EditEref1"), QString("0"));
        QCOMPARE(text("EditEref2"), QString("0"));
        for (const char *label : {"LabelSampleNumber", "LabelFilenameOriginal", "LabelFilenameDIS0", "LabelFilenameDIS1"})
            QVERIFY(text(label).isEmpty());
        QCOMPARE(control<QLineEdit>("EditComment")->maxLength(), 50);
        QCOMPARE(C.Version, std::string("Version 1.00 (2007/1/23)"));
        QCOMPARE(window->SignalScale, 0.0);
        QCOMPARE(window->IndexOfStartReliability, 0);
        QCOMPARE(window->IndexOfEndReliability, 0);
    }

    // Captions as the user reads them: a typo here is a visible fault.
    void controlsCarryTheirCaptions() {
        const std::pair<const char *, const char *> buttons[] = {
            {"ButtonDataConvert", "Open Different Type of File"}, {"ButtonDrawDIS", "Draw"}, {"ButtonRedrawDIS", "Clear"},
            {"ButtonChangeReliability", "Change"}, {"ButtonSmoothing", "Calculation"}, {"ButtonSaveDIS", "Save interpolation"},
            {"ButtonRapidDecreaseShortTime", "<<"}, {"ButtonDecreaseShortTime", "<"}, {"ButtonIncreaseLongTime", ">"},
            {"ButtonEndRapidIncreaseReliability", ">>"}, {"ButtonErefLow1", "<<"}, {"ButtonErefHigh2", ">>"},
            {"ButtonCalculationKEST1", "Calculate KEST"}, {"ButtonCalculationKEST2", "Calculate KEST"},
            {"ButtonPreviousPeak12", "Previous peak"}, {"ButtonPeakLow22", "<<"}, {"ButtonPeakHigh11", ">>"},
            {"ButtonNextPeak11", "Next peak"}, {"ButtonNextPeak21", "次のピーク"}, {"ButtonNextPeak22", "Next peak"},
            {"ButtonAnalysis21", "Analysis"}, {"ButtonSaveKESTResult1", "Save results"}, {"ButtonSaveKESTResult2", "Save results"},
            {"ButtonPositiveEref", "Analysis"}, {"ButtonSavePositiveEref", "Save (*.ErefP)"}, {"ButtonNegativeEref", "Analusis"},
            {"ButtonSaveNegativeEref", "Save (*.ErefN)"}, {"ButtonEref", "Analysis"}, {"ButtonSaveEref", "Save(*.Eref)"}};
        for (const auto &[name, caption] : buttons)
            QCOMPARE(control(name)->text(), QString(caption));
        const std::pair<const char *, const char *> groups[] = {
            {"GroupBoxFilename", "Filename"}, {"GroupBoxSample", "Information on Sample"},
            {"GroupBoxTimeRange", "Change of Time  Range for Analysis"}, {"GroupBoxReliability", "Change of Reliability"},
            {"GroupBoxSmoothing", "Smoothing"}, {"GroupBoxAnalysis1", "Analysis1"}, {"GroupBoxAnalysis2", "Analysis2"},
            {"GroupBoxPeak11", "Peak1"}, {"GroupBoxPeak22", "Peak2"}, {"GroupBoxPositiveEref", "Analysis for positive e_ref"},
            {"GroupBoxNegativeEref", "Analysis for negaitve e_ref"}, {"GroupBoxEref", "Analysis using e_ref"}};
        for (const auto &[name, title] : groups)
            QCOMPARE(control<QGroupBox>(name)->title(), QString(title));
        const std::pair<QAction *, const char *> actions[] = {
            {window->LoadDIS0, "Load *.DIS0"}, {window->LoadDIS1, "Load *.DIS1"}, {window->AllClear1, "All Clear"},
            {window->Print1, "Print"}, {window->Exit1, "Exit"}, {window->Editor1, "Editor"},
            {window->About1, "Version Information"}, {window->HTMLHowToUse, "How to use this application (Web)"}};
        for (const auto &[action, caption] : actions)
            QCOMPARE(action->text(), QString(caption));
        QCOMPARE(window->File1->title(), QString("File"));
        QCOMPARE(window->View1->title(), QString("View"));
        QCOMPARE(window->Help1->title(), QString("Help"));
        QCOMPARE(control<QLabel>("LabelCaptionEmissionRate11")->text(), QString("Emssion rate"));
        QCOMPARE(control<QLabel>("LabelCaptionEmissionRate12")->text(), QString("Emission rate"));
    }

    void chartsHaveTheirAxesAndSeries() {
        struct Row {
            const char *chart, *bottom;
            bool logBottom;
            const char *left;
            bool logLeft;
            QStringList series;
        };
        const Row rows[] = {
            {"ChartDischarge", "Discharge Time [s]", true, "Discharge Current [pA]", true,
             {"Series1", "Series2", "Series3", "Series4", "Series5", "Series6"}},
            {"ChartKEST", "Discharge Time [s]", true, "KEST Signal [cm^-2]", false,
             {"Series9", "Series10", "Series11", "Series12", "Series13"}},
            {"ChartEmissionRateP", "e_ref [s^-1]", true, "Emission Rate [s^-1]", true, {"Series14"}},
            {"ChartDensityP", "e_ref [s^-1]", true, "Trap Sheet Density [cm^-2]", false, {"Series15"}},
            {"ChartEmissionRateN", "-e_ref [s]", true, "Emission Rate [s]", true, {"Series7"}},
            {"ChartDensityN", "-e_ref [s]", true, "Trap Sheet Density [cm^-2]", false, {"Series8"}},
            {"ChartEmissionRate", "e_ref [s^-1]", false, "Emission Rate [s^-1]", true, {"Series16"}},
            {"ChartDensity", "e_ref [s^-1]", false, "Trap Sheet Density [cm^-2]", false, {"Series17"}},
        };
        for (const Row &row : rows) {
            Chart *chart = control<Chart>(row.chart);
            QCOMPARE(chart->bottomTitle(), QString(row.bottom));
            QCOMPARE(chart->leftTitle(), QString(row.left));
            QCOMPARE(chart->isBottomLogarithmic(), row.logBottom);
            QCOMPARE(chart->isLeftLogarithmic(), row.logLeft);
            QCOMPARE(chart->seriesCount(), row.series.size());
            for (int i = 0; i < row.series.size(); ++i)
                QCOMPARE(chart->graph(i)->name(), row.series[i]);
        }
        const std::pair<const char *, QColor> colours[] = {
            {"Series1", Qt::red}, {"Series2", QColor(255, 0, 255)}, {"Series3", QColor(255, 255, 0)},
            {"Series4", Qt::blue}, {"Series5", QColor(0, 255, 0)}, {"Series6", Qt::black}};
        for (const auto &[name, colour] : colours)
            QCOMPARE(series("ChartDischarge", name).graph()->pen().color(), colour);
        QCOMPARE(series("ChartKEST", "Series10").graph()->scatterStyle().size(), 30.0);
        QCOMPARE(series("ChartDischarge", "Series2").graph()->scatterStyle().size(), 20.0);
    }

    // The events of the workflow in a row; each leaves the groups A to L as its row says
    // ('1' enabled, '0' disabled, '-' as before the event).
    void enablingTable() {
        struct Event {
            const char *name;
            std::function<void()> act;
            const char *expected;  // A B C D E F G H I J K L
        };
        const Event events[] = {
            {"start-up", [] {}, "101000000000"},
            {"Load *.DIS0, file read", [&] { loadDis0(500, 10, 400); }, "-111--------"},
            {"Calculation", [&] { click("ButtonSmoothing"); }, "------------"},
            {"Save interpolation, first dialog cancelled", [&] { click("ButtonSaveDIS"); }, "------------"},
            {"Save interpolation, both files saved", [&] {
                 answers->saveAnswers = {folder->filePath("s.DIS0"), folder->filePath("s.DIS1")};
                 click("ButtonSaveDIS");
             }, "----11------"},
            {"Load *.DIS1, file read", [&] { loadDis1(); }, "----11------"},
            {"Calculate KEST of Analysis1", [&] { click("ButtonCalculationKEST1"); }, "------1-----"},
            {"Save results of Analysis1, dialog cancelled", [&] { click("ButtonSaveKESTResult1"); }, "------------"},
            {"Save results of Analysis1", [&] {
                 answers->saveAnswers = {folder->filePath("s.KEST0")};
                 click("ButtonSaveKESTResult1");
             }, "-------1----"},
            {"Calculate KEST of Analysis2", [&] { click("ButtonCalculationKEST2"); }, "--------1---"},
            // On this short grid no e_ref is accepted; an empty result still unlocks the next step.
            {"Positive sweep", [&] { runSweep("ButtonPositiveEref"); }, "-----1---1--"},
            {"Negative sweep", [&] { runSweep("ButtonNegativeEref"); }, "---------11-"},
            {"Combined sweep", [&] { runSweep("ButtonEref"); }, "----------11"},
            {"Save results of Analysis2 and the three sweeps", [&] {
                 for (const char *name : {"ButtonSaveKESTResult2", "ButtonSavePositiveEref", "ButtonSaveNegativeEref", "ButtonSaveEref"}) {
                     answers->saveAnswers = {folder->filePath(QString("s.") + name)};
                     click(name);
                 }
             }, "------------"},
            {"Load *.DIS0 again", [&] { loadDis0(300, 0, 299, "other.DIS0"); }, "-111--------"},
            {"Load *.DIS1 that cannot be read", [&] {
                 answers->openAnswers.push_back(folder->filePath("missing.DIS1"));
                 window->LoadDIS1->trigger();
             }, "------------"},
            {"Load *.DIS0 that cannot be read", [&] {
                 answers->openAnswers.push_back(folder->filePath("missing.DIS0"));
                 window->LoadDIS0->trigger();
             }, "------------"},
            {"Load *.DIS0, dialog cancelled", [&] { window->LoadDIS0->trigger(); }, "------------"},
            {"All Clear", [&] { window->AllClear1->trigger(); }, "--1000000000"},
        };
        for (const Event &event : events) {
            const QString before = workflowState();
            event.act();
            QString expected = event.expected;
            for (int g = 0; g < expected.size(); ++g)
                if (expected[g] == '-')
                    expected[g] = before[g];
            QVERIFY2(workflowState() == expected,
                     qPrintable(QString("%1: %2 instead of %3").arg(event.name, workflowState(), expected)));
        }
        QCOMPARE(answers->errors.size(), 2);  // the two files that cannot be read
        QVERIFY(C.SweepEref[0].empty() && C.SweepEref[2].empty());
    }

    void allClearAfterFullAnalysis() {
        loadDis0(500, 10, 400);
        click("ButtonIncreaseShortTime");
        click("ButtonStartIncreaseReliability");
        loadDis1();
        click("ButtonCalculationKEST1");
        window->ButtonCalculationKEST2Click();
        fillDownstreamPlots();
        for (const char *name : {"ButtonSavePositiveEref", "ButtonNegativeEref", "ButtonSaveNegativeEref", "ButtonEref", "ButtonSaveEref"})
            control(name)->setEnabled(true);
        window->LabelTrapDensity11->setText("1.000E+11");
        window->LabelEmissionRate22->setText("2.000E+00");
        QVERIFY(answers->errors.isEmpty());

        window->AllClear1->trigger();

        for (QPushButton *button : window->findChildren<QPushButton *>())
            QVERIFY2(button->isEnabled() == (button->objectName() == "ButtonDataConvert"), qPrintable(button->objectName()));
        QVERIFY(window->LoadDIS0->isEnabled());
        QVERIFY(window->LoadDIS1->isEnabled());
        for (Chart *chart : charts())
            for (int i = 0; i < chart->seriesCount(); ++i)
                QVERIFY2(chart->graph(i)->data()->isEmpty(), qPrintable(chart->graph(i)->name()));
        for (QLabel *label : window->findChildren<QLabel *>())
            if (!label->objectName().startsWith("LabelCaption") && !label->objectName().startsWith("LabelUnit") &&
                !label->objectName().startsWith("LabelHint"))
                QVERIFY2(label->text().isEmpty(), qPrintable(label->objectName()));
        for (const char *edit : {"EditDateOfMeasurement", "EditSampleNumber", "EditArea", "EditComment"})
            QVERIFY(text(edit).isEmpty());
        QCOMPARE(text("EditReliability"), QString("1"));
        QCOMPARE(text("EditSmoothness"), QString("0.001"));
        QCOMPARE(text("EditEref1"), QString("0"));
        QCOMPARE(C.NumberOfData, 0);
        QCOMPARE(C.Area, 1.0);
        QVERIFY(C.FilenameDIS0.empty());
    }

    void loadShowsTheMeasurement() {
        window->EditSmoothness->setText("0.5");
        window->EditReliability->setText("0.2");
        const QString path = loadDis0(500, 10, 400, "chosen.DIS0", "/a/x.DIS0");

        QCOMPARE(answers->openRequests.size(), size_t(1));
        QCOMPARE(answers->openRequests[0].filter, QString("DIS0ファイル|*.DIS0|DIS1ファイル|*.DIS1"));
        QCOMPARE(answers->openRequests[0].filterIndex, 0);
        QVERIFY(answers->errors.isEmpty());

        QCOMPARE(text("LabelBegin"), general(fixtureTime(10)));
        QCOMPARE(text("LabelR1"), general(fixtureTime(10)));
        QCOMPARE(text("LabelEnd"), general(fixtureTime(400)));
        QCOMPARE(text("LabelR2"), general(fixtureTime(400)));
        QCOMPARE(text("LabelBegin"), QString("0.011"));
        QCOMPARE(window->IndexOfStartReliability, 10);
        QCOMPARE(window->IndexOfEndReliability, 400);

        // The path chosen, not the one stored in the file; the file's original name.
        QCOMPARE(text("LabelFilenameDIS0"), path);
        QCOMPARE(C.FilenameDIS0, std::string("/a/x.DIS0"));
        QCOMPARE(text("LabelFilenameOriginal"), QString("/raw/run7.txt"));
        QCOMPARE(text("LabelSampleNumber"), QString("RT1"));
        QCOMPARE(text("EditSampleNumber"), QString("RT1"));
        QCOMPARE(text("EditNameOfMeasurement"), QString("K. Sato"));
        QCOMPARE(text("EditArea"), QString("0.785"));
        QCOMPARE(text("EditTemperature"), QString("293.15"));
        QCOMPARE(text("EditDischargeVoltage"), QString("-0.5"));
        QCOMPARE(text("EditComment"), QString("note on the run"));
        QCOMPARE(text("EditSmoothness"), QString("0.001"));
        QCOMPARE(text("EditReliability"), QString("1"));

        // All points, not only the range; the current in pA; no markers, no curve.
        ChartSeries measured = series("ChartDischarge", "Series1");
        QCOMPARE(measured.count(), 500);
        QCOMPARE(measured.graph()->data()->at(0)->key, 0.001);
        QCOMPARE(measured.graph()->data()->at(0)->value, 2.5);
        for (const char *marker : {"Series2", "Series3", "Series4", "Series5", "Series6"})
            QCOMPARE(series("ChartDischarge", marker).count(), 0);

        // "Load *.DIS1" proposes the name stored in the file with the new extension.
        window->LoadDIS1->trigger();
        QCOMPARE(answers->openRequests.size(), size_t(2));
        QCOMPARE(answers->openRequests[1].filterIndex, 1);
        QCOMPARE(answers->openRequests[1].proposal, QString("/a/x.DIS1"));
    }

    // At most 50 characters can be typed, but a longer comment read from a file is shown
    // whole, so that saving the measurement again keeps it.
    void longLoadedCommentIsKeptWhole() {
        const QString comment = "synthetic: traps 1E12 cm^-2 at 1 s^-1 and 2E12 cm^-2 at 0.01 s^-1";
        const QString path = writeFile("long.DIS0", dis0Text(20, 0, 19, "/x.DIS0").replace("% note on the run", "% " + comment));
        answers->openAnswers.push_back(path);
        window->LoadDIS0->trigger();
        QLineEdit *edit = control<QLineEdit>("EditComment");
        QCOMPARE(edit->text(), comment);
        edit->end(false);
        QTest::keyClicks(edit, "xyz");
        QCOMPARE(edit->text(), comment);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), comment.chopped(1));
        edit->clear();
        QTest::keyClicks(edit, QString(60, 'a'));
        QCOMPARE(edit->text(), QString(50, 'a'));
    }

    // A path given at start-up loads as through "Load *.DIS0", and the open dialog then
    // proposes it.
    void openDis0AsFromTheCommandLine() {
        const QString path = writeFile("start.DIS0", dis0Text(30, 0, 29, "/x.DIS0"));
        QVERIFY(window->OpenDIS0(path));
        QCOMPARE(text("LabelFilenameDIS0"), path);
        QCOMPARE(series("ChartDischarge", "Series1").count(), 30);
        QVERIFY(window->LoadDIS1->isEnabled());
        window->LoadDIS0->trigger();
        QCOMPARE(answers->openRequests.back().proposal, path);

        QVERIFY(!window->OpenDIS0(folder->filePath("missing.DIS0")));
        QCOMPARE(answers->errors.size(), 1);
        QCOMPARE(text("LabelFilenameDIS0"), path);
    }

    void loadDis1ShowsTheCurve() {
        loadDis0(500, 10, 400);
        const QString sampleShown = text("EditSampleNumber");
        const QString path = loadDis1(2001);
        QVERIFY(answers->errors.isEmpty());
        QCOMPARE(text("LabelFilenameDIS1"), path);
        ChartSeries curve = series("ChartDischarge", "Series6");
        QCOMPARE(curve.count(), 2001);
        // The current as the file holds it (6 digits), in pA.
        const double firstCurrent = QString::number(1e-9 * std::exp(-10.0 * 0.001) + 1e-13, 'g', 6).toDouble();
        QCOMPARE(curve.graph()->data()->at(0)->value, firstCurrent * 1e12);
        QCOMPARE(text("EditSampleNumber"), sampleShown);
    }

    // A file that cannot be read leaves the record and the window as they were and says
    // once which file and what is wrong.
    void failedLoadChangesNothing_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing file") << QString() << "cannot open";
        QTest::newRow("header value not a number")
            << dis0Text(300, 0, 299, "/x.DIS0").replace("Junction area [mm^2]: 0.785", "Junction area [mm^2]: abc")
            << "'abc' is not a valid floating point value";
        QTest::newRow("range outside the data") << dis0Text(300, 0, 300, "/x.DIS0") << "analysed range";
        QTest::newRow("fewer points than announced")
            << dis0Text(300, 0, 299, "/x.DIS0").replace("% Number of data: 300", "% Number of data: 310") << "ends after";
    }
    void failedLoadChangesNothing() {
        QFETCH(QString, content);
        QFETCH(QString, problem);
        const QString good = loadDis0(500, 10, 400);
        click("ButtonRapidIncreaseShortTime");
        const Analysis before = C;
        const QString original = QString::fromStdString(FilenameOriginal);
        const QString state = workflowState();
        const QString labelBegin = text("LabelBegin");

        const QString bad = content.isEmpty() ? folder->filePath("missing.DIS0") : writeFile("bad.DIS0", content);
        answers->openAnswers.push_back(bad);
        window->LoadDIS0->trigger();

        QCOMPARE(answers->errors.size(), 1);
        QVERIFY2(answers->errors[0].startsWith(bad + ": "), qPrintable(answers->errors[0]));
        QVERIFY2(answers->errors[0].contains(problem), qPrintable(answers->errors[0]));
        QCOMPARE(C.FilenameDIS0, before.FilenameDIS0);
        QCOMPARE(C.NumberOfData, before.NumberOfData);
        QCOMPARE(C.IndexOfBeginning, before.IndexOfBeginning);
        QCOMPARE(C.Area, before.Area);
        QCOMPARE(C.Time, before.Time);
        QCOMPARE(QString::fromStdString(FilenameOriginal), original);
        QCOMPARE(text("LabelFilenameDIS0"), good);
        QCOMPARE(text("LabelBegin"), labelBegin);
        QCOMPARE(text("EditArea"), QString("0.785"));
        QCOMPARE(series("ChartDischarge", "Series1").count(), 500);
        QCOMPARE(series("ChartDischarge", "Series2").count(), 1);
        QCOMPARE(workflowState(), state);
    }

    void failedDis1LoadEnablesNothing() {
        loadDis0(500, 10, 400);
        const std::string dis1Before = C.FilenameDIS1;
        const QString bad = writeFile("bad.DIS1", dis1Text(50, "/a.DIS0", "/a.DIS1").replace("% Number of interpolated data: 50",
                                                                                              "% Number of interpolated data: x"));
        answers->openAnswers.push_back(bad);
        window->LoadDIS1->trigger();
        QCOMPARE(answers->errors.size(), 1);
        QVERIFY2(answers->errors[0].startsWith(bad + ": "), qPrintable(answers->errors[0]));
        QCOMPARE(C.FilenameDIS1, dis1Before);
        QVERIFY(text("LabelFilenameDIS1").isEmpty());
        for (const char *name : {"ButtonErefLow1", "ButtonErefHigh1", "ButtonCalculationKEST1", "ButtonPositiveEref"})
            QVERIFY(!control(name)->isEnabled());
        QCOMPARE(series("ChartDischarge", "Series6").count(), 0);
    }

    void stepperBounds_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<bool>("movesFirst");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("marker");
        // Shortest Time: bounded by 0 and by IndexOfEnding - 1.
        QTest::newRow("<< from 10 stops at 0") << "ButtonRapidDecreaseShortTime" << 10 << 500 << true << 0 << "Series2";
        QTest::newRow("< at 0 stays") << "ButtonDecreaseShortTime" << 0 << 500 << true << 0 << "Series2";
        QTest::newRow("> by one") << "ButtonIncreaseShortTime" << 40 << 500 << true << 41 << "Series2";
        QTest::newRow(">> from 40 below 50") << "ButtonRapidIncreaseShortTime" << 40 << 50 << true << 49 << "Series2";
        QTest::newRow(">> by 25") << "ButtonRapidIncreaseShortTime" << 40 << 500 << true << 65 << "Series2";
        // Longest Time: bounded by IndexOfBeginning + 1 and by N - 1.
        QTest::newRow("<< from 50 above 40") << "ButtonRapidDecreaseLongTime" << 40 << 50 << false << 41 << "Series3";
        QTest::newRow("< onto the beginning") << "ButtonDecreaseLongTime" << 40 << 41 << false << 41 << "Series3";
        QTest::newRow("> at the last point stays") << "ButtonIncreaseLongTime" << 0 << 999 << false << 999 << "Series3";
        QTest::newRow(">> from 990 stops at 999") << "ButtonRapidIncreaseLongTime" << 0 << 990 << false << 999 << "Series3";
        // The reliability sub-range, the same rules on its own indexes.
        QTest::newRow("start << from 10") << "ButtonStartRapidDecreaseReliability" << 10 << 500 << true << 0 << "Series4";
        QTest::newRow("start < by one") << "ButtonStartDecreaseReliability" << 10 << 500 << true << 9 << "Series4";
        QTest::newRow("start > onto the end") << "ButtonStartIncreaseReliability" << 49 << 50 << true << 49 << "Series4";
        QTest::newRow("start >> below 50") << "ButtonStartRapidIncreaseReliability" << 40 << 50 << true << 49 << "Series4";
        QTest::newRow("end << above 40") << "ButtonEndRapidDecreaseReliability" << 40 << 50 << false << 41 << "Series5";
        QTest::newRow("end < by one") << "ButtonEndDecreaseReliability" << 40 << 50 << false << 49 << "Series5";
        QTest::newRow("end > at 999 stays") << "ButtonEndIncreaseReliability" << 40 << 999 << false << 999 << "Series5";
        QTest::newRow("end >> from 990") << "ButtonEndRapidIncreaseReliability" << 40 << 990 << false << 999 << "Series5";
    }
    void stepperBounds() {
        QFETCH(QString, button);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(bool, movesFirst);
        QFETCH(int, expected);
        QFETCH(QString, marker);
        loadDis0(1000, 0, 999);
        const bool reliability = button.contains("Reliability");
        std::int32_t &firstIndex = reliability ? window->IndexOfStartReliability : C.IndexOfBeginning;
        std::int32_t &lastIndex = reliability ? window->IndexOfEndReliability : C.IndexOfEnding;
        firstIndex = first;
        lastIndex = last;
        ChartSeries curve = series("ChartDischarge", "Series6");
        curve.add(0.5, 1.0);
        fillDownstreamPlots();
        const int downstream = downstreamPoints();

        click(button);

        QCOMPARE(movesFirst ? firstIndex : lastIndex, expected);
        QCOMPARE(movesFirst ? lastIndex : firstIndex, movesFirst ? last : first);
        ChartSeries moved = series("ChartDischarge", marker);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.graph()->data()->at(0)->key, fixtureTime(expected));
        QCOMPARE(moved.graph()->data()->at(0)->value, fixtureCurrent(expected) * 1e12);
        const char *label = marker == "Series2" ? "LabelBegin" : marker == "Series3" ? "LabelEnd" : marker == "Series4" ? "LabelR1" : "LabelR2";
        QCOMPARE(text(label), general(fixtureTime(expected)));
        // Only the reliability steppers take the interpolated curve off; none touches the rest.
        QCOMPARE(curve.count(), reliability ? 0 : 1);
        QCOMPARE(series("ChartDischarge", "Series1").count(), 1000);
        QCOMPARE(downstreamPoints(), downstream);
    }

    void changeSetsTheWeightsOfTheSubRange() {
        loadDis0(20, 0, 19);
        window->IndexOfStartReliability = 5;
        window->IndexOfEndReliability = 7;
        series("ChartDischarge", "Series6").add(0.5, 1.0);
        fillDownstreamPlots();

        window->EditReliability->setText("0.01");
        click("ButtonChangeReliability");

        for (int i = 0; i < 20; ++i)
            QCOMPARE(C.Reliability[i], i >= 5 && i <= 7 ? 0.01 : 1.0);
        QCOMPARE(series("ChartDischarge", "Series6").count(), 0);
        QCOMPARE(downstreamPoints(), 0);
        QVERIFY(answers->errors.isEmpty());
    }

    void changeWithLettersChangesNothing() {
        loadDis0(20, 0, 19);
        window->IndexOfStartReliability = 5;
        window->IndexOfEndReliability = 7;
        series("ChartDischarge", "Series6").add(0.5, 1.0);
        fillDownstreamPlots();
        const int downstream = downstreamPoints();

        window->EditReliability->setText("abc");
        click("ButtonChangeReliability");

        QCOMPARE(answers->errors, QStringList{"'abc' is not a valid floating point value"});
        for (int i = 0; i < 20; ++i)
            QCOMPARE(C.Reliability[i], 1.0);
        QCOMPARE(series("ChartDischarge", "Series6").count(), 1);
        QCOMPARE(downstreamPoints(), downstream);
    }

    void drawShowsTheRangeAndClearTheWhole() {
        loadDis0(500, 0, 499);
        click("ButtonStartIncreaseReliability");
        click("ButtonEndDecreaseReliability");
        const QString r1 = text("LabelR1"), r2 = text("LabelR2");
        C.IndexOfBeginning = 100;
        C.IndexOfEnding = 200;
        click("ButtonIncreaseShortTime");
        click("ButtonDecreaseShortTime");
        series("ChartDischarge", "Series6").add(0.5, 1.0);
        fillDownstreamPlots();

        click("ButtonDrawDIS");
        QCOMPARE(series("ChartDischarge", "Series1").count(), 101);
        QCOMPARE(series("ChartDischarge", "Series1").graph()->data()->at(0)->key, fixtureTime(100));
        for (const char *name : {"Series2", "Series3", "Series4", "Series5", "Series6"})
            QCOMPARE(series("ChartDischarge", name).count(), 0);
        QCOMPARE(downstreamPoints(), 0);
        QCOMPARE(C.IndexOfBeginning, 100);
        QCOMPARE(text("LabelBegin"), general(fixtureTime(100)));

        fillDownstreamPlots();
        C.Reliability[3] = 0.25;
        click("ButtonRedrawDIS");
        QCOMPARE(C.IndexOfBeginning, 0);
        QCOMPARE(C.IndexOfEnding, 499);
        QCOMPARE(text("LabelBegin"), general(fixtureTime(0)));
        QCOMPARE(text("LabelEnd"), general(fixtureTime(499)));
        QCOMPARE(series("ChartDischarge", "Series1").count(), 500);
        QCOMPARE(series("ChartDischarge", "Series4").count(), 0);
        QCOMPARE(downstreamPoints(), 0);
        QCOMPARE(text("LabelR1"), r1);
        QCOMPARE(text("LabelR2"), r2);
        QCOMPARE(window->IndexOfStartReliability, 1);
        QCOMPARE(window->IndexOfEndReliability, 498);
        QCOMPARE(C.Reliability[3], 0.25);
    }

    void erefSteppingUpFromZero() {
        window->ButtonErefHigh1->setEnabled(true);
        window->ButtonErefLow1->setEnabled(true);
        window->EditEref1->setText("0.5");  // typed, not calculated: the stored 0 steps
        QStringList shown;
        for (int press = 0; press < 42; ++press) {
            click("ButtonErefHigh1");
            shown << text("EditEref1");
        }
        QCOMPARE(shown[0], QString("0.0001"));
        QCOMPARE(shown[1], QString("0.000125892541179417"));
        QCOMPARE(shown[2], QString("0.000158489319246111"));
        QCOMPARE(shown[39], QString("0.794328234724286"));
        QCOMPARE(shown[40], QString("0.99"));
        QCOMPARE(shown[41], QString("0.99"));
        QCOMPARE(C.Eref[0], 0.99);
        click("ButtonErefLow1");
        QCOMPARE(text("EditEref1"), QString("0.786384952377039"));
        QCOMPARE(C.Eref[1], 0.0);
    }

    void erefSteppingTable_data() {
        QTest::addColumn<double>("stored");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("expected");
        QTest::newRow("<< from 0") << 0.0 << false << "-0.0001";
        QTest::newRow("<< from 0.0001") << 0.0001 << false << "0";
        QTest::newRow("<< from 5") << 5.0 << false << "3.97164117362141";
        QTest::newRow(">> from 5") << 5.0 << true << "0.99";
        QTest::newRow("<< from -0.794328234724286") << -0.794328234724286 << false << "-0.99";
        QTest::newRow("<< from -0.99") << -0.99 << false << "-0.99";
        QTest::newRow(">> from -0.0001") << -0.0001 << true << "0";
        QTest::newRow(">> from -0.99") << -0.99 << true << "-0.786384952377039";
        QTest::newRow(">> from -5") << -5.0 << true << "-3.97164117362141";
    }
    void erefSteppingTable() {
        QFETCH(double, stored);
        QFETCH(bool, up);
        QFETCH(QString, expected);
        for (const char *name : {"ButtonErefLow2", "ButtonErefHigh2"})
            control(name)->setEnabled(true);
        C.Eref[1] = stored;
        fillDownstreamPlots();
        click(up ? "ButtonErefHigh2" : "ButtonErefLow2");
        QCOMPARE(text("EditEref2"), expected);
        QCOMPARE(general(C.Eref[1]), expected);
        QCOMPARE(downstreamPoints(), 0);
    }

    void erefSteppingDownToTheMostNegative() {
        window->ButtonErefLow1->setEnabled(true);
        for (int press = 0; press < 41; ++press)
            click("ButtonErefLow1");
        QCOMPARE(text("EditEref1"), QString("-0.99"));
    }

    void calculateKestScalesTheSignal_data() {
        QTest::addColumn<double>("maximum");
        QTest::addColumn<int>("exponent");
        QTest::addColumn<double>("plotted");
        QTest::newRow("2e12") << 2e12 << 12 << 2.0;
        QTest::newRow("9.99e11") << 9.99e11 << 11 << 9.99;
        QTest::newRow("0.5") << 0.5 << -1 << 5.0;
    }
    void calculateKestScalesTheSignal() {
        QFETCH(double, maximum);
        QFETCH(int, exponent);
        QFETCH(double, plotted);
        const int peakIndex = 1234;
        setCurveWithPeak(maximum, peakIndex);
        window->ButtonCalculationKEST1->setEnabled(true);
        series("ChartKEST", "Series12").add(0.5, 1.0);
        series("ChartKEST", "Series13").add(0.5, 1.0);
        series("ChartDensityP", "Series15").add(0.5, 1.0);
        window->LabelTrapDensity11->setText("1.000E+11");

        click("ButtonCalculationKEST1");

        QVERIFY2(answers->errors.isEmpty(), qPrintable(answers->errors.join("; ")));
        QCOMPARE(control<Chart>("ChartKEST")->leftTitle(), QString("KEST信号  [x1E%1 cm^-2]").arg(exponent));
        QCOMPARE(window->SignalScale, std::pow(10.0, exponent));
        ChartSeries signal = series("ChartKEST", "Series9");
        QCOMPARE(signal.count(), 3001);
        QCOMPARE(signal.graph()->data()->at(peakIndex)->value, plotted);
        QCOMPARE(signal.graph()->data()->at(0)->key, C.InterpolatedTime[0]);
        QCOMPARE(C.IndexOfPeak[0], peakIndex);
        QCOMPARE(C.IndexOfPeak[1], peakIndex);
        QCOMPARE(C.TimeOfPeak[0][0], C.InterpolatedTime[peakIndex]);
        QCOMPARE(C.TimeOfPeak[0][1], C.TimeOfPeak[0][0]);
        QCOMPARE(C.SignalOfPeak[0][1], C.Signal[0][peakIndex]);
        for (const char *marker : {"Series10", "Series11"}) {
            ChartSeries m = series("ChartKEST", marker);
            QCOMPARE(m.count(), 1);
            QCOMPARE(m.graph()->data()->at(0)->key, C.InterpolatedTime[peakIndex]);
            QCOMPARE(m.graph()->data()->at(0)->value, plotted);
        }
        QCOMPARE(series("ChartKEST", "Series12").count(), 0);
        QCOMPARE(series("ChartKEST", "Series13").count(), 0);
        // Not emptied by Calculate: the e_ref charts and the result labels.
        QCOMPARE(series("ChartDensityP", "Series15").count(), 1);
        QCOMPARE(text("LabelTrapDensity11"), QString("1.000E+11"));
        for (const QString &name : peakAndSaveButtons("1"))
            QVERIFY(control(name)->isEnabled());
        for (const QString &name : peakAndSaveButtons("2"))
            QVERIFY(!control(name)->isEnabled());
    }

    // A signal that cannot be computed, or one without a peak, is reported and changes no chart.
    void calculateKestFailureChangesNoChart_data() {
        QTest::addColumn<double>("area");
        QTest::addColumn<double>("peak");
        QTest::newRow("electrode area 0") << 0.0 << 1e12;
        QTest::newRow("no positive value") << 1.0 << 0.0;
    }
    void calculateKestFailureChangesNoChart() {
        QFETCH(double, area);
        QFETCH(double, peak);
        setCurveWithPeak(peak, 100);
        C.Area = area;
        window->ButtonCalculationKEST1->setEnabled(true);
        series("ChartKEST", "Series9").add(0.5, 1.0);
        series("ChartKEST", "Series10").add(0.5, 1.0);
        window->SignalScale = 1000.0;

        click("ButtonCalculationKEST1");

        QCOMPARE(answers->errors.size(), 1);
        QCOMPARE(series("ChartKEST", "Series9").count(), 1);
        QCOMPARE(series("ChartKEST", "Series10").count(), 1);
        QCOMPARE(control<Chart>("ChartKEST")->leftTitle(), QString("KEST Signal [cm^-2]"));
        QCOMPARE(window->SignalScale, 1000.0);
        for (const QString &name : peakAndSaveButtons("1"))
            QVERIFY(!control(name)->isEnabled());
    }

    void calculateKestRejectsAnEntryThatIsNotANumber() {
        window->ButtonCalculationKEST2->setEnabled(true);
        C.Eref[1] = 0.25;
        window->EditEref2->setText("1e");
        click("ButtonCalculationKEST2");
        QCOMPARE(answers->errors, QStringList{"'1e' is not a valid floating point value"});
        QCOMPARE(C.Eref[1], 0.25);
    }

    void smoothingDrawsTheCurveAndEmptiesTheDownstreamPlots() {
        loadDis0(80, 0, 79);
        fillDownstreamPlots();
        click("ButtonSmoothing");
        QVERIFY2(answers->errors.isEmpty(), qPrintable(answers->errors.join("; ")));
        QCOMPARE(C.Smoothness, 0.001);
        ChartSeries curve = series("ChartDischarge", "Series6");
        QCOMPARE(curve.count(), C.NumberOfInterpolatedData);
        QCOMPARE(curve.graph()->data()->at(0)->value, C.InterpolatedCurrent[0] * 1e12);
        QCOMPARE(downstreamPoints(), 0);
    }

    void smoothingFailureChangesNoChart_data() {
        QTest::addColumn<QString>("smoothness");
        QTest::addColumn<double>("stored");
        QTest::newRow("not a number") << "0.0o1" << 0.001;
        QTest::newRow("zero") << "0" << 0.0;
    }
    void smoothingFailureChangesNoChart() {
        QFETCH(QString, smoothness);
        QFETCH(double, stored);
        loadDis0(80, 0, 79);
        series("ChartDischarge", "Series6").add(0.5, 1.0);
        fillDownstreamPlots();
        const int downstream = downstreamPoints();
        window->EditSmoothness->setText(smoothness);
        click("ButtonSmoothing");
        QCOMPARE(answers->errors.size(), 1);
        QCOMPARE(C.Smoothness, stored);
        QCOMPARE(series("ChartDischarge", "Series6").count(), 1);
        QCOMPARE(downstreamPoints(), downstream);
    }

    void exitClosesTheWindow() {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QSignalSpy closed(window.get(), &TFormMain::closed);
        window->Exit1->trigger();
        QVERIFY(!window->isVisible());
        QCOMPARE(closed.count(), 1);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
