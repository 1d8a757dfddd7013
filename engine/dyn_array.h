// The record's two kinds of double arrays: plain growing sequences, and
// range-checked arrays whose every indexed access is verified.
#pragma once

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// Appended to one value at a time, emptied by Clear; callers keep indexes in bounds.
using Sequence = std::vector<double>;

// Raised by a range-checked array for an index outside 0 .. length-1. It is not a
// floating-point or conversion error, so handlers can tell the two apart.
class DynArrayOutOfRange : public std::out_of_range {
public:
    DynArrayOutOfRange(long long index, long long length);
    long long index() const noexcept { return index_; }
    long long length() const noexcept { return length_; }

private:
    long long index_;
    long long length_;
};

class DynArray {
public:
    DynArray() = default;

    int length() const noexcept { return static_cast<int>(values_.size()); }

    // Keeps the first min(old, new) elements; new elements are 0.0.
    void resize(int newLength);

    double &operator[](long long index) { return values_[checked(index)]; }
    double operator[](long long index) const { return values_[checked(index)]; }

    // Unchecked views for the numerics, which walk whole arrays whose length they know.
    std::span<const double> values() const noexcept { return values_; }
    std::span<double> values() noexcept { return values_; }

    bool operator==(const DynArray &) const = default;

private:
    std::size_t checked(long long index) const;

    std::vector<double> values_;
};
