"""Each settings file is read once per start: the section reader gives, under Wine, the answers
the per-key private-profile reads give for every key of every section of a corpus of files;
a start reads each section of the settings files once under Wine and opens each file once on
Linux."""
import collections
import os
import re
import shutil
import subprocess
import uuid
from pathlib import Path

import pytest

import testjvm
from conftest import HOST_LAUNCHER, X86_LAUNCHER, fixture_program, windows_path, write_ini
from test_settings import JUDGING, MISSING_MAIN_CLASS

JDK_HOME = Path(os.environ.get("JDK_HOME", "/usr/lib/jvm/java-17-openjdk-amd64"))
LAUNCHER_SECTIONS = ["Product Information", "Java Runtime Environment", "Application",
                     "Class Path"]
# Asked of every file beside the sections and keys the system lists for it: the launcher's
# own names, their "+" sections, other spellings, absent names, and keys the system does not
# list (without "=", comments, the empty key).
EXTRA_SECTIONS = LAUNCHER_SECTIONS + [s + "+" for s in LAUNCHER_SECTIONS] + [
    " Application ", "APPLICATION", "application +", "No Such Section", "", "A", "B"]
EXTRA_KEYS = ["Main Class", "JRE Path", "Cmd", "Class Path", " Main Class ", "MAIN CLASS",
              "Missing Key", "noeq", ";comment", " ;spaced comment", "", "k", "K", "\u00e9t\u00e9"]

LONG = "y" * 70000
CORPUS = {
    "quotes": "[A]\nd=\"x\"\ns='x'\nmixed=\"x'\nopen=\"x\nempty=\"\"\ninner=a\"b\"c\n"
              "twice=\"\"x\"\"\nspaced= \" x \" \none=\"\n",
    "blanks": "  [ A ]  \n\t k \t=\t v \t\n\x0bk2\x0c=\x1a v2 \x1a\nk3=\u00a0v\u3000\n",
    "repeated_sections": "[A]\nk=1\n[B]\nk=2\n[a]\nk=3\nj=4\n[A]\nj=5\n",
    "repeated_keys": "[A]\nk=1\nK=2\nk=3\n",
    "keys_without_equals": "[A]\nnoeq\nk\nk=1\nnoeq=2\n[B]\nk\n",
    "comments": "[A]\n;comment=1\n  ;spaced comment = 2\n# hash=3\nk=4\n;k=5\n",
    "empty_key_and_values": "[A]\n=v\nk=\nj = \n[B]\n",
    "equals_in_values": "[A]\nk==1\nj=a=b=c\n",
    "headers": "[A]]\nk=1\n[B\nk=2\n[C] trailing\nk=3\n[]\nk=4\n[D]x]\nk=5\n",
    "before_any_section": "k=0\n[A]\nk=1\n",
    "launcher_plus_sections": "[Java Runtime Environment]\nMain Class=\n"
                              "[Java Runtime Environment+]\nMain Class=a.B\n"
                              "[Application+]\nCmd=-x\n[Application]\n",
    "long_values": "[A]\nk=" + LONG + "\nq=\"" + LONG + "\"\nafter=1\n[B]\nk=2\n",
    "long_section": "[A]\n" + "".join("key%d=%s\n" % (i, "v" * 200) for i in range(400)),
    "non_ascii_names": "[\u00c9t\u00e9]\n\u00c9T\u00c9=1\nMa\u0130n Class=2\n\u212aey=3\n",
    "empty": "",
}
LINE_ENDS = {"crlf": "\r\n", "lf": "\n", "cr": "\r"}
ENCODINGS = {"utf16_bom": ("\ufeff", "utf-16-le"), "utf8_bom": ("\ufeff", "utf-8"),
             "utf8": ("", "utf-8")}
MIXED = "[A]\r\nk=1\nj=2\r[B]\n\rk=3\r\n\r\nj=4"


def corpus_files(folder):
    """Every corpus file written to the folder, named by what it holds; one missing file."""
    folder.mkdir()
    texts = {"settings_" + c.name: c.ini.replace("\n", "\r\n")
             for c in JUDGING + MISSING_MAIN_CLASS if c.ini}
    for name, text in CORPUS.items():
        for ending, line_end in LINE_ENDS.items():
            texts[name + "_" + ending] = text.replace("\n", line_end)
    paths = [folder / "missing.ini"]
    for name, text in texts.items():
        paths.append(folder / (name + ".ini"))
        paths[-1].write_bytes(text.encode("utf-8"))
    (folder / "mixed_line_ends.ini").write_bytes(MIXED.encode())
    paths.append(folder / "mixed_line_ends.ini")
    for name, (mark, encoding) in ENCODINGS.items():
        paths.append(folder / (name + ".ini"))
        write_ini(paths[-1], mark + CORPUS["non_ascii_names"] + CORPUS["quotes"], encoding)
    return paths


def compare(wine, folder, files):
    names = folder / "names.txt"
    names.write_text("".join("S\t%s\n" % s for s in EXTRA_SECTIONS) +
                     "".join("K\t%s\n" % k for k in EXTRA_KEYS), encoding="utf-8")
    return wine.run(fixture_program("windows-x86", "profile_compare"),
                    [windows_path(names)] + [windows_path(f) for f in files], cwd=folder)


