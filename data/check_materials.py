#!/usr/bin/python3
"""Checks data/materials.txt, the shipped materials table.

Not used by the build. Run it after editing the table:

    /usr/bin/python3 data/check_materials.py            # check
    /usr/bin/python3 data/check_materials.py --align    # also re-align columns

It checks the layout, the element rows against Debian's python3-periodictable
(symbols, atomic weights, densities), densities of crystals against their X-ray
density from lattice constants, the valence groups against the element's place
in the periodic table, and each compound's mass and valence total against the
sums of its elements' rows.
"""

import math
import re
import sys
from pathlib import Path

import periodictable

TABLE = Path(__file__).with_name("materials.txt")
HEADER = ["ID", "Name", "Description", "Density", "Atomic wght", "Energy gap 300 K",
          "valel s+p,n", "valel s+p,n+1", "valel d", "valel f"]
FIRST_COMPOUND = 104
AVOGADRO = 6.02214076e23

# Deliberate departures from the periodictable density (its value is often
# the liquid at the boiling point, or another allotrope).
DENSITY_DEPARTURES = {
    "H": "solid H2, not the liquid at the boiling point",
    "N": "solid N2, not the liquid at the boiling point",
    "O": "solid O2, not the liquid at the boiling point",
    "F": "solid F2, not the liquid at the boiling point",
    "Ne": "solid Ne, not the liquid at the boiling point",
    "Cl": "solid Cl2, not the liquid at the boiling point",
    "Ar": "solid Ar, not the liquid at the boiling point",
    "Kr": "solid Kr, not the liquid at the boiling point",
    "C": "diamond, not graphite",
    "P": "black phosphorus, not white",
    "Bk": "alpha-Bk measured density, not the older estimate",
}
# Deliberate departures from the periodictable atomic weight (it predates the
# later IUPAC revisions and newer isotopes).
MASS_DEPARTURES = {
    "Lr": "Lr-266 (about 11 h) outlives Lr-262",
}

# X-ray densities: (formula, formula units per cell, cell volume in A^3).
def cubic(a):
    return a ** 3


def hexagonal(a, c):
    return math.sqrt(3.0) / 2.0 * a * a * c


def tetragonal(a, c):
    return a * a * c


