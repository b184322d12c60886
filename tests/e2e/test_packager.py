"""The embed-settings tool itself: its outputs checked by independent readers (objdump,
windres, imagehlp and the Windows loader under Wine), its cipher against the real CryptoAPI,
its two builds, and its refusals, after which the input is untouched."""
import re
import shutil
import subprocess
from dataclasses import dataclass

import pytest

from conftest import LAUNCHERS, X86_LAUNCHER, windows_path
from embedding import CODE, PACKAGER_PROBE, PRODUCT, TOOL, WINDOWS_TOOL, embed, printed, run_tool
from probe import ProbeApp

BINUTILS = {"windows-x86": "i686-w64-mingw32-", "windows-x64": "x86_64-w64-mingw32-"}
SETTINGS = "[Java Runtime Environment]\nMain Class=com.example.App\n[Application]\nCmd=-x\n"
CRLF_SETTINGS = SETTINGS.replace("\n", "\r\n")


def copy(source, folder, name="tool.exe"):
    folder.mkdir(parents=True, exist_ok=True)
    target = folder / name
    shutil.copyfile(source, target)
    target.chmod(0o755)
    return target


def tool_output(platform, *args):
    return subprocess.run([BINUTILS[platform] + args[0], *map(str, args[1:])],
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=True
                          ).stdout.decode("latin-1")


def section_table(platform, exe):
    """objdump's section lines: name -> (size, address, file offset) as integers."""
    sections = {}
    for match in re.finditer(r"^\s+\d+ (\S+)\s+([0-9a-f]{8,16})\s+([0-9a-f]{8,16})\s+"
                             r"[0-9a-f]{8,16}\s+([0-9a-f]{8})",
                             tool_output(platform, "objdump", "-h", exe), re.M):
        sections[match[1]] = tuple(int(match[i], 16) for i in (2, 3, 4))
    return sections


def image_base(platform, exe):
    return int(re.search(r"^ImageBase\s+([0-9a-f]+)", tool_output(platform, "objdump", "-p", exe),
                         re.M)[1], 16)


def resource_directory(platform, exe):
    """The resource table's entry in objdump's data directory: (address, size)."""
    match = re.search(r"^Entry 2 ([0-9a-f]+) ([0-9a-f]+) Resource Directory",
                      tool_output(platform, "objdump", "-p", exe), re.M)
    return int(match[1], 16), int(match[2], 16)


def decompiled(platform, exe):
    return tool_output(platform, "windres", "-i", exe, "-O", "rc")


def without_settings_and_languages(rc):
    """windres text with the two settings resources cut out and the LANGUAGE statements (which
    windres repeats whenever the language changes) dropped."""
    rc = re.sub(r"/\* Type: rcdata\s+Name: 8000\.  \*/\n.*?\n9000 RCDATA\nBEGIN\n.*?\nEND\n\n", "",
                rc, flags=re.S)
    return re.sub(r"^LANGUAGE .*\n", "", rc, flags=re.M)


def checksums(wine, exe):
    result = wine.run(PACKAGER_PROBE, ["checksum", windows_path(exe)])
    assert result.returncode == 0, result.stderr
    stored, computed = result.stdout.split()
    return stored, computed


@pytest.mark.parametrize("platform", ["windows-x86", "windows-x64"])
def test_packaged_launcher_passes_independent_readers(platform, wine, tmp_path):
    if not LAUNCHERS[platform].exists():
        pytest.skip(f"{LAUNCHERS[platform]} is not built")
    exe = copy(LAUNCHERS[platform], tmp_path)
    assert embed(exe, SETTINGS).returncode == 0

    before = decompiled(platform, LAUNCHERS[platform])
    after = decompiled(platform, exe)
    assert without_settings_and_languages(after) == without_settings_and_languages(before)
    assert len(re.findall(r"^8000 RCDATA$", after, re.M)) == 1
    assert len(re.findall(r"^9000 RCDATA$", after, re.M)) == 1
    assert (set(re.findall(r"^LANGUAGE .*$", after, re.M))
            == set(re.findall(r"^LANGUAGE .*$", before, re.M)) | {"LANGUAGE 0, 0"})

    sections = section_table(platform, exe)
    size, address, _ = sections[".rsrc"]
    assert resource_directory(platform, exe) == (address - image_base(platform, exe), size)
    # The code and data sections stay where they were; only what follows the resources moves.
    old = section_table(platform, LAUNCHERS[platform])
    for name in (".text", ".data", ".rdata", ".idata", ".tls"):
        assert sections[name] == old[name]
    assert sections[".reloc"][0] == old[".reloc"][0]

    stored, computed = checksums(wine, exe)
    assert stored == computed != checksums(wine, LAUNCHERS[platform])[0]


