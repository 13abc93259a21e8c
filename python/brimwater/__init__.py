"""Thermodynamic properties of water and steam in five published formulations.

Every function takes its property arguments and a formulation code, and returns a float for scalar
arguments or a NumPy array for array arguments, broadcast together by NumPy's rules::

    >>> import numpy as np, brimwater
    >>> round(brimwater.HofTP(700.0, 5.0, -97), 6)        # IAPWS-IF97, kJ/kg at 700 K and 5 MPa
    3261.805396
    >>> brimwater.HofTP(np.array([[300.0], [700.0]]), np.array([1.0, 5.0, 10.0]), -97).shape
    (2, 3)

The code's absolute value chooses the formulation: 67 IFC-67, 69 Keenan, Keyes, Hill and Moore 1969,
84 NBS/NRC 1984, 95 IAPWS-95, 97 IAPWS-IF97. Its sign chooses the units of every argument and of the result:
negative for SI units (K, MPa, cm³/g, kJ/kg, kJ/(kg K)), positive for English units (°F, psia, ft³/lbm,
BTU/lbm, BTU/(lbm °R)).

The state functions StateOfTP, StateOfPH, StateOfPS, StateOfHS, StateOfTX and StateOfPX give every property
of a state at once, as a State with one float or array per property and the status of each element (see
State, Status, Phase and TransportForm)::

    >>> state = brimwater.StateOfTP(700.0, 5.0, -97)
    >>> round(state.h, 6), brimwater.Phase(state.phase).name, brimwater.Status(state.status).name
    (3261.805396, 'VAPOUR', 'OK')

Errors: an unsupported code raises ValueError before any work, an argument that is not numeric TypeError,
shapes that do not broadcast ValueError. An element with a NaN argument is NaN (a state's numbers are NaN
and its status INVALID_ARGUMENT).

Speed: array arguments are evaluated in C++ without the GIL, split into contiguous chunks across threads
when they are large; the keyword ``threads=`` bounds the threads of one call (default: every processor the
process may use). Results do not depend on the number of threads.
"""

import enum
from typing import Any, NamedTuple

from . import _core
from ._core import __version__

#: The formulations by the absolute value of their code.
FORMULATIONS = {
    67: "IFC-67",
    69: "KKHM 1969",
    84: "NBS/NRC 1984",
    95: "IAPWS-95",
    97: "IAPWS-IF97",
}

# Quantities and their units: name, SI (code <= 0), English (code > 0).
_TEMPERATURE = ("temperature", "K", "°F")
_PRESSURE = ("pressure", "MPa", "psia")
_VOLUME = ("specific volume", "cm³/g", "ft³/lbm")
_ENTHALPY = ("specific enthalpy", "kJ/kg", "BTU/lbm")
_ENTROPY = ("specific entropy", "kJ/(kg K)", "BTU/(lbm °R)")
_SATURATED_ENTROPY = ("specific entropy", "kJ/(kg K)", "BTU/(lbm °R), from kJ/(kg K) divided by 4.186")


def _parameter(name, quantity):
    label, si, english = quantity
    if si is None:
        return f"{name} : float or array_like\n    {label[0].upper()}{label[1:]}.\n"
    return f"{name} : float or array_like\n    {label.capitalize()}, {si} (SI) or {english} (English).\n"


_CODE_AND_THREADS = (
    "formulation : int\n"
    "    67 IFC-67, 69 KKHM 1969, 84 NBS/NRC 1984, 95 IAPWS-95 or 97 IAPWS-IF97; negative for SI units,\n"
    "    positive for English units.\n"
    "threads : int, optional\n"
    "    The most threads an array call runs on; default: every processor this process may use.\n\n"
)


