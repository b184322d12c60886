"""Test runtimes laid out as installers leave them, and their registration in the registry of
the shared Wine prefix (removed again after each test)."""
from dataclasses import dataclass, field
from pathlib import Path

import pytest

import testjvm
from conftest import windows_path

# The registry roots in the order the launcher searches them, below Software\.
ROOTS = {1: r"JavaSoft\JDK", 2: r"JavaSoft\JRE", 3: r"JavaSoft\Java Development Kit",
         4: r"JavaSoft\Java Runtime Environment", 5: r"JRockit\Java Runtime Environment",
         6: r"JRockit\Java Development Kit", 7: r"IBM\Java2 Runtime Environment"}
# The registry as a 32-bit program sees it by default, and the 64-bit one, both written
# through the 64-bit view.
VIEW_KEYS = {32: "Software\\Wow6432Node\\", 64: "Software\\"}
# A program that ends with System.exit: a launcher that admits IBM's runtimes keeps its VM
# thread until then.
EXITING_PROGRAM = "main exit 0\n"


def install_runtime(home, vms=("client",), arch="x86", script=EXITING_PROGRAM):
    """The test runtime in home\\bin\\<vm>\\ for each VM; returns the home."""
    for vm in vms:
        testjvm.install(home, vm, arch, script=script)
    return Path(home)


def loaded_libraries(root):
    """Paths of the test runtimes that some process loaded below root."""
    return [path for record in sorted(Path(root).rglob("jvm.record"))
            for path in testjvm.Record(record.with_name("jvm.dll")).values("loaded")]


def assert_runtime_loaded(root, result, loaded):
    """The start loaded the test runtime in the folder `loaded` below root and ran it, or, with
    `loaded` None, loaded none and failed."""
    if loaded is None:
        assert loaded_libraries(root) == []
        assert result.returncode == 255
    else:
        assert loaded_libraries(root) == [windows_path(Path(root) / loaded)]
        assert result.returncode == 0, result.stdout


def reg_sz(text):
    """A string value as a .reg file writes it."""
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def reg_hex(kind, data):
    """A value of any type from raw bytes; kind None is REG_BINARY."""
    prefix = "hex:" if kind is None else "hex(%x):" % kind
    return prefix + ",".join("%02x" % b for b in data)


def utf16(text):
    return text.encode("utf-16-le")


REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ = 1, 2, 7


@dataclass
class Registry:
    """Writes runtime entries into the prefix and removes every root key it wrote below."""
    wine: object
    folder: Path
    touched: set = field(default_factory=set)

    def register(self, entries):
        """entries: (view, root number, sub-key name, JavaHome as .reg data or None)."""
        self.write([("HKLM", view, ROOTS[root], ROOTS[root] + "\\" + name,
                     {} if java_home is None else {"JavaHome": java_home})
                    for view, root, name, java_home in entries])

    def write(self, keys):
        """keys: (hive HKLM or HKCU, view, root key and key below Software\\, {value name: .reg
        data}); the root key is removed again afterwards. Per-user keys are not split by view."""
        lines = ["Windows Registry Editor Version 5.00", ""]
        for hive, view, root, key, values in keys:
            below = VIEW_KEYS[view] if hive == "HKLM" else "Software\\"
            self.touched.add(hive + "\\" + below + root)
            lines.append("[%s\\%s%s]" % (HIVES[hive], below, key))
            lines += ['"%s"=%s' % (name, data) for name, data in values.items()]
            lines.append("")
        script = self.folder / "runtimes.reg"
        script.write_bytes(b"\xff\xfe" + "\r\n".join(lines).encode("utf-16-le"))
        result = self.wine.command("reg", "import", windows_path(script), "/reg:64")
        assert result.returncode == 0, result.stderr

    def clean(self):
        for key in sorted(self.touched):
            self.wine.command("reg", "delete", key, "/f", "/reg:64")
        self.touched.clear()


HIVES = {"HKLM": "HKEY_LOCAL_MACHINE", "HKCU": "HKEY_CURRENT_USER"}


@pytest.fixture
def registry(wine, tmp_path):
    folder = tmp_path / "registry"
    folder.mkdir()
    entries = Registry(wine, folder)
    yield entries
    entries.clean()


def settings(runtime="", application=""):
    """A settings file for the test program, with extra lines in two of its sections."""
    return ("[Java Runtime Environment]\nMain Class=demo.Main\n" + runtime +
            "\n[Application]\n" + application + "\n[Class Path]\nClass Path=C:\\app.jar\n")


ANY_VERSION = "Minimum Version=any\nMaximum Version=any\n"
