"""The flowcalc module against the engine's reference data, its broadcasting, refusals and threading."""
import math
import os
import threading
import time

import numpy as np
import pytest

import flowcalc

REFERENCE = os.environ.get(
    "FLOWCALC_REFERENCE",
    os.path.join(os.path.dirname(__file__), "..", "..", "gasdyn", "reference", "reference.tsv"))


def reference_rows():
    rows = []
    with open(REFERENCE, encoding="utf-8") as lines:
        for line in lines:
            if not line.strip() or line.startswith("#"):
                continue
            flow, gamma, m, m2, quantity, value, inverse, kappa, branch = line.rstrip("\n").split("\t")
            rows.append((flow, float(gamma), float(m), float(m2), quantity, float(value),
                         None if inverse == "-" else float(inverse), None if branch in ("-", "") else branch,
                         0.0 if kappa == "-" else float(kappa)))
    return rows


ROWS = reference_rows()
FLOWS = sorted({row[0] for row in ROWS})


@pytest.mark.parametrize("flow", FLOWS)
def test_forward_values_match_reference(flow):
    rows = [row for row in ROWS if row[0] == flow and "|" not in row[4]]
    gamma = np.array([row[1] for row in rows])
    m = np.array([row[2] for row in rows])
    names = flowcalc.quantities(flow)
    inputs = {names[0]: m}
    if flow == "prandtl-meyer":
        inputs[names[1]] = np.array([row[3] for row in rows])
    result = flowcalc.solve(flow, inputs, gamma=gamma)
    got = np.array([result[row[4]][i] for i, row in enumerate(rows)])
    want = np.array([row[5] for row in rows])
    error = np.where(want == 0, np.abs(got), np.abs(got - want) / np.where(want == 0, 1, np.abs(want)))
    assert np.all(error <= 1e-12), rows[int(np.argmax(error))]


@pytest.mark.parametrize("flow", [f for f in FLOWS if f != "prandtl-meyer"])
def test_inversions_match_reference(flow):
    rows = [row for row in ROWS if row[0] == flow and row[6] is not None and "|" not in row[4]]
    checked = 0
    for quantity in sorted({row[4] for row in rows}):
        for branch in sorted({row[7] for row in rows if row[4] == quantity}, key=str):
            chosen = [row for row in rows if row[4] == quantity and row[7] == branch]
            result = flowcalc.solve(flow, {quantity: np.array([row[5] for row in chosen])},
                                    gamma=np.array([row[1] for row in chosen]), branch=branch, errors="nan")
            key = flowcalc.quantities(flow)[0]
            want = np.array([row[6] for row in chosen])
            # As the engine's own test: 1e-12 plus four ulps times the sensitivity kappa of M to the input.
            bound = 1e-12 + 4 * np.finfo(float).eps * np.array([row[8] for row in chosen])
            error = np.abs(result[key] - want) / want
            assert np.all(error <= bound), (quantity, branch, chosen[int(np.argmax(error / bound))])
            checked += len(chosen)
    assert checked > 0


def test_scalars_give_floats():
    result = flowcalc.solve("isentropic", {"M": 2.0})
    assert isinstance(result["p/p0"], float)
    assert result["A/A*"] == pytest.approx(1.6875, rel=1e-15)
    assert result["mu"] == pytest.approx(30.0, rel=1e-15)
    assert list(result) == flowcalc.quantities("isentropic")


def test_undefined_quantities_are_nan():
    result = flowcalc.solve("isentropic", {"M": 0.5})
    assert math.isnan(result["nu"]) and math.isnan(result["mu"])


@pytest.mark.parametrize("m_shape,gamma_shape,want", [
    ((5,), (), (5,)),
    ((3, 1), (4,), (3, 4)),
    ((2, 3, 1), (1, 1, 2), (2, 3, 2)),
    ((), (6,), (6,)),
])
def test_broadcasting_shapes(m_shape, gamma_shape, want):
    m = np.full(m_shape, 2.0)
    gamma = np.full(gamma_shape, 1.4)
    result = flowcalc.solve("isentropic", {"M": m}, gamma=gamma)
    for values in result.values():
        assert values.shape == want
    assert np.allclose(result["A/A*"], 1.6875)


