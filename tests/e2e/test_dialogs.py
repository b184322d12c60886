"""The launcher's two dialogs under Wine on a virtual display: the runtime-not-found dialog (its
template, texts, folder picks, what OK stores, the download link) and the uncaught-exception
report. A window driver (tests/fixtures/window_driver) starts the launcher, works its dialog as a
user would and prints what it read. Screenshots land in <build>/screenshots/."""
import os
import shutil
import subprocess
import time
from pathlib import Path

import pytest

import testjvm
from conftest import (BUILD, X64_LAUNCHER, X86_LAUNCHER, Wine, error_line, fixture_program,
                      windows_path, write_ini)
from runtime_layouts import install_runtime
from test_resources import decompiled

DRIVER = fixture_program("windows-x86", "window_driver")
SHOTS = BUILD / "screenshots"
DOWNLOAD_ADDRESS = "https://adoptium.net/"
MESSAGE_207 = ("The Java Runtime Environment (JRE) tidak ditemukan. Silakan download dan instal "
               "JRE (%s) dari:")
MESSAGE_206 = (" Java Runtime Environment (JRE) tidak ditemukan. Silakan download dan instal "
               "JRE dengan server JVM (%s) dari:")
ANY_VERSION = "Minimum Version=any\nMaximum Version=any\n"
LINK_BLUE, VISITED_PURPLE, RED = (0, 0, 255), (128, 0, 128), (255, 0, 0)


# ---- the virtual display and its Wine prefix --------------------------------------------

def free_display():
    for number in range(61, 100):
        if not Path("/tmp/.X%d-lock" % number).exists() and \
                not Path("/tmp/.X11-unix/X%d" % number).exists():
            return number
    raise RuntimeError("no free X display number")


