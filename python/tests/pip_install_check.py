"""`pip install --no-build-isolation` of the python/ folder, offline, the way the README says: from a copy
of the sources into a virtual environment that sees the system's packages (NumPy). Then a fresh interpreter
of that environment imports the installed package, which must answer like the build tree's.

Usage: pip_install_check.py SOURCE_DIR WORK_DIR
"""

import os
import pathlib
import shutil
import subprocess
import sys

source, work = (pathlib.Path(argument).resolve() for argument in sys.argv[1:3])
shutil.rmtree(work, ignore_errors=True)
copy = work / "source"
shutil.copytree(
    source,
    copy,
    ignore=shutil.ignore_patterns(
        ".git", "build", "__pycache__", "*.egg-info", ".hypothesis", ".pytest_cache"
    ),
)

environment = dict(os.environ)
environment.pop("PYTHONPATH", None)  # the build tree's package must not be the one imported
environment.update(PIP_NO_INDEX="1", PIP_DISABLE_PIP_VERSION_CHECK="1", PYTHONDONTWRITEBYTECODE="1")

venv = work / "venv"
subprocess.run(
    [sys.executable, "-m", "venv", "--system-site-packages", "--without-pip", str(venv)], check=True
)
python = venv / "bin" / "python"
subprocess.run(
    [str(python), "-m", "pip", "install", "--no-build-isolation", "--no-index", "."],
    cwd=copy / "python",
    env=environment,
    check=True,
)

probe = (
    "import pathlib, brimwater\n"
    "package = pathlib.Path(brimwater.__file__).parent\n"
    "print(package)\n"
    "print(sorted(p.name for p in package.iterdir() if not p.name.startswith('__pycache__')))\n"
    "print(brimwater.HofTP(700.0, 5.0, -97).hex(), brimwater.TofPH(150.0, 1300.0, 97).hex())\n"
)
lines = subprocess.run(
    [str(python), "-c", probe], cwd=work, env=environment, capture_output=True, text=True, check=True
).stdout.splitlines()
installed_in, files, values = lines[0], lines[1], lines[2]
print("\n".join(lines))

sys.path.insert(0, os.environ["PYTHONPATH"].split(os.pathsep)[0])
import brimwater  # noqa: E402  (the build tree's, for comparison)

expected = f"{brimwater.HofTP(700.0, 5.0, -97).hex()} {brimwater.TofPH(150.0, 1300.0, 97).hex()}"
assert pathlib.Path(installed_in).is_relative_to(venv), installed_in
for name in ("__init__.py", "__init__.pyi", "py.typed", "_core."):
    assert name in files, f"{name} not installed: {files}"
assert values == expected, (values, expected)
print("pip install: the installed package answers like the build tree's")
