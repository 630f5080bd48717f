#!/usr/bin/env python3
"""The Python module against the C++ under it, each figure a ratio measured in
this one run (the machines are shared): arrays of IMFPs and information
depths against Google Benchmark's cost of one element (CPU time), a scalar
call by values, a Python loop by name against one by values, and tpp2m
writing the same rows as CSV.

Usage (from the build folder, with Debian's interpreter):
    PYTHONPATH=python /usr/bin/python3 ../bench/python_imfp.py cli/tpp2m bench/korvane_bench [COUNT]
"""

import json
import os
import subprocess
import sys
import tempfile
import time
import warnings

import numpy as np

import korvane


def cpu_seconds(run):
    started = time.process_time()
    run()
    return time.process_time() - started


def wall_seconds(run):
    started = time.perf_counter()
    run()
    return time.perf_counter() - started


def benchmark_ns(bench, name):
    """The CPU time of one iteration of a Google Benchmark, in ns."""
    done = subprocess.run([bench, f"--benchmark_filter=^{name}$", "--benchmark_format=json"], capture_output=True,
                          text=True, check=True)
    return json.loads(done.stdout)["benchmarks"][0]["cpu_time"]


def main():
    tpp2m, bench = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 1_000_000
    loops = min(count, 100_000)
    loops_by_name = min(count, 2_000)
    silica = dict(density=2.65, mass=60.08, gap=9.1, nv=16)
    # The benchmarks' own inputs: SiO2 at 1000 eV; the depth at IMFP 29.12 Å, 20°, P = 0.95.
    energies = np.full(count, 1000.0)
    imfps = np.full(count // 10, 29.12)
    with tempfile.TemporaryDirectory() as folder:
        os.chdir(folder)
        warnings.simplefilter("ignore", UserWarning)
        korvane.imfp(1000, material="SiO2")  # makes the default database once
        imfp_ns = benchmark_ns(bench, "ImfpNonRelativistic")
        depth_ns = benchmark_ns(bench, "InformationDepth/model:0")
        by_name = cpu_seconds(lambda: korvane.imfp(energies, material="SiO2")) / count * 1e9
        by_values = cpu_seconds(lambda: korvane.imfp(energies, **silica)) / count * 1e9
        depth = cpu_seconds(lambda: korvane.information_depth(imfps, 0.95, angle=20)) / imfps.size * 1e9
        scalar_us = cpu_seconds(lambda: [korvane.imfp(1000.0, **silica) for _ in range(loops)]) / loops * 1e6
        loop_name_us = cpu_seconds(
            lambda: [korvane.imfp(1000.0, material="SiO2") for _ in range(loops_by_name)]) / loops_by_name * 1e6
        with open(os.devnull, "w") as sink:
            cli = wall_seconds(lambda: subprocess.run(
                [tpp2m, "imfp", "SiO2", "--range", f"100:{100 + count - 1}:1", "--csv"], stdout=sink, check=True))
    rows = [
        ("imfp, array by name / ImfpNonRelativistic", by_name / imfp_ns, "1.5"),
        ("imfp, array by values / ImfpNonRelativistic", by_values / imfp_ns, "1.5"),
        ("information_depth, array / InformationDepth", depth / depth_ns, "1.5"),
        ("imfp, scalar call by values (µs)", scalar_us, "2"),
        ("imfp, loop by name / loop by values", loop_name_us / scalar_us, "1.5"),
    ]
    print(f"{count} energies of SiO2; C++ per element: IMFP {imfp_ns:.1f} ns, information depth {depth_ns:.1f} ns")
    for what, ratio, target in rows:
        print(f"  {what:46s} {ratio:8.2f}   (target below {target})")
    print(f"  {'tpp2m imfp SiO2 --range ... --csv (s, whole process)':46s} {cli:8.2f}")


if __name__ == "__main__":
    main()
