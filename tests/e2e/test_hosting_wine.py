"""The Windows launchers under Wine hosting the scripted test runtime: binding and its
messages, VM creation, the options and environment handed to the runtime, the VM thread, the
main class, stream redirection, and the first two runtime sources."""
import re
import struct
from pathlib import Path

import pytest

from conftest import X64_LAUNCHER, X86_LAUNCHER, error_line, windows_path
from testjvm import Record, install, runtime_library

LAUNCHERS = {"x86": X86_LAUNCHER, "x64": X64_LAUNCHER}


def settings(runtime="", class_path=r"C:\app.jar", application="", main="com.example.App"):
    return ("[Java Runtime Environment]\nMain Class=%s\n%s\n[Class Path]\nClass Path=%s\n"
            "[Application]\n%s\n" % (main, runtime, class_path, application))


@pytest.fixture
def hosted(make_app, tmp_path):
    """An application whose JRE Path names a home with the test runtime as its client VM.
    Returns (executable, runtime library)."""

    def make(runtime="", class_path=r"C:\app.jar", application="", script="", arch="x86",
             variant="", main="com.example.App", encoding="utf-8"):
        library = install(tmp_path / "rt", arch=arch, variant=variant, script=script)
        jre = "JRE Path=%s\n" % windows_path(tmp_path / "rt")
        exe = make_app(ini=settings(jre + runtime, class_path, application, main),
                       launcher=LAUNCHERS[arch], encoding=encoding)
        return exe, library

    return make


def units(text):
    """A text as the test runtime records it: UTF-16 code units in hexadecimal."""
    data = text.encode("utf-16-be")
    return " ".join(data[i:i + 2].hex() for i in range(0, len(data), 2))


def stack_reserve(executable):
    """The default stack reservation in the executable's PE header."""
    data = Path(executable).read_bytes()
    optional = struct.unpack_from("<I", data, 0x3C)[0] + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    return struct.unpack_from("<Q" if magic == 0x20B else "<I", data, optional + 72)[0]


# ---- binding and creation --------------------------------------------------------------

@pytest.mark.parametrize("variant", ["without-create", "without-defaults"])
def test_missing_mandatory_export(wine, hosted, variant):
    exe, library = hosted(variant=variant)
    result = wine.run(exe)
    assert result.stdout == error_line(
        "Pengecualian Windows: tidak menemukan CreateJavaVM JNI (errno = 127).\n")
    assert result.returncode == 255
    assert Record(library).keys() == ["loaded"]


def test_library_that_cannot_be_loaded(wine, hosted, tmp_path):
    # The 64-bit runtime is no library for the 32-bit launcher.
    exe, library = hosted()
    library.write_bytes(runtime_library("x64").read_bytes())
    result = wine.run(exe)
    assert result.stdout == error_line(
        "Gagal memuat perpustakaan VM Java: %s (errno = 193).\n" % windows_path(library))
    assert result.returncode == 255


@pytest.mark.parametrize("code, reason", [
    (-1, "tidak dikenal"), (-2, "utas dilepas dari VM"), (-3, "versi JNI salah"),
    (-4, "memori tidak cukup"), (-5, "VM telah dibuat"), (-6, "argumen tidak benar"),
    (-7, ""), (3, ""),
])
def test_creation_failure_reason(wine, hosted, code, reason):
    exe, library = hosted(script="create_result %d\n" % code)
    result = wine.run(exe)
    assert result.stdout == error_line("Pengecualian JNI: gagal membuat VM Java\nAlasan: %s.\n" % reason)
    assert result.returncode == 255
    assert "main_args" not in Record(library).keys()


def test_rejected_option_fails_creation(wine, hosted):
    exe, _ = hosted(runtime="Virtual Machine Parameters=-Xfoo\n", script="reject -Xfoo\n")
    result = wine.run(exe)
    assert result.stdout == error_line("Pengecualian JNI: gagal membuat VM Java\nAlasan: tidak dikenal.\n")


