// kest-batch smooth IN.DIS0 [--smoothness L] [--range B:E] [--weight B:E=W]... -o OUT.DIS1 [--dis0 OUT.DIS0]
#include "cli/commands.h"
#include "cli/workflow.h"

#include "engine/analysis.h"
#include "engine/number_format.h"

#include <iostream>

int runSmoothCommand(Arguments &args) {
    const auto output = args.value("-o");
    if (!output)
        throw UsageError("smooth needs -o OUT.DIS1");
    const auto dis0 = args.value("--dis0");
    const auto smoothness = args.value("--smoothness");
    const auto range = args.value("--range");
    std::vector<WeightOption> weights;
    for (const std::string &w : args.values("--weight"))
        weights.push_back(parseWeight(w));
    const std::string input = args.positionals(1).front();
    const double lambda = smoothness ? realOption("--smoothness", *smoothness) : 0.0;
    const std::optional<RangeOption> chosen = range ? std::optional(parseRange(*range)) : std::nullopt;
    if (dis0 && absolutePath(*dis0) == absolutePath(*output))
        throw UsageError("-o and --dis0 name the same file");
    refuseToOverwrite(*output, {input});
    if (dis0)
        refuseToOverwrite(*dis0, {input});

    Analysis &record = C;
    loadMeasurement(input, record);
    if (chosen)
        applyRange(*chosen, record, input);
    for (const WeightOption &w : weights)
        applyWeight(w, record, input);
    if (smoothness)
        record.Smoothness = lambda;
    smooth(record, input);

    // The measurement is saved first so that the interpolation names it.
    if (dis0) {
        record.FilenameDIS0 = absolutePath(*dis0);
        check(record.WriteDIS0());
    }
    record.FilenameDIS1 = absolutePath(*output);
    check(record.WriteDIS1());
    std::cout << "smoothed points " << record.IndexOfBeginning << " to " << record.IndexOfEnding << " of " << input
              << " (smoothness " << formatGeneral(record.Smoothness) << ") into " << record.NumberOfInterpolatedData
              << " grid points from " << formatGeneral(record.InterpolatedTime[0]) << " s to "
              << formatGeneral(record.InterpolatedTime[record.NumberOfInterpolatedData - 1]) << " s: "
              << record.FilenameDIS1 << "\n";
    return 0;
}
