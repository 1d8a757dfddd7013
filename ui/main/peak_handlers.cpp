// The twenty peak buttons of the signal tab: per analysis a and peak slot p, four that move
// the marker ("Previous peak", "<<", ">>", "Next peak") and "Analysis", which evaluates the
// marked peak as one trap and draws that trap's curve over the signal.
#include "ui/main/main_window.h"

#include "engine/analysis.h"
#include "engine/number_format.h"
#include "engine/peak_marker.h"
#include "ui/common/dialogs.h"
#include "ui/common/text_conversion.h"

#include <QLabel>

#include <vector>

namespace {

// "<<" and ">>" move a marker by 0.1 decade of the grid.
constexpr int kPeakStep = 100;

}  // namespace

ChartSeries &TFormMain::peakMarkerSeries(int p) { return p == 0 ? Series10 : Series11; }

ChartSeries &TFormMain::trapCurveSeries(int p) { return p == 0 ? Series12 : Series13; }

void TFormMain::placePeakMarker(int a, int p, int index) {
    // Both reads happen before anything is stored, so an index past the end of the signal or
    // the grid raises the range error and leaves the marker where it was.
    markPeak(C, a, p, index);
    ChartSeries &marker = peakMarkerSeries(p);
    marker.clear();
    marker.add(C.InterpolatedTime[index], C.Signal[a][index] / SignalScale);
}

void TFormMain::moveToPreviousPeak(int a, int p) {
    placePeakMarker(a, p, previousPeakIndex(C.Signal[a], C.IndexOfPeak[p]));
}

void TFormMain::moveToNextPeak(int a, int p) {
    placePeakMarker(a, p, nextPeakIndex(C.Signal[a], C.NumberOfInterpolatedData, C.IndexOfPeak[p]));
}

void TFormMain::movePeakDown(int a, int p) {
    const int moved = C.IndexOfPeak[p] - kPeakStep;
    placePeakMarker(a, p, moved < 0 ? 0 : moved);
}

void TFormMain::movePeakUp(int a, int p) {
    const int n = C.NumberOfInterpolatedData;
    const int moved = C.IndexOfPeak[p] + kPeakStep;
    placePeakMarker(a, p, moved < n ? moved : n - 1);
}

void TFormMain::analyzePeak(int a, int p) {
    if (const Status status = C.AnalyzePeak(a, p); !status) {
        dialogs().error(this, toQString(status.describe()));
        return;
    }
    QLabel *density[2][2] = {{LabelTrapDensity11, LabelTrapDensity12}, {LabelTrapDensity21, LabelTrapDensity22}};
    QLabel *rate[2][2] = {{LabelEmissionRate11, LabelEmissionRate12}, {LabelEmissionRate21, LabelEmissionRate22}};
    density[a][p]->setText(QString::fromStdString(formatScientific(C.TrapDensity[a][p], 3)));
    rate[a][p]->setText(QString::fromStdString(formatScientific(C.EmissionRate[a][p], 3)));

    if (!C.CalculateTrapSignal(a, p)) {
        dialogs().error(this, "The curve of this trap cannot be drawn: its values do not fit the time grid.");
        return;
    }
    const int n = C.NumberOfInterpolatedData;
    std::vector<double> times, values;
    times.reserve(static_cast<std::size_t>(n));
    values.reserve(static_cast<std::size_t>(n));
    const DynArray &curve = C.SignalOfTrap[a][p];
    for (int i = 0; i < n; ++i) {
        times.push_back(C.InterpolatedTime[i]);
        values.push_back(curve[i] / SignalScale);
    }
    ChartSeries &series = trapCurveSeries(p);
    series.clear();
    series.add(times, values);
}

void TFormMain::ButtonPreviousPeak11Click() { moveToPreviousPeak(0, 0); }
void TFormMain::ButtonPreviousPeak12Click() { moveToPreviousPeak(0, 1); }
void TFormMain::ButtonPreviousPeak21Click() { moveToPreviousPeak(1, 0); }
void TFormMain::ButtonPreviousPeak22Click() { moveToPreviousPeak(1, 1); }
void TFormMain::ButtonPeakLow11Click() { movePeakDown(0, 0); }
void TFormMain::ButtonPeakLow12Click() { movePeakDown(0, 1); }
void TFormMain::ButtonPeakLow21Click() { movePeakDown(1, 0); }
void TFormMain::ButtonPeakLow22Click() { movePeakDown(1, 1); }
void TFormMain::ButtonPeakHigh11Click() { movePeakUp(0, 0); }
void TFormMain::ButtonPeakHigh12Click() { movePeakUp(0, 1); }
void TFormMain::ButtonPeakHigh21Click() { movePeakUp(1, 0); }
void TFormMain::ButtonPeakHigh22Click() { movePeakUp(1, 1); }
void TFormMain::ButtonNextPeak11Click() { moveToNextPeak(0, 0); }
void TFormMain::ButtonNextPeak12Click() { moveToNextPeak(0, 1); }
void TFormMain::ButtonNextPeak21Click() { moveToNextPeak(1, 0); }
void TFormMain::ButtonNextPeak22Click() { moveToNextPeak(1, 1); }
void TFormMain::ButtonAnalysis11Click() { analyzePeak(0, 0); }
void TFormMain::ButtonAnalysis12Click() { analyzePeak(0, 1); }
void TFormMain::ButtonAnalysis21Click() { analyzePeak(1, 0); }
void TFormMain::ButtonAnalysis22Click() { analyzePeak(1, 1); }
