// The e_ref stepping of "<<" and ">>" on the signal tab: a tenth of a decade of the
// magnitude per press, through magnitudes 0.0001 .. 0.99 and across 0 between the
// smallest positive and the smallest negative value.
#pragma once

double erefStepDown(double eref);
double erefStepUp(double eref);
