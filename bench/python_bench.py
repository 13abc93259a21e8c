"""The Python module's speed beside the C++ library's, printed as a Markdown table:

- HofTP over the million mixed IF97 region 1 and 2 states of bench/array_loop_bench.cpp (code -97), per
  element: the C++ loop (Google Benchmark, real time), the module on one thread and on two;
- the overhead of a scalar call: brimwater.HofTP(700.0, 5.0, -97) from Python less the C++ call at the same
  state (Public/HofTP/-97/vapour);
- StateOfTP (every property of a state) over the same million states, code -97, per element: the C++ loop
  (ArrayLoop/StateOfTP/-97/1000000), the module on one thread and on two (STATES=0 leaves these rows out).

Usage: python_bench.py BUILD_DIR (a release build with brimwater_bench and the Python module); run through
bench/python_bench.sh, which builds them. Each figure is the best of several runs, wall-clock time.
"""

import json
import os
import subprocess
import sys
import time
import timeit

import numpy as np

build = sys.argv[1] if len(sys.argv) > 1 else "build/release"
sys.path.insert(0, os.path.join(build, "python"))
import brimwater  # noqa: E402

ELEMENTS = 1_000_000
REPEATS = int(os.environ.get("REPEATS", "15"))


def mixed_states():
    """The states of bench/array_loop_bench.cpp: SplitMix64 of i + 1 picks region 1 or 2 and two fractions."""
    with np.errstate(over="ignore"):
        z = (np.arange(ELEMENTS, dtype=np.uint64) + np.uint64(1)) * np.uint64(0x9E3779B97F4A7C15)
        z = (z ^ (z >> np.uint64(30))) * np.uint64(0xBF58476D1CE4E5B9)
        z = (z ^ (z >> np.uint64(27))) * np.uint64(0x94D049BB133111EB)
        z ^= z >> np.uint64(31)
    u = ((z >> np.uint64(11)) & np.uint64(0xFFFFF)).astype(np.float64) / 1048576.0
    v = ((z >> np.uint64(32)) & np.uint64(0xFFFFF)).astype(np.float64) / 1048576.0
    region1 = (z & np.uint64(1)) == 0
    T = np.where(region1, 280.0 + 320.0 * u, 650.0 + 350.0 * u)
    P = np.where(region1, 20.0 + 30.0 * v, 0.01 + 9.99 * v)
    return T, P


def cpp_figures():
    """Best real time per iteration, ns, of the C++ rows."""
    rows = subprocess.run(
        [
            os.path.join(build, "bench", "brimwater_bench"),
            "--benchmark_filter=ArrayLoop/HofTP/-97/1000000|ArrayLoop/StateOfTP/-97/1000000"
            "|Public/HofTP/-97/vapour",
            f"--benchmark_repetitions={REPEATS}",
            "--benchmark_min_time=0.5",
            "--benchmark_format=json",
        ],
        capture_output=True,
        text=True,
        check=True,
    )
    best, checksum = {}, None
    for row in json.loads(rows.stdout)["benchmarks"]:
        if row.get("run_type") != "iteration":
            continue
        scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[row["time_unit"]]
        name = row["run_name"]
        best[name] = min(best.get(name, float("inf")), row["real_time"] * scale)
        checksum = row.get("states_sum", checksum)
    return (
        best["ArrayLoop/HofTP/-97/1000000/real_time"] / ELEMENTS,
        best["Public/HofTP/-97/vapour"],
        best["ArrayLoop/StateOfTP/-97/1000000/real_time"] / ELEMENTS,
        checksum,
    )


def best_run(call):
    """Wall-clock and processor seconds (all threads) of the run with the least wall-clock time."""
    runs = []
    for _ in range(REPEATS):
        wall, processor = time.perf_counter(), time.process_time()
        call()
        runs.append((time.perf_counter() - wall, time.process_time() - processor))
    return min(runs)


def main():
    load_before = os.getloadavg()[0]
    T, P = mixed_states()
    cpp_element, cpp_scalar, cpp_state, checksum = cpp_figures()
    # The sums differ only in their order of addition.
    assert abs(float(np.sum(T + P)) / checksum - 1.0) < 1e-12, "the C++ benchmark's states differ from these"
    one, one_processor = (x / ELEMENTS * 1e9 for x in best_run(lambda: brimwater.HofTP(T, P, -97, threads=1)))
    two, two_processor = (x / ELEMENTS * 1e9 for x in best_run(lambda: brimwater.HofTP(T, P, -97, threads=2)))
    assert np.array_equal(brimwater.HofTP(T, P, -97, threads=1), brimwater.HofTP(T, P, -97, threads=2))

    calls = 200_000
    scalar = (
        min(timeit.repeat(lambda: brimwater.HofTP(700.0, 5.0, -97), number=calls, repeat=REPEATS))
        / calls
        * 1e9
    )

    states = os.environ.get("STATES", "1") != "0"
    if states:
        state_one, state_one_processor = (
            x / ELEMENTS * 1e9 for x in best_run(lambda: brimwater.StateOfTP(T, P, -97, threads=1))
        )
        state_two, state_two_processor = (
            x / ELEMENTS * 1e9 for x in best_run(lambda: brimwater.StateOfTP(T, P, -97, threads=2))
        )
        one_state, two_states = (brimwater.StateOfTP(T, P, -97, threads=n) for n in (1, 2))
        assert all(np.array_equal(a, b, equal_nan=True) for a, b in zip(one_state, two_states))

    load_after = os.getloadavg()[0]
    print(
        f"Load average (1 min) {load_before:.2f} before the run, {load_after:.2f} after it; "
        f"{os.cpu_count()} processors; Python {sys.version.split()[0]}, NumPy {np.__version__}"
    )
    print()
    print("| figure | value | target | met |")
    print("|---|---:|---|---|")
    print(f"| C++ loop, HofTP per element | {cpp_element:.1f} ns | | |")
    print(
        f"| Python, one thread, per element | {one:.1f} ns ({one / cpp_element:.2f} x the C++ loop; "
        f"{one_processor:.1f} ns of processor time) "
        f"| <= 1.3 x | {'yes' if one <= 1.3 * cpp_element else 'no'} |"
    )
    print(
        f"| Python, two threads, per element | {two:.1f} ns ({one / two:.2f} x faster than one thread; "
        f"{two_processor:.1f} ns of processor time over both) "
        f"| >= 1.8 x | {'yes' if one / two >= 1.8 else 'no'} |"
    )
    print(f"| Python scalar call HofTP(700.0, 5.0, -97) | {scalar:.0f} ns | | |")
    print(f"| C++ call at the same state | {cpp_scalar:.1f} ns | | |")
    overhead = scalar - cpp_scalar
    met = "yes" if overhead <= 1000 else "no"
    print(f"| Python call overhead (difference) | {overhead:.0f} ns | <= 1 us | {met} |")
    if states:
        print(f"| C++ loop, StateOfTP per element | {cpp_state:.1f} ns | | |")
        print(
            f"| Python StateOfTP, one thread, per element | {state_one:.1f} ns "
            f"({state_one / cpp_state:.2f} x the C++ loop; "
            f"{state_one_processor:.1f} ns of processor time) | | |"
        )
        print(
            f"| Python StateOfTP, two threads, per element | {state_two:.1f} ns "
            f"({state_one / state_two:.2f} x faster than one thread; "
            f"{state_two_processor:.1f} ns of processor time over both) | | |"
        )


if __name__ == "__main__":
    main()
