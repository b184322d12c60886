"""The launch spine: the first failures a user meets and their exit codes, the settings file
the launcher finds on its way to the runtime search, and the paired relaunch of a companion
launcher."""
import shutil
import time

import pytest

from conftest import LAUNCHERS, error_line, fixture_program, windows_path, write_ini
from probe import ProbeApp, program_name

NO_MAIN_CLASS = "Main class tidak ditetapkan di file INI."
RUNTIME_NOT_FOUND = ("The Java Runtime Environment (JRE) tidak ditemukan. Silakan download dan "
                     "instal JRE (%s) dari:")
MAIN = "[Java Runtime Environment]\nMain Class=com.example.App\n"
# No display: whatever later steps would show in a window fails instead of waiting for a user.
NO_DISPLAY = {"DISPLAY": ""}


@pytest.mark.parametrize("platform", list(LAUNCHERS))
def test_no_settings_file_reports_missing_main_class(platform, runner, make_app):
    exe = make_app(program_name(platform), launcher=LAUNCHERS[platform])
    result = runner(platform).run(exe)
    assert result.stdout == error_line(NO_MAIN_CLASS)
    assert result.returncode == 255


# Whether the launcher finds Main Class, through the platform's own profile functions.
FOUND = [
    ("names_in_any_case_blanks_and_quotes",
     "[java runtime environment]\n  main CLASS =  \"com.example.App\"  \n", True),
    ("value_of_quotes_only", "[Java Runtime Environment]\nMain Class=\"\"\n", False),
    ("second_section_of_the_name_unread",
     "[Java Runtime Environment]\n[Application]\n[Java Runtime Environment]\n"
     "Main Class=com.example.App\n", False),
    ("key_in_another_section", "[Application]\nMain Class=com.example.App\n", False),
]


@pytest.mark.parametrize("platform", list(LAUNCHERS))
@pytest.mark.parametrize("name,ini,found", FOUND, ids=[row[0] for row in FOUND])
def test_main_class_lookup(platform, name, ini, found, runner, make_app):
    exe = make_app(program_name(platform), ini, launcher=LAUNCHERS[platform])
    result = runner(platform).run(exe, env=NO_DISPLAY)
    assert result.returncode == 255
    assert (error_line(NO_MAIN_CLASS) in result.stdout) != found


@pytest.mark.parametrize("platform", ["windows-x86", "linux-x64"])
def test_settings_reach_the_runtime_search(platform, runner, make_app, tmp_path):
    """A complete settings file: reading succeeds and the start goes on to the runtime search,
    which finds nothing in a folder that does not exist and says so."""
    missing = tmp_path / "no-runtime-here"
    ini = (MAIN + "JRE Path=" + windows_path(missing) + "\nMinimum Version=any\n"
           "Maximum Version=any\n[Application]\nFailure Check=Yes\n")
    exe = make_app(program_name(platform), ini, launcher=LAUNCHERS[platform])
    result = runner(platform).run(exe, env=NO_DISPLAY)
    assert result.returncode == 255
    assert result.stdout == error_line(RUNTIME_NOT_FOUND % "versi terbaru")


def test_executable_path_without_a_dot_has_no_settings_file(wine, make_app, tmp_path):
    if "." in str(tmp_path):
        pytest.skip("the temporary folder's path has a dot of its own")
    exe = make_app("tool", MAIN)
    result = wine.run(exe)
    assert result.stdout == b""
    assert result.returncode == 255


def test_dot_in_a_folder_names_the_settings_file(wine, make_app, tmp_path):
    if "." in str(tmp_path):
        pytest.skip("the temporary folder's path has a dot of its own")
    exe = make_app("tool", folder=tmp_path / "a.b")
    result = wine.run(exe)
    assert result.stdout == error_line(NO_MAIN_CLASS)
    write_ini(tmp_path / "a.ini", MAIN)
    result = wine.run(exe, env=NO_DISPLAY)
    assert NO_MAIN_CLASS.encode() not in result.stdout


# The paired relaunch, with the probe standing in for a runtime search that sets launchPaired.
def paired_app(wine, tmp_path, settings, companion="windows-x86"):
    app = ProbeApp("windows-x86", wine.run, tmp_path / "app")
    target = app.folder / "companion.exe"
    shutil.copyfile(fixture_program(companion, "companion"), target)
    write_ini(app.ini, MAIN + "[Application]\nPair Product=" + windows_path(target) + "\n" +
              settings)
    return app, target


@pytest.mark.parametrize("companion,code", [("windows-x86", 7), ("windows-x64", 3)])
def test_pair_return_code_gives_companion_exit_code(companion, code, wine, tmp_path):
    app, target = paired_app(wine, tmp_path, "Pair Return Code=yes\n", companion)
    result = app.run("paired", "one two", "three", env={"COMPANION_EXIT_CODE": str(code)})
    assert result.returncode == code
    assert b"Error: " not in result.stdout
    # The companion sees this process's own command line, path first.
    command_line = [line for line in result.stdout.decode().split("\n")
                    if line.startswith("commandLine=")][0][len("commandLine="):]
    assert command_line.endswith(" paired \"one two\" three")
    started_with, folder = target.with_suffix(".txt").read_text(encoding="utf-8").split("\n")
    assert started_with == command_line
    # ... and this process's working folder.
    assert folder == windows_path(app.folder)


@pytest.mark.parametrize("override,moved", [("Override WorkingDir=yes\n", True), ("", False)],
                         ids=["override", "unchanged"])
def test_working_folder(override, moved, wine, tmp_path):
    """The companion starts in this process's working folder, which Override WorkingDir has
    moved to the executable's folder."""
    app, target = paired_app(wine, tmp_path, "Pair Return Code=yes\n" + override)
    elsewhere = tmp_path / "elsewhere"
    elsewhere.mkdir()
    result = app.run("paired", cwd=elsewhere)
    assert result.returncode == 0
    folder = target.with_suffix(".txt").read_text(encoding="utf-8").split("\n")[1]
    assert folder == windows_path(app.folder if moved else elsewhere)


def test_without_pair_return_code_the_companion_runs_on(wine, tmp_path):
    app, target = paired_app(wine, tmp_path, "")
    hold = target.with_suffix(".hold")
    hold.touch()
    try:
        result = app.run("paired", env={"COMPANION_EXIT_CODE": "7"},
                         output=tmp_path / "stdout.txt")
        assert result.returncode == 0
        assert b"Error: " not in result.stdout
        # The launcher has ended; the companion, held, still starts and records its start.
        record = target.with_suffix(".txt")
        deadline = time.monotonic() + 60
        while "\n" not in (record.read_text(encoding="utf-8") if record.exists() else ""):
            assert time.monotonic() < deadline, "the companion never started"
            time.sleep(0.05)
        assert record.read_text(encoding="utf-8").split("\n")[0].endswith(" paired")
    finally:
        hold.unlink()


@pytest.mark.parametrize("wait", ["Pair Return Code=Yes\n", ""], ids=["waiting", "not_waiting"])
def test_companion_that_cannot_start_is_reported(wait, wine, tmp_path):
    app = ProbeApp("windows-x86", wine.run, tmp_path / "app")
    write_ini(app.ini, MAIN + "[Application]\nPair Product=" +
              windows_path(app.folder / "missing.exe") + "\n" + wait)
    result = app.run("paired")
    assert result.stdout.endswith(
        error_line("Pengecualian Windows: gagal memulai modul (errno = 2).\n"))
    assert result.returncode == 255
