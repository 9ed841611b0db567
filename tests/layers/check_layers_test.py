#!/usr/bin/env python3
"""The layering check names a planted slip and passes the real tree.

    tests/layers/check_layers_test.py [--qt-headers DIR]

Each case copies the program's folders and README.md into a temporary folder, changes one file
there, runs scripts/check-layers.py on the copy and expects its one slip line and status 1.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CHECK = os.path.join(SOURCE, "scripts", "check-layers.py")
PROGRAM_FOLDERS = ["app", "panel", "showwindow", "controls", "picturehelper", "soundhelper",
                   "helpers", "desktop", "decoders", "pictures", "startup", "show", "settings",
                   "catalogue", "effects", "sound", "sounddecoders", "audio", "platform", "core"]
QT_HEADERS = []  # ["--qt-headers", DIR] when given


def run_check(root):
    result = subprocess.run([sys.executable, CHECK, root, *QT_HEADERS], capture_output=True,
                            text=True, timeout=120)
    return result.returncode, result.stdout.splitlines(), result.stderr


def append_line(path, text):
    """Appends `text` as the file's last line and gives that line's number."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    lines.append(text)
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    return len(lines)


# (file changed, the include added, what the check must say after "file:line: ")
SLIPS = [
    ("core/Twips.h", '#include "settings/ShowSettings.h"',
     '#include "settings/ShowSettings.h": core/ may not include settings/ '
     "(rule: README.md's table puts settings/ above core/)"),
    ("platform/Registry.cpp", '#include "desktop/QtDialogs.h"',
     '#include "desktop/QtDialogs.h": platform/ may not include desktop/ '
     "(rule: README.md's table puts desktop/ above platform/)"),
    ("audio/AudioEngine.cpp", '#  include "../sound/Music.h"',
     '#include "../sound/Music.h": audio/ may not include sound/ '
     "(rule: README.md's table puts sound/ above audio/)"),
    ("catalogue/PictureTest.cpp", '#include "sound/Music.h"',
     '#include "sound/Music.h": catalogue/ may not include sound/ '
     "(rule: README.md's table puts sound/ on the line of catalogue/)"),
    ("showwindow/Form1.h", '#include "panel/PanelRoles.h"',
     '#include "panel/PanelRoles.h": showwindow/ may not include panel/ '
     "(rule: README.md's table puts panel/ on the line of showwindow/)"),
    ("show/ShowTick.cpp", "#include <QWidget>",
     "#include <QWidget>: show/ may not include QtWidgets "
     "(rule: everything from startup/ down is rules: QtCore only)"),
    ("startup/CommandLine.cpp", "#include <QtGui/QImage>",
     "#include <QtGui/QImage>: startup/ may not include QtGui "
     "(rule: everything from startup/ down is rules: QtCore only)"),
    ("settings/SettingsFile.cpp", "#include <QtNetwork>",
     "#include <QtNetwork>: settings/ may not include QtNetwork "
     "(rule: everything from startup/ down is rules: QtCore only)"),
    # The decoders are the picture helper's alone, whatever line a folder sits on.
    ("showwindow/Form1View.cpp", '#include "decoders/PictureDecoder.h"',
     '#include "decoders/PictureDecoder.h": showwindow/ may not include decoders/ '
     "(rule: decoders/ is included by picturehelper/ alone)"),
    ("helpers/DecoderPool.cpp", '#include "decoders/PictureFormats.h"',
     '#include "decoders/PictureFormats.h": helpers/ may not include decoders/ '
     "(rule: decoders/ is included by picturehelper/ alone)"),
    ("app/main.cpp", '#include "sounddecoders/Mp3Source.h"',
     '#include "sounddecoders/Mp3Source.h": app/ may not include sounddecoders/ '
     "(rule: sounddecoders/ is included by soundhelper/ alone)"),
    ("decoders/PictureDecoder.cpp", "#include <QWidget>",
     "#include <QWidget>: decoders/ may not include QtWidgets "
     "(rule: decoders/ uses QtCore and QtGui alone)"),
    ("core/Rounding.cpp", '#include "support/TestFiles.h"',
     '#include "support/TestFiles.h": core/ may not include support/ '
     "(rule: support/ is not a folder of README.md's table)"),
]


class CheckLayers(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="check-layers-")
        self.addCleanup(shutil.rmtree, self.root)
        shutil.copy(os.path.join(SOURCE, "README.md"), self.root)
        for folder in PROGRAM_FOLDERS:
            shutil.copytree(os.path.join(SOURCE, folder), os.path.join(self.root, folder),
                            ignore=shutil.ignore_patterns("*.txt", "*.png", "*.svg"))

    def test_the_real_tree_passes(self):
        status, out, err = run_check(SOURCE)
        self.assertEqual(status, 0, "\n".join(out) + err)
        self.assertRegex(out[-1], r"^\d+ includes in \d+ files follow README.md's layering$")

    def test_each_slip_is_named_with_its_line_and_rule(self):
        for file, include, said in SLIPS:
            with self.subTest(file=file, include=include):
                path = os.path.join(self.root, file)
                with open(path, encoding="utf-8") as f:
                    before = f.read()
                line = append_line(path, include)
                status, out, _ = run_check(self.root)
                with open(path, "w", encoding="utf-8") as f:
                    f.write(before)
                self.assertEqual(status, 1)
                self.assertEqual(out, [f"{file}:{line}: {said}"])

    def test_a_generated_include_and_a_pipe_pass(self):
        # moc's file lies in the build folder; a pipe named like a header must not block.
        append_line(os.path.join(self.root, "show/ShowTick.cpp"), '#include "ShowTick.moc"')
        os.mkfifo(os.path.join(self.root, "show/Pipe.h"))
        status, out, err = run_check(self.root)
        self.assertEqual(status, 0, "\n".join(out) + err)

    def test_the_table_is_read_from_the_readme(self):
        # The same tree fails once the README puts platform/ above core/.
        readme = os.path.join(self.root, "README.md")
        with open(readme, encoding="utf-8") as f:
            text = f.read()
        lines = text.splitlines(keepends=True)
        platform = next(i for i, l in enumerate(lines) if l.startswith("    platform/  "))
        core = next(i for i, l in enumerate(lines) if l.startswith("    core/  "))
        lines[platform], lines[core] = lines[core], lines[platform]
        with open(readme, "w", encoding="utf-8") as f:
            f.write("".join(lines))
        status, out, _ = run_check(self.root)
        self.assertEqual(status, 1)
        self.assertTrue(out)
        for slip in out:
            self.assertRegex(slip, r"^platform/\S+:\d+: #include \"core/\w+\.h\": platform/ may "
                             r"not include core/ \(rule: README.md's table puts core/ above "
                             r"platform/\)$")


if __name__ == "__main__":
    if len(sys.argv) > 2 and sys.argv[1] == "--qt-headers":
        QT_HEADERS.extend(sys.argv[1:3])
        del sys.argv[1:3]
    unittest.main()
