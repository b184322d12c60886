"""Inspection of the runtime library named by JRE Path under Wine: a library of another machine
type hands the start over to the companion launcher; anything that is not a readable image of
another machine type is loaded in-process (and fails there when it is no library at all)."""
import shutil
import struct
import subprocess

import pytest

from conftest import DIST, X64_LAUNCHER, X86_LAUNCHER, fixture_program, windows_path
from runtime_layouts import loaded_libraries, settings
from testjvm import runtime_library

COMPANION = fixture_program("windows-x86", "companion")
FILE_HOLDER = fixture_program("windows-x86", "file_holder")
PLANTED_DBGHELP = DIST / "fixtures" / "windows-x86" / "planted" / "dbghelp.dll"
COMPANION_CODE = 7
LOAD_FAILED = "Gagal memuat perpustakaan VM Java".encode()


def image(size, nt_offset, signature=b"PE\0\0", machine=0x8664):
    """A file that starts with MZ and names NT headers at nt_offset, as far as they fit."""
    data = bytearray(size)
    data[0:2] = b"MZ"
    data[0x3C:0x40] = struct.pack("<I", nt_offset)
    headers = signature + struct.pack("<H", machine)
    end = min(size, nt_offset + len(headers))
    if nt_offset < size:
        data[nt_offset:end] = headers[:end - nt_offset]
    return bytes(data)


def runtime_bytes(arch):
    return lambda: runtime_library(arch).read_bytes()


# Contents of bin\client\jvm.dll, and whether the 32-bit launcher hands over to the companion.
LIBRARIES = [
    ("64_bit_library", runtime_bytes("x64"), True),
    ("headers_of_a_64_bit_image_alone", lambda: image(0x98, 0x80), True),
    ("mz_without_pe_signature", lambda: image(0x200, 0x80, signature=b"NE\0\0"), False),
    ("truncated_file_header", lambda: image(0x90, 0x80), False),
    ("header_offset_far_past_the_end", lambda: image(0x200, 0x7FFFFFF0), False),
    ("header_offset_just_past_the_end", lambda: image(0x1000, 0x0FF0), False),
    ("not_an_image", lambda: b"\x7fELF" + bytes(200), False),
    ("empty_file", lambda: b"", False),
]


def lay_out(tmp_path, make_app, content, launcher=X86_LAUNCHER, pair=True):
    """A runtime home with the given library, and an application whose JRE Path names it."""
    library = tmp_path / "runtime" / "bin" / "client" / "jvm.dll"
    library.parent.mkdir(parents=True)
    library.write_bytes(content)
    app = tmp_path / "app"
    application = "Pair Return Code=Yes\n"
    if pair:
        companion = make_app("companion.exe", launcher=COMPANION, folder=app)
        application += "Pair Product=%s\n" % windows_path(companion)
    runtime = "JRE Path=%s\n" % windows_path(tmp_path / "runtime")
    exe = make_app(ini=settings(runtime, application), launcher=launcher, folder=app)
    return exe, library


def companion_started(tmp_path):
    return (tmp_path / "app" / "companion.txt").exists()


@pytest.mark.parametrize("name,content,paired", LIBRARIES, ids=[c[0] for c in LIBRARIES])
def test_machine_type_decides_the_hand_over(wine, make_app, tmp_path, name, content, paired):
    exe, _ = lay_out(tmp_path, make_app, content())
    result = wine.run(exe, env={"COMPANION_EXIT_CODE": str(COMPANION_CODE)})
    assert companion_started(tmp_path) == paired
    if paired:
        assert result.returncode == COMPANION_CODE
    else:
        # Not handed over: loaded in-process, where a non-library fails to load (no crash).
        assert result.returncode == 255
        assert LOAD_FAILED in result.stdout


# Each launcher loads its own machine type in-process and hands the other over.
@pytest.mark.parametrize("launcher,library_arch,paired", [
    (X86_LAUNCHER, "x86", False), (X86_LAUNCHER, "x64", True),
    (X64_LAUNCHER, "x64", False), (X64_LAUNCHER, "x86", True),
], ids=["x86_loads_x86", "x86_hands_x64_over", "x64_loads_x64", "x64_hands_x86_over"])
def test_each_launcher_loads_its_own_machine_type(wine, make_app, tmp_path, launcher,
                                                   library_arch, paired):
    exe, library = lay_out(tmp_path, make_app, runtime_library(library_arch).read_bytes(), launcher)
    result = wine.run(exe, env={"COMPANION_EXIT_CODE": str(COMPANION_CODE)})
    assert companion_started(tmp_path) == paired
    if paired:
        assert result.returncode == COMPANION_CODE
        assert loaded_libraries(tmp_path) == []
    else:
        assert result.returncode == 0
        assert loaded_libraries(tmp_path) == [windows_path(library)]


def test_without_pair_product_a_64_bit_library_is_loaded_in_process(wine, make_app, tmp_path):
    exe, _ = lay_out(tmp_path, make_app, runtime_library("x64").read_bytes(), pair=False)
    result = wine.run(exe)
    assert result.returncode == 255
    assert LOAD_FAILED in result.stdout


def test_library_held_open_for_writing_is_not_handed_over(wine, make_app, tmp_path):
    exe, library = lay_out(tmp_path, make_app, runtime_library("x64").read_bytes())
    holder = subprocess.Popen(["wine", str(FILE_HOLDER), windows_path(library)], env=wine.env,
                              stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL)
    try:
        assert holder.stdout.readline() == b"held\n"
        result = wine.run(exe, env={"COMPANION_EXIT_CODE": str(COMPANION_CODE)})
    finally:
        holder.stdin.close()
        holder.wait(timeout=60)
    assert not companion_started(tmp_path)
    assert result.returncode == 255


def test_dbghelp_beside_the_launcher_is_never_loaded(wine, make_app, tmp_path):
    exe, _ = lay_out(tmp_path, make_app, runtime_library("x64").read_bytes())
    shutil.copyfile(PLANTED_DBGHELP, tmp_path / "app" / "dbghelp.dll")
    # Prefer a native Dbghelp.dll, so that a lookup by bare name would take the planted one.
    overrides = wine.env["WINEDLLOVERRIDES"] + ";dbghelp=n,b"
    result = wine.run(exe, env={"COMPANION_EXIT_CODE": str(COMPANION_CODE),
                                "WINEDLLOVERRIDES": overrides})
    assert not (tmp_path / "app" / "planted_dbghelp_loaded").exists()
    assert companion_started(tmp_path)
    assert result.returncode == COMPANION_CODE
