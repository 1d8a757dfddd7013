// The smoothing ("Calculation") and the KEST signal of the two analyses: e_ref stepping and
// "Calculate KEST", which scales the signal by a power of ten and marks its maximum.
#include "ui/main/main_window.h"

#include "engine/analysis.h"
#include "engine/number_format.h"
#include "ui/common/dialogs.h"
#include "ui/common/text_conversion.h"
#include "ui/main/eref_steps.h"
#include "ui/main/measured_points.h"

#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <vector>

void TFormMain::PlotInterpolatedCurve() {
    const int count = C.NumberOfInterpolatedData;
    std::vector<double> times, currents_pA;
    times.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    currents_pA.reserve(times.capacity());
    for (int g = 0; g < count; ++g) {
        times.push_back(C.InterpolatedTime[g]);
        currents_pA.push_back(C.InterpolatedCurrent[g] * kPicoamperePerAmpere);
    }
    Series6.clear();
    Series6.add(times, currents_pA);
}

void TFormMain::ButtonSmoothingClick() {
    C.Smoothness = parseReal(toStdString(EditSmoothness->text()));
    if (const Status status = C.CalculateSmoothing(); !status) {
        dialogs().error(this, toQString(status.describe()));
        return;
    }
    PlotInterpolatedCurve();
    EmptyDownstreamPlots();
}

void TFormMain::stepEref(int a, bool up) {
    EmptyDownstreamPlots();
    // The stored value steps, not the text of the field, which it then overwrites.
    C.Eref[a] = up ? erefStepUp(C.Eref[a]) : erefStepDown(C.Eref[a]);
    (a == 0 ? EditEref1 : EditEref2)->setText(QString::fromStdString(formatGeneral(C.Eref[a])));
}

void TFormMain::ButtonErefLow1Click() { stepEref(0, false); }
void TFormMain::ButtonErefHigh1Click() { stepEref(0, true); }
void TFormMain::ButtonErefLow2Click() { stepEref(1, false); }
void TFormMain::ButtonErefHigh2Click() { stepEref(1, true); }

void TFormMain::calculateKest(int a) {
    C.Eref[a] = parseReal(toStdString((a == 0 ? EditEref1 : EditEref2)->text()));
    if (const Status status = C.CalculateKestSignal(a); !status) {
        dialogs().error(this, toQString(status.describe()));
        return;
    }

    // The largest value, the first of equal ones; only a positive value counts as a peak.
    const DynArray &signal = C.Signal[a];
    const int count = C.NumberOfInterpolatedData;
    double best = 0.0;
    int imax = -1;
    for (int i = 0; i < count; ++i) {
        if (signal[i] > best) {
            best = signal[i];
            imax = i;
        }
    }
    if (imax < 0) {
        dialogs().error(this, "The KEST signal has no positive value, so there is no peak to mark.");
        return;
    }

    const int n = static_cast<int>(std::floor(std::log10(best)));
    const double scale = std::pow(10.0, n);
    std::vector<double> times, values;
    times.reserve(static_cast<std::size_t>(count));
    values.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        times.push_back(C.InterpolatedTime[i]);
        values.push_back(signal[i] / scale);
    }

    SignalScale = scale;
    ChartKEST->setLeftTitle(QString("KEST信号  [x1E%1 cm^-2]").arg(n));
    Series9.clear();
    Series9.add(times, values);

    C.IndexOfPeak[0] = imax;
    C.IndexOfPeak[1] = imax;
    for (int p = 0; p < 2; ++p) {
        C.TimeOfPeak[a][p] = C.InterpolatedTime[C.IndexOfPeak[p]];
        C.SignalOfPeak[a][p] = signal[C.IndexOfPeak[p]];
    }
    Series10.clear();
    Series10.add(C.InterpolatedTime[C.IndexOfPeak[0]], signal[C.IndexOfPeak[0]] / SignalScale);
    Series11.clear();
    Series11.add(C.InterpolatedTime[C.IndexOfPeak[1]], signal[C.IndexOfPeak[1]] / SignalScale);
    Series12.clear();
    Series13.clear();

    for (QWidget *button : analysisButtons(a))
        button->setEnabled(true);
}

void TFormMain::ButtonCalculationKEST1Click() { calculateKest(0); }
void TFormMain::ButtonCalculationKEST2Click() { calculateKest(1); }
