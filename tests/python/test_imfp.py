"""korvane.imfp: the worked numbers, broadcasting and the failures."""

import sqlite3
import warnings

import numpy as np
import pytest

import korvane

SIO2 = dict(density=2.65, mass=60.08, gap=9.1, nv=16)


def test_silicon_dioxide_by_values_and_by_name_gives_the_worked_numbers(database):
    for where in (dict(material="SiO2", database=database), dict(material=104, database=database), SIO2):
        # Full single precision, as tpp2m --csv writes it (29.12 and 29.05 as shown).
        assert str(korvane.imfp(1000, **where)) == "29.11884"
        assert str(korvane.imfp(1000, relativistic=True, **where)) == "29.052042"


def test_valence_groups_chosen_by_include_make_nv(database):
    # Copper: s+p(hbe) 8, s+p(lbe) 1, d 10; the window's boxes leave s+p(hbe) out.
    copper = dict(density=8.96, mass=63.546, gap=0)
    by_name = korvane.imfp(1000, material="Cu", database=database)
    assert by_name == korvane.imfp(1000, nv=11, **copper)
    assert korvane.imfp(1000, material="Cu", database=database, include="hbe,lbe,d") == korvane.imfp(
        1000, nv=19, **copper)
    assert korvane.imfp(1000, material="Cu", database=database, include=["d"]) == korvane.imfp(1000, nv=10, **copper)


def test_numbers_give_a_float32_scalar_and_arrays_broadcast_as_numpy_does():
    scalar = korvane.imfp(1000, **SIO2)
    assert type(scalar) is np.float32
    energies = np.array([100.0, 1000.0, 10000.0])
    row = korvane.imfp(energies, **SIO2)
    assert row.dtype == np.float32 and row.shape == (3,)
    assert [korvane.imfp(e, **SIO2) for e in energies] == list(row)
    # Energies down a column, densities along a row: a 3 x 2 table.
    table = korvane.imfp(energies[:, None], density=[2.65, 2.2], mass=60.08, gap=9.1, nv=16)
    assert table.shape == (3, 2) and table.dtype == np.float32
    assert table[1, 0] == scalar and table[2, 1] == korvane.imfp(10000, density=2.2, mass=60.08, gap=9.1, nv=16)
    # float32 input, lists and a 0-d array read the same values.
    assert korvane.imfp(np.float32(1000), **SIO2) == scalar
    assert type(korvane.imfp(np.array(1000.0), **SIO2)) is np.float32
    assert korvane.imfp([], **SIO2).shape == (0,)


def raised(call):
    with pytest.raises(ValueError) as error:
        call()
    return str(error.value)


def test_bad_input_raises_value_error_with_tpp2m_words(database):
    assert raised(lambda: korvane.imfp([[1000, 500], [20, -1]], **SIO2)) == "energy must be above 0 eV (at index (1, 1))"
    assert raised(lambda: korvane.imfp(1e39, **SIO2)) == "energy: 1e+39 is out of range"
    assert raised(lambda: korvane.imfp("ten", **SIO2)) == 'energy: "ten" is not a number'
    # None, booleans and dates are no numbers, though NumPy could read them as some.
    assert raised(lambda: korvane.imfp(None, **SIO2)) == 'energy: "None" is not a number'
    assert raised(lambda: korvane.imfp(1000, density=True, mass=60.08, gap=9.1, nv=16)) == \
        'density: "True" is not a number'
    assert raised(lambda: korvane.imfp(np.array(["2026-12-07"], dtype="datetime64[D]"), **SIO2)) == \
        "energy: datetime64[D] values are not numbers"
    assert raised(lambda: korvane.imfp([1000, None], **SIO2)) == "energy: object values are not numbers"
    assert raised(lambda: korvane.imfp(1000, density=[2.65, -1], mass=60.08, gap=9.1, nv=16)) == \
        "density must be above 0 (at index (1,))"
    assert raised(lambda: korvane.imfp(1000, density=2.65, mass=-60.08, gap=9.1, nv=16)) == \
        "the atomic or molecular mass must be above 0"
    assert raised(lambda: korvane.imfp(1000, density=2.65, mass=60.08, gap=9.1, nv=-16)) == "Nv must be above 0"
    assert raised(lambda: korvane.imfp(1000, **SIO2, errors="sometimes")) == \
        'unknown errors="sometimes" (choose from warn, raise, ignore)'
    assert raised(lambda: korvane.imfp([1, 2], density=[1, 2, 3], mass=1, gap=1, nv=1)) == \
        "the shapes (2,) (3,) () () () cannot be broadcast together"
    assert raised(lambda: korvane.imfp(1000, density=2.65, mass=60.08, gap=9.1)) == \
        "a material given by its values needs nv"
    assert raised(lambda: korvane.imfp(1000)) == "imfp needs a material: a name, an ID, or density, mass, gap and nv"
    # The combinations are judged as tpp2m judges them, in the arguments' names.
    assert raised(lambda: korvane.imfp(1000, material="SiO2", nv=16)) == "a material given by its values needs density"
    assert raised(lambda: korvane.imfp(1000, material="SiO2", **SIO2)) == \
        "material and density, mass, gap, nv ask for two materials: give one of them"
    assert raised(lambda: korvane.imfp(1000, material="sio2", database=database)) == \
        f'no material "sio2" in {database} (did you mean "SiO2"?)'
    assert raised(lambda: korvane.imfp(1000, material="SiO2", database=database, include=["s"])) == \
        'unknown valence group "s" in include (choose from hbe, lbe, d, f, or none)'
    assert raised(lambda: korvane.imfp(1000, material="SiO2", database=database, include=[])) == "Nv is 0"
    assert raised(lambda: korvane.imfp(1000, material="SiO2", database=database, include="none")) == "Nv is 0"
    masked = np.ma.masked_array([1000, 2000], mask=[False, True])
    assert raised(lambda: korvane.imfp(masked, **SIO2)) == "energy: a masked array is not read, its mask would be " \
        "lost; fill it first, for example with .filled(numpy.nan)"


