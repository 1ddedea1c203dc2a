#!/usr/bin/env python3
"""Reference values of the oblique and conical shocks at 40 digits, for the engine's tests.

The oblique shock from its textbook relations; the wave angle of a deflection and the Mach number of a
deflection and wave angle by mpmath's root finder; the conical shock by mpmath's Taylor-series integrator
(odefun) on the Taylor-Maccoll equation in velocities over the limiting speed, from the shock to the cone.
Every input is first rounded to a double, so the values are exact for the inputs the tests pass.
Writes oblique.csv, conical.csv and conical_thin.csv beside this script.
"""
import os
from mpmath import mp, mpf, sin, cos, tan, atan, asin, sqrt, pi, log, exp, findroot, odefun, diff

mp.dps = 40
HERE = os.path.dirname(os.path.abspath(__file__))
DEG = 180 / pi


def d(x):
    return float(x)


def r(x):
    return repr(float(x)) if not isinstance(x, float) else repr(x)


def deflection(g, M, b):  # radians
    return atan(2 / tan(b) * (M**2 * sin(b)**2 - 1) / (M**2 * (g + cos(2 * b)) + 2))


def jump(g, M, b):
    mn1 = M * sin(b)
    mn2 = sqrt((1 + (g - 1) / 2 * mn1**2) / (g * mn1**2 - (g - 1) / 2))
    p = 1 + 2 * g / (g + 1) * (mn1**2 - 1)
    rho = (g + 1) * mn1**2 / ((g - 1) * mn1**2 + 2)
    T = p / rho
    p0 = rho**(g / (g - 1)) * p**(-1 / (g - 1))
    th = deflection(g, M, b)
    m2 = mn2 / sin(b - th)
    return mn1, mn2, m2, p, rho, T, p0, th


def beta_max(g, M):
    f = lambda b: diff(lambda x: deflection(g, M, x), b)
    mu = asin(1 / M)
    # golden-free: the derivative changes sign once between the Mach angle and 90 degrees
    return findroot(f, (mu + mpf('1e-30'), pi / 2 - mpf('1e-30')), solver='anderson')


def beta_sonic(g, M):
    return findroot(lambda b: jump(g, M, b)[2] - 1, (asin(1 / M) + mpf('1e-30'), beta_max(g, M)), solver='anderson')


def oblique():
    rows = []
    for g in (1.05, 1.1, 1.4, 5 / 3, 2.2, 3.0):
        for M in (1.0001, 1.05, 1.5, 2.0, 3.0, 7.5, 25.0, 300.0, 1e4):
            gm, Mm = mpf(g), mpf(M)
            mu = asin(1 / Mm)
            bmax = beta_max(gm, Mm)
            bs = beta_sonic(gm, Mm)
            thmax = deflection(gm, Mm, bmax)
            for frac in (0.03, 0.2, 0.45, 0.7, 0.9, 0.99):
                b = d((mu + frac * (pi / 2 - mu)) * DEG)  # the double input, degrees
                bm = mpf(b) / DEG
                mn1, mn2, m2, p, rho, T, p0, th = jump(gm, Mm, bm)
                slope = diff(lambda x: deflection(gm, Mm, x), bm)  # d theta / d beta
                thd = d(th * DEG)  # the deflection as a double input
                thm = mpf(thd) / DEG
                lo, hi = (mu, bmax) if bm < bmax else (bmax, pi / 2)
                binv = findroot(lambda x: deflection(gm, Mm, x) - thm, (lo, hi), solver='anderson')
                branch = 'weak' if bm < bmax else 'strong'
                # M1 from the double deflection and wave angle
                m1inv = sqrt(2 * (1 / tan(bm) + tan(thm)) / (sin(2 * bm) - tan(thm) * (gm + cos(2 * bm))))
                rows.append([g, M, b, th * DEG, mn1, mn2, m2, p, rho, T, p0, thmax * DEG, bmax * DEG, bs * DEG,
                             slope, thd, branch, binv * DEG, m1inv])
    with open(os.path.join(HERE, 'oblique.csv'), 'w') as out:
        out.write('gamma,M1,beta,theta,Mn1,Mn2,M2,p2/p1,rho2/rho1,T2/T1,p02/p01,theta_max,beta_max,beta_sonic,'
                  'dtheta/dbeta,theta_in,branch,beta_of_theta_in,M1_of_theta_in\n')
        for row in rows:
            out.write(','.join(x if isinstance(x, str) else mp.nstr(x, 20) if not isinstance(x, float) else repr(x)
                               for x in row) + '\n')