def test_image_without_resources_gets_a_resource_section(wine, tmp_path):
    exe = copy(PACKAGER_PROBE, tmp_path, "probe.exe")
    assert ".rsrc" not in section_table("windows-x86", exe)
    assert embed(exe, SETTINGS).returncode == 0
    names = list(section_table("windows-x86", exe))
    assert names[-2:] == [".rsrc", ".reloc"]
    assert "9000 RCDATA" in decompiled("windows-x86", exe)
    # The loader takes the new layout: the packaged program runs, and checks itself.
    stored, computed = checksums(wine, exe)
    result = wine.run(exe, ["checksum", windows_path(exe)])
    assert result.returncode == 0
    assert result.stdout.split() == [stored, computed] and stored == computed
    assert printed(exe).stdout.decode() == CRLF_SETTINGS


def test_data_appended_to_the_executable_stays_at_its_end(wine, tmp_path):
    app = ProbeApp("windows-x86", wine.run, tmp_path / "app", PRODUCT)
    appended = b"PK\x03\x04 an appended archive" + bytes(range(256)) * 4
    with open(app.exe, "ab") as out:
        out.write(appended)
    assert embed(app.exe, SETTINGS).returncode == 0
    assert app.exe.read_bytes().endswith(appended)
    assert app.settings()[1]["mainClassName"] == "com/example/App"


def test_cipher_matches_the_cryptoapi_both_ways(wine):
    result = wine.run(PACKAGER_PROBE, ["cipher"])
    lines = result.stdout.decode().splitlines()
    assert lines and all(line.startswith("ok ") for line in lines), lines
    assert result.returncode == 0


@dataclass
class Encoding:
    name: str
    data: bytes
    verbatim: bool
    expected: str


TEXT = "[Application]\nCmd=caf\u00e9 \U0001F600\n"
ENCODINGS = [
    Encoding("utf8", TEXT.encode(), False, TEXT.replace("\n", "\r\n")),
    Encoding("utf8_with_mark", TEXT.encode("utf-8-sig"), False, TEXT.replace("\n", "\r\n")),
    Encoding("utf16le_with_mark", b"\xff\xfe" + TEXT.encode("utf-16-le"), False,
             TEXT.replace("\n", "\r\n")),
    Encoding("utf16be_with_mark", b"\xfe\xff" + TEXT.encode("utf-16-be"), False,
             TEXT.replace("\n", "\r\n")),
    Encoding("cr_and_mixed_ends", b"a\rb\r\nc\n", False, "a\r\nb\r\nc\r\n"),
    Encoding("verbatim_keeps_ends_and_mark", TEXT.encode("utf-8-sig"), True, "\ufeff" + TEXT),
]


@pytest.mark.parametrize("case", ENCODINGS, ids=lambda c: c.name)
def test_print_shows_the_text_the_launcher_gets(case, tmp_path):
    exe = copy(X86_LAUNCHER, tmp_path)
    options = ["--verbatim"] if case.verbatim else []
    assert embed(exe, case.data, CODE, *options).returncode == 0
    result = printed(exe)
    assert result.returncode == 0
    assert result.stdout.decode() == case.expected