def test_reader_answers_as_key_reads(wine, tmp_path):
    files = corpus_files(tmp_path / "corpus")
    result = compare(wine, tmp_path, files)
    output = result.stdout.decode()
    assert [line for line in output.splitlines() if line.startswith("DIFF")] == []
    assert result.returncode == 0, output
    compared = re.findall(r"^(.*): (\d+) compared\r?$", output, re.M)
    assert [name for name, _ in compared] == [windows_path(f) for f in files]
    assert all(int(count) >= len(EXTRA_SECTIONS) * len(EXTRA_KEYS) for _, count in compared)


def test_quoted_value_that_fills_the_first_buffer(wine, tmp_path):
    """Wine's key read cuts the closing quote and one more character when a quoted value and
    its closing quote fill the buffer exactly (so today's reads lost that character); the
    reader returns the value whole."""
    ini = tmp_path / "quoted.ini"
    ini.write_bytes(b"[A]\r\nk=\"" + b"x" * 255 + b"\"\r\n")
    result = compare(wine, tmp_path, [ini])
    diffs = [line for line in result.stdout.decode().splitlines() if line.startswith("DIFF")]
    assert [re.search(r"\[<A>\] <(k|K)>: key read <", line)[1] for line in diffs] == ["k", "K"]
    for line in diffs:
        assert line.rstrip().endswith("(254 in all)...%s> / reader <%s...(255 in all)...%s>" % (
            "x" * 30, "x" * 30, "x" * 30))


def full_start_settings(product_code):
    return ("[Product Information]\nProduct Name=Acme\nProduct Code=%s\n"
            "[Java Runtime Environment]\nMain Class=Trivial\n"
            "Virtual Machine Parameters=-Dx=1\n[Application]\nCmd=-c\n"
            "[Class Path]\nClass Path=app.jar\n" % product_code)


def test_each_section_is_read_once_per_start(wine, tmp_path):
    """A whole start under Wine, the runtime named by the per-user file: every section of the
    settings file and of the per-user file is read with one call, "+" sections the file lacks
    included, and no key is read by itself."""
    code = "{%s}" % uuid.uuid4()
    user = wine.appdata() / "Acme" / code
    user.mkdir(parents=True)
    try:
        app = tmp_path / "app"
        app.mkdir()
        testjvm.install(app / "runtime")
        write_ini(user / "tool.ini", "[Java Runtime Environment]\nJRE Path=%s\n"
                  % windows_path(app / "runtime"))
        write_ini(app / "tool.ini", full_start_settings(code))
        (app / "app.jar").write_bytes(b"")
        shutil.copyfile(X86_LAUNCHER, app / "tool.exe")
        result = wine.run(app / "tool.exe", env={"WINEDEBUG": "-all,trace+profile"})
        assert result.returncode == 0, result.stdout
        calls = re.findall(r':trace:profile:(GetPrivateProfile\w+) \(L"([^"]*)",.*, L"([^"]*)"\)',
                           result.stderr.decode("utf-8", "replace"))
    finally:
        shutil.rmtree(user.parent, ignore_errors=True)
    ours = [(call, file, section) for call, section, file in calls if file.endswith("tool.ini")]
    assert {call for call, _, _ in ours} == {"GetPrivateProfileSectionW"}
    reads = collections.Counter((file, section) for _, file, section in ours)
    assert set(reads.values()) == {1}
    # The per-user file lies in the folder named by the product code.
    user_reads = {section for file, section in reads if code in file}
    settings_reads = {section for file, section in reads if code not in file}
    assert user_reads == {"Java Runtime Environment"}
    assert "Product Information" in settings_reads
    assert settings_reads <= set(LAUNCHER_SECTIONS + [s + "+" for s in LAUNCHER_SECTIONS])


def strace_works():
    """strace is installed and may trace here (a container may forbid ptrace)."""
    return bool(shutil.which("strace")) and subprocess.run(
        ["strace", "-o", os.devnull, "true"], capture_output=True).returncode == 0


@pytest.mark.skipif(not strace_works(), reason="strace is not installed or may not trace")
def test_each_settings_file_is_opened_once_per_start(tmp_path):
    """A whole start of the Linux host launcher on OpenJDK opens its settings file and the
    per-user file once each."""
    jdk = str(JDK_HOME)
    if not (JDK_HOME / "bin" / "javac").exists():
        pytest.skip("no JDK to compile the test program")
    app = tmp_path / "app"
    app.mkdir()
    (app / "Trivial.java").write_text(
        "public class Trivial { public static void main(String[] a) {} }\n")
    subprocess.run([jdk + "/bin/javac", "-d", str(app), str(app / "Trivial.java")], check=True)
    code = "{%s}" % uuid.uuid4()
    user = tmp_path / "appdata" / "Acme" / code
    user.mkdir(parents=True)
    (user / "tool.ini").write_text("[Java Runtime Environment]\nJRE Path=%s\n" % jdk)
    (app / "tool.ini").write_text(full_start_settings(code).replace("app.jar", "."))
    shutil.copyfile(HOST_LAUNCHER, app / "tool")
    (app / "tool").chmod(0o755)
    trace = tmp_path / "trace"
    result = subprocess.run(["strace", "-f", "-e", "trace=open,openat,openat2", "-o", str(trace),
                             str(app / "tool")], cwd=app, capture_output=True, timeout=120,
                            env=dict(os.environ, APPDATA=str(tmp_path / "appdata")))
    assert result.returncode == 0, result.stdout
    opened = re.findall(r'open\w*\((?:AT_FDCWD, )?"([^"]*tool\.ini)"', trace.read_text())
    assert sorted(opened) == sorted([str(app / "tool.ini"), str(user / "tool.ini")])
