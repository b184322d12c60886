"""Today's vendors' registrations under Wine, searched when the classic sources give nothing:
each installer layout, machine-wide and per user, the same version, kind, vendor and VM rules
as the classic roots, the companion hand-over, and registry content no installer writes."""
from dataclasses import dataclass, field

import pytest

from conftest import X64_LAUNCHER, windows_path
from runtime_layouts import (ANY_VERSION, REG_SZ, assert_runtime_loaded, install_runtime,
                             loaded_libraries, reg_hex, reg_sz, registry, settings, utf16)
from testjvm import Record

# Layout: (root key below Software\, key of one entry below the root, name of the home value).
LAYOUTS = {
    "adoptium_jdk": (r"Eclipse Adoptium\JDK", r"{name}\hotspot\MSI", "Path"),
    "adoptium_jre": (r"Eclipse Adoptium\JRE", r"{name}\hotspot\MSI", "Path"),
    "adoptium_jdk_openj9": (r"Eclipse Adoptium\JDK", r"{name}\openj9\MSI", "Path"),
    "adoptopenjdk_jre": (r"AdoptOpenJDK\JRE", r"{name}\hotspot\MSI", "Path"),
    "semeru_jre": (r"Semeru\JRE", r"{name}\openj9\MSI", "Path"),
    "microsoft": (r"Microsoft\JDK", r"{name}\hotspot\MSI", "Path"),
    "zulu": (r"Azul Systems\Zulu", "{name}", "InstallationPath"),
    "liberica": (r"BellSoft\Liberica", "{name}", "InstallationPath"),
}


def dword(number):
    return "dword:%08x" % number


def numbers(major, minor, build):
    """The version values the Zulu and Liberica installers write beside the home."""
    return {"MajorVersion": dword(major), "MinorVersion": dword(minor),
            "BuildNumber": dword(build)}


@dataclass
class Vendor:
    layout: str
    name: str                 # the version sub-key's name
    home: str                 # folder named by the home value, below the test's folder
    vms: tuple = ("client",)
    hive: str = "HKLM"
    view: int = 32
    arch: str = "x86"
    values: dict = field(default_factory=dict)   # further values of the version sub-key
    release: str = None       # JAVA_VERSION of the home's release file
    kit: bool = False         # the home holds the compiler


def lay_out_vendors(tmp_path, entries):
    keys = []
    for entry in entries:
        home = install_runtime(tmp_path / entry.home, entry.vms, entry.arch)
        if entry.release is not None:
            (home / "release").write_text('IMPLEMENTOR="Test"\nJAVA_VERSION="%s"\n'
                                          % entry.release)
        if entry.kit:
            (home / "bin" / "javac.exe").write_bytes(b"")
        root, key, value = LAYOUTS[entry.layout]
        sub_key = root + "\\" + key.format(name=entry.name)
        name_key = root + "\\" + entry.name
        home_value = {value: reg_sz(windows_path(home))}
        if name_key == sub_key:
            keys.append((entry.hive, entry.view, root, sub_key, dict(entry.values, **home_value)))
        else:
            keys += [(entry.hive, entry.view, root, name_key, entry.values),
                     (entry.hive, entry.view, root, sub_key, home_value)]
    return keys


@dataclass
class Case:
    name: str
    runtime: str              # lines of the Java Runtime Environment section
    vendors: list
    loaded: str               # the runtime library that must be loaded, or None for none
    classic: list = field(default_factory=list)   # (root number, name, home) entries


