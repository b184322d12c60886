"""The 32-bit launcher as a Windows service under Wine's service control manager, hosting the
scripted test runtime: the arguments a service start hands the Java program, the status the
launcher reports, and a stop control turned into the program's stop() or System.exit(0). One
service is registered for the whole module and each test rewrites the settings and the script;
service_driver reads the status record and sends what sc cannot."""
import os
import time

import pytest

from conftest import X64_LAUNCHER, X86_LAUNCHER, fixture_program, windows_path, write_ini
from testjvm import Record, install

STOPPED, STOP_PENDING, RUNNING = 1, 3, 4
INTERROGATE = 4
ERROR_SERVICE_CANNOT_ACCEPT_CTRL = 1061
ERROR_SERVICE_SPECIFIC_ERROR = 1066
DRIVER = fixture_program("windows-x86", "service_driver")


def parse(output):
    """service_driver's lines, each a dict of its key=value words, numbers as int."""
    lines = []
    for line in output.decode().splitlines():
        words = dict(word.split("=", 1) for word in line.split() if "=" in word)
        if words:
            lines.append({k: float(v) if "." in v else int(v) for k, v in words.items()})
    return lines


class Service:
    """One registered service: the launcher as tool.exe with "w1 w2" on its registered command
    line, a home with the test runtime and one whose runtime cannot be bound."""

    def __init__(self, wine, folder, arch="x86"):
        self.wine = wine
        self.name = "vornsvc%s_%d" % (arch, os.getpid())
        self.exe = folder / "app" / "tool.exe"
        self.exe.parent.mkdir(parents=True)
        self.exe.write_bytes((X86_LAUNCHER if arch == "x86" else X64_LAUNCHER).read_bytes())
        self.library = install(folder / "rt", arch=arch)
        self.broken_home = folder / "rt-broken"
        install(self.broken_home, arch=arch, variant="without-create")

    def register(self):
        self.wine.command("sc", "delete", self.name)
        result = self.wine.command("sc", "create", self.name,
                                   "binpath=", windows_path(self.exe) + " w1 w2")
        assert result.returncode == 0, result.stdout

    def unregister(self):
        self.end()
        self.wine.command("sc", "delete", self.name)

    def configure(self, script="", application="", runtime="", home=None):
        """Settings and script for the next start; the last start's record is gone."""
        home = home or self.library.parents[2]
        write_ini(self.exe.with_suffix(".ini"),
                  "[Java Runtime Environment]\nMain Class=com.example.App\nJRE Path=%s\n%s"
                  "[Class Path]\nClass Path=C:\\app.jar\n"
                  "[Application]\nApplication Type=service\n%s"
                  % (windows_path(home), runtime, application))
        (self.library.parent / "jvm.script").write_text(script)
        (self.library.parent / "jvm.record").unlink(missing_ok=True)

    def start(self, *parameters):
        result = self.wine.command("sc", "start", self.name, *parameters, timeout=30)
        assert result.returncode == 0, result.stdout

    def drive(self, *arguments):
        """service_driver's lines for one command on this service."""
        result = self.wine.run(DRIVER, [arguments[0], self.name, *map(str, arguments[1:])],
                               timeout=30)
        return parse(result.stdout)

    def query(self):
        return self.drive("query")[-1]

    def wait_for(self, state, milliseconds=10000):
        """The status once the state is reached (or the time is up), with the time it took."""
        lines = self.drive("wait", state, milliseconds)
        return dict(lines[-1], elapsed_ms=lines[-2]["elapsed_ms"])

    def record(self):
        return Record(self.library)

    def wait_in_record(self, key, seconds=10):
        deadline = time.monotonic() + seconds
        while key not in self.record().keys():
            assert time.monotonic() < deadline, "no %r in %r" % (key, self.record().lines)
            time.sleep(0.02)
        return self.record()

    def end(self):
        """Leaves no process of the service behind, whatever a test did to it."""
        if self.query().get("state") != STOPPED:
            self.drive("kill")


@pytest.fixture(scope="module")
def registered(wine, tmp_path_factory):
    service = Service(wine, tmp_path_factory.mktemp("service"))
    service.register()
    yield service
    service.unregister()


@pytest.fixture
def service(registered):
    yield registered
    registered.end()


@pytest.fixture
def service_x64(wine, tmp_path):
    service = Service(wine, tmp_path, arch="x64")
    service.register()
    yield service
    service.unregister()


def arguments_seen(record):
    """main's arguments back from the code units the test runtime records."""
    return [bytes.fromhex(a.replace(" ", "")).decode("utf-16-be") for a in record.values("arg")]


