// The steps of the analysis workflow as the batch subcommands run them: loading, the
// range and weight options, smoothing, the signal with its peak markers, the sweeps and
// the writing of results. Each step throws InputError naming the file concerned.
#pragma once

#include "cli/command_line.h"
#include "engine/status.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

class Analysis;

// --range B:E
struct RangeOption {
    int beginning = 0;
    int ending = 0;
};
RangeOption parseRange(const std::string &text);

// --weight B:E=W: the reliability W for points B to E.
struct WeightOption {
    int first = 0;
    int last = 0;
    double weight = 1.0;
    std::string text;
};
WeightOption parseWeight(const std::string &text);

// A fresh record filled from a *.DIS0 file.
void loadMeasurement(const std::string &path, Analysis &record);
// A fresh record filled from a *.DIS1 file.
void loadInterpolation(const std::string &path, Analysis &record);

// The analysed range, checked against the data; `source` names the measurement.
void applyRange(const RangeOption &range, Analysis &record, const std::string &source);
void applyWeight(const WeightOption &weight, Analysis &record, const std::string &source);
void smooth(Analysis &record, const std::string &source);

// The signal of analysis a (0 or 1) at e_ref, both markers on its maximum or on the
// grid indexes given, and both peaks evaluated with their single-trap curves.
void calculateAnalysis(Analysis &record, int a, double eref, std::optional<int> peak1, std::optional<int> peak2,
                       const std::string &source);

// The positive, negative and combined sweeps, in that order; a progress line on stderr
// when it is a terminal.
void runSweeps(Analysis &record, const std::string &source);

// A writer's result: a failure becomes an InputError on the file.
void check(const Status &written);

// The results of analysis a as a small table.
void printAnalysis(std::ostream &out, const Analysis &record, int a);
