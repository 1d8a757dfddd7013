// Physical constants of the analysis.
#pragma once

// Elementary charge as the method has always used it (not the current standard value).
inline constexpr double kElementaryCharge_C = 1.6021e-19;
// Electrode areas are entered in mm^2 and used in cm^2.
inline constexpr double kAreaFactor_cm2PerMm2 = 0.01;