CASES = [
    Case("adoptium_jdk_alone", ANY_VERSION, [Vendor("adoptium_jdk", "17.0.9.9", "temurin17")],
         "temurin17/bin/client/jvm.dll"),
    Case("microsoft_alone", ANY_VERSION, [Vendor("microsoft", "21.0.1.12", "ms21", ("server",))],
         "ms21/bin/server/jvm.dll"),
    Case("zulu_alone_by_its_numbers", ANY_VERSION,
         [Vendor("zulu", "zulu-17", "zulu17", values=numbers(17, 0, 9))],
         "zulu17/bin/client/jvm.dll"),
    Case("liberica_alone_by_its_release_file", ANY_VERSION,
         [Vendor("liberica", "jdk-21", "liberica21", release="21.0.1")],
         "liberica21/bin/client/jvm.dll"),
    Case("adoptopenjdk_jre_alone", ANY_VERSION, [Vendor("adoptopenjdk_jre", "11.0.2.7", "aoj11")],
         "aoj11/bin/client/jvm.dll"),
    Case("semeru_alone_with_any_provider", ANY_VERSION + "VM Provider=any\n",
         [Vendor("semeru_jre", "17.0.8.7", "semeru17", ("classic",))],
         "semeru17/bin/classic/jvm.dll"),
    Case("per_user_install", ANY_VERSION,
         [Vendor("adoptium_jre", "17.0.9.9", "user17", hive="HKCU")],
         "user17/bin/client/jvm.dll"),
    Case("machine_and_user_installs_rank_together", ANY_VERSION,
         [Vendor("adoptium_jdk", "11.0.21.9", "machine11"),
          Vendor("zulu", "zulu-21", "user21", hive="HKCU", values=numbers(21, 0, 1))],
         "user21/bin/client/jvm.dll"),
    Case("classic_wins_whatever_the_versions", ANY_VERSION,
         [Vendor("adoptium_jdk", "21.0.1.12", "temurin21")], "jre6/bin/client/jvm.dll",
         classic=[(4, "1.6.0_45", "jre6")]),
    Case("vendor_runtimes_no_finds_nothing", ANY_VERSION + "Vendor Runtimes=no\n",
         [Vendor("adoptium_jdk", "17.0.9.9", "temurin17")], None),
    Case("version_bounds", "Minimum Version=11\nMaximum Version=17\n",
         [Vendor("adoptium_jdk", "21.0.1.12", "t21"), Vendor("adoptium_jdk", "17.0.9.9", "t17"),
          Vendor("adoptium_jdk", "8.0.392.8", "t8")], "t17/bin/client/jvm.dll"),
    Case("zulu_name_is_not_its_version", "Minimum Version=any\nMaximum Version=17\n",
         [Vendor("zulu", "zulu-21", "zulu11", values=numbers(11, 0, 21)),
          Vendor("zulu", "zulu-17", "zulu19", values=numbers(19, 0, 2))],
         "zulu11/bin/client/jvm.dll"),
    Case("eight_is_one_point_eight", "Minimum Version=1.8\nMaximum Version=1.8\n",
         [Vendor("zulu", "zulu-8", "zulu8", release="1.8.0_392"),
          Vendor("adoptium_jdk", "8.0.382.5", "temurin8"),
          Vendor("adoptium_jdk", "11.0.21.9", "temurin11")], "zulu8/bin/client/jvm.dll"),
    Case("preferred_versions", ANY_VERSION + "Preferred versions=1.8;17\n",
         [Vendor("adoptium_jdk", "17.0.9.9", "t17"), Vendor("adoptium_jdk", "21.0.1.12", "t21"),
          Vendor("zulu", "zulu8", "zulu8", values=numbers(8, 0, 392))],
         "zulu8/bin/client/jvm.dll"),
    Case("unknown_version_admitted_without_bounds", ANY_VERSION,
         [Vendor("liberica", "latest", "liberica")], "liberica/bin/client/jvm.dll"),
    Case("unknown_version_not_admitted_with_a_bound", "Minimum Version=1.1\nMaximum Version=any\n",
         [Vendor("liberica", "latest", "liberica")], None),
    Case("server_type_rejects_a_client_only_vendor_runtime", ANY_VERSION + "JVM Type=server\n",
         [Vendor("adoptium_jdk", "21.0.1.12", "client21"),
          Vendor("microsoft", "17.0.9.8", "server17", ("server",))],
         "server17/bin/server/jvm.dll"),
    Case("only_jre_takes_jre_keys", ANY_VERSION + "JVM Source=only_JRE\n",
         [Vendor("adoptium_jdk", "21.0.1.12", "jdk21"),
          Vendor("adoptium_jre", "11.0.21.9", "jre11")],
         "jre11/bin/client/jvm.dll"),
    Case("only_jdk_takes_a_zulu_kit_not_a_zulu_runtime", ANY_VERSION + "JVM Source=only_JDK\n",
         [Vendor("zulu", "zulu-21-jre", "zre21", values=numbers(21, 0, 1)),
          Vendor("zulu", "zulu-17", "zdk17", values=numbers(17, 0, 9), kit=True)],
         "zdk17/bin/client/jvm.dll"),
    Case("ibm_provider_takes_openj9_not_hotspot", ANY_VERSION + "VM Provider=ibm\n",
         [Vendor("adoptium_jdk", "21.0.1.12", "hotspot21"),
          Vendor("adoptium_jdk_openj9", "11.0.21.9", "openj9_11", ("classic",))],
         "openj9_11/bin/classic/jvm.dll"),
    Case("default_provider_takes_hotspot_not_openj9", ANY_VERSION,
         [Vendor("adoptium_jdk_openj9", "21.0.1.12", "openj9_21"),
          Vendor("adoptium_jdk", "11.0.21.9", "hotspot11")], "hotspot11/bin/client/jvm.dll"),
    Case("other_view_not_read_without_pair_product", ANY_VERSION,
         [Vendor("adoptium_jdk", "21.0.1.12", "x64", view=64, arch="x64")], None),
    Case("per_user_64_bit_runtime_not_loaded_without_pair_product", ANY_VERSION,
         [Vendor("adoptium_jdk", "21.0.1.12", "x64", hive="HKCU", arch="x64"),
          Vendor("adoptium_jdk", "11.0.21.9", "x86")], "x86/bin/client/jvm.dll"),
]


