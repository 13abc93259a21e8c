#!/usr/bin/env python3
"""Regenerates docs/fidelity.md and its figures: where the five formulations differ from IAPWS-95 and from
each other, how far the fifteen functions' historical conventions move them from the state interface, how
exactly the inverse functions undo the forward ones, and how large the steps at region boundaries are.

    PYTHONPATH=build/default/python /usr/bin/python3 docs/fidelity/generate.py

(or `cmake --build --preset default --target fidelity-report`). The numbers need the package `brimwater` and
NumPy; the figures Matplotlib as well (`--no-figures` writes the text alone). `compute()` makes every number,
`render()` the Markdown, `draw()` the figures, so that a test can recompute the numbers without drawing.

Every number in the report is the library's own, computed here: none is a published value. The reference is
IAPWS-95 through the state interface (code -95), which solves the release's equation to the last bits of the
pressure and takes saturated states from the phase-equilibrium condition on the equation itself.
"""

import argparse
import importlib.util
import io
import math
import os
import re
import sys

import numpy as np

import brimwater as bw

# ---- what is compared, and on which grids ---------------------------------------------------------------

REFERENCE = -95
OTHERS = (-97, -67, -69, -84)  # compared with the reference, in the order of the tables
# Pairs (a, b) are taken in this order, a before b, and differ as a - b: the reference comes last.
CODES = (-97, -67, -69, -84, -95)
NAMES = {95: "IAPWS-95", 97: "IAPWS-IF97", 67: "IFC-67", 69: "KKHM 1969", 84: "NBS/NRC 1984"}

T_CRITICAL_95 = 647.096  # K, IAPWS R6-95(2018)
T_REGION_1_LIMIT = 623.15  # K, IAPWS-IF97: regions 1 and 2 meet region 3 here

# The T-P plane: 273 K to 1073 K in steps of 2.5 K, 1 kPa to 100 MPa evenly in log P (25 points a decade).
MAP_T = 273.0 + 2.5 * np.arange(321)
MAP_P = 10.0 ** np.linspace(-3.0, 2.0, 126)

# The near-critical region, left out of the second maximum of each map so that the rest of the plane has a
# number of its own.
NEAR_CRITICAL_T = (620.0, 720.0)  # K
NEAR_CRITICAL_P = (15.0, 40.0)  # MPa

# Isobars of Figure 6.
ISOBARS = (0.1, 10.0, 30.0)  # MPa
ISOBAR_T = np.arange(273.5, 1073.01, 0.5)

# The saturation line: every 0.5 K from the triple point, then closer to IAPWS-95's critical temperature.
SAT_T = np.concatenate([[273.16], np.arange(273.5, 646.99, 0.5), [647.0, 647.03, 647.06, 647.08, 647.09]])

# Quantities of the maps: state attribute, label, unit ("" for a relative difference).
MAP_QUANTITIES = (
    ("v", "v", ""),
    ("h", "h", "kJ/kg"),
    ("s", "s", "kJ/(kg K)"),
    ("cp", "cp", ""),
    ("w", "w", ""),
)

# The inverse functions' grid: 274 K to 1072 K every 2 K, 1 kPa to 100 MPa with 20 points a decade.
INVERSE_T = np.arange(274.0, 1072.01, 2.0)
INVERSE_P = 10.0 ** np.linspace(-3.0, 2.0, 101)
# The fifteen's inverse functions stop within these of the given enthalpy and entropy (their stopping rule).
FIFTEEN_H_STOP = 0.01  # kJ/kg
FIFTEEN_S_STOP = 1e-5  # kJ/(kg K)
# The state interface's inverse pairs promise 1e-9 of the value (of 1 near zero).
STATE_RESIDUAL = 1e-9
# Beside the saturation line: below each formulation's critical pressure, temperatures this far (K) from its
# saturation temperature.
BESIDE_P = 10.0 ** np.linspace(-3.0, math.log10(22.0), 81)
BESIDE_OFFSETS = np.array([-1.0, -0.5, -0.2, -0.1, -0.05, -0.02, -0.01, 0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1.0])

# Region scans: isobars and isotherms crossing the boundaries of IAPWS-IF97's regions and IFC-67's
# sub-regions, each crossing then bisected to 1e-10 of its temperature or pressure.
SCAN_P = 10.0 ** np.linspace(-3.0, 2.0, 101)
SCAN_T = np.arange(273.16, 1073.0, 1.0)
SCAN_ISOTHERMS = np.arange(600.0, 1073.0, 2.5)
SCAN_ISOTHERM_P = 10.0 ** np.linspace(0.0, 2.0, 401)

ENGLISH_ENTROPY = 4.1868  # kJ/(kg K) per BTU/(lbm degR), SofTP's factor
SATURATED_ENGLISH_ENTROPY = 4.186  # the factor of English Sf and Sg


def name(code):
    return NAMES[abs(code)]


# ---- small helpers --------------------------------------------------------------------------------------


def state(pair, a, b, code):
    """The state interface on arrays: brimwater.StateOfTP and its siblings."""
    return getattr(bw, "StateOf" + pair)(np.asarray(a, dtype=float), np.asarray(b, dtype=float), code)


def largest(delta, mask, *coordinates):
    """(delta, coordinates...) at the largest |delta| where mask holds (the first such point in C order),
    or None where mask holds nowhere."""
    delta = np.asarray(delta, dtype=float)
    magnitude = np.where(mask & np.isfinite(delta), np.abs(delta), -1.0)
    index = np.unravel_index(np.argmax(magnitude), magnitude.shape)
    if magnitude[index] < 0.0:
        return None
    return (float(delta[index]),) + tuple(float(np.broadcast_to(c, delta.shape)[index]) for c in coordinates)


def difference(a, b, relative):
    return (a - b) / b if relative else a - b


def opposite_phases(first, second):
    """Where one says liquid and the other vapour: the band between two formulations' saturation lines."""
    liquid, vapour = int(bw.Phase.LIQUID), int(bw.Phase.VAPOUR)
    return ((first == liquid) & (second == vapour)) | ((first == vapour) & (second == liquid))


def near_critical(T, P):
    return (
        (T >= NEAR_CRITICAL_T[0])
        & (T <= NEAR_CRITICAL_T[1])
        & (P >= NEAR_CRITICAL_P[0])
        & (P <= NEAR_CRITICAL_P[1])
    )


# ---- the numbers ----------------------------------------------------------------------------------------


