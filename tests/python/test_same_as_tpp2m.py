"""The module's numbers are tpp2m's, bit for bit, on random inputs: each value
as tpp2m --csv writes it, read back as a float32. The other functions share
the same conversions; each has its one wiring check in its own file."""

import csv
import io
import random
import warnings

import numpy as np
import pytest

import korvane

COUNT = 300


@pytest.fixture
def rng():
    return random.Random(20261207)


def rows(text):
    return list(csv.DictReader(io.StringIO(text)))


def listed(values):
    return ",".join(repr(float(v)) for v in values)


def energies(rng):
    return [round(10 ** rng.uniform(1, 5.5), rng.randint(0, 6)) for _ in range(COUNT)]


@pytest.fixture(autouse=True)
def no_range_warnings():
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", UserWarning)
        yield


def test_imfp_of_database_materials(database, tpp2m, rng):
    e = energies(rng)
    names = [m["name"] for m in korvane.materials(database) if m["name"]]
    compared = 0
    for name in ["SiO2", "Cu"] + rng.sample(names, 6):
        include = rng.choice(["lbe,d,f", "hbe,lbe,d,f", "lbe", "d,f"])
        for relativistic in (False, True):
            out = tpp2m("imfp", name, "--database", str(database), "--include", include, "--energy", listed(e),
                        "--csv", *(["--relativistic"] if relativistic else []))
            expected = [row["imfp_A"] for row in rows(out)]
            if any(not v for v in expected):
                continue  # this material has no IMFP with these groups; failures are tested elsewhere
            got = korvane.imfp(e, material=name, database=database, include=include, relativistic=relativistic)
            np.testing.assert_array_equal(got, np.array(expected, dtype=np.float32), err_msg=name)
            compared += 1
    assert compared >= 8
