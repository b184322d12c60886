"""The scripted test runtime (tests/fixtures/testjvm) as the Wine tests use it: a copy laid out
below a runtime home with its script beside it, and the record it writes there read back."""
import shutil
from pathlib import Path

from conftest import DIST

ARCHES = {"x86": "windows-x86", "x64": "windows-x64"}


def runtime_library(arch="x86", variant=""):
    """The built test runtime: "" for the full one, or without-helper, without-create,
    without-defaults."""
    return DIST / "fixtures" / ARCHES[arch] / variant / "jvm.dll"


def install(home, vm="client", arch="x86", variant="", script=""):
    """Copies the test runtime to home\\bin\\<vm>\\jvm.dll with its script; returns its path."""
    folder = Path(home) / "bin" / vm
    folder.mkdir(parents=True, exist_ok=True)
    shutil.copyfile(runtime_library(arch, variant), folder / "jvm.dll")
    (folder / "jvm.script").write_text(script)
    return folder / "jvm.dll"


class Record:
    """What one test runtime saw in the last process that loaded it, line by line."""

    def __init__(self, library):
        path = Path(library).parent / "jvm.record"
        data = path.read_bytes() if path.exists() else b""
        self.lines = data.decode("utf-8", "surrogateescape").splitlines()

    def values(self, key):
        """The rest of every line that starts with the key."""
        return [line[len(key) + 1:] for line in self.lines if line.split(" ", 1)[0] == key]

    def keys(self):
        return [line.split(" ", 1)[0] for line in self.lines]

    def options(self):
        return self.values("option")