def compute_maps():
    """Every formulation's state at every point of the T-P plane, and the differences from IAPWS-95."""
    T, P = np.meshgrid(MAP_T, MAP_P, indexing="ij")
    states = {code: state("TP", T, P, code) for code in CODES}
    ok = {code: states[code].status == int(bw.Status.OK) for code in CODES}
    extrapolated = {code: states[code].status == int(bw.Status.EXTRAPOLATED) for code in CODES}
    away = ~near_critical(T, P)
    maps = {"T": T, "P": P, "states": states, "extrapolated": extrapolated, "pairs": {}}
    for i, a in enumerate(CODES):
        for b in CODES[i + 1 :]:
            mismatch = opposite_phases(states[a].phase, states[b].phase)
            valid = ok[a] & ok[b] & ~mismatch
            entry = {"mismatch": mismatch, "valid": valid, "quantities": {}}
            for attribute, _, unit in MAP_QUANTITIES:
                delta = difference(getattr(states[a], attribute), getattr(states[b], attribute), unit == "")
                finite = valid & np.isfinite(delta)
                entry["quantities"][attribute] = {
                    "delta": delta,
                    "largest": largest(delta, valid, T, P),
                    "largest_away": largest(delta, valid & away, T, P),
                    "median": float(np.median(np.abs(delta[finite]))),
                }
            maps["pairs"][(a, b)] = entry
    # The saturation lines to draw: each formulation's own, from its triple point to its critical point.
    maps["saturation"] = {}
    for code in CODES:
        line = state("TX", np.linspace(273.16, 647.4, 800), 0.0, code)
        keep = np.isfinite(line.P)
        maps["saturation"][code] = (line.T[keep], line.P[keep])
    # The cold liquid, where NBS/NRC 1984 parts from the others: cp at 280 K and h at 300 K, 0.1 MPa.
    cold = {code: state("TP", np.array([280.0, 300.0]), 0.1, code) for code in CODES}
    maps["cold_liquid"] = {
        code: (
            float((cold[code].cp[0] - cold[REFERENCE].cp[0]) / cold[REFERENCE].cp[0]),
            float(cold[code].h[1] - cold[REFERENCE].h[1]),
        )
        for code in OTHERS
    }
    return maps


# Quantities of the saturation line: label, unit ("" relative), and how to take them from the saturated
# liquid f and vapour g of a formulation at the temperatures SAT_T.
SAT_QUANTITIES = (
    ("Psat", "", lambda f, g: f.P),
    ("Tsat", "K", None),  # from the pressure: the formulation's saturation temperature at IAPWS-95's Psat
    ("h'", "kJ/kg", lambda f, g: f.h),
    ("h''", "kJ/kg", lambda f, g: g.h),
    ("s'", "kJ/(kg K)", lambda f, g: f.s),
    ("s''", "kJ/(kg K)", lambda f, g: g.s),
)


def compute_saturation():
    """The saturation line of each formulation against IAPWS-95's, at the same temperature, up to IAPWS-95's
    critical temperature (every other formulation's critical temperature lies at or above it)."""
    T = SAT_T
    liquid = {code: state("TX", T, 0.0, code) for code in CODES}
    vapour = {code: state("TX", T, 1.0, code) for code in CODES}
    reference_P = liquid[REFERENCE].P
    industrial = T <= T_REGION_1_LIMIT
    result = {"T": T, "curves": {}, "largest": {}, "largest_industrial": {}, "triple": {}}
    for code in CODES:
        f, g = liquid[code], vapour[code]
        result["triple"][code] = (float(f.P[0]), float(f.h[0]), float(f.s[0]), float(f.u[0]))
        if code == REFERENCE:
            continue
        for label, unit, take in SAT_QUANTITIES:
            if take is None:
                delta = state("PX", reference_P, 0.0, code).T - T
            else:
                delta = difference(take(f, g), take(liquid[REFERENCE], vapour[REFERENCE]), unit == "")
            result["curves"][(code, label)] = delta
            result["largest"][(code, label)] = largest(delta, np.ones_like(T, dtype=bool), T)
            result["largest_industrial"][(code, label)] = largest(delta, industrial, T)
    return result


# The fifteen's saturated states against the state interface's, for IAPWS-IF97 (regions 1 and 2 up to the
# critical point) and IAPWS-95 (the IAPWS-IF97 saturation line): label, unit, fifteen function, state field.
FIFTEEN_SATURATED = (
    ("Vf", "", bw.Vf, "f", "v"),
    ("Vg", "", bw.Vg, "g", "v"),
    ("Hf", "kJ/kg", bw.Hf, "f", "h"),
    ("Hg", "kJ/kg", bw.Hg, "g", "h"),
    ("Sf", "kJ/(kg K)", bw.Sf, "f", "s"),
    ("Sg", "kJ/(kg K)", bw.Sg, "g", "s"),
)
CONVENTION_T = np.concatenate([np.arange(580.0, 647.0, 0.25), [647.05, 647.09, T_CRITICAL_95]])


def compute_conventions(maps):
    result = {}
    # IAPWS-IF97's saturated states from regions 1 and 2 above 623.15 K.
    T = CONVENTION_T
    sides = {"f": state("TX", T, 0.0, -97), "g": state("TX", T, 1.0, -97)}
    if97 = {"T": T, "curves": {}, "largest": {}, "largest_below": {}}
    for label, unit, function, side, field in FIFTEEN_SATURATED:
        delta = difference(function(T, -97), getattr(sides[side], field), unit == "")
        if97["curves"][label] = delta
        if97["largest"][label] = largest(delta, T > T_REGION_1_LIMIT, T)
        if97["largest_below"][label] = largest(delta, T <= T_REGION_1_LIMIT, T)
    result["if97"] = if97

    # Code 95's saturation line (IAPWS-IF97's) against IAPWS-95's own phase equilibrium.
    T = SAT_T
    f, g = state("TX", T, 0.0, -95), state("TX", T, 1.0, -95)
    P = 10.0 ** np.linspace(math.log10(6.12e-4), math.log10(22.06), 400)
    iapws95 = {"T": T, "P": P, "curves": {}, "largest": {}}
    delta = difference(bw.Psat(T, -95), f.P, True)
    iapws95["curves"]["Psat"] = delta
    iapws95["largest"]["Psat"] = largest(delta, np.ones_like(T, dtype=bool), T)
    delta = bw.Tsat(P, -95) - state("PX", P, 0.0, -95).T
    iapws95["curves"]["Tsat"] = delta
    iapws95["largest"]["Tsat"] = largest(delta, np.ones_like(P, dtype=bool), P)
    for label, unit, function, side, field in FIFTEEN_SATURATED:
        delta = difference(function(T, -95), getattr({"f": f, "g": g}[side], field), unit == "")
        iapws95["curves"][label] = delta
        iapws95["largest"][label] = largest(delta, np.ones_like(T, dtype=bool), T)
    result["iapws95"] = iapws95

    # English Sf and Sg divided by 4.186, every other English entropy by 4.1868 (IAPWS-IF97, 32 to 662 degF).
    TF = np.concatenate([[32.018], np.arange(33.0, 662.01, 1.0)])  # degF, 273.16 K to 623.15 K
    factor = {"T": TF}
    sf, sg = bw.Sf(TF, 97), bw.Sg(TF, 97)
    factor["Sf"] = largest(sf - state("TX", TF, 0.0, 97).s, np.ones_like(TF, dtype=bool), TF)
    factor["Sg"] = largest(sg - state("TX", TF, 1.0, 97).s, np.ones_like(TF, dtype=bool), TF)
    ps = bw.Psat(TF, 97)
    factor["TofPS_g"] = bw.TofPS(ps, sg, 97) - TF
    factor["TofPS_f"] = bw.TofPS(ps, sf, 97) - TF
    factor["HofPS_g"] = bw.HofPS(ps, sg, 97) - bw.Hg(TF, 97)
    for key in ("TofPS_g", "TofPS_f", "HofPS_g"):
        factor["largest_" + key] = largest(factor[key], np.ones_like(TF, dtype=bool), TF)
    result["factor"] = factor

    # The fifteen's VofTP, HofTP and SofTP against the state interface over the T-P plane. Where the two
    # put a state on different sides of the saturation line (code 95: IAPWS-IF97's line against IAPWS-95's
    # equilibrium) the band is left out and counted.
    T, P = maps["T"], maps["P"]
    single = {}
    for code in CODES:
        st = maps["states"][code]
        own_line = state("TX", T[:, 0], 0.0, code).P[:, np.newaxis]
        fifteen_line = bw.Psat(T[:, 0], code)[:, np.newaxis]
        below_critical = np.isfinite(own_line) & (T < T_CRITICAL_95)
        band = below_critical & ((P - own_line) * (P - fifteen_line) < 0.0)
        valid = (st.status == int(bw.Status.OK)) & ~band
        entry = {"band": int(band.sum()), "largest": {}, "delta": {}}
        for label, unit, function, field in (
            ("v", "", bw.VofTP, "v"),
            ("h", "kJ/kg", bw.HofTP, "h"),
            ("s", "kJ/(kg K)", bw.SofTP, "s"),
        ):
            delta = difference(function(T, P, code), getattr(st, field), unit == "")
            entry["delta"][label] = delta
            entry["largest"][label] = largest(delta, valid, T, P)
        single[code] = entry
    result["single"] = single
    return result