@pytest.mark.parametrize("case", CASES, ids=lambda c: c.name)
def test_vendor_runtimes(wine, make_app, registry, tmp_path, case):
    registry.write(lay_out_vendors(tmp_path, case.vendors))
    if case.classic:
        for _, _, home in case.classic:
            install_runtime(tmp_path / home)
        registry.register([(32, root, name, reg_sz(windows_path(tmp_path / home)))
                           for root, name, home in case.classic])
    exe = make_app(ini=settings(case.runtime))
    result = wine.run(exe)
    assert_runtime_loaded(tmp_path, result, case.loaded)


# A 64-bit runtime goes to the companion only with Pair Product: registered machine-wide in
# the 64-bit view, or per user, where the views are one.
@pytest.mark.parametrize("hive,view", [("HKLM", 64), ("HKCU", 32)], ids=["machine_64", "user"])
def test_64_bit_vendor_runtime_goes_to_the_companion(wine, make_app, registry, tmp_path, hive,
                                                     view):
    registry.write(lay_out_vendors(tmp_path, [
        Vendor("adoptium_jdk", "17.0.9.9", "x64", hive=hive, view=view, arch="x64")]))
    app = tmp_path / "app"
    companion = make_app("companion.exe", settings(ANY_VERSION), launcher=X64_LAUNCHER,
                         folder=app)
    exe = make_app(ini=settings(ANY_VERSION, "Pair Product=%s\nPair Return Code=Yes\n"
                                % windows_path(companion)), folder=app)
    result = wine.run(exe, ["one"])
    library = tmp_path / "x64/bin/client/jvm.dll"
    assert loaded_libraries(tmp_path) == [windows_path(library)]
    assert result.returncode == 0
    assert Record(library).values("main_args") == ["1"]


def home_text(path):
    return utf16(windows_path(path))


# Vendor keys no installer writes, each beside an ordinary Temurin 11 entry; none may crash
# the search, and none is taken.
GARBAGE = [
    ("path_as_number", lambda home: [("adoptium_jdk", "21.0.1.12", {"Path": dword(1)})]),
    ("path_without_nul_huge", lambda home: [("adoptium_jdk", "21.0.1.12", {
        "Path": reg_hex(REG_SZ, home_text(home) + utf16("\\x" * 30000))})]),
    ("numbers_as_strings", lambda home: [("zulu", "zulu-21", {
        "MajorVersion": reg_sz("21"), "MinorVersion": reg_sz("0"), "BuildNumber": reg_sz("1"),
        "InstallationPath": reg_sz("Z:\\nowhere")})]),
    ("numbers_too_short", lambda home: [("zulu", "zulu-21", {
        "MajorVersion": reg_hex(4, b"\x15"), "MinorVersion": dword(0),
        "BuildNumber": dword(1), "InstallationPath": reg_sz("Z:\\nowhere")})]),
    ("huge_numbers", lambda home: [("liberica", "x", dict(numbers(0xFFFFFFFF, 0xFFFFFFFF, 1), **{
        "InstallationPath": reg_sz("Z:\\nowhere")}))]),
    ("thousands_of_sub_keys", lambda home: [
        ("microsoft", "%d.0.%d" % (20 + i % 5, i), {"Path": reg_sz("Z:\\nowhere\\%d" % i)})
        for i in range(3000)]),
]


def garbage_keys(entries):
    keys = []
    for layout, name, values in entries:
        root, key, _ = LAYOUTS[layout]
        keys.append(("HKLM", 32, root, root + "\\" + key.format(name=name), values))
    return keys


@pytest.mark.parametrize("name,entries", GARBAGE, ids=[g[0] for g in GARBAGE])
def test_garbage_in_vendor_keys_never_crashes(wine, make_app, registry, tmp_path, name, entries):
    odd = install_runtime(tmp_path / "odd")
    keys = lay_out_vendors(tmp_path, [Vendor("adoptium_jdk", "11.0.21.9", "ordinary")])
    registry.write(keys + garbage_keys(entries(odd)))
    result = wine.run(make_app(ini=settings(ANY_VERSION)))
    assert loaded_libraries(tmp_path) == [windows_path(tmp_path / "ordinary/bin/client/jvm.dll")]
    assert result.returncode == 0
