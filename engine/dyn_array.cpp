#include "engine/dyn_array.h"

DynArrayOutOfRange::DynArrayOutOfRange(long long index, long long length)
    : std::out_of_range("Range check error: index " + std::to_string(index) +
                        " is outside an array of length " + std::to_string(length)),
      index_(index), length_(length) {}

void DynArray::resize(int newLength) {
    values_.resize(newLength < 0 ? 0 : static_cast<std::size_t>(newLength), 0.0);
}

std::size_t DynArray::checked(long long index) const {
    if (index < 0 || index >= static_cast<long long>(values_.size()))
        throw DynArrayOutOfRange(index, static_cast<long long>(values_.size()));
    return static_cast<std::size_t>(index);
}