def _document(summary, arguments, result, note=""):
    """The function's docstring: its summary, and each argument and the result in both unit systems."""

    label, si, english = result
    text = (
        f"{summary}\n\n"
        "Parameters\n----------\n"
        + "".join(_parameter(name, quantity) for name, quantity in arguments)
        + _CODE_AND_THREADS
        + "Returns\n-------\nfloat or numpy.ndarray\n"
        f"    {label.capitalize()}, {si} (SI) or {english} (English): a float when every argument is a\n"
        "    scalar, otherwise a float64 array of the arguments' broadcast shape. NaN where an argument is\n"
        "    NaN.\n\n"
        "Raises\n------\nValueError\n"
        "    An unsupported formulation code (raised before any work), or shapes that do not broadcast.\n"
        "TypeError\n"
        "    An argument that is not a number or an array of numbers, or a code that is not one integer.\n"
    )
    if note:
        text += f"\nNotes\n-----\n{note}\n"

    def decorate(function):
        function.__doc__ = text
        return function

    return decorate


_PSAT_NOTE = (
    "At or below the formulation's lowest saturation temperature the result is its triple-point pressure,\n"
    "at or above its critical temperature its critical pressure."
)
_TSAT_NOTE = (
    "At or below the triple-point pressure the result is the formulation's lowest saturation temperature,\n"
    "at or above the critical pressure its critical temperature."
)
_SATURATED_ENTROPY_NOTE = (
    "English entropies of the saturated states are kJ/(kg K) divided by 4.186, as the published tables did;\n"
    "SofTP, SofPH and the entropy argument of TofPS and HofPS use 4.1868."
)
_INVERSE_NOTE = (
    "Below the critical pressure, a wet state (between the saturated liquid and the saturated vapour) is\n"
    "recognised first; otherwise the temperature is found by a secant between 273.15 K and 1500 K, until it\n"
    "is within 0.01 kJ/kg of the enthalpy or 1e-5 kJ/(kg K) of the entropy, or its two ends lie closer than\n"
    "0.001 kJ/kg or 1e-6 kJ/(kg K) (at most 32 steps). More than 1 K from the saturation temperature the\n"
    "enthalpy is then met within 0.01 kJ/kg and the entropy within 1e-4 kJ/(kg K) (1e-5 for IAPWS-IF97 and\n"
    "IFC-67), as measured in docs/fidelity.md."
)


@_document("Saturation pressure at temperature Ts.", [("Ts", _TEMPERATURE)], _PRESSURE, _PSAT_NOTE)
def Psat(Ts, formulation, *, threads=None):
    return _core.Psat(Ts, formulation, threads)


@_document("Saturation temperature at pressure Ps.", [("Ps", _PRESSURE)], _TEMPERATURE, _TSAT_NOTE)
def Tsat(Ps, formulation, *, threads=None):
    return _core.Tsat(Ps, formulation, threads)


@_document("Specific volume of the saturated liquid at temperature Ts.", [("Ts", _TEMPERATURE)], _VOLUME)
def Vf(Ts, formulation, *, threads=None):
    return _core.Vf(Ts, formulation, threads)


@_document("Specific volume of the saturated vapour at temperature Ts.", [("Ts", _TEMPERATURE)], _VOLUME)
def Vg(Ts, formulation, *, threads=None):
    return _core.Vg(Ts, formulation, threads)


@_document("Specific enthalpy of the saturated liquid at temperature Ts.", [("Ts", _TEMPERATURE)], _ENTHALPY)
def Hf(Ts, formulation, *, threads=None):
    return _core.Hf(Ts, formulation, threads)


@_document("Specific enthalpy of the saturated vapour at temperature Ts.", [("Ts", _TEMPERATURE)], _ENTHALPY)
def Hg(Ts, formulation, *, threads=None):
    return _core.Hg(Ts, formulation, threads)


@_document(
    "Specific entropy of the saturated liquid at temperature Ts.",
    [("Ts", _TEMPERATURE)],
    _SATURATED_ENTROPY,
    _SATURATED_ENTROPY_NOTE,
)
def Sf(Ts, formulation, *, threads=None):
    return _core.Sf(Ts, formulation, threads)


@_document(
    "Specific entropy of the saturated vapour at temperature Ts.",
    [("Ts", _TEMPERATURE)],
    _SATURATED_ENTROPY,
    _SATURATED_ENTROPY_NOTE,
)
def Sg(Ts, formulation, *, threads=None):
    return _core.Sg(Ts, formulation, threads)


