"""Fixtures of the korvane module's tests: the built tpp2m beside the module,
and a fresh materials database in a temporary folder for each test."""

import os
import subprocess

import pytest


@pytest.fixture
def tpp2m():
    """Runs the built tpp2m with the given arguments; its standard output."""

    def run(*arguments, cwd=None):
        done = subprocess.run([os.environ["KORVANE_TPP2M"], *arguments], cwd=cwd, capture_output=True,
                              text=True, check=True)
        return done.stdout

    return run


@pytest.fixture
def database(tmp_path, tpp2m, monkeypatch):
    """A database made from the shipped materials, by tpp2m; the test runs in
    its own folder, so the default database lies there too."""
    path = tmp_path / "materials.db"
    maker = tmp_path / "made"
    maker.mkdir()
    tpp2m("list", cwd=maker)  # only the default database is made when missing
    (maker / "DataBase" / "TPP2-data.db").rename(path)
    monkeypatch.chdir(tmp_path)
    return path
