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

Errors: an unsupported code raises ValueError before any work, an argument that is not numeric TypeError,
shapes that do not broadcast ValueError. An element with a NaN argument is NaN.

Speed: array arguments are evaluated in C++ without the GIL, split into contiguous chunks across threads
when they are large; the keyword ``threads=`` bounds the threads of one call (default: every processor the
process may use). Results do not depend on the number of threads.
"""

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


def _document(summary, arguments, result, note=""):
    """The function's docstring: its summary, and each argument and the result in both unit systems."""

    def parameter(name, quantity):
        label, si, english = quantity
        return f"{name} : float or array_like\n    {label.capitalize()}, {si} (SI) or {english} (English).\n"

    label, si, english = result
    text = (
        f"{summary}\n\n"
        "Parameters\n----------\n"
        + "".join(parameter(name, quantity) for name, quantity in arguments)
        + "formulation : int\n"
        "    67 IFC-67, 69 KKHM 1969, 84 NBS/NRC 1984, 95 IAPWS-95 or 97 IAPWS-IF97; negative for SI units,\n"
        "    positive for English units.\n"
        "threads : int, optional\n"
        "    The most threads an array call runs on; default: every processor this process may use.\n\n"
        "Returns\n-------\nfloat or numpy.ndarray\n"
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
    "FORMULATIONS",
    "__version__",
]
