"""The module returns what the C++ library returns, bit for bit, by scalar and by array; and it reproduces
published verification values through the Python interface."""

import doctest
import inspect

import numpy as np
import pytest

import brimwater
from conftest import CODES, FUNCTIONS, call, hostile_grid, ordinary_grid, reference_values, same_bits


@pytest.mark.parametrize("name", FUNCTIONS)
def test_arrays_and_scalars_equal_the_library(name):
    cases = [(code, ordinary_grid(name, code)) for code in CODES] + [
        (code, hostile_grid(name)) for code in CODES
    ]
    queries = [(name, code, tuple(a[i] for a in grid)) for code, grid in cases for i in range(grid[0].size)]
    expected = reference_values(queries)

    by_array = np.concatenate([call(name, grid, code) for code, grid in cases])
    assert same_bits(by_array, expected)
    by_scalar = [call(name, arguments, code) for _, code, arguments in queries]
    assert all(type(value) is float for value in by_scalar)
    assert same_bits(by_scalar, expected)


# IAPWS R7-97(2012): Table 5 (region 1), Table 15 (region 2), Table 35 (saturation pressure) and Table 36
# (saturation temperature), nine significant digits. Volumes there are m3/kg; the module's are cm3/g.
IF97_VERIFICATION = [
    # function, arguments, published value, source
    ("VofTP", (300.0, 3.0), 0.100215168e-2 * 1e3, "Table 5"),
    ("HofTP", (300.0, 3.0), 0.115331273e3, "Table 5"),
    ("SofTP", (300.0, 3.0), 0.392294792, "Table 5"),
    ("HofTP", (300.0, 80.0), 0.184142828e3, "Table 5"),
    ("SofTP", (500.0, 3.0), 0.258041912e1, "Table 5"),
    ("VofTP", (700.0, 0.0035), 0.923015898e2 * 1e3, "Table 15"),
    ("HofTP", (300.0, 0.0035), 0.254991145e4, "Table 15"),
    ("HofTP", (700.0, 30.0), 0.263149474e4, "Table 15"),
    ("SofTP", (700.0, 0.0035), 0.101749996e2, "Table 15"),
    ("Psat", (300.0,), 0.353658941e-2, "Table 35"),
    ("Psat", (600.0,), 0.123443146e2, "Table 35"),
    ("Tsat", (0.1,), 0.372755919e3, "Table 36"),
    ("Tsat", (10.0,), 0.584149488e3, "Table 36"),
]


@pytest.mark.parametrize("name, arguments, published, source", IF97_VERIFICATION)
def test_if97_verification_values(name, arguments, published, source):
    # Half a unit in the ninth significant digit.
    assert call(name, arguments, -97) == pytest.approx(published, rel=5e-9, abs=0.0), source
    assert call(name, [np.array([a]) for a in arguments], -97)[0] == call(name, arguments, -97)


def test_signatures_and_documented_examples():
    for name, arguments in FUNCTIONS.items():
        signature = inspect.signature(getattr(brimwater, name))
        assert list(signature.parameters) == [*arguments, "formulation", "threads"], name
        assert "(SI) or" in getattr(brimwater, name).__doc__
    assert doctest.testmod(brimwater).failed == 0