def compute_inverses():
    """How exactly the inverse functions undo the forward ones, from the states of a (T, P) grid."""
    T, P = np.meshgrid(INVERSE_T, INVERSE_P, indexing="ij")
    result = {"T": T, "P": P, "fifteen": {}, "state": {}}
    for code in CODES:
        # The fifteen: h = HofTP(T, P), then HofTP(TofPH(P, h), P) - h; likewise for s.
        h, s = bw.HofTP(T, P, code), bw.SofTP(T, P, code)
        T_h, T_s = bw.TofPH(P, h, code), bw.TofPS(P, s, code)
        r_h, r_s = bw.HofTP(T_h, P, code) - h, bw.SofTP(T_s, P, code) - s
        # More than 1 K from the formulation's saturation temperature: where the bounds are documented.
        away = (P >= bw.Psat(999.0, code)) | (np.abs(T - bw.Tsat(P, code)) > 1.0)
        everywhere = np.ones_like(T, dtype=bool)
        # Beside the fifteen's own saturation line.
        P_b = BESIDE_P[:, np.newaxis]
        T_b = bw.Tsat(P_b, code) + BESIDE_OFFSETS
        h_b, s_b = bw.HofTP(T_b, P_b, code), bw.SofTP(T_b, P_b, code)
        T_hb, T_sb = bw.TofPH(P_b, h_b, code), bw.TofPS(P_b, s_b, code)
        r_hb, r_sb = bw.HofTP(T_hb, P_b, code) - h_b, bw.SofTP(T_sb, P_b, code) - s_b
        beside = np.ones_like(T_b, dtype=bool)
        result["fifteen"][code] = {
            "h_beside": largest(r_hb, beside, T_b, P_b),
            "s_beside": largest(r_sb, beside, T_b, P_b),
            "T_h_beside": largest(T_hb - T_b, beside, T_b, P_b),
            "T_s_beside": largest(T_sb - T_b, beside, T_b, P_b),
            "r_h": r_h,
            "r_s": r_s,
            "h": largest(r_h, everywhere, T, P),
            "s": largest(r_s, everywhere, T, P),
            "h_away": largest(r_h, away, T, P),
            "s_away": largest(r_s, away, T, P),
            "T_h_away": largest(T_h - T, away, T, P),
            "T_s_away": largest(T_s - T, away, T, P),
            "count_h": int(np.sum(np.abs(r_h) > FIFTEEN_H_STOP)),
            "count_s": int(np.sum(np.abs(r_s) > FIFTEEN_S_STOP)),
        }
        # The state interface: (P, h), (P, s) and (h, s) from the state at (T, P), then the state at the
        # (T, P) found: its h and s against the given ones, relative to the value (to 1 near zero).
        tp = state("TP", T, P, code)
        good = tp.status == int(bw.Status.OK)
        scale_h, scale_s = np.fmax(np.abs(tp.h), 1.0), np.fmax(np.abs(tp.s), 1.0)
        ph, ps, hs = state("PH", P, tp.h, code), state("PS", P, tp.s, code), state("HS", tp.h, tp.s, code)
        back_ph, back_ps = state("TP", ph.T, P, code), state("TP", ps.T, P, code)
        back_hs = state("TP", hs.T, hs.P, code)
        entry = {}
        for key, residual in (
            ("PH", (back_ph.h - tp.h) / scale_h),
            ("PS", (back_ps.s - tp.s) / scale_s),
            ("HS h", (back_hs.h - tp.h) / scale_h),
            ("HS s", (back_hs.s - tp.s) / scale_s),
        ):
            entry[key] = largest(residual, good, T, P)
        entry["PH T"] = largest((ph.T - T) / T, good, T, P)
        entry["PS T"] = largest((ps.T - T) / T, good, T, P)
        entry["HS T"] = largest((hs.T - T) / T, good, T, P)
        entry["HS P"] = largest((hs.P - P) / P, good, T, P)
        entry["failed"] = int(np.sum(good & ~np.isfinite(ph.T + ps.T + hs.T)))
        # Beside the state interface's own saturation line, (P, h) and (P, s) only.
        T_b = state("PX", P_b, 0.0, code).T + BESIDE_OFFSETS
        tp_b = state("TP", T_b, P_b, code)
        good_b = tp_b.status == int(bw.Status.OK)
        ph_b, ps_b = state("PH", P_b, tp_b.h, code), state("PS", P_b, tp_b.s, code)
        entry["PH beside"] = largest(
            (state("TP", ph_b.T, P_b, code).h - tp_b.h) / np.fmax(np.abs(tp_b.h), 1.0), good_b, T_b, P_b
        )
        entry["PS beside"] = largest(
            (state("TP", ps_b.T, P_b, code).s - tp_b.s) / np.fmax(np.abs(tp_b.s), 1.0), good_b, T_b, P_b
        )
        result["state"][code] = entry
    return result


# Properties compared across a boundary: attribute, label, unit ("" relative).
JUMP_QUANTITIES = (
    ("v", "v", ""),
    ("h", "h", "kJ/kg"),
    ("s", "s", "kJ/(kg K)"),
    ("cp", "cp", ""),
    ("w", "w", ""),
)


def crossings(code, a, b, along_T):
    """Every crossing of a region boundary of the formulation on lines of constant P (along_T) or constant
    T: the two states on either side, bisected to 1e-10 of the varying coordinate. The saturation line
    (liquid on one side, vapour on the other) is no region boundary and is left out."""
    A, B = np.meshgrid(a, b, indexing="ij")  # A: the fixed coordinate, B: the varying one

    def at(fixed, varying):
        return state("TP", varying, fixed, code) if along_T else state("TP", fixed, varying, code)

    st = at(A, B)
    step = (st.region[:, :-1] != st.region[:, 1:]) & ~opposite_phases(st.phase[:, :-1], st.phase[:, 1:])
    step &= (st.status[:, :-1] == int(bw.Status.OK)) & (st.status[:, 1:] == int(bw.Status.OK))
    rows, cols = np.nonzero(step)
    fixed, lo, hi = A[rows, cols], B[rows, cols], B[rows, cols + 1]
    region_lo = st.region[rows, cols]
    while np.any(hi - lo > 1e-10 * hi):
        mid = 0.5 * (lo + hi)
        same = at(fixed, mid).region == region_lo
        lo, hi = np.where(same, mid, lo), np.where(same, hi, mid)
    return fixed, lo, hi, at(fixed, lo), at(fixed, hi)