def test_windows_build_of_the_tool_under_wine(wine, tmp_path):
    app = ProbeApp("windows-x86", wine.run, tmp_path / "app", PRODUCT)
    settings = tmp_path / "embedded settings.ini"
    settings.write_text(SETTINGS)
    result = wine.run(WINDOWS_TOOL, ["-u", CODE, windows_path(app.exe), windows_path(settings)])
    assert result.returncode == 0, result.stderr
    assert app.settings()[1]["mainClassName"] == "com/example/App"
    assert printed(app.exe).stdout.decode() == CRLF_SETTINGS
    shown = wine.run(WINDOWS_TOOL, ["--print", "-u", CODE, windows_path(app.exe)])
    assert shown.stdout.decode() == CRLF_SETTINGS
    assert sorted(path.name for path in app.folder.iterdir()) == ["tool.exe", "tool.ini"]
    # Its refusals leave the input alone as well.
    packaged = app.exe.read_bytes()
    missing = wine.run(WINDOWS_TOOL, ["-u", CODE, windows_path(app.exe),
                                      windows_path(tmp_path / "absent.ini")])
    assert missing.returncode == 1 and missing.stderr.startswith(b"embed-settings: cannot open")
    settings.write_bytes(b"Cmd=caf\xe9\n")
    invalid = wine.run(WINDOWS_TOOL, ["-u", CODE, windows_path(app.exe), windows_path(settings)])
    assert invalid.returncode == 1 and b"not valid UTF-8" in invalid.stderr
    assert app.exe.read_bytes() == packaged
    assert sorted(path.name for path in app.folder.iterdir()) == ["tool.exe", "tool.ini"]


def test_help_and_wrong_command_lines(wine):
    for run in (run_tool, lambda *args: wine.run(WINDOWS_TOOL, list(args))):
        shown = run("--help")
        assert shown.returncode == 0
        assert shown.stdout.decode().startswith("Usage: embed-settings --upgrade-code CODE")
        wrong = run("launcher.exe")
        assert wrong.returncode == 2
        assert b"upgrade code is missing" in wrong.stderr
        assert b"--help" in wrong.stderr


def test_output_option_leaves_the_input_alone(tmp_path):
    exe = copy(X86_LAUNCHER, tmp_path)
    exe.chmod(0o750)
    original = exe.read_bytes()
    packaged = tmp_path / "packaged.exe"
    assert embed(exe, SETTINGS, CODE, "--output", packaged).returncode == 0
    assert exe.read_bytes() == original
    assert printed(packaged).stdout.decode() == CRLF_SETTINGS
    assert packaged.stat().st_mode & 0o777 == 0o750
    # Replacing in place keeps the permissions too.
    assert embed(exe, SETTINGS).returncode == 0
    assert exe.stat().st_mode & 0o777 == 0o750


def test_embedding_again_replaces_settings_and_key(tmp_path):
    exe = copy(X86_LAUNCHER, tmp_path)
    assert embed(exe, SETTINGS).returncode == 0
    first = exe.read_bytes()
    assert embed(exe, "[Application]\nCmd=-y\n", "{second}").returncode == 0
    assert printed(exe, "{second}").stdout.decode() == "[Application]\r\nCmd=-y\r\n"
    assert printed(exe).returncode == 1
    rc = decompiled("windows-x86", exe)
    assert len(re.findall(r"^8000 RCDATA$", rc, re.M)) == 1
    # A fresh key each time: the same settings never give the same bytes.
    again = copy(X86_LAUNCHER, tmp_path / "again")
    assert embed(again, SETTINGS).returncode == 0
    assert again.read_bytes() != first and len(again.read_bytes()) == len(first)


@dataclass
class Refusal:
    name: str
    message: bytes
    settings: bytes = SETTINGS.encode()
    code: str = CODE
    executable: bytes = None      # the executable's contents; None: a launcher copy
    cut: int = 0                  # the launcher copy cut to this many bytes
    missing: str = ""             # "executable" or "settings": that file does not exist


