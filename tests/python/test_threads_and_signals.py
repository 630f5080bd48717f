"""The module under several threads and under Ctrl+C, each in a fresh
interpreter: what is tested happens once per process."""

import os
import signal
import subprocess
import sys
import time

FRESH = dict(os.environ)


def python(code):
    return subprocess.Popen([sys.executable, "-c", code], env=FRESH, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True)


def test_first_calls_of_several_threads_at_once_end():
    # Before NumPy was imported anywhere: the module must have looked its API up already.
    run = python("""
import threading
import korvane
silica = dict(density=2.65, mass=60.08, gap=9.1, nv=16)
threads = [threading.Thread(target=lambda: korvane.imfp(1000, **silica)) for _ in range(4)]
[t.start() for t in threads]
[t.join() for t in threads]
print(korvane.imfp(1000, **silica))
""")
    try:
        out, err = run.communicate(timeout=60)
    except subprocess.TimeoutExpired:
        run.kill()
        raise AssertionError("the threads' first calls hang")
    assert (run.returncode, out, err) == (0, "29.11884\n", "")


def test_ctrl_c_ends_a_long_call():
    # Half a million depths by approximation 2 would take minutes.
    run = python("""
import numpy as np
import korvane
print("started", flush=True)
korvane.information_depth(np.full(500_000, 20.0), 0.95, correction="cf2", eff_trmfp=50.0)
""")
    assert run.stdout.readline() == "started\n"
    time.sleep(0.5)  # into the call, which runs for minutes unless Ctrl+C ends it
    run.send_signal(signal.SIGINT)
    try:
        _, err = run.communicate(timeout=60)
    except subprocess.TimeoutExpired:
        run.kill()
        raise AssertionError("Ctrl+C did not end the call")
    assert run.returncode == -signal.SIGINT and err.rstrip().endswith("KeyboardInterrupt"), err


def test_ctrl_c_ends_a_simulation_and_a_failed_run_leaves_the_interpreter():
    # A billion electrons would take hours.
    run = python("""
import korvane
print("started", flush=True)
korvane.simulate("Cu", 1000, electrons=10**9)
""")
    assert run.stdout.readline() == "started\n"
    time.sleep(1)  # into the simulation
    run.send_signal(signal.SIGINT)
    try:
        _, err = run.communicate(timeout=60)
    except subprocess.TimeoutExpired:
        run.kill()
        raise AssertionError("Ctrl+C did not end the simulation")
    assert run.returncode == -signal.SIGINT and err.rstrip().endswith("KeyboardInterrupt"), err

    # Out of memory in the simulation's threads: a MemoryError with why, and the interpreter goes on.
    run = python("""
import resource
import korvane
korvane.simulate("Cu", 1000, electrons=1000, threads=2)
size = int(next(l for l in open("/proc/self/status") if l.startswith("VmSize")).split()[1]) * 1024
resource.setrlimit(resource.RLIMIT_AS, (size + 100 * 2**20,) * 2)
try:
    korvane.simulate("Cu", 1000, electrons=1000, threads=2, step=2.8e-5)
except MemoryError as e:
    print(e)
print(korvane.simulate("Cu", 1000, electrons=1000, threads=2)["albedo"])
""")
    out, err = run.communicate(timeout=120)
    assert (run.returncode, out, err) == (0, "the simulation ran out of memory\n0.29632425532771367\n", "")
