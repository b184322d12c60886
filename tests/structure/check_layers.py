#!/usr/bin/env python3
"""Checks that the launcher's source folders include each other in one direction only.

Reads the #include lines of every source file under src/, tools/, tests/ and bench/ and
prints one `file:line: reason` line for each include that breaks the layering, then exits
with 1; exits with 0 when there is none. Usage: check_layers.py [SOURCE_ROOT]
"""
import os
import re
import sys
from pathlib import Path, PurePosixPath

# The folders of src/ from the bottom up. A file sees its own folder and the folders below
# it; folders of equal rank do not see each other.
RANKS = {
    "core": 0,
    "platform": 1,
    "config": 2, "ui": 2,
    "runtime": 3,
    "jvm": 4,
    "service": 5, "instance": 5,
    "launcher": 6,
}
# Data only (string table, manifest, resource script): the OS layer reads it, nothing else.
RESOURCES = "resources"
RESOURCE_READERS = {"platform"}

# Every subsystem reports its errors with the launcher's messages and names modules the way
# the launcher does; these three headers hold just that, so the subsystems may use them
# although launcher/ lies above them.
SHARED_LAUNCHER_HEADERS = {"launcher/messages.h", "launcher/message_ids.h",
                           "launcher/module_path.h"}
SHARED_HEADER_USERS = {"config", "ui", "runtime", "jvm", "service", "instance"}

# The launcher's own state is for the entry point and for the probe that drives its steps;
# tools, benchmarks and other test programs build on the subsystems instead. (Unit tests
# may reach into anything they test.)
LAUNCHER_HEADER = "launcher/launcher.h"
LAUNCHER_HEADER_BARRED = ("tools/", "bench/", "tests/fixtures/")
LAUNCHER_HEADER_USERS_OUTSIDE_SRC = ("tests/fixtures/launcher_probe/",)

# Only this header includes <windows.h>, and the build alone says which Windows it targets.
WINDOWS_HEADER_OWNER = "src/platform/win32/win32_api.h"
TARGET_MACROS = ("_WIN32_WINNT", "WINVER")

SCANNED_TREES = ("src", "tools", "tests", "bench")
SOURCE_SUFFIXES = {".h", ".hh", ".hpp", ".c", ".cc", ".cpp", ".cxx", ".inc", ".rc"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
TARGET_DEFINE = re.compile(r"^\s*#\s*(?:define|undef)\s+(" + "|".join(TARGET_MACROS) + r")\b")


class Violation:
    def __init__(self, path, line, reason):
        self.path, self.line, self.reason = path, line, reason

    def __str__(self):
        return f"{self.path}:{self.line}: {self.reason}"


def source_files(root):
    for tree in SCANNED_TREES:
        base = root / tree
        if not base.is_dir():
            continue
        for folder, dirs, files in os.walk(base):
            dirs.sort()
            for name in sorted(files):
                path = Path(folder) / name
                if path.suffix in SOURCE_SUFFIXES:
                    yield PurePosixPath(path.relative_to(root).as_posix())


def resolve(root, including, quote, name):
    """The path below root that an include names, as the compiler finds it: beside the
    including file first (quoted form only), then below src/, the project's include folder.
    A name below src/ that does not exist yet still counts as that path."""
    candidates = []
    if quote == '"':
        candidates.append(PurePosixPath(os.path.normpath(including.parent / name)))
    candidates.append(PurePosixPath(os.path.normpath(PurePosixPath("src") / name)))
    for candidate in candidates:
        if (root / candidate).is_file():
            return candidate
    # A header that is not there (yet) is taken at its word: an explicitly relative name
    # beside the file, a name with a folder of src/ below src/.
    if name.startswith("."):
        return candidates[0]
    top = PurePosixPath(name).parts[0]
    if "/" in name and (top in RANKS or top == RESOURCES or (root / "src" / top).is_dir()):
        return PurePosixPath(os.path.normpath(PurePosixPath("src") / name))
    return None


def src_folder(path):
    """The folder of src/ that a path lies in (platform/win32 is platform), or None."""
    parts = path.parts
    if len(parts) < 2 or parts[0] != "src":
        return None
    return parts[1] if len(parts) > 2 else ""


def layering_reason(path, target):
    """Why the file at path may not include target (both below src/), or None."""
    own, other = src_folder(path), src_folder(target)
    name = target.relative_to("src").as_posix()
    for folder in (own, other):
        if folder not in RANKS and folder != RESOURCES:
            where = f"src/{folder}/" if folder else "directly in src/"
            return f"{where} is not a layer of the launcher"
    if name == LAUNCHER_HEADER and own != "launcher":
        return f"{name} is for src/launcher/ only"
    if own == other:
        return None
    if other == RESOURCES:
        return None if own in RESOURCE_READERS else f"{own}/ may not include {RESOURCES}/ ({name})"
    if own == RESOURCES:
        return f"{RESOURCES}/ holds data and includes nothing from {other}/ ({name})"
    if name in SHARED_LAUNCHER_HEADERS and own in SHARED_HEADER_USERS:
        return None
    if RANKS[other] < RANKS[own]:
        return None
    relation = "the same level as" if RANKS[other] == RANKS[own] else "above"
    return f"{own}/ may not include {name}: {other}/ is {relation} {own}/"


def check(root):
    root = Path(root)
    violations = []
    for path in source_files(root):
        text = (root / path).read_text(encoding="utf-8", errors="replace")
        for number, line in enumerate(text.splitlines(), 1):
            define = TARGET_DEFINE.match(line)
            if define:
                violations.append(Violation(path, number, f"{define.group(1)} is defined by the "
                                            "build for every Windows target, not in a source"))
                continue
            match = INCLUDE.match(line)
            if not match:
                continue
            quote, name = match.groups()
            windows_header = PurePosixPath(name).name.lower() == "windows.h"
            if windows_header and path.as_posix() != WINDOWS_HEADER_OWNER:
                violations.append(Violation(path, number, f"only {WINDOWS_HEADER_OWNER} includes "
                                            "windows.h; include it instead"))
                continue
            target = resolve(root, path, quote, name)
            if target is None or src_folder(target) is None:
                continue
            if path.parts[0] == "src":
                reason = layering_reason(path, target)
            elif (target.as_posix() == "src/" + LAUNCHER_HEADER
                  and path.as_posix().startswith(LAUNCHER_HEADER_BARRED)
                  and not path.as_posix().startswith(LAUNCHER_HEADER_USERS_OUTSIDE_SRC)):
                reason = f"{LAUNCHER_HEADER} is for src/launcher/ only"
            else:
                reason = None
            if reason:
                violations.append(Violation(path, number, reason))
    return violations


def main(argv):
    root = Path(argv[1]) if len(argv) > 1 else Path(__file__).resolve().parents[2]
    violations = check(root)
    for violation in violations:
        print(violation)
    if violations:
        print(f"{len(violations)} include(s) break the layering of {root}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
