"""The Linux host launcher on the installed OpenJDK: what a real runtime makes of the options,
arguments, class path, streams and threads the launcher hands it. The Java test programs are
compiled from tests/java/ when the tests start."""
import datetime
import os
import re
import shutil
import subprocess
import zipfile
from pathlib import Path

import pytest

from conftest import HOST_LAUNCHER, ROOT, error_line

JDK_HOME = Path(os.environ.get("JDK_HOME", "/usr/lib/jvm/java-17-openjdk-amd64"))
NO_CLASS_PATH = "Java Class Path tidak ditetapkan di file INI."

pytestmark = pytest.mark.skipif(not (JDK_HOME / "bin" / "javac").exists(),
                                reason="no JDK to compile the test programs")


@pytest.fixture(scope="session")
def java_jars(tmp_path_factory):
    """probe.jar (Probe, NoMain) and extra.jar (Extra), compiled at test time."""
    out = tmp_path_factory.mktemp("java")
    classes = out / "classes"
    sources = sorted(str(p) for p in (ROOT / "tests" / "java").glob("*.java"))
    subprocess.run([str(JDK_HOME / "bin" / "javac"), "-d", str(classes), *sources], check=True)
    jars = {}
    for jar, names in {"probe.jar": ["Probe.class", "NoMain.class"], "extra.jar": ["Extra.class"]}.items():
        with zipfile.ZipFile(out / jar, "w") as archive:
            for name in names:
                archive.write(classes / name, name)
        jars[jar] = out / jar
    return jars


@pytest.fixture
def host_app(tmp_path, java_jars):
    """An application folder with the host launcher as "tool", the jars under lib/, and
    tool.ini from the given settings text (JRE Path the installed runtime unless given)."""

    def make(ini, jars=("probe.jar",)):
        app = tmp_path / "app"
        (app / "lib").mkdir(parents=True, exist_ok=True)
        for jar in jars:
            shutil.copyfile(java_jars[jar], app / "lib" / jar)
        exe = app / "tool"
        shutil.copyfile(HOST_LAUNCHER, exe)
        exe.chmod(0o755)
        if "JRE Path" not in ini:
            ini = ini.replace("[Java Runtime Environment]\n",
                              "[Java Runtime Environment]\nJRE Path=%s\n" % JDK_HOME, 1)
        (app / "tool.ini").write_text(ini)
        return exe

    return make


def run(exe, *args, timeout=60):
    return subprocess.run([str(exe), *args], cwd=exe.parent, stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, timeout=timeout)


def settings(main="Probe", class_path=r"lib\probe.jar", vm="", application=""):
    return ("[Java Runtime Environment]\nMain Class=%s\nVirtual Machine Parameters=%s\n"
            "[Class Path]\nClass Path=%s\n[Application]\n%s" % (main, vm, class_path, application))


def echoed(result):
    """The probe's report: a list of (key, value) pairs in order."""
    pairs = []
    for line in result.stdout.decode().splitlines():
        key, _, value = line.partition("=")
        pairs.append((key, value))
    return pairs


def values(result, key):
    return [v for k, v in echoed(result) if k == key]


def units(text):
    data = text.encode("utf-16-be")
    return " ".join("%02x%02x" % (data[i], data[i + 1]) for i in range(0, len(data), 2))


@pytest.mark.parametrize("arguments", [
    pytest.param(["plain", "with space", ""], id="ascii_and_empty"),
    pytest.param(["ā Ωμέγα 中文", "😀", "a\"b"], id="outside_latin1_and_surrogate_pair"),
    pytest.param([], id="no_arguments"),
])
def test_arguments_reach_main_code_unit_for_code_unit(host_app, arguments):
    result = run(host_app(settings()), *arguments)
    assert result.returncode == 0, result.stderr
    assert values(result, "count") == [str(len(arguments))]
    assert values(result, "arg") == [units(a) for a in arguments]


def test_main_runs_on_a_thread_named_main_and_cmd_words_follow_the_command_line(host_app):
    exe = host_app(settings(application='Cmd=c1 "c 2"  %HOME%\n'))
    result = run(exe, "first")
    assert values(result, "arg") == [units(a) for a in ["first", "c1", "c 2", os.environ["HOME"]]]
    assert values(result, "thread") == ["main"]


def test_environment_and_search_path_name_the_runtime(host_app):
    result = run(host_app(settings()))
    library = JDK_HOME / "lib" / "server" / "libjvm.so"
    assert values(result, "env.VORN_JVM_PATH") == [str(library)]
    assert values(result, "env.VORN_JVM_HOME") == [str(JDK_HOME)]
    assert values(result, "env.PATH") == [os.environ["PATH"] + ":" + str(JDK_HOME / "lib")]


