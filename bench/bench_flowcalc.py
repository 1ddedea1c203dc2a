#!/usr/bin/env python3
"""Times the Python module's array solves (best of five) and prints a Markdown table.
Usage: PYTHONPATH=build/python/module python3 bench/bench_flowcalc.py"""
import time

import numpy as np

import flowcalc


def best(call, repeats=5):
    times = []
    for _ in range(repeats):
        start = time.perf_counter()
        call()
        times.append(time.perf_counter() - start)
    return min(times)


CASES = [
    ("1,000,000 isentropic states from M", 0.05,
     lambda m=np.linspace(0.05, 5.0, 1_000_000): flowcalc.solve("isentropic", {"M": m})),
    ("100,000 supersonic A/A* inversions", 0.03,
     lambda a=np.linspace(1.001, 50.0, 100_000): flowcalc.solve("isentropic", {"A/A*": a}, branch="sup")),
    ("100,000 weak oblique shocks from theta", 0.05,
     lambda t=np.linspace(0.5, 30.0, 100_000): flowcalc.solve("oblique-shock", {"M1": 3.0, "theta": t})),
]

print("| Python module (flowcalc.solve) | time | goal |")
print("|---|---|---|")
for label, goal, call in CASES:
    print(f"| {label} | {best(call):.3f} s | {goal} s |")
