"""The embedded settings layer under Wine: executables packaged by embed-settings, read by
the launcher through the real resource functions and CryptoAPI, layered under the settings
file beside them."""
from dataclasses import dataclass, field

import pytest

from conftest import LAUNCHERS, error_line, fixture_program
from embedding import CODE, PRODUCT, embed
from probe import ProbeApp

NO_MAIN_CLASS = error_line("Main class tidak ditetapkan di file INI.")
MAIN = "[Java Runtime Environment]\r\nMain Class=com.example.App\r\n"
WINDOWS = ["windows-x86", "windows-x64"]


def require(path):
    if not path.exists():
        pytest.skip(f"{path} is not built")


@pytest.mark.parametrize("platform", WINDOWS)
def test_launcher_finds_main_class_in_embedded_settings_alone(platform, wine, make_app):
    require(LAUNCHERS[platform])
    exe = make_app("tool.exe", PRODUCT, launcher=LAUNCHERS[platform])
    # A runtime folder that does not exist keeps what follows the settings deterministic.
    assert embed(exe, MAIN + "JRE Path=Z:\\no\\such\\runtime\r\n").returncode == 0
    result = wine.run(exe)
    assert NO_MAIN_CLASS not in result.stdout
    assert result.returncode == 255


def test_launcher_under_a_wrong_upgrade_code_reports_no_main_class(wine, make_app):
    exe = make_app("tool.exe", "[Product Information]\nUpgrade Code={other}\n")
    assert embed(exe, MAIN).returncode == 0
    result = wine.run(exe)
    assert result.stdout == NO_MAIN_CLASS
    assert result.returncode == 255


@dataclass
class Layering:
    name: str
    embedded: str                 # the text the executable carries
    file: str = ""                # the settings file beside it, after Product Information
    expected: dict = field(default_factory=dict)
    verbatim: bool = False        # written exactly as given (no CR LF, mark kept)
    encoding: str = "utf-8"
    product: str = PRODUCT


LAYERING = [
    Layering("embedded_alone", MAIN, expected={"read": "1", "mainClassName": "com/example/App"}),
    Layering("file_value_replaces", MAIN + "System Path=embedded\r\n",
             "[Java Runtime Environment]\nSystem Path=file\n",
             {"systemPath": "file", "mainClassName": "com/example/App"}),
    Layering("plus_section_appends_with_one_space", MAIN + "System Path=C:\\a\r\n",
             "[Java Runtime Environment+]\nSystem Path=C:\\b\n", {"systemPath": "C:\\a C:\\b"}),
    Layering("empty_file_value_keeps_embedded", MAIN,
             "[Java Runtime Environment]\nMain Class=\n", {"mainClassName": "com/example/App"}),
    Layering("line_feed_alone_makes_one_line",
             "[Java Runtime Environment]\nMain Class=com.example.App\n", verbatim=True,
             expected={"read": "0", "mainClassName": ""}),
    Layering("spaced_header_is_another_name",
             "[ Java Runtime Environment ]\r\nMain Class=com.example.App\r\n",
             expected={"read": "0"}),
    Layering("repeated_section_never_found",
             "[Java Runtime Environment]\r\nSystem Path=first\r\n"
             "[Java Runtime Environment]\r\nLibrary Path=second\r\n",
             "[Java Runtime Environment]\nMain Class=file.Main\n",
             {"read": "1", "systemPath": "first", "libraryPath": ""}),
    Layering("leading_mark_dropped", "\ufeff" + MAIN, verbatim=True,
             expected={"read": "1", "mainClassName": "com/example/App"}),
    Layering("product_information_never_embedded",
             MAIN + "[Product Information]\r\nProduct Name=Embedded\r\nProduct Code={1}\r\n",
             expected={"productName": "", "productCode": ""}),
    Layering("utf16_text_with_non_ascii", MAIN + "Library Path=C:\\M\u00fcller\\lib\r\n",
             encoding="utf-16", expected={"libraryPath": "C:\\M\u00fcller\\lib"}),
    Layering("long_value_whole", MAIN + "System Path=" + "x" * 999 + "y\r\n",
             expected={"systemPath": "x" * 999 + "y"}),
    Layering("wrong_upgrade_code", MAIN, product="[Product Information]\nUpgrade Code=wrong\n",
             expected={"read": "0", "upgradeCode": "wrong"}),
    Layering("no_upgrade_code", MAIN, product="", expected={"read": "0"}),
]


@pytest.mark.parametrize("case", LAYERING, ids=lambda c: c.name)
def test_embedded_text_is_layered_under_the_settings_file(case, wine, tmp_path):
    app = ProbeApp("windows-x86", wine.run, tmp_path / "app", case.product + case.file)
    options = ["--verbatim"] if case.verbatim else []
    packed = embed(app.exe, case.embedded, CODE, *options, encoding=case.encoding)
    assert packed.returncode == 0, packed.stderr
    result, found = app.settings()
    for name, value in case.expected.items():
        assert found[name] == value, name
    assert (NO_MAIN_CLASS in result.stdout) == (found["read"] == "0")


def test_companion_build_reads_embedded_settings(wine, tmp_path):
    probe = fixture_program("windows-x64", "launcher_probe")
    require(probe)
    app = ProbeApp("windows-x64", wine.run, tmp_path / "app", PRODUCT)
    assert embed(app.exe, MAIN + "Library Path=lib64\r\n").returncode == 0
    _, found = app.settings()
    assert found["mainClassName"] == "com/example/App"
    assert found["libraryPath"] == "lib64"
