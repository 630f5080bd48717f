"""Type stubs of the korvane module: IMFP, elastic-scattering correction, depth of the signal."""

from os import PathLike
from typing import Any, Iterable, Literal, Sequence, TypedDict, Union

import numpy as np
import numpy.typing as npt

_Values = Union[float, npt.ArrayLike]
_Result = Union[np.float32, npt.NDArray[np.float32]]
_Result64 = Union[np.float64, npt.NDArray[np.float64]]
_Correction = Literal["none", "cf1", "cf2"]
_Database = Union[str, PathLike[str], None]
_Groups = Union[str, Iterable[str]]
_Errors = Literal["warn", "raise", "ignore"]

__version__: str

class Material(TypedDict):
    id: int
    name: str | None
    density: np.float32 | None
    mass: np.float32 | None
    gap: np.float32 | None
    sp_hbe: np.float32 | None
    sp_lbe: np.float32 | None
    d: np.float32 | None
    f: np.float32 | None
    nv: np.float32 | None

def imfp(
    energy: _Values,
    material: str | int | None = None,
    *,
    density: _Values | None = None,
    mass: _Values | None = None,
    gap: _Values | None = None,
    nv: _Values | None = None,
    database: _Database = None,
    relativistic: bool = False,
    include: _Groups = ("lbe", "d", "f"),
    errors: _Errors = "warn",
) -> _Result: ...
def cf1(depth: _Values, imfp: _Values, *, errors: _Errors = "warn") -> _Result: ...
def trmfp(density: _Values, mass: _Values, cross_section: _Values, *, errors: _Errors = "warn") -> _Result: ...
def eff_trmfp(trmfp: _Values, imfp: _Values, *, errors: _Errors = "warn") -> _Result: ...
def cf2(depth: _Values, eff_trmfp: _Values, *, errors: _Errors = "warn") -> _Result: ...
def materials(database: _Database = None, include: _Groups = ("lbe", "d", "f")) -> list[Material]: ...
def formula(
    text: str, database: _Database = None, include: _Groups = ("lbe", "d", "f")
) -> tuple[np.float32, np.float32]: ...
def transport_cross_section(
    material_or_formula: str | int, energy: _Values, *, database: _Database = None, errors: _Errors = "warn"
) -> _Result64: ...
def information_depth(
    imfp: _Values,
    probability: _Values = 0.95,
    *,
    angle: _Values = 0.0,
    correction: _Correction = "none",
    eff_trmfp: _Values | None = None,
    errors: _Errors = "warn",
) -> _Result64: ...
def mean_escape_depth(
    imfp: _Values,
    *,
    angle: _Values = 0.0,
    correction: _Correction = "none",
    eff_trmfp: _Values | None = None,
    errors: _Errors = "warn",
) -> _Result64: ...
def signal_fraction(
    thickness: _Values,
    imfp: _Values,
    *,
    angle: _Values = 0.0,
    correction: _Correction = "none",
    eff_trmfp: _Values | None = None,
    errors: _Errors = "warn",
) -> _Result64: ...
def overlayer_thickness(
    imfp_overlayer: _Values,
    imfp_substrate_in_overlayer: _Values,
    ratio: _Values,
    bulk_ratio: _Values,
    *,
    angle: _Values = 0.0,
    errors: _Errors = "warn",
) -> _Result64: ...
def stack(
    layers: Sequence[tuple[str | int, float]],
    substrate: str | int | None,
    energy: float | Sequence[float],
    *,
    angle: float | Sequence[float] = 0.0,
    model: str = "sla",
    electrons: int | None = None,
    seed: int | None = None,
    threads: int | None = None,
    asymmetry: float | None = None,
    source_angle: float | None = None,
    relativistic: bool = False,
    database: _Database = None,
    include: _Groups = ("lbe", "d", "f"),
) -> dict[str, npt.NDArray[Any]]: ...
def line_energy(
    line: str, source: str | None = None, photon_energy: float | None = None
) -> tuple[np.float32, np.float32]: ...
def dcs(material: str | int, energy: float, *, database: _Database = None) -> dict[str, npt.NDArray[np.float64]]: ...
def simulate(
    material: str | int,
    energy: float,
    *,
    angle: float = 0.0,
    probability: float = 0.95,
    electrons: int = 1000000,
    seed: int = 1,
    threads: int | None = None,
    asymmetry: float = 0.0,
    source_angle: float = 54.735610317245346,
    step: float = 0.02,
    relativistic: bool = False,
    database: _Database = None,
    include: _Groups = ("lbe", "d", "f"),
) -> dict[str, float | npt.NDArray[np.float64]]: ...
def quantify(
    material: str | int,
    *,
    source: str | None = None,
    peaks: dict[str, float],
    photon_energy: float | None = None,
    angle: float = 0.0,
    source_angle: float | None = None,
    beta: dict[str, float] | None = None,
    transmission_exponent: float = 0.0,
    layer: tuple[str | int, float] | None = None,
    relativistic: bool = False,
    database: _Database = None,
    include: _Groups = ("lbe", "d", "f"),
) -> dict[str, npt.NDArray[Any]]: ...
