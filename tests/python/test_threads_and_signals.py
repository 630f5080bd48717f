"""The module under several threads and under Ctrl+C, each in a fresh
interpreter: what is tested happens once per process."""

import os
import signal
import subprocess
import sys

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
