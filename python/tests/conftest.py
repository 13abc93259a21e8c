"""What the Python tests share: the fifteen functions and the six state functions as data, ordinary states in
both unit systems, and the C++ library's own answers, from the program that CTest names in
BRIMWATER_REFERENCE_VALUES."""

import os
import subprocess

import numpy as np
import pytest

import brimwater

# name -> names of the property arguments
FUNCTIONS = {
    "Psat": ("Ts",),
    "Tsat": ("Ps",),
    "Vf": ("Ts",),
    "Vg": ("Ts",),
    "Hf": ("Ts",),
    "Hg": ("Ts",),
    "Sf": ("Ts",),
    "Sg": ("Ts",),
    "VofTP": ("T", "P"),
    "HofTP": ("T", "P"),
    "SofTP": ("T", "P"),
    "TofPH": ("P", "H"),
    "SofPH": ("P", "H"),
    "TofPS": ("P", "S"),
    "HofPS": ("P", "S"),
}

# name -> names of the arguments, and the keys of their ordinary values below
STATE_FUNCTIONS = {
    "StateOfTP": (("T", "T"), ("P", "P")),
    "StateOfPH": (("P", "P"), ("h", "H")),
    "StateOfPS": (("P", "P"), ("s", "S")),
    "StateOfHS": (("h", "H"), ("s", "S")),
    "StateOfTX": (("T", "Ts"), ("x", "x")),
    "StateOfPX": (("P", "Ps"), ("x", "x")),
}

CODES = (-67, 67, -69, 69, -84, 84, -95, 95, -97, 97)

# Ordinary values of each argument, SI (code <= 0) and English (code > 0): liquid, vapour, near-critical.
ORDINARY = {
    "Ts": {"si": [300.0, 450.0, 640.0], "english": [80.0, 400.0, 700.0]},
    "Ps": {"si": [0.01, 1.0, 20.0], "english": [1.0, 150.0, 3000.0]},
    "T": {"si": [300.0, 450.0, 700.0, 650.0], "english": [80.0, 400.0, 1000.0, 710.0]},
    "P": {"si": [0.5, 3.0, 20.0, 25.0], "english": [60.0, 400.0, 1500.0, 3600.0]},
    "H": {"si": [1000.0, 2000.0, 3000.0], "english": [400.0, 900.0, 1300.0]},
    "S": {"si": [2.5, 4.0, 7.0], "english": [0.5, 1.0, 1.7]},
    "x": {"si": [0.0, 0.3, 1.0], "english": [0.0, 0.3, 1.0]},
}

# The hostile-argument set, NaN aside (an element with a NaN argument is NaN by the module's own rule).
HOSTILE = [np.inf, -np.inf, 0.0, -0.0, 5e-324, -1.0, 1e308, -1e308]


def system(code):
    return "english" if code > 0 else "si"


def ordinary_grid(name, code):
    """Every combination of the ordinary values of the function's arguments, one array per argument."""
    values = [ORDINARY[argument][system(code)] for argument in FUNCTIONS[name]]
    return [a.ravel() for a in np.meshgrid(*values, indexing="ij")]


def hostile_grid(name):
    values = [HOSTILE + [ORDINARY[argument]["si"][1]] for argument in FUNCTIONS[name]]
    return [a.ravel() for a in np.meshgrid(*values, indexing="ij")]


def state_grid(name, code):
    values = [ORDINARY[key][system(code)] for _, key in STATE_FUNCTIONS[name]]
    return [a.ravel() for a in np.meshgrid(*values, indexing="ij")]


# The state functions judge every argument themselves: NaN, and qualities outside [0, 1], are among them.
STATE_HOSTILE = HOSTILE + [np.nan, 1.0 + 2.0**-52, -0.5]


def state_hostile_grid(name):
    values = [STATE_HOSTILE + [ORDINARY[key]["si"][1]] for _, key in STATE_FUNCTIONS[name]]
    return [a.ravel() for a in np.meshgrid(*values, indexing="ij")]


def call(name, arguments, code, **keywords):
    return getattr(brimwater, name)(*arguments, code, **keywords)


def reference_values(queries):
    """The C++ library's results for [(name, code, arguments), ...], exact to the bit."""
    program = os.environ.get("BRIMWATER_REFERENCE_VALUES")
    if not program:
        pytest.skip("BRIMWATER_REFERENCE_VALUES is not set: run these tests through CTest")
    lines = "".join(
        f"{name} {code} {' '.join(float(a).hex() for a in arguments)}\n" for name, code, arguments in queries
    )
    answer = subprocess.run([program], input=lines, capture_output=True, text=True, check=True).stdout.split()
    assert len(answer) == len(queries) and "error" not in answer
    return np.array([float.fromhex(value) for value in answer])


def reference_states(queries):
    """The C++ library's states for [(name, code, (a, b)), ...]: one row per query of the 17 numbers (float64)
    and one of the 5 integers, in the order of the State's fields."""
    program = os.environ.get("BRIMWATER_REFERENCE_VALUES")
    if not program:
        pytest.skip("BRIMWATER_REFERENCE_VALUES is not set: run these tests through CTest")
    lines = "".join(f"{name} {code} {float(a).hex()} {float(b).hex()}\n" for name, code, (a, b) in queries)
    answer = subprocess.run([program], input=lines, capture_output=True, text=True, check=True).stdout
    rows = [line.split() for line in answer.splitlines()]
    assert len(rows) == len(queries) and all(len(row) == 22 for row in rows)
    numbers = np.array([[float.fromhex(value) for value in row[:17]] for row in rows]).reshape(-1, 17)
    integers = np.array([[int(value) for value in row[17:]] for row in rows], dtype=np.int64).reshape(-1, 5)
    return numbers, integers


class Recorder:
    """An array-like argument that records whether anyone looked at its values."""

    def __init__(self, value=700.0):
        self.read = False
        self.value = value

    def __array__(self, dtype=None):
        self.read = True
        return np.full(3, self.value)


def same_bits(a, b):
    """Equal to the bit, NaNs of any payload counting as equal."""
    a = np.asarray(a, dtype=np.float64)
    b = np.asarray(b, dtype=np.float64)
    both_nan = np.isnan(a) & np.isnan(b)
    return a.shape == b.shape and bool(np.all(both_nan | (a.view(np.uint64) == b.view(np.uint64))))
