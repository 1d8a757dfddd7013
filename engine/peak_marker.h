// Peak markers on the KEST signal: where "Calculate KEST" puts them, and how a marker is
// placed on a grid index. Shared by the window's signal tab and the batch tool.
#pragma once

class Analysis;

// The grid index of the largest value of Signal[a]: the first of equal maxima, and only a
// positive value counts. -1 when the signal has no positive value.
int indexOfSignalMaximum(const Analysis &record, int a);

// Puts the marker of peak slot p on grid index `index` (which the caller keeps inside the
// signal): IndexOfPeak[p] (shared by both analyses), TimeOfPeak[a][p], SignalOfPeak[a][p].
void markPeak(Analysis &record, int a, int p, int index);
