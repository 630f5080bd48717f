"""What a Python user meets besides the numbers: docstrings, the type stubs,
and other threads running during a long call."""

import ast
import doctest
import inspect
import os
import threading
import time

import numpy as np

import korvane

FUNCTIONS = ["imfp", "cf1", "trmfp", "eff_trmfp", "cf2", "materials", "formula", "transport_cross_section",
             "information_depth", "mean_escape_depth", "signal_fraction", "overlayer_thickness", "line_energy", "dcs", "simulate", "stack",
             "quantify"]


def signature_in_docstring(function):
    """The parameters of the signature line(s) that open a docstring."""
    head = function.__doc__.split("\n\n")[0]
    return ast.parse(f"def {head}: pass").body[0].args


def parameters(args):
    def value(node):
        return None if node is None else ast.literal_eval(node)

    positional = args.posonlyargs + args.args
    defaults = [None] * (len(positional) - len(args.defaults)) + args.defaults
    return ([(a.arg, value(d)) for a, d in zip(positional, defaults)],
            [(a.arg, value(d)) for a, d in zip(args.kwonlyargs, args.kw_defaults)])


def test_every_function_has_a_docstring_that_the_stubs_follow():
    public = sorted(name for name, value in vars(korvane).items() if callable(value) and not name.startswith("_"))
    assert public == sorted(FUNCTIONS)
    stubs_path = os.environ["KORVANE_STUBS"]
    stubs = {node.name: node.args for node in ast.parse(open(stubs_path).read()).body
             if isinstance(node, ast.FunctionDef)}
    assert sorted(stubs) == sorted(FUNCTIONS)
    for name in FUNCTIONS:
        function = getattr(korvane, name)
        assert function.__doc__.startswith(name + "(")
        assert len(function.__doc__) > 120, name
        assert parameters(signature_in_docstring(function)) == parameters(stubs[name]), name
    assert "TPP-2M" in korvane.__doc__
    assert korvane.__version__ == os.environ["KORVANE_VERSION"]
    assert "IMFP in Å" in inspect.getdoc(korvane.imfp)


def test_the_examples_in_the_docstrings_give_what_they_show(tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)
    runner = doctest.DocTestRunner()
    for name in FUNCTIONS:
        runner.run(doctest.DocTestParser().get_doctest(getattr(korvane, name).__doc__, {"korvane": korvane},
                                                       name, None, 0))
    assert (runner.tries, runner.failures) == (9, 0)


def test_a_long_array_call_lets_other_threads_run():
    energies = np.linspace(100, 2000, 4_000_000)
    values = dict(density=2.65, mass=60.08, gap=9.1, nv=16)
    started = time.perf_counter()
    korvane.imfp(energies, **values)
    alone = time.perf_counter() - started

    # While another thread is inside the call, this one keeps looking at the
    # clock; had the call kept the interpreter's lock, this thread would stand
    # still for the whole call, in start() or in the loop.
    done = threading.Event()
    worker = threading.Thread(target=lambda: (korvane.imfp(energies, **values), done.set()))
    longest_pause = 0.0
    last = time.perf_counter()
    worker.start()
    while True:
        now = time.perf_counter()
        longest_pause = max(longest_pause, now - last)
        last = now
        if done.is_set():
            break
    worker.join()
    assert longest_pause < alone / 2, (longest_pause, alone)
