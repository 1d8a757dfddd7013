#include "cli/workflow.h"

#include "engine/analysis.h"
#include "engine/file_header.h"
#include "engine/number_format.h"
#include "engine/peak_marker.h"

#include <chrono>
#include <future>
#include <iomanip>
#include <iostream>
#include <unistd.h>

RangeOption parseRange(const std::string &text) {
    const auto colon = text.find(':');
    if (colon == std::string::npos)
        throw UsageError("--range takes the first and last point as B:E, got '" + text + "'");
    return {integerOption("--range", text.substr(0, colon)), integerOption("--range", text.substr(colon + 1))};
}

WeightOption parseWeight(const std::string &text) {
    const auto colon = text.find(':');
    const auto equals = text.find('=');
    if (colon == std::string::npos || equals == std::string::npos || equals < colon)
        throw UsageError("--weight takes points and a reliability as B:E=W, got '" + text + "'");
    WeightOption w;
    w.first = integerOption("--weight", text.substr(0, colon));
    w.last = integerOption("--weight", text.substr(colon + 1, equals - colon - 1));
    w.weight = realOption("--weight", text.substr(equals + 1));
    w.text = text;
    if (w.first > w.last)
        throw UsageError("--weight " + text + ": the first point comes after the last");
    if (w.weight < 0.0)
        throw UsageError("--weight " + text + ": a reliability must be at least 0");
    return w;
}

void loadMeasurement(const std::string &path, Analysis &r) {
    r.Clear();
    r.FilenameDIS0 = absolutePath(path);
    if (Status s = r.ReadDIS0(); !s)
        throw InputError(path, s.message);
}

void loadInterpolation(const std::string &path, Analysis &r) {
    r.Clear();
    r.FilenameDIS1 = absolutePath(path);
    if (Status s = r.ReadDIS1(); !s)
        throw InputError(path, s.message);
}

void applyRange(const RangeOption &range, Analysis &r, const std::string &source) {
    Analysis check = r;
    check.IndexOfBeginning = range.beginning;
    check.IndexOfEnding = range.ending;
    if (std::string problem = rangeProblem(check); !problem.empty())
        throw InputError(source, "--range: " + problem);
    r.IndexOfBeginning = range.beginning;
    r.IndexOfEnding = range.ending;
}

void applyWeight(const WeightOption &w, Analysis &r, const std::string &source) {
    if (w.first < 0 || w.last > r.NumberOfData - 1)
        throw InputError(source, "--weight " + w.text + ": the points " + formatInteger(w.first) + " to " +
                                     formatInteger(w.last) + " do not lie inside the " + formatInteger(r.NumberOfData) +
                                     " data points");
    for (int j = w.first; j <= w.last; ++j)
        r.Reliability[j] = w.weight;
}

void smooth(Analysis &r, const std::string &source) {
    if (Status s = r.CalculateSmoothing(); !s)
        throw InputError(source, "smoothing: " + s.message);
}

void calculateAnalysis(Analysis &r, int a, double eref, std::optional<int> peak1, std::optional<int> peak2,
                       const std::string &source) {
    const std::string name = "analysis " + std::to_string(a + 1);
    r.Eref[a] = eref;
    if (Status s = r.CalculateKestSignal(a); !s)
        throw InputError(source, name + ": " + s.message);
    const int maximum = indexOfSignalMaximum(r, a);
    const std::optional<int> chosen[2] = {peak1, peak2};
    for (int p = 0; p < 2; ++p) {
        const int index = chosen[p].value_or(maximum);
        if (index < 0 || index >= r.NumberOfInterpolatedData)
            throw InputError(source, "--peak" + std::to_string(p + 1) + " " + formatInteger(index) +
                                         " lies outside the grid of " + formatInteger(r.NumberOfInterpolatedData) +
                                         " points (0 to " + formatInteger(r.NumberOfInterpolatedData - 1) + ")");
        markPeak(r, a, p, index);
    }
    for (int p = 0; p < 2; ++p) {
        if (Status s = r.AnalyzePeak(a, p); !s)
            throw InputError(source, name + ", peak " + std::to_string(p + 1) + ": " + s.message);
        if (!r.CalculateTrapSignal(a, p))
            throw InputError(source, name + ", peak " + std::to_string(p + 1) + ": the single-trap curve is out of range");
    }
}

namespace {

Status sweepWithProgressLine(Analysis &r, int mode, const char *name) {
    if (!::isatty(STDERR_FILENO))
        return r.AnalyzeEref(mode);
    Progress progress;
    auto sweep = std::async(std::launch::async, [&] { return r.AnalyzeEref(mode, &progress); });
    while (sweep.wait_for(std::chrono::milliseconds(200)) != std::future_status::ready) {
        const long long total = progress.total;
        if (total > 0)
            std::cerr << "\r" << name << " sweep: " << progress.done << " of " << total << " trials" << std::flush;
    }
    std::cerr << "\r\033[K" << std::flush;
    return sweep.get();
}

}  // namespace

void runSweeps(Analysis &r, const std::string &source) {
    const char *names[] = {"positive e_ref", "negative e_ref", "combined e_ref"};
    for (int mode = 0; mode < 3; ++mode) {
        r.SweepEref[mode].clear();
        r.SweepEmissionRate[mode].clear();
        r.SweepDensity[mode].clear();
        if (Status s = sweepWithProgressLine(r, mode, names[mode]); !s)
            throw InputError(source, std::string(names[mode]) + " sweep: " + s.message);
    }
}

void check(const Status &written) {
    if (!written)
        throw InputError(written.path, written.message);
}

void printAnalysis(std::ostream &out, const Analysis &r, int a) {
    out << "analysis " << a + 1 << " at e_ref " << formatGeneral(r.Eref[a]) << " s^-1\n";
    out << std::left << "  " << std::setw(6) << "peak" << std::setw(7) << "index" << std::setw(14) << "time [s]"
        << std::setw(16) << "signal [cm^-2]" << std::setw(17) << "density [cm^-2]" << "emission rate [s^-1]\n";
    for (int p = 0; p < 2; ++p)
        out << "  " << std::setw(6) << p + 1 << std::setw(7) << r.IndexOfPeak[p] << std::setw(14)
            << formatScientific(r.TimeOfPeak[a][p], 5) << std::setw(16) << formatScientific(r.SignalOfPeak[a][p], 5)
            << std::setw(17) << formatScientific(r.TrapDensity[a][p], 5) << formatScientific(r.EmissionRate[a][p], 5)
            << "\n";
}