def test_library_path_joins_setting_executable_folder_working_folder_path_and_runtime_lib(host_app):
    ini = settings().replace("[Java Runtime Environment]\n",
                             "[Java Runtime Environment]\nLibrary Path=/opt/native\n"
                             "System Path=/opt/tools\n")
    exe = host_app(ini)
    result = run(exe)
    assert values(result, "library") == ["/opt/native:%s/:.:%s:%s" % (
        exe.parent, os.environ["PATH"], JDK_HOME / "lib")]
    assert values(result, "env.PATH") == ["/opt/tools:%s:%s" % (os.environ["PATH"], JDK_HOME / "lib")]


def test_options_in_order_with_quotes_removed_and_percentage_heap_in_kilobytes(host_app):
    vm = '-Dp.one=1  "-Dp.two=a b"   -Dp.three="x y" -Xmx50p'
    exe = host_app(settings(vm=vm))
    result = run(exe)
    total_kb = os.sysconf("SC_PHYS_PAGES") * os.sysconf("SC_PAGE_SIZE") // 1024
    # The runtime lists every option but the class path, which it reports as a property.
    assert values(result, "option") == ["-Dp.one=1", "-Dp.two=a b", "-Dp.three=x y",
                                        "-Xmx%dK" % (total_kb // 2), "abort", "exit"]
    assert values(result, "classpath") == ["%s:" % (exe.parent / "lib" / "probe.jar")]


def test_an_option_the_runtime_rejects_fails_creation(host_app):
    result = run(host_app(settings(vm="-Xnonsense")))
    assert result.returncode == 255
    assert result.stdout == error_line("Pengecualian JNI: gagal membuat VM Java\nAlasan: tidak dikenal.\n")


def test_class_path_wildcards_relative_entries_and_absolute_entries(host_app, tmp_path):
    shared = tmp_path / "shared.jar"
    ini = settings(main="Extra", class_path=r"lib\*.jar;missing.jar;;%s;classes" % shared)
    exe = host_app(ini, jars=("probe.jar", "extra.jar"))
    (exe.parent / "classes").mkdir()
    result = run(exe)
    assert result.stdout == b"extra Probe\n"
    # The probe reports the class path when it is the main class.
    ini_file = exe.parent / "tool.ini"
    ini_file.write_text(ini_file.read_text().replace("Main Class=Extra", "Main Class=Probe"))
    entries = values(run(exe), "classpath")[0].split(":")
    lib = exe.parent / "lib"
    assert sorted(entries[:2]) == [str(lib / "extra.jar"), str(lib / "probe.jar")]
    assert entries[2:] == [str(shared), str(exe.parent / "classes"), ""]


def test_class_path_longer_than_any_command_line(host_app):
    entries = ["/jars/%s%04d.jar" % ("j" * 90, i) for i in range(1100)]
    exe = host_app(settings(class_path=";".join([r"lib\probe.jar", *entries, "%APP_JARS%/x.jar"])))
    result = subprocess.run([str(exe)], cwd=exe.parent, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, timeout=60,
                            env=dict(os.environ, APP_JARS="/more"))
    class_path, = values(result, "classpath")
    assert len(class_path) > 100000
    probe = str(exe.parent / "lib" / "probe.jar")
    assert class_path == ":".join([probe, *entries, "/more/x.jar", ""])


def test_vm_parameters_only_in_a_plus_section(host_app):
    # With nothing to append to, the value must not start with a space: the runtime refuses
    # an empty option.
    ini = settings() + "[Java Runtime Environment+]\nVirtual Machine Parameters=-Dp.one=1\n"
    result = run(host_app(ini))
    assert result.returncode == 0, result.stdout
    assert values(result, "option")[0] == "-Dp.one=1"


def test_embedded_jar_puts_the_executable_first(host_app, java_jars):
    exe = host_app(settings(class_path="", application="Embedded Jar=YES\n"), jars=())
    # An executable with a jar appended is both a program and a jar the runtime can read.
    exe.write_bytes(HOST_LAUNCHER.read_bytes() + java_jars["probe.jar"].read_bytes())
    result = run(exe)
    assert result.returncode == 0, result.stdout + result.stderr
    assert values(result, "classpath") == [str(exe) + ":"]


def test_missing_class_path_is_reported_and_the_launch_goes_on(host_app):
    result = run(host_app(settings(class_path="")))
    assert result.stdout == error_line(NO_CLASS_PATH)
    # The runtime's own launcher helper then cannot find the class and ends the program.
    assert b"Could not find or load main class Probe" in result.stderr
    assert result.returncode == 1


@pytest.mark.parametrize("failure_check", ["", "Failure Check=Yes\n"])
def test_main_that_throws_ends_with_zero_and_no_launcher_message(host_app, failure_check):
    # The runtime reports the exception, still pending, when the main thread detaches.
    result = run(host_app(settings(vm="-Dprobe=throw", application=failure_check)))
    assert result.returncode == 0
    assert result.stdout == b""
    assert b'Exception in thread "main" java.lang.IllegalStateException: thrown by main' in result.stderr


def test_system_exit_ends_the_process_with_its_code(host_app):
    result = run(host_app(settings(vm="-Dprobe=exit")), "7")
    assert result.returncode == 7
    assert result.stdout == b""


@pytest.mark.parametrize("main, complaint", [
    pytest.param("Missing", b"Could not find or load main class Missing", id="missing_class"),
    pytest.param("NoMain", b"Main method is not static in class NoMain", id="instance_main"),
])
def test_the_runtimes_helper_judges_the_main_class(host_app, main, complaint):
    # With the runtime's launcher helper the runtime itself reports and exits with 1; the
    # launcher's own messages for these cases belong to runtimes without it.
    result = run(host_app(settings(main=main)))
    assert result.returncode == 1
    assert result.stdout == b""
    assert complaint in result.stderr


def test_stack_size_option_sizes_the_main_thread(host_app):
    depths = {}
    for size in ("1m", "16m"):
        result = run(host_app(settings(vm="-Dprobe=depth -Xss" + size)))
        depths[size] = int(values(result, "depth")[0])
    assert depths["16m"] > 8 * depths["1m"]


def test_dated_output_and_error_files_in_missing_folders(host_app, tmp_path):
    logs = tmp_path / "logs"
    application = ("Output File=%s/out/app_%%yyyyMMdd_HHmmss%%.log\n"
                   "Error File=%s/err/deeper/app_%%yyyyMMdd_HHmmss%%.log\n" % (logs, logs))
    exe = host_app(settings(vm="-Dprobe=print", application=application))
    before = datetime.datetime.now().replace(microsecond=0)
    result = run(exe, "one")
    after = datetime.datetime.now()
    assert result.returncode == 0
    out_files = list((logs / "out").iterdir())
    err_files = list((logs / "err" / "deeper").iterdir())
    assert [f.read_text() for f in out_files] == ["to out one\n"]
    assert [f.read_text() for f in err_files] == ["to err one\n"]
    # Both names carry the same instant, taken during the run.
    assert out_files[0].name == err_files[0].name
    stamp = re.fullmatch(r"app_(\d{8}_\d{6})\.log", out_files[0].name).group(1)
    assert before <= datetime.datetime.strptime(stamp, "%Y%m%d_%H%M%S") <= after


def test_relative_file_names_get_their_folders_below_the_working_folder(host_app, tmp_path):
    application = "Output File=logs/out.txt\nError File=logs\\err\\deep\\err.txt\n"
    exe = host_app(settings(vm="-Dprobe=print", application=application))
    work = tmp_path / "work"
    work.mkdir()
    result = subprocess.run([str(exe), "one"], cwd=work, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, timeout=60)
    assert result.returncode == 0
    assert (work / "logs" / "out.txt").read_text() == "to out one\n"
    assert (work / "logs" / "err" / "deep" / "err.txt").read_text() == "to err one\n"


@pytest.mark.parametrize("word, kept", [("yes", True), ("Yes", False)])
def test_output_appends_only_with_lowercase_yes(host_app, tmp_path, word, kept):
    out = tmp_path / "out.log"
    out.write_text("earlier\n")
    exe = host_app(settings(vm="-Dprobe=print", application="Output File=%s\nOutput Append=%s\n"
                            % (out, word)))
    run(exe, "now")
    assert out.read_text() == ("earlier\n" if kept else "") + "to out now\n"


def test_process_waits_for_the_last_non_daemon_thread(host_app, tmp_path):
    marker = tmp_path / "marker"
    result = run(host_app(settings(vm="-Dprobe=linger")), str(marker))
    assert result.returncode == 0
    assert marker.read_text() == "done"


@pytest.mark.parametrize("jvm_type", ["", "server", "favor_server"])
def test_private_runtime_beside_the_launcher(host_app, jvm_type):
    ini = settings().replace("[Java Runtime Environment]\n",
                             "[Java Runtime Environment]\nJRE Path=\nJVM Type=%s\n" % jvm_type)
    exe = host_app(ini)
    (exe.parent / "jre").symlink_to(JDK_HOME)
    result = run(exe)
    assert result.returncode == 0, result.stdout
    assert values(result, "env.VORN_JVM_PATH") == [str(exe.parent / "jre" / "lib" / "server" / "libjvm.so")]