LATTICES = [
    ("C", 8, cubic(3.5668)), ("Si", 8, cubic(5.4310)), ("Ge", 8, cubic(5.6579)),
    ("Al", 4, cubic(4.0495)), ("Cu", 4, cubic(3.6149)), ("Ni", 4, cubic(3.5240)),
    ("Ag", 4, cubic(4.0853)), ("Au", 4, cubic(4.0782)), ("Pt", 4, cubic(3.9242)),
    ("Pd", 4, cubic(3.8907)), ("Fe", 2, cubic(2.8665)), ("Cr", 2, cubic(2.8846)),
    ("V", 2, cubic(3.0240)), ("Nb", 2, cubic(3.3004)), ("Mo", 2, cubic(3.1470)),
    ("Ta", 2, cubic(3.3029)), ("W", 2, cubic(3.1652)), ("Na", 2, cubic(4.2906)),
    ("K", 2, cubic(5.328)), ("Ba", 2, cubic(5.023)), ("Yb", 4, cubic(5.4847)),
    ("Mn", 58, cubic(8.9125)), ("Sn", 4, tetragonal(5.8318, 3.1819)),
    ("GaAs", 4, cubic(5.6533)), ("GaP", 4, cubic(5.4505)), ("GaSb", 4, cubic(6.0959)),
    ("AlAs", 4, cubic(5.6611)), ("InP", 4, cubic(5.8687)), ("InAs", 4, cubic(6.0583)),
    ("InSb", 4, cubic(6.4794)), ("ZnS", 4, cubic(5.4093)), ("ZnSe", 4, cubic(5.6676)),
    ("ZnTe", 4, cubic(6.1037)), ("CdTe", 4, cubic(6.4810)), ("SiC", 4, cubic(4.3596)),
    ("MgO", 4, cubic(4.2117)), ("CaO", 4, cubic(4.8105)), ("NiO", 4, cubic(4.1771)),
    ("CoO", 4, cubic(4.2615)), ("LiF", 4, cubic(4.0263)), ("NaF", 4, cubic(4.6340)),
    ("NaCl", 4, cubic(5.6402)), ("KCl", 4, cubic(6.2931)), ("KBr", 4, cubic(6.6000)),
    ("KI", 4, cubic(7.0655)), ("CsI", 1, cubic(4.5667)), ("CaF2", 4, cubic(5.4626)),
    ("BaF2", 4, cubic(6.2001)), ("PbS", 4, cubic(5.9362)), ("PbSe", 4, cubic(6.1243)),
    ("PbTe", 4, cubic(6.4620)), ("SnTe", 4, cubic(6.3268)), ("AgCl", 4, cubic(5.5491)),
    ("AgBr", 4, cubic(5.7745)), ("TiN", 4, cubic(4.2417)), ("ZrN", 4, cubic(4.5776)),
    ("TiC", 4, cubic(4.3280)), ("ZrC", 4, cubic(4.6983)), ("HfC", 4, cubic(4.6380)),
    ("NbC", 4, cubic(4.4702)), ("TaC", 4, cubic(4.4555)), ("Cu2O", 2, cubic(4.2696)),
    ("CeO2", 4, cubic(5.4110)), ("SrTiO3", 1, cubic(3.9050)), ("Y2O3", 16, cubic(10.604)),
    ("In2O3", 16, cubic(10.117)), ("Fe3O4", 8, cubic(8.3960)), ("Y3Al5O12", 8, cubic(12.008)),
    ("BaTiO3", 1, tetragonal(3.9925, 4.0365)),
    ("ZnO", 2, hexagonal(3.2496, 5.2042)), ("GaN", 2, hexagonal(3.1890, 5.1850)),
    ("AlN", 2, hexagonal(3.1120, 4.9820)), ("InN", 2, hexagonal(3.5450, 5.7030)),
    ("BeO", 2, hexagonal(2.6980, 4.3800)), ("CdS", 2, hexagonal(4.1360, 6.7140)),
    ("CdSe", 2, hexagonal(4.2990, 7.0100)), ("BN", 2, hexagonal(2.5040, 6.6610)),
    ("MoS2", 2, hexagonal(3.1600, 12.294)), ("WC", 1, hexagonal(2.9060, 2.8370)),
    ("SiO2", 3, hexagonal(4.9134, 5.4052)), ("Al2O3", 6, hexagonal(4.7589, 12.991)),
    ("Fe2O3", 6, hexagonal(5.0356, 13.749)), ("Cr2O3", 6, hexagonal(4.9590, 13.594)),
    ("TiO2", 2, tetragonal(4.5937, 2.9587)), ("SnO2", 2, tetragonal(4.7382, 3.1871)),
    ("MgF2", 2, tetragonal(4.6210, 3.0519)),
]

FORMULA_PART = re.compile(r"([A-Z][a-z]?)(\d*)")


def parse_formula(formula):
    parts = [(sym, int(n) if n else 1) for sym, n in FORMULA_PART.findall(formula)]
    if "".join(s + (str(n) if n != 1 else "") for s, n in parts) != formula:
        raise ValueError(f"cannot read formula {formula!r}")
    return parts


def number(cell):
    return float(cell) if cell else None


def read_table(text):
    """Returns (header cells, rows); a row is (line number, cells, comment)."""
    header = None
    rows = []
    for lineno, raw in enumerate(text.splitlines(), 1):
        data, _, comment = raw.partition("#")
        if not data.strip():
            continue
        cells = [c.strip() for c in data.split("|")]
        if header is None:
            header = cells
        else:
            rows.append((lineno, cells, comment.strip()))
    return header, rows


def default_valence(z):
    """Valence electrons per atom from the element's place in the table."""
    if 57 <= z <= 71:
        return z - 54
    if 89 <= z <= 103:
        return z - 86
    core = max(c for c in (0, 2, 10, 18, 36, 54, 86) if c < z)
    n = z - core
    if core in (18, 36) and n > 12:
        return n - 10  # Ga..Kr, In..Xe: the filled d10 is core
    if core == 54 and n > 2:
        n -= 14  # Hf..Rn: the filled 4f14 is core
        return n - 10 if n > 12 else n
    return n


