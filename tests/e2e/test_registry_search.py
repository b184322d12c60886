"""The search over registered runtimes under Wine: roots, vendors and kinds, ranking, preferred
versions, the two registry views, and registry content that is not what an installer writes."""
from dataclasses import dataclass

import pytest

from conftest import X64_LAUNCHER, X86_LAUNCHER, windows_path
from runtime_layouts import (ANY_VERSION, REG_EXPAND_SZ, REG_MULTI_SZ, REG_SZ,
                             assert_runtime_loaded, install_runtime, loaded_libraries, reg_hex,
                             reg_sz, registry, settings, utf16)
from testjvm import Record


@dataclass
class Entry:
    root: int
    name: str
    home: str                 # folder named by JavaHome, below the test's folder
    vms: tuple = ("client",)
    runtime: str = None       # where the VMs are, when not in the home itself
    view: int = 32
    arch: str = "x86"


@dataclass
class Case:
    name: str
    runtime: str              # lines of the Java Runtime Environment section; {tmp} = test folder
    entries: list
    loaded: str               # the runtime library that must be loaded, or None for none


CASES = [
    Case("defaults_take_newest_javasoft_client", ANY_VERSION,
         [Entry(2, "1.7.0_80", "jre7"), Entry(4, "1.8.0_201", "jre8", ("client", "server")),
          Entry(5, "17", "jrockit17"), Entry(7, "21", "ibm21")],
         "jre8/bin/client/jvm.dll"),
    Case("only_jdk_reads_kit_roots_and_takes_the_kits_jre", ANY_VERSION + "JVM Source=only_JDK\n",
         [Entry(4, "11", "jre11"), Entry(2, "17", "jre17"),
          Entry(3, "1.8.0_201", "kit8", runtime="kit8/jre")],
         "kit8/jre/bin/client/jvm.dll"),
    Case("favor_jre_ranks_preferred_jre_above_newer_jdk", ANY_VERSION + "JVM Source=favor_JRE\n",
         [Entry(1, "17", "jdk17"), Entry(4, "1.8", "jre8")],
         "jre8/bin/client/jvm.dll"),
    Case("unrecognised_jvm_source_searches_no_root", ANY_VERSION + "JVM Source=JDK\n",
         [Entry(1, "17", "jdk17"), Entry(4, "1.8", "jre8")], None),
    Case("provider_any_ranks_by_version_alone", ANY_VERSION + "VM Provider=any\n",
         [Entry(4, "1.8", "jre8"), Entry(5, "11", "jrockit11"), Entry(7, "1.7", "ibm7")],
         "jrockit11/bin/client/jvm.dll"),
    Case("favor_jrockit_ranks_jrockit_first", ANY_VERSION + "VM Provider=favor_jrockit\n",
         [Entry(4, "17", "jre17"), Entry(7, "11", "ibm11"),
          Entry(6, "1.6", "jrkit6", ("jrockit",), runtime="jrkit6/jre")],
         "jrkit6/jre/bin/jrockit/jvm.dll"),
    Case("ibm_alone", ANY_VERSION + "VM Provider=IBM\n",
         [Entry(4, "17", "jre17"), Entry(7, "1.6", "ibm6", ("classic",))],
         "ibm6/bin/classic/jvm.dll"),
    Case("server_type_rejects_client_only_runtimes_everywhere",
         ANY_VERSION + "JVM Type=server\nJRE Path={tmp}\\clientonly\n",
         [Entry(4, "17", "jre17"), Entry(4, "1.8", "srv8", ("server",)),
          Entry(2, "11", "hotspot11", ("hotspot",))],
         "srv8/bin/server/jvm.dll"),
    Case("favor_server_ranks_server_entries_above_root4_entries_probed_as_any",
         ANY_VERSION + "JVM Type=favor_server\n",
         [Entry(4, "11", "both11", ("client", "server")), Entry(2, "1.8", "srv8", ("server",))],
         "srv8/bin/server/jvm.dll"),
    Case("favor_server_still_takes_the_server_vm_of_a_chosen_root4_entry",
         ANY_VERSION + "JVM Type=favor_server\n",
         [Entry(4, "11", "both11", ("client", "server")), Entry(2, "1.8", "client8")],
         "both11/bin/server/jvm.dll"),
    Case("preferred_versions_choose_the_earliest_listed", ANY_VERSION +
         "Preferred versions=1.7;1.8\n",
         [Entry(4, "1.8.0_201", "jre8"), Entry(4, "1.7.0_80", "jre7")],
         "jre7/bin/client/jvm.dll"),
    Case("unmatched_preference_falls_back_to_the_top", ANY_VERSION + "Preferred versions=1.6\n",
         [Entry(4, "1.7.0_80", "jre7"), Entry(4, "1.8.0_201", "jre8")],
         "jre8/bin/client/jvm.dll"),
    Case("version_range_bounds_the_entries", "Minimum Version=1.6\nMaximum Version=1.8\n",
         [Entry(4, "9.0.4", "jre9"), Entry(4, "1.8.0_201", "jre8"), Entry(4, "1.5.0_22", "jre5")],
         "jre8/bin/client/jvm.dll"),
    Case("absent_maximum_version_admits_nothing", "Minimum Version=any\n",
         [Entry(4, "1.8", "jre8")], None),
    Case("other_view_is_not_read_without_pair_product", ANY_VERSION,
         [Entry(4, "1.8", "jre8x64", view=64, arch="x64")], None),
]


