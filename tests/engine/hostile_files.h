// Malformed and hostile measured-data and interpolated-data files, made from the golden
// fixtures, with a fragment of the message each must produce. Shared by the batch-tool and
// the window tests, so both refuse the same files.
#pragma once

#include "test_support.h"

#include <string>

struct Hostile {
    const char *name;
    std::string (*make)(const std::string &golden);
    const char *expected;  // a fragment of the message
};

inline std::string binaryGarbage(const std::string &) {
    std::string bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>((i * 7919) % 256);
    return bytes;
}

inline const Hostile kDis0[] = {
    {"empty file", [](const std::string &) { return std::string(); }, "ends inside its header"},
    {"binary garbage", binaryGarbage, "ends inside its header"},
    {"a 10 MB line", [](const std::string &g) { return std::string(10'000'000, 'x') + "\r\n" + g; },
     "is not a valid floating point value"},
    {"count 2^31-1 with three data lines",
     [](const std::string &g) { return replaceAll(g, "% Number of data: 4", "% Number of data: 2147483647"); },
     "the file ends after 4 of its 2147483647 data points"},
    {"negative count", [](const std::string &g) { return replaceAll(g, "% Number of data: 4", "% Number of data: -1"); },
     "negative"},
    {"non-numeric count",
     [](const std::string &g) { return replaceAll(g, "% Number of data: 4", "% Number of data: many"); },
     "'many' is not a valid integer value"},
    {"NaN in the header", [](const std::string &g) { return replaceAll(g, "[mm^2]: 0.785", "[mm^2]: NaN"); },
     "'NaN' is not a valid floating point value"},
    {"inf in the header", [](const std::string &g) { return replaceAll(g, "[mm^2]: 0.785", "[mm^2]: inf"); },
     "'inf' is not a valid floating point value"},
    {"1e400 in the header", [](const std::string &g) { return replaceAll(g, "[mm^2]: 0.785", "[mm^2]: 1e400"); },
     "'1e400' is not a valid floating point value"},
    {"NaN in the data", [](const std::string &g) { return replaceAll(g, "2.5e-09", "nan"); },
     "'nan' is not a valid floating point value"},
    {"1e400 in the data", [](const std::string &g) { return replaceAll(g, "2.5e-09", "1e400"); },
     "'1e400' is not a valid floating point value"},
    {"times out of order", [](const std::string &g) { return replaceAll(g, "\r\n0.003 ", "\r\n0.0015 "); },
     "ascend"},
    {"zero current in the range", [](const std::string &g) { return replaceAll(g, "1.9e-09", "0"); }, "current"},
    {"negative current in the range", [](const std::string &g) { return replaceAll(g, "1.9e-09", "-1.9e-09"); },
     "current"},
    {"CR-only line ends", [](const std::string &g) { return replaceAll(g, "\r\n", "\r"); }, "ends inside its header"},
};

inline const Hostile kDis1[] = {
    {"empty file", [](const std::string &) { return std::string(); }, "ends inside its header"},
    {"binary garbage", binaryGarbage, "ends inside its header"},
    {"count 2^31-1 with three data lines",
     [](const std::string &g) {
         return replaceAll(g, "% Number of interpolated data: 3", "% Number of interpolated data: 2147483647");
     },
     "the file ends after 3 of its 2147483647 interpolated points"},
    {"negative count",
     [](const std::string &g) { return replaceAll(g, "% Number of interpolated data: 3", "% Number of interpolated data: -5"); },
     "-5"},
    {"zero count",
     [](const std::string &g) { return replaceAll(g, "% Number of interpolated data: 3", "% Number of interpolated data: 0"); },
     "at least 1"},
    {"non-numeric count",
     [](const std::string &g) { return replaceAll(g, "% Number of interpolated data: 3", "% Number of interpolated data: x"); },
     "'x' is not a valid integer value"},
    {"inf in the data", [](const std::string &g) { return replaceAll(g, "3.4e-09", "-inf"); },
     "'-inf' is not a valid floating point value"},
    {"CR-only line ends", [](const std::string &g) { return replaceAll(g, "\r\n", "\r"); }, "ends inside its header"},
};