def stopped(win32=0, specific=0):
    return {"state": STOPPED, "win32": win32, "specific": specific}


def fields(status, *names):
    return {name: status[name] for name in names}


# ---- starting -----------------------------------------------------------------------------

@pytest.mark.parametrize("application, parameters, added", [
    pytest.param("", ["s1", "s 2"], ["NAME", "s1", "s 2"], id="name_then_start_parameters"),
    pytest.param("Omit Service Name=no\n", ["s1", "s 2"], ["s1", "s 2"], id="name_omitted"),
    pytest.param("", [], ["NAME"], id="no_start_parameters"),
    pytest.param("Omit Service Name=x\n", [], [], id="name_omitted_and_no_start_parameters"),
])
def test_arguments_are_command_line_then_service_words_then_cmd(service, application, parameters,
                                                                 added):
    service.configure("main return\n", application + 'Cmd=c1 "c 2"\n')
    service.start(*parameters)
    assert fields(service.wait_for(STOPPED), "state", "win32", "specific") == stopped()
    expected = ["w1", "w2"] + [service.name if a == "NAME" else a for a in added] + ["c1", "c 2"]
    assert arguments_seen(service.record()) == expected


def test_running_is_reported_before_the_vm_exists_and_interrogate_changes_nothing(service):
    service.configure("main wait_stop\nstop static\n")
    service.start()
    service.wait_in_record("main_waiting")
    running = service.query()
    assert fields(running, "state", "accepted", "win32", "specific", "checkpoint", "waithint") == {
        "state": RUNNING, "accepted": 5, "win32": 0, "specific": 0, "checkpoint": 0, "waithint": 0}
    result, status = service.drive("control", INTERROGATE)
    assert result == {"result": 0}
    assert dict(status, pid=running["pid"]) == running
    assert service.query() == running
    assert "stop_called" not in service.record().keys()


# ---- stopping -----------------------------------------------------------------------------

def test_stop_calls_static_stop_once_and_the_service_stops_when_main_returns(service):
    service.configure("main wait_stop\nstop static\n")
    service.start()
    service.wait_in_record("main_waiting")
    result, reported, _, final = service.drive("stop", 10000)
    assert result == {"result": 0}
    # The manager hands back the record as it stands when the handler has returned: stop
    # pending, or already stopped with the fields stop pending set.
    assert reported["state"] in (STOP_PENDING, STOPPED)
    assert fields(reported, "win32", "checkpoint", "waithint") == {
        "win32": 0, "checkpoint": 0, "waithint": 3000}
    assert fields(final, "state", "win32", "specific") == stopped()
    record = service.record()
    assert record.values("stop_called") == ["1 other"]
    keys = record.keys()
    assert keys.index("stop_called") < keys.index("main_returned") < keys.index("destroy")


def test_controls_during_stop_pending_are_refused_by_the_manager_and_change_nothing(service):
    # The manager (Wine's, like Windows') takes no control while a stop is pending, so a second
    # stop never reaches the launcher here; the handler's answer to one that does is unit-tested.
    service.configure("main wait_stop 2 3000\nstop static\n")
    service.start()
    service.wait_in_record("main_waiting")
    result, pending = service.drive("control", 1)
    assert (result["result"], pending["state"], pending["waithint"]) == (0, STOP_PENDING, 3000)
    service.wait_in_record("stop_called")
    for control in (INTERROGATE, 1):
        result, status = service.drive("control", control)
        assert result == {"result": ERROR_SERVICE_CANNOT_ACCEPT_CTRL}
        assert status == pending
    # Stop pending is reported once: the check point never moves.
    assert dict(service.query(), pid=0) == pending
    # main gives up waiting for a second stop and returns; the run ends normally.
    assert fields(service.wait_for(STOPPED), "state", "win32", "specific") == stopped()
    assert service.record().values("stop_called") == ["1 other"]
    assert "main_wait_timed_out" in service.record().keys()


@pytest.mark.parametrize("form", ["", "instance", "args"])
def test_without_a_static_stop_system_exit_0_stops_the_service(service, form):
    service.configure("main wait_stop 1 10000\n" + ("stop %s\n" % form if form else ""))
    service.start()
    service.wait_in_record("main_waiting")
    lines = service.drive("stop", 10000)
    assert fields(lines[-1], "state", "win32", "specific") == stopped()
    record = service.record()
    assert record.values("describe") == ["java/lang/NoSuchMethodError"]
    assert record.values("exit") == ["0"]
    assert "stop_called" not in record.keys()
    assert "main_returned" not in record.keys()


