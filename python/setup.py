"""The compiled part of the package for pip: the project's own CMake build of the property library and of
the module brimwater._core, for the interpreter that runs pip, copied where setuptools packs it.

Environment: CMAKE_BUILD_PARALLEL_LEVEL (default 2) jobs; BRIMWATER_CMAKE_ARGS, more -D options for CMake.
"""

import os
import pathlib
import re
import shlex
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = pathlib.Path(__file__).resolve().parent.parent


def project_version():
    text = (ROOT / "CMakeLists.txt").read_text()
    return re.search(r"project\(Brimwater VERSION ([0-9.]+)", text).group(1)


class CMakeBuild(build_ext):
    def build_extension(self, extension):
        if shutil.which("cmake") is None:
            raise RuntimeError(
                "building brimwater needs CMake 3.25 or later on the PATH (apt-get install cmake)"
            )
        build_dir = pathlib.Path(self.build_temp).resolve() / "cmake"
        configure = [
            "cmake",
            "-S",
            str(ROOT),
            "-B",
            str(build_dir),
            "-DCMAKE_BUILD_TYPE=Release",
            "-DBRIMWATER_BUILD_TESTS=OFF",
            "-DBRIMWATER_BUILD_BENCH=OFF",
            "-DBRIMWATER_BUILD_TOOLS=OFF",
            "-DBRIMWATER_BUILD_PYTHON=ON",
            "-DBRIMWATER_PYTHON_REQUIRED=ON",
            f"-DPython3_EXECUTABLE={sys.executable}",
        ] + shlex.split(os.environ.get("BRIMWATER_CMAKE_ARGS", ""))
        subprocess.run(configure, check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", "2")
        subprocess.run(
            ["cmake", "--build", str(build_dir), "--target", "brimwater_python", "-j", jobs], check=True
        )

        built = sorted((build_dir / "python" / "brimwater").glob("_core.*"))
        if len(built) != 1:
            raise RuntimeError(f"expected one brimwater._core module in {build_dir}, found {built}")
        destination = pathlib.Path(self.get_ext_fullpath(extension.name))
        destination.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built[0], destination)


setup(
    version=project_version(),
    ext_modules=[Extension("brimwater._core", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
)
