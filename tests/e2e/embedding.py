"""The embed-settings tool as the end-to-end tests drive it: where its builds lie, and one
call that writes a settings text into an executable."""
import subprocess
from pathlib import Path

from conftest import DIST, fixture_program

TOOL = DIST / "tools" / "linux-x64" / "embed-settings"
WINDOWS_TOOL = DIST / "tools" / "windows-x86" / "embed-settings.exe"
PACKAGER_PROBE = fixture_program("windows-x86", "packager_probe")
CODE = "{8D2C37A4-0B5E-4F6A-9C3D-2E1F0A9B8C7D}"
PRODUCT = "[Product Information]\nUpgrade Code=" + CODE + "\n"


def run_tool(*args):
    return subprocess.run([str(TOOL), *map(str, args)], stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, timeout=60)


def embed(exe, text, code=CODE, *options, encoding="utf-8"):
    """Writes `text` (str, encoded as given, or bytes as they are) into exe; the settings file
    lies beside it and is removed again. Returns the tool's CompletedProcess."""
    settings = Path(exe).with_name(Path(exe).stem + ".embedded-source")
    settings.write_bytes(text if isinstance(text, bytes) else text.encode(encoding))
    try:
        return run_tool("--upgrade-code", code, *options, exe, settings)
    finally:
        settings.unlink()


def printed(exe, code=CODE):
    return run_tool("--print", "--upgrade-code", code, exe)
