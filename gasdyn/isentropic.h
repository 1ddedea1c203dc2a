// The isentropic relations of a calorically perfect gas as functions of the Mach number M (> 0) and gamma
// (> 1), written to keep full precision from Mach 1e-4 to 1e4 (log1p and expm1 forms, no cancellation at
// the sonic point, where every starred ratio is exactly 1).
#pragma once

namespace gasdyn::isentropic {

double pressureRatio(double gamma, double M); // p/p0
double temperatureRatio(double gamma, double M); // T/T0
double densityRatio(double gamma, double M); // rho/rho0
double areaRatio(double gamma, double M); // A/A*, +inf when it leaves the double range
double logAreaRatio(double gamma, double M); // ln(A/A*), a series near Mach 1 where it vanishes
double sonicPressureRatio(double gamma, double M); // p/p*
double sonicTemperatureRatio(double gamma, double M); // T/T*
double sonicDensityRatio(double gamma, double M); // rho/rho*
double characteristicMach(double gamma, double M); // V/a*

// The Prandtl-Meyer angle of M >= 1 (0 at Mach 1), in radians and in degrees; a power series near Mach 1,
// where the two arc tangents of the plain form cancel.
double prandtlMeyerRadians(double gamma, double M);
double prandtlMeyer(double gamma, double M);
// The largest turning angle 90 (sqrt((gamma+1)/(gamma-1)) - 1) degrees, the limit of nu as M grows.
double largestTurningAngle(double gamma);
// The Mach angle asin(1/M) of M >= 1, degrees (90 at Mach 1).
double machAngle(double M);

} // namespace gasdyn::isentropic
