"""Type stubs of the brimwater package. Units: SI for a formulation code <= 0, English for a code > 0
(written SI : English below)."""

from typing import Dict, Optional, Union, overload

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
