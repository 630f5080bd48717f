"""Type stubs of the korvane module: IMFP and elastic-scattering correction."""

from os import PathLike
from typing import Iterable, TypedDict, Union

import numpy as np
import numpy.typing as npt

_Values = Union[float, npt.ArrayLike]
_Result = Union[np.float32, npt.NDArray[np.float32]]
_Database = Union[str, PathLike[str], None]
_Groups = Union[str, Iterable[str]]

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
) -> _Result: ...
def cf1(depth: _Values, imfp: _Values) -> _Result: ...
def trmfp(density: _Values, mass: _Values, cross_section: _Values) -> _Result: ...
def eff_trmfp(trmfp: _Values, imfp: _Values) -> _Result: ...
def cf2(depth: _Values, eff_trmfp: _Values) -> _Result: ...
def materials(database: _Database = None, include: _Groups = ("lbe", "d", "f")) -> list[Material]: ...
def formula(
    text: str, database: _Database = None, include: _Groups = ("lbe", "d", "f")
) -> tuple[np.float32, np.float32]: ...
