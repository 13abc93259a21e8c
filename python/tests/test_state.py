"""The state functions: every field of every element is the C++ library's, bit for bit, by array and by
scalar, over the six input pairs, the five formulations in both unit systems and hostile arguments; the
enumerations carry the library's values; codes, argument types, shapes and threads behave as for the
fifteen functions."""

import inspect
import pickle

import numpy as np
import pytest

import brimwater
from conftest import (
    CODES,
    STATE_FUNCTIONS,
    Recorder,
    reference_states,
    same_bits,
    state_grid,
    state_hostile_grid,
)

NUMBERS = brimwater.State.fields()[:17]
INTEGERS = brimwater.State.fields()[17:]


def call_state(name, arguments, code, **keywords):
    return getattr(brimwater, name)(*arguments, code, **keywords)


def assert_state_is(state, numbers, integers):
    """Every field of `state` (of any shape) equals the library's rows, the numbers to the bit."""
    for k, field in enumerate(NUMBERS):
        assert same_bits(np.ravel(state[field]), numbers[:, k]), field
    for k, field in enumerate(INTEGERS):
        assert np.array_equal(np.ravel(state[field]), integers[:, k]), field


@pytest.mark.parametrize("name", STATE_FUNCTIONS)
def test_every_field_equals_the_library_by_array_and_by_scalar(name):
    cases = [(code, state_grid(name, code)) for code in CODES] + [
        (code, state_hostile_grid(name)) for code in CODES
    ]
    queries = [(name, code, (a[i], b[i])) for code, (a, b) in cases for i in range(a.size)]
    numbers, integers = reference_states(queries)

    by_array = [call_state(name, grid, code) for code, grid in cases]
    for field in brimwater.State.fields():
        assert all(s[field].dtype == (np.float64 if field in NUMBERS else np.int32) for s in by_array)
    joined = brimwater.State._make(np.concatenate(column) for column in zip(*by_array))
    assert_state_is(joined, numbers, integers)

    by_scalar = [call_state(name, arguments, code) for _, code, arguments in queries]
    assert all(type(s[f]) is float for s in by_scalar for f in NUMBERS)
    assert all(type(s[f]) is int for s in by_scalar for f in INTEGERS)
    assert_state_is(brimwater.State._make(np.array(c) for c in zip(*by_scalar)), numbers, integers)
    # The codes here are all supported: UNSUPPORTED_CODE is the one status the module never returns.
    assert brimwater.Status.UNSUPPORTED_CODE not in integers[:, 2]


# IAPWS R7-97(2012), Table 5 (region 1) and Table 15 (region 2), nine significant digits, read through the
# state's fields. Volumes there are m3/kg; the state's are cm3/g.
IF97_STATES = [
    # T K, p MPa, field, published value, source
    (300.0, 3.0, "v", 0.100215168e-2 * 1e3, "Table 5"),
    (300.0, 3.0, "h", 0.115331273e3, "Table 5"),
    (300.0, 3.0, "u", 0.112324818e3, "Table 5"),
    (300.0, 3.0, "s", 0.392294792, "Table 5"),
    (300.0, 3.0, "cp", 0.417301218e1, "Table 5"),
    (300.0, 3.0, "w", 0.150773921e4, "Table 5"),
    (700.0, 30.0, "v", 0.542946619e-2 * 1e3, "Table 15"),
    (700.0, 30.0, "h", 0.263149474e4, "Table 15"),
    (700.0, 30.0, "u", 0.246861076e4, "Table 15"),
    (700.0, 30.0, "s", 0.517540298e1, "Table 15"),
    (700.0, 30.0, "cp", 0.103505092e2, "Table 15"),
    (700.0, 30.0, "w", 0.480386523e3, "Table 15"),
]


@pytest.mark.parametrize("T, P, field, published, source", IF97_STATES)
def test_if97_verification_values_through_the_state(T, P, field, published, source):
    state = brimwater.StateOfTP(T, P, -97)
    assert state[field] == pytest.approx(published, rel=5e-9, abs=0.0), source
    assert state.status == brimwater.Status.OK and state.region == (1 if source == "Table 5" else 2)


# The library's own names of each value (<brimwater/state.h>), read back through the module: a value
# renumbered on either side, or a value the library added, shows here.
NAMES = [
    (
        brimwater.StatusName,
        brimwater.Status,
        ["ok", "extrapolated", "unsupported code", "invalid argument", "no solution"],
        "unknown",
    ),
    (
        brimwater.PhaseName,
        brimwater.Phase,
        ["unknown", "liquid", "vapour", "supercritical", "two-phase"],
        "unknown",
    ),
    (brimwater.TransportFormName, brimwater.TransportForm, ["none", "industrial", "full"], "none"),
]


@pytest.mark.parametrize("name_of, enumeration, names, fallback", NAMES)
def test_enumerations_carry_the_library_values(name_of, enumeration, names, fallback):
    members = list(enumeration)
    assert [m.value for m in members] == list(range(len(names)))
    for member, library_name in zip(members, names):
        assert name_of(member) == library_name
        assert member.name == library_name.upper().replace(" ", "_").replace("-", "_")
    assert name_of(len(names)) == fallback  # past the last value the library names nothing more


