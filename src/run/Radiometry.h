#pragma once

#include "model/Extended.h"
#include "model/SpectralArrays.h"

namespace tessolan {

// The temperature of the blackbody whose spectral radiance at lambda (micrometres) equals
// epsilon times the blackbody radiance at t0. Zero for epsilon 0 or t0 below 1e-6 K; where the
// closed form meets a non-finite intermediate the Wien-limit form stands in.
Extended RadianceTemperature(Extended lambda, Extended epsilon, Extended t0);

// Turns the run sums held in ArrEEIso and ArrEE into effective emissivities and fills the
// radiance temperatures, wavelength by wavelength.
void NormaliseRun(SpectralArrays& spectral, Extended sumW, Extended tref);

}  // namespace tessolan