@_document(
    "Specific volume at temperature T and pressure P.", [("T", _TEMPERATURE), ("P", _PRESSURE)], _VOLUME
)
def VofTP(T, P, formulation, *, threads=None):
    return _core.VofTP(T, P, formulation, threads)


@_document(
    "Specific enthalpy at temperature T and pressure P.", [("T", _TEMPERATURE), ("P", _PRESSURE)], _ENTHALPY
)
def HofTP(T, P, formulation, *, threads=None):
    return _core.HofTP(T, P, formulation, threads)


@_document(
    "Specific entropy at temperature T and pressure P.", [("T", _TEMPERATURE), ("P", _PRESSURE)], _ENTROPY
)
def SofTP(T, P, formulation, *, threads=None):
    return _core.SofTP(T, P, formulation, threads)


@_document(
    "Temperature at pressure P and specific enthalpy H.",
    [("P", _PRESSURE), ("H", _ENTHALPY)],
    _TEMPERATURE,
    _INVERSE_NOTE,
)
def TofPH(P, H, formulation, *, threads=None):
    return _core.TofPH(P, H, formulation, threads)


@_document(
    "Specific entropy at pressure P and specific enthalpy H.",
    [("P", _PRESSURE), ("H", _ENTHALPY)],
    _ENTROPY,
    "A wet state's entropy is interpolated between the saturated states at the quality that H gives;\n"
    "otherwise it is the entropy at the temperature TofPH finds.",
)
def SofPH(P, H, formulation, *, threads=None):
    return _core.SofPH(P, H, formulation, threads)


@_document(
    "Temperature at pressure P and specific entropy S.",
    [("P", _PRESSURE), ("S", _ENTROPY)],
    _TEMPERATURE,
    _INVERSE_NOTE,
)
def TofPS(P, S, formulation, *, threads=None):
    return _core.TofPS(P, S, formulation, threads)


@_document(
    "Specific enthalpy at pressure P and specific entropy S.",
    [("P", _PRESSURE), ("S", _ENTROPY)],
    _ENTHALPY,
    "A wet state's enthalpy is interpolated between the saturated states at the quality that S gives;\n"
    "otherwise it is the enthalpy at the temperature TofPS finds.",
)
def HofPS(P, S, formulation, *, threads=None):
    return _core.HofPS(P, S, formulation, threads)


# ---- The state functions ---------------------------------------------------------------------------------


class Status(enum.IntEnum):
    """What became of a state, as the library's ``Status`` reports it (``State.status``), and of its
    transport properties (``State.transport_status``)."""

    OK = 0
    #: Outside the formulation's published range of validity (or, for ``transport_status``, that of the
    #: transport correlations); values computed all the same.
    EXTRAPOLATED = 1
    #: The formulation code names no formulation. Never in a Python result: such a code raises ValueError.
    UNSUPPORTED_CODE = 2
    #: A NaN or infinite argument, an absolute temperature or pressure not above zero, x outside [0, 1].
    INVALID_ARGUMENT = 3
    #: No state of the formulation has these arguments (every number NaN); for ``transport_status``: the
    #: transport correlations gave no value.
    NO_SOLUTION = 4


class Phase(enum.IntEnum):
    """The phase of a state (``State.phase``)."""

    #: No state was found (status other than OK and EXTRAPOLATED).
    UNKNOWN = 0
    #: Below the critical temperature at or above the saturation pressure, or saturated liquid.
    LIQUID = 1
    #: Below the saturation pressure, or above the critical temperature below the critical pressure, or
    #: saturated vapour.
    VAPOUR = 2
    #: At or above both the critical temperature and the critical pressure.
    SUPERCRITICAL = 3
    #: A mixture of saturated liquid and vapour, 0 < x < 1.
    TWO_PHASE = 4


class TransportForm(enum.IntEnum):
    """Which form of the IAPWS transport correlations (R12-08 viscosity, R15-11 thermal conductivity) gave a
    state's mu and lambda (``State.transport``): INDUSTRIAL for IAPWS-IF97 and IFC-67, FULL for IAPWS-95,
    NBS/NRC 1984 and KKHM 1969."""

    #: Not evaluated (two-phase mixtures, failed states), or evaluated without either critical enhancement
    #: because the formulation gave no usable cp, cv or (d rho / d P)_T at the state.
    NONE = 0
    #: Without the critical enhancement of the viscosity, the thermal conductivity in its industrial form.
    INDUSTRIAL = 1
    #: Both with their critical enhancements, from the formulation's own derivatives.
    FULL = 2


