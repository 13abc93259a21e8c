"""The Dask example: a grid evaluated block by block on a local cluster of two worker processes is
identical, to the bit, to one call over the whole grid."""

import os
import pathlib
import subprocess
import sys

import numpy as np
import pytest
from dask.distributed import Client, LocalCluster

import brimwater

EXAMPLE = pathlib.Path(__file__).resolve().parent.parent / "examples" / "dask_grid.py"


sys.path.insert(0, str(EXAMPLE.parent))
import dask_grid  # noqa: E402  (the example, as a module)


@pytest.fixture(scope="module")
def client():
    # Worker processes import brimwater from the same place as this process.
    os.environ["PYTHONPATH"] = os.pathsep.join(
        [str(pathlib.Path(brimwater.__file__).parent.parent), os.environ.get("PYTHONPATH", "")]
    )
    with LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None) as cluster:
        with Client(cluster) as client:
            yield client


@pytest.mark.parametrize("code", [-97, 97, -95])
def test_blocks_on_two_workers_equal_one_call(client, code):
    T = np.linspace(280.0, 1000.0, 37)
    P = np.geomspace(0.001, 60.0, 23)
    grid = dask_grid.enthalpy_grid(T, P, code, chunk=10)
    assert grid.npartitions == 12
    distributed = grid.compute()
    single = brimwater.HofTP(T[:, np.newaxis], P, code)
    assert distributed.shape == (37, 23)
    assert np.array_equal(distributed.view(np.uint64), single.view(np.uint64))
    # Both worker processes took part.
    assert len(client.scheduler_info()["workers"]) == 2


def test_the_example_runs():
    result = subprocess.run(
        [sys.executable, str(EXAMPLE), "--temperatures", "60", "--pressures", "40", "--chunk", "16"],
        capture_output=True,
        text=True,
        timeout=300,
    )
    assert result.returncode == 0, result.stderr
    assert "2400 states in 12 blocks" in result.stdout
    assert "identical to the single call: yes" in result.stdout
