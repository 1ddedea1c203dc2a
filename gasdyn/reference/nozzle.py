#!/usr/bin/env python3
# Reference states of the converging-diverging nozzle, in 50-digit arithmetic (mpmath), written to nozzle.tsv.
# Independent of the engine's method: the shock is placed by solving for its area ratio As/At, such that the
# isentropic subsonic flow behind it (throat A2* = At / (p02/p01)) reaches the exit at the back pressure.
import mpmath as mp

mp.mp.dps = 50


def p_ratio(g, M):
    return (1 + (g - 1) / 2 * M * M) ** (-g / (g - 1))


def area(g, M):
    return ((2 / (g + 1)) * (1 + (g - 1) / 2 * M * M)) ** ((g + 1) / (2 * (g - 1))) / M


def bisect(f, lo, hi):
    flo = f(lo)
    for _ in range(400):
        mid = (lo + hi) / 2
        fm = f(mid)
        if (fm > 0) == (flo > 0):
            lo, flo = mid, fm
        else:
            hi = mid
    return (lo + hi) / 2


def mach(g, A, sup):
    if A == 1:
        return mp.mpf(1)
    lo, hi = (mp.mpf(1), mp.mpf(100)) if sup else (mp.mpf('1e-30'), mp.mpf(1))
    return bisect(lambda M: area(g, M) - A, lo, hi)


def pitot_loss(g, M):
    a = ((g + 1) * M * M / ((g - 1) * M * M + 2)) ** (g / (g - 1))
    b = ((g + 1) / (2 * g * M * M - (g - 1))) ** (1 / (g - 1))
    return a * b


def state(g, A, r):
    Msub, Msup = mach(g, A, False), mach(g, A, True)
    psub, pdes = p_ratio(g, Msub), p_ratio(g, Msup)
    pes = pdes * (1 + 2 * g / (g + 1) * (Msup ** 2 - 1)) if A > 1 else psub
    if r >= psub:
        Me = mp.sqrt((r ** (-(g - 1) / g) - 1) * 2 / (g - 1))
        Mt = mach(g, area(g, Me) / A, False) if A > 1 else Me
        return 'subsonic', Mt, Me, r, mp.mpf(1), None, None, None
    if r >= pes:
        def exit_p(As):
            M1 = mach(g, As, True)
            loss = pitot_loss(g, M1)
            return loss * p_ratio(g, mach(g, A * loss, False)) - r
        As = bisect(exit_p, mp.mpf(1), A)
        M1 = mach(g, As, True)
        loss = pitot_loss(g, M1)
        Me = mach(g, A * loss, False)
        M2 = mp.sqrt((1 + (g - 1) / 2 * M1 ** 2) / (g * M1 ** 2 - (g - 1) / 2))
        return 'shock in nozzle', mp.mpf(1), Me, r, loss, As, M1, M2
    regime = 'overexpanded' if r > pdes else 'underexpanded'
    return regime, mp.mpf(1), Msup, pdes, mp.mpf(1), None, None, None


rows = []
for g in ('1.1', '1.3', '1.4', '1.67'):
    for A in ('1', '1.6', '2', '3', '16'):
        for r in ('0.999', '0.95', '0.9', '0.7', '0.5', '0.3', '0.1', '0.01'):
            rows.append((g, A, r))
with open('nozzle.tsv', 'w') as out:
    out.write('gamma\tAe/At\tpb/p0\tregime\tMt\tMe\tpe/p0\tp0e/p0\tAs/At\tMs1\tMs2\n')
    for g, A, r in rows:
        regime, *values = state(mp.mpf(g), mp.mpf(A), mp.mpf(r))
        cells = ['' if v is None else mp.nstr(v, 20) for v in values]
        out.write('\t'.join([g, A, r, regime] + cells) + '\n')