def test_stop_that_throws_leaves_the_program_running_and_the_service_stop_pending(service):
    service.configure("main wait_stop 1 3000\nstop throws\n")
    service.start()
    service.wait_in_record("main_waiting")
    service.drive("control", 1)
    service.wait_in_record("describe")
    time.sleep(0.3)
    assert service.query()["state"] == STOP_PENDING
    record = service.record()
    assert record.values("describe") == ["java/lang/IllegalStateException"]
    assert "exit" not in record.keys() and "main_returned" not in record.keys()
    # The program ends by itself in the end, and the service with it.
    assert fields(service.wait_for(STOPPED), "state", "win32", "specific") == stopped()


@pytest.mark.parametrize("provider, detached", [("any", False), ("", True)])
def test_stop_thread_stays_attached_only_when_ibm_runtimes_are_admitted(service, provider,
                                                                      detached):
    # stop() also ends the program shortly after, which is how a runtime that admits IBM's VMs
    # ends at all.
    service.configure("main wait_stop\nstop static\nstop_action exit_later 300 0\n",
                      runtime="VM Provider=%s\n" % provider)
    service.start()
    service.wait_in_record("main_waiting")
    lines = service.drive("stop", 10000)
    assert fields(lines[-1], "state", "win32", "specific") == stopped()
    record = service.record()
    assert record.values("other_thread") == (["attach", "detach"] if detached else ["attach"])
    assert record.values("exit") == ["0"]


def test_the_64_bit_companion_serves_the_same_way(service_x64):
    service_x64.configure("main wait_stop\nstop static\n")
    service_x64.start("s1")
    service_x64.wait_in_record("main_waiting")
    lines = service_x64.drive("stop", 10000)
    assert fields(lines[-1], "state", "win32", "specific") == stopped()
    record = service_x64.record()
    assert arguments_seen(record) == ["w1", "w2", service_x64.name, "s1"]
    assert record.values("stop_called") == ["1 other"]
    assert record.values("other_thread") == ["attach", "detach"]


# ---- how the service ends -----------------------------------------------------------------

def test_system_exit_0_while_running_reports_stopped(service):
    service.configure("main exit 0\n")
    service.start()
    assert fields(service.wait_for(STOPPED), "state", "win32", "specific") == stopped()
    assert service.record().values("exit") == ["0"]
    assert "destroy" not in service.record().keys()


def test_system_exit_1_reports_nothing(service):
    service.configure("main exit 1\n")
    service.start()
    service.wait_in_record("exit")
    # The process is gone, and the manager still holds the last report.
    status = service.wait_for(STOPPED, 1000)
    assert fields(status, "state", "win32", "specific") == {"state": RUNNING, "win32": 0,
                                                            "specific": 0}


@pytest.mark.parametrize("script, broken", [
    pytest.param("create_result -4\n", False, id="vm_not_created"),
    pytest.param("class other/Thing\n", False, id="main_class_missing"),
    pytest.param("", True, id="runtime_not_bound"),
])
def test_failed_run_phase_reports_the_services_own_error(service, script, broken):
    service.configure(script, home=service.broken_home if broken else None)
    service.start()
    status = service.wait_for(STOPPED)
    assert fields(status, "state", "win32", "specific") == stopped(
        ERROR_SERVICE_SPECIFIC_ERROR, 0xFFFFFFFF)


# ---- outside the service control manager ----------------------------------------------------

def test_service_mode_from_a_console_ends_with_1063_and_prints_nothing(service, wine):
    service.configure("main return\n")
    # The dispatcher waits 10 s for a pipe that belongs to another service unless the number
    # of the service being started names none.
    wine.command("reg", "add", r"HKLM\System\CurrentControlSet\Control\ServiceCurrent", "/ve",
                 "/t", "REG_DWORD", "/d", "999999", "/f")
    result = wine.run(DRIVER, ["run", windows_path(service.exe), "a"], timeout=60)
    lines = parse(result.stdout)
    assert [line["exit_code"] for line in lines] == [1063]
    assert result.stdout.decode().startswith("exit_code=")
    assert "main_args" not in service.record().keys()


def test_application_type_in_another_case_is_ordinary_mode(service, wine):
    service.configure("main return\n")
    ini = service.exe.with_suffix(".ini")
    ini.write_bytes(ini.read_bytes().replace(b"=service", b"=Service"))
    result = wine.run(service.exe, ["a"])
    assert (result.returncode, result.stdout) == (0, b"")
    assert arguments_seen(service.record()) == ["a"]
