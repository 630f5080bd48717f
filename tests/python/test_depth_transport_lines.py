"""Transport cross-sections, depths of the signal, overlayer thickness and line
energies: the module's numbers are tpp2m's, bit for bit (each value as
tpp2m --csv writes it, read back as a float32), and so are its refusals."""

import csv
import io
import math
import os
import subprocess

import numpy as np
import pytest

import korvane

ENERGIES = [50, 123.4, 1000, 1486.6, 29999.5]


def rows(text):
    return list(csv.DictReader(io.StringIO(text)))


def refusal(*arguments):
    """The one line tpp2m writes on standard error when it refuses a command."""
    done = subprocess.run([os.environ["KORVANE_TPP2M"], *arguments], capture_output=True, text=True)
    assert done.returncode == 2
    return done.stderr.removeprefix("tpp2m: ").rstrip("\n")


def material(database, name):
    return next(m for m in korvane.materials(database) if m["name"] == name)


def test_transport_cross_sections_of_elements_formulas_and_materials(database, tpp2m):
    out = rows(tpp2m("transport", "Cu", "104", "--formula", "Al2O3", "--element", "Au", "--database", str(database),
                     "--energy", ",".join(map(str, ENERGIES)), "--csv"))
    for given, first in [("Cu", 0), (104, 5), ("Al2O3", 10), ("SiO2", 5)]:
        got = korvane.transport_cross_section(given, ENERGIES, database=database)
        assert got.dtype == np.float64
        expected = [np.float32(row["transport_cross_section_a0sq"]) for row in out[first:first + 5]]
        np.testing.assert_array_equal(got.astype(np.float32), expected, err_msg=str(given))

    beyond = r"no transport cross-section outside 50 eV to 30000 eV"
    with pytest.raises(ValueError, match=r"^" + beyond + r" \(at index \(1,\)\)$"):
        korvane.transport_cross_section("Cu", [100, 40000], errors="raise")
    with pytest.warns(RuntimeWarning, match=r"^" + beyond + ": 1 of 2 elements are NaN, the first at index \(1,\)$"):
        assert np.isnan(korvane.transport_cross_section("Cu", [100, 40000])[1])
    with pytest.raises(TypeError):
        korvane.transport_cross_section(1.5, 100)


def test_depths_of_the_signal_by_each_model(database, tpp2m):
    out = rows(tpp2m("depth", "SiO2", "Cu", "--energy", "500,1486.6", "--angle", "20", "--probability", "0.5",
                     "--database", str(database), "--csv"))
    assert [row["correction"] for row in out] == ["none", "cf1", "cf2"] * 4
    for row in out:
        imfp = np.float32(row["imfp_A"])
        model = {"angle": 20.0, "correction": row["correction"]}
        if row["correction"] == "cf2":
            sigma = korvane.transport_cross_section(row["material"], float(row["energy_eV"]))
            m = material(database, row["material"])
            model["eff_trmfp"] = korvane.eff_trmfp(korvane.trmfp(m["density"], m["mass"], sigma), imfp)
        depth = korvane.information_depth(imfp, 0.5, **model)
        assert depth.dtype == np.float64
        assert np.float32(depth) == np.float32(row["information_depth_A"]), row
        assert np.float32(korvane.mean_escape_depth(imfp, **model)) == np.float32(row["mean_escape_depth_A"]), row


def test_depth_functions_broadcast_and_refuse_in_tpp2ms_words():
    imfp = np.array([10.0, 20.0, 40.0])
    np.testing.assert_allclose(korvane.information_depth(imfp[:, None], [0.5, 0.95]),
                               -np.float32(imfp)[:, None] * np.log1p(-np.array([0.5, 0.95])), rtol=1e-12)

    cases = [
        (lambda: korvane.information_depth([20, math.inf]), r"imfp: inf is out of range \(at index \(1,\)\)"),
        (lambda: korvane.mean_escape_depth(20, correction="cf2"), 'correction="cf2" needs eff_trmfp'),
        (lambda: korvane.mean_escape_depth(20, eff_trmfp=10), 'eff_trmfp is used only with correction="cf2"'),
        (lambda: korvane.mean_escape_depth(20, correction="cf3"), r'unknown correction "cf3" \(choose from none, cf1, cf2\)'),
    ]
    for call, message in cases:
        with pytest.raises(ValueError, match="^" + message + "$"):
            call()


def test_overlayer_thickness(database, tpp2m):
    row = rows(tpp2m("thickness", "--overlayer", "SiO2", "--substrate", "Si", "--overlayer-energy", "1383",
                     "--substrate-energy", "1387", "--ratio", "3", "--bulk-ratio", "0.25", "--angle", "45",
                     "--database", str(database), "--csv"))[0]
    own = korvane.imfp(1383, material="SiO2", database=database)
    crossing = korvane.imfp(1387, material="SiO2", database=database)
    d = korvane.overlayer_thickness(own, crossing, 3, 0.25, angle=45)
    assert d.dtype == np.float64
    assert np.float32(d) == np.float32(row["thickness_A"])


def test_line_energies(database, tpp2m):
    for photons in (["--source", "AlKa"], ["--photon-energy", "5000.5"]):
        out = rows(tpp2m("imfp", "SiO2", "--line", "Si 2p,O 1s,Cu 2p3/2,Au 4f", *photons, "--database",
                         str(database), "--csv"))
        keyword = {"source": "AlKa"} if photons[0] == "--source" else {"photon_energy": 5000.5}
        for line, row in zip(["Si 2p", "O 1s", "Cu 2p3/2", "Au 4f"], out):
            binding, kinetic = korvane.line_energy(line, **keyword)
            assert (binding.dtype, kinetic.dtype) == (np.float32, np.float32)
            assert (binding, kinetic) == (np.float32(row["binding_energy_eV"]), np.float32(row["energy_eV"]))

    for arguments, call in [
        (["--line", "Au 1s", "--source", "AlKa"], lambda: korvane.line_energy("Au 1s", "AlKa")),
        (["--line", "Au 4f"], lambda: korvane.line_energy("Au 4f")),
        (["--line", "Au 4f", "--source", "XX"], lambda: korvane.line_energy("Au 4f", "XX")),
        (["--line", "Au 4f", "--source", "AlKa", "--photon-energy", "9"],
         lambda: korvane.line_energy("Au 4f", "AlKa", 9)),
    ]:
        # tpp2m's words, with its options named as the arguments of line_energy.
        expected = refusal("imfp", "SiO2", *arguments, "--database", str(database))
        for option, argument in [("--photon-energy", "photon_energy"), ("--source", "source"), ("--line", "line")]:
            expected = expected.replace(option, argument)
        with pytest.raises(ValueError) as raised:
            call()
        assert str(raised.value) == expected and "--" not in expected

    messages = [
        (lambda: korvane.line_energy("Au 4f"), "line needs source (MgKa, AlKa, AgLa, CrKa, GaKa) or photon_energy"),
        (lambda: korvane.line_energy("Au 4f", photon_energy="5000"), 'photon_energy: "5000" is not a number'),
        (lambda: korvane.formula("", database=database), "the formula is empty"),
        (lambda: korvane.materials(database=database.parent),
         f"the materials database {database.parent} cannot be opened: it is a folder, not a database file"),
    ]
    for call, message in messages:
        with pytest.raises(ValueError) as raised:
            call()
        assert str(raised.value) == message
