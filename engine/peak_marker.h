// Peak markers on the KEST signal: where "Calculate KEST" puts them, how "Next peak" and
// "Previous peak" move them, and how a marker is placed on a grid index. Shared by the
// window's signal tab and the batch tool.
#pragma once

class Analysis;
class DynArray;

// The grid index of the largest value of Signal[a]: the first of equal maxima, and only a
// positive value counts. -1 when the signal has no positive value.
int indexOfSignalMaximum(const Analysis &record, int a);

// "Next peak": from grid index `from` of a grid of n points, walk towards longer times
// downhill (and across level stretches) until a point is higher than the last one visited,
// then uphill while each point is strictly higher than the one before. Returns the last
// index either walk visited, `from` when neither moved. The descent stops before n - 1.
// Every read is range-checked: a signal shorter than the grid raises DynArrayOutOfRange.
int nextPeakIndex(const DynArray &signal, int n, int from);

// "Previous peak": the same walks towards shorter times; the descent stops before index 0,
// the climb may reach it.
int previousPeakIndex(const DynArray &signal, int from);

// Puts the marker of peak slot p on grid index `index` (which the caller keeps inside the
// signal): IndexOfPeak[p] (shared by both analyses), TimeOfPeak[a][p], SignalOfPeak[a][p].
// An index outside InterpolatedTime or Signal[a] raises DynArrayOutOfRange and changes nothing.
void markPeak(Analysis &record, int a, int p, int index);