def main():
    align = "--align" in sys.argv[1:]
    text = TABLE.read_text(encoding="utf-8")
    header, rows = read_table(text)
    problems = []

    def fail(msg):
        problems.append(msg)

    if header != HEADER:
        fail(f"header is {header}")
    for lineno, cells, _ in rows:
        if len(cells) != len(HEADER):
            fail(f"line {lineno}: {len(cells)} cells")

    rows_by_name = {}
    for expected_id, (lineno, cells, _) in enumerate(rows, 1):
        if int(cells[0]) != expected_id:
            fail(f"line {lineno}: ID {cells[0]}, expected {expected_id}")
        if cells[1] in rows_by_name:
            fail(f"line {lineno}: name {cells[1]} twice")
        rows_by_name[cells[1]] = cells

    elements = [r for r in rows if int(r[1][0]) < FIRST_COMPOUND]
    compounds = [r for r in rows if int(r[1][0]) >= FIRST_COMPOUND]
    if len(elements) != 103:
        fail(f"{len(elements)} element rows")

    mass = {}
    total = {}
    for lineno, cells, comment in elements:
        z = int(cells[0])
        ref = periodictable.elements[z]
        sym = cells[1]
        if sym != ref.symbol:
            fail(f"Z={z}: symbol {sym}, expected {ref.symbol}")
        rho, m, gap, hbe, lbe, d, f = (number(c) for c in cells[3:10])
        if None in (rho, m, gap):
            fail(f"{sym}: density, mass and gap must all be given")
            continue
        mass[sym] = m
        total[sym] = (lbe or 0) + (d or 0) + (f or 0)
        if abs(m - ref.mass) > 0.05 and sym not in MASS_DEPARTURES:
            fail(f"{sym}: mass {m}, periodictable {ref.mass}")
        if ref.density is None:
            if not comment:
                fail(f"{sym}: density {rho} has no reference and no comment")
        elif abs(rho / ref.density - 1) > 0.05 and sym not in DENSITY_DEPARTURES:
            fail(f"{sym}: density {rho}, periodictable {ref.density}")
        expected_hbe = None if z <= 2 else (2 if z <= 10 else 8)
        if hbe != expected_hbe:
            fail(f"{sym}: s+p(hbe) {hbe}, expected {expected_hbe}")
        if total[sym] != default_valence(z):
            fail(f"{sym}: default valence {total[sym]}, expected {default_valence(z)}")
        if lbe is None and sym != "Pd":
            fail(f"{sym}: s+p(lbe) missing")

    for lineno, cells, _ in compounds:
        name = cells[1]
        rho, m, gap, hbe, lbe, d, f = (number(c) for c in cells[3:10])
        if None in (rho, m, gap, f) or (hbe, lbe, d) != (None, None, None):
            fail(f"{name}: density, mass, gap and valel f only")
            continue
        try:
            parts = parse_formula(name)
        except ValueError as e:
            fail(str(e))
            continue
        if any(s not in mass for s, _ in parts):
            fail(f"{name}: unknown element")
            continue
        m_sum = sum(mass[s] * n for s, n in parts)
        v_sum = sum(total[s] * n for s, n in parts)
        if abs(m - m_sum) > (0.1 if name in ("SiO2", "Cu2O") else 0.006):
            fail(f"{name}: mass {m}, formula gives {m_sum:.3f}")
        if f != v_sum:
            fail(f"{name}: valel f {f}, elements give {v_sum}")

    for formula, units, volume in LATTICES:
        cells = rows_by_name.get(formula)
        if cells is None:
            fail(f"{formula}: not in the table")
            continue
        m = sum(mass[s] * n for s, n in parse_formula(formula))
        xray = units * m / (AVOGADRO * volume * 1e-24)
        rho = float(cells[3])
        if abs(rho / xray - 1) > 0.03:
            fail(f"{formula}: density {rho}, X-ray density {xray:.3f}")

    if align and not problems:
        TABLE.write_text(aligned(text), encoding="utf-8")

    for p in problems:
        print("problem:", p)
    print(f"{len(elements)} elements, {len(compounds)} compounds, "
          f"{len(LATTICES)} lattice densities: {len(problems)} problem(s)")
    return 1 if problems else 0


def aligned(text):
    """The table with the cells of its data rows padded to common widths."""
    lines = text.splitlines()
    header_seen = False
    split = []
    for raw in lines:
        if raw.startswith("#ID |"):  # the column ruler under the header
            split.append(([c.strip() for c in raw.split("|")], ""))
            continue
        data, _, comment = raw.partition("#")
        if not data.strip() or not header_seen:
            header_seen = header_seen or bool(data.strip())
            split.append(None)
            continue
        split.append(([c.strip() for c in data.split("|")], comment.strip()))
    widths = [max(len(s[0][i]) for s in split if s) for i in range(len(HEADER))]
    out = []
    for raw, s in zip(lines, split):
        if s is None:
            out.append(raw)
            continue
        cells = " | ".join(c.ljust(w) for c, w in zip(s[0], widths))
        out.append(f"{cells}  # {s[1]}" if s[1] else cells.rstrip())
    return "\n".join(out) + "\n"


if __name__ == "__main__":
    sys.exit(main())
