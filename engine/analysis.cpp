#include "engine/analysis.h"

Analysis C;
std::string FilenameOriginal;

void Analysis::Clear() {
    for (std::string *name : {&FilenameDIS0, &FilenameDIS1, &FilenameKEST0, &FilenameKEST1, &FilenameErefP,
                              &FilenameErefN, &FilenameEref, &NameOfMeasurement, &DateOfMeasurement,
                              &NameOfAnalysis, &DateOfAnalysis, &SampleNumber, &Material, &Comment})
        name->clear();

    Temperature = 293.0;
    Area = 1.0;
    SampleThickness = 100.0;
    ChargeVoltage = 5.0;
    ChargeTime = 600.0;
    DischargeVoltage = 0.0;

    NumberOfData = 0;
    IndexOfBeginning = 0;
    IndexOfEnding = 0;

    Current.clear();
    Time.clear();
    Reliability.clear();

    Smoothness = 0.001;

    // Length 1, not 0: an existing first element keeps its value.
    InterpolatedCurrent.resize(1);
    InterpolatedTime.resize(1);
    Signal[0].resize(1);
    Signal[1].resize(1);

    IndexOfPeak = {0, 0};
    for (int a = 0; a < 2; ++a) {
        Eref[a] = 0.0;
        for (int p = 0; p < 2; ++p) {
            TimeOfPeak[a][p] = 0.0;
            SignalOfPeak[a][p] = 0.0;
            TrapDensity[a][p] = 0.0;
            EmissionRate[a][p] = 0.0;
            SignalOfTrap[a][p].resize(1);
        }
    }

    for (int m = 0; m < 3; ++m) {
        SweepEref[m].clear();
        SweepEmissionRate[m].clear();
        SweepDensity[m].clear();
    }
}
