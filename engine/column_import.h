// Splitting raw measurement text into numbered fields, as the import window does.
#pragma once

#include <string_view>
#include <vector>

struct ImportedColumns {
    std::vector<double> time;
    std::vector<double> current;
};

// For every line: leading blanks and control characters removed, fields split at spaces,
// tabs and commas (runs count as one), each field's leading number taken (0 when it has
// none). Field `timeColumn` goes to time, `currentColumn` to current (1-based; 0 = none).
// CR, LF and CR LF all end a line; a final empty line does not count.
ImportedColumns splitColumns(std::string_view text, int timeColumn, int currentColumn);
