// The signal tab's peak buttons and the three e_ref tabs, driven through their named
// controls: marker moves on small hand-made signals, "Analysis", and the sweeps with their
// enabling chain, progress dialog, Cancel and failures.
#include "engine/analysis.h"
#include "engine/number_format.h"
#include "ui/common/chart.h"
#include "ui/common/dialogs.h"
#include "ui/main/main_window.h"

#include "fake_dialogs.h"
#include "measurement_fixtures.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>
#include <vector>

namespace {

QString scientific(double value) { return QString::fromStdString(formatScientific(value, 3)); }

// The points of a series as (x, y) pairs.
std::vector<std::pair<double, double>> pointsOf(const ChartSeries &series) {
    std::vector<std::pair<double, double>> points;
    for (auto it = series.graph()->data()->constBegin(); it != series.graph()->data()->constEnd(); ++it)
        points.emplace_back(it->key, it->value);
    return points;
}

constexpr int kSweepWait_ms = 60000;

}  // namespace

class PeakAndSweepTest : public QObject {
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
    ChartSeries series(const QString &chart, const QString &name) { return control<Chart>(chart)->series(name); }

    QString writeFile(const QString &name, const QString &content) {
        const QString path = folder->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content.toUtf8()) < 0)
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    // Loads an interpolated curve through the menu: a decay at 10 s^-1 on m grid points
    // from 1 ms, whose signal peaks near 0.1 s for every e_ref of the sweeps.
    void loadDis1(int m, const QString &name = "m.DIS1") {
        answers->openAnswers.push_back(writeFile(name, dis1Text(m, "/lab/stored.DIS0", "/lab/stored.DIS1")));
        window->LoadDIS1->setEnabled(true);
        window->LoadDIS1->trigger();
    }

    // A hand-made signal for analysis a on a grid of its length, 0.001 decade per index;
    // the signal tab's buttons of that analysis enabled as "Calculate KEST" leaves them.
    void setSignal(int a, const std::vector<double> &values) {
        const int n = static_cast<int>(values.size());
        C.NumberOfInterpolatedData = n;
        C.InterpolatedTime.resize(n);
        for (int i = 0; i < n; ++i)
            C.InterpolatedTime[i] = std::pow(10.0, -3.0 + 0.001 * i);
        C.Signal[a].resize(n);
        for (int i = 0; i < n; ++i)
            C.Signal[a][i] = values[i];
        const QString digit = QString::number(a + 1);
        for (const char *caption : {"ButtonPreviousPeak", "ButtonPeakLow", "ButtonPeakHigh", "ButtonNextPeak", "ButtonAnalysis"})
            for (const char *slot : {"1", "2"})
                control(caption + digit + QString(slot))->setEnabled(true);
    }

    // Runs a sweep through its button and waits until it has ended.
    void runSweep(const QString &button, int mode) {
        QSignalSpy finished(window.get(), &TFormMain::sweepFinished);
        click(button);
        QVERIFY(finished.count() == 1 || finished.wait(kSweepWait_ms));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), mode);
    }
    void checkButtonGivenBack(const QString &name) {
        QPushButton *button = control(name);
        QVERIFY2(button->isEnabled(), qPrintable(name));
        QVERIFY2(!button->testAttribute(Qt::WA_SetCursor), qPrintable(name));
        QVERIFY(!window->isSweepRunning());
        QVERIFY(!window->findChild<QProgressDialog *>("ProgressDialogSweep"));
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
        window->SignalScale = 10.0;
    }
    void cleanup() {
        window.reset();
        setDialogs(nullptr);
    }

    // Each moving button works on its own analysis's signal and its own peak slot; the
    // other analysis gets a signal where every search would end elsewhere.
    void peakSearchButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<std::vector<double>>("signal");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("expected");
        const std::vector<double> twoPeaks = {0, 1, 3, 2, 1, 2, 4, 5, 3, 1, 0, 0};
        QTest::newRow("next: over the valley to the next maximum") << "ButtonNextPeak11" << twoPeaks << 2 << 7;
        QTest::newRow("previous: back over the valley") << "ButtonPreviousPeak12" << twoPeaks << 7 << 2;
        QTest::newRow("next: flat top, its first point")
            << "ButtonNextPeak21" << std::vector<double>{3, 1, 2, 4, 4, 4, 1, 0, 1, 0} << 0 << 3;
        QTest::newRow("next: one-point rise, the valley bottom")
            << "ButtonNextPeak22" << std::vector<double>{3, 2, 1, 2, 2, 0, 0, 5, 6, 0} << 0 << 2;
        QTest::newRow("next: no rise, n - 2") << "ButtonNextPeak12" << std::vector<double>{5, 4, 3, 2, 1, 9} << 0 << 4;
        QTest::newRow("previous: no rise, index 1") << "ButtonPreviousPeak21" << std::vector<double>{9, 1, 2, 3, 4, 5} << 5 << 1;
        QTest::newRow("next: at n - 1 stays") << "ButtonNextPeak11" << std::vector<double>{0, 1, 2, 3} << 3 << 3;
        QTest::newRow("previous: at 0 stays") << "ButtonPreviousPeak22" << std::vector<double>{3, 2, 1, 0} << 0 << 0;
        QTest::newRow("previous: up a flank to its top") << "ButtonPreviousPeak11" << std::vector<double>{0, 4, 3, 2, 1, 0} << 5 << 1;
    }
    void peakSearchButtons() {
        QFETCH(QString, button);
        QFETCH(std::vector<double>, signal);
        QFETCH(int, from);
        QFETCH(int, expected);
        const int a = button.at(button.size() - 2).digitValue() - 1;
        const int p = button.at(button.size() - 1).digitValue() - 1;
        setSignal(1 - a, std::vector<double>(signal.size(), 0.0));
        setSignal(a, signal);
        C.IndexOfPeak = {from, from};

        click(button);

        QCOMPARE(C.IndexOfPeak[p], expected);
        QCOMPARE(C.IndexOfPeak[1 - p], from);
        QCOMPARE(C.TimeOfPeak[a][p], C.InterpolatedTime[expected]);
        QCOMPARE(C.SignalOfPeak[a][p], signal[expected]);
        QCOMPARE(C.TimeOfPeak[1 - a][p], 0.0);
        const auto marker = pointsOf(series("ChartKEST", p == 0 ? "Series10" : "Series11"));
        QCOMPARE(marker.size(), size_t(1));
        QCOMPARE(marker[0].first, C.InterpolatedTime[expected]);
        QCOMPARE(marker[0].second, signal[expected] / 10.0);
        QCOMPARE(series("ChartKEST", p == 0 ? "Series11" : "Series10").count(), 0);
        QVERIFY(answers->errors.isEmpty());
    }

    void peakStepsOfHundredIndexesClamp_data() {
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<int>("from");
        QTest::addColumn<QList<int>>("indexes");
        const int n = 400;
        QTest::newRow("<< at 50 goes to 0") << QStringList{"ButtonPeakLow11"} << 50 << QList<int>{0};
        QTest::newRow(">> at n - 30 goes to n - 1") << QStringList{"ButtonPeakHigh22"} << n - 30 << QList<int>{n - 1};
        QTest::newRow("twice << and twice >> without clamping")
            << QStringList{"ButtonPeakLow12", "ButtonPeakLow12", "ButtonPeakHigh12", "ButtonPeakHigh12"} << 250
            << QList<int>{150, 50, 150, 250};
        QTest::newRow("twice << and twice >> with clamping")
            << QStringList{"ButtonPeakLow21", "ButtonPeakLow21", "ButtonPeakHigh21", "ButtonPeakHigh21"} << 150
            << QList<int>{50, 0, 100, 200};
    }
    void peakStepsOfHundredIndexesClamp() {
        QFETCH(QStringList, buttons);
        QFETCH(int, from);
        QFETCH(QList<int>, indexes);
        std::vector<double> ramp(400);
        for (std::size_t i = 0; i < ramp.size(); ++i)
            ramp[i] = 1.0 + static_cast<double>(i);
        setSignal(0, ramp);
        setSignal(1, ramp);
        C.IndexOfPeak = {from, from};
        for (int k = 0; k < buttons.size(); ++k) {
            const QString &button = buttons[k];
            const int a = button.at(button.size() - 2).digitValue() - 1;
            const int p = button.at(button.size() - 1).digitValue() - 1;
            click(button);
            QCOMPARE(C.IndexOfPeak[p], indexes[k]);
            QCOMPARE(C.SignalOfPeak[a][p], ramp[static_cast<std::size_t>(indexes[k])]);
            QCOMPARE(pointsOf(series("ChartKEST", p == 0 ? "Series10" : "Series11")).at(0).second, ramp[static_cast<std::size_t>(indexes[k])] / 10.0);
        }
    }

    // Right after "Calculate KEST" both slots stand on the same maximum: both evaluations
    // give the same numbers and the same curve, peaking at the marker.
    void analysisRightAfterCalculateGivesIdenticalSlots() {
        loadDis1(3001);
        for (int a = 0; a < 2; ++a) {
            const QString n = QString::number(a + 1);
            (a == 0 ? window->EditEref1 : window->EditEref2)->setText(a == 0 ? "0" : "0.5");
            control("ButtonCalculationKEST" + n)->setEnabled(true);
            click("ButtonCalculationKEST" + n);
            click("ButtonAnalysis" + n + "1");
            click("ButtonAnalysis" + n + "2");
            QVERIFY(answers->errors.isEmpty());

            const double t = C.TimeOfPeak[a][0];
            const double e = C.Eref[a];
            QCOMPARE(control<QLabel>("LabelEmissionRate" + n + "1")->text(), scientific((1.0 - e * t) / t));
            QCOMPARE(control<QLabel>("LabelTrapDensity" + n + "1")->text(), scientific(C.SignalOfPeak[a][0] / (1.0 - e * t)));
            QCOMPARE(control<QLabel>("LabelTrapDensity" + n + "2")->text(), control<QLabel>("LabelTrapDensity" + n + "1")->text());
            QCOMPARE(control<QLabel>("LabelEmissionRate" + n + "2")->text(), control<QLabel>("LabelEmissionRate" + n + "1")->text());
            QVERIFY(QRegularExpression("^\\d\\.\\d{3}E[+-]\\d{2}$").match(control<QLabel>("LabelTrapDensity" + n + "1")->text()).hasMatch());

            const auto red = pointsOf(series("ChartKEST", "Series12"));
            const auto blue = pointsOf(series("ChartKEST", "Series13"));
            QCOMPARE(red.size(), size_t(3001));
            QVERIFY(red == blue);
            // The curve tops out at the marker, scaled as the signal line.
            const int peak = C.IndexOfPeak[0];
            QCOMPARE(red[static_cast<std::size_t>(peak)].first, t);
            QVERIFY(std::abs(red[static_cast<std::size_t>(peak)].second * window->SignalScale / C.SignalOfPeak[a][0] - 1.0) < 1e-12);
            for (const auto &point : red)
                QVERIFY(point.second <= red[static_cast<std::size_t>(peak)].second * (1.0 + 1e-12));
        }
    }

    void analysisFailureKeepsLabelsAndCurve() {
        loadDis1(3001);
        control("ButtonCalculationKEST1")->setEnabled(true);
        click("ButtonCalculationKEST1");
        click("ButtonAnalysis11");
        const QString density = control<QLabel>("LabelTrapDensity11")->text();
        const QString rate = control<QLabel>("LabelEmissionRate11")->text();
        const auto curve = pointsOf(series("ChartKEST", "Series12"));
        QVERIFY(!density.isEmpty() && !curve.empty());

        // e_ref * t exactly 1.
        C.TimeOfPeak[0][0] = 0.5;
        C.Eref[0] = 2.0;
        click("ButtonAnalysis11");

        QCOMPARE(answers->errors, QStringList{"Floating point division by zero"});
        QCOMPARE(control<QLabel>("LabelTrapDensity11")->text(), density);
        QCOMPARE(control<QLabel>("LabelEmissionRate11")->text(), rate);
        QVERIFY(pointsOf(series("ChartKEST", "Series12")) == curve);
    }

    // A longer grid after a new smoothing leaves the signal of the last "Calculate KEST"
    // shorter than the grid; a move that reads past it is reported and the program goes on.
    void moveReadingPastTheSignalReportsTheRangeError_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow(">>") << "ButtonPeakHigh11";
        QTest::newRow("Next peak") << "ButtonNextPeak11";
    }
    void moveReadingPastTheSignalReportsTheRangeError() {
        QFETCH(QString, button);
        loadDis1(3001);
        control("ButtonCalculationKEST1")->setEnabled(true);
        click("ButtonCalculationKEST1");
        loadDis1(3500, "longer.DIS1");
        QCOMPARE(C.NumberOfInterpolatedData, 3500);
        QCOMPARE(C.Signal[0].length(), 3001);
        C.IndexOfPeak[0] = 2950;
        const double time = C.TimeOfPeak[0][0];
        const auto marker = pointsOf(series("ChartKEST", "Series10"));

        click(button);

        QCOMPARE(answers->errors.size(), 1);
        QVERIFY2(answers->errors[0].startsWith("Range check error: index "), qPrintable(answers->errors[0]));
        QVERIFY(answers->errors[0].endsWith("is outside an array of length 3001"));
        QCOMPARE(C.IndexOfPeak[0], 2950);
        QCOMPARE(C.TimeOfPeak[0][0], time);
        QVERIFY(pointsOf(series("ChartKEST", "Series10")) == marker);

        click("ButtonPeakLow11");
        QCOMPARE(C.IndexOfPeak[0], 2850);
        QCOMPARE(answers->errors.size(), 1);
    }

    // Positive, then negative, then combined: each run enables the next step, gives its
    // button back and plots one point per accepted e_ref.
    void sweepsEnableEachOtherInOrder() {
        loadDis1(3001);
        QVERIFY(window->ButtonPositiveEref->isEnabled());
        for (const char *name : {"ButtonSavePositiveEref", "ButtonNegativeEref", "ButtonSaveNegativeEref", "ButtonEref", "ButtonSaveEref"})
            QVERIFY(!control(name)->isEnabled());

        QSignalSpy finished(window.get(), &TFormMain::sweepFinished);
        click("ButtonPositiveEref");
        // While it runs: the button is disabled with the busy cursor, the window blocked.
        QVERIFY(window->isSweepRunning());
        QVERIFY(!window->ButtonPositiveEref->isEnabled());
        QCOMPARE(window->ButtonPositiveEref->cursor().shape(), Qt::WaitCursor);
        auto *progress = window->findChild<QProgressDialog *>("ProgressDialogSweep");
        QVERIFY(progress && progress->isVisible());
        QCOMPARE(progress->windowModality(), Qt::WindowModal);
        QVERIFY(finished.wait(kSweepWait_ms));
        checkButtonGivenBack("ButtonPositiveEref");
        QVERIFY(window->ButtonSavePositiveEref->isEnabled());
        QVERIFY(window->ButtonNegativeEref->isEnabled());
        QVERIFY(!window->ButtonEref->isEnabled());
        QCOMPARE(C.SweepEref[0].size(), size_t(400));
        const auto rates = pointsOf(series("ChartEmissionRateP", "Series14"));
        const auto densities = pointsOf(series("ChartDensityP", "Series15"));
        QCOMPARE(rates.size(), size_t(400));
        QCOMPARE(densities.size(), size_t(400));
        QCOMPARE(rates.front(), std::make_pair(C.SweepEref[0][0], C.SweepEmissionRate[0][0]));
        QCOMPARE(densities.back(), std::make_pair(C.SweepEref[0][399], C.SweepDensity[0][399]));
        QVERIFY(C.LastPositiveEref > 0.99 && C.LastPositiveEref < 1.0);

        // Again: the same points once, not twice.
        runSweep("ButtonPositiveEref", 0);
        QCOMPARE(C.SweepEref[0].size(), size_t(400));
        QCOMPARE(series("ChartEmissionRateP", "Series14").count(), 400);

        runSweep("ButtonNegativeEref", 1);
        checkButtonGivenBack("ButtonNegativeEref");
        QVERIFY(window->ButtonSaveNegativeEref->isEnabled());
        QVERIFY(window->ButtonEref->isEnabled());
        QVERIFY(!window->ButtonSaveEref->isEnabled());
        QCOMPARE(C.SweepEref[1].size(), size_t(400));
        // The negative tab plots the magnitudes.
        const auto negative = pointsOf(series("ChartEmissionRateN", "Series7"));
        QCOMPARE(negative.size(), size_t(400));
        QCOMPARE(negative.front(), std::make_pair(-C.SweepEref[1][0], C.SweepEmissionRate[1][0]));
        QVERIFY(negative.front().first > 0.0);
        QCOMPARE(series("ChartDensityN", "Series8").count(), 400);

        // The combined sweep runs between the two limits in steps of 1e-5: some 200,000 points.
        runSweep("ButtonEref", 2);
        checkButtonGivenBack("ButtonEref");
        QVERIFY(window->ButtonSaveEref->isEnabled());
        const std::size_t count = C.SweepEref[2].size();
        QVERIFY2(count > 190000 && count <= 200001, qPrintable(QString::number(count)));
        const auto combined = pointsOf(series("ChartDensity", "Series17"));
        QCOMPARE(combined.size(), count);
        QVERIFY(combined.front().first < 0.0 && combined.back().first > 0.0);
        QCOMPARE(series("ChartEmissionRate", "Series16").count(), static_cast<int>(count));
        QVERIFY(answers->errors.isEmpty());
    }

    void cancelKeepsThePreviousResults() {
        loadDis1(3001);
        runSweep("ButtonPositiveEref", 0);
        const std::vector<double> eref = C.SweepEref[0], rates = C.SweepEmissionRate[0], densities = C.SweepDensity[0];
        const double last = C.LastPositiveEref;
        const auto plotted = pointsOf(series("ChartDensityP", "Series15"));
        // A different curve, so a sweep that was not cancelled would change the results.
        loadDis1(2800, "shorter.DIS1");

        QSignalSpy finished(window.get(), &TFormMain::sweepFinished);
        click("ButtonPositiveEref");
        auto *progress = window->findChild<QProgressDialog *>("ProgressDialogSweep");
        QVERIFY(progress);
        auto *cancel = progress->findChild<QPushButton *>();
        QVERIFY(cancel);
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(finished.wait(kSweepWait_ms));

        checkButtonGivenBack("ButtonPositiveEref");
        QVERIFY(C.SweepEref[0] == eref);
        QVERIFY(C.SweepEmissionRate[0] == rates);
        QVERIFY(C.SweepDensity[0] == densities);
        QCOMPARE(C.LastPositiveEref, last);
        QVERIFY(pointsOf(series("ChartDensityP", "Series15")) == plotted);
        QCOMPARE(series("ChartEmissionRateP", "Series14").count(), 400);
        QVERIFY(answers->errors.isEmpty());

        // A cancelled first run of the negative sweep unlocks nothing.
        click("ButtonNegativeEref");
        QTest::mouseClick(window->findChild<QProgressDialog *>("ProgressDialogSweep")->findChild<QPushButton *>(), Qt::LeftButton);
        QVERIFY(finished.wait(kSweepWait_ms));
        checkButtonGivenBack("ButtonNegativeEref");
        QVERIFY(!window->ButtonEref->isEnabled());
        QVERIFY(!window->ButtonSaveNegativeEref->isEnabled());
        QVERIFY(C.SweepEref[1].empty());
    }

    // A zero area makes every signal value a division by zero: the error is shown, the
    // charts keep what they showed, the button comes back, and nothing further is unlocked.
    void sweepFailureShowsTheErrorAndGivesTheButtonBack() {
        loadDis1(3001);
        runSweep("ButtonPositiveEref", 0);
        const auto plotted = pointsOf(series("ChartEmissionRateP", "Series14"));
        window->ButtonNegativeEref->setEnabled(false);
        C.Area = 0.0;

        runSweep("ButtonPositiveEref", 0);

        QCOMPARE(answers->errors, QStringList{"Floating point division by zero"});
        checkButtonGivenBack("ButtonPositiveEref");
        QVERIFY(!window->ButtonNegativeEref->isEnabled());
        QVERIFY(pointsOf(series("ChartEmissionRateP", "Series14")) == plotted);
        // What the sweep found before it failed (nothing) stays in the record.
        QVERIFY(C.SweepEref[0].empty());
        QCOMPARE(C.LastPositiveEref, 0.0);
    }

    // An error the sweep raises instead of returning: shown, and the button comes back.
    void sweepThatRaisesGivesTheButtonBack() {
        loadDis1(3001);
        runSweep("ButtonPositiveEref", 0);
        const std::vector<double> eref = C.SweepEref[0];
        C.NumberOfInterpolatedData = C.InterpolatedTime.length() + 1;

        runSweep("ButtonPositiveEref", 0);

        QCOMPARE(answers->errors.size(), 1);
        QVERIFY2(answers->errors[0].startsWith("Range check error"), qPrintable(answers->errors[0]));
        checkButtonGivenBack("ButtonPositiveEref");
        QVERIFY(C.SweepEref[0] == eref);
        QCOMPARE(series("ChartEmissionRateP", "Series14").count(), 400);
    }
};

QTEST_MAIN(PeakAndSweepTest)
#include "peak_and_sweep_test.moc"
