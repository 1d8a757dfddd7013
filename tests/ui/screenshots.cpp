// Renders the main window offscreen, one PNG per tab, with a measurement loaded and
// smoothed, its first signal calculated with both traps evaluated, and the three e_ref
// sweeps run: the bundled example when it exists, otherwise a synthetic two-trap
// transient. Usage: kest_screenshots OUTPUT_DIR
#include "engine/analysis.h"
#include "ui/common/dialogs.h"
#include "ui/common/error_guard.h"
#include "ui/main/main_window.h"

#include "fake_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

// Two traps (3e11 cm^-2 at 30 s^-1, 1e11 cm^-2 at 0.3 s^-1) on 1 mm^2, 80 points from 1 ms to 10 s.
bool writeSyntheticMeasurement(const QString &path) {
    Analysis r;
    r.Clear();
    r.FilenameDIS0 = path.toStdString();
    r.NameOfMeasurement = "synthetic";
    r.SampleNumber = "two-trap";
    r.Material = "test film";
    const int n = 80;
    for (int i = 0; i < n; ++i) {
        const double t = std::pow(10.0, -3.0 + 4.0 * i / (n - 1));
        const double perArea = 1.6021e-19 * 0.01;
        const double current = perArea * (3e11 * 30.0 * std::exp(-30.0 * t) + 1e11 * 0.3 * std::exp(-0.3 * t)) + 1e-14;
        r.Time.push_back(t);
        r.Current.push_back(current);
        r.Reliability.push_back(1.0);
    }
    r.NumberOfData = n;
    r.IndexOfBeginning = 0;
    r.IndexOfEnding = n - 1;
    return static_cast<bool>(r.WriteDIS0());
}

}  // namespace

int main(int argc, char *argv[]) {
    GuardedApplication application(argc, argv);
    if (argc < 2) {
        std::fputs("usage: kest_screenshots OUTPUT_DIR\n", stderr);
        return 2;
    }
    const QString outputDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outputDir);

    auto fake = std::make_unique<FakeDialogs>();
    FakeDialogs *answers = fake.get();
    setDialogs(std::move(fake));

    TFormMain window;
    window.show();

    QTemporaryDir scratch;
    QString measurement = QStringLiteral(KEST_EXAMPLES "/two-trap.DIS0");
    if (!QFileInfo::exists(measurement)) {
        measurement = scratch.filePath("two-trap.DIS0");
        if (!writeSyntheticMeasurement(measurement)) {
            std::fputs("kest_screenshots: cannot write the synthetic measurement\n", stderr);
            return 1;
        }
    }
    window.OpenDIS0(measurement);
    QTest::mouseClick(window.ButtonSmoothing, Qt::LeftButton);
    // Saving the interpolation unlocks the first analysis; the pictures need no files.
    window.ButtonCalculationKEST1->setEnabled(true);
    QTest::mouseClick(window.ButtonCalculationKEST1, Qt::LeftButton);
    // Both markers start on the larger peak; the second goes on to the other one, to the
    // right when there is one (a search that finds no rise ends on the last points).
    QTest::mouseClick(window.ButtonNextPeak12, Qt::LeftButton);
    if (C.IndexOfPeak[1] >= C.NumberOfInterpolatedData - 2) {
        QTest::mouseClick(window.ButtonPreviousPeak12, Qt::LeftButton);
        QTest::mouseClick(window.ButtonPreviousPeak12, Qt::LeftButton);
    }
    std::printf("peak markers at grid indexes %d and %d of %d\n", C.IndexOfPeak[0], C.IndexOfPeak[1],
                C.NumberOfInterpolatedData);
    QTest::mouseClick(window.ButtonAnalysis11, Qt::LeftButton);
    QTest::mouseClick(window.ButtonAnalysis12, Qt::LeftButton);

    // The sweeps in their order, each unlocked by the one before.
    window.ButtonPositiveEref->setEnabled(true);
    for (QPushButton *run : {window.ButtonPositiveEref, window.ButtonNegativeEref, window.ButtonEref}) {
        QSignalSpy finished(&window, &TFormMain::sweepFinished);
        QTest::mouseClick(run, Qt::LeftButton);
        if (!finished.wait(600000)) {
            std::fputs("kest_screenshots: a sweep did not end\n", stderr);
            return 1;
        }
    }
    for (const QString &error : answers->errors)
        std::fprintf(stderr, "kest_screenshots: error box: %s\n", qPrintable(error));

    const char *names[] = {"1-discharge", "2-kest-signal", "3-positive-eref", "4-negative-eref", "5-eref"};
    for (int tab = 0; tab < window.PageControlMain->count(); ++tab) {
        window.PageControlMain->setCurrentIndex(tab);
        QApplication::processEvents();
        for (Chart *chart : window.findChildren<Chart *>())
            chart->refreshNow();
        const QString file = QDir(outputDir).filePath(QString("main-window-%1.png").arg(names[tab]));
        if (!window.grab().save(file)) {
            std::fprintf(stderr, "kest_screenshots: cannot write %s\n", qPrintable(file));
            return 1;
        }
        std::printf("%s\n", qPrintable(file));
    }
    return answers->errors.isEmpty() ? 0 : 1;
}