def test_two_inputs_broadcast():
    result = flowcalc.solve("oblique-shock", {"M1": np.array([[2.0], [3.0]]), "theta": np.array([5.0, 10.0, 15.0])})
    assert result["beta"].shape == (2, 3)
    assert result["beta"][0, 1] == pytest.approx(39.3139318, rel=1e-8)


def test_refusal_scalar_raises_engine_text():
    with pytest.raises(ValueError, match=r"^A/A\* must be 1 or more$"):
        flowcalc.solve("isentropic", {"A/A*": 0.5}, branch="sup")


def test_refusal_names_first_failing_index():
    with pytest.raises(ValueError, match=r"^at index 2: A/A\* must be 1 or more$"):
        flowcalc.solve("isentropic", {"A/A*": np.array([2.0, 3.0, 0.5, 0.1])}, branch="sup")
    with pytest.raises(ValueError, match=r"^at index \(1, 0\): "):
        flowcalc.solve("isentropic", {"A/A*": np.array([[2.0, 3.0], [0.5, 2.0]])}, branch="sup")


def test_refusal_in_large_array_names_lowest_index():
    a = np.full(100_000, 2.0)
    a[70_000] = 0.5
    a[90_000] = 0.5
    with pytest.raises(ValueError, match=r"^at index 70000: "):
        flowcalc.solve("isentropic", {"A/A*": a}, branch="sup")


def test_errors_nan_marks_failing_elements():
    result = flowcalc.solve("isentropic", {"A/A*": np.array([2.0, 0.5, 1.6875])}, branch="sup", errors="nan")
    assert np.isnan(result["M"][1]) and not np.isnan(result["M"][0])
    assert result["M"][2] == pytest.approx(2.0, rel=1e-12)


@pytest.mark.parametrize("call,text", [
    (lambda: flowcalc.solve("nozzle-x", {"M": 1.0}), "unknown flow"),
    (lambda: flowcalc.solve("isentropic", {"Q": 1.0}), "not a quantity"),
    (lambda: flowcalc.solve("isentropic", {"M": 1.0}, branch="up"), "unknown branch"),
    (lambda: flowcalc.solve("isentropic", {"M": 1.0}, errors="ignore"), "errors must be"),
    (lambda: flowcalc.solve("isentropic", {"M": 1.0}, gamma=1.0), "gamma"),
])
def test_usage_refusals(call, text):
    with pytest.raises(ValueError, match=text):
        call()


def test_lists_and_kinds():
    assert "isentropic" in flowcalc.flows()
    kinds = flowcalc.input_kinds("oblique-shock")
    weak = next(kind for kind in kinds if kind["inputs"] == ("M1", "theta"))
    assert weak["branches"] == ("weak", "strong") and weak["default_branch"] == "weak"
    assert isinstance(flowcalc.__version__, str) and flowcalc.__version__.count(".") == 2


def test_docstring_shows_signature():
    assert "solve(flow, inputs, *, gamma=1.4" in flowcalc.solve.__doc__


def test_gil_released_during_long_solve():
    m = np.linspace(1.01, 5.0, 2_000_000)
    ticks = []
    done = threading.Event()

    def count():
        while not done.is_set():
            ticks.append(time.perf_counter())
            time.sleep(0.001)

    thread = threading.Thread(target=count)
    thread.start()
    time.sleep(0.01)
    before = len(ticks)
    flowcalc.solve("isentropic", {"M": m})
    during = len(ticks) - before
    done.set()
    thread.join()
    assert during >= 5


def resident_pages():
    with open("/proc/self/statm", encoding="ascii") as statm:
        return int(statm.read().split()[1])


def test_no_leak_over_a_million_calls():
    for _ in range(20_000):
        flowcalc.solve("isentropic", {"M": 2.0})
    before = resident_pages()
    for _ in range(1_000_000):
        flowcalc.solve("isentropic", {"M": 2.0})
    grown = (resident_pages() - before) * os.sysconf("SC_PAGE_SIZE")
    assert grown < 4 * 1024 * 1024
