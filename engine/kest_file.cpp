// Signal result files (*.KEST0 for the first analysis, *.KEST1 for the second): the
// common header, the analysis's e_ref and peak results, then per grid point the time,
// the signal and the single-trap curves of its two peaks.
#include "engine/analysis.h"
#include "engine/file_header.h"
#include "engine/number_format.h"
#include "engine/text_file.h"

namespace {

Status writeKest(const Analysis &r, int a) {
    const std::string &path = a == 0 ? r.FilenameKEST0 : r.FilenameKEST1;
    const int m = r.NumberOfInterpolatedData;
    // Rows only for a signal of the current grid: a new smoothing to another count leaves
    // the old signal behind until it is calculated again.
    const bool rows = r.Signal[a].length() == m && m > 0;
    if (rows && r.InterpolatedTime.length() < m)
        return Status::failure("there is no interpolated curve of " + formatInteger(m) + " points to save", path);

    std::string out;
    appendLine(out, a == 0 ? "% Result of KEST Analysis1" : "% Result of KEST Analysis2");
    appendLine(out, "% Original file: ", FilenameOriginal);
    appendLine(out, "% DIS0 file: ", r.FilenameDIS0);
    appendLine(out, "% DIS1 file: ", r.FilenameDIS1);
    appendLine(out, "% KEST0 file: ", r.FilenameKEST0);
    if (a == 1)
        appendLine(out, "% KEST1 file: ", r.FilenameKEST1);
    appendSampleLines(out, r);
    appendCountLines(out, r);
    appendLine(out, "% Number of interpolated data: ", formatInteger(m));
    appendLine(out, "% e_ref [s^-1]: ", formatGeneral(r.Eref[a]));
    appendLine(out, "% Peak time1 [s]: ", formatGeneral(r.TimeOfPeak[a][0]));
    appendLine(out, "% Peak value1 [cm^-2]: ", formatGeneral(r.SignalOfPeak[a][0]));
    appendLine(out, "% Trap density1 [cm^-2]: ", formatGeneral(r.TrapDensity[a][0]));
    appendLine(out, "% Emission rate1 [s^-1]: ", formatGeneral(r.EmissionRate[a][0]));
    appendLine(out, "% Peak time2 [s]: ", formatGeneral(r.TimeOfPeak[a][1]));
    appendLine(out, "% Peak value2 [cm^-2]: ", formatGeneral(r.SignalOfPeak[a][1]));
    appendLine(out, "% Trap density2 [cm^-2]: ", formatGeneral(r.TrapDensity[a][1]));
    appendLine(out, "% Emission rate2 [s^-1]: ", formatGeneral(r.EmissionRate[a][1]));
    appendLine(out, "% Time [s]   KEST signal  [cm^-2]   KEST of trap1 [cm^-2]   KEST of trap2 [cm^-2] ");

    if (rows) {
        // A trap curve of another length belongs to another grid: it is written as 0, in the
        // blank layouts the files have always had (" 0" last, " 0 " in the middle).
        const DynArray &trap1 = r.SignalOfTrap[a][0];
        const DynArray &trap2 = r.SignalOfTrap[a][1];
        const bool has1 = trap1.length() == m, has2 = trap2.length() == m;
        for (int i = 0; i < m; ++i) {
            out += formatData(r.InterpolatedTime[i]);
            out += "     ";
            out += formatData(r.Signal[a][i]);
            out += "    ";
            out += has1 ? formatData(trap1[i]) : " 0 ";
            out += "    ";
            out += has2 ? formatData(trap2[i]) : " 0";
            out += kLineEnd;
        }
    }
    return writeFileAtomically(path, out);
}

}  // namespace

Status Analysis::WriteKEST0() const { return writeKest(*this, 0); }
Status Analysis::WriteKEST1() const { return writeKest(*this, 1); }
