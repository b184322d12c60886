"""The Linux host launcher as a foreground service on the installed OpenJDK: once the VM exists,
SIGTERM and SIGINT are the stop control, and the stop bridge's JNI calls run against a real VM.
The Java test programs are compiled from tests/java/ when the tests start."""
import os
import shutil
import signal
import subprocess
import threading
import time
from pathlib import Path

import pytest

from conftest import HOST_LAUNCHER, ROOT, error_line

JDK_HOME = Path(os.environ.get("JDK_HOME", "/usr/lib/jvm/java-17-openjdk-amd64"))

pytestmark = pytest.mark.skipif(not (JDK_HOME / "bin" / "javac").exists(),
                                reason="no JDK to compile the test programs")


@pytest.fixture(scope="module")
def classes(tmp_path_factory):
    out = tmp_path_factory.mktemp("service-classes")
    sources = [str(ROOT / "tests" / "java" / name)
               for name in ("StopProbe.java", "NoStopProbe.java", "Probe.java")]
    subprocess.run([str(JDK_HOME / "bin" / "javac"), "-d", str(out), *sources], check=True)
    return out


@pytest.fixture
def service_app(tmp_path, classes):
    """The host launcher as "tool" with the test classes as its class path, in service mode
    unless told otherwise."""

    def make(main="StopProbe", vm="", application="Application Type=service\n"):
        exe = tmp_path / "tool"
        shutil.copyfile(HOST_LAUNCHER, exe)
        exe.chmod(0o755)
        (tmp_path / "tool.ini").write_text(
            "[Java Runtime Environment]\nJRE Path=%s\nMain Class=%s\n"
            "Virtual Machine Parameters=%s\n[Class Path]\nClass Path=%s\n[Application]\n%s"
            % (JDK_HOME, main, vm, classes, application))
        return exe

    return make


class Running:
    """A started launcher whose standard output is read line by line as it comes."""

    def __init__(self, exe, *arguments):
        self.process = subprocess.Popen([str(exe), *arguments], cwd=exe.parent,
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.lines = []
        self.stderr = b""
        self._out = threading.Thread(target=self._read_out)
        self._err = threading.Thread(target=self._read_err)
        self._out.start()
        self._err.start()

    def _read_out(self):
        for line in self.process.stdout:
            self.lines.append(line.decode().rstrip("\n"))

    def _read_err(self):
        self.stderr = self.process.stderr.read()

    def wait_for(self, prefix, seconds=30):
        deadline = time.monotonic() + seconds
        while not any(line.startswith(prefix) for line in self.lines):
            assert time.monotonic() < deadline and self.process.poll() is None, (
                "no %r in %r" % (prefix, self.lines))
            time.sleep(0.01)

    def send(self, number):
        self.process.send_signal(number)

    def finish(self, seconds=30):
        try:
            self.process.wait(timeout=seconds)
        finally:
            if self.process.poll() is None:
                self.process.kill()
                self.process.wait()
            self._out.join()
            self._err.join()
        return self.process.returncode


def ignored_signals(pid):
    """The signals the process ignores, from the kernel's own account."""
    for line in Path("/proc/%d/status" % pid).read_text().splitlines():
        if line.startswith("SigIgn:"):
            mask = int(line.split()[1], 16)
            return {n for n in range(1, 64) if mask & (1 << (n - 1))}
    return set()


@pytest.mark.parametrize("number", [signal.SIGTERM, signal.SIGINT], ids=["SIGTERM", "SIGINT"])
def test_stop_signal_calls_static_stop_on_a_thread_the_program_did_not_create(service_app,
                                                                             number):
    running = Running(service_app())
    running.wait_for("ready")
    running.send(number)
    assert running.finish() == 0
    # The launcher's stop thread is attached as an ordinary (non-daemon) Java thread.
    assert running.lines == ["ready", "stop 1 created_by_program=false daemon=false",
                             "main returned"]
    assert running.stderr == b""


def test_without_stop_system_exit_0_runs_the_shutdown_hooks(service_app):
    running = Running(service_app(main="NoStopProbe"))
    running.wait_for("ready")
    running.send(signal.SIGTERM)
    assert running.finish() == 0
    assert running.lines == ["ready", "hook ran"]
    assert b"java.lang.NoSuchMethodError" in running.stderr
    assert b"stop()V" in running.stderr


def test_stop_that_throws_is_printed_and_the_program_runs_until_a_second_signal(service_app):
    running = Running(service_app(vm="-Dstop=throw_first"))
    running.wait_for("ready")
    running.send(signal.SIGTERM)
    running.wait_for("stop 1")
    time.sleep(0.5)
    assert running.process.poll() is None
    assert "main returned" not in running.lines
    running.send(signal.SIGTERM)
    assert running.finish() == 0
    assert running.lines == ["ready", "stop 1 created_by_program=false daemon=false",
                             "stop 2 created_by_program=false daemon=false", "main returned"]
    assert b"java.lang.IllegalStateException: thrown by stop" in running.stderr


def test_stop_signals_before_the_vm_exists_do_nothing(service_app):
    # Until the VM exists the launcher ignores the two signals, the VM's creation included:
    # sent all through it, none ends the process (the VM's own handlers would end it with 143).
    running = Running(service_app())
    pid = running.process.pid
    deadline = time.monotonic() + 30
    while not {signal.SIGTERM, signal.SIGINT} <= ignored_signals(pid):
        assert time.monotonic() < deadline and running.process.poll() is None
        time.sleep(0.001)
    sent = 0
    while signal.SIGTERM in ignored_signals(pid):
        assert time.monotonic() < deadline, "the signals stay ignored"
        running.send(signal.SIGTERM if sent % 2 == 0 else signal.SIGINT)
        sent += 1
        time.sleep(0.002)
    assert sent > 0
    running.wait_for("ready")
    # A signal that came as the launcher took the signals over may have stopped it already.
    if running.process.poll() is None:
        running.send(signal.SIGTERM)
    assert running.finish() == 0
    assert running.lines[0] == "ready" and running.lines[-1] == "main returned"


def test_ordinary_mode_leaves_the_signals_to_the_vm(service_app):
    # "Service" is not "service": the VM's own handlers end the program.
    running = Running(service_app(application="Application Type=Service\n"))
    running.wait_for("ready")
    running.send(signal.SIGTERM)
    assert running.finish() == 128 + signal.SIGTERM
    assert running.lines == ["ready"]


def test_service_mode_runs_the_program_with_command_line_and_cmd_words_only(service_app):
    exe = service_app(main="Probe", application="Application Type=service\nCmd=c1\n")
    result = subprocess.run([str(exe), "a"], cwd=exe.parent, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, timeout=60)
    assert result.returncode == 0, result.stderr
    lines = result.stdout.decode().splitlines()
    assert [line for line in lines if line.startswith(("count=", "arg="))] == [
        "count=2", "arg=0061", "arg=0063 0031"]


def test_failed_run_phase_ends_with_its_code(service_app):
    result = subprocess.run([str(service_app(vm="-Xnonsense"))], stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, timeout=60)
    assert result.returncode == 255
    assert result.stdout == error_line(
        "Pengecualian JNI: gagal membuat VM Java\nAlasan: tidak dikenal.\n")
