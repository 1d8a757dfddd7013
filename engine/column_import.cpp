#include "engine/column_import.h"

#include "engine/analysis.h"
#include "engine/number_format.h"

#include <algorithm>

namespace {

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }

void splitLine(std::string_view line, int timeColumn, int currentColumn, ImportedColumns &out) {
    std::size_t i = 0;
    while (i < line.size() && static_cast<unsigned char>(line[i]) <= 0x20)
        ++i;
    int column = 0;
    while (i < line.size()) {
        while (i < line.size() && isSeparator(line[i]))
            ++i;
        if (i >= line.size())
            break;
        const std::size_t start = i;
        while (i < line.size() && !isSeparator(line[i]))
            ++i;
        ++column;
        if (column != timeColumn && column != currentColumn)
            continue;
        const double value = parseLeadingNumber(line.substr(start, i - start));
        if (column == timeColumn)
            out.time.push_back(value);
        if (column == currentColumn)
            out.current.push_back(value);
    }
}

}  // namespace

ImportedColumns splitColumns(std::string_view text, int timeColumn, int currentColumn) {
    ImportedColumns out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        splitLine(text.substr(start, end - start), timeColumn, currentColumn, out);
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return out;
}

bool Analysis::ImportColumns() {
    // Only complete (time, current) pairs count.
    const std::size_t n = std::min(Time.size(), Current.size());
    std::size_t count = 0;
    if (n > 0 && Current[0] > 0) {
        while (count < n && Current[count] > 0)
            ++count;
    } else {
        while (count < n && Current[count] < 0)
            ++count;
        for (std::size_t i = 0; i < count; ++i)
            Current[i] = -Current[i];
    }
    NumberOfData = static_cast<std::int32_t>(std::min<std::size_t>(count, 0x7fffffff));
    Reliability.insert(Reliability.end(), static_cast<std::size_t>(NumberOfData), 1.0);
    IndexOfBeginning = 0;
    IndexOfEnding = NumberOfData - 1;
    return true;
}

Status Analysis::ImportText(std::string_view text, int timeColumn, int currentColumn) {
    if (timeColumn < 1 || timeColumn > 9)
        return Status::failure("choose the column of time (1 to 9)");
    if (currentColumn < 1 || currentColumn > 9)
        return Status::failure("choose the column of the transient current (1 to 9)");
    Analysis r = *this;
    r.Clear();
    ImportedColumns columns = splitColumns(text, timeColumn, currentColumn);
    r.Time = std::move(columns.time);
    r.Current = std::move(columns.current);
    r.ImportColumns();
    if (r.NumberOfData < 2)
        return Status::failure(
            "the text yields " + formatInteger(r.NumberOfData) +
            " usable points; at least 2 are needed (the data end at the first current that is 0 or changes "
            "sign, so delete comment and header lines first)");
    *this = std::move(r);
    return Status::success();
}
