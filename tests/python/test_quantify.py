"""Quantification from peak areas: tpp2m quantify's numbers and refusals."""

import csv
import io

import numpy as np
import pytest

import korvane


def test_quantify_repeats_tpp2m_field_by_field(database, tpp2m):
    table = list(csv.DictReader(io.StringIO(tpp2m(
        "quantify", "SiO2", "--source", "AlKa", "--peak", "Si 2p=300", "--peak", "O 1s=900", "--layer", "C:10",
        "--angle", "30", "--source-angle", "60", "--beta", "Si 2p=1", "--transmission-exponent", "0.5", "--csv",
        "--database", str(database)))))
    got = korvane.quantify("SiO2", source="AlKa", peaks={"Si 2p": 300, "O 1s": 900}, layer=("C", 10), angle=30,
                           source_angle=60, beta={"Si 2p": 1}, transmission_exponent=0.5, database=database)
    assert list(got) == list(table[0])
    assert list(got["line"]) == ["Si 2p", "O 1s"] and list(got["error"]) == ["", ""]
    for i, row in enumerate(table):
        for field in list(row)[2:-1]:
            assert np.float32(got[field][i]) == np.float32(row[field]), (i, field)
    # The magic angle by default: a level without beta has W = 1 and none.
    plain = korvane.quantify("Cu2O", source="AlKa", peaks={"Cu 2p3/2": 1000.0, "O 1s": 250.0}, database=database)
    assert np.isnan(plain["asymmetry"][0]) and plain["asymmetry"][1] == 2
    assert plain["atomic_percent"].sum() == pytest.approx(100)


def test_quantify_refuses_in_tpp2ms_words_with_the_arguments_names(database):
    cases = [
        (dict(peaks={"O 1s": -1}), 'peaks "O 1s": the area must be above 0 (got -1)'),
        (dict(peaks={"O 1s": 1}, beta={"Cu 2p": 1}), 'beta "Cu 2p": no peaks of that line'),
        (dict(peaks={"O 1s": 1, "Cu 2p": 1}, source_angle=40),
         'peaks "Cu 2p": a level other than s needs its asymmetry parameter beta "Cu 2p=BETA" away from the magic '
         'angle (source_angle 40)'),
        (dict(peaks={"Xx 1s": 1}), 'peaks "Xx 1s": unknown element "Xx"'),
        (dict(peaks={"O 1s": 1}, layer=("Unobtainium", 5)), 'no material "Unobtainium" in DataBase/TPP2-data.db'),
    ]
    for arguments, words in cases:
        with pytest.raises(ValueError) as refused:
            korvane.quantify("Cu2O", source="AlKa", database=None, **arguments)
        assert str(refused.value) == words
