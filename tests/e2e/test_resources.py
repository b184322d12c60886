"""What the Windows executables carry: the string table the launcher reads at run time, the
resources in the user-interface language, and imports of Windows system DLLs only."""
import re
import subprocess

import pytest

from conftest import LAUNCHERS
from probe import ProbeApp

WINDOWS = ["windows-x86", "windows-x64"]
TOOLS = {"windows-x86": "i686-w64-mingw32-", "windows-x64": "x86_64-w64-mingw32-"}
# DLLs every supported Windows version carries in its system folder.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
               "comctl32.dll", "comdlg32.dll", "ole32.dll", "oleaut32.dll", "shlwapi.dll",
               "version.dll", "msvcrt.dll"}


@pytest.mark.parametrize("platform", WINDOWS)
def test_string_table_reads_as_the_compiled_in_one(platform, runner, tmp_path):
    """LoadMessage on the Windows resources gives the very texts the host build compiles in
    (whose texts the unit tests check one by one)."""
    windows = ProbeApp(platform, runner(platform).run, tmp_path / "windows").run("messages")
    host = ProbeApp("linux-x64", runner("linux-x64").run, tmp_path / "host").run("messages")
    assert windows.returncode == 0
    assert windows.stdout.count(b"\n") == 29
    assert windows.stdout == host.stdout


def decompiled(platform):
    return subprocess.run([TOOLS[platform] + "windres", "-i", str(LAUNCHERS[platform]), "-O", "rc"],
                          stdout=subprocess.PIPE, check=True).stdout.decode("latin-1")


@pytest.mark.parametrize("platform", WINDOWS)
def test_resources_are_indonesian_only(platform):
    text = decompiled(platform)
    assert set(re.findall(r"^LANGUAGE .*$", text, re.M)) == {"LANGUAGE 33, 1"}
    assert set(re.findall(r"^  (2\d\d), ", text, re.M)) == {str(n) for n in range(202, 231)}
    assert re.search(r"^1 14 /\* RT_GROUP_ICON \*/", text, re.M)
    assert re.search(r"^1 VERSIONINFO", text, re.M)
    assert 'VALUE "Translation", 0x421, 1200' in text


@pytest.mark.parametrize("platform", WINDOWS)
def test_manifest(platform):
    manifest = "".join(re.findall(r'^  "(.*)\\n"$', decompiled(platform), re.M)).replace('""', '"')
    assert ('name="Microsoft.Windows.Common-Controls" version="6.0.0.0"'
            in re.sub(r"\s+", " ", manifest))
    assert ">true</dpiAware>" in manifest
    supported = re.findall(r'<supportedOS Id="(\{[^}]+\})"', manifest)
    assert supported == ["{e2011457-1546-43c5-a5fe-008deee3d3f0}",   # Vista
                         "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",   # 7
                         "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",   # 8
                         "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",   # 8.1
                         "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"]   # 10


@pytest.mark.parametrize("platform", WINDOWS)
def test_imports_only_kernel32_and_the_c_runtime(platform):
    """Every other system DLL (registry, cipher, service, window, shell) is loaded from the
    system folder when a start first needs it."""
    dump = subprocess.run([TOOLS[platform] + "objdump", "-p", str(LAUNCHERS[platform])],
                          stdout=subprocess.PIPE, check=True).stdout.decode()
    imported = {name.lower() for name in re.findall(r"DLL Name: (\S+)", dump)}
    assert imported == {"kernel32.dll", "msvcrt.dll"}
    assert imported <= SYSTEM_DLLS
