#include "engine/peak_marker.h"

#include "engine/analysis.h"
#include "engine/dyn_array.h"

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

int nextPeakIndex(const DynArray &signal, int n, int from) {
    double v = signal[from];
    int q = from;
    int turn = from;
    for (int i = from + 1; i < n - 1; ++i) {
        if (signal[i] > v) {
            turn = i;
            break;
        }
        v = signal[i];
        q = i;
    }
    // The climb starts again from the point that ended the descent; that point counts only
    // when the one after it is higher still.
    v = signal[turn];
    for (int i = turn + 1; i < n; ++i) {
        if (signal[i] <= v)
            break;
        v = signal[i];
        q = i;
    }
    return q;
}

int previousPeakIndex(const DynArray &signal, int from) {
    double v = signal[from];
    int q = from;
    int turn = from;
    for (int i = from - 1; i > 0; --i) {
        if (signal[i] > v) {
            turn = i;
            break;
        }
        v = signal[i];
        q = i;
    }
    v = signal[turn];
    for (int i = turn - 1; i >= 0; --i) {
        if (signal[i] <= v)
            break;
        v = signal[i];
        q = i;
    }
    return q;
}

void markPeak(Analysis &r, int a, int p, int index) {
    // Both reads first: an index outside the arrays then changes nothing.
    const double time = r.InterpolatedTime[index];
    const double value = r.Signal[a][index];
    r.IndexOfPeak[p] = index;
    r.TimeOfPeak[a][p] = time;
    r.SignalOfPeak[a][p] = value;
}
