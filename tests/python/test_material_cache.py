"""Materials read once: a call by name takes a material it has read before
from memory, and sees every change of the file at its next call."""

import os
import shutil
import subprocess
import sys

import korvane

UPDATE = """
import sqlite3, sys
connection = sqlite3.connect(sys.argv[1])
connection.execute('UPDATE tblIMFPdata SET Density = ? WHERE Name = ?', (float(sys.argv[2]), 'SiO2'))
connection.commit()
"""


def silica(density):
    return korvane.imfp(1000, density=density, mass=60.08, gap=9.1, nv=16)


def test_a_change_of_a_second_process_is_seen_by_the_next_call_by_name(database):
    assert korvane.imfp(1000, material="SiO2", database=database) == silica(2.65)
    assert korvane.imfp(1000, material="SiO2", database=database) == silica(2.65)
    subprocess.run([sys.executable, "-c", UPDATE, str(database), "2.2"], check=True)
    assert korvane.imfp(1000, material="SiO2", database=database) == silica(2.2)

    # Another file put in its place, of the same size and modification time.
    other = database.with_name("other.db")
    shutil.copyfile(database, other)
    subprocess.run([sys.executable, "-c", UPDATE, str(other), "3.1"], check=True)
    kept = os.stat(database)
    os.utime(other, ns=(kept.st_atime_ns, kept.st_mtime_ns))
    assert os.stat(other).st_size == kept.st_size
    os.replace(other, database)
    assert korvane.imfp(1000, material="SiO2", database=database) == silica(3.1)
    assert korvane.imfp([1000, 2000], material="SiO2", database=database)[0] == silica(3.1)
