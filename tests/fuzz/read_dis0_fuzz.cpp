// libFuzzer target: any bytes as a *.DIS0 file. A read either fails and leaves the record
// as it was, or succeeds with a record whose counts and range are consistent.
#include "engine/analysis.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    Analysis r;
    r.Clear();
    r.Material = "before";
    r.FilenameDIS0 = "fuzz.DIS0";
    FilenameOriginal = "original";
    const Status s = r.ReadDIS0Text(std::string_view(reinterpret_cast<const char *>(data), size));
    if (!s) {
        if (r.Material != "before" || r.FilenameDIS0 != "fuzz.DIS0" || FilenameOriginal != "original" ||
            r.NumberOfData != 0 || !r.Time.empty() || s.message.empty())
            std::abort();
        return 0;
    }
    const auto n = static_cast<std::size_t>(r.NumberOfData);
    if (r.Time.size() != n || r.Current.size() != n || r.Reliability.size() != n)
        std::abort();
    if (!(0 <= r.IndexOfBeginning && r.IndexOfBeginning < r.IndexOfEnding && r.IndexOfEnding <= r.NumberOfData - 1))
        std::abort();
    return 0;
}