def test_an_int_is_an_id_a_text_a_name_and_an_empty_name_finds_nothing(database):
    """A material named "29" beside copper's ID 29, and a row without a name."""
    with sqlite3.connect(database) as db:
        db.execute("UPDATE tblIMFPdata SET Name = '29' WHERE ID = 104")
        db.execute("UPDATE tblIMFPdata SET Name = NULL WHERE ID = 105")
    db.close()
    copper, silica = korvane.imfp(1000, "Cu", database=database), korvane.imfp(1000, **SIO2)
    for material in (29, np.int64(29), np.uint8(29)):
        assert korvane.imfp(1000, material, database=database) == copper
    assert korvane.imfp(1000, "29", database=database) == silica
    assert korvane.dcs(29, 1000, database=database)["dcs_cm2_sr"][0] == \
        korvane.dcs("Cu", 1000, database=database)["dcs_cm2_sr"][0]
    assert korvane.transport_cross_section(29, 1000, database=database) == \
        korvane.transport_cross_section("Cu", 1000, database=database)
    assert raised(lambda: korvane.imfp(1000, "", database=database)) == f'no material "" in {database}'
    assert raised(lambda: korvane.imfp(1000, 10**30, database=database)) == \
        f'no material "{10**30}" in {database}'
    with pytest.raises(TypeError, match="^material must be a name or an ID$"):
        korvane.imfp(1000, True, database=database)


def test_no_physical_imfp_gives_nan_and_one_warning_and_nan_in_gives_nan_out(database):
    # Helium's bracket of the formula is below 0 at 1000 eV: no IMFP there, but one at 20 eV.
    helium = dict(material="He", database=database)
    with pytest.warns(RuntimeWarning) as warned:
        grid = korvane.imfp([20, 1000, 2000], **helium)
    assert [str(w.message) for w in warned if w.category is RuntimeWarning] == [
        "the formula gives no physical IMFP for these values: 2 of 3 elements are NaN, the first at index (1,)"]
    assert grid[0] == korvane.imfp(20, **helium) and np.isnan(grid[1:]).all()
    with pytest.warns(RuntimeWarning, match="^the formula gives no physical IMFP for these values: the result is NaN$"):
        assert np.isnan(korvane.imfp(1000, **helium))
    assert raised(lambda: korvane.imfp([20, 1000], errors="raise", **helium)) == \
        "the formula gives no physical IMFP for these values (at index (1,))"
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        assert np.isnan(korvane.imfp([1000], errors="ignore", **helium)).all()
        # A NaN that comes in is a hole in the grid: NaN goes out, silently, through
        # every function that takes it, and the rest is computed.
        imfps = korvane.imfp([1000, np.nan], **SIO2)
        assert imfps[0] == korvane.imfp(1000, **SIO2) and np.isnan(imfps[1])
        factors = korvane.cf1(10, imfps)
        assert factors[0] == korvane.cf1(10, imfps[0]) and np.isnan(factors[1])
        assert np.isnan(korvane.cf2(np.nan, 10)) and np.isnan(korvane.eff_trmfp(np.nan, 10))
        assert np.isnan(korvane.trmfp(2.65, 60.08, np.nan))
        assert np.isnan(korvane.information_depth(imfps)[1]) and np.isnan(korvane.transport_cross_section("Cu", np.nan))
        assert np.isnan(korvane.overlayer_thickness(20, 20, np.nan, 1))


def test_energies_outside_the_fitted_range_warn_once():
    with pytest.warns(UserWarning, match="not valid for energies below 50 eV and above 200000 eV") as warned:
        korvane.imfp([10, 20, 1000, 300000], **SIO2)
    assert len(warned) == 1