def StatusName(status):
    """The library's name of a status: "ok", "extrapolated", "unsupported code", "invalid argument" or
    "no solution" (and "unknown" for a value that names none)."""
    return _core.StatusName(int(status))


def PhaseName(phase):
    """The library's name of a phase: "unknown", "liquid", "vapour", "supercritical" or "two-phase"."""
    return _core.PhaseName(int(phase))


def TransportFormName(form):
    """The library's name of a transport form: "none", "industrial" or "full"."""
    return _core.TransportFormName(int(form))


# The fields of a state: name (the library's), attribute, quantity, SI unit (code <= 0), English unit (code
# > 0). Entropies and heat capacities in English units are kJ/(kg K) divided by 4.1868.
_STATE_NUMBERS = (
    ("T", "T", "temperature", "K", "°F"),
    ("P", "P", "pressure", "MPa", "psia"),
    ("v", "v", "specific volume", "cm³/g", "ft³/lbm"),
    ("rho", "rho", "density", "g/cm³", "lbm/ft³"),
    ("h", "h", "specific enthalpy", "kJ/kg", "BTU/lbm"),
    ("s", "s", "specific entropy", "kJ/(kg K)", "BTU/(lbm °R)"),
    ("u", "u", "specific internal energy", "kJ/kg", "BTU/lbm"),
    ("cp", "cp", "specific isobaric heat capacity", "kJ/(kg K)", "BTU/(lbm °R)"),
    ("cv", "cv", "specific isochoric heat capacity", "kJ/(kg K)", "BTU/(lbm °R)"),
    ("w", "w", "speed of sound", "m/s", "ft/s"),
    ("x", "x", "vapour quality (mass fraction of vapour)", "1", "1"),
    ("mu", "mu", "dynamic viscosity", "Pa s", "lbm/(ft h)"),
    ("lambda", "lambda_", "thermal conductivity", "W/(m K)", "BTU/(h ft °F)"),
    ("sigma", "sigma", "surface tension", "N/m", "lbf/ft"),
    ("nu", "nu", "kinematic viscosity, mu / rho", "m²/s", "ft²/h"),
    ("alpha", "alpha", "thermal diffusivity, lambda / (rho cp)", "m²/s", "ft²/h"),
    ("Pr", "Pr", "Prandtl number, mu cp / lambda", "1", "1"),
)
_STATE_INTEGERS = (
    ("phase", "phase", "the phase, a Phase value"),
    ("region", "region", "the formulation's region or sub-region, 0 where it has none (see State)"),
    ("status", "status", "what became of the state, a Status value"),
    ("transport", "transport", "the form of the transport correlations, a TransportForm value"),
    ("transport_status", "transport_status", "the transport values' own validity, a Status value"),
)
_STATE_FIELD_NAMES = tuple(f[0] for f in _STATE_NUMBERS + _STATE_INTEGERS)
_STATE_FIELD_INDEX = {
    **{name: k for k, name in enumerate(_STATE_FIELD_NAMES)},
    **{f[1]: k for k, f in enumerate(_STATE_NUMBERS + _STATE_INTEGERS)},
}


def _state_fields_text():
    width = max(len(f[1]) for f in _STATE_NUMBERS + _STATE_INTEGERS)
    numbers = "".join(
        f"{attribute:<{width}}  {quantity}, "
        + ("no unit" if si == "1" else f"{si} (SI) or {english} (English)")
        + "\n"
        for _, attribute, quantity, si, english in _STATE_NUMBERS
    )
    integers = "".join(f"{attribute:<{width}}  {what}\n" for _, attribute, what in _STATE_INTEGERS)
    return numbers + integers


