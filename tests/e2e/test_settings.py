"""Reading the settings, through the real private-profile functions under Wine and through
their emulation in the Linux host build: every key with its default, layer and judging rule,
the profile file syntax as Windows reads it, and where JRE Path comes from."""
import shutil
import uuid
from dataclasses import dataclass, field

import pytest

from conftest import write_ini
from probe import PLATFORMS, ProbeApp

MAIN = "[Java Runtime Environment]\nMain Class=com.example.App\n"

DEFAULTS = {
    "read": "1", "productCode": "", "upgradeCode": "", "productName": "",
    "minVersion": "0.0.0.0", "maxVersion": "0.0.0.0", "serviceMode": "0", "omitServiceName": "0",
    "preferredVersions": "", "jrePath": "", "jvmType": "Any", "wantJdk": "1", "wantJre": "1",
    "favorSource": "1", "searchJavaSoft": "1", "searchJRockit": "0", "searchIbm": "0",
    "preferJavaSoft": "1", "preferJRockit": "0", "preferIbm": "0",
    "mainClassName": "com/example/App", "failureCheck": "0", "overrideWorkingDir": "0",
    "systemPath": "", "libraryPath": "", "pairProduct": "", "pairReturnCode": "0",
}

NO_MAIN_CLASS = b"Error: Main class tidak ditetapkan di file INI. \n"


@dataclass
class Case:
    name: str
    ini: str
    changed: dict = field(default_factory=dict)   # fields that differ from DEFAULTS


def runtime(*lines):
    return MAIN + "".join(line + "\n" for line in lines)


def application(*lines):
    return MAIN + "[Application]\n" + "".join(line + "\n" for line in lines)


def provider(value, search, prefer):
    """A VM Provider row: the JavaSoft, JRockit and IBM search and prefer flags as 0/1 texts."""
    names = ["JavaSoft", "JRockit", "Ibm"]
    changed = {"search" + n: s for n, s in zip(names, search)}
    changed.update({"prefer" + n: p for n, p in zip(names, prefer)})
    return Case("provider_" + value.lower() if value else "provider_empty",
                runtime("VM Provider=" + value), changed)


def source(value, favor, jdk, jre):
    return Case("source_" + value, runtime("JVM Source=" + value),
                {"favorSource": favor, "wantJdk": jdk, "wantJre": jre})


