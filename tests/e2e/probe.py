"""The launcher probe (tests/fixtures/launcher_probe): the launcher's own steps with their
results printed as name=value lines, laid out like an application and run on a platform."""
import re
import shutil
from pathlib import Path

from conftest import fixture_program, write_ini

PLATFORMS = ["windows-x86", "linux-x64"]


def program_name(platform, stem="tool"):
    return stem + ".exe" if platform.startswith("windows") else stem


def fields(stdout):
    """The probe's name=value lines as a dict; \\uXXXX escapes decoded. Other lines (error
    frames) are left out."""
    found = {}
    for line in stdout.decode("ascii").split("\n"):
        name, sep, value = line.partition("=")
        if sep and not line.startswith("Error: "):
            found[name] = re.sub(r"\\u([0-9A-F]{4})", lambda m: chr(int(m.group(1), 16)), value)
    return found


class ProbeApp:
    """A copy of the probe named tool(.exe) in its own folder, beside its settings file."""

    def __init__(self, platform, run, folder, ini=None, stem="tool", ini_bytes=None):
        self.platform = platform
        self._run = run
        self.folder = Path(folder)
        self.folder.mkdir(parents=True, exist_ok=True)
        self.exe = self.folder / program_name(platform, stem)
        shutil.copyfile(fixture_program(platform, "launcher_probe"), self.exe)
        self.exe.chmod(0o755)
        self.ini = self.folder / (stem + ".ini")
        if ini is not None:
            write_ini(self.ini, ini)
        if ini_bytes is not None:
            self.ini.write_bytes(ini_bytes)

    def run(self, *args, env=None, output=None, cwd=None):
        extra = {"output": output} if output else {}
        return self._run(self.exe, args, env=env, cwd=cwd, **extra)

    def settings(self, *words, env=None):
        """Runs `probe settings`; returns (CompletedProcess, fields)."""
        result = self.run("settings", *words, env=env)
        return result, fields(result.stdout)
