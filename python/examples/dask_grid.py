"""A large grid of IAPWS-IF97 enthalpies evaluated with Dask, block by block, on a cluster.

By default a local cluster of two worker processes is started; --scheduler connects to an existing Dask
cluster instead (every worker needs the brimwater package installed, or on its PYTHONPATH). The result is
compared with one call of brimwater.HofTP over the whole grid: it must be identical to the bit.

    python3 dask_grid.py                                # 2000 x 2000 states, two local worker processes
    python3 dask_grid.py --temperatures 100 --pressures 50
    python3 dask_grid.py --scheduler tcp://scheduler.example:8786
"""

import argparse
import sys
import time

import dask.array as da
import numpy as np
from dask.distributed import Client, LocalCluster

import brimwater


def enthalpy_grid(T, P, code, chunk):
    """HofTP over every temperature of T (rows) and pressure of P (columns), as a Dask array of blocks of
    chunk x chunk states. Each block is one brimwater call on one worker; the column of temperatures and the
    row of pressures are broadcast inside the call, so no block holds more than its own inputs."""
    temperatures = da.from_array(T[:, np.newaxis], chunks=(chunk, 1))
    pressures = da.from_array(P[np.newaxis, :], chunks=(1, chunk))
    # One thread per call: Dask already runs one block per worker thread.
    return da.map_blocks(brimwater.HofTP, temperatures, pressures, code, dtype=np.float64, threads=1)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--temperatures", type=int, default=2000, help="grid rows (default 2000)")
    parser.add_argument("--pressures", type=int, default=2000, help="grid columns (default 2000)")
    parser.add_argument("--chunk", type=int, default=500, help="block side (default 500)")
    parser.add_argument(
        "--code", type=int, default=-97, help="formulation code (default -97: IF97, SI units)"
    )
    parser.add_argument("--scheduler", help="address of a running Dask scheduler (default: a local cluster)")
    arguments = parser.parse_args()

    # The grid: 280 K to 1000 K, and 1 kPa to 60 MPa evenly in the logarithm (English units for a code > 0).
    T = np.linspace(280.0, 1000.0, arguments.temperatures)
    P = np.geomspace(0.001, 60.0, arguments.pressures)
    if arguments.code > 0:
        T, P = T * 1.8 - 459.67, P * 145.0377377

    if arguments.scheduler:
        client = Client(arguments.scheduler)
        where = f"the cluster at {arguments.scheduler}"
    else:
        cluster = LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None)
        client = Client(cluster)
        where = "a local cluster of two worker processes"

    with client:
        grid = enthalpy_grid(T, P, arguments.code, arguments.chunk)
        start = time.perf_counter()
        distributed = grid.compute()
        distributed_seconds = time.perf_counter() - start

    start = time.perf_counter()
    single = brimwater.HofTP(T[:, np.newaxis], P, arguments.code)
    single_seconds = time.perf_counter() - start

    identical = distributed.shape == single.shape and np.array_equal(
        distributed.view(np.uint64), single.view(np.uint64)
    )
    print(f"{distributed.size} states in {grid.npartitions} blocks on {where}: {distributed_seconds:.3f} s")
    print(f"one brimwater.HofTP call in this process: {single_seconds:.3f} s")
    print(f"identical to the single call: {'yes' if identical else 'NO'}")
    return 0 if identical else 1


if __name__ == "__main__":
    sys.exit(main())