JUDGING = [
    Case("only_main_class", MAIN),
    Case("slashed_main_class", "[Java Runtime Environment]\nMain Class=com/example/App\n"),
    Case("versions_any", runtime("Minimum Version=any", "Maximum Version=any"),
         {"maxVersion": "65535.65535.65535.65535"}),
    Case("versions_filled_per_bound", runtime("Minimum Version=1.6", "Maximum Version=1.8"),
         {"minVersion": "1.6.0.0", "maxVersion": "1.8.65535.65535"}),
    Case("any_only_in_lower_case", runtime("Minimum Version=Any", "Maximum Version=ANY")),
    Case("maximum_absent_stays_zero", runtime("Minimum Version=any")),
    Case("update_versions", runtime("Minimum Version=1.8.0_201", "Maximum Version=jre11.0.2"),
         {"minVersion": "1.8.0.201", "maxVersion": "11.0.2.65535"}),
    Case("service_exactly", application("Application Type=service", "Omit Service Name=no"),
         {"serviceMode": "1", "omitServiceName": "1"}),
    Case("service_without_omit", application("Application Type=service"), {"serviceMode": "1"}),
    Case("omit_read_in_service_mode_only",
         application("Application Type=Service", "Omit Service Name=yes")),
    Case("preferred_versions_split", runtime("Preferred versions=1.7;;1.8;"),
         {"preferredVersions": "[1.7][][1.8]"}),
    Case("preferred_pieces_untrimmed", runtime("Preferred versions= 1.7 ; 1.8 "),
         {"preferredVersions": "[1.7 ][ 1.8]"}),
    Case("jvm_type_server", runtime("JVM Type=server"), {"jvmType": "Server"}),
    Case("jvm_type_favor_server", runtime("JVM Type=favor_server"), {"jvmType": "FavorServer"}),
    Case("jvm_type_exact", runtime("JVM Type=Server")),
    source("favor_JDK", "1", "1", "0"),
    source("favor_JRE", "1", "0", "1"),
    source("only_JDK", "0", "1", "0"),
    source("only_JRE", "0", "0", "1"),
    source("favor_jdk", "0", "0", "0"),
    source("JDK", "0", "0", "0"),
    provider("jrockit", "010", "010"),
    provider("JRockit", "010", "010"),
    provider("ibm", "001", "001"),
    provider("favor_sun", "111", "100"),
    provider("favor_jrockit", "111", "010"),
    provider("FAVOR_IBM", "111", "001"),
    provider("any", "111", "000"),
    provider("sun", "100", "100"),
    Case("yes_in_any_case",
         application("Failure Check=YES", "Override WorkingDir=yes", "Pair Return Code=Yes"),
         {"failureCheck": "1", "overrideWorkingDir": "1", "pairReturnCode": "1"}),
    Case("other_affirmatives_are_no",
         application("Failure Check=y", "Override WorkingDir=true", "Pair Return Code=Yes please")),
    Case("texts_taken_as_read",
         runtime("System Path=C:\\Tools;%WINDIR%", "Library Path=lib;native") +
         "[Application]\nPair Product=D:\\x64\\tool64.exe\n",
         {"systemPath": "C:\\Tools;%WINDIR%", "libraryPath": "lib;native",
          "pairProduct": "D:\\x64\\tool64.exe"}),
    Case("keys_belong_to_their_sections",
         runtime("Pair Product=c", "Pair Return Code=Yes", "Failure Check=Yes") +
         "[Application]\nSystem Path=a\nLibrary Path=b\nMain Class=x.Y\nJVM Type=server\n"),
    Case("product_information",
         MAIN + "[Product Information]\nProduct Code={1234}\nUpgrade Code={5678}\n"
         "Product Name=Acme Tool\n",
         {"productCode": "{1234}", "upgradeCode": "{5678}", "productName": "Acme Tool"}),
    Case("product_information_never_layered",
         MAIN + "[Product Information+]\nProduct Name=Acme\nProduct Code={1}\n"),
    Case("plus_section_extends", MAIN + "[Java Runtime Environment+]\nLibrary Path=lib\n",
         {"libraryPath": "lib"}),
    Case("main_class_from_plus_section", "[Java Runtime Environment+]\nMain Class=a.B\n",
         {"mainClassName": "a/B"}),
    # The private-profile rules themselves.
    Case("names_in_any_case",
         "[java runtime environment]\nmain class=com.example.App\n[APPLICATION]\nfailure CHECK=yes\n",
         {"failureCheck": "1"}),
    Case("blanks_and_quotes",
         "  [ Java Runtime Environment ]  \n\t Main Class\t =  \"com.example.App\"  \n"
         "Library Path = ' lib '\nSystem Path = \"a\n",
         {"libraryPath": " lib ", "systemPath": "\"a"}),
    Case("first_key_of_a_name",
         "[Java Runtime Environment]\nMain Class=com.example.App\nMain Class=other.Main\n"),
    Case("equals_in_value", runtime("Library Path=a=b"), {"libraryPath": "a=b"}),
    Case("long_value_read_whole", runtime("System Path=" + "x" * 299 + "y"),
         {"systemPath": "x" * 299 + "y"}),
]


@pytest.mark.parametrize("platform", PLATFORMS)
@pytest.mark.parametrize("case", JUDGING, ids=lambda c: c.name)
def test_settings_are_judged(platform, case, runner, tmp_path):
    app = ProbeApp(platform, runner(platform).run, tmp_path / "app", case.ini)
    result, found = app.settings()
    assert result.returncode == 0, result.stdout
    for name in ("commandLine", "arguments"):
        found.pop(name)
    assert found == dict(DEFAULTS, **case.changed)


MISSING_MAIN_CLASS = [
    Case("no_settings_file", None),
    Case("empty_value", "[Java Runtime Environment]\nMain Class=\n"),
    Case("quotes_around_nothing", "[Java Runtime Environment]\nMain Class=\"\"\n"),
    Case("wrong_section", "[Application]\nMain Class=com.example.App\n"),
    Case("only_first_section_of_a_name",
         "[Java Runtime Environment]\nJVM Type=server\n[Java Runtime Environment]\n"
         "Main Class=com.example.App\n",
         {"jvmType": "Server"}),
    Case("key_without_value_hides_later_line",
         "[Java Runtime Environment]\nMain Class\nMain Class=com.example.App\n"),
    # Keys after Main Class are not read when it is missing.
    Case("later_keys_not_read",
         "[Application]\nFailure Check=Yes\nPair Product=c.exe\n[Java Runtime Environment]\n"
         "JVM Type=server\n",
         {"jvmType": "Server"}),
]


