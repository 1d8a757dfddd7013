#include "ui/main/eref_steps.h"

#include <cmath>

namespace {

constexpr double kSmallestMagnitude = 0.0001;
constexpr double kLargestMagnitude = 0.99;
constexpr double kStepDecades = 0.1;
constexpr double kLowestExponent = -4.0;

}  // namespace

double erefStepDown(double eref) {
    if (eref == 0.0)
        return -kSmallestMagnitude;
    if (eref > 0.0) {
        const double m = std::log10(eref) - kStepDecades;
        return m >= kLowestExponent ? std::pow(10.0, m) : 0.0;
    }
    const double m = std::log10(-eref) + kStepDecades;
    return m < 0.0 ? -std::pow(10.0, m) : -kLargestMagnitude;
}

double erefStepUp(double eref) {
    if (eref == 0.0)
        return kSmallestMagnitude;
    if (eref > 0.0) {
        const double m = std::log10(eref) + kStepDecades;
        return m < 0.0 ? std::pow(10.0, m) : kLargestMagnitude;
    }
    const double m = std::log10(-eref) - kStepDecades;
    return m >= kLowestExponent ? -std::pow(10.0, m) : 0.0;
}
