#!/usr/bin/env python3
"""Reference values of the isentropic, normal-shock, Rayleigh, Fanno and Prandtl-Meyer flows, computed with
mpmath at 50 digits from the textbook forms of the relations, independently of the engine.

Writes reference.tsv: one row per state and quantity,
    flow  gamma  M  M2  quantity  value  inverse  kappa  branch
value: the quantity at the double Mach number M (M2 for the second Mach number of prandtl-meyer);
inverse: the exact Mach number whose quantity is the double `value` (for prandtl-meyer "theta|M1" the M2
of M1 and theta, "theta|M2" the M1 of M2 and theta), '-' where the quantity is not an input;
kappa: |d ln M / d ln value|, the sensitivity of that Mach number to the value's last digit;
branch: the branch that inversion needs ('-' for none).
Run: python3 make_reference.py > reference.tsv
"""
import mpmath as mp

mp.mp.dps = 50
GAMMAS = ["1.05", "1.1", "1.3", "1.4", "1.67", "2", "3"]
MACHS = sorted(set([float(mp.mpf(10) ** (mp.mpf(k) / 8)) for k in range(-32, 33)]
                   + [0.5, 0.9, 0.99, 0.999, 1.001, 1.01, 1.1, 1.5]))


def deg(x):
    return x * 180 / mp.pi


def isentropic(g, M):
    T0 = 1 + (g - 1) / 2 * M**2
    s = (g + 1) / 2
    out = {"M": M, "p/p0": T0 ** (-g / (g - 1)), "T/T0": 1 / T0, "rho/rho0": T0 ** (-1 / (g - 1)),
           "A/A*": (T0 / s) ** ((g + 1) / (2 * (g - 1))) / M, "p/p*": (s / T0) ** (g / (g - 1)), "T/T*": s / T0,
           "rho/rho*": (s / T0) ** (1 / (g - 1)), "V/a*": mp.sqrt(s * M**2 / T0)}
    if M >= 1:
        K = mp.sqrt((g + 1) / (g - 1))
        r = mp.sqrt(M**2 - 1)
        out["nu"] = deg(K * mp.atan(r / K) - mp.atan(r))
        out["mu"] = deg(mp.asin(1 / M))
    return out


def normal_shock(g, M):
    p = 1 + 2 * g / (g + 1) * (M**2 - 1)
    r = (g + 1) * M**2 / (2 + (g - 1) * M**2)
    p0 = r ** (g / (g - 1)) * p ** (-1 / (g - 1))
    return {"M1": M, "M2": mp.sqrt((1 + (g - 1) / 2 * M**2) / (g * M**2 - (g - 1) / 2)), "p2/p1": p,
            "rho2/rho1": r, "T2/T1": p / r, "p02/p01": p0, "p02/p1": p0 * (1 + (g - 1) / 2 * M**2) ** (g / (g - 1)),
            "(s2-s1)/R": -mp.log(p0)}


def rayleigh(g, M):
    P = (1 + g) / (1 + g * M**2)
    T = M**2 * P**2
    return {"M": M, "T0/T0*": 2 * (1 + g) * M**2 * (1 + (g - 1) / 2 * M**2) / (1 + g * M**2) ** 2, "T/T*": T,
            "p/p*": P, "rho/rho*": 1 / (M**2 * P), "p0/p0*": P * ((2 + (g - 1) * M**2) / (g + 1)) ** (g / (g - 1)),
            "V/V*": M**2 * P, "(s*-s)/R": mp.log(P) - g / (g - 1) * mp.log(T)}


def fanno(g, M):
    T = ((g + 1) / 2) / (1 + (g - 1) / 2 * M**2)
    A = isentropic(g, M)["A/A*"]
    return {"M": M, "4fL*/D": (1 - M**2) / (g * M**2) + (g + 1) / (2 * g) * mp.log((g + 1) * M**2 / (2 + (g - 1) * M**2)),
            "T/T*": T, "p/p*": mp.sqrt(T) / M, "rho/rho*": 1 / (M * mp.sqrt(T)), "p0/p0*": A, "V/V*": M * mp.sqrt(T),
            "(s*-s)/R": mp.log(A)}