def compute_boundaries():
    """The steps of every property across IAPWS-IF97's region boundaries and IFC-67's sub-region ones."""
    result = {}
    for code in (-97, -67):
        boundaries = {}
        for along_T, fixed_values, varying_values in (
            (True, SCAN_P, SCAN_T),
            (False, SCAN_ISOTHERMS, SCAN_ISOTHERM_P),
        ):
            fixed, lo, hi, below, above = crossings(code, fixed_values, varying_values, along_T)
            T = np.where(along_T, 0.5 * (lo + hi), fixed)
            P = np.where(along_T, fixed, 0.5 * (lo + hi))
            for i in range(len(fixed)):
                key = tuple(sorted((int(below.region[i]), int(above.region[i]))))
                entry = boundaries.setdefault(
                    key, {"T": [], "P": [], "jumps": {q[0]: [] for q in JUMP_QUANTITIES}}
                )
                entry["T"].append(float(T[i]))
                entry["P"].append(float(P[i]))
                # Oriented from the lower region number to the higher.
                first, second = (below, above) if below.region[i] < above.region[i] else (above, below)
                for attribute, _, unit in JUMP_QUANTITIES:
                    entry["jumps"][attribute].append(
                        float(
                            difference(
                                getattr(second, attribute)[i], getattr(first, attribute)[i], unit == ""
                            )
                        )
                    )
        for key, entry in boundaries.items():
            order = np.lexsort((np.array(entry["T"]), np.array(entry["P"])))
            entry["T"] = np.array(entry["T"])[order]
            entry["P"] = np.array(entry["P"])[order]
            entry["jumps"] = {k: np.array(v)[order] for k, v in entry["jumps"].items()}
            entry["largest"] = {
                k: largest(v, np.ones_like(v, dtype=bool), entry["T"], entry["P"])
                for k, v in entry["jumps"].items()
            }
        result[code] = dict(sorted(boundaries.items()))
    return result


def compute():
    """Every number of the report."""
    maps = compute_maps()
    return {
        "version": bw.__version__,
        "maps": maps,
        "saturation": compute_saturation(),
        "conventions": compute_conventions(maps),
        "inverses": compute_inverses(),
        "boundaries": compute_boundaries(),
    }


# ---- the text -------------------------------------------------------------------------------------------


def number(x, digits=3):
    """x to `digits` significant digits with its sign, exponents without padding: +1.66e-5, -9.01, 0."""
    if x is None or not math.isfinite(x):
        return "n/a"
    if x == 0.0:
        return "0"
    text = f"{x:+.{digits}g}"
    return re.sub(r"e([+-])0*(\d)", lambda m: "e" + ("-" if m.group(1) == "-" else "") + m.group(2), text)


def magnitude(x, digits=3):
    return "n/a" if x is None or not math.isfinite(x) else number(abs(x), digits).lstrip("+")


def kelvin(T):
    return f"{T:.6g} K"


def fahrenheit(T):
    return f"{T:.6g} °F"


def mpa(P):
    return f"{P:.4g} MPa"


def at_TP(found):
    return "n/a" if found is None else f"{kelvin(found[1])}, {mpa(found[2])}"


def value_at_TP(found, digits=3):
    return "n/a" if found is None else f"{number(found[0], digits)} at {at_TP(found)}"


def value_at_T(found, unit=kelvin):
    return "n/a" if found is None else f"{number(found[0])} at {unit(found[1])}"


def unit_label(unit):
    return "relative" if unit == "" else unit


def table(header, rows):
    lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
    lines += ["| " + " | ".join(row) + " |" for row in rows]
    return "\n".join(lines) + "\n"


def figure(number_, file, caption):
    return f"![Figure {number_}: {caption}](fidelity/{file})\n\n*Figure {number_}.* {caption}\n"


# Figure files, in the order of the report.
MAP_FIGURES = {attribute: f"map_{attribute}.png" for attribute, _, _ in MAP_QUANTITIES}
FIGURES = {
    **{f"map_{a}": (i + 1, f) for i, (a, f) in enumerate(MAP_FIGURES.items())},
    "isobars": (6, "isobars.png"),
    "saturation": (7, "saturation.png"),
    "if97_saturated": (8, "if97_saturated.png"),
    "iapws95_line": (9, "iapws95_saturation_line.png"),
    "entropy_factor": (10, "english_entropy.png"),
    "fifteen_single": (11, "fifteen_single_phase.png"),
    "inverses": (12, "inverse_residuals.png"),
    "boundaries": (13, "region_boundaries.png"),
}


def fig(key):
    return f"Figure {FIGURES[key][0]}"


