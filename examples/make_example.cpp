// Generates the bundled example measurement: a discharge transient of two traps whose
// emission rates lie a factor of 100 apart, on a small leakage current, with 0.2 %
// Gaussian noise, sampled 30 points per decade from 1 ms to 1000 s.
//
//   I(t) = q * A * (N1 e1 exp(-e1 t) + N2 e2 exp(-e2 t)) + I_leak,   A in cm^2
//
// usage: make-example OUT.DIS0
// The noise comes from a fixed seed through a portable generator and transformation, so
// the same file is produced on every machine.
#include "engine/analysis.h"
#include "engine/physics.h"

#include <cmath>
#include <cstdint>
#include <iostream>
#include <numbers>
#include <random>

namespace {

struct Trap {
    double density_cm2;
    double emissionRate_perS;
};

constexpr Trap kTraps[] = {{1.0e12, 1.0}, {2.0e12, 0.01}};
constexpr double kLeakage_A = 1.0e-13;
constexpr double kRelativeNoise = 0.002;
constexpr std::uint64_t kSeed = 20070123;
constexpr int kPointsPerDecade = 30;
constexpr int kFirstDecade = -3;  // 1 ms
constexpr int kLastDecade = 3;    // 1000 s

// Uniform in (0, 1) from the top 53 bits, independent of the standard library's
// distribution implementations.
double uniform(std::mt19937_64 &engine) { return (static_cast<double>(engine() >> 11) + 0.5) * 0x1.0p-53; }

// Standard normal deviate by the Box-Muller transform.
double gaussian(std::mt19937_64 &engine) {
    const double u1 = uniform(engine), u2 = uniform(engine);
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::cerr << "usage: make-example OUT.DIS0\n";
        return 2;
    }
    Analysis &r = C;
    r.Clear();
    r.FilenameDIS0 = argv[1];
    r.NameOfMeasurement = "example";
    r.DateOfMeasurement = "2007/01/23";
    r.SampleNumber = "EX-2";
    r.Material = "organic semiconductor film";
    r.Temperature = 300.0;
    r.Area = 1.0;
    r.SampleThickness = 100.0;
    r.ChargeVoltage = 5.0;
    r.ChargeTime = 600.0;
    r.DischargeVoltage = 0.0;
    r.Comment = "synthetic: traps 1E12 cm^-2 at 1 s^-1 and 2E12 cm^-2 at 0.01 s^-1";

    std::mt19937_64 engine(kSeed);
    const double area_cm2 = r.Area * kAreaFactor_cm2PerMm2;
    for (int k = 0; k <= (kLastDecade - kFirstDecade) * kPointsPerDecade; ++k) {
        const double t = std::pow(10.0, kFirstDecade + static_cast<double>(k) / kPointsPerDecade);
        double current = kLeakage_A;
        for (const Trap &trap : kTraps)
            current += kElementaryCharge_C * area_cm2 * trap.density_cm2 * trap.emissionRate_perS *
                       std::exp(-trap.emissionRate_perS * t);
        current *= 1.0 + kRelativeNoise * gaussian(engine);
        r.Time.push_back(t);
        r.Current.push_back(current);
        r.Reliability.push_back(1.0);
    }
    r.NumberOfData = static_cast<int>(r.Time.size());
    r.IndexOfBeginning = 0;
    r.IndexOfEnding = r.NumberOfData - 1;

    if (Status s = r.WriteDIS0(); !s) {
        std::cerr << "make-example: " << s.describe() << "\n";
        return 1;
    }
    std::cout << "wrote " << r.NumberOfData << " points to " << r.FilenameDIS0 << "\n";
    return 0;
}