def lay_out(tmp_path, entries):
    for entry in entries:
        install_runtime(tmp_path / (entry.runtime or entry.home), entry.vms, entry.arch)
    return [(e.view, e.root, e.name, reg_sz(windows_path(tmp_path / e.home))) for e in entries]


@pytest.mark.parametrize("case", CASES, ids=lambda c: c.name)
def test_registry_search(wine, make_app, registry, tmp_path, case):
    install_runtime(tmp_path / "clientonly")
    registry.register(lay_out(tmp_path, case.entries))
    exe = make_app(ini=settings(case.runtime.replace("{tmp}", windows_path(tmp_path))))
    result = wine.run(exe)
    assert_runtime_loaded(tmp_path, result, case.loaded)


# Each launcher's second pass reads the view the other one sees by default, and a hit there
# hands the start over to the companion.
BUILDS = {"x86": (X86_LAUNCHER, 32), "x64": (X64_LAUNCHER, 64)}
OTHER = {"x86": "x64", "x64": "x86"}


@pytest.mark.parametrize("first", ["x86", "x64"])
@pytest.mark.parametrize("own_entry", [False, True], ids=["only_in_other_view", "own_view_first"])
def test_other_view_is_read_with_pair_product_and_hands_over(wine, make_app, registry, tmp_path,
                                                              first, own_entry):
    second = OTHER[first]
    entries = [Entry(4, "11", "other", view=BUILDS[second][1], arch=second)]
    if own_entry:
        entries.append(Entry(2, "1.8", "own", view=BUILDS[first][1], arch=first))
    registry.register(lay_out(tmp_path, entries))
    app = tmp_path / "app"
    companion = make_app("companion.exe", settings(ANY_VERSION), launcher=BUILDS[second][0],
                         folder=app)
    exe = make_app(ini=settings(ANY_VERSION, "Pair Product=%s\nPair Return Code=Yes\n"
                                % windows_path(companion)), launcher=BUILDS[first][0], folder=app)
    result = wine.run(exe, ["one"])
    expected = ("own" if own_entry else "other") + "/bin/client/jvm.dll"
    assert loaded_libraries(tmp_path) == [windows_path(tmp_path / expected)]
    assert result.returncode == 0
    assert Record(tmp_path / expected).values("main_args") == ["1"]


def java_home_text(path):
    return utf16(windows_path(path))


# JavaHome values no installer writes, each beside an ordinary entry at a lower version. The
# value's type does not matter and nothing in it is expanded; text ends at its first NUL.
ODD_VALUES = [
    ("dword", lambda home: "dword:00000001", False),
    ("expand_sz_is_not_expanded", lambda home: reg_hex(REG_EXPAND_SZ, utf16("%ODDHOME%\0")), False),
    ("very_long", lambda home: reg_sz(windows_path(home) + "\\x" * 20000), False),
    ("empty_string", lambda home: reg_sz(""), False),
    ("zero_bytes", lambda home: reg_hex(None, b""), False),
    ("absent", lambda home: None, False),
    ("string_without_nul", lambda home: reg_hex(REG_SZ, java_home_text(home)), True),
    ("binary_without_nul", lambda home: reg_hex(None, java_home_text(home)), True),
    ("odd_last_byte_dropped", lambda home: reg_hex(None, java_home_text(home) + b"X"), True),
    ("multi_string_takes_the_first", lambda home: reg_hex(
        REG_MULTI_SZ, java_home_text(home) + utf16("\0Z:\\elsewhere\0\0")), True),
]


@pytest.mark.parametrize("name,value,used", ODD_VALUES, ids=[v[0] for v in ODD_VALUES])
def test_odd_java_home_values_never_crash(wine, make_app, registry, tmp_path, name, value, used):
    odd = install_runtime(tmp_path / "odd")
    install_runtime(tmp_path / "ordinary")
    registry.register([(32, 4, "17", value(odd)),
                       (32, 4, "1.8", reg_sz(windows_path(tmp_path / "ordinary")))])
    exe = make_app(ini=settings(ANY_VERSION))
    result = wine.run(exe, env={"ODDHOME": windows_path(odd)})
    chosen = ("odd" if used else "ordinary") + "/bin/client/jvm.dll"
    assert loaded_libraries(tmp_path) == [windows_path(tmp_path / chosen)]
    assert result.returncode == 0


def test_sub_keys_that_are_not_versions_and_thousands_of_entries(wine, make_app, registry,
                                                                 tmp_path):
    install_runtime(tmp_path / "ordinary")
    install_runtime(tmp_path / "unversioned")
    unversioned = reg_sz(windows_path(tmp_path / "unversioned"))
    entries = [(32, 4, name, unversioned) for name in ("latest", "99999999999", "-", "x.y")]
    entries += [(32, 2, "1.%d" % i, reg_sz("Z:\\nowhere\\%d" % i)) for i in range(3000)]
    entries.append((32, 4, "1.0.0_1", reg_sz(windows_path(tmp_path / "ordinary"))))
    registry.register(entries)
    exe = make_app(ini=settings(ANY_VERSION))
    result = wine.run(exe)
    # Names without a usable number count as version 0.0.0.0, below every real one.
    assert loaded_libraries(tmp_path) == [windows_path(tmp_path / "ordinary/bin/client/jvm.dll")]
    assert result.returncode == 0
