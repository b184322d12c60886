"""Tests of the layering check on small made-up source trees: each row lays out a few files
and names the includes (file, line) that the check must report, and no others."""
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import check_layers  # noqa: E402

CHECKER = Path(__file__).resolve().parent / "check_layers.py"

# (name, {path: text}, {(path, line) reported})
CASES = [
    ("a lower folder and the own folder are fine",
     {"src/jvm/a.cpp": '#include "jvm/a.h"\n#include "core/text.h"\n#include "platform/files.h"\n',
      "src/launcher/main.cpp": '#include "service/host.h"\n#include "instance/block.h"\n'},
     set()),
    ("a higher folder is reported with its line",
     {"src/core/text.cpp": '// text\n\n#include "core/text.h"\n#include "platform/files.h"\n'},
     {("src/core/text.cpp", 4)}),
    ("folders of equal rank do not see each other",
     {"src/config/a.cpp": '#include "ui/dialog.h"\n',
      "src/service/b.cpp": '#include "instance/block.h"\n'},
     {("src/config/a.cpp", 1), ("src/service/b.cpp", 1)}),
    ("win32 and posix count as platform",
     {"src/platform/win32/files.cpp": '#include "platform/files.h"\n#include "core/text.h"\n'
                                      '#include "config/profile_text.h"\n',
      "src/platform/posix/profile.cpp": '#include "platform/posix/paths.h"\n'
                                        '#include "jvm/host_rules.h"\n'},
     {("src/platform/win32/files.cpp", 3), ("src/platform/posix/profile.cpp", 2)}),
    ("only the platform layer reads resources",
     {"src/platform/posix/resources.cpp": '#include "resources/messages.inc"\n',
      "src/resources/launcher.rc": '#include <winresrc.h>\n#include "messages.inc"\n'
                                   '#include "launcher/message_ids.h"\n',
      "src/resources/messages.inc": "MESSAGE(202, L\"x\")\n",
      "src/launcher/messages.cpp": '#include "resources/messages.inc"\n'},
     {("src/launcher/messages.cpp", 1), ("src/resources/launcher.rc", 3)}),
    ("headers, tables and resource scripts are read as well as sources",
     {"src/core/a.hpp": '#include "jvm/b.h"\n', "src/core/table.inc": '#include "ui/c.h"\n',
      "src/platform/d.cc": '#include "config/e.h"\n', "src/core/notes.txt": '#include "jvm/b.h"\n'},
     {("src/core/a.hpp", 1), ("src/core/table.inc", 1), ("src/platform/d.cc", 1)}),
    ("subsystems may use the launcher's message and module path headers only",
     {"src/runtime/version.cpp": '#include "launcher/messages.h"\n'
                                 '#include "launcher/message_ids.h"\n'
                                 '#include "launcher/module_path.h"\n'
                                 '#include "launcher/command_line.h"\n',
      "src/ui/dialog.cpp": '#include "launcher/module_path.h"\n',
      "src/platform/win32/process.cpp": '#include "launcher/messages.h"\n',
      "src/core/format.cpp": '#include "launcher/message_ids.h"\n'},
     {("src/runtime/version.cpp", 4), ("src/platform/win32/process.cpp", 1),
      ("src/core/format.cpp", 1)}),
    ("the launcher's own header stays in src/launcher and the probe",
     {"src/launcher/main.cpp": '#include "launcher/launcher.h"\n',
      "src/jvm/vm_binding.cpp": '#include "launcher/launcher.h"\n',
      "tests/fixtures/launcher_probe/probe.cpp": '#include "launcher/launcher.h"\n',
      "tests/fixtures/companion/companion.cpp": '#include "launcher/launcher.h"\n',
      "tests/unit/launcher_test.cpp": '#include "launcher/launcher.h"\n',
      "tools/packager/src/main.cpp": '#include "platform/process.h"\n#include "options.h"\n'
                                     '#include "launcher/launcher.h"\n',
      "tools/packager/src/options.h": "",
      "bench/registry/bench.cpp": '#include "launcher/launcher.h"\n'},
     {("src/jvm/vm_binding.cpp", 1), ("tests/fixtures/companion/companion.cpp", 1),
      ("tools/packager/src/main.cpp", 3), ("bench/registry/bench.cpp", 1)}),
    ("includes are found the way the compiler finds them",
     {"src/config/read.cpp": '#include "settings.h"\n#include "../launcher/command_line.h"\n'
                             '# include <launcher/launcher.h>\n',
      "src/config/settings.h": "",
      "src/core/text.cpp": '#include "text.h"\n',
      "src/launcher/text.h": ""},
     {("src/config/read.cpp", 2), ("src/config/read.cpp", 3)}),
    ("a folder outside the layering is reported",
     {"src/extra/a.cpp": '#include "core/text.h"\n',
      "src/core/b.cpp": '#include "extra/a.h"\n',
      "src/loose.cpp": '#include "core/text.h"\n'},
     {("src/extra/a.cpp", 1), ("src/core/b.cpp", 1), ("src/loose.cpp", 1)}),
    ("only win32_api.h includes windows.h",
     {"src/platform/win32/win32_api.h": "#include <windows.h>\n",
      "src/platform/win32/clock.cpp": '#include <windows.h>\n',
      "tests/fixtures/companion/companion.cpp": '#include <Windows.h>\n',
      "tools/packager/src/win32/io.cpp": '#include "windows.h"\n',
      "tools/packager/tests/probe/probe.cpp": "#include <imagehlp.h>\n"},
     {("src/platform/win32/clock.cpp", 1), ("tests/fixtures/companion/companion.cpp", 1),
      ("tools/packager/src/win32/io.cpp", 1)}),
    ("no source sets the Windows target",
     {"src/platform/win32/win32_api.h": "#ifndef _WIN32_WINNT\n#define _WIN32_WINNT 0x0600\n"
                                        "#endif\n",
      "bench/minimal_host/host.cpp": "#  define WINVER 0x0601\n",
      "tests/fixtures/testjvm/testjvm.cpp": "#undef _WIN32_WINNT\n",
      "src/platform/win32/check.h": "#if _WIN32_WINNT != 0x0600 || WINVER != 0x0600\n#endif\n"
                                    "#define WINVERSION 1\n"},
     {("src/platform/win32/win32_api.h", 2), ("bench/minimal_host/host.cpp", 1),
      ("tests/fixtures/testjvm/testjvm.cpp", 1)}),
]