def render_numbers(r):
    maps, sat, conv, inv, bnd = r["maps"], r["saturation"], r["conventions"], r["inverses"], r["boundaries"]
    out = []

    out.append(
        f"### Each formulation against IAPWS-95 over the T–P plane (Figures {FIGURES['map_v'][0]} to {FIGURES['map_w'][0]})\n"
    )
    out.append(
        "Differences of the state interface's values, formulation minus IAPWS-95, on the grid of "
        f"{MAP_T.size} × {MAP_P.size} states (273 K to 1073 K every 2.5 K, 1 kPa to 100 MPa with 25 pressures a "
        "decade) where both are within their ranges of validity and on the same side of the saturation line; "
        "v, cp and w relative, h in kJ/kg, s in kJ/(kg K). The near-critical region is "
        f"{NEAR_CRITICAL_T[0]:g} K to {NEAR_CRITICAL_T[1]:g} K and {NEAR_CRITICAL_P[0]:g} MPa to "
        f"{NEAR_CRITICAL_P[1]:g} MPa.\n"
    )
    rows = []
    for attribute, label, unit in MAP_QUANTITIES:
        for code in OTHERS:
            q = maps["pairs"][(code, REFERENCE)]["quantities"][attribute]
            rows.append(
                [
                    f"{label} ({unit_label(unit)})",
                    name(code),
                    value_at_TP(q["largest"]),
                    value_at_TP(q["largest_away"]),
                    magnitude(q["median"]),
                ]
            )
    out.append(
        table(
            [
                "quantity",
                "formulation",
                "largest difference",
                "largest outside the near-critical region",
                "median |difference|",
            ],
            rows,
        )
    )
    counts = ", ".join(
        f"{name(code)} {int(maps['pairs'][(code, REFERENCE)]['mismatch'].sum())}" for code in OTHERS
    )
    out.append(f"\nStates on opposite sides of the two saturation lines, left out: {counts}.\n")

    out.append(f"\n### The formulations against each other ({fig('isobars')})\n")
    out.append(
        "Every pair on the same grid, first minus second: the largest difference outside the near-critical "
        "region, and in brackets the median |difference| over the whole grid.\n"
    )
    rows = []
    for (a, b), entry in maps["pairs"].items():
        cells = [f"{name(a)} − {name(b)}"]
        for attribute, _, _ in MAP_QUANTITIES:
            q = entry["quantities"][attribute]
            cells.append(f"{number(q['largest_away'][0])} ({magnitude(q['median'])})")
        rows.append(cells)
    out.append(
        table(["pair", "v (relative)", "h (kJ/kg)", "s (kJ/(kg K))", "cp (relative)", "w (relative)"], rows)
    )

    out.append(f"\n### The saturation line ({fig('saturation')})\n")
    out.append(
        "Each formulation's saturated states (the state interface's x = 0 and x = 1) minus IAPWS-95's at the "
        f"same temperature, from the triple point to {SAT_T[-1]:g} K; Tsat is the formulation's saturation "
        "temperature at IAPWS-95's saturation pressure minus the temperature. Psat relative, Tsat in K, h′ and "
        "h″ in kJ/kg, s′ and s″ in kJ/(kg K). IAPWS-95's saturation line ends at its critical temperature, "
        "647.096 K, which IAPWS-IF97 shares and the others exceed (NBS/NRC 1984 647.126 K, KKHM 1969 "
        "647.245 K, IFC-67 647.3 K): the comparison stops just below it.\n"
    )
    rows = []
    for label, unit, _ in SAT_QUANTITIES:
        for code in OTHERS:
            rows.append(
                [
                    f"{label} ({unit_label(unit)})",
                    name(code),
                    value_at_T(sat["largest"][(code, label)]),
                    value_at_T(sat["largest_industrial"][(code, label)]),
                ]
            )
    out.append(
        table(["quantity", "formulation", f"largest up to {SAT_T[-1]:g} K", "largest up to 623.15 K"], rows)
    )
    out.append(
        "\nThe saturated liquid at the triple point (273.16 K), where each formulation sets its zeros:\n\n"
    )
    rows = []
    for code in (REFERENCE,) + OTHERS:
        P, h, s, u = sat["triple"][code]
        rows.append([name(code), f"{P * 1e3:.6g}", number(h), number(s), number(u)])
    out.append(table(["formulation", "p (kPa)", "h′ (kJ/kg)", "s′ (kJ/(kg K))", "u′ (kJ/kg)"], rows))
    out.append(
        "\nIAPWS-95, IAPWS-IF97, IFC-67 and NBS/NRC 1984 set u′ and s′ to zero there; KKHM 1969 carries its own "
        "small offsets, which pass into every one of its enthalpies and entropies.\n"
    )

    out.append(
        "\n### The fifteen functions' conventions against the state interface "
        f"(Figures {FIGURES['if97_saturated'][0]} to {FIGURES['fifteen_single'][0]})\n"
    )
    out.append(
        "IAPWS-IF97 (code −97): the fifteen's saturated states from regions 1 and 2 minus the state interface's "
        "(region 3 above 623.15 K); v relative, h in kJ/kg, s in kJ/(kg K).\n"
    )
    c = conv["if97"]
    rows = [
        [label, value_at_T(c["largest"][label]), value_at_T(c["largest_below"][label])]
        for label, *_ in FIFTEEN_SATURATED
    ]
    out.append(
        table(["function", "largest above 623.15 K", f"largest from {CONVENTION_T[0]:g} K to 623.15 K"], rows)
    )
    out.append(
        "\nIAPWS-95 (code −95): the fifteen's saturation line (IAPWS-IF97's) minus the state interface's "
        "(IAPWS-95's own phase equilibrium), the saturated states at the same temperature: Psat and v "
        "relative, Tsat in K (at the same pressure), h in kJ/kg, s in kJ/(kg K).\n"
    )
    c = conv["iapws95"]
    rows = [["Psat", value_at_T(c["largest"]["Psat"])], ["Tsat", value_at_T(c["largest"]["Tsat"], mpa)]]
    rows += [[label, value_at_T(c["largest"][label])] for label, *_ in FIFTEEN_SATURATED]
    out.append(table(["function", "largest difference"], rows))
    f = conv["factor"]
    out.append(
        "\nEnglish entropies (code 97, 32.018 °F to 662 °F): `Sf` and `Sg` divide by 4.186, the state interface "
        "and every other entropy by 4.1868, so the saturated entropies are "
        f"{number(ENGLISH_ENTROPY / SATURATED_ENGLISH_ENTROPY - 1.0)} relative larger; an isentropic step "
        "started from them lands beside the saturation line.\n"
    )
    rows = [
        ["`Sf` − s′ (BTU/(lbm °R))", value_at_T(f["Sf"], fahrenheit)],
        ["`Sg` − s″ (BTU/(lbm °R))", value_at_T(f["Sg"], fahrenheit)],
        ["`TofPS(Psat, Sg)` − Ts (°F)", value_at_T(f["largest_TofPS_g"], fahrenheit)],
        ["`TofPS(Psat, Sf)` − Ts (°F)", value_at_T(f["largest_TofPS_f"], fahrenheit)],
        ["`HofPS(Psat, Sg)` − `Hg` (BTU/lbm)", value_at_T(f["largest_HofPS_g"], fahrenheit)],
    ]
    out.append(table(["difference", "largest"], rows))
    out.append(
        "\nSingle-phase states: the fifteen's `VofTP`, `HofTP` and `SofTP` minus the state interface's on the "
        "grid of the maps (v relative, h in kJ/kg, s in kJ/(kg K)), leaving out the band between the two "
        "saturation lines each uses (states in it are counted). The Helmholtz formulations' fifteen stop "
        "their density search at a relative pressure tolerance of 3.45e-4; the state interface solves to the "
        "last bits.\n"
    )
    rows = []
    for code in (REFERENCE,) + OTHERS:
        e = conv["single"][code]
        rows.append([name(code)] + [value_at_TP(e["largest"][q]) for q in ("v", "h", "s")] + [str(e["band"])])
    out.append(table(["formulation", "v", "h", "s", "states in the band"], rows))

    out.append(f"\n### Exactness of the inverse functions ({fig('inverses')})\n")
    out.append(
        f"The fifteen, on {INVERSE_T.size} × {INVERSE_P.size} states (274 K to 1072 K every 2 K, 1 kPa to 100 MPa "
        "with 20 pressures a decade) from `HofTP` and `SofTP`: the residuals `HofTP(TofPH(P, h), P)` − h "
        "(kJ/kg) and `SofTP(TofPS(P, s), P)` − s (kJ/(kg K)), and the temperature errors (K), more than 1 K from "
        "the formulation's saturation temperature; then on "
        f"{BESIDE_P.size} × {BESIDE_OFFSETS.size} states 0.01 K to 1 K on either side of it (1 kPa to 22 MPa). "
        f"Their stopping rules are {FIFTEEN_H_STOP:g} kJ/kg and {number(FIFTEEN_S_STOP).lstrip('+')} kJ/(kg K). "
        "A residual of the size of the latent heat means that `TofPH` or `TofPS` took a single-phase state "
        "for a wet one and returned the saturation temperature (see below); its temperature error is then "
        "the state's distance from the saturation line.\n"
    )
    rows = []
    for code in (REFERENCE,) + OTHERS:
        e = inv["fifteen"][code]
        rows.append(
            [name(code), "more than 1 K away"]
            + [value_at_TP(e[k]) for k in ("h_away", "s_away", "T_h_away", "T_s_away")]
        )
        rows.append(
            [name(code), "within 1 K"]
            + [value_at_TP(e[k]) for k in ("h_beside", "s_beside", "T_h_beside", "T_s_beside")]
        )
    out.append(
        table(
            ["formulation", "from saturation", "h residual", "s residual", "T of TofPH", "T of TofPS"], rows
        )
    )
    out.append(
        "\nThe state interface's inverse pairs on the same grid: from the state at (T, P), the state of (P, h), "
        "(P, s) and (h, s), then the state at the (T, P) found; its h and s minus the given ones, relative to "
        f"the value (to 1 near zero). They promise {number(STATE_RESIDUAL).lstrip('+')}. Beside the saturation line: the same "
        "for (P, h) and (P, s) on the states within 1 K of the state interface's own saturation temperature. "
        "The last column is the pressure (h, s) finds, relative, which a compressed liquid at low pressure "
        "fixes only loosely ((∂h/∂P)_s = v is small there).\n"
    )
    rows = []
    for code in (REFERENCE,) + OTHERS:
        e = inv["state"][code]
        rows.append(
            [name(code)]
            + [value_at_TP(e[k]) for k in ("PH", "PS", "HS h", "HS s", "PH beside", "PS beside", "HS P")]
        )
    out.append(
        table(
            [
                "formulation",
                "(P, h): h",
                "(P, s): s",
                "(h, s): h",
                "(h, s): s",
                "(P, h) beside",
                "(P, s) beside",
                "(h, s): P",
            ],
            rows,
        )
    )

    out.append(f"\n### Discontinuities at region boundaries ({fig('boundaries')})\n")
    out.append(
        "Steps of the state interface's properties across each boundary, the higher-numbered region minus the "
        "lower (v, cp and w relative, h in kJ/kg, s in kJ/(kg K)), found on isobars (1 kPa to 100 MPa) and "
        "isotherms (600 K to 1070 K) and bisected to 1e-10 of the temperature or pressure. IAPWS-95, NBS/NRC "
        "1984 and KKHM 1969 are one equation each over the whole plane: they have no region boundaries.\n"
    )
    rows = []
    for code, boundaries in bnd.items():
        for (lower, higher), entry in boundaries.items():
            rows.append(
                [name(code), f"{lower} / {higher}", str(entry["T"].size)]
                + [value_at_TP(entry["largest"][q]) for q, _, _ in JUMP_QUANTITIES]
            )
    out.append(table(["formulation", "regions", "crossings", "v", "h", "s", "cp", "w"], rows))
    return "\n".join(out)


