// The oblique shock inside the engine: the jump across a shock of given wave angle, shared by the conical
// shock, and the angles that bound its branches. Angles are in radians here unless a name says degrees.
#pragma once

namespace gasdyn::oblique {

// The state behind an oblique shock, from the free stream.
struct Jump {
    double Mn1; // normal Mach number ahead (1 for a Mach wave)
    double Mn2; // normal Mach number behind
    double M2; // Mach number behind
    double p; // p2/p1
    double rho; // rho2/rho1
    double T; // T2/T1
    double p0; // p02/p01
    double theta; // deflection, radians
};

// The jump across a wave of angle beta (sine s, cosine c, 0 < beta <= pi/2) in a stream of Mach number M1 > 1.
// A wave at or below the Mach angle is a Mach wave: every ratio 1, M2 = M1, no deflection. Ratios that leave the
// double range come out infinite.
Jump jump(double gamma, double M1, double s, double c);

// Deflection (radians) for a wave of sine s and cosine c in a stream of M1 > 1 (+infinity for the hypersonic
// limit). Zero at or below the Mach angle.
double deflectionRad(double gamma, double M1, double s, double c);

// sin^2 beta - 1/M1^2 (that is (Mn1^2 - 1)/M1^2) without the cancellation of 1/M1 near a normal shock.
double excessOverMach(double M1, double s, double c);

// The Mach angle of M1 > 1, radians.
double machAngle(double M1);

// 1 - 1/M^2 without cancellation near M = 1; 1 for M = +infinity.
double oneMinusInverseSquare(double M);

// The largest deflection (radians) for M1 > 1 or +infinity, from the closed form of its wave angle, which
// betaRad receives when given.
double largestDeflectionRad(double gamma, double M1, double* betaRad = nullptr);

// The sine and cosine of an angle in degrees (0 to 90), each to full relative precision.
struct SinCos {
    double s;
    double c;
};
SinCos sinCosDegrees(double degrees);

// The wave angle of the largest deflection (radians) for M1 > 1 or +infinity, from its closed form.
double detachmentBeta(double gamma, double M1);

// The wave angle (radians) on the given branch (weak: from the Mach angle to the detachment angle; strong: from
// there to pi/2) whose deflection is tanTheta, found by TOMS 748 on that bracket. tanTheta must lie between 0
// and the tangent of the largest deflection. passes receives the iterations used.
double waveAngle(double gamma, double M1, double tanTheta, bool strong, int& passes);

} // namespace gasdyn::oblique
