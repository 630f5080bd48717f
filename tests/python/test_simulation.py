"""The elastic scattering by angle and the trajectory simulation: the same
numbers as tpp2m dcs and tpp2m simulate, and the refusals."""

import csv
import io
import re

import numpy as np
import pytest

import korvane


def rows(text):
    return list(csv.DictReader(io.StringIO(text)))


def test_dcs_and_simulate_repeat_tpp2m(database, tpp2m):
    table = rows(tpp2m("dcs", "Cu", "--energy", "1000", "--csv", "--database", str(database)))
    got = korvane.dcs("Cu", 1000, database=database)
    assert len(got["angle_deg"]) == len(table) == 601
    assert got["angle_deg"][0] == 0 and got["angle_deg"][-1] == 180
    assert np.float32(got["dcs_cm2_sr"][0]) == np.float32(table[0]["dcs_cm2_sr"])
    assert np.float32(got["dcs_cm2_sr"][-1]) == np.float32(table[-1]["dcs_cm2_sr"])

    summary = rows(tpp2m("simulate", "Cu", "--energy", "1000", "--electrons", "2000", "--angle", "40", "--csv",
                         "--database", str(database)))[0]
    run = korvane.simulate("Cu", 1000, electrons=2000, angle=40, threads=1, database=database)
    for key in ["albedo", "mean_escape_depth", "mean_escape_depth_sd", "information_depth", "information_depth_sd"]:
        column = key if key == "albedo" else key + "_A"
        assert np.float32(run[key]) == np.float32(summary[column]), key
    profile = rows(tpp2m("simulate", "Cu", "--energy", "1000", "--electrons", "2000", "--angle", "40", "--profile",
                         "--csv", "--database", str(database)))
    assert len(run["depth"]) == len(profile)
    assert np.float32(run["phi"][10]) == np.float32(profile[10]["phi"])
    assert np.float32(run["eal"][10]) == np.float32(profile[10]["eal_A"])


def test_refusals_in_tpp2ms_words(database):
    with pytest.raises(ValueError, match=r"^simulate takes energies from 50 eV to 30000 eV \(got 40 eV\)$"):
        korvane.simulate("Cu", 40, database=database)
    with pytest.raises(ValueError, match=r"^the angle must be at least 0\u00b0 and below 90\u00b0$"):
        korvane.simulate("Cu", 1000, angle=90, database=database)
    # tpp2m's limits, in the arguments' names; a boolean is no number.
    for arguments, words in [({"electrons": 999}, "electrons must be a whole number from 1000 to 1000000000000"),
                             ({"electrons": 2**62}, "electrons must be a whole number from 1000 to 1000000000000"),
                             ({"electrons": 2**70}, "electrons must be a whole number from 1000 to 1000000000000"),
                             ({"electrons": 1500.5}, "electrons must be a whole number from 1000 to 1000000000000"),
                             ({"seed": 2**53 + 1}, "seed must be a whole number from 0 to 9007199254740992"),
                             ({"threads": 0}, "threads must be a whole number from 1 to 1024"),
                             ({"threads": 1025}, "threads must be a whole number from 1 to 1024"),
                             ({"seed": True}, 'seed: "True" is not a number'),
                             ({"threads": np.True_}, 'threads: "True" is not a number'),
                             ({"angle": True}, 'angle: "True" is not a number'),
                             ({"step": "0.1"}, 'step: "0.1" is not a number'),
                             ({"probability": 1}, "the probability P must be above 0 and below 1")]:
        with pytest.raises(ValueError, match="^" + re.escape(words) + "$"):
            korvane.simulate("Cu", 1000, database=database, **arguments)
    with pytest.raises(ValueError, match=r'^energy: "True" is not a number$'):
        korvane.dcs("Cu", True, database=database)
    with pytest.raises(ValueError, match=r"^the asymmetry parameter must be from -1 to 2$"):
        korvane.simulate("Cu", 1000, asymmetry=3, database=database)
    with pytest.raises(ValueError, match=r"^a profile has at most 1000000 depths, down to 28 IMFP: at this angle "
                                         r"even a step of 1 gives more; a profile needs an angle of at most 89.9983\u00b0$"):
        korvane.simulate("Cu", 1000, angle=89.9999, step=1, database=database)
    with pytest.raises(ValueError, match=r"^dcs takes energies from 50 eV to 30000 eV \(got 20 eV\)$"):
        korvane.dcs("Cu", 20, database=database)
