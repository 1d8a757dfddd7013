// kest-batch sweep IN.DIS1 -o PREFIX
#include "cli/commands.h"
#include "cli/workflow.h"

#include "engine/analysis.h"
#include "engine/number_format.h"

#include <iostream>

int runSweepCommand(Arguments &args) {
    const auto prefix = args.value("-o");
    if (!prefix)
        throw UsageError("sweep needs -o PREFIX");
    const std::string input = args.positionals(1).front();
    const std::string base = absolutePath(*prefix);
    for (const char *ext : {".ErefP", ".ErefN", ".Eref"})
        refuseToOverwrite(base + ext, {input});

    Analysis &record = C;
    loadInterpolation(input, record);
    runSweeps(record, input);
    record.FilenameErefP = base + ".ErefP";
    record.FilenameErefN = base + ".ErefN";
    record.FilenameEref = base + ".Eref";
    check(record.WriteErefP());
    check(record.WriteErefN());
    check(record.WriteEref());
    std::cout << "accepted e_ref values: " << record.SweepEref[0].size() << " positive, " << record.SweepEref[1].size()
              << " negative, " << record.SweepEref[2].size() << " combined (" << formatGeneral(record.LastNegativeEref)
              << " to " << formatGeneral(record.LastPositiveEref) << " s^-1)\n";
    return 0;
}
