#!/usr/bin/env python3
"""A million IMFPs of SiO2: one korvane.imfp call on a NumPy array, the same
call made in a Python loop, and tpp2m writing the same rows as CSV.

Usage (from the build folder, with Debian's interpreter):
    PYTHONPATH=python /usr/bin/python3 ../bench/python_imfp.py cli/tpp2m [COUNT]
"""

import os
import subprocess
import sys
import tempfile
import time
import warnings

import numpy as np

import korvane


def seconds(run):
    started = time.perf_counter()
    run()
    return time.perf_counter() - started


def main():
    tpp2m = os.path.abspath(sys.argv[1])
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 1_000_000
    loop_by_name = min(count, 10_000)  # each call reads the database: scaled up from fewer calls
    silica = dict(density=2.65, mass=60.08, gap=9.1, nv=16)
    with tempfile.TemporaryDirectory() as folder:
        os.chdir(folder)
        # tpp2m's --range makes the same Singles: 100, 101, ... (exact in float32);
        # most lie above the fitted range, which only warns.
        warnings.simplefilter("ignore", UserWarning)
        energies = np.arange(100, 100 + count, dtype=np.float64)
        korvane.imfp(1000, material="SiO2")  # makes the default database once
        figures = {
            "one call, by name": seconds(lambda: korvane.imfp(energies, material="SiO2")),
            "one call, by values": seconds(lambda: korvane.imfp(energies, **silica)),
            "Python loop, by values": seconds(lambda: [korvane.imfp(e, **silica) for e in energies.tolist()]),
            "Python loop, by name (scaled)": seconds(
                lambda: [korvane.imfp(e, material="SiO2") for e in energies[:loop_by_name].tolist()])
            * count / loop_by_name,
        }
        with open(os.devnull, "w") as sink:
            figures["tpp2m imfp SiO2 --range ... --csv"] = seconds(lambda: subprocess.run(
                [tpp2m, "imfp", "SiO2", "--range", f"100:{100 + count - 1}:1", "--csv"], stdout=sink, check=True))
    print(f"{count} energies of SiO2:")
    single = figures["one call, by name"]
    for what, took in figures.items():
        print(f"  {what:36s} {took:8.3f} s   {took / single:8.1f} x one call by name")


if __name__ == "__main__":
    main()
