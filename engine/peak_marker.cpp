#include "engine/peak_marker.h"

#include "engine/analysis.h"

int indexOfSignalMaximum(const Analysis &r, int a) {
    const DynArray &signal = r.Signal[a];
    double best = 0.0;
    int index = -1;
    for (int i = 0; i < signal.length(); ++i) {
        if (signal[i] > best) {
            best = signal[i];
            index = i;
        }
    }
    return index;
}

void markPeak(Analysis &r, int a, int p, int index) {
    // Both reads first: an index outside the arrays then changes nothing.
    const double time = r.InterpolatedTime[index];
    const double value = r.Signal[a][index];
    r.IndexOfPeak[p] = index;
    r.TimeOfPeak[a][p] = time;
    r.SignalOfPeak[a][p] = value;
}
