#!/usr/bin/env python3
"""Reads every #include of the program's folders against the README's table "Which folder may
include which" and its sentence naming where the rules (QtCore only) begin.

    scripts/check-layers.py [SOURCE_ROOT] [--qt-headers DIR]

Prints one line per slip, `file:line: #include "x/y.h": <folder> may not include <folder>
(rule: ...)`, and ends with status 1 when there is one; with 0 and a count of what it read
when there is none. The table is read from SOURCE_ROOT/README.md, so that the README stays the
one statement of the rule.
"""
import argparse
import functools
import os
import re
import subprocess
import sys

HEADING = "### Which folder may include which"
RULES_SENTENCE = re.compile(r"Everything from `([^`]+/)` down is rules: QtCore only")
# A folder only one other may include (the decoders, which must never reach the program).
ALONE_SENTENCE = re.compile(r"`([^`]+/)` is included by `([^`]+/)` alone")
# A folder held to a few Qt modules, whatever its line allows.
MODULES_SENTENCE = re.compile(r"`([^`]+/)` uses ((?:Qt\w+(?:, | and )?)+) alone")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_ENDINGS = (".h", ".cpp")


def fail(message):
    print(f"check-layers: {message}", file=sys.stderr)
    sys.exit(2)


def read_table(readme):
    """The table's lines, top (app/) first: each a list of folders ending with '/', the
    folder from which everything down is rules, the folders only one other may include (folder:
    includer) and the folders held to a few Qt modules (folder: modules)."""
    with open(readme, encoding="utf-8") as f:
        text = f.read()
    start = text.find(HEADING)
    if start < 0:
        fail(f"{readme} has no heading '{HEADING}'")
    rows = []
    for line in text[start:].splitlines()[1:]:
        if line.startswith("#"):
            break
        if not line.startswith("    "):
            if rows:
                break  # the end of the indented block
            continue
        folders = []
        for word in line.split():
            if not word.endswith("/"):
                break
            folders.append(word)
        if folders:
            rows.append(folders)
    if not rows:
        fail(f"{readme} has no table of folders under '{HEADING}'")
    rules = RULES_SENTENCE.search(text[start:])
    if not rules:
        fail(f"{readme} does not say from which folder down the rules are QtCore only")
    alone = {m.group(1): m.group(2) for m in ALONE_SENTENCE.finditer(text[start:])}
    modules = {m.group(1): re.split(r", | and ", m.group(2))
               for m in MODULES_SENTENCE.finditer(text[start:])}
    return rows, rules.group(1), alone, modules


def qt_modules(headers):
    """A function naming the Qt module a header of `headers` belongs to, or None when it is no
    Qt header."""
    modules = [m for m in os.listdir(headers) if m.startswith("Qt")]

    @functools.cache
    def module_of(name):
        first = name.split("/")[0]
        if first in modules:
            return first
        for module in modules:
            if os.path.isfile(os.path.join(headers, module, name)):
                return module
        return None

    return module_of


def qt_headers_folder(given):
    if given:
        return given
    try:
        out = subprocess.run(["qtpaths6", "--query", "QT_INSTALL_HEADERS"], check=True,
                             capture_output=True, text=True).stdout.strip()
    except (OSError, subprocess.CalledProcessError) as error:
        fail(f"cannot ask qtpaths6 where Qt's headers are ({error}); pass --qt-headers")
    return out


class Layers:
    """The README's rule over one source tree."""

    def __init__(self, root, qt_headers):
        self.root = root
        rows, self.rules_from, self.alone, self.modules = read_table(
            os.path.join(root, "README.md"))
        self.row_of = {folder: row for row, folders in enumerate(rows) for folder in folders}
        for named in [self.rules_from, *self.alone, *self.alone.values(), *self.modules]:
            if named not in self.row_of:
                fail(f"README.md's rules name {named}, but its table does not")
        self.module_of = qt_modules(qt_headers)

    def folder_of(self, path):
        """The table's folder holding `path` (relative to the root): the longest that fits."""
        fitting = [folder for folder in self.row_of if path.startswith(folder)]
        return max(fitting, key=len, default=None)

    def files(self):
        """The program's source files, relative to the root, with their folders."""
        for top in sorted({folder.split("/")[0] for folder in self.row_of}):
            for directory, subfolders, names in os.walk(os.path.join(self.root, top)):
                subfolders.sort()
                for name in sorted(names):
                    path = os.path.join(directory, name)
                    relative = os.path.relpath(path, self.root)
                    own = self.folder_of(relative)
                    # A pipe named like a source file would block the read: regular files only.
                    if name.endswith(SOURCE_ENDINGS) and own and os.path.isfile(path):
                        yield relative, own

    def system_slip(self, own, name):
        module = self.module_of(name)
        allowed = self.modules.get(own)
        if module and allowed and module not in allowed:
            return (f"#include <{name}>: {own} may not include {module} (rule: {own} uses "
                    f"{' and '.join(allowed)} alone)")
        if module and module != "QtCore" and self.row_of[own] >= self.row_of[self.rules_from]:
            return (f"#include <{name}>: {own} may not include {module} (rule: everything from "
                    f"{self.rules_from} down is rules: QtCore only)")
        return None

    def program_slip(self, relative, own, name):
        # As the compiler looks: beside the including file first, then from the root.
        beside = os.path.normpath(os.path.join(os.path.dirname(relative), name))
        if os.path.isfile(os.path.join(self.root, beside)):
            target = beside
        elif "/" not in name:
            return None  # made beside it by the build (moc's)
        else:
            target = os.path.normpath(name)
        other = self.folder_of(target)
        said = f'#include "{name}": {own} may not include'
        if other is None:
            outside = target.split("/")[0] + "/"
            return f"{said} {outside} (rule: {outside} is not a folder of README.md's table)"
        if other in self.alone and own not in (other, self.alone[other]):
            return f"{said} {other} (rule: {other} is included by {self.alone[other]} alone)"
        if other != own and self.row_of[other] == self.row_of[own]:
            return f"{said} {other} (rule: README.md's table puts {other} on the line of {own})"
        if self.row_of[other] < self.row_of[own]:
            return f"{said} {other} (rule: README.md's table puts {other} above {own})"
        return None

    def check(self):
        """Every slip as `file:line: ...`, and how many files and includes were read."""
        slips = []
        files = includes = 0
        for relative, own in self.files():
            files += 1
            with open(os.path.join(self.root, relative), encoding="utf-8",
                      errors="replace") as f:
                lines = f.read().splitlines()
            for number, line in enumerate(lines, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                includes += 1
                quote, name = match.groups()
                if quote == "<":
                    slip = self.system_slip(own, name)
                else:
                    slip = self.program_slip(relative, own, name)
                if slip:
                    slips.append(f"{relative}:{number}: {slip}")
        return slips, files, includes


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("root", nargs="?",
                        default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser.add_argument("--qt-headers", help="Qt's include folder (default: qtpaths6's)")
    args = parser.parse_args()
    slips, files, includes = Layers(args.root, qt_headers_folder(args.qt_headers)).check()
    for slip in slips:
        print(slip)
    if slips:
        print(f"{len(slips)} includes break README.md's layering", file=sys.stderr)
        return 1
    print(f"{includes} includes in {files} files follow README.md's layering")
    return 0


if __name__ == "__main__":
    sys.exit(main())
