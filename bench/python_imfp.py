#!/usr/bin/env python3
"""The Python module against the C++ under it, each figure a ratio measured in
this one run (the machines are shared): arrays of IMFPs, CFs, information
depths and transport cross-sections against Google Benchmark's cost of one
element (CPU time, the least of three runs on each side), a scalar
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


def cpu_seconds(run, repeats=3):
    """The least CPU time of `repeats` runs: the one least disturbed."""
    best = float("inf")
    for _ in range(repeats):
        started = time.process_time()
        run()
        best = min(best, time.process_time() - started)
    return best


def wall_seconds(run):
    started = time.perf_counter()
    run()
    return time.perf_counter() - started


def benchmark_ns(bench, name):
    """The CPU time of one iteration of a Google Benchmark, in ns."""
    done = subprocess.run([bench, f"--benchmark_filter=^{name}$", "--benchmark_format=json",
                           "--benchmark_repetitions=3"], capture_output=True, text=True, check=True)
    return min(run["cpu_time"] for run in json.loads(done.stdout)["benchmarks"] if run["run_type"] == "iteration")


def main():
    tpp2m, bench = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 1_000_000
    loops = min(count, 100_000)
    loops_by_name = min(count, 2_000)
    silica = dict(density=2.65, mass=60.08, gap=9.1, nv=16)
    # The benchmarks' own inputs: SiO2 at 1000 eV; the depth at IMFP 29.12 Å, 20°, P = 0.95;
    # CF at 10 Å for IMFP 39.64 Å and EffTrMFP 21.13 Å; S of Au at 1486.6 eV.
    energies = np.full(count, 1000.0)
    imfps = np.full(count // 10, 29.12)
    depths = np.full(count, 10.0)
    with tempfile.TemporaryDirectory() as folder:
        os.chdir(folder)
        warnings.simplefilter("ignore", UserWarning)
        korvane.imfp(1000, material="SiO2")  # makes the default database once
        per_element = {name: benchmark_ns(bench, name) for name in [
            "ImfpNonRelativistic", "CorrectionFactor/approx1", "CorrectionFactor/approx2", "InformationDepth/model:0",
            "ShippedTableLookup"]}
        arrays = [
            ("imfp, array by name", "ImfpNonRelativistic", lambda: korvane.imfp(energies, material="SiO2"), count),
            ("imfp, array by values", "ImfpNonRelativistic", lambda: korvane.imfp(energies, **silica), count),
            ("cf1, array", "CorrectionFactor/approx1", lambda: korvane.cf1(depths, 39.64), count),
            ("cf2, array", "CorrectionFactor/approx2", lambda: korvane.cf2(depths, 21.13), count),
            ("information_depth, array", "InformationDepth/model:0",
             lambda: korvane.information_depth(imfps, 0.95, angle=20), imfps.size),
            ("transport_cross_section, array", "ShippedTableLookup",
             lambda: korvane.transport_cross_section("Au", energies[:count // 10] * 1.4866), count // 10),
        ]
        ratios = [(f"{what} / {bench_name}", cpu_seconds(run) / size * 1e9 / per_element[bench_name], "1.5")
                  for what, bench_name, run, size in arrays]
        scalar_us = cpu_seconds(lambda: [korvane.imfp(1000.0, **silica) for _ in range(loops)]) / loops * 1e6
        loop_name_us = cpu_seconds(
            lambda: [korvane.imfp(1000.0, material="SiO2") for _ in range(loops_by_name)]) / loops_by_name * 1e6
        with open(os.devnull, "w") as sink:
            cli = wall_seconds(lambda: subprocess.run(
                [tpp2m, "imfp", "SiO2", "--range", f"100:{100 + count - 1}:1", "--csv"], stdout=sink, check=True))
    rows = ratios + [
        ("imfp, scalar call by values (µs)", scalar_us, "2"),
        ("imfp, loop by name / loop by values", loop_name_us / scalar_us, "1.5"),
    ]
    print(f"{count} elements; C++ per element (ns): "
          + ", ".join(f"{name} {ns:.1f}" for name, ns in per_element.items()))
    for what, ratio, target in rows:
        print(f"  {what:66s} {ratio:8.2f}   (target below {target})")
    print(f"  {'tpp2m imfp SiO2 --range ... --csv, whole process (s)':66s} {cli:8.2f}")


if __name__ == "__main__":
    main()
