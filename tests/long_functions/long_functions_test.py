#!/usr/bin/env python3
"""The long-function check names each function over the limit, whole, and passes the real tree.

    tests/long_functions/long_functions_test.py

Each case writes a small C++ file into a temporary folder and runs scripts/long-functions.py on
it with a limit of 10 lines.
"""
import os
import subprocess
import sys
import tempfile
import textwrap
import unittest

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CHECK = os.path.join(SOURCE, "scripts", "long-functions.py")


def body(lines):
    """`lines` statements, one a line."""
    return "".join(f"    x += {i};\n" for i in range(lines))


# (what the case holds, the file, the lines the check must print before its summary)
CASES = [
    ("eleven lines are one too many, ten are not",
     "int f() {\n" + body(9) + "}\n\nint g() {\n" + body(8) + "}\n",
     ["   11  F.cpp:1  f"]),
    ("braces in strings, characters, raw strings and comments do not end the function",
     "void Reader::read() {\n"
     "    const char* a = \"}\";\n"
     "    char b = '}';\n"
     "    auto c = R\"x(}})\"\n)x\";\n"
     "    // }\n"
     "    /* } */\n"
     "    const char* d = \"\\\"}\";\n"
     "    int n = 1'000;\n"
     + body(3) + "}\n",
     ["   13  F.cpp:1  Reader::read"]),
    ("a constructor's braced member initializers belong to it, a default argument is no body",
     "void declared(int a, std::function<void()> done = {});\n"
     "Player::Player(int a)\n"
     "    : header_{a}, painter_(nullptr), pictures_({a}),\n"
     "      services_{.size = 2, .done = [] { return 1; }} {\n" + body(7) + "}\n",
     ["   11  F.cpp:2  Player::Player"]),
    ("a member defined in its class is named after it, a template counted from its first line",
     "namespace emf {\nclass Table {\npublic:\n"
     "    template <class T>\n    T get() const {\n" + body(8) + "    }\n};\n}\n",
     ["   11  F.cpp:4  Table::get"]),
    ("a table's initializer is no function, a lambda counts in its function",
     "const int table[] = {\n" + "    1,\n" * 20 + "};\n"
     "void f() {\n    auto g = [] {\n" + body(8) + "    };\n}\n",
     ["   12  F.cpp:23  f"]),
    ("functions in an extern \"C\" block are found",
     "extern \"C\" {\n#include <stdio.h>\n}\n\nextern \"C\" int init() {\n" + body(9) + "}\n",
     ["   11  F.cpp:5  init"]),
]


class LongFunctions(unittest.TestCase):
    def run_check(self, *args):
        result = subprocess.run([sys.executable, CHECK, *args], capture_output=True, text=True,
                                timeout=120, cwd=SOURCE)
        return result.returncode, result.stdout.splitlines()

    def test_each_long_function_is_named_with_its_length_line_and_name(self):
        folder = tempfile.mkdtemp(prefix="long-functions-")
        for name, code, said in CASES:
            with self.subTest(name):
                path = os.path.join(folder, "F.cpp")
                with open(path, "w", encoding="utf-8") as f:
                    f.write(textwrap.dedent(code))
                status, out = self.run_check("--max", "10", path)
                self.assertEqual([line.replace(folder + "/", "") for line in out[:-1]], said)
                self.assertEqual(status, 1)
                os.remove(path)
        os.rmdir(folder)

    def test_the_real_tree_passes(self):
        status, out = self.run_check()
        self.assertEqual(status, 0, "\n".join(out))
        self.assertRegex(out[-1], r"^long-functions: 0 of \d+ functions in \d+ files over 60 "
                         r"lines$")


if __name__ == "__main__":
    unittest.main()
