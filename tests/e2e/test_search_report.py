"""search-report, the support tool that runs a launcher's runtime search: under Wine against
registered vendor runtimes, where the whole report is compared, and on Linux for the folders
that apply there."""
import subprocess

from conftest import DIST, windows_path
from runtime_layouts import registry, settings
from test_vendor_runtimes import Vendor, lay_out_vendors, numbers

WINDOWS_TOOL = DIST / "tools" / "windows-x86" / "search-report.exe"
LINUX_TOOL = DIST / "tools" / "linux-x64" / "search-report"

POLICY = """\
Embedded settings: none (the executable carries no embedded settings)
Version range: 11.0 to 17.65535
Preferred versions: none
JVM Type: any
Wanted: kits and runtimes (kinds favoured, not required)
Vendors searched: JavaSoft
Vendor runtimes: yes
JRE Path: not set
Pair Product: not set
Private runtime (the working folder): no runtime library
Registry, classic roots, 32-bit view:
  keys not present: 4 of 4
  chosen: none
"""

# One admitted entry, and three passed over: too new, no runtime library, and a per-user
# 64-bit runtime without a companion.
FOUND = POLICY + """\
Registry, vendor roots, 32-bit view:
  HKLM\\Software\\Eclipse Adoptium\\JDK\\
    21.0.1.12\\hotspot\\MSI: version 21.0.1.12, kit: not admitted: outside the version range \
11.0 to 17.65535
    17.0.9.9\\hotspot\\MSI: home {tmp}\\t17\\, version 17.0.9.9, kit: admitted
  HKLM\\Software\\Microsoft\\JDK\\
    11.0.21.9\\hotspot\\MSI: home {tmp}\\empty\\, version 11.0.21.9, kit: not admitted: no \
runtime library for JVM Type any
  HKCU\\Software\\Azul Systems\\Zulu\\
    zulu-11: home {tmp}\\x64\\, version 11.0.21, runtime: not admitted: not a 32-bit image, \
and no Pair Product
  keys not present: {absent} of {roots}
  chosen: HKLM\\Software\\Eclipse Adoptium\\JDK\\17.0.9.9\\hotspot\\MSI
Result: {tmp}\\t17\\bin\\client\\jvm.dll
Started by: this launcher
"""


def vendors():
    return [Vendor("adoptium_jdk", "21.0.1.12", "t21"), Vendor("adoptium_jdk", "17.0.9.9", "t17"),
            Vendor("microsoft", "11.0.21.9", "empty", vms=()),
            Vendor("zulu", "zulu-11", "x64", hive="HKCU", arch="x64",
                   values=numbers(11, 0, 21))]


def report(wine, tmp_path, make_app, maximum):
    exe = make_app(ini=settings("Minimum Version=11\nMaximum Version=%s\n" % maximum))
    result = wine.run(WINDOWS_TOOL, [windows_path(exe)], cwd=tmp_path)
    header = "Launcher: %s\nSettings file: %s\n" % (windows_path(exe),
                                                    windows_path(exe.with_suffix(".ini")))
    return result, header


def test_report_names_each_entry_with_its_reason_and_the_choice(wine, make_app, registry,
                                                                 tmp_path):
    registry.write(lay_out_vendors(tmp_path, vendors()))
    result, header = report(wine, tmp_path, make_app, "17")
    assert result.returncode == 0, result.stdout
    # Nine HotSpot layouts are searched by default, in each hive; three of them are present.
    expected = header + FOUND.format(tmp=windows_path(tmp_path), absent=15, roots=18)
    assert result.stdout.decode() == expected


def test_report_exit_code_tells_that_nothing_was_found(wine, make_app, registry, tmp_path):
    registry.write(lay_out_vendors(tmp_path, vendors()[:1]))
    result, _ = report(wine, tmp_path, make_app, "12")
    assert result.returncode == 1
    assert result.stdout.decode().endswith(
        "  chosen: none\nResult: no runtime found; the launcher reports that none was found.\n")


def test_report_on_a_missing_settings_file_is_a_usage_failure(wine, tmp_path):
    result = wine.run(WINDOWS_TOOL, [windows_path(tmp_path / "none.exe")], cwd=tmp_path)
    assert result.returncode == 2
    assert b"no such settings file" in result.stderr


def test_linux_report_finds_the_private_runtime(tmp_path):
    app = tmp_path / "app"
    (app / "jre" / "lib" / "client").mkdir(parents=True)
    (app / "jre" / "lib" / "libjava.so").write_bytes(b"")
    (app / "jre" / "lib" / "client" / "libjvm.so").write_bytes(b"")
    launcher = app / "launcher"
    launcher.write_bytes(b"")
    (app / "launcher.ini").write_text(settings("Minimum Version=any\nMaximum Version=any\n"))
    result = subprocess.run([str(LINUX_TOOL), str(launcher)], capture_output=True, timeout=60)
    assert result.returncode == 0, result.stdout
    text = result.stdout.decode()
    assert "Private runtime %s/jre/: runtime library %s/jre/lib/client/libjvm.so\n" % (
        app, app) in text.replace("\\", "/")
    assert text.endswith("Started by: this launcher\n")