def extrapolated_summary(maps):
    """Which formulations flag states of the plane as extrapolated, and over which temperatures."""
    parts = []
    for code in (REFERENCE,) + OTHERS:
        flagged = maps["extrapolated"][code]
        if flagged.any():
            T = maps["T"][flagged]
            span = kelvin(T.min()) if T.min() == T.max() else f"{T.min():.6g} K to {kelvin(T.max())}"
            parts.append(f"{name(code)} {int(flagged.sum())} states ({span})")
    return "; ".join(parts) if parts else "none on this plane"


def render(r):
    """The whole of docs/fidelity.md."""
    out = [
        "# Fidelity of the five formulations\n",
        "How far IAPWS-IF97, IFC-67, KKHM 1969 and NBS/NRC 1984 differ from IAPWS-95 and from each other, and "
        "where; how far the fifteen functions' historical conventions move them from the state interface; how "
        "exactly the inverse functions undo the forward ones; and how large the steps at region boundaries "
        "are. Every number is the library's own (Brimwater "
        f"{r['version']}), computed by `docs/fidelity/generate.py`: none is a published value. The reference is "
        "IAPWS-95 as the state interface evaluates it (code −95: the equation of IAPWS R6-95(2018) solved to "
        "the last bits of the pressure, saturated states from its own phase equilibrium). SI units throughout "
        "but for the English-entropy convention. Regenerate this page and its figures with "
        "`cmake --build --preset default --target fidelity-report` (see the README); do not edit it by hand.\n",
        "## The numbers\n",
        "Every figure's numbers, so that the charts are not needed for the answer. A difference is signed "
        "(the first formulation named minus the second) and given where its magnitude is largest, with the "
        "state where that happens.\n",
        render_numbers(r),
        "\n## The T–P plane\n",
        "Each map shows |difference| from IAPWS-95 in colour, on a logarithmic scale, over 273 K to 1073 K and "
        "1 kPa to 100 MPa. The solid line is the formulation's own saturation line, the dashed one IAPWS-95's "
        "(they lie within a line's width of each other at this scale). Grey points lie between the two "
        "saturation lines, where one formulation sees liquid and the other vapour, and are left out of the "
        "numbers. Hatched points lie outside a formulation's range of validity (status `extrapolated`) and "
        f"are left out of the numbers as well: {extrapolated_summary(r['maps'])}.\n",
    ]
    titles = {
        "v": "relative difference in specific volume",
        "h": "difference in specific enthalpy (kJ/kg)",
        "s": "difference in specific entropy (kJ/(kg K))",
        "cp": "relative difference in isobaric heat capacity",
        "w": "relative difference in the speed of sound",
    }
    for attribute, _, _ in MAP_QUANTITIES:
        number_, file = FIGURES[f"map_{attribute}"]
        out.append(figure(number_, file, f"Each formulation against IAPWS-95: {titles[attribute]}."))
    out.append(
        "\nThe differences are largest around the critical point, where each formulation has its own critical "
        "point and cp diverges, and in the dense fluid at high pressure. In the cold liquid, at 280 K and "
        "0.1 MPa, cp differs from IAPWS-95's by "
        + ", ".join(f"{number(v[0])} ({name(c)})" for c, v in r["maps"]["cold_liquid"].items())
        + ", and h at 300 K by "
        + ", ".join(f"{number(v[1])} kJ/kg ({name(c)})" for c, v in r["maps"]["cold_liquid"].items())
        + ". An offset gained there stays with every enthalpy above it: it is why NBS/NRC 1984, whose "
        "liquid cp near the triple point lies furthest below IAPWS-95's, has the largest median |Δh| though "
        "its volumes are as close to IAPWS-95's as the others'. A constant offset cancels in every "
        "difference of enthalpies, which is what a heat balance uses.\n",
    )
    number_, file = FIGURES["isobars"]
    out.append("\n## The formulations against each other\n")
    out.append(
        figure(
            number_,
            file,
            "Differences from IAPWS-95 along the isobars "
            + ", ".join(f"{P:g}" for P in ISOBARS)
            + " MPa: relative in v (top) and in kJ/kg in h (bottom); the step of each curve is the formulation's "
            "own saturation temperature against IAPWS-95's.",
        )
    )
    out.append("\n## The saturation line\n")
    number_, file = FIGURES["saturation"]
    out.append(
        figure(
            number_,
            file,
            "Each formulation's saturation line minus IAPWS-95's against temperature, up to IAPWS-95's critical "
            "temperature: pressure (relative), temperature at IAPWS-95's saturation pressure, the saturated "
            "enthalpies and entropies. The vertical scale is linear within the dotted band and logarithmic "
            "beyond it.",
        )
    )
    out.append("\n## The fifteen functions' conventions against the state interface\n")
    out.append(
        "The fifteen keep the conventions of the published tools of their time (see the README); the state "
        "interface gives each formulation as its publication defines it. Four conventions, measured:\n"
    )
    number_, file = FIGURES["if97_saturated"]
    out.append(
        figure(
            number_,
            file,
            "IAPWS-IF97: `Vf`, `Vg`, `Hf`, `Hg`, `Sf`, `Sg` (regions 1 and 2, extrapolated above 623.15 K) minus "
            "the state interface's saturated states (region 3 above 623.15 K), up to the critical point.",
        )
    )
    number_, file = FIGURES["iapws95_line"]
    out.append(
        figure(
            number_,
            file,
            "IAPWS-95: the fifteen's saturation line is IAPWS-IF97's; the state interface's is the equation's own "
            "phase equilibrium. Saturation pressure (relative) and the saturated enthalpies, fifteen minus state "
            "interface.",
        )
    )
    number_, file = FIGURES["entropy_factor"]
    out.append(
        figure(
            number_,
            file,
            "IAPWS-IF97 in English units: the isentropic step from the saturated vapour, `TofPS(Psat(Ts), "
            "Sg(Ts))` − Ts, and the enthalpy it gives, `HofPS(Psat(Ts), Sg(Ts))` − `Hg(Ts)`: the 4.186 of `Sg` "
            "against the 4.1868 of `TofPS`.",
        )
    )
    number_, file = FIGURES["fifteen_single"]
    out.append(
        figure(
            number_,
            file,
            "The fifteen's `VofTP` against the state interface's v for the Helmholtz formulations, whose fifteen "
            "stop the density search at a relative pressure tolerance of 3.45e-4: relative |difference|.",
        )
    )
    out.append("\n## Exactness of the inverse functions\n")
    number_, file = FIGURES["inverses"]
    out.append(
        figure(
            number_,
            file,
            "The fifteen's inverse residuals over the T–P plane: |`HofTP(TofPH(P, h), P)` − h| (top, kJ/kg) and "
            "|`SofTP(TofPS(P, s), P)` − s| (bottom, kJ/(kg K)). The secants stop at 0.01 kJ/kg and 1e-5 "
            "kJ/(kg K), or when their two ends come closer than 0.001 kJ/kg or 1e-6 kJ/(kg K), which can leave "
            "the entropy residual above 1e-5.",
        )
    )
    out.append(
        "\nThe fifteen's `TofPH` and `TofPS` first test for a wet state against `Hf` and `Hg` (`Sf` and `Sg`) at "
        "the saturation temperature of P, and return that temperature when the given value lies between them. "
        "Where a formulation's single-phase values do not meet its fifteen's saturated states (IAPWS-IF97 "
        "above 623.15 K, whose saturated states come from regions 1 and 2; the Helmholtz formulations, whose "
        "density search stops at a relative pressure tolerance of 3.45e-4), a single-phase state just beside "
        "the saturation line passes that test and comes back as the saturation temperature, which the "
        "residuals within 1 K of the saturation temperature show. The state interface's pairs test against "
        "the saturated states of the same equation and have no such band.\n"
    )
    out.append("\n## Discontinuities at region boundaries\n")
    number_, file = FIGURES["boundaries"]
    out.append(
        figure(
            number_,
            file,
            "Steps across IAPWS-IF97's region boundaries and IFC-67's sub-region boundaries against the pressure "
            "of the crossing: |Δh| (kJ/kg) and |Δv|/v.",
        )
    )
    out.append(
        "\n## How the numbers are made\n\n"
        "- Single-phase states come from `StateOfTP`, saturated ones from `StateOfTX` and `StateOfPX`, the "
        "fifteen's values from the functions themselves, through the Python package on NumPy arrays.\n"
        "- A largest difference is taken over the points of a fixed grid: a finer grid may find a larger one "
        "near the critical point, where the differences change fastest.\n"
        "- The numbers are printed to three significant digits; the test `python.fidelity` recomputes them "
        "and checks that they agree with this page to its last printed digit, and that the inverse residuals "
        "stay within their bounds.\n"
    )
    # One blank line between blocks, a newline at the end.
    return re.sub(r"\n{3,}", "\n\n", "\n".join(out)).rstrip("\n") + "\n"


