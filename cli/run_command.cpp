// kest-batch run INPUT [--columns T,C] [--smoothness L] [--range B:E] [--eref1 E] [--eref2 E]
//                      [--no-sweeps] --out-dir DIR
// The whole workflow, as a user goes through it in the window, into DIR/NAME.* with NAME
// the input's file name without its extension. Everything is computed before the first
// file is written.
#include "cli/commands.h"
#include "cli/workflow.h"

#include "engine/analysis.h"

#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;

int runRunCommand(Arguments &args) {
    const auto outDir = args.value("--out-dir");
    if (!outDir)
        throw UsageError("run needs --out-dir DIR");
    const auto columnsText = args.value("--columns");
    const auto smoothness = args.value("--smoothness");
    const auto range = args.value("--range");
    const auto eref1Text = args.value("--eref1");
    const auto eref2Text = args.value("--eref2");
    const bool sweeps = !args.flag("--no-sweeps");
    const std::string input = args.positionals(1).front();
    const std::optional<std::pair<int, int>> columns =
        columnsText ? std::optional(parseColumns(*columnsText)) : std::nullopt;
    const double lambda = smoothness ? realOption("--smoothness", *smoothness) : 0.0;
    const std::optional<RangeOption> chosen = range ? std::optional(parseRange(*range)) : std::nullopt;
    const double eref1 = eref1Text ? realOption("--eref1", *eref1Text) : 0.0;
    const bool second = eref2Text.has_value();
    const double eref2 = second ? realOption("--eref2", *eref2Text) : 0.0;

    const std::string name = fs::path(input).stem().string();
    if (name.empty())
        throw UsageError("run needs an input file, got '" + input + "'");
    const std::string base = absolutePath((fs::path(*outDir) / name).string());
    std::vector<std::string> outputs = {base + ".DIS0", base + ".DIS1", base + ".KEST0"};
    if (second)
        outputs.push_back(base + ".KEST1");
    if (sweeps)
        for (const char *ext : {".ErefP", ".ErefN", ".Eref"})
            outputs.push_back(base + ext);
    for (const std::string &path : outputs)
        refuseToOverwrite(path, {input});

    Analysis &record = C;
    if (columns)
        importMeasurement(input, *columns, record);
    else
        loadMeasurement(input, record);
    if (chosen)
        applyRange(*chosen, record, input);
    if (smoothness)
        record.Smoothness = lambda;
    smooth(record, input);
    record.FilenameDIS0 = base + ".DIS0";
    record.FilenameDIS1 = base + ".DIS1";
    calculateAnalysis(record, 0, eref1, std::nullopt, std::nullopt, input);
    record.FilenameKEST0 = base + ".KEST0";
    if (second) {
        calculateAnalysis(record, 1, eref2, std::nullopt, std::nullopt, input);
        record.FilenameKEST1 = base + ".KEST1";
    }
    if (sweeps) {
        runSweeps(record, input);
        record.FilenameErefP = base + ".ErefP";
        record.FilenameErefN = base + ".ErefN";
        record.FilenameEref = base + ".Eref";
    }

    std::error_code ec;
    fs::create_directories(*outDir, ec);
    if (ec)
        throw InputError(*outDir, "cannot create the folder: " + ec.message());
    check(record.WriteDIS0());
    check(record.WriteDIS1());
    check(record.WriteKEST0());
    if (second)
        check(record.WriteKEST1());
    if (sweeps) {
        check(record.WriteErefP());
        check(record.WriteErefN());
        check(record.WriteEref());
    }

    std::cout << "smoothed " << input << " into " << record.NumberOfInterpolatedData << " grid points\n";
    printAnalysis(std::cout, record, 0);
    if (second)
        printAnalysis(std::cout, record, 1);
    if (sweeps)
        std::cout << "accepted e_ref values: " << record.SweepEref[0].size() << " positive, "
                  << record.SweepEref[1].size() << " negative, " << record.SweepEref[2].size() << " combined\n";
    std::cout << "results in " << base << ".*\n";
    return 0;
}