def cone(g, M, b):
    """theta_c, Mc, M2, pc/p1, Tc/T1, rhoc/rho1, p02/p01 for wave angle b (radians)."""
    mn1, mn2, m2, p, rho, T, p0, th = jump(g, M, b)
    v2 = 1 / sqrt(2 / ((g - 1) * m2**2) + 1)
    # phi = b - theta from 0; y = (Vr, Vtheta)
    def rhs(phi, y):
        t = b - phi
        vr, vt = y
        a = (g - 1) / 2 * (1 - vr**2 - vt**2)
        dvt = (vt**2 * vr - a * (2 * vr + vt * cos(t) / sin(t))) / (a - vt**2)
        return [-vt, -dvt]
    sol = odefun(rhs, 0, [v2 * cos(b - th), -v2 * sin(b - th)])
    # march to the sign change of Vtheta, then refine
    h = b / 64
    phi = mpf(0)
    while sol(phi + h)[1] < 0:
        phi += h
    end = findroot(lambda x: sol(x)[1], (phi, phi + h), solver='anderson')
    vc = sol(end)[0]
    mc = sqrt(2 / (g - 1) * vc**2 / (1 - vc**2))
    tc = T * (1 - vc**2) / (1 - v2**2)
    pc = p * ((1 - vc**2) / (1 - v2**2))**(g / (g - 1))
    rhoc = rho * ((1 - vc**2) / (1 - v2**2))**(1 / (g - 1))
    return b - end, mc, m2, pc, tc, rhoc, p0


def conical():
    mp.dps = 20
    rows = []
    for g, M in ((1.4, 2.0), (1.4, 1.2), (1.1, 10.0), (3.0, 1.5)):
        gm, Mm = mpf(g), mpf(M)
        mu = asin(1 / Mm)
        # the largest cone angle: golden-section search on theta_c(beta)
        a, c = mu + (pi / 2 - mu) * mpf('0.2'), pi / 2 - (pi / 2 - mu) * mpf('0.05')
        k = (sqrt(5) - 1) / 2
        x1, x2 = c - k * (c - a), a + k * (c - a)
        f1, f2 = cone(gm, Mm, x1)[0], cone(gm, Mm, x2)[0]
        while c - a > mpf('1e-7'):
            if f1 > f2:
                c, x2, f2 = x2, x1, f1
                x1 = c - k * (c - a)
                f1 = cone(gm, Mm, x1)[0]
            else:
                a, x1, f1 = x1, x2, f2
                x2 = a + k * (c - a)
                f2 = cone(gm, Mm, x2)[0]
        bstar = (a + c) / 2
        tmax = cone(gm, Mm, bstar)[0]
        for frac in (0.05, 0.3, 0.6, 0.9):
            b = d((mu + frac * (bstar - mu)) * DEG)
            vals = cone(gm, Mm, mpf(b) / DEG)
            rows.append([g, M, b, vals[0] * DEG] + list(vals[1:]) + [tmax * DEG, bstar * DEG])
            print(g, M, b, mp.nstr(vals[0] * DEG, 15), flush=True)
    with open(os.path.join(HERE, 'conical.csv'), 'w') as out:
        out.write('gamma,M1,beta,theta_c,Mc,M2,pc/p1,Tc/T1,rhoc/rho1,p02/p01,theta_c_max,beta_of_max\n')
        for row in rows:
            out.write(','.join(repr(x) if isinstance(x, float) else mp.nstr(x, 20) for x in row) + '\n')


def thin_cones():
    """Thin cones: wave angles a small distance (radians) above the Mach angle, where the flow departs from the
    free stream by about the shock's strength Mn1^2 - 1."""
    mp.dps = 20
    rows = []
    for g, M, dist in ((1.4, 1.2, 1e-5), (1.4, 1.5, 1e-5), (1.4, 2.0, 1e-6), (1.4, 2.0, 1e-5), (1.4, 10.0, 1e-6),
                       (1.1, 5.0, 1e-6), (3.0, 1.5, 1e-5)):
        gm, Mm = mpf(g), mpf(M)
        b = d((asin(1 / Mm) + mpf(dist)) * DEG)
        vals = cone(gm, Mm, mpf(b) / DEG)
        rows.append([g, M, b, vals[0] * DEG, vals[1], vals[3], vals[4]])
        print(g, M, b, mp.nstr(vals[0] * DEG, 15), flush=True)
    with open(os.path.join(HERE, 'conical_thin.csv'), 'w') as out:
        out.write('gamma,M1,beta,theta_c,Mc,pc/p1,Tc/T1\n')
        for row in rows:
            out.write(','.join(repr(x) if isinstance(x, float) else mp.nstr(x, 20) for x in row) + '\n')


if __name__ == '__main__':
    oblique()
    conical()
    thin_cones()