def nu(g, M):
    return isentropic(g, M)["nu"]


def prandtl_meyer(g, M1, M2):
    a, b = isentropic(g, M1), isentropic(g, M2)
    return {"M1": M1, "M2": M2, "theta": b["nu"] - a["nu"], "nu1": a["nu"], "nu2": b["nu"], "mu1": a["mu"],
            "mu2": b["mu"], "p2/p1": b["p/p0"] / a["p/p0"], "T2/T1": b["T/T0"] / a["T/T0"],
            "rho2/rho1": b["rho/rho0"] / a["rho/rho0"]}


def branch(flow, quantity, g, M):
    two = {("isentropic", "A/A*"), ("rayleigh", "T0/T0*"), ("rayleigh", "p0/p0*"), ("rayleigh", "(s*-s)/R"),
           ("fanno", "4fL*/D"), ("fanno", "p0/p0*"), ("fanno", "(s*-s)/R")}
    if (flow, quantity) == ("rayleigh", "T/T*"):
        return "low" if M < 1 / mp.sqrt(g) else "high"
    if (flow, quantity) in two:
        return "-" if M == 1 else ("sub" if M < 1 else "sup")
    return "-"


def invert(f, target, M):
    """The Mach number near M whose f is target, and |d ln M / d ln target| there."""
    if target == 0 or M == 1 and abs(f(mp.mpf(1)) - target) == 0:
        return mp.mpf(M), mp.mpf(0)
    root = mp.findroot(lambda m: f(m) - target, mp.mpf(M), tol=mp.mpf(10) ** -80, maxsteps=200, verify=False)
    slope = mp.diff(f, root)
    kappa = abs(target / (root * slope)) if slope != 0 else mp.inf
    return root, kappa


def show(x):
    return repr(float(x)) if x is not None else "-"


def main():
    flows = {"isentropic": (isentropic, lambda M: M > 0, "M"), "normal-shock": (normal_shock, lambda M: M >= 1, "M1"),
             "rayleigh": (rayleigh, lambda M: M > 0, "M"), "fanno": (fanno, lambda M: M > 0, "M")}
    print("# " + __doc__.splitlines()[0])
    for gtext in GAMMAS:
        g = mp.mpf(gtext)
        for flow, (relations, allowed, machName) in flows.items():
            for Md in MACHS:
                if not allowed(Md):
                    continue
                M = mp.mpf(Md)
                for quantity, value in relations(g, M).items():
                    vd = mp.mpf(float(value))
                    inverse, kappa = "-", "-"
                    if quantity != machName and not (flow == "rayleigh" and quantity == "T/T*"
                                                     and abs(M - 1 / mp.sqrt(g)) < mp.mpf(10) ** -40):
                        root, k = invert(lambda m: relations(g, m)[quantity], vd, M)
                        inverse, kappa = show(root), show(k)
                    print("\t".join([flow, gtext, repr(Md), "0", quantity, show(value), inverse, kappa,
                                     branch(flow, quantity, g, M)]))
        for M1d in [m for m in MACHS if m >= 1]:
            M2d = M1d * 1.5
            M1, M2 = mp.mpf(M1d), mp.mpf(M2d)
            values = prandtl_meyer(g, M1, M2)
            for quantity, value in values.items():
                print("\t".join(["prandtl-meyer", gtext, repr(M1d), repr(M2d), quantity, show(value), "-", "-", "-"]))
            theta = mp.mpf(float(values["theta"]))
            nu1, nu2 = nu(g, M1), nu(g, M2)
            m2, k2 = invert(lambda m: nu(g, m) - nu1, theta, M2)
            m1, k1 = (M1, mp.mpf(0)) if M1d == 1 else invert(lambda m: nu2 - nu(g, m), theta, M1)
            print("\t".join(["prandtl-meyer", gtext, repr(M1d), repr(M2d), "theta|M1", show(theta), show(m2), show(k2), "-"]))
            print("\t".join(["prandtl-meyer", gtext, repr(M1d), repr(M2d), "theta|M2", show(theta), show(m1), show(k1), "-"]))


main()
