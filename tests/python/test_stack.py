"""A stack's layers by the straight-line model: tpp2m stack's numbers and refusals."""

import csv
import io

import numpy as np
import pytest

import korvane


def test_stack_repeats_tpp2m_row_by_row(database, tpp2m):
    table = list(csv.DictReader(io.StringIO(tpp2m(
        "stack", "--layer", "SiO2:15", "--layer", "14:2.5", "--substrate", "Cu", "--energy", "1000,1500",
        "--angle", "0,60", "--csv", "--database", str(database)))))
    got = korvane.stack(layers=[("SiO2", 15.0), (14, 2.5)], substrate="Cu", energy=[1000, 1500], angle=[0, 60],
                        database=database)
    assert len(table) == 12 and all(len(column) == 12 for column in got.values())
    assert list(got["layer"][:3]) == [1, 2, 3] and list(got["material"][:3]) == ["SiO2", "Si", "Cu"]
    assert np.isnan(got["thickness_A"][2]) and table[2]["thickness_A"] == ""
    for i, row in enumerate(table):
        assert np.float32(got["signal_A"][i]) == np.float32(row["signal_A"]), i
        assert np.float32(got["imfp_A"][i]) == np.float32(row["imfp_A"]), i
        assert (got["angle_deg"][i], got["energy_eV"][i]) == (float(row["angle_deg"]), float(row["energy_eV"]))
    # The rows of one energy and angle add up to the whole sample's signal.
    assert got["signal_sd_A"].tolist() == [0.0] * 12 and set(got["model"]) == {"sla"}


def test_stack_refuses_in_tpp2ms_words_with_the_arguments_names(database):
    cases = [
        (dict(layers=[("SiO2", 0.001)], substrate="Si", energy=1000),
         'layers: a layer is at least 0.01 Å thick (got "SiO2:0.001")'),
        (dict(layers=[("SiO2", "thick")], substrate="Si", energy=1000), 'layers: "thick" is not a number'),
        (dict(layers=[("SiO2", 5)], substrate=None, energy=1000), "stack needs substrate"),
        (dict(layers=[("SiO2", 5)], substrate="Si", energy=1000, model="eal"), 'model takes sla or mc (got "eal")'),
        (dict(layers=[("SiO2", 5)], substrate="Si", energy=1000, seed=2), "seed is for model mc"),
        (dict(layers=[("SiO2", 5)], substrate="Si", energy=1000, model="mc", source_angle=100),
         "the X-ray source must lie above the surface: the source angle less the emission angle must be "
         "between -90 and 90 degrees"),
        (dict(layers=[("SiO2", 5)], substrate="Si", energy=1000, angle=[0, 90]),
         "the angle must be at least 0° and below 90°"),
        (dict(layers=[("Unobtainium", 5)], substrate="Si", energy=1000),
         'no material "Unobtainium" in DataBase/TPP2-data.db'),
    ]
    for arguments, words in cases:
        with pytest.raises(ValueError) as refused:
            korvane.stack(**arguments)
        assert str(refused.value) == words


def test_stack_simulation_repeats_tpp2m(database, tpp2m):
    table = list(csv.DictReader(io.StringIO(tpp2m(
        "stack", "--layer", "SiO2:15", "--substrate", "Si", "--energy", "1000", "--angle", "0,60", "--model", "mc",
        "--electrons", "3000", "--seed", "4", "--csv", "--database", str(database)))))
    got = korvane.stack([("SiO2", 15)], "Si", 1000, angle=[0, 60], model="mc", electrons=3000, seed=4, threads=1,
                        database=database)
    assert list(got["model"]) == ["mc"] * 4
    for i, row in enumerate(table):
        assert np.float32(got["signal_A"][i]) == np.float32(row["signal_A"]), i
        assert np.float32(got["signal_sd_A"][i]) == np.float32(row["signal_sd_A"]), i
    assert (got["signal_sd_A"] > 0).all()
