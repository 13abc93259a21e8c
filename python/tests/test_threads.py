"""Threads: any number of them gives the same bits as one, however the elements fall into chunks; the GIL is
released during the element loop; calls from several Python threads at once do not disturb one another."""

import threading
import time

import numpy as np
import pytest

import brimwater
from conftest import FUNCTIONS, same_bits

# Above the size from which a call splits its elements across threads (8192 per thread).
SPLIT = 8192


def mixed_states(n, seed=1):
    """Liquid, vapour and supercritical states in random order, with a few saturation temperatures."""
    rng = np.random.default_rng(seed)
    t = rng.uniform(280.0, 1000.0, n)
    p = 10.0 ** rng.uniform(-3.0, 1.8, n)
    return t, p


ARGUMENTS = {  # SI arguments for each kind of function, drawn from the mixed states
    ("Ts",): lambda t, p: (t * 0.6 + 100.0,),
    ("Ps",): lambda t, p: (p * 0.3,),
    ("T", "P"): lambda t, p: (t, p),
    ("P", "H"): lambda t, p: (p, t * 4.0 - 200.0),
    ("P", "S"): lambda t, p: (p, t / 100.0),
}


@pytest.mark.parametrize("name", FUNCTIONS)
def test_any_thread_count_gives_the_bits_of_one_thread(name):
    t, p = mixed_states(3 * SPLIT + 17)
    arguments = ARGUMENTS[FUNCTIONS[name]](t, p)
    function = getattr(brimwater, name)
    code = -95 if name in ("VofTP", "HofTP", "SofTP") else -97
    one = function(*arguments, code, threads=1)
    for threads in (2, 3, 5, None):
        assert same_bits(function(*arguments, code, threads=threads), one), threads


@pytest.mark.parametrize("n", [SPLIT - 1, SPLIT, SPLIT + 1, 2 * SPLIT + 1, 7 * SPLIT + 3])
def test_chunk_boundaries_lose_and_repeat_no_element(n):
    t, p = mixed_states(n, seed=n)
    serial = np.array([brimwater.HofTP(float(a), float(b), -97) for a, b in zip(t, p)])
    for threads in (1, 2, 4, 7):
        assert same_bits(brimwater.HofTP(t, p, -97, threads=threads), serial)


def test_chunks_that_split_rows_of_a_broadcast_table():
    t = np.linspace(280.0, 1000.0, 301)[:, None]  # 301 x 173 elements: chunks end in mid-row
    p = np.geomspace(0.001, 60.0, 173)[::-1]  # reversed, so a negative stride
    table = brimwater.HofTP(t, p, -97, threads=1)
    for threads in (2, 3, 6):
        assert same_bits(brimwater.HofTP(t, p, -97, threads=threads), table)
    assert table[123, 45] == brimwater.HofTP(float(t[123, 0]), float(p[45]), -97)


def test_the_gil_is_released_during_the_element_loop():
    # A slow call (IAPWS-95 inverse functions) on a worker thread; the main thread must run meanwhile.
    p, s = np.full(40000, 5.0), np.linspace(1.0, 8.0, 40000)
    window = {}

    def work():
        window["start"] = time.perf_counter()
        brimwater.TofPS(p, s, -95, threads=1)
        window["end"] = time.perf_counter()

    worker = threading.Thread(target=work)
    ticks = []
    worker.start()
    while worker.is_alive():
        ticks.append(time.perf_counter())
        time.sleep(0.001)
    worker.join()
    start, end = window["start"], window["end"]
    middle = [x for x in ticks if start + 0.25 * (end - start) < x < end - 0.25 * (end - start)]
    assert end - start > 0.05, "the call was too quick to tell"
    assert len(middle) >= 3


def test_calls_from_several_python_threads_at_once():
    t, p = mixed_states(4 * SPLIT)
    expected = brimwater.HofTP(t, p, -97, threads=1)
    results = [None] * 4

    def work(k):
        results[k] = brimwater.HofTP(t, p, -97, threads=2)

    workers = [threading.Thread(target=work, args=(k,)) for k in range(4)]
    for worker in workers:
        worker.start()
    for worker in workers:
        worker.join()
    assert all(same_bits(r, expected) for r in results)