# ---- the figures ----------------------------------------------------------------------------------------

COLOURS = {-97: "tab:blue", -67: "tab:orange", -69: "tab:green", -84: "tab:red", -95: "black"}


def draw(r, directory):
    """Every figure, as PNG files in `directory`."""
    import matplotlib

    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    from matplotlib.colors import LogNorm
    from matplotlib.patches import Rectangle

    plt.rcParams.update({"font.size": 8, "axes.titlesize": 9, "figure.dpi": 90})
    os.makedirs(directory, exist_ok=True)

    def save(fig, key):
        # Through a 256-colour palette: a third of the size of the full-colour file, and no visible loss.
        from PIL import Image

        buffer = io.BytesIO()
        fig.savefig(buffer, format="png", dpi=90)
        plt.close(fig)
        buffer.seek(0)
        image = (
            Image.open(buffer)
            .convert("RGB")
            .quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
        )
        image.save(os.path.join(directory, FIGURES[key][1]), optimize=True)

    maps = r["maps"]
    T, P = maps["T"], maps["P"]

    def plane(ax, values, norm, mask, extrapolated, code):
        shown = np.ma.masked_where(~mask | ~np.isfinite(values) | (values <= 0.0), values)
        mesh = ax.pcolormesh(T, P, shown, norm=norm, cmap="viridis", shading="nearest", rasterized=True)
        ax.pcolormesh(
            T,
            P,
            np.ma.masked_where(~mask_grey(mask, extrapolated), np.ones_like(values)),
            cmap="Greys",
            vmin=0,
            vmax=2,
            shading="nearest",
        )
        # Hatched: each temperature column's run of states outside the formulation's range.
        half = 0.5 * (MAP_T[1] - MAP_T[0])
        for column in np.nonzero(extrapolated.any(axis=1))[0]:
            flagged = P[column][extrapolated[column]]
            ax.add_patch(
                Rectangle(
                    (T[column, 0] - half, flagged.min()),
                    2 * half,
                    flagged.max() - flagged.min(),
                    fill=False,
                    hatch="////",
                    edgecolor="red",
                    lw=0.0,
                )
            )
        for line_code, style in ((code, "-"), (REFERENCE, "--")):
            Ts, Ps = maps["saturation"][line_code]
            ax.plot(Ts, Ps, style, color="white", lw=0.8)
        ax.set_yscale("log")
        ax.set_xlim(MAP_T[0], MAP_T[-1])
        ax.set_ylim(MAP_P[0], MAP_P[-1])
        return mesh

    def mask_grey(mask, extrapolated):
        return ~mask & ~extrapolated

    for attribute, label, unit in MAP_QUANTITIES:
        fig, axes = plt.subplots(2, 2, figsize=(8.0, 6.0), sharex=True, sharey=True, constrained_layout=True)
        magnitudes = [
            np.abs(maps["pairs"][(code, REFERENCE)]["quantities"][attribute]["delta"]) for code in OTHERS
        ]
        valid = [maps["pairs"][(code, REFERENCE)]["valid"] for code in OTHERS]
        upper = max(np.nanmax(np.where(v, m, np.nan)) for m, v in zip(magnitudes, valid))
        norm = LogNorm(vmin=upper * 1e-6, vmax=upper)
        for ax, code, m, v in zip(axes.ravel(), OTHERS, magnitudes, valid):
            extrapolated = maps["extrapolated"][code] | maps["extrapolated"][REFERENCE]
            mesh = plane(ax, m, norm, v, extrapolated, code)
            ax.set_title(f"{name(code)} − IAPWS-95")
        for ax in axes[-1]:
            ax.set_xlabel("T (K)")
        for ax in axes[:, 0]:
            ax.set_ylabel("P (MPa)")
        fig.colorbar(mesh, ax=axes, label=f"|Δ{label}|" + (" (relative)" if unit == "" else f" ({unit})"))
        save(fig, f"map_{attribute}")

    # Isobars.
    fig, axes = plt.subplots(2, len(ISOBARS), figsize=(9.0, 5.0), sharex=True, constrained_layout=True)
    for column, P_line in enumerate(ISOBARS):
        reference = state("TP", ISOBAR_T, P_line, REFERENCE)
        for code in OTHERS:
            st = state("TP", ISOBAR_T, P_line, code)
            axes[0, column].plot(
                ISOBAR_T, (st.v - reference.v) / reference.v, color=COLOURS[code], lw=0.8, label=name(code)
            )
            axes[1, column].plot(ISOBAR_T, st.h - reference.h, color=COLOURS[code], lw=0.8)
        axes[0, column].set_title(f"{P_line:g} MPa")
        axes[0, column].set_yscale("symlog", linthresh=1e-4)
        axes[1, column].set_yscale("symlog", linthresh=0.1)
        axes[1, column].set_xlabel("T (K)")
    axes[0, 0].set_ylabel("Δv / v")
    axes[1, 0].set_ylabel("Δh (kJ/kg)")
    axes[0, 0].legend(loc="lower left", fontsize=7)
    save(fig, "isobars")

    # The saturation line.
    sat = r["saturation"]
    fig, axes = plt.subplots(2, 3, figsize=(9.0, 5.5), sharex=True, constrained_layout=True)
    thresholds = {"Psat": 1e-4, "Tsat": 1e-2, "h'": 0.1, "h''": 0.1, "s'": 1e-4, "s''": 1e-4}
    for ax, (label, unit, _) in zip(axes.ravel(), SAT_QUANTITIES):
        for code in OTHERS:
            ax.plot(sat["T"], sat["curves"][(code, label)], color=COLOURS[code], lw=0.8, label=name(code))
        ax.set_yscale("symlog", linthresh=thresholds[label])
        ax.axhspan(-thresholds[label], thresholds[label], color="0.92", lw=0)
        ax.set_title(f"Δ{label}" + (" (relative)" if unit == "" else f" ({unit})"))
    for ax in axes[-1]:
        ax.set_xlabel("T (K)")
    axes[0, 0].legend(fontsize=7)
    save(fig, "saturation")

    # IAPWS-IF97's saturated states of the fifteen.
    c = r["conventions"]["if97"]
    fig, axes = plt.subplots(1, 3, figsize=(9.0, 3.0), constrained_layout=True)
    for ax, labels, title in zip(
        axes, (("Vf", "Vg"), ("Hf", "Hg"), ("Sf", "Sg")), ("Δv / v", "Δh (kJ/kg)", "Δs (kJ/(kg K))")
    ):
        for label, style in zip(labels, ("-", "--")):
            ax.plot(c["T"], c["curves"][label], style, color="tab:blue", lw=0.9, label=label)
        ax.axvline(T_REGION_1_LIMIT, color="0.6", lw=0.6)
        ax.set_title(title)
        ax.set_xlabel("T (K)")
        ax.legend(fontsize=7)
    save(fig, "if97_saturated")

    # Code 95's saturation line.
    c = r["conventions"]["iapws95"]
    fig, axes = plt.subplots(1, 2, figsize=(8.0, 3.0), constrained_layout=True)
    axes[0].plot(c["T"], c["curves"]["Psat"], color="black", lw=0.9)
    axes[0].set_title("ΔPsat / Psat")
    for label, style in (("Hf", "-"), ("Hg", "--")):
        axes[1].plot(c["T"], c["curves"][label], style, color="black", lw=0.9, label=label)
    axes[1].set_yscale("symlog", linthresh=0.01)
    axes[1].set_title("Δh (kJ/kg)")
    axes[1].legend(fontsize=7)
    for ax in axes:
        ax.set_xlabel("T (K)")
    save(fig, "iapws95_line")

    # The English entropy factor.
    f = r["conventions"]["factor"]
    fig, axes = plt.subplots(1, 2, figsize=(8.0, 3.0), constrained_layout=True)
    axes[0].plot(f["T"], f["TofPS_g"], color="tab:blue", lw=0.9)
    axes[0].set_title("TofPS(Psat, Sg) − Ts (°F)")
    axes[1].plot(f["T"], f["HofPS_g"], color="tab:blue", lw=0.9)
    axes[1].set_title("HofPS(Psat, Sg) − Hg (BTU/lbm)")
    for ax in axes:
        ax.set_xlabel("Ts (°F)")
    save(fig, "entropy_factor")

    # The fifteen's VofTP against the state interface for the Helmholtz formulations.
    single = r["conventions"]["single"]
    codes = (-95, -84, -69)
    fig, axes = plt.subplots(1, 3, figsize=(10.0, 3.4), sharey=True, constrained_layout=True)
    magnitudes = [np.abs(single[code]["delta"]["v"]) for code in codes]
    upper = max(np.nanmax(m) for m in magnitudes)
    norm = LogNorm(vmin=upper * 1e-8, vmax=upper)
    for ax, code, m in zip(axes, codes, magnitudes):
        mesh = plane(ax, m, norm, np.isfinite(m), maps["extrapolated"][code], code)
        ax.set_title(name(code))
        ax.set_xlabel("T (K)")
    axes[0].set_ylabel("P (MPa)")
    fig.colorbar(mesh, ax=axes, label="|Δv| / v")
    save(fig, "fifteen_single")

    # The fifteen's inverse residuals.
    inv = r["inverses"]
    fig, axes = plt.subplots(2, 5, figsize=(12.0, 5.0), sharex=True, sharey=True, constrained_layout=True)
    for row, (key, stop) in enumerate((("r_h", FIFTEEN_H_STOP), ("r_s", FIFTEEN_S_STOP))):
        norm = LogNorm(vmin=stop * 1e-6, vmax=stop * 10.0)
        for ax, code in zip(axes[row], (REFERENCE,) + OTHERS):
            m = np.abs(inv["fifteen"][code][key])
            mesh = ax.pcolormesh(
                inv["T"],
                inv["P"],
                np.ma.masked_where(m <= 0.0, m),
                norm=norm,
                cmap="magma",
                shading="nearest",
                rasterized=True,
            )
            ax.set_yscale("log")
            if row == 0:
                ax.set_title(name(code))
            else:
                ax.set_xlabel("T (K)")
        axes[row, 0].set_ylabel("P (MPa)")
        fig.colorbar(
            mesh, ax=axes[row], label="|h residual| (kJ/kg)" if row == 0 else "|s residual| (kJ/(kg K))"
        )
    save(fig, "inverses")

    # Region boundaries.
    bnd = r["boundaries"]
    fig, axes = plt.subplots(1, 2, figsize=(8.0, 3.2), constrained_layout=True)
    styles = {-97: "o", -67: "s"}
    for code, boundaries in bnd.items():
        for (lower, higher), entry in boundaries.items():
            label = f"{name(code)} {lower}/{higher}"
            axes[0].plot(entry["P"], np.abs(entry["jumps"]["h"]), styles[code], ms=3, label=label)
            axes[1].plot(entry["P"], np.abs(entry["jumps"]["v"]), styles[code], ms=3, label=label)
    for ax, title in zip(axes, ("|Δh| (kJ/kg)", "|Δv| / v")):
        ax.set_xscale("log")
        ax.set_yscale("log")
        ax.set_xlabel("P (MPa)")
        ax.set_title(title)
    axes[0].legend(fontsize=7)
    save(fig, "boundaries")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument(
        "--output", default=os.path.dirname(here), help="where fidelity.md goes (default: docs/)"
    )
    parser.add_argument("--no-figures", action="store_true", help="write the text alone, without Matplotlib")
    arguments = parser.parse_args()
    if not arguments.no_figures:
        if importlib.util.find_spec("matplotlib") is None:
            sys.stderr.write(
                "generate.py: Matplotlib is not installed (apt-get install python3-matplotlib); "
                "--no-figures writes the text alone\n"
            )
            return 1
    results = compute()
    if not arguments.no_figures:
        draw(results, os.path.join(arguments.output, "fidelity"))
    with open(os.path.join(arguments.output, "fidelity.md"), "w", encoding="utf-8") as out:
        out.write(render(results))
    return 0


if __name__ == "__main__":
    sys.exit(main())
