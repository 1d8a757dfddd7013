// Measured-data files (*.DIS0): the common header, the analysed range and one line of
// time, current and weight per measured point.
#include "engine/analysis.h"
#include "engine/errors.h"
#include "engine/file_header.h"
#include "engine/number_format.h"
#include "engine/text_file.h"

#include <algorithm>

Status Analysis::WriteDIS0() const {
    if (NumberOfData < 0 || static_cast<std::size_t>(NumberOfData) > std::min({Time.size(), Current.size(), Reliability.size()}))
        return Status::failure("the record holds fewer measured points than its number of data (" +
                                   formatInteger(NumberOfData) + ")",
                               FilenameDIS0);
    std::string out;
    appendLine(out, "% Data of Discharge Current");
    appendLine(out, "% Original file: ", FilenameOriginal);
    appendLine(out, "% DIS0 file: ", FilenameDIS0);
    appendSampleLines(out, *this);
    appendCountLines(out, *this);
    appendLine(out, "% Time [s]   Current [A]   Reliability   ");
    for (int i = 0; i < NumberOfData; ++i) {
        out += formatData(Time[i]);
        out += "     ";
        out += formatData(Current[i]);
        out += "     ";
        out += formatData(Reliability[i]);
        out += kLineEnd;
    }
    return writeFileAtomically(FilenameDIS0, out);
}

Status Analysis::ReadDIS0() {
    const std::string path = FilenameDIS0;
    std::string text;
    if (Status s = readTextFile(path, text); !s)
        return s;
    return ReadDIS0Text(text);
}

Status Analysis::ReadDIS0Text(std::string_view text) {
    const std::string path = FilenameDIS0;
    // Read into a copy so that a file that fails half-way changes nothing.
    Analysis r = *this;
    std::string original;
    try {
        const TextLines lines(untilEndOfFileByte(text));
        HeaderReader in(lines, 0);
        in.skip();
        original = in.text(17);
        r.FilenameDIS0 = in.text(13);
        readSampleLines(in, r);
        readCountLines(in, r);
        if (std::string problem = rangeProblem(r); !problem.empty())
            return Status::failure(problem, path);
        in.skip();

        r.Time.clear();
        r.Current.clear();
        r.Reliability.clear();
        readDataRows(lines, in.nextLine(), r.NumberOfData, {&r.Time, &r.Current, &r.Reliability}, "data points");
    } catch (const ConvertError &e) {
        return Status::failure(e.what(), path);
    }
    *this = std::move(r);
    FilenameOriginal = std::move(original);
    return Status::success();
}
