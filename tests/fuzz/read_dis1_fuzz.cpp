// libFuzzer target: any bytes as a *.DIS1 file. A read either fails and leaves the record
// as it was, or succeeds with a grid whose length and last current agree with its count.
#include "engine/analysis.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    Analysis r;
    r.Clear();
    r.Material = "before";
    r.NumberOfInterpolatedData = 7;
    r.FilenameDIS1 = "fuzz.DIS1";
    FilenameOriginal = "original";
    const Status s = r.ReadDIS1Text(std::string_view(reinterpret_cast<const char *>(data), size));
    if (!s) {
        if (r.Material != "before" || r.NumberOfInterpolatedData != 7 || r.FilenameDIS1 != "fuzz.DIS1" ||
            FilenameOriginal != "original" || r.InterpolatedTime.length() != 1 || s.message.empty())
            std::abort();
        return 0;
    }
    const int m = r.NumberOfInterpolatedData;
    if (m < 1 || r.InterpolatedTime.length() != m || r.InterpolatedCurrent.length() != m ||
        !(r.CurrentAtEnd == r.InterpolatedCurrent[m - 1]))
        std::abort();
    return 0;
}
