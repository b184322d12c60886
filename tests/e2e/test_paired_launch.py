"""The 64-bit companion end to end under Wine: the 32-bit launcher hands a 64-bit runtime named
by JRE Path over to the x64 launcher named by Pair Product, which runs the Java program with
its own settings file; and the working folder the Java program gets."""
import time

import pytest

from conftest import X64_LAUNCHER, windows_path
from runtime_layouts import install_runtime, settings
from testjvm import Record


def utf16_hex(text):
    return " ".join("%04x" % ord(c) for c in text)


def deployment(tmp_path, make_app, script, first_application="", companion_application=""):
    """tool.exe naming a 64-bit runtime, and the x64 launcher as its companion in a folder of its
    own, with settings of its own; returns tool.exe and the runtime library."""
    home = install_runtime(tmp_path / "jre64", arch="x64", script=script)
    jre_path = "JRE Path=%s\n" % windows_path(home)
    companion = make_app("companion.exe", launcher=X64_LAUNCHER, folder=tmp_path / "x64",
                         ini=settings(jre_path, companion_application).replace(
                             "demo.Main", "demo.Companion"))
    exe = make_app(ini=settings(jre_path, "Pair Product=%s\n" % windows_path(companion) +
                                first_application))
    return exe, home / "bin" / "client" / "jvm.dll"


@pytest.mark.parametrize("wait", [True, False], ids=["pair_return_code", "no_pair_return_code"])
def test_companion_runs_the_program_with_its_own_settings(wine, make_app, tmp_path, wait):
    exe, library = deployment(tmp_path, make_app, "main exit 7\n",
                              "Pair Return Code=Yes\n" if wait else "")
    result = wine.run(exe, ["one two", "three"])
    record = Record(library)
    if wait:
        assert result.returncode == 7
    else:
        # Ended at once with 0; the companion goes on to its own end.
        assert result.returncode == 0
        deadline = time.monotonic() + 60
        while "exit 7" not in record.lines and time.monotonic() < deadline:
            time.sleep(0.1)
            record = Record(library)
    assert record.values("loaded") == [windows_path(library)]
    assert any("demo.Companion" in line for line in record.lines)
    assert not any("demo.Main" in line for line in record.lines)
    assert record.values("arg") == [utf16_hex("one two"), utf16_hex("three")]
    assert record.values("exit") == ["7"]


def in_process(tmp_path, make_app, application):
    home = install_runtime(tmp_path / "jre", script="main print hi\n")
    return make_app(ini=settings("JRE Path=%s\n" % windows_path(home), application))


def paired(tmp_path, make_app, application):
    exe, _ = deployment(tmp_path, make_app, "main print hi\n", application,
                        "Output File=out.txt\n")
    return exe


# The program writes its output to a relative file name, which lands in its working folder.
@pytest.mark.parametrize("start,application,folder", [
    (in_process, "Output File=out.txt\n", "elsewhere"),
    (in_process, "Output File=out.txt\nOverride WorkingDir=yes\n", "app"),
    (paired, "Override WorkingDir=Yes\n", "app"),
    (paired, "", "elsewhere"),
], ids=["in_process_kept", "in_process_overridden", "companion_inherits_overridden",
        "companion_inherits_kept"])
def test_working_folder(wine, make_app, tmp_path, start, application, folder):
    exe = start(tmp_path, make_app, application + "Pair Return Code=Yes\n")
    elsewhere = tmp_path / "elsewhere"
    elsewhere.mkdir()
    result = wine.run(exe, cwd=elsewhere)
    assert result.returncode == 0
    assert (tmp_path / folder / "out.txt").read_text() == "out:hi\n"