def lay_out(root, files):
    for path, text in files.items():
        (root / path).parent.mkdir(parents=True, exist_ok=True)
        (root / path).write_text(text)


class LayeringCheck(unittest.TestCase):
    def test_cases(self):
        for name, files, expected in CASES:
            with self.subTest(name), tempfile.TemporaryDirectory() as folder:
                lay_out(Path(folder), files)
                found = {(v.path.as_posix(), v.line) for v in check_layers.check(folder)}
                self.assertEqual(found, expected)

    def test_command_names_each_file_and_line_and_fails(self):
        with tempfile.TemporaryDirectory() as folder:
            lay_out(Path(folder), {"src/core/a.cpp": '\n#include "jvm/b.h"\n',
                                   "src/jvm/b.h": '#include "core/a.h"\n'})
            run = subprocess.run([sys.executable, str(CHECKER), folder], capture_output=True,
                                 text=True)
            self.assertEqual(run.returncode, 1)
            self.assertEqual(run.stdout.splitlines(), [
                "src/core/a.cpp:2: core/ may not include jvm/b.h: jvm/ is above core/"])

    def test_command_passes_a_clean_tree(self):
        with tempfile.TemporaryDirectory() as folder:
            lay_out(Path(folder), {"src/jvm/b.cpp": '#include "core/a.h"\n'})
            run = subprocess.run([sys.executable, str(CHECKER), folder], capture_output=True,
                                 text=True)
            self.assertEqual((run.returncode, run.stdout), (0, ""))


if __name__ == "__main__":
    unittest.main()
