#!/usr/bin/env python3
"""U.S. Standard Atmosphere 1976 at 40 digits with mpmath, independent of the C++ code: writes
atmosphere.tsv (kind, altitude, z, H, T, p, rho, a, mu, nu). T is the molecular-scale temperature."""
from mpmath import mp, mpf, exp, sqrt, nstr

mp.dps = 40
R = mpf('8.31432e3') / mpf('28.9644')
G0 = mpf('9.80665')
R0 = mpf(6356766)
LAYERS = [(0, '-6.5'), (11000, '0'), (20000, '1'), (32000, '2.8'), (47000, '0'), (51000, '-2.8'), (71000, '-2')]
LAYERS = [(mpf(h), mpf(l) / 1000) for h, l in LAYERS]


def layer_state(H):
    T, p = mpf('288.15'), mpf(101325)
    for i, (hb, lapse) in enumerate(LAYERS):
        top = LAYERS[i + 1][0] if i + 1 < len(LAYERS) else mpf('inf')
        h = min(H, top) if H >= hb or i == 0 else hb
        if i > 0 and H < hb:
            break
        dh = h - hb
        if lapse == 0:
            p = p * exp(-G0 * dh / (R * T))
        else:
            Tn = T + lapse * dh
            p = p * (T / Tn) ** (G0 / (R * lapse))
            T = Tn
        if H <= top:
            break
    return T, p


def row(kind, alt):
    alt = mpf(alt)
    if kind == 'geometric':
        z, H = alt, R0 * alt / (R0 + alt)
    else:
        H, z = alt, R0 * alt / (R0 - alt)
    T, p = layer_state(H)
    rho = p / (R * T)
    a = sqrt(mpf('1.4') * R * T)
    mu = mpf('1.458e-6') * T ** mpf('1.5') / (T + mpf('110.4'))
    return [kind, nstr(alt, 10)] + [nstr(v, 17) for v in (z, H, T, p, rho, a, mu, mu / rho)]


ALTS = [-5000, -1000, 0, 500, 1000, 5000, 10000, 11000, 15000, 20000, 25000, 30000, 32000, 40000, 47000, 50000,
        51000, 60000, 71000, 80000, 84000, 86000]
with open('atmosphere.tsv', 'w') as out:
    out.write('kind\taltitude\tz\tH\tT\tp\trho\ta\tmu\tnu\n')
    for kind in ('geometric', 'geopotential'):
        for alt in ALTS:
            if kind == 'geopotential' and alt > 84852:
                continue
            out.write('\t'.join(row(kind, alt)) + '\n')
