// The conical shock inside the engine: the Taylor-Maccoll flow between an attached conical shock and its cone.
// Angles in radians.
#pragma once

namespace gasdyn::conical {

// The flow on the cone surface behind a conical shock of wave angle beta in a stream of Mach number M1.
struct Surface {
    bool reached = false; // false when the integration met a singular point or ran out of steps
    double thetaC = 0.0; // cone half-angle
    double Mc = 0.0; // Mach number on the surface
    double Tc = 1.0; // temperature on the surface over the temperature just behind the shock
    int steps = 0; // Dormand-Prince steps taken
};

// Integrates the Taylor-Maccoll equation from the shock (beta strictly between the Mach angle and pi/2) inward
// until the velocity component normal to the rays vanishes. relTol bounds each step's relative error.
Surface surface(double gamma, double M1, double beta, double relTol = 1e-12);

// The largest cone half-angle with an attached shock for M1 and its wave angle, by Brent's method on theta_c(beta)
// between the Mach angle and the normal shock.
struct Largest {
    double thetaC;
    double beta;
    int steps;
};
Largest largest(double gamma, double M1);

} // namespace gasdyn::conical
