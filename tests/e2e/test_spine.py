"""The launch spine under Wine: the first failures a user meets and their exit codes."""
from conftest import error_line

NO_MAIN_CLASS = "Main class tidak ditetapkan di file INI."


def test_no_settings_file_reports_missing_main_class(wine, make_app):
    exe = make_app()
    result = wine.run(exe)
    assert result.stdout == error_line(NO_MAIN_CLASS)
    assert result.returncode == 255
