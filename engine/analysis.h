// The analysis record: everything the program knows about the one measurement being
// analysed, from the file names of every stage through the measured transient and the
// interpolated curve to the signals, peak results and e_ref sweeps. Every numerical and
// file operation is a member; the windows and the batch tool read and write the public
// fields directly through the one global instance C.
#pragma once

#include "engine/dyn_array.h"
#include "engine/status.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

// Progress of a long operation, shared between the worker that runs it and the window
// that shows it. The worker only writes done/total; the window only sets cancelRequested.
struct Progress {
    std::atomic<long long> done{0};
    std::atomic<long long> total{0};
    std::atomic<bool> cancelRequested{false};
};

class Analysis {
public:
    std::string Version;

    std::string FilenameDIS0;
    std::string FilenameDIS1;
    std::string FilenameKEST0;
    std::string FilenameKEST1;
    std::string FilenameErefP;
    std::string FilenameErefN;
    std::string FilenameEref;

    std::string NameOfMeasurement;
    std::string DateOfMeasurement;
    std::string NameOfAnalysis;
    std::string DateOfAnalysis;
    std::string SampleNumber;
    std::string Material;
    std::string Comment;

    double Temperature = 0.0;       // K
    double Area = 0.0;              // mm^2
    double SampleThickness = 0.0;   // nm
    double ChargeVoltage = 0.0;     // V
    double ChargeTime = 0.0;        // s
    double DischargeVoltage = 0.0;  // V

    std::int32_t NumberOfData = 0;
    std::int32_t IndexOfBeginning = 0;
    std::int32_t IndexOfEnding = 0;

    Sequence Current;      // A
    Sequence Time;         // s
    Sequence Reliability;  // smoothing weight of each point

    double Smoothness = 0.0;
    double CurrentAtEnd = 0.0;  // A, last interpolated current
    std::int32_t NumberOfInterpolatedData = 0;
    DynArray InterpolatedCurrent;  // A
    DynArray InterpolatedTime;     // s

    std::array<DynArray, 2> Signal;                               // [a], cm^-2
    std::array<double, 2> Eref{};                                 // [a], s^-1
    std::array<std::array<double, 2>, 2> TimeOfPeak{};            // [a][p], s
    std::array<std::array<double, 2>, 2> SignalOfPeak{};          // [a][p], cm^-2
    std::array<std::array<double, 2>, 2> TrapDensity{};           // [a][p], cm^-2
    std::array<std::array<double, 2>, 2> EmissionRate{};          // [a][p], s^-1
    std::array<std::int32_t, 2> IndexOfPeak{};                    // [p], shared by both analyses
    std::array<std::array<DynArray, 2>, 2> SignalOfTrap;          // [a][p], cm^-2

    std::array<Sequence, 3> SweepEref;          // [m], s^-1
    std::array<Sequence, 3> SweepEmissionRate;  // [m], s^-1
    std::array<Sequence, 3> SweepDensity;       // [m], cm^-2
    double LastPositiveEref = 0.0;
    double LastNegativeEref = 0.0;

    // Resets the record for a new measurement. Leaves Version, NumberOfInterpolatedData,
    // CurrentAtEnd, LastPositiveEref and LastNegativeEref as they are.
    void Clear();

    // Files. Each takes its path from the file-name field of its format. A read either
    // succeeds whole or leaves the record (and FilenameOriginal) untouched; a write goes
    // to a temporary file renamed over the target, which a failure leaves untouched.
    Status ReadDIS0();
    Status WriteDIS0() const;
    Status ReadDIS1();
    // The same readers on text already in memory (0x1A not yet cut off); the path in
    // FilenameDIS0/FilenameDIS1 only names the source in messages.
    Status ReadDIS0Text(std::string_view text);
    Status ReadDIS1Text(std::string_view text);
    Status WriteDIS1() const;
    Status WriteKEST0() const;
    Status WriteKEST1() const;
    Status WriteErefP() const;
    Status WriteErefN() const;
    Status WriteEref() const;

    // Numerics. A failure changes none of the results the operation would have written:
    // a refused smoothing keeps the previous curve, NumberOfInterpolatedData and
    // CurrentAtEnd; a failed signal keeps the previous Signal[a]; a failed peak evaluation
    // keeps both EmissionRate[a][p] and TrapDensity[a][p].
    Status CalculateSmoothing();
    // Fails with the arithmetic's message, or when the signal has no positive value.
    Status CalculateKestSignal(int a);
    Status AnalyzePeak(int a, int p);
    // False, changing nothing, when the grid is shorter than its count.
    bool CalculateTrapSignal(int a, int p);
    Status AnalyzeEref(int mode, Progress *progress = nullptr);

    // Column import: NumberOfData is the leading run of currents with the sign of the
    // first, made positive; every weight 1; the range is the whole run.
    bool ImportColumns();
    // Clears the record and fills it from column text, as the import window's "OK" does.
    // Columns are 1..9, 0 for none. Fails, changing nothing, without a time column or
    // with fewer than two usable points.
    Status ImportText(std::string_view text, int timeColumn, int currentColumn);
};

// The one record of the program.
extern Analysis C;

// Path of the raw measurement text file, shared by the import window, the readers
// (which take it from the "% Original file: " line) and every writer.
extern std::string FilenameOriginal;

inline constexpr const char *kVersionText = "Version 1.00 (2007/1/23)";
