"""Arguments broadcast by NumPy's rules, in any layout and numeric dtype; each element of the result is the
scalar call on that element's arguments."""

import numpy as np
import pytest

import brimwater
from conftest import same_bits

T = np.array([300.0, 450.0, 700.0, 900.0, 650.0])  # K
P = np.array([0.5, 3.0, 20.0])  # MPa


def elementwise(function, *arguments, code=-97):
    """The result built one scalar call at a time."""
    broadcast = np.broadcast_arrays(*(np.asarray(a, dtype=np.float64) for a in arguments))
    out = np.empty(broadcast[0].shape)
    for index in np.ndindex(out.shape):
        out[index] = function(*(float(a[index]) for a in broadcast), code)
    return out


SHAPES = [
    # T, P, result
    ((5, 1), (3,), (5, 3)),
    ((3,), (5, 1), (5, 3)),
    ((), (3,), (3,)),
    ((2, 1, 3), (4, 1), (2, 4, 3)),
    ((1, 1), (1,), (1, 1)),
    ((0,), (3, 1), (3, 0)),
    ((2, 3), (2, 3), (2, 3)),
    ((7,), (), (7,)),
]


@pytest.mark.parametrize("t_shape, p_shape, result_shape", SHAPES)
def test_result_has_the_broadcast_shape(t_shape, p_shape, result_shape):
    rng = np.random.default_rng(5)
    t = rng.uniform(280.0, 1000.0, t_shape)
    p = rng.uniform(0.01, 30.0, p_shape)
    h = brimwater.HofTP(t, p, -97)
    assert isinstance(h, np.ndarray) and h.dtype == np.float64 and h.shape == result_shape
    assert h.flags.c_contiguous and h.flags.writeable
    assert same_bits(h, elementwise(brimwater.HofTP, t, p))


LAYOUTS = {
    "reversed": lambda a: a[::-1],
    "every other": lambda a: np.repeat(a, 2)[::2],
    "transposed": lambda a: np.ascontiguousarray(np.stack([a, a])).T[:, 0],
    "fortran 2-d": lambda a: np.asfortranarray(np.stack([a, a + 1.0])),
    "unaligned": lambda a: np.frombuffer(b"\0" + a.tobytes(), dtype=np.float64, offset=1),
    "big-endian": lambda a: a.astype(">f8"),
    "read-only": lambda a: np.lib.stride_tricks.as_strided(a, writeable=False),
    "list": lambda a: a.tolist(),
    "tuple": lambda a: tuple(a.tolist()),
}


@pytest.mark.parametrize("layout", LAYOUTS)
def test_any_memory_layout(layout):
    t = LAYOUTS[layout](T)
    assert same_bits(brimwater.HofTP(t, 3.0, -97), elementwise(brimwater.HofTP, t, 3.0))
    assert same_bits(brimwater.Tsat(LAYOUTS[layout](P), -97), elementwise(brimwater.Tsat, LAYOUTS[layout](P)))


@pytest.mark.parametrize(
    "dtype",
    [np.float16, np.float32, np.float64, np.longdouble, np.int8, np.int32, np.int64, np.uint8, np.uint64],
)
def test_numeric_dtypes_are_converted_to_float64(dtype):
    p = np.array([1, 3, 20], dtype=dtype)  # MPa
    expected = elementwise(brimwater.HofTP, 600.0, p.astype(np.float64))
    assert same_bits(brimwater.HofTP(600.0, p, -97), expected)
    assert same_bits(brimwater.HofTP(np.array(600, dtype=np.int16), p, -97), expected)


SCALARS = [700.0, 700, np.float64(700.0), np.float32(700.0), np.int64(700), np.uint16(700)]


@pytest.mark.parametrize("scalar", SCALARS, ids=lambda s: type(s).__name__)
def test_scalars_give_a_float(scalar):
    h = brimwater.HofTP(scalar, 5, -97)
    assert type(h) is float and h == brimwater.HofTP(float(scalar), 5.0, -97)


def test_zero_dimensional_arrays_give_an_array():
    h = brimwater.HofTP(np.array(700.0), np.array(5.0), -97)
    assert isinstance(h, np.ndarray) and h.shape == () and h[()] == brimwater.HofTP(700.0, 5.0, -97)
    assert isinstance(brimwater.HofTP(np.array(700.0), 5.0, -97), np.ndarray)


def test_the_result_is_a_new_array():
    t = T.copy()
    h = brimwater.HofTP(t, 3.0, -97)
    assert not np.shares_memory(h, t)
    assert np.array_equal(t, T)


@pytest.mark.parametrize("t_shape, p_shape", [((2,), (3,)), ((4, 2), (4,)), ((2, 3, 4), (3, 1, 4))])
def test_shapes_that_do_not_broadcast_raise_value_error(t_shape, p_shape):
    with pytest.raises(ValueError, match="broadcast"):
        brimwater.HofTP(np.ones(t_shape), np.ones(p_shape), -97)
