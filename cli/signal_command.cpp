// kest-batch signal IN.DIS1 --eref E [--analysis 1|2] [--peak1 I] [--peak2 I] -o OUT
#include "cli/commands.h"
#include "cli/workflow.h"

#include "engine/analysis.h"

#include <iostream>

int runSignalCommand(Arguments &args) {
    const auto output = args.value("-o");
    if (!output)
        throw UsageError("signal needs -o OUT");
    const auto erefText = args.value("--eref");
    if (!erefText)
        throw UsageError("signal needs --eref E");
    const auto analysisText = args.value("--analysis");
    const auto peak1Text = args.value("--peak1");
    const auto peak2Text = args.value("--peak2");
    const std::string input = args.positionals(1).front();
    const double eref = realOption("--eref", *erefText);
    const int analysis = analysisText ? integerOption("--analysis", *analysisText) : 1;
    if (analysis != 1 && analysis != 2)
        throw UsageError("--analysis is 1 or 2");
    const std::optional<int> peak1 = peak1Text ? std::optional(integerOption("--peak1", *peak1Text)) : std::nullopt;
    const std::optional<int> peak2 = peak2Text ? std::optional(integerOption("--peak2", *peak2Text)) : std::nullopt;
    refuseToOverwrite(*output, {input});

    Analysis &record = C;
    loadInterpolation(input, record);
    const int a = analysis - 1;
    calculateAnalysis(record, a, eref, peak1, peak2, input);
    if (a == 0) {
        record.FilenameKEST0 = absolutePath(*output);
        check(record.WriteKEST0());
    } else {
        record.FilenameKEST1 = absolutePath(*output);
        check(record.WriteKEST1());
    }
    printAnalysis(std::cout, record, a);
    return 0;
}
