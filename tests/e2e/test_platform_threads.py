"""The platform layer's Windows threads, events and handle owners under Wine, in both builds:
each check of the platform probe runs in a process of its own and reports itself."""
import pytest

from conftest import fixture_program

CHECKS = [
    "run_thread_and_wait",
    "detached_thread",
    "thread_id_in_shared_memory",
    "thread_running_then_exit_code",
    "thread_exit_codes",
    "thread_outlives_its_owner",
    "no_thread",
    "event_times_out",
    "event_stays_set",
    "event_releases_waiter",
    "named_event",
    "no_event",
    "sleep_milliseconds",
    "closing_keeps_last_error",
    "put",
]


@pytest.mark.parametrize("platform", ["windows-x86", "windows-x64"])
@pytest.mark.parametrize("check", CHECKS)
def test_platform_probe_check(wine, platform, check):
    result = wine.run(fixture_program(platform, "platform_probe"), [check], timeout=60)
    assert (result.returncode, result.stdout.decode()) == (0, "ok " + check + "\n")


def test_unknown_check_is_refused(wine):
    result = wine.run(fixture_program("windows-x86", "platform_probe"), ["no_such_check"])
    assert result.returncode == 2
