"""Type stubs of the brimwater package. Units: SI for a formulation code <= 0, English for a code > 0
(written SI : English below)."""

import enum
from typing import Dict, NamedTuple, Optional, Tuple, Union, overload

import numpy as np
from numpy.typing import ArrayLike, NDArray

__version__: str
FORMULATIONS: Dict[int, str]

# A single number: the call returns a float. Anything array-like (lists, ndarrays, 0-d arrays) returns an
# array.
# The scalar overloads overlap the array ones (a float is array-like too); the first that matches applies.
_Scalar = Union[float, int, np.floating, np.integer]

@overload
def Psat(Ts: _Scalar, formulation: int, *, threads: Optional[int] = ...) -> float:  # type: ignore[misc]
    """Saturation pressure, MPa : psia, at temperature Ts, K : degF."""

@overload
def Psat(Ts: ArrayLike, formulation: int, *, threads: Optional[int] = ...) -> NDArray[np.float64]: ...
@overload
def Tsat(Ps: _Scalar, formulation: int, *, threads: Optional[int] = ...) -> float:  # type: ignore[misc]
    """Saturation temperature, K : degF, at pressure Ps, MPa : psia."""

@overload
def Tsat(Ps: ArrayLike, formulation: int, *, threads: Optional[int] = ...) -> NDArray[np.float64]: ...
@overload
def Vf(Ts: _Scalar, formulation: int, *, threads: Optional[int] = ...) -> float:  # type: ignore[misc]
    """Specific volume of the saturated liquid, cm3/g : ft3/lbm, at temperature Ts, K : degF."""

@overload
def Vf(Ts: ArrayLike, formulation: int, *, threads: Optional[int] = ...) -> NDArray[np.float64]: ...
@overload
def Vg(Ts: _Scalar, formulation: int, *, threads: Optional[int] = ...) -> float:  # type: ignore[misc]
    """Specific volume of the saturated vapour, cm3/g : ft3/lbm, at temperature Ts, K : degF."""

@overload
def Vg(Ts: ArrayLike, formulation: int, *, threads: Optional[int] = ...) -> NDArray[np.float64]: ...
@overload
def Hf(Ts: _Scalar, formulation: int, *, threads: Optional[int] = ...) -> float:  # type: ignore[misc]
    """Specific enthalpy of the saturated liquid, kJ/kg : BTU/lbm, at temperature Ts, K : degF."""

@overload
def Hf(Ts: ArrayLike, formulation: int, *, threads: Optional[int] = ...) -> NDArray[np.float64]: ...
@overload
def Hg(Ts: _Scalar, formulation: int, *, threads: Optional[int] = ...) -> float:  # type: ignore[misc]
    """Specific enthalpy of the saturated vapour, kJ/kg : BTU/lbm, at temperature Ts, K : degF."""

@overload
def Hg(Ts: ArrayLike, formulation: int, *, threads: Optional[int] = ...) -> NDArray[np.float64]: ...
@overload
def Sf(Ts: _Scalar, formulation: int, *, threads: Optional[int] = ...) -> float:  # type: ignore[misc]
    """Specific entropy of the saturated liquid, kJ/(kg K) : BTU/(lbm degR), at temperature Ts, K : degF."""

@overload
def Sf(Ts: ArrayLike, formulation: int, *, threads: Optional[int] = ...) -> NDArray[np.float64]: ...
@overload
def Sg(Ts: _Scalar, formulation: int, *, threads: Optional[int] = ...) -> float:  # type: ignore[misc]
    """Specific entropy of the saturated vapour, kJ/(kg K) : BTU/(lbm degR), at temperature Ts, K : degF."""

@overload
def Sg(Ts: ArrayLike, formulation: int, *, threads: Optional[int] = ...) -> NDArray[np.float64]: ...
@overload
def VofTP(  # type: ignore[misc]
    T: _Scalar, P: _Scalar, formulation: int, *, threads: Optional[int] = ...
) -> float:
    """Specific volume, cm3/g : ft3/lbm, at temperature T, K : degF, and pressure P, MPa : psia."""

@overload
def VofTP(
    T: ArrayLike, P: ArrayLike, formulation: int, *, threads: Optional[int] = ...
) -> NDArray[np.float64]: ...
@overload
def HofTP(  # type: ignore[misc]
    T: _Scalar, P: _Scalar, formulation: int, *, threads: Optional[int] = ...
) -> float:
    """Specific enthalpy, kJ/kg : BTU/lbm, at temperature T, K : degF, and pressure P, MPa : psia."""

@overload
def HofTP(
    T: ArrayLike, P: ArrayLike, formulation: int, *, threads: Optional[int] = ...
) -> NDArray[np.float64]: ...
@overload
def SofTP(  # type: ignore[misc]
    T: _Scalar, P: _Scalar, formulation: int, *, threads: Optional[int] = ...
) -> float:
    """Specific entropy, kJ/(kg K) : BTU/(lbm degR), at temperature T, K : degF, and pressure P, MPa :
    psia."""

@overload
def SofTP(
    T: ArrayLike, P: ArrayLike, formulation: int, *, threads: Optional[int] = ...
) -> NDArray[np.float64]: ...
@overload
def TofPH(  # type: ignore[misc]
    P: _Scalar, H: _Scalar, formulation: int, *, threads: Optional[int] = ...
) -> float:
    """Temperature, K : degF, at pressure P, MPa : psia, and specific enthalpy H, kJ/kg : BTU/lbm."""

@overload
def TofPH(
    P: ArrayLike, H: ArrayLike, formulation: int, *, threads: Optional[int] = ...
) -> NDArray[np.float64]: ...
@overload
def SofPH(  # type: ignore[misc]
    P: _Scalar, H: _Scalar, formulation: int, *, threads: Optional[int] = ...
) -> float:
    """Specific entropy, kJ/(kg K) : BTU/(lbm degR), at pressure P, MPa : psia, and specific enthalpy H,
    kJ/kg : BTU/lbm."""

