// Synthetic interpolated transients for the sweep tests and benchmarks: grid times
// t_g = 10^(x0 + step * g), a leakage current plus the current of each trap,
// I(t) = q * A * 0.01 * N_t * e_t * exp(-e_t * t), and multiplicative noise from a fixed seed:
// a slowly wandering part, as a smoothing leaves, and a white part.
#pragma once

#include "engine/analysis.h"
#include "engine/physics.h"

#include <cmath>
#include <random>
#include <vector>

struct Trap {
    double emissionRate;  // s^-1
    double density;       // cm^-2
};

struct Transient {
    int n = 6001;
    double firstExponent = -3.0;
    double step = 0.001;
    std::vector<Trap> traps;
    double leakage = 1e-14;     // A
    double smoothNoise = 0.0;   // relative size of the wandering part
    double whiteNoise = 0.0;    // relative size of the point-to-point part
    unsigned seed = 1;
    double area = 1.0;          // mm^2
};

inline std::vector<double> gridTimes(int n, double firstExponent, double step) {
    std::vector<double> t(n);
    for (int g = 0; g < n; ++g)
        t[g] = std::pow(10.0, firstExponent + step * g);
    return t;
}

// Puts the curve into r as a smoothing would: grid, currents, count and CurrentAtEnd.
inline void setInterpolated(Analysis &r, const std::vector<double> &time, const std::vector<double> &current) {
    const int n = static_cast<int>(time.size());
    r.NumberOfInterpolatedData = n;
    r.InterpolatedTime.resize(n);
    r.InterpolatedCurrent.resize(n);
    for (int g = 0; g < n; ++g) {
        r.InterpolatedTime[g] = time[g];
        r.InterpolatedCurrent[g] = current[g];
    }
    r.CurrentAtEnd = n > 0 ? current.back() : 0.0;
}

inline Analysis makeTransient(const Transient &shape) {
    std::mt19937_64 random(shape.seed);
    std::normal_distribution<double> gauss;
    const std::vector<double> time = gridTimes(shape.n, shape.firstExponent, shape.step);
    std::vector<double> current(time.size());
    double wander = 0.0;
    for (std::size_t g = 0; g < time.size(); ++g) {
        double clean = shape.leakage;
        for (const Trap &trap : shape.traps)
            clean += kElementaryCharge_C * shape.area * kAreaFactor_cm2PerMm2 * trap.density * trap.emissionRate *
                     std::exp(-trap.emissionRate * time[g]);
        wander = 0.98 * wander + 0.2 * gauss(random);
        current[g] = clean * (1.0 + shape.smoothNoise * wander + shape.whiteNoise * gauss(random));
    }
    Analysis r;
    r.Area = shape.area;
    setInterpolated(r, time, current);
    return r;
}