@pytest.mark.parametrize("arch", ["x86", "x64"])
def test_options_in_order_end_with_the_hooks(wine, hosted, arch):
    runtime = (r"Library Path=C:\libs" "\n"
               'Virtual Machine Parameters=-Da=1  "-Db=x y"   -Xmx50p -Xms10:64:32p\n')
    exe, library = hosted(runtime=runtime, arch=arch)
    result = wine.run(exe)
    assert result.returncode == 0, result.stdout
    record = Record(library)
    assert record.values("create") == ["65538 8 0"]  # JNI 1.2, eight options, unknown ones refused
    options = record.options()
    assert options[0].startswith(r"-Djava.library.path=C:\libs;%s\;.;" % windows_path(exe.parent))
    assert options[0].endswith(r";%s\lib" % windows_path(library.parents[2]))
    assert options[1:4] == [r"-Djava.class.path=C:\app.jar;", "-Da=1", "-Db=x y"]
    assert re.fullmatch(r"-Xmx\d+K", options[4])
    assert options[5] == "-Xms65536K"
    assert options[6:] == ["abort +hook", "exit +hook"]


def test_options_reach_the_runtime_in_the_ansi_code_page(wine, hosted):
    # A UTF-16 settings file carries any character; the runtime gets the ANSI code page's bytes.
    exe, library = hosted(runtime="Virtual Machine Parameters=-Dname=caf\u00e9\u03a9\n",
                          encoding="utf-16")
    wine.run(exe)
    # The ANSI code page here is 1252: é is one byte, Ω has none and becomes "?".
    assert "-Dname=caf\udce9?" in Record(library).options()


# ---- the VM thread ----------------------------------------------------------------------

@pytest.mark.parametrize("arch", ["x86", "x64"])
def test_stack_option_sizes_the_vm_thread_without_asking_the_runtime(wine, hosted, arch):
    exe, library = hosted(runtime="Virtual Machine Parameters=-Xss4m -Xss8m\n", arch=arch)
    wine.run(exe)
    record = Record(library)
    assert record.values("stack_reserve") == [str(8 * 1048576)]
    assert record.values("vm_thread") == ["other"]
    assert "default_args" not in record.keys()


@pytest.mark.parametrize("default, expected", [
    pytest.param(6 * 1048576, 6 * 1048576, id="runtime_default"),
    pytest.param(0, None, id="zero_gives_executable_default"),
    pytest.param(-4096, None, id="negative_gives_executable_default"),
])
def test_runtime_default_stack_size(wine, hosted, default, expected):
    exe, library = hosted(script="default_stack %d\n" % default)
    wine.run(exe)
    record = Record(library)
    assert record.values("default_args") == ["65537"]  # asked with a JNI 1.1 record
    assert record.values("stack_reserve") == [str(expected or stack_reserve(exe))]


def test_unreadable_stack_option_keeps_the_default_and_still_reaches_the_runtime(wine, hosted):
    exe, library = hosted(runtime="Virtual Machine Parameters=-Xss=8m\n",
                          script="default_stack %d\n" % (6 * 1048576))
    wine.run(exe)
    record = Record(library)
    assert record.values("stack_reserve") == [str(6 * 1048576)]
    assert "-Xss=8m" in record.options()


# ---- environment ----------------------------------------------------------------------

def test_environment_names_the_runtime_and_path_gets_its_bin_folder(wine, hosted):
    exe, library = hosted(runtime="System Path=C:\\tools;\n")
    wine.run(exe)
    record = Record(library)
    home = windows_path(library.parents[2])
    assert record.values("env")[:2] == ["VORN_JVM_PATH=" + windows_path(library),
                                         "VORN_JVM_HOME=" + home]
    path = record.values("env")[2]
    assert path.startswith("PATH=C:\\tools;C:\\windows\\system32;")
    assert path.endswith(";" + home + "\\bin")


# ---- main class -------------------------------------------------------------------------

def test_helper_gets_dotted_name_and_main_gets_every_code_unit(wine, hosted):
    exe, library = hosted(application='Cmd=c1  "c 2"\n')
    arguments = ["ā Ωμέγα", "😀", "", "x"]
    result = wine.run(exe, arguments)
    assert result.returncode == 0
    record = Record(library)
    assert record.values("helper") == ["1 1 com.example.App"]
    assert record.values("main_args") == ["6"]
    assert record.values("arg") == [units(a) for a in arguments + ["c1", "c 2"]]
    assert record.keys()[-3:] == ["main_returned", "detach", "destroy"]


def test_no_arguments_give_an_empty_array(wine, hosted):
    exe, library = hosted()
    wine.run(exe)
    assert Record(library).values("main_args") == ["0"]