class State(NamedTuple):
    # The library's State, field for field: a NamedTuple whose fields are floats (every argument a scalar)
    # or arrays of the arguments' broadcast shape. The docstring is made below from the table of fields.
    T: Any
    P: Any
    v: Any
    rho: Any
    h: Any
    s: Any
    u: Any
    cp: Any
    cv: Any
    w: Any
    x: Any
    mu: Any
    lambda_: Any
    sigma: Any
    nu: Any
    alpha: Any
    Pr: Any
    phase: Any
    region: Any
    status: Any
    transport: Any
    transport_status: Any

    def __getitem__(self, key):
        """A field by position, as for any tuple, or by name: the library's ("lambda") or the attribute's
        ("lambda_")."""
        if isinstance(key, str):
            try:
                key = _STATE_FIELD_INDEX[key]
            except KeyError:
                raise KeyError(f"a State has no field {key!r}") from None
        return tuple.__getitem__(self, key)

    @classmethod
    def fields(cls):
        """The names of the fields in order, as the library names them ("lambda", not "lambda_")."""
        return _STATE_FIELD_NAMES

    def as_dict(self):
        """The fields as a dict under the library's names, in order."""
        return dict(zip(_STATE_FIELD_NAMES, self))


State.__doc__ = (
    "Every property of a state, as the state functions return it: a NamedTuple (immutable) of 22 fields,\n"
    "each a float or int when every argument of the call was a scalar, otherwise a new array of the\n"
    "arguments' broadcast shape (float64 for the numbers, int32 for the last five fields).\n\n"
    "A field is read as an attribute (``state.h``), by name (``state['h']``, ``state['lambda']``) or by\n"
    "position; ``state.as_dict()`` gives them all under the library's names, ``State.fields()`` the names.\n"
    "``lambda`` is a Python keyword: its attribute is ``lambda_``.\n\n"
    "Fields, in order (units: SI for a negative formulation code, English for a positive one):\n\n"
    + _state_fields_text()
    + "\nEnglish entropies and heat capacities are kJ/(kg K) divided by 4.1868.\n\n"
    "Which numbers are meaningful: every field of a single-phase state but x, which is NaN there; for a\n"
    "two-phase mixture cp, cv and w are NaN (not defined for a mixture) and x is its quality; a saturated\n"
    "liquid or vapour asked for by quality 0 or 1 has the properties of that phase and x 0 or 1. The\n"
    "transport properties mu, lambda_, nu, alpha and Pr are NaN for a two-phase mixture; sigma is defined\n"
    "on the saturation line only (saturated states and mixtures) and NaN elsewhere. Where the status is\n"
    "INVALID_ARGUMENT or NO_SOLUTION every number is NaN and phase is UNKNOWN.\n\n"
    "region: IAPWS-IF97's region (1, 2, 3, 5, and 4 for a two-phase mixture) or IFC-67's sub-region (1 to\n"
    "4); 0 for the formulations that have none (IAPWS-95, NBS/NRC 1984, KKHM 1969) and for a two-phase\n"
    "IFC-67 mixture.\n\n"
    "transport_status: OK inside the ranges of validity of IAPWS R12-08 and R15-11 (and, on the saturation\n"
    "line, of R1-76(2014) for sigma), EXTRAPOLATED outside them, NO_SOLUTION where they gave no value.\n"
)

if _core.STATE_FIELDS != _STATE_FIELD_NAMES:  # a package file and a compiled module of different versions
    raise ImportError(
        f"brimwater._core gives the state fields {_core.STATE_FIELDS}, the package expects "
        f"{_STATE_FIELD_NAMES}: rebuild the package"
    )

_QUALITY = ("vapour quality, the mass fraction of vapour: 0 saturated liquid, 1 saturated vapour", None, None)
_STATE_ENTHALPY = ("specific enthalpy", "kJ/kg", "BTU/lbm")
_STATE_ENTROPY = ("specific entropy", "kJ/(kg K)", "BTU/(lbm °R)")


