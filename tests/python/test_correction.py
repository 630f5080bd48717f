"""The correction factors and transport paths: the worked numbers and failures."""

import numpy as np
import pytest

import korvane


def shown(values, decimals):
    return [f"{v:.{decimals}f}" for v in np.atleast_1d(values)]


# The values themselves are tpp2m's, bit for bit (test_same_as_tpp2m.py).
def test_worked_values_as_float32():
    assert shown(korvane.cf1(10, [25, 10]), 3) == ["1.082", "0.977"]
    assert korvane.cf1(10, 25).dtype == np.float32
    assert shown(korvane.eff_trmfp(korvane.trmfp(2.33, 28.09, 1), [30, 0]), 2) == ["21.13", "0.00"]
    # A cross-section array is read in double precision, the others as Singles.
    assert korvane.trmfp(2.33, 28.09, np.array([1.0, 2.0])).dtype == np.float32


def raised(call):
    with pytest.raises(ValueError) as error:
        call()
    return str(error.value)


def test_failures_name_what_cannot_be_formed():
    assert raised(lambda: korvane.cf1(10, 0)) == "the IMFP must be above 0"
    assert raised(lambda: korvane.cf2([10, 20], [10, 0])) == "the EffTrMFP must be above 0 (at index (1,))"
    assert raised(lambda: korvane.trmfp(2.33, 28.09, 0)) == "the transport cross-section S must be above 0"
    assert raised(lambda: korvane.trmfp(2.33, -28.09, 1)) == "the atomic or molecular mass must be above 0"
    assert raised(lambda: korvane.trmfp(2.33, 28.09, np.inf)) == "cross_section: inf is not a number"
    assert raised(lambda: korvane.eff_trmfp(-30, 30)) == "the TrMFP must be above 0"
    assert raised(lambda: korvane.eff_trmfp(30, -30)) == "EffTrMFP cannot be formed from this TrMFP and IMFP"
