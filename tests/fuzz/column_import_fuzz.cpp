// libFuzzer target: any bytes as raw column text, with the two columns taken from the first
// byte. An import either fails and changes nothing, or yields at least two points with
// positive currents and weights of 1.
#include "engine/analysis.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    const int timeColumn = data[0] % 10;
    const int currentColumn = (data[0] / 10) % 10;
    Analysis r;
    r.Clear();
    r.Material = "before";
    const Status s = r.ImportText(std::string_view(reinterpret_cast<const char *>(data + 1), size - 1), timeColumn,
                                  currentColumn);
    if (!s) {
        if (r.Material != "before" || r.NumberOfData != 0 || s.message.empty())
            std::abort();
        return 0;
    }
    const auto n = static_cast<std::size_t>(r.NumberOfData);
    if (n < 2 || r.Time.size() < n || r.Current.size() < n || r.Reliability.size() != n ||
        r.IndexOfEnding != r.NumberOfData - 1)
        std::abort();
    for (std::size_t i = 0; i < n; ++i)
        if (!(r.Current[i] > 0) || r.Reliability[i] != 1.0)
            std::abort();
    return 0;
}