def test_unsupported_codes_raise_value_error_exactly_where_the_library_reports_them():
    codes = list(range(-130, 131)) + [2**31 - 1, -(2**31)]
    _, integers = reference_states([("StateOfTP", code, (700.0, 5.0)) for code in codes])
    for code, status in zip(codes, integers[:, 2]):
        if status == brimwater.Status.UNSUPPORTED_CODE:
            with pytest.raises(ValueError, match=f"unsupported formulation code {code}"):
                brimwater.StateOfTP(700.0, 5.0, code)
        else:
            assert brimwater.StateOfTP(700.0, 5.0, code).status == status


@pytest.mark.parametrize("name", STATE_FUNCTIONS)
def test_errors_before_any_work(name):
    a = Recorder(0.5)
    for code, error in [(5, ValueError), (2**70, ValueError), (97.0, TypeError), ("97", TypeError)]:
        with pytest.raises(error, match="formulation"):
            call_state(name, (a, a), code)
    with pytest.raises(ValueError, match="threads"):
        call_state(name, (a, a), -97, threads=0)
    assert not a.read
    first, second = (argument for argument, _ in STATE_FUNCTIONS[name])
    for not_a_number in ["700", None, True, np.array([1 + 2j]), [0.5, None]]:
        with pytest.raises(TypeError, match=f"{first} must be a number"):
            call_state(name, (not_a_number, 0.5), -97)
        with pytest.raises(TypeError, match=f"{second} must be a number"):
            call_state(name, (np.ones(2), not_a_number), -97)
    with pytest.raises(ValueError, match="broadcast"):
        call_state(name, (np.ones(2), np.ones(3)), -97)


SHAPES = [
    # first argument, second argument, result
    ((5, 1), (3,), (5, 3)),
    ((), (3,), (3,)),
    ((2, 1, 3), (4, 1), (2, 4, 3)),
    ((0,), (3, 1), (3, 0)),
    ((), (), ()),  # 0-d arrays give 0-d arrays
]


@pytest.mark.parametrize("a_shape, b_shape, result_shape", SHAPES)
def test_every_field_has_the_broadcast_shape(a_shape, b_shape, result_shape):
    rng = np.random.default_rng(7)
    P = rng.uniform(0.01, 30.0, a_shape)[::-1] if a_shape else np.array(rng.uniform(0.01, 30.0))
    h = rng.uniform(100.0, 3800.0, b_shape)
    state = brimwater.StateOfPH(P, h, -97)
    for field in brimwater.State.fields():
        value = state[field]
        assert isinstance(value, np.ndarray) and value.shape == result_shape, field
        assert value.flags.c_contiguous and value.flags.writeable
    broadcast = np.broadcast_arrays(P, h)
    for index in np.ndindex(result_shape):
        one = brimwater.StateOfPH(float(broadcast[0][index]), float(broadcast[1][index]), -97)
        assert all(same_bits(state[f][index], one[f]) for f in brimwater.State.fields())


def test_access_by_attribute_name_position_and_dict():
    state = brimwater.StateOfPX(np.array([0.1, 1.0]), 0.25, -97)
    assert state["lambda"] is state.lambda_ is state["lambda_"] is state[12]
    assert list(state.as_dict()) == list(brimwater.State.fields())
    assert all(state.as_dict()[f] is state[f] for f in brimwater.State.fields())
    with pytest.raises(KeyError, match="no field 'enthalpy'"):
        state["enthalpy"]
    with pytest.raises(AttributeError):
        state.h = 0.0
    copy = pickle.loads(pickle.dumps(state))
    assert type(copy) is brimwater.State
    assert all(same_bits(copy[f], state[f]) for f in brimwater.State.fields())


@pytest.mark.parametrize("name", STATE_FUNCTIONS)
def test_signatures_and_units_in_the_docstrings(name):
    function = getattr(brimwater, name)
    names = [argument for argument, _ in STATE_FUNCTIONS[name]]
    assert list(inspect.signature(function).parameters) == [*names, "formulation", "threads"]
    for field in ("T", "rho", "lambda_", "sigma", "nu", "alpha", "transport_status"):
        assert f"\n    {field} " in function.__doc__, field
    assert "g/cm³ (SI) or lbm/ft³ (English)" in function.__doc__


# Above the size from which a state call splits its elements across threads (512 per thread).
STATE_SPLIT = 512


def mixed_arguments(name, n):
    """Arguments over liquid, vapour, supercritical and two-phase states, SI, in random order."""
    rng = np.random.default_rng(n)
    P = 10.0 ** rng.uniform(-2.0, 1.6, n)
    return {
        "StateOfTP": (rng.uniform(280.0, 1000.0, n), P),
        "StateOfPH": (P, rng.uniform(100.0, 3800.0, n)),
        "StateOfPS": (P, rng.uniform(0.5, 8.0, n)),
        "StateOfHS": (rng.uniform(500.0, 3500.0, n), rng.uniform(2.0, 7.5, n)),
        "StateOfTX": (rng.uniform(280.0, 640.0, n), rng.uniform(0.0, 1.0, n)),
        "StateOfPX": (P / 2.0, rng.uniform(0.0, 1.0, n)),
    }[name]


@pytest.mark.parametrize("name", STATE_FUNCTIONS)
def test_any_thread_count_gives_the_bits_of_one_thread(name):
    arguments = mixed_arguments(name, 40 * STATE_SPLIT + 17)
    one = call_state(name, arguments, -97, threads=1)
    for threads in (2, 3, None):
        many = call_state(name, arguments, -97, threads=threads)
        assert all(same_bits(many[f], one[f]) for f in brimwater.State.fields()), threads