@pytest.mark.parametrize("variant, script", [
    pytest.param("without-helper", "", id="no_boot_loader_export"),
    pytest.param("", "no_helper\n", id="no_helper_class"),
    pytest.param("", "helper_returns_null\n", id="helper_finds_nothing"),
])
def test_fallback_loads_the_class_with_slashes(wine, hosted, variant, script):
    exe, library = hosted(variant=variant, script=script)
    result = wine.run(exe)
    assert result.returncode == 0
    record = Record(library)
    assert "com/example/App" in record.values("find_class")
    assert "describe" not in record.keys()


def test_missing_main_class_describes_the_exception_then_reports(wine, hosted):
    exe, library = hosted(variant="without-helper", script="class other/Thing\n")
    result = wine.run(exe)
    assert result.stderr.endswith(
        b'Exception in thread "main" java/lang/NoClassDefFoundError: com/example/App\n')
    assert result.stdout == error_line("Tidak dapat menemukan main class com/example/App.\n")
    assert result.returncode == 255
    # The VM thread lets go of the VM before the launcher's end destroys it.
    keys = Record(library).keys()
    assert "detach" in keys and keys.index("detach") < keys.index("destroy")


def test_helper_with_another_signature_leaves_an_exception_that_stops_the_fallback(wine, hosted):
    exe, library = hosted(script="helper_signature (Ljava/lang/String;)Ljava/lang/Class;\n")
    result = wine.run(exe)
    assert result.stdout == error_line("Gagal memuat Main Class: com/example/App.\n")
    assert result.returncode == 255


def test_class_without_static_main(wine, hosted):
    exe, library = hosted(script="no_main\n")
    result = wine.run(exe)
    assert b"java/lang/NoSuchMethodError: main" in result.stderr
    assert result.stdout == b""
    assert result.returncode == 255


@pytest.mark.parametrize("failure_check", ["", "Failure Check=yes\n"])
def test_main_that_throws_ends_with_zero_and_the_exception_pending_at_detach(
        wine, hosted, failure_check):
    exe, library = hosted(application=failure_check, script="main throw java/lang/IllegalStateException\n")
    result = wine.run(exe)
    assert (result.returncode, result.stdout) == (0, b"")
    record = Record(library)
    assert record.values("detach") == ["java/lang/IllegalStateException"]
    assert record.values("print_stack_trace") == (
        ["java/lang/IllegalStateException"] if failure_check else [])


def test_system_exit_ends_the_process_with_its_code(wine, hosted):
    exe, library = hosted(script="main exit 3\n")
    result = wine.run(exe)
    assert result.returncode == 3
    assert Record(library).values("exit") == ["3"]


def test_process_waits_for_the_programs_last_thread(wine, hosted):
    exe, library = hosted(script="main thread 1000\n")
    result = wine.run(exe)
    assert result.returncode == 0
    assert Record(library).keys()[-4:] == ["main_returned", "detach", "java_thread_done", "destroy"]


def test_ibm_runtimes_keep_the_main_thread_until_system_exit(wine, hosted):
    exe, library = hosted(runtime="VM Provider=ibm\n", script="main exit_later 500 5\n")
    result = wine.run(exe)
    assert result.returncode == 5
    record = Record(library)
    assert record.keys()[-3:] == ["main_returned", "java_thread_done", "exit"]


def test_failed_detach_fails_the_run(wine, hosted):
    exe, _ = hosted(script="detach_result -1\n")
    assert wine.run(exe).returncode == 255


# ---- class path and Cmd ------------------------------------------------------------------

def test_class_path_wildcards_relative_and_absolute_entries(wine, hosted):
    exe, library = hosted(class_path=r"lib\*.jar;missing.jar;;C:\shared\x.jar;extra.jar")
    (exe.parent / "lib").mkdir()
    for name in ("a.jar", "b.jar"):
        (exe.parent / "lib" / name).write_bytes(b"")
    (exe.parent / "EXTRA.jar").write_bytes(b"")
    wine.run(exe)
    option = Record(library).options()[0]
    app = windows_path(exe.parent)
    entries = option[len("-Djava.class.path="):].split(";")
    assert sorted(entries[:2]) == [app + r"\lib\a.jar", app + r"\lib\b.jar"]
    # The relative entry takes the name as the file system spells it.
    assert entries[2:] == [r"C:\shared\x.jar", app + r"\EXTRA.jar", ""]


