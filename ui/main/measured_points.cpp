#include "ui/main/measured_points.h"

#include "engine/dyn_array.h"

namespace {

double checkedAt(const Sequence &values, long long i) {
    if (i < 0 || i >= static_cast<long long>(values.size()))
        throw DynArrayOutOfRange(i, static_cast<long long>(values.size()));
    return values[static_cast<std::size_t>(i)];
}

}  // namespace

double measuredTime(const Analysis &record, long long i) { return checkedAt(record.Time, i); }

double measuredCurrent_pA(const Analysis &record, long long i) {
    return checkedAt(record.Current, i) * kPicoamperePerAmpere;
}

MeasuredPoints measuredPoints(const Analysis &record, long long first, long long last) {
    MeasuredPoints points;
    if (last >= first) {
        // Checking both ends covers every point between them.
        measuredTime(record, first);
        measuredTime(record, last);
        measuredCurrent_pA(record, first);
        measuredCurrent_pA(record, last);
        points.times.assign(record.Time.begin() + first, record.Time.begin() + last + 1);
        points.currents_pA.reserve(static_cast<std::size_t>(last - first + 1));
        for (long long i = first; i <= last; ++i)
            points.currents_pA.push_back(record.Current[static_cast<std::size_t>(i)] * kPicoamperePerAmpere);
    }
    return points;
}
