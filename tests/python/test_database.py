"""The materials database from Python: read as tpp2m reads it, never written."""

import hashlib
import os
import sqlite3

import numpy as np
import pytest

import korvane


def fingerprint(path):
    return hashlib.sha256(path.read_bytes()).hexdigest(), os.stat(path).st_mtime_ns


def test_materials_lists_the_table_with_the_valence_total(database, tpp2m):
    table = korvane.materials(database)
    listed = tpp2m("list", "--csv", "--database", str(database)).splitlines()[1:]
    assert [f"{m['id']},{m['name']}" for m in table] == [line.split(",")[0] + "," + line.split(",")[1]
                                                        for line in listed]
    silica = next(m for m in table if m["name"] == "SiO2")
    assert silica == {"id": 104, "name": "SiO2", "density": np.float32(2.65), "mass": np.float32(60.08),
                      "gap": np.float32(9.1), "sp_hbe": None, "sp_lbe": None, "d": None, "f": np.float32(16),
                      "nv": np.float32(16)}
    copper = next(m for m in korvane.materials(database, include="hbe,lbe,d") if m["name"] == "Cu")
    assert copper["nv"] == 19 and type(copper["nv"]) is np.float32


def test_formula_sums_nv_and_mass_from_the_element_rows(database, tpp2m):
    nv, mass = korvane.formula("C22H10N2O5", database)
    assert (nv, type(nv)) == (np.float32(138), np.float32)
    assert korvane.imfp(1253.6, density=1.42, mass=mass, gap=3.1, nv=nv) == np.float32(
        tpp2m("imfp", "--database", str(database), "--formula", "C22H10N2O5", "--density", "1.42", "--gap", "3.1",
              "--energy", "1253.6", "--csv").splitlines()[1].split(",")[4])
    with pytest.raises(ValueError, match='^unknown element "Xx" in the formula "SiXx2"$'):
        korvane.formula("SiXx2", database)
    with pytest.raises(ValueError, match=r'^"\(" at position 3 of "Si\(O2" is not closed$'):
        korvane.formula("Si(O2", database)


def test_a_missing_database_raises_and_no_file_is_made(tmp_path):
    missing = tmp_path / "none" / "TPP2-data.db"
    for call in (lambda: korvane.imfp(1000, material="SiO2", database=missing),
                 lambda: korvane.materials(missing), lambda: korvane.formula("SiO2", missing)):
        with pytest.raises(FileNotFoundError, match=f"^the materials database {missing} cannot be opened: no such file$"):
            call()
    assert list(tmp_path.iterdir()) == []


def test_a_damaged_database_raises_and_stays_untouched(tmp_path, database):
    # The kinds of damage and their messages are the materials layer's; here one: the table cut short.
    damaged = database.with_name("cut.db")
    damaged.write_bytes(database.read_bytes()[:4096])
    before = fingerprint(damaged)
    names = sorted(p.name for p in tmp_path.iterdir())
    for call in (lambda: korvane.imfp(1000, material="SiO2", database=damaged),
                 lambda: korvane.materials(damaged), lambda: korvane.formula("SiO2", damaged)):
        with pytest.raises(ValueError, match=f"^the materials database {damaged} cannot be opened: "):
            call()
    assert fingerprint(damaged) == before
    assert sorted(p.name for p in tmp_path.iterdir()) == names


def test_a_view_as_the_table_is_refused(tmp_path, database):
    viewed = tmp_path / "view.db"
    with sqlite3.connect(viewed) as db:
        db.execute(f"ATTACH '{database}' AS shipped")
        db.execute("CREATE TABLE materials AS SELECT * FROM shipped.tblIMFPdata")
        db.execute("CREATE VIEW tblIMFPdata AS SELECT * FROM materials")
    db.close()
    with pytest.raises(ValueError, match=f"^the materials database {viewed} cannot be opened: its tblIMFPdata is a "
                                         "view, not a table$"):
        korvane.imfp(1000, "SiO2", database=viewed)


def test_reading_never_writes_the_database(database):
    before = fingerprint(database)
    korvane.imfp(np.linspace(100, 2000, 50), material="SiO2", database=database)
    korvane.materials(database)
    korvane.formula("SiO2", database)
    assert fingerprint(database) == before


def test_the_default_database_is_the_working_folders_as_for_tpp2m(tmp_path, monkeypatch, tpp2m):
    monkeypatch.chdir(tmp_path)
    assert str(korvane.imfp(1000, material="SiO2")) == "29.11884"
    made = tmp_path / "DataBase" / "TPP2-data.db"
    assert made.is_file()
    assert [m["id"] for m in korvane.materials()] == [int(line.split(",")[0]) for line in
                                                      tpp2m("list", "--csv", cwd=tmp_path).splitlines()[1:]]