def test_class_path_and_cmd_longer_than_any_command_line_reach_the_runtime(wine, hosted):
    # Hosting the VM in-process is what lets a class path outgrow a command line: neither it
    # nor Cmd may be cut at the 32K of the environment-expansion call.
    entries = [r"C:\jars\%s%04d.jar" % ("j" * 90, i) for i in range(1100)]
    exe, library = hosted(class_path=";".join(entries) + r";%APP_JARS%\x.jar",
                          application="Cmd=" + " ".join(["w"] * 20000) + " %APP_JARS%\n")
    result = wine.run(exe, env={"APP_JARS": r"C:\more"})
    assert result.returncode == 0, result.stdout
    record = Record(library)
    option = record.options()[0]
    assert len(option) > 100000
    assert option == "-Djava.class.path=%s;C:\\more\\x.jar;" % ";".join(entries)
    assert record.values("main_args") == ["20001"]


def test_embedded_jar_alone_is_a_class_path(wine, hosted):
    exe, library = hosted(class_path="", application="Embedded Jar=YES\n")
    result = wine.run(exe)
    assert result.stdout == b""
    assert Record(library).options()[0] == "-Djava.class.path=%s;" % windows_path(exe)


def test_missing_class_path_is_reported_and_the_vm_gets_only_the_hooks(wine, hosted):
    exe, library = hosted(class_path="", application="Cmd=never\n",
                          runtime="Virtual Machine Parameters=-Da=1\n")
    result = wine.run(exe)
    assert result.stdout == error_line("Java Class Path tidak ditetapkan di file INI.")
    assert result.returncode == 0
    record = Record(library)
    assert record.options() == ["abort +hook", "exit +hook"]
    assert record.values("main_args") == ["0"]


# ---- stream redirection -----------------------------------------------------------------

def test_dated_files_in_missing_folders_get_the_programs_streams(wine, hosted, tmp_path):
    logs = windows_path(tmp_path / "logs")
    application = ("Output File=%s\\out\\app_%%yyyyMMdd_HHmmss_L%%.log\nOutput Append=Yes\n"
                   "Error File=%s\\err\\deep\\app_%%yyyy%%_%%HH%%.log\nError Append=yes\n"
                   % (logs, logs))
    exe, library = hosted(application=application, script="main print hello\n")
    result = wine.run(exe)
    assert result.returncode == 0
    out_file, = (tmp_path / "logs" / "out").iterdir()
    err_file, = (tmp_path / "logs" / "err" / "deep").iterdir()
    assert re.fullmatch(r"app_\d{8}_\d{6}_\d{1,3}\.log", out_file.name)
    # Only the text between the first and the last "%" is a picture.
    assert re.fullmatch(r"app_\d{4}%_%\d{2}\.log", err_file.name)
    assert out_file.read_bytes() == b"out:hello\n"
    assert err_file.read_bytes() == b"err:hello\n"
    record = Record(library)
    assert record.values("file_stream") == [windows_path(out_file) + " append=0",
                                            windows_path(err_file) + " append=1"]
    assert record.values("setOut") == [windows_path(out_file)]
    assert record.values("setErr") == [windows_path(err_file)]


def test_relative_file_names_get_their_folders_below_the_working_folder(wine, hosted, tmp_path):
    exe, library = hosted(application="Output File=logs\\out_%%yyyy%%.txt\n"
                                      "Error File=logs\\err\\deep\\err.txt\n",
                          script="main print hello\n")
    work = tmp_path / "work"
    work.mkdir()
    result = wine.run(exe, cwd=work)
    assert result.returncode == 0
    out_file, = (work / "logs").glob("out_*.txt")
    assert out_file.read_bytes() == b"out:hello\n"
    assert (work / "logs" / "err" / "deep" / "err.txt").read_bytes() == b"err:hello\n"


def test_picture_too_long_for_the_formatting_call_is_used_as_written(wine, hosted, tmp_path):
    picture = "y" * 1000
    exe, library = hosted(application="Output File=%s\\out_%%%s%%.txt\n"
                                      % (windows_path(tmp_path), picture),
                          script="main print hello\n")
    result = wine.run(exe)
    assert result.returncode == 0
    assert Record(library).values("main_args") == ["0"]