@overload
def SofPH(
    P: ArrayLike, H: ArrayLike, formulation: int, *, threads: Optional[int] = ...
) -> NDArray[np.float64]: ...
@overload
def TofPS(  # type: ignore[misc]
    P: _Scalar, S: _Scalar, formulation: int, *, threads: Optional[int] = ...
) -> float:
    """Temperature, K : degF, at pressure P, MPa : psia, and specific entropy S, kJ/(kg K) : BTU/(lbm
    degR)."""

@overload
def TofPS(
    P: ArrayLike, S: ArrayLike, formulation: int, *, threads: Optional[int] = ...
) -> NDArray[np.float64]: ...
@overload
def HofPS(  # type: ignore[misc]
    P: _Scalar, S: _Scalar, formulation: int, *, threads: Optional[int] = ...
) -> float:
    """Specific enthalpy, kJ/kg : BTU/lbm, at pressure P, MPa : psia, and specific entropy S, kJ/(kg K) :
    BTU/(lbm degR)."""

@overload
def HofPS(
    P: ArrayLike, S: ArrayLike, formulation: int, *, threads: Optional[int] = ...
) -> NDArray[np.float64]: ...

# The state functions. Units as above; a State's fields are floats and ints for all-scalar arguments,
# otherwise arrays of the broadcast shape (float64 numbers, int32 phase, region, statuses, transport form).
_Number = Union[float, NDArray[np.float64]]
_Integer = Union[int, NDArray[np.int32]]

class Status(enum.IntEnum):
    OK = 0
    EXTRAPOLATED = 1
    UNSUPPORTED_CODE = 2
    INVALID_ARGUMENT = 3
    NO_SOLUTION = 4

class Phase(enum.IntEnum):
    UNKNOWN = 0
    LIQUID = 1
    VAPOUR = 2
    SUPERCRITICAL = 3
    TWO_PHASE = 4

class TransportForm(enum.IntEnum):
    NONE = 0
    INDUSTRIAL = 1
    FULL = 2

def StatusName(status: int) -> str: ...
def PhaseName(phase: int) -> str: ...
def TransportFormName(form: int) -> str: ...

class State(NamedTuple):
    """Every property of a state; units SI : English."""

    T: _Number  # temperature, K : degF
    P: _Number  # pressure, MPa : psia
    v: _Number  # specific volume, cm3/g : ft3/lbm
    rho: _Number  # density, g/cm3 : lbm/ft3
    h: _Number  # specific enthalpy, kJ/kg : BTU/lbm
    s: _Number  # specific entropy, kJ/(kg K) : BTU/(lbm degR)
    u: _Number  # specific internal energy, kJ/kg : BTU/lbm
    cp: _Number  # specific isobaric heat capacity, kJ/(kg K) : BTU/(lbm degR)
    cv: _Number  # specific isochoric heat capacity, kJ/(kg K) : BTU/(lbm degR)
    w: _Number  # speed of sound, m/s : ft/s
    x: _Number  # vapour quality, no unit
    mu: _Number  # dynamic viscosity, Pa s : lbm/(ft h)
    lambda_: _Number  # thermal conductivity, W/(m K) : BTU/(h ft degF)
    sigma: _Number  # surface tension, N/m : lbf/ft
    nu: _Number  # kinematic viscosity, m2/s : ft2/h
    alpha: _Number  # thermal diffusivity, m2/s : ft2/h
    Pr: _Number  # Prandtl number, no unit
    phase: _Integer  # a Phase value
    region: _Integer  # the formulation's region or sub-region, 0 where it has none
    status: _Integer  # a Status value
    transport: _Integer  # a TransportForm value
    transport_status: _Integer  # a Status value
    @overload  # type: ignore[override]
    def __getitem__(self, key: str) -> Union[_Number, _Integer]: ...
    @overload
    def __getitem__(self, key: int) -> Union[_Number, _Integer]: ...
    @overload
    def __getitem__(self, key: slice) -> Tuple[Union[_Number, _Integer], ...]: ...
    @classmethod
    def fields(cls) -> Tuple[str, ...]: ...
    def as_dict(self) -> Dict[str, Union[_Number, _Integer]]: ...

def StateOfTP(T: ArrayLike, P: ArrayLike, formulation: int, *, threads: Optional[int] = ...) -> State:
    """The state at temperature T, K : degF, and pressure P, MPa : psia."""

def StateOfPH(P: ArrayLike, h: ArrayLike, formulation: int, *, threads: Optional[int] = ...) -> State:
    """The state at pressure P, MPa : psia, with specific enthalpy h, kJ/kg : BTU/lbm."""

def StateOfPS(P: ArrayLike, s: ArrayLike, formulation: int, *, threads: Optional[int] = ...) -> State:
    """The state at pressure P, MPa : psia, with specific entropy s, kJ/(kg K) : BTU/(lbm degR)."""

def StateOfHS(h: ArrayLike, s: ArrayLike, formulation: int, *, threads: Optional[int] = ...) -> State:
    """The state with specific enthalpy h, kJ/kg : BTU/lbm, and specific entropy s, kJ/(kg K) : BTU/(lbm
    degR)."""

def StateOfTX(T: ArrayLike, x: ArrayLike, formulation: int, *, threads: Optional[int] = ...) -> State:
    """The saturated state at temperature T, K : degF, with quality x, 0 to 1."""

def StateOfPX(P: ArrayLike, x: ArrayLike, formulation: int, *, threads: Optional[int] = ...) -> State:
    """The saturated state at pressure P, MPa : psia, with quality x, 0 to 1."""