def _document_state(summary, arguments, note):
    """A state function's docstring: its arguments in both unit systems, and the State it returns."""
    text = (
        f"{summary}\n\n"
        "Parameters\n----------\n"
        + "".join(_parameter(name, quantity) for name, quantity in arguments)
        + _CODE_AND_THREADS
        + "Returns\n-------\nState\n"
        "    Every property of the state (a NamedTuple): floats and ints when every argument is a scalar,\n"
        "    otherwise arrays of the arguments' broadcast shape. Fields, in the code's units:\n\n"
        + "".join(f"    {line}\n" for line in _state_fields_text().splitlines())
        + "\n    An element that has no state (NaN, infinite or out-of-range arguments, or none the\n"
        "    formulation can reach) has NaN in every number, its reason in ``status`` (INVALID_ARGUMENT,\n"
        "    NO_SOLUTION) and phase UNKNOWN; see State for which numbers a state defines.\n\n"
        "Raises\n------\nValueError\n"
        "    An unsupported formulation code (raised before any work), or shapes that do not broadcast.\n"
        "TypeError\n"
        "    An argument that is not a number or an array of numbers, or a code that is not one integer.\n"
        f"\nNotes\n-----\n{note}\n"
    )

    def decorate(function):
        function.__doc__ = text
        return function

    return decorate


@_document_state(
    "The state at temperature T and pressure P.",
    [("T", _TEMPERATURE), ("P", _PRESSURE)],
    "One evaluation of the formulation at (T, P): a single-phase state (never a two-phase mixture).",
)
def StateOfTP(T, P, formulation, *, threads=None):
    return State._make(_core.StateOfTP(T, P, formulation, threads))


@_document_state(
    "The state at pressure P with specific enthalpy h.",
    [("P", _PRESSURE), ("h", _STATE_ENTHALPY)],
    "Below the critical pressure a two-phase mixture is recognised against the formulation's own\n"
    "saturated states; otherwise the temperature is solved until h is matched to its last few bits.",
)
def StateOfPH(P, h, formulation, *, threads=None):
    return State._make(_core.StateOfPH(P, h, formulation, threads))


@_document_state(
    "The state at pressure P with specific entropy s.",
    [("P", _PRESSURE), ("s", _STATE_ENTROPY)],
    "Below the critical pressure a two-phase mixture is recognised against the formulation's own\n"
    "saturated states; otherwise the temperature is solved until s is matched to its last few bits.",
)
def StateOfPS(P, s, formulation, *, threads=None):
    return State._make(_core.StateOfPS(P, s, formulation, threads))


@_document_state(
    "The state with specific enthalpy h and specific entropy s.",
    [("h", _STATE_ENTHALPY), ("s", _STATE_ENTROPY)],
    "The pressure is solved (each trial a state of pressure and entropy), so two-phase states need no\n"
    "special case.",
)
def StateOfHS(h, s, formulation, *, threads=None):
    return State._make(_core.StateOfHS(h, s, formulation, threads))


@_document_state(
    "The saturated state at temperature T with quality x.",
    [("T", _TEMPERATURE), ("x", _QUALITY)],
    "The saturated phases mixed by the lever rule; x outside [0, 1] is INVALID_ARGUMENT.",
)
def StateOfTX(T, x, formulation, *, threads=None):
    return State._make(_core.StateOfTX(T, x, formulation, threads))


@_document_state(
    "The saturated state at pressure P with quality x.",
    [("P", _PRESSURE), ("x", _QUALITY)],
    "The saturated phases mixed by the lever rule; x outside [0, 1] is INVALID_ARGUMENT.",
)
def StateOfPX(P, x, formulation, *, threads=None):
    return State._make(_core.StateOfPX(P, x, formulation, threads))


__all__ = [
    "Psat",
    "Tsat",
    "Vf",
    "Vg",
    "Hf",
    "Hg",
    "Sf",
    "Sg",
    "VofTP",
    "HofTP",
    "SofTP",
    "TofPH",
    "SofPH",
    "TofPS",
    "HofPS",
    "StateOfTP",
    "StateOfPH",
    "StateOfPS",
    "StateOfHS",
    "StateOfTX",
    "StateOfPX",
    "State",
    "Status",
    "Phase",
    "TransportForm",
    "StatusName",
    "PhaseName",
    "TransportFormName",
    "FORMULATIONS",
    "__version__",
]
