"""The single-instance guard under Wine: a later start of a running application hands its words
to the running instance's secondaryMain and ends with its reply; starts that must not see each
other do not."""
import re
import subprocess
import time

import pytest

from conftest import X86_LAUNCHER, fixture_program, windows_path, write_ini
from testjvm import Record, install

GUARD = "Single Instance=yes\n"
# A main that keeps running until the test lets it go (at most a minute).
RUNNING = "main wait 60000\n"
INT_FORM = "secondary_main int\n"
VOID_FORM = "secondary_main void\n"


def units(text):
    data = text.encode("utf-16-be")
    return " ".join(data[i:i + 2].hex() for i in range(0, len(data), 2))


def text_of(hex_units):
    return bytes.fromhex(hex_units.replace(" ", "")).decode("utf-16-be", "surrogatepass")


def secondary_calls(record):
    """(form, words) of every secondaryMain call, in the order they began."""
    calls = []
    for value in record.values("secondary_main"):
        form = value.split(" ", 1)[0]
        calls.append((form, [text_of(word) for word in re.findall(r"\[([0-9a-f ]*)\]", value)]))
    return calls


def wait_until(condition, timeout=30):
    end = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > end:
            raise AssertionError("timed out waiting")
        time.sleep(0.05)


class App:
    """One application folder with its own copy of the test runtime; starts run in the
    background (standard output to a file) or to their end."""

    def __init__(self, wine, folder, script, application):
        self.wine = wine
        self.folder = folder
        self.library = install(folder / "rt", script=script)
        self.exe = folder / "tool.exe"
        self.exe.write_bytes(X86_LAUNCHER.read_bytes())
        self.write_settings(application)
        self.started = []

    def write_settings(self, application):
        write_ini(self.folder / "tool.ini",
                  "[Java Runtime Environment]\nMain Class=com.example.App\nJRE Path=%s\n"
                  "[Class Path]\nClass Path=C:\\app.jar\n[Application]\n%s"
                  % (windows_path(self.folder / "rt"), application))

    def start(self, args=()):
        out = open(self.folder / ("out%d.txt" % len(self.started)), "wb")
        process = subprocess.Popen(["wine", str(self.exe), *args], cwd=self.folder,
                                   env=self.wine.env, stdin=subprocess.DEVNULL, stdout=out,
                                   stderr=subprocess.DEVNULL)
        out.close()
        self.started.append(process)
        return process

    def run(self, args=(), timeout=60):
        return self.wine.run(self.exe, args, timeout=timeout,
                             output=self.folder / ("run%d.txt" % len(self.started)))

    def record(self):
        return Record(self.library)

    def start_primary(self, args=(), ready="main_args"):
        """Starts the running instance and waits until its record shows `ready`."""
        process = self.start(args)
        wait_until(lambda: ready in self.record().keys() or process.poll() is not None)
        assert process.poll() is None, "the running instance ended early"
        return process

    def release(self):
        (self.library.parent / "jvm.release").write_bytes(b"")

    def finish(self):
        self.release()
        for process in self.started:
            try:
                process.wait(timeout=30)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait(timeout=30)


@pytest.fixture
def apps(wine, tmp_path):
    made = []

    def make(script, application=GUARD, name="app"):
        app = App(wine, tmp_path / name, script, application)
        made.append(app)
        return app

    yield make
    for app in made:
        app.finish()


# ---- what a later start hands over ----------------------------------------------------

FORWARDED = [
    ("int_form_replies_with_its_result", INT_FORM, "", ["a", "b c", "\u03a9"], "I",
     ["a", "b c", "\u03a9"], 7),
    ("void_form_replies_zero", VOID_FORM, "", ["a"], "V", ["a"], 0),
    ("void_form_wins_over_int_form", VOID_FORM + INT_FORM, "", ["a"], "V", ["a"], 0),
    ("no_words_give_one_empty_string", INT_FORM, "", [], "I", [""], 7),
    ("empty_word_ends_the_list", INT_FORM, "", ["a", "", "b"], "I", ["a"], 7),
    ("switches_forwarded_cmd_words_not", INT_FORM, "Cmd=c1 c2\n", ["-nosplash", "/nosplash"],
     "I", ["-nosplash", "/nosplash"], 7),
    ("packed_size_of_1040_bytes", INT_FORM, "", ["x" * 518], "I", ["x" * 518], 7),
]


@pytest.mark.parametrize("name, forms, application, args, form, words, code", FORWARDED,
                         ids=[row[0] for row in FORWARDED])
def test_later_start_forwards_its_words(apps, name, forms, application, args, form, words, code):
    app = apps(RUNNING + forms, GUARD + application)
    app.start_primary()
    result = app.run(args)
    assert (result.returncode, result.stdout) == (code, b"")
    wait_until(lambda: "secondary_returned" in app.record().keys())
    assert secondary_calls(app.record()) == [(form, words)]
    # The Cmd words went to the running instance's own main only.
    cmd = application[len("Cmd="):].split() if application.startswith("Cmd=") else []
    assert app.record().values("arg") == [units(word) for word in cmd]


def test_packed_size_of_1042_bytes_is_refused_silently(apps):
    app = apps(RUNNING + INT_FORM)
    app.start_primary()
    result = app.run(["x" * 519])
    assert (result.returncode, result.stdout) == (255, b"")
    assert secondary_calls(app.record()) == []