REFUSALS = [
    Refusal("missing_executable", b"cannot open", missing="executable"),
    Refusal("missing_settings", b"cannot open", missing="settings"),
    Refusal("not_a_pe", b"not a PE executable", executable=b"#!/bin/sh\necho hello\n" * 10),
    Refusal("pe_cut_short", b"cut short", cut=0x20000),
    Refusal("empty_upgrade_code", b"the upgrade code is empty", code=""),
    Refusal("non_ascii_upgrade_code", b"outside printable ASCII", code="kode-\u00e9"),
    Refusal("spaced_upgrade_code", b"begins or ends with a space", code=" {X}"),
    Refusal("invalid_utf8", b"not valid UTF-8", settings=b"[Application]\nCmd=caf\xe9\n"),
    Refusal("utf16_odd_length", b"odd number of bytes", settings=b"\xff\xfe[\x00A"),
    Refusal("utf16_lone_surrogate", b"unpaired surrogate at byte 4",
            settings=b"\xff\xfeA\x00\x00\xd8B\x00"),
]


@pytest.mark.parametrize("case", REFUSALS, ids=lambda c: c.name)
def test_refusals_leave_the_input_untouched(case, tmp_path):
    folder = tmp_path / "app"
    exe = copy(X86_LAUNCHER, folder)
    if case.executable is not None:
        exe.write_bytes(case.executable)
    if case.cut:
        exe.write_bytes(exe.read_bytes()[:case.cut])
    settings = folder / "settings.ini"
    settings.write_bytes(case.settings)
    if case.missing == "executable":
        exe.unlink()
    if case.missing == "settings":
        settings.unlink()
    before = {path.name: path.read_bytes() for path in folder.iterdir()}
    stamps = {path.name: path.stat().st_mtime_ns for path in folder.iterdir()}

    result = run_tool("--upgrade-code", case.code, exe, settings)
    assert result.returncode == 1
    assert result.stderr.startswith(b"embed-settings: ")
    assert case.message in result.stderr, result.stderr
    assert result.stdout == b""
    assert {path.name: path.read_bytes() for path in folder.iterdir()} == before
    assert {path.name: path.stat().st_mtime_ns for path in folder.iterdir()} == stamps


@pytest.mark.parametrize("target", ["executable", "output"])
def test_read_only_target_is_replaced_only_when_asked(tmp_path, target):
    exe = copy(X86_LAUNCHER, tmp_path)
    output = []
    written = exe
    if target == "output":
        written = tmp_path / "packaged.exe"
        written.write_bytes(b"older")
        output = ["--output", written]
    written.chmod(0o555)
    before = written.read_bytes()
    refused = embed(exe, SETTINGS, CODE, *output)
    assert refused.returncode == 1
    assert b"read-only" in refused.stderr and b"--replace-read-only" in refused.stderr
    assert written.read_bytes() == before
    assert sorted(path.name for path in tmp_path.iterdir()) == sorted({exe.name, written.name})
    assert embed(exe, SETTINGS, CODE, "--replace-read-only", *output).returncode == 0
    assert printed(written).stdout.decode() == CRLF_SETTINGS


def test_windows_build_refuses_a_read_only_target_unless_asked(wine, tmp_path):
    exe = copy(X86_LAUNCHER, tmp_path)
    settings = tmp_path / "settings.ini"
    settings.write_text(SETTINGS)
    exe.chmod(0o555)  # Wine shows a file without write permission as read-only
    before = exe.read_bytes()
    command = ["-u", CODE, windows_path(exe), windows_path(settings)]
    refused = wine.run(WINDOWS_TOOL, command)
    assert refused.returncode == 1 and b"read-only" in refused.stderr
    assert exe.read_bytes() == before
    assert wine.run(WINDOWS_TOOL, ["--replace-read-only", *command]).returncode == 0
    assert printed(exe).stdout.decode() == CRLF_SETTINGS


def test_print_refuses_a_wrong_code_and_a_bare_launcher(tmp_path):
    exe = copy(X86_LAUNCHER, tmp_path)
    bare = printed(exe)
    assert bare.returncode == 1 and b"carries no embedded settings" in bare.stderr
    assert embed(exe, SETTINGS).returncode == 0
    wrong = printed(exe, "{wrong}")
    assert wrong.returncode == 1 and b"does not open" in wrong.stderr and wrong.stdout == b""