@pytest.mark.parametrize("platform", PLATFORMS)
@pytest.mark.parametrize("case", MISSING_MAIN_CLASS, ids=lambda c: c.name)
def test_missing_main_class_stops_reading(platform, case, runner, tmp_path):
    app = ProbeApp(platform, runner(platform).run, tmp_path / "app", case.ini)
    result, found = app.settings()
    assert result.returncode == 255
    assert result.stdout.startswith(NO_MAIN_CLASS)
    assert result.stdout.count(b"Error: ") == 1
    assert found["read"] == "0"
    assert found["mainClassName"] == ""
    for name in ("failureCheck", "pairProduct", "systemPath", "libraryPath"):
        assert found[name] == DEFAULTS[name]
    assert found["jvmType"] == case.changed.get("jvmType", "Any")


@pytest.mark.parametrize("platform", PLATFORMS)
@pytest.mark.parametrize("encoding", ["utf-16-le", "utf-16-be", "utf-8"])
def test_unicode_settings_files_with_a_byte_order_mark(platform, encoding, runner, tmp_path):
    app = ProbeApp(platform, runner(platform).run, tmp_path / "app")
    write_ini(app.ini, "\ufeff[Java Runtime Environment]\nMain Class=caf\u00e9.\u4e2d\n", encoding)
    result, found = app.settings()
    assert found["mainClassName"] == "caf\u00e9/\u4e2d"


@pytest.mark.parametrize("platform", PLATFORMS)
def test_arguments_follow_the_program_path(platform, runner, tmp_path):
    app = ProbeApp(platform, runner(platform).run, tmp_path / "app", MAIN)
    result, found = app.settings("one two", "", "three")
    assert found["arguments"] == "[settings][one two][][three]"


# Where JRE Path comes from: the per-user file decides once it exists (ordinary mode only).
@dataclass
class UserCase:
    name: str
    settings: str                # lines added to the settings file
    user_file: str = None        # the per-user file's text; None: no such file
    product: str = "Acme Tool"   # Product Name as written; the per-user folder is its clean form
    jre_path: str = ""


USER_CASES = [
    UserCase("no_user_file_reads_settings_file", "JRE Path=C:\\Beside", jre_path="C:\\Beside"),
    UserCase("user_file_decides", "JRE Path=C:\\Beside",
             "[Java Runtime Environment]\nJRE Path=C:\\Picked\n", jre_path="C:\\Picked"),
    UserCase("user_file_without_jre_path_gives_none", "JRE Path=C:\\Beside",
             "[Application]\nX=1\n"),
    UserCase("user_file_has_no_plus_layer", "JRE Path=C:\\Beside",
             "[Java Runtime Environment+]\nJRE Path=C:\\Picked\n"),
    UserCase("user_file_in_cleaned_product_folder", "",
             "[Java Runtime Environment]\nJRE Path=C:\\Picked\n", product="Acme: Tool/Pro?",
             jre_path="C:\\Picked"),
    UserCase("service_mode_ignores_user_file", "JRE Path=C:\\Beside\n[Application]\n"
             "Application Type=service",
             "[Java Runtime Environment]\nJRE Path=C:\\Picked\n", jre_path="C:\\Beside"),
]


@pytest.fixture
def user_folder(runner, tmp_path):
    """(folder, env) for a platform: where the per-user settings of a product go, and the
    environment that puts them there. Windows programs under Wine use the prefix's own
    application data folder, so each test takes a product code of its own and removes it."""
    made = []

    def get(platform, product):
        code = "{%s}" % uuid.uuid4()
        if platform.startswith("windows"):
            base, env = runner(platform).appdata(), {}
        else:
            base = tmp_path / "appdata"
            env = {"APPDATA": str(base)}
        folder = base / product.translate({ord(c): None for c in '\\?"|><:/*'}) / code
        made.append(folder)
        return code, folder, env

    yield get
    for folder in made:
        shutil.rmtree(folder, ignore_errors=True)


@pytest.mark.parametrize("platform", PLATFORMS)
@pytest.mark.parametrize("case", USER_CASES, ids=lambda c: c.name)
def test_jre_path_source(platform, case, runner, user_folder, tmp_path):
    code, folder, env = user_folder(platform, case.product)
    ini = (MAIN + case.settings + "\n[Product Information]\nProduct Name=" + case.product +
           "\nProduct Code=" + code + "\n")
    app = ProbeApp(platform, runner(platform).run, tmp_path / "app", ini)
    if case.user_file is not None:
        folder.mkdir(parents=True)
        write_ini(folder / "tool.ini", case.user_file)
    result, found = app.settings(env=env)
    assert found["read"] == "1", result.stdout
    assert found["jrePath"] == case.jre_path
    # Reading computes the per-user path without making its folders.
    assert folder.exists() == (case.user_file is not None)