def test_file_that_cannot_be_opened_is_described_and_the_program_still_runs(wine, hosted, tmp_path):
    blocker = tmp_path / "blocker"
    blocker.write_text("a file, not a folder")
    exe, library = hosted(application="Output File=%s\\out.log\n" % windows_path(blocker),
                          script="main print hello\n")
    result = wine.run(exe)
    assert result.returncode == 0
    assert b"java/io/FileNotFoundException" in result.stderr
    assert b"out:hello\n" in result.stdout
    assert Record(library).values("setOut") == []


def test_no_output_files_no_java_calls(wine, hosted):
    exe, library = hosted()
    wine.run(exe)
    assert Record(library).values("file_stream") == []


# ---- runtime sources ----------------------------------------------------------------------

RUNTIME_NOT_FOUND = ("The Java Runtime Environment (JRE) tidak ditemukan. Silakan download dan "
                     "instal JRE (versi terbaru) dari:")
SERVER_NOT_FOUND = (" Java Runtime Environment (JRE) tidak ditemukan. Silakan download dan "
                    "instal JRE dengan server JVM (versi terbaru) dari:")


@pytest.mark.parametrize("jvm_type, vms, chosen", [
    ("", ("client", "server"), "client"),
    ("favor_server", ("client", "server"), "server"),
    ("favor_server", ("client",), "client"),
    ("server", ("server", "client"), "server"),
    ("server", ("client", "classic"), None),
    ("", ("classic", "hotspot"), "classic"),
    ("", ("hotspot", "jrockit"), "hotspot"),
    ("", ("server", "jrockit"), "server"),
    ("", ("jrockit",), "jrockit"),
    ("", (), None),
])
def test_jre_path_probe_order_by_jvm_type(wine, make_app, tmp_path, jvm_type, vms, chosen):
    home = tmp_path / "rt"
    for vm in vms:
        install(home, vm=vm)
    exe = make_app(ini=settings("JRE Path=%s\nJVM Type=%s\n" % (windows_path(home), jvm_type)))
    result = wine.run(exe)
    loaded = [vm for vm in vms if Record(home / "bin" / vm / "jvm.dll").values("loaded")]
    if chosen is None:
        assert loaded == []
        message = SERVER_NOT_FOUND if jvm_type == "server" else RUNTIME_NOT_FOUND
        assert (result.stdout, result.returncode) == (error_line(message), 255)
    else:
        assert loaded == [chosen]
        assert result.returncode == 0


@pytest.mark.parametrize("markers, expected", [
    pytest.param(["", "jre"], "", id="own_folder_first"),
    pytest.param(["jre"], "jre", id="jre_subfolder"),
    pytest.param([], None, id="no_marker"),
])
def test_private_runtime(wine, make_app, tmp_path, markers, expected):
    exe = make_app(ini=settings("JRE Path=%s\n" % windows_path(tmp_path / "gone")))
    libraries = {home: install(exe.parent / home) for home in ("", "jre")}
    for home in markers:
        (exe.parent / home / "bin" / "java.dll").write_bytes(b"")
    # Run from elsewhere: without a marker the bare sub-paths resolve against the working folder.
    result = wine.run(exe, cwd=tmp_path)
    used = [home for home, library in libraries.items() if Record(library).values("loaded")]
    if expected is None:
        assert result.stdout == error_line(RUNTIME_NOT_FOUND)
        assert used == []
    else:
        assert used == [expected]
        assert result.returncode == 0


def test_private_runtime_without_marker_probes_the_working_folder(wine, make_app, tmp_path):
    exe = make_app(ini=settings())
    work = tmp_path / "work"
    library = install(work)
    result = wine.run(exe, cwd=work)
    assert result.returncode == 0
    assert Record(library).values("loaded") == [windows_path(library)]


def test_jre_path_wins_over_the_private_runtime(wine, make_app, tmp_path):
    exe = make_app(ini=settings("JRE Path=%s\n" % windows_path(tmp_path / "rt")))
    configured = install(tmp_path / "rt")
    (exe.parent / "bin").mkdir()
    (exe.parent / "bin" / "java.dll").write_bytes(b"")
    private = install(exe.parent)
    wine.run(exe)
    assert Record(configured).values("loaded") and not Record(private).values("loaded")
