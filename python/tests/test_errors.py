"""Errors as a Python user expects them: ValueError for a code that names no formulation, raised before any
work; TypeError for arguments that are not numbers; NaN for an element with a NaN argument; and never the
library's -999 marker."""

import numpy as np
import pytest

import brimwater
from conftest import (
    CODES,
    FUNCTIONS,
    Recorder,
    call,
    hostile_grid,
    ordinary_grid,
    reference_values,
    same_bits,
)


def test_codes_rejected_are_exactly_those_the_library_does_not_support():
    codes = list(range(-130, 131)) + [2**31 - 1, -(2**31)]
    library = reference_values([("Psat", code, (300.0,)) for code in codes])
    for code, value in zip(codes, library):
        if value == -999.0 or value == -999.0 * 145.0377377:
            with pytest.raises(ValueError, match="unsupported formulation code"):
                brimwater.Psat(300.0, code)
        else:
            assert brimwater.Psat(300.0, code) == value


@pytest.mark.parametrize("code", [0, 1, -1, 5, 96, 2**31, -(2**31) - 1, 2**63, -(2**70)])
@pytest.mark.parametrize("name", FUNCTIONS)
def test_unsupported_code_raises_value_error(name, code):
    with pytest.raises(ValueError, match=f"unsupported formulation code {code}"):
        call(name, [300.0] * len(FUNCTIONS[name]), code)
    with pytest.raises(ValueError):
        call(name, [np.full(10, 300.0)] * len(FUNCTIONS[name]), code)


def test_the_code_is_checked_before_any_work():
    t = Recorder()
    with pytest.raises(ValueError):
        brimwater.HofTP(t, 5.0, 5)
    assert not t.read
    with pytest.raises(ValueError, match="formulation"):
        brimwater.HofTP("not a number", 5.0, 5)  # the code, not the argument, is reported
    with pytest.raises(ValueError, match="threads"):
        brimwater.HofTP(t, 5.0, -97, threads=0)
    assert not t.read
    assert brimwater.HofTP(t, 5.0, -97).shape == (3,) and t.read


@pytest.mark.parametrize(
    "code", [97.0, np.float64(-97.0), "97", None, True, np.array([97, -97]), np.array(97), [97]], ids=repr
)
def test_a_code_that_is_not_one_integer_raises_type_error(code):
    with pytest.raises(TypeError, match="formulation must be one integer code"):
        brimwater.HofTP(700.0, 5.0, code)


@pytest.mark.parametrize("code", [np.int32(-97), np.int64(97), np.uint8(97)], ids=repr)
def test_numpy_integer_codes_are_codes(code):
    assert brimwater.HofTP(700.0, 5.0, code) == brimwater.HofTP(700.0, 5.0, int(code))


NOT_NUMBERS = [
    "700",
    None,
    True,
    1 + 2j,
    object(),
    ["700", "800"],
    [700.0, None],
    np.array([True, False]),
    np.array([1 + 2j]),
    np.array(["700"]),
    np.array([700.0], dtype=object),
    np.array(["2024-01-01"], dtype="datetime64[D]"),
]


@pytest.mark.parametrize("argument", NOT_NUMBERS, ids=repr)
def test_an_argument_that_is_not_numeric_raises_type_error(argument):
    with pytest.raises(TypeError, match="T must be a number or an array of numbers"):
        brimwater.HofTP(argument, 5.0, -97)
    with pytest.raises(TypeError, match="P must be"):
        brimwater.HofTP(np.ones(3), argument, -97)


@pytest.mark.parametrize(
    "threads, error",
    [
        (0, ValueError),
        (-1, ValueError),
        (-(2**80), ValueError),
        (1.5, TypeError),
        ("2", TypeError),
        (True, TypeError),
    ],
)
def test_bad_thread_counts(threads, error):
    with pytest.raises(error, match="threads"):
        brimwater.HofTP(np.ones(3), 5.0, -97, threads=threads)
    with pytest.raises(error, match="threads"):
        brimwater.HofTP(700.0, 5.0, -97, threads=threads)


def test_large_thread_counts_are_bounded_not_refused():
    t = np.linspace(300.0, 900.0, 20000)
    assert same_bits(brimwater.HofTP(t, 5.0, -97, threads=2**80), brimwater.HofTP(t, 5.0, -97, threads=1))


@pytest.mark.parametrize("name", FUNCTIONS)
def test_a_nan_argument_gives_nan_in_its_element_only(name):
    for code in (-97, 95, -84, 69, -67):
        arguments = ordinary_grid(name, code)
        clean = call(name, arguments, code)
        for k in range(len(arguments)):
            holed = [a.copy() for a in arguments]
            holed[k][1::2] = np.nan
            result = call(name, holed, code)
            assert np.all(np.isnan(result[1::2])), (name, code, k)
            assert same_bits(result[0::2], clean[0::2])
            assert np.isnan(call(name, [a[1] for a in holed], code))


# PropertyError, -999, and what the English output factors make of it.
MARKERS = {
    -999.0,
    -999.0 * 145.0377377,
    -999.0 * 1.8 - 459.67,
    -999.0 / 2.326,
    -999.0 / 4.186,
    -999.0 / 4.1868,
}


@pytest.mark.parametrize("name", FUNCTIONS)
def test_no_error_marker_reaches_python(name):
    for code in CODES:
        for grid in (ordinary_grid(name, code), hostile_grid(name)):
            values = call(name, grid, code)
            assert not set(values.tolist()) & MARKERS, (name, code)
