// Sweep result files (*.ErefP, *.ErefN, *.Eref): the common header without the data
// counts, then one row per accepted e_ref with the emission rate and the density found.
#include "engine/analysis.h"
#include "engine/file_header.h"
#include "engine/number_format.h"
#include "engine/text_file.h"

namespace {

struct SweepFile {
    const char *title;
    const char *ownKey;
};

Status writeSweep(const Analysis &r, int mode, const std::string &path, const SweepFile &file) {
    const Sequence &eref = r.SweepEref[mode];
    const Sequence &rate = r.SweepEmissionRate[mode];
    const Sequence &density = r.SweepDensity[mode];
    if (rate.size() != eref.size() || density.size() != eref.size())
        return Status::failure("the sweep results have columns of different lengths", path);

    std::string out;
    appendLine(out, file.title);
    appendLine(out, "% Original file: ", FilenameOriginal);
    appendLine(out, "% DIS0 file: ", r.FilenameDIS0);
    appendLine(out, "% DIS1 file: ", r.FilenameDIS1);
    appendLine(out, file.ownKey, path);
    appendSampleLines(out, r);
    appendLine(out, "% e_ref [s^-1]   e_t [s^-1]   density [cm^-2] ");
    for (std::size_t k = 0; k < eref.size(); ++k) {
        out += formatData(eref[k]);
        out += "   ";
        out += formatData(rate[k]);
        out += "   ";
        out += formatData(density[k]);
        out += kLineEnd;
    }
    return writeFileAtomically(path, out);
}

}  // namespace

Status Analysis::WriteErefP() const {
    return writeSweep(*this, 0, FilenameErefP, {"% Result of KEST with positive e_ref", "% ErefP file: "});
}

Status Analysis::WriteErefN() const {
    return writeSweep(*this, 1, FilenameErefN, {"% Result of KEST with negative e_ref", "% ErefN file: "});
}

Status Analysis::WriteEref() const {
    return writeSweep(*this, 2, FilenameEref, {"% Result of KEST with e_ref", "% Eref file: "});
}
