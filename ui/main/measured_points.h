// Checked reads of the measured points for drawing and labels. The record's sequences do
// no index check, and after a *.DIS1 file of another measurement its counts need not match
// them, so an index outside the points raises the range error instead of reading past them.
#pragma once

#include "engine/analysis.h"

#include <vector>

inline constexpr double kPicoamperePerAmpere = 1e12;

// Time [s] and current [pA] of measured point i.
double measuredTime(const Analysis &record, long long i);
double measuredCurrent_pA(const Analysis &record, long long i);

struct MeasuredPoints {
    std::vector<double> times;         // s
    std::vector<double> currents_pA;   // pA
};

// Points first .. last, both included.
MeasuredPoints measuredPoints(const Analysis &record, long long first, long long last);