@pytest.mark.parametrize("form, returned_before_reply", [("void", False), ("int", True)])
def test_reply_comes_before_the_void_form_runs_and_after_the_int_form(apps, form,
                                                                      returned_before_reply):
    app = apps(RUNNING + "secondary_main %s\nsecondary_delay 3000\n" % form)
    app.start_primary()
    result = app.run(["a"])
    returned = "secondary_returned" in app.record().keys()
    assert result.returncode == (7 if form == "int" else 0)
    assert returned == returned_before_reply
    wait_until(lambda: "secondary_returned" in app.record().keys())


# ---- when the guard stays off -----------------------------------------------------------

@pytest.mark.parametrize("value", ["Yes", "true"])
def test_only_exactly_yes_turns_the_guard_on(apps, value):
    app = apps(RUNNING + INT_FORM, "Single Instance=%s\n" % value)
    app.start_primary()
    # Not forwarded: the second start loads the runtime and runs a main of its own.
    second = app.start(["second"])
    wait_until(lambda: units("second") in app.record().values("arg"))
    assert second.poll() is None
    app.release()
    assert second.wait(timeout=30) == 0
    assert secondary_calls(app.record()) == []


def test_copies_at_different_paths_do_not_see_each_other(apps):
    first = apps(RUNNING + INT_FORM, name="one")
    second = apps(RUNNING + INT_FORM, name="two")
    first.start_primary()
    second.start_primary(["own"])
    assert secondary_calls(first.record()) == []
    assert second.record().values("arg") == [units("own")]


def test_service_mode_never_forwards(apps):
    app = apps(RUNNING + INT_FORM)
    app.start_primary()
    app.write_settings("Application Type=service\n" + GUARD)
    result = app.run(["a"])
    assert result.returncode != 7
    assert secondary_calls(app.record()) == []


def test_window_library_is_loaded_only_for_the_guard(apps):
    app = apps(RUNNING)
    app.write_settings("")
    app.start_primary()
    assert app.record().values("user32") == ["absent"]
    app.release()
    app.started[0].wait(timeout=30)
    for left in ("jvm.record", "jvm.release"):
        (app.library.parent / left).unlink()
    app.write_settings(GUARD)
    app.start_primary()
    assert app.record().values("user32") == ["loaded"]


# ---- timing between the running instance and later starts ----------------------------

def test_later_start_waits_until_main_is_about_to_run(apps):
    app = apps(RUNNING + INT_FORM + "create_delay 1500\n")
    # The runtime is loaded once the guard is set up; creating the VM then takes a while.
    app.start_primary(ready="loaded")
    result = app.run(["a"])
    assert result.returncode == 7
    keys = app.record().keys()
    assert keys.index("helper") < keys.index("secondary_main")


@pytest.mark.parametrize("code", [42, 259])
def test_running_instance_that_ends_without_reply_hands_over_its_exit_code(apps, code):
    # No secondaryMain: the request gets no answer; a Java thread ends the process later.
    app = apps("main exit_later 1500 %d\n" % code)
    app.start_primary()
    result = app.run(["a"], timeout=30)
    assert result.returncode == code % 256
    assert app.started[0].wait(timeout=30) == code % 256


def test_many_later_starts_at_once_each_get_their_own_words_and_reply(apps):
    app = apps(RUNNING + INT_FORM + "secondary_result first\n")
    app.start_primary()
    starts = {n: app.start([str(n), "w%d" % n]) for n in range(1, 21)}
    codes = {n: process.wait(timeout=60) for n, process in starts.items()}
    assert codes == {n: n for n in starts}
    calls = secondary_calls(app.record())
    assert sorted(calls) == sorted(("I", [str(n), "w%d" % n]) for n in starts)


def test_starts_at_once_make_one_running_instance_and_forward_the_rest(apps):
    app = apps(RUNNING + INT_FORM + "secondary_result first\n")
    starts = {n: app.start([str(n)]) for n in range(1, 13)}
    wait_until(lambda: sum(p.poll() is None for p in starts.values()) <= 1, timeout=60)
    running = [n for n, process in starts.items() if process.poll() is None]
    assert len(running) == 1
    assert {n: p.returncode for n, p in starts.items() if n not in running} == {
        n: n for n in starts if n not in running}
    assert app.record().values("arg") == [units(str(running[0]))]
    assert sorted(words for _, words in secondary_calls(app.record())) == sorted(
        [str(n)] for n in starts if n not in running)


@pytest.mark.parametrize("header_pause, queue_pause", [(800, 0), (0, 800)],
                         ids=["header_not_yet_written", "listener_without_queue_yet"])
def test_start_during_the_running_instances_set_up_is_forwarded(apps, header_pause, queue_pause):
    # A stand-in running instance that sets up slowly, at the application's path.
    app = apps(RUNNING)
    out = app.folder / "slow_instance.txt"
    with open(out, "wb") as output:
        app.started.append(subprocess.Popen(
            ["wine", str(fixture_program("windows-x86", "slow_instance")), windows_path(app.exe),
             str(header_pause), str(queue_pause), "9"],
            env=app.wine.env, stdin=subprocess.DEVNULL, stdout=output, stderr=subprocess.DEVNULL))
    wait_until(lambda: out.read_bytes().startswith(b"mapped"))
    result = app.run(["a", "bc"])
    assert result.returncode == 9
    assert app.started[0].wait(timeout=30) == 0
    assert out.read_bytes().split() == [b"mapped", b"[0061][0062", b"0063]"]