@pytest.fixture(scope="session")
def display():
    """An Xvfb server of this test run, stopped at the end whatever happened."""
    number = free_display()
    server = subprocess.Popen(["Xvfb", ":%d" % number, "-screen", "0", "1280x1024x24",
                               "-noreset", "-nolisten", "tcp"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        socket = Path("/tmp/.X11-unix/X%d" % number)
        deadline = time.monotonic() + 20
        while not socket.exists():
            assert server.poll() is None and time.monotonic() < deadline, "Xvfb did not start"
            time.sleep(0.05)
        yield ":%d" % number
    finally:
        server.terminate()
        try:
            server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            server.kill()
            server.wait(timeout=10)


@pytest.fixture(scope="session")
def gui_wine(display):
    """A prefix of its own whose session starts on the virtual display, so that later programs
    get its monitor; unmanaged windows close at once; https addresses go to the recorder."""
    instance = Wine(BUILD / "wineprefix-gui")
    instance.env["DISPLAY"] = display
    try:
        instance.start()
        instance.command("reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed",
                         "/t", "REG_SZ", "/d", "N", "/f")
        yield instance
    finally:
        instance.stop()


@pytest.fixture
def shell_log(gui_wine, tmp_path):
    """The addresses the shell opened, one per line, through a recorder registered for https."""
    log = tmp_path / "opened.log"
    command = '"%s" record "%s" "%%1"' % (windows_path(DRIVER), windows_path(log))
    result = gui_wine.command("reg", "add", r"HKCR\https\shell\open\command", "/ve", "/t",
                              "REG_SZ", "/d", command, "/f")
    assert result.returncode == 0
    return log


def opened(log, expected_count):
    """The addresses recorded; the recorder runs a little after the shell call returned, so
    the log is read again a while after it holds the expected count, to see any extra one."""
    def lines():
        return log.read_text().splitlines() if log.exists() else []

    deadline = time.monotonic() + 10
    while len(lines()) < expected_count and time.monotonic() < deadline:
        time.sleep(0.05)
    time.sleep(0.5)
    return lines()


# ---- driving a dialog -------------------------------------------------------------------

class Run:
    """What the driver read, in order, and the launcher's own output and exit code."""

    def __init__(self, output):
        lines = output.decode("latin-1").replace("\r\n", "\n").split("\n")
        self.driver = [line[len("driver: "):] for line in lines if line.startswith("driver: ")]
        self.launcher = "\n".join(line for line in lines if not line.startswith("driver: "))
        self.exit_code = int(self.driver[-1].split()[1]) if self.driver[-1].startswith("exit") \
            else None

    def values(self, kind, key=None):
        """The rest of every line of a kind ("text 201 ..." with key 201)."""
        prefix = kind + " " + ("%s " % key if key is not None else "")
        return [line[len(prefix):] for line in self.driver if line.startswith(prefix)]


def drive(wine, exe, actions, shots=(), desktop=None):
    """Runs the launcher under the driver. Each name in shots is a screenshot taken where the
    action list says "shot"; the driver waits for it. With a desktop size ("320x240") both run
    on a virtual desktop of that size."""
    folder = Path(exe).parent
    expanded, pending = [], list(shots)
    for action in actions:
        if action == "shot":
            name = pending.pop(0)
            expanded += ["signal:" + windows_path(folder / (name + ".ready")),
                         "waitfile:" + windows_path(folder / (name + ".taken"))]
        else:
            expanded.append(action)
    output = folder / "driver.out"
    with open(output, "wb") as out:
        on_desktop = ["explorer", "/desktop=dialogs," + desktop] if desktop else []
        process = subprocess.Popen(["wine", *on_desktop, str(DRIVER), *expanded, "--",
                                    windows_path(exe)],
                                   cwd=folder, env=wine.env, stdin=subprocess.DEVNULL,
                                   stdout=out, stderr=subprocess.DEVNULL)
        try:
            for name in shots:
                ready = folder / (name + ".ready")
                deadline = time.monotonic() + 30
                while not ready.exists() and process.poll() is None and \
                        time.monotonic() < deadline:
                    time.sleep(0.05)
                if ready.exists():
                    time.sleep(0.3)  # the last repaint
                    SHOTS.mkdir(parents=True, exist_ok=True)
                    subprocess.run(["import", "-display", wine.env["DISPLAY"], "-window", "root",
                                    str(SHOTS / (name + ".png"))], timeout=30, check=True)
                (folder / (name + ".taken")).write_text("")
            process.wait(timeout=90)
        finally:
            if process.poll() is None:
                process.kill()
                process.wait()
    return Run(output.read_bytes())


def colour_counts(png, rect):
    """Pixel colours in a screen rectangle (left, top, right, bottom) of a screenshot."""
    left, top, right, bottom = rect
    crop = "%dx%d+%d+%d" % (right - left, bottom - top, left, top)
    text = subprocess.run(["convert", str(png), "-crop", crop, "+repage", "-depth", "8",
                           "-format", "%c", "histogram:info:-"], stdout=subprocess.PIPE,
                          check=True, timeout=30).stdout.decode()
    counts = {}
    for line in text.splitlines():
        count, rest = line.strip().split(":", 1)
        rgb = rest.strip().split(")")[0].strip("( ").split(",")[:3]
        counts[tuple(int(float(v)) for v in rgb)] = int(count)
    return counts


def settings(runtime="", application=""):
    return ("[Java Runtime Environment]\nMain Class=demo.Main\n" + runtime +
            "\n[Application]\n" + application + "\n[Class Path]\nClass Path=C:\\app.jar\n")


IDENTITY = "[Product Information]\nProduct Name=Demo: Tool\nProduct Code={42}\n"
PRODUCT_FOLDER = "Demo Tool"  # the product name without the characters a folder cannot hold


@pytest.fixture
def places(gui_wine, request):
    """Folders below the prefix's C: drive, which the folder browser reaches at once; the
    per-user settings of the test product are removed after each test."""
    root = gui_wine.prefix / "drive_c" / "dialogs" / request.node.name.replace("[", "_").strip("]")
    shutil.rmtree(root, ignore_errors=True)
    root.mkdir(parents=True)
    yield root
    shutil.rmtree(root, ignore_errors=True)
    shutil.rmtree(gui_wine.appdata() / PRODUCT_FOLDER, ignore_errors=True)


def c_path(path):
    """The C: path of a folder below the prefix's drive_c."""
    parts = Path(path).parts
    return "C:\\" + "\\".join(parts[parts.index("drive_c") + 1:])


def app(folder, ini, name="tool.exe"):
    folder.mkdir(parents=True, exist_ok=True)
    exe = folder / name
    shutil.copyfile(X86_LAUNCHER, exe)
    write_ini(folder / (name.rsplit(".", 1)[0] + ".ini"), ini)
    return exe


# ---- the template -------------------------------------------------------------------------

RUNTIME_NOT_FOUND_TEMPLATE = """\
201 DIALOGEX 0, 0, 219, 145
STYLE 0x80c800c8
CAPTION "JRE Tidak Ditemukan"
FONT 8, "MS Shell Dlg", 400, 0, 1
BEGIN
  DEFPUSHBUTTON "OK", 1, 107, 122, 50, 14, 0x50010001
  PUSHBUTTON "Batalkan", 2, 161, 122, 50, 14, 0x50010000
  EDITTEXT 201, 60, 89, 94, 14, 0x50810880
  LTEXT "Lintasan JRE:", -1, 12, 92, 45, 8, 0x50020000
  PUSHBUTTON "Browse...", 202, 157, 89, 50, 14, 0x50010000
  GROUPBOX "JRE Hilang", -1, 8, 11, 203, 103, 0x50000007
  CONTROL 32513, 204, "STATIC", 0x50000003, 16, 24, 20, 20
  LTEXT "", 203, 42, 24, 149, 24, 0x50020000
  LTEXT "%s", 205, 44, 55, 75, 8, 0x50020000
  LTEXT "Apabila Anda telah menginstal JRE, silakan browse di bawah ini:", 206, 12, 73, 195, 8, \
0x50020000
END
""" % DOWNLOAD_ADDRESS


def dialog_block(text, number):
    start = text.index("%d DIALOGEX" % number)
    return text[start:text.index("\nEND\n", start) + 5]


def test_runtime_not_found_template_is_exactly_the_designed_one():
    # No extended style, no menu, no class: windres would print them.
    assert dialog_block(decompiled("windows-x86"), 201) == RUNTIME_NOT_FOUND_TEMPLATE


def test_exception_report_template_carries_its_texts():
    block = dialog_block(decompiled("windows-x86"), 231)
    for text in ['CAPTION "Pengecualian Java"', 'GROUPBOX "Pengecualian Tak Tertangkap"',
                 '"Proses java telah menyingkirkan pengecualian tak tertangkap berikut ini:"',
                 '"Tekan Abaikan untuk melanjutkan dan abaikan pengecualian, atau tekan Stop '
                 'untuk menutup aplikasi."',
                 '"PERINGATAN: Apabila Anda memilih Stop aplikasi, maka semua data yang belum '
                 'disimpan akan hilang."',
                 'DEFPUSHBUTTON "Abaikan", 1,', 'PUSHBUTTON "Stop", 2,']:
        assert text in block
    # A read-only multi-line edit with a vertical scroll bar holds the trace.
    style = int(block.split("EDITTEXT 208,")[1].split("\n")[0].split(",")[-1], 16)
    assert style & 0x4 and style & 0x800 and style & 0x200000


# ---- the runtime-not-found dialog ---------------------------------------------------------

@pytest.mark.parametrize("runtime, message", [
    ("", MESSAGE_207 % "versi terbaru"),
    (ANY_VERSION, MESSAGE_207 % "versi terbaru"),
    ("JVM Type=server\nMinimum Version=1.8\nMaximum Version=any\n",
     MESSAGE_206 % "versi minimum 1.8"),
    ("JVM Type=favor_server\n" + ANY_VERSION, MESSAGE_207 % "versi terbaru"),
], ids=["no-bounds", "any", "server-from-1.8", "favor-server"])
def test_message_names_the_runtime_needed_and_ok_starts_disabled(gui_wine, places, runtime,
                                                                 message):
    exe = app(places / "app", settings(runtime))
    run = drive(gui_wine, exe, ["wait", "text:203", "text:205", "enabled:1", "enabled:2",
                                "click:2"])
    assert run.values("dialog") == ["JRE Tidak Ditemukan"]
    assert run.values("text", 203) == [message]
    assert run.values("text", 205) == [DOWNLOAD_ADDRESS]
    assert run.values("enabled", 1) == ["0"]
    assert run.values("enabled", 2) == ["1"]
    # Cancel: the user has read the text, nothing more is printed.
    assert (run.exit_code, run.launcher.strip()) == (-1, "")


@pytest.mark.parametrize("mode", ["ordinary", "paired", "service", "service-paired"])
def test_picks_enable_ok_only_for_a_usable_runtime_and_ok_remembers_the_folder(
        gui_wine, places, mode):
    """Under JVM Type server: an empty folder and a client-only runtime are refused, a server
    runtime is taken, a later unusable pick refuses again, and OK runs the program from the
    picked runtime and stores its folder where this mode reads it."""
    empty = places / "empty"
    empty.mkdir()
    client = install_runtime(places / "client rt", vms=("client",))
    server = install_runtime(places / "server rt", vms=("server",))
    pair = places / "pair" / "companion.exe"
    application = ("Application Type=service\n" if mode.startswith("service") else "") + \
        ("Pair Product=%s\n" % c_path(pair) if mode.endswith("paired") else "")
    exe = app(places / "app", IDENTITY + settings("JVM Type=server\n", application))
    if mode.endswith("paired"):
        app(pair.parent, "", name=pair.name)
    run = drive(gui_wine, exe, [
        "wait", "browse:" + c_path(empty), "text:201", "enabled:1",
        "browse:" + c_path(client), "enabled:1",
        "browse:" + c_path(server), "enabled:1",
        "browse:" + c_path(empty), "enabled:1",
        "browse:" + c_path(server), "text:201", "enabled:1", "click:1"])
    assert run.values("text", 201) == [c_path(empty), c_path(server)]
    assert run.values("enabled", 1) == ["0", "0", "1", "0", "1"]
    library = server / "bin" / "server" / "jvm.dll"
    remembered = "JRE Path=%s\\" % c_path(server)
    per_user = gui_wine.appdata() / PRODUCT_FOLDER / "{42}"
    if mode.startswith("service"):
        # The service host is not in this build: the run phase ends the start with -1.
        assert (places / "app" / "tool.ini").read_text().count(remembered) == 1
        assert not per_user.exists()
        if mode.endswith("paired"):
            assert remembered in (pair.parent / "companion.ini").read_text()
        return
    assert run.exit_code == 0, run.launcher
    assert testjvm.Record(library).values("loaded") == [c_path(library)]
    assert remembered in (per_user / "tool.ini").read_text()
    assert ((per_user / "companion.ini").exists()) == (mode == "paired")
    if mode == "paired":
        assert remembered in (per_user / "companion.ini").read_text()
    assert "JRE Path" not in (places / "app" / "tool.ini").read_text()
    # The next start finds the runtime without asking.
    (library.parent / "jvm.record").unlink()
    again = gui_wine.run(exe, timeout=60)
    assert again.returncode == 0
    assert testjvm.Record(library).values("loaded") == [c_path(library)]


@pytest.mark.parametrize("how", ["click:2", "close"])
def test_cancel_and_the_close_button_end_the_start_and_store_nothing(gui_wine, places, how):
    runtime = install_runtime(places / "rt")
    exe = app(places / "app", IDENTITY + settings())
    run = drive(gui_wine, exe, ["wait", "browse:" + c_path(runtime), "enabled:1", how])
    assert run.values("enabled", 1) == ["1"]
    assert (run.exit_code, run.launcher.strip()) == (-1, "")
    assert not (gui_wine.appdata() / PRODUCT_FOLDER).exists()
    assert not (runtime / "bin" / "client" / "jvm.record").exists()


@pytest.mark.parametrize("desktop", [None, "320x240"], ids=["screen", "smaller-desktop"])
def test_dialog_is_centred_on_the_work_area_and_kept_inside_it(gui_wine, places, desktop):
    """Without an owner the dialog is centred on the work area; on a desktop smaller than the
    dialog its left and top edges stay on the area's."""
    exe = app(places / "app", settings())
    try:
        run = drive(gui_wine, exe, ["wait", "rect", "click:2"], desktop=desktop)
    finally:
        if desktop:
            # Later programs of the session would open on the virtual desktop too.
            gui_wine.stop()
            gui_wine.start()
    numbers = [int(v) for v in run.values("rect")[0].replace("work ", "").split()]
    (left, top, right, bottom), (area_left, area_top, area_right, area_bottom) = \
        numbers[:4], numbers[4:]
    width, height = right - left, bottom - top
    centred = (int((area_left + area_right) / 2) - width // 2,
               int((area_top + area_bottom) / 2) - height // 2)
    if desktop:
        assert area_right - area_left < width and area_bottom - area_top < height
        assert (left, top) == (area_left, area_top) != centred
    else:
        assert (left, top) == centred
    assert run.exit_code == -1


# ---- the download link --------------------------------------------------------------------

def link_colours(run, shot):
    left, top, right, bottom = (int(v) for v in run.values("control", 205)[0].split())
    return colour_counts(SHOTS / (shot + ".png"), (left, top, right, bottom))


def test_link_click_opens_the_address_and_turns_visited(gui_wine, places, shell_log):
    exe = app(places / "app", settings())
    run = drive(gui_wine, exe, ["wait", "control:205", "shot", "linkclick", "shot", "click:2"],
                shots=["runtime_not_found", "runtime_not_found_visited"])
    assert opened(shell_log, 1) == [DOWNLOAD_ADDRESS]
    before = link_colours(run, "runtime_not_found")
    after = link_colours(run, "runtime_not_found_visited")
    assert before.get(LINK_BLUE, 0) > 20 and before.get(VISITED_PURPLE, 0) == 0
    assert after.get(VISITED_PURPLE, 0) > 20 and after.get(LINK_BLUE, 0) == 0
    assert run.exit_code == -1


@pytest.mark.parametrize("actions, count", [
    (["linkdrag"], 0),
    (["linkdragin"], 0),
    (["linkdrag", "sleep:300", "key:32"], 1),
    (["linkdrag", "sleep:300", "key:13"], 1),
    (["linkdrag", "sleep:300", "key:65"], 0),
], ids=["press-on-release-off", "press-off-release-on", "space", "enter", "other-key"])
def test_link_opens_only_on_a_whole_click_or_space_and_enter(gui_wine, places, shell_log,
                                                              actions, count):
    """A press on the link takes the focus and the mouse, and a release away from it opens
    nothing; a press away from it does not capture the mouse, so a release on it opens nothing
    either. Space or Enter on the focused link opens the address, other keys are swallowed."""
    exe = app(places / "app", settings())
    run = drive(gui_wine, exe, ["wait", *actions, "click:2"])
    assert opened(shell_log, count) == [DOWNLOAD_ADDRESS] * count
    assert run.exit_code == -1


def test_link_tooltip_shows_the_address_over_the_text(gui_wine, places):
    exe = app(places / "app", settings())
    run = drive(gui_wine, exe, ["wait", "tooltip", "click:2"])
    (tooltip,) = run.values("tooltip")
    text, rest = tooltip.split(" id ")
    tool_id, rect = rest.split(" rect ")
    left, top, right, bottom = (int(v) for v in rect.split())
    assert (text, tool_id) == (DOWNLOAD_ADDRESS, "1")
    # The text's own rectangle, in the control's client area (75 by 8 dialog units).
    assert (left, top) == (0, 0) and 0 < right and 0 < bottom


def test_disabled_link_is_grey_and_takes_its_colour_back_when_enabled(gui_wine, places):
    exe = app(places / "app", settings())
    run = drive(gui_wine, exe, ["wait", "control:205", "disable:205", "shot", "enable:205",
                                "shot", "click:2"], shots=["link_disabled", "link_enabled"])
    grey_text = link_colours(run, "link_disabled")
    assert grey_text.get(LINK_BLUE, 0) == 0
    assert any(r == g == b and r < 200 and n > 20 for (r, g, b), n in grey_text.items())
    assert link_colours(run, "link_enabled").get(LINK_BLUE, 0) > 20


def test_companion_build_shows_the_dialog_too(gui_wine, places):
    """The 64-bit launcher binds the pointer-sized window functions of its own user32."""
    exe = places / "app" / "tool.exe"
    exe.parent.mkdir()
    shutil.copyfile(X64_LAUNCHER, exe)
    write_ini(places / "app" / "tool.ini", settings())
    run = drive(gui_wine, exe, ["wait", "text:203", "text:205", "enabled:1", "click:2"])
    assert run.values("text", 203) == [MESSAGE_207 % "versi terbaru"]
    assert run.values("text", 205) == [DOWNLOAD_ADDRESS]
    assert run.values("enabled", 1) == ["0"]
    assert (run.exit_code, run.launcher.strip()) == (-1, "")


def test_browser_link_colour_from_the_registry(gui_wine, places):
    key = r"HKCU\Software\Microsoft\Internet Explorer\Settings"
    gui_wine.command("reg", "add", key, "/v", "Anchor Color", "/t", "REG_SZ", "/d", "255,0,0",
                     "/f")
    try:
        exe = app(places / "app", settings())
        run = drive(gui_wine, exe, ["wait", "control:205", "shot", "click:2"],
                    shots=["link_in_registry_colour"])
    finally:
        gui_wine.command("reg", "delete", key, "/v", "Anchor Color", "/f")
    colours = link_colours(run, "link_in_registry_colour")
    assert colours.get(RED, 0) > 20 and colours.get(LINK_BLUE, 0) == 0


# ---- without a display --------------------------------------------------------------------

def test_without_a_display_the_message_is_printed_at_once(wine, make_app):
    """The ordinary test prefix has no display: no dialog can be seen, so the start reports
    the message and ends at once rather than waiting for an answer."""
    exe = make_app(ini=settings("JVM Type=server\n" + ANY_VERSION))
    started = time.monotonic()
    result = wine.run(exe, timeout=60)
    assert result.stdout == error_line(MESSAGE_206 % "versi terbaru")
    assert result.returncode == 255
    assert time.monotonic() - started < 15


# ---- the uncaught-exception report --------------------------------------------------------

@pytest.mark.parametrize("answer, exit_code, exits", [("click:1", 0, []), ("click:2", -1, ["-1"]),
                                                      ("close", 0, [])],
                         ids=["abaikan", "stop", "close-button"])
def test_exception_report_shows_the_trace_and_stop_ends_the_program(gui_wine, places, answer,
                                                                   exit_code, exits):
    library = testjvm.install(places / "rt", script="main throw java/lang/IllegalStateException\n")
    exe = app(places / "app", settings("JRE Path=%s\n" % c_path(places / "rt"),
                                       "Failure Check=yes\n"))
    shots = ["exception_report"] if answer == "click:1" else []
    run = drive(gui_wine, exe, ["wait", "text:208", *(["shot"] if shots else []), answer],
                shots=shots)
    assert run.values("dialog") == ["Pengecualian Java"]
    # Line feeds of the trace become the CR LF pairs an edit control breaks lines at.
    assert ("java/lang/IllegalStateException: thrown by main\\r\\n\tat Main.main"
            in run.values("text", 208)[0])
    assert run.exit_code == exit_code
    assert testjvm.Record(library).values("exit") == exits
