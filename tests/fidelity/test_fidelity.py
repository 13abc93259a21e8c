"""The fidelity report (docs/fidelity.md): its numbers recomputed from the library agree with the committed page
to the last printed digit, the inverse functions stay within their documented bounds, and every figure the
page shows is in the repository. The numbers alone are recomputed: drawing needs Matplotlib, these tests do
not."""

import math
import os
import re
import sys

import numpy as np
import pytest

SOURCE = os.environ.get("BRIMWATER_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(SOURCE, "docs", "fidelity"))

import generate  # noqa: E402 (the report's own generator, from the source tree)

import brimwater as bw  # noqa: E402

REPORT = os.path.join(SOURCE, "docs", "fidelity.md")
FIGURES = os.path.join(SOURCE, "docs", "fidelity")


@pytest.fixture(scope="module")
def results():
    return generate.compute()


NUMBER = re.compile(r"[-+]?\d+(?:\.\d+)?(?:e-?\d+)?")


def last_digit(token):
    """One unit in the last printed digit of a number as the report prints it ("+1.66e-5" -> 1e-7)."""
    mantissa, _, exponent = token.partition("e")
    decimals = len(mantissa.partition(".")[2])
    return 10.0 ** (int(exponent or 0) - decimals)


def same_to_printed_digits(committed, regenerated):
    """A printed value may move by one unit in its last digit between builds (a value on a rounding edge);
    counts and labels (unsigned whole numbers) may not move at all."""
    if committed == regenerated:
        return True
    if re.fullmatch(r"\d+", committed):
        return False
    return abs(float(committed) - float(regenerated)) <= 1.001 * last_digit(committed)


def differences(committed_text, regenerated_text):
    """Lines that differ in their words or beyond the printed digits of a number."""
    committed, regenerated = committed_text.splitlines(), regenerated_text.splitlines()
    if len(committed) != len(regenerated):
        return [f"{len(committed)} lines committed, {len(regenerated)} regenerated"]
    found = []
    for number, (a, b) in enumerate(zip(committed, regenerated), start=1):
        if a == b:
            continue
        tokens_a, tokens_b = NUMBER.findall(a), NUMBER.findall(b)
        if (
            NUMBER.sub("#", a) != NUMBER.sub("#", b)
            or len(tokens_a) != len(tokens_b)
            or not all(same_to_printed_digits(x, y) for x, y in zip(tokens_a, tokens_b))
        ):
            found.append(f"line {number}:\n  committed:   {a}\n  regenerated: {b}")
    return found


def test_the_comparison_allows_a_last_digit_and_nothing_more():
    cases = [
        ("+1.66e-5", "+1.67e-5", True),  # a value on a rounding edge
        ("+1.66e-5", "+1.68e-5", False),
        ("+0.00999", "+0.01", True),
        ("650.5 K", "653 K", False),  # the neighbouring grid point
        ("16", "17", False),  # counts are exact
        ("-9.01", "+9.01", False),
    ]
    for committed, regenerated, same in cases:
        assert (differences(committed, regenerated) == []) is same, (committed, regenerated)


def test_regenerating_the_report_reproduces_the_committed_page(results):
    with open(REPORT, encoding="utf-8") as committed:
        found = differences(committed.read(), generate.render(results))
    assert not found, "docs/fidelity.md is not what the library gives now (regenerate it):\n" + "\n".join(
        found[:20]
    )


def test_every_figure_of_the_page_is_committed_and_modest():
    with open(REPORT, encoding="utf-8") as committed:
        shown = re.findall(r"\]\(fidelity/([^)]+)\)", committed.read())
    assert sorted(shown) == sorted(file for _, file in generate.FIGURES.values())
    for file in shown:
        path = os.path.join(FIGURES, file)
        assert os.path.isfile(path), file
        assert os.path.getsize(path) < 150_000, file


# The fifteen's inverse functions more than 1 K from the saturation temperature (README, "Exactness of the
# inverse functions"): TofPH stops within 0.01 kJ/kg of the enthalpy; TofPS within 1e-5 kJ/(kg K) of the
# entropy for the Gibbs formulations, but for the Helmholtz ones its other exit (the secant's two ends closer
# than 1e-6 kJ/(kg K)) can leave up to 1e-4; the temperatures they find lie within 0.1 K.
FIFTEEN_BOUNDS = {
    # code: (h residual kJ/kg, s residual kJ/(kg K), temperature K)
    -97: (0.01, 1e-5, 0.1),
    -67: (0.01, 1e-5, 0.1),
    -95: (0.01, 1e-4, 0.1),
    -84: (0.01, 1e-4, 0.1),
    -69: (0.01, 1e-4, 0.1),
}


@pytest.mark.parametrize("code", sorted(FIFTEEN_BOUNDS))
def test_the_fifteen_inverse_functions_stay_within_their_bounds_away_from_saturation(results, code):
    h_bound, s_bound, T_bound = FIFTEEN_BOUNDS[code]
    found = results["inverses"]["fifteen"][code]
    assert abs(found["h_away"][0]) <= h_bound, found["h_away"]
    assert abs(found["s_away"][0]) <= s_bound, found["s_away"]
    assert abs(found["T_h_away"][0]) <= T_bound, found["T_h_away"]
    assert abs(found["T_s_away"][0]) <= T_bound, found["T_s_away"]


@pytest.mark.parametrize("code", generate.CODES)
def test_the_state_interface_inverse_pairs_keep_their_promise(results, code):
    found = results["inverses"]["state"][code]
    assert found["failed"] == 0
    for key in ("PH", "PS", "HS h", "HS s", "PH beside", "PS beside"):
        assert found[key] is not None and math.isfinite(found[key][0]), key
        assert abs(found[key][0]) <= generate.STATE_RESIDUAL, (key, found[key])


def test_largest_takes_the_signed_value_of_the_largest_magnitude_where_the_mask_holds():
    delta = np.array([1.0, -3.0, np.nan, 2.0, -5.0])
    where = np.array([10.0, 20.0, 30.0, 40.0, 50.0])
    cases = [
        (np.array([True, True, True, True, False]), (-3.0, 20.0)),  # masked out: -5; NaN: ignored
        (np.array([True, False, True, True, False]), (2.0, 40.0)),
        (np.zeros(5, dtype=bool), None),
    ]
    for mask, expected in cases:
        assert generate.largest(delta, mask, where) == expected


# IAPWS-IF97, Table 1: the B23 equation, Eq. (5), p / (1 MPa) = n1 + n2 T + n3 T^2 with T in K.
B23 = (0.34805185628969e3, -0.11671859879975e1, 0.10192970039326e-2)


def test_the_boundary_scan_finds_iapws_if97_boundaries_where_the_release_puts_them(results):
    found = results["boundaries"][-97]
    assert sorted(found) == [(1, 3), (2, 3)]
    # Regions 1 and 3 meet at 623.15 K, from the saturation pressure there (16.53 MPa) up.
    assert np.allclose(found[(1, 3)]["T"], 623.15, rtol=1e-9, atol=0.0)
    assert found[(1, 3)]["P"].min() > 16.5
    # Regions 2 and 3 meet on the B23 line.
    T, P = found[(2, 3)]["T"], found[(2, 3)]["P"]
    assert np.allclose(P, B23[0] + B23[1] * T + B23[2] * T**2, rtol=1e-8, atol=0.0)


def test_the_measured_conventions_are_the_ones_the_readme_describes(results):
    conventions = results["conventions"]
    # IAPWS-IF97's saturated states of the fifteen are the state interface's up to 623.15 K.
    for label, found in conventions["if97"]["largest_below"].items():
        assert abs(found[0]) <= 1e-9, (label, found)
    # English Sf and Sg are the state interface's entropies times 4.1868 / 4.186 (0.019 % larger).
    TF = np.array([50.0, 100.0, 212.0, 400.0, 600.0, 662.0])  # degF, up to 623.15 K (s′ > 0)
    for function, x in ((bw.Sf, 0.0), (bw.Sg, 1.0)):
        ratio = function(TF, 97) / bw.StateOfTX(TF, np.full_like(TF, x), 97).s
        assert np.allclose(ratio, 4.1868 / 4.186, rtol=1e-9, atol=0.0)
    # Code 95's saturation line of the fifteen is IAPWS-IF97's, to the bit.
    T = generate.SAT_T
    assert np.array_equal(bw.Psat(T, -95), bw.Psat(T, -97))
