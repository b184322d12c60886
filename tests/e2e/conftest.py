"""End-to-end harness: runs the real launchers (Windows ones under Wine in a private prefix,
the Linux host one natively) and hands tests small helpers to lay out applications."""
import os
import shutil
import subprocess
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("BUILD_ROOT", ROOT / "build"))
DIST = Path(os.environ.get("DIST_DIR") or (BUILD / "dist" if "BUILD_ROOT" in os.environ else ROOT / "dist"))

X86_LAUNCHER = DIST / "windows-x86" / "launcher.exe"
X64_LAUNCHER = DIST / "windows-x64" / "launcher.exe"
# The Linux host launcher and test programs; HOST_LAUNCHER and HOST_FIXTURES put another
# build's in their place (scripts/test runs the Linux rows again with the sanitizer build's).
HOST_LAUNCHER = Path(os.environ.get("HOST_LAUNCHER") or DIST / "linux-x64" / "launcher")
HOST_FIXTURES = Path(os.environ.get("HOST_FIXTURES") or DIST / "fixtures" / "linux-x64")
LAUNCHERS = {"windows-x86": X86_LAUNCHER, "windows-x64": X64_LAUNCHER, "linux-x64": HOST_LAUNCHER}


def fixture_program(platform, name):
    """A test program that the build of that platform put under dist/fixtures/."""
    if platform == "linux-x64":
        return HOST_FIXTURES / name
    return DIST / "fixtures" / platform / (name + (".exe" if platform.startswith("windows") else ""))


def windows_path(path):
    """The Wine drive Z: path of a POSIX path."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


def write_ini(path, text, encoding="utf-8"):
    """Writes settings text with CR LF line ends, as a Windows editor would."""
    data = text.replace("\r\n", "\n").replace("\n", "\r\n")
    Path(path).write_bytes(data.encode(encoding))


class Wine:
    """A private Wine prefix with a persistent server, so each start costs milliseconds."""

    def __init__(self, prefix):
        self.prefix = Path(prefix)
        self.env = dict(os.environ, WINEPREFIX=str(self.prefix), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        # The shell's note of its last command, which Wine would pass on, is no variable a
        # Windows process has: "%_%" between two date placeholders would expand to it.
        self.env.pop("_", None)
        self._appdata = None

    def start(self):
        if not (self.prefix / "system.reg").exists():
            self.prefix.mkdir(parents=True, exist_ok=True)
            subprocess.run(["wineboot", "-i"], env=self.env, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            # The session that made the prefix runs two service managers, and 32-bit programs
            # then cannot open services (1060): end it before anything else runs.
            subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-w"], env=self.env, stderr=subprocess.DEVNULL)
        # A server left by wineboot is simply kept; otherwise start a persistent one.
        subprocess.run(["wineserver", "-p"], env=self.env, stderr=subprocess.DEVNULL)
        # The prefix's background processes start with the first program a server runs and
        # inherit its descriptors; started here, they hold no test's output pipe open.
        subprocess.run(["wineboot"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env)
        subprocess.run(["wineserver", "-w"], env=self.env)

    def run(self, exe, args=(), cwd=None, env=None, timeout=120, stdin=subprocess.DEVNULL,
            output=None):
        """Runs a Windows program; returns the CompletedProcess (stdout and stderr as bytes).
        A process the program leaves running keeps a pipe open; with `output` (a file path)
        standard output goes to that file instead, and is read from it once the program ends."""
        full_env = dict(self.env, **(env or {}))
        command = ["wine", str(exe), *args]
        if output is None:
            return subprocess.run(command, cwd=cwd or Path(exe).parent, env=full_env, stdin=stdin,
                                  stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)
        with open(output, "wb") as out:
            result = subprocess.run(command, cwd=cwd or Path(exe).parent, env=full_env,
                                    stdin=stdin, stdout=out, stderr=subprocess.DEVNULL,
                                    timeout=timeout)
        result.stdout = Path(output).read_bytes()
        return result

    def command(self, *args, timeout=120):
        """Runs a Wine built-in command such as reg or sc."""
        return subprocess.run(["wine", *args], env=self.env, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, timeout=timeout)

    def unix_path(self, path):
        """The POSIX path of a Windows path in this prefix."""
        result = subprocess.run(["winepath", "-u", path], env=self.env, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, check=True)
        return Path(result.stdout.decode().strip())

    def appdata(self):
        """The application data folder Windows programs see here (Wine sets APPDATA itself,
        whatever the POSIX environment holds)."""
        if self._appdata is None:
            echoed = self.command("cmd", "/c", "echo", "%APPDATA%").stdout.decode().strip()
            self._appdata = self.unix_path(echoed)
        return self._appdata


class Host:
    """Runs Linux host programs directly, with the same call as Wine.run."""

    def run(self, exe, args=(), cwd=None, env=None, timeout=120, stdin=subprocess.DEVNULL):
        return subprocess.run([str(exe), *args], cwd=cwd or Path(exe).parent,
                              env=dict(os.environ, **(env or {})), stdin=stdin,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)


@pytest.fixture
def runner(request):
    """How to run a program of a platform: under Wine for the Windows builds (the prefix is
    started only when a test needs it), directly for the Linux host build."""
    return lambda platform: (request.getfixturevalue("wine") if platform.startswith("windows")
                             else Host())


@pytest.fixture(scope="session")
def wine():
    instance = Wine(BUILD / "wineprefix")
    instance.start()
    yield instance
    instance.stop()


@pytest.fixture
def make_app(tmp_path):
    """Lays out an application folder: a copy of a launcher under a chosen name, and its
    settings file when text is given. Returns the executable's path."""

    def make(name="tool.exe", ini=None, launcher=X86_LAUNCHER, folder=None, encoding="utf-8"):
        app = Path(folder) if folder else tmp_path / "app"
        app.mkdir(parents=True, exist_ok=True)
        exe = app / name
        shutil.copyfile(launcher, exe)
        exe.chmod(0o755)
        if ini is not None:
            stem = name.rsplit(".", 1)[0] if "." in name else name
            write_ini(app / (stem + ".ini"), ini, encoding)
        return exe

    return make


def error_line(text):
    """The bytes the launcher prints for one error message."""
    return ("Error: " + text + " \n").encode()
