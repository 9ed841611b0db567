#!/usr/bin/env python3
"""Lists the functions of the program's own code longer than a limit, longest first.

    scripts/long-functions.py [--max LINES] [--all] [FILE...]

A function's length is counted from the first line of its declaration (its template line
included, the comments above it not) to its closing brace, both included; a lambda counts in
the function that holds it. By default the files are the C++ sources and headers git knows in
the program's folders (not tests/, bench/ or fuzz/; --all adds them). Prints one line per
function over the limit (default 60), `LENGTH  file:line  name`, then how many there are of
how many functions; ends with status 1 when there is one.

The sources are read as clang-format leaves them; the reader strips comments, strings and
preprocessor lines and follows the braces: a brace after a parenthesised declarator at
namespace or class level opens a function, one after `namespace`, `class`, `struct`, `union`
or `enum` a scope, one after `=` or a plain name an initializer.
"""
import argparse
import os
import re
import subprocess
import sys

PROGRAM = ("app", "panel", "showwindow", "controls", "picturehelper", "soundhelper", "helpers",
           "desktop", "decoders", "pictures", "startup", "show", "settings", "catalogue", "effects",
           "sound", "sounddecoders", "audio", "platform", "core")
OTHERS = ("tests", "bench", "fuzz")
ACCESS = re.compile(r"^\s*(public|protected|private|signals|Q_SIGNALS|(public |private )?slots"
                    r"|Q_SLOTS)\s*:(?!:)")
SCOPE = re.compile(r"^(typedef\s+)?(class|struct|union|enum)\b")
QUALIFIER = re.compile(r"\b(const|override|final|noexcept|mutable|volatile|try)\s*$")
NAMESPACE = re.compile(r'(^|\s)(inline\s+)?namespace\b|^extern\s*("\s*")?$')


def blanked(text):
    """`text` with comments, string and character literals and preprocessor lines made blank,
    line breaks kept, so that every brace left is code."""
    out = []
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if line_start and c in " \t":
            out.append(c)
            i += 1
            continue
        if line_start and c == "#":
            # A preprocessor line, with its continuations.
            while i < n and text[i] != "\n":
                if text[i] == "\\" and i + 1 < n and text[i + 1] == "\n":
                    out.append("\n")
                    i += 2
                    continue
                i += 1
            continue
        line_start = c == "\n"
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                i += 1
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append(re.sub(r"[^\n]", " ", text[i:end]))
            i = end
            continue
        raw = re.match(r'(u8|[uUL])?R"([^(\s]*)\(', text[i:i + 24])
        if raw and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            end = text.find(")" + raw.group(2) + '"', i + raw.end())
            end = n if end < 0 else end + len(raw.group(2)) + 2
            out.append('""' + re.sub(r"[^\n]", " ", text[i + 2:end]))
            i = end
            continue
        if c in "\"'":
            # A ' between digits separates them (2'000'000).
            if c == "'" and i > 0 and text[i - 1].isalnum() and i + 1 < n and \
                    text[i + 1].isalnum() and not re.match(r"[uUL8]$", text[i - 1]):
                out.append(" ")
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(c + " " * (min(j, n) - i - 1) + c)
            i = j + 1
            continue
        out.append(c)
        i += 1
    return "".join(out)


def without_template(header):
    """The header without a leading `template <...>`."""
    m = re.match(r"\s*template\s*<", header)
    if not m:
        return header
    depth, i = 1, m.end()
    while i < len(header) and depth:
        depth += {"<": 1, ">": -1}.get(header[i], 0)
        i += 1
    return without_template(header[i:])


def top_level(header):
    """`header` with what lies inside parentheses and braces left out."""
    out, depth = [], 0
    for c in header:
        if c in "({":
            depth += 1
        elif c in ")}":
            depth -= 1
        elif depth == 0:
            out.append(c)
    return "".join(out)


def kind_of(header):
    """What a brace after `header` (the text since the last ; { or }) opens."""
    h = ACCESS.sub("", header).strip()
    bare = without_template(h).strip()
    if NAMESPACE.search(bare) and "(" not in bare:
        return "namespace"
    if SCOPE.match(bare):
        return "scope"
    outside = re.sub(r"operator\s*(==|!=|<=|>=|<=>|[-+*/%^&|<>]?=|\(\))", "operator", top_level(bare))
    if re.search(r"(?<![=!<>])=(?!=)", outside) or "(" not in bare:
        return "initializer"
    return "function"


def name_of(header):
    """The function's name as its declaration writes it."""
    bare = without_template(ACCESS.sub("", header)).strip()
    m = re.search(r"((?:[A-Za-z_~][\w]*\s*(?:<[^()]*>)?\s*::\s*)*(?:operator\s*(?:\(\)|[^\s(]+)"
                  r"|~?[A-Za-z_]\w*))\s*\(", bare)
    return re.sub(r"\s+", "", m.group(1)) if m else bare.split("(")[0].split()[-1]


def functions(path):
    """(first line, last line, name) of every function defined in the file at `path`."""
    with open(path, encoding="utf-8") as f:
        code = blanked(f.read())
    found = []
    # Each open scope: its kind and, for a class, its name.
    scopes = [("namespace", "")]
    header_at = 0
    i, n = 0, len(code)
    while i < n:
        c = code[i]
        if c in ";}":
            if c == "}" and len(scopes) > 1:
                scopes.pop()
            header_at = i + 1
        elif c == "{":
            header = code[header_at:i]
            # A brace inside the parameters (a default argument `= {}`) is still the header.
            kind = "initializer" if header.count("(") > header.count(")") else kind_of(header)
            if kind in ("namespace", "scope"):
                m = re.search(r"\b(?:class|struct|union)\s+(?:\w+\s+)*?(\w+)\s*(?:final\s*)?"
                              r"(?::|$)", without_template(ACCESS.sub("", header)).strip())
                scopes.append((kind, m.group(1) if m and kind == "scope" else ""))
                header_at = i + 1
            else:
                depth, j = 1, i + 1
                while j < n and depth:
                    depth += {"{": 1, "}": -1}.get(code[j], 0)
                    j += 1
                if kind == "function" and re.search(r"\)\s*:(?!:)", header) and \
                        re.search(r"[\w>]\s*$", header) and not QUALIFIER.search(header):
                    # A member's braced initializer in a constructor's list: still the header.
                    i = j
                    continue
                if kind == "function":
                    stripped = ACCESS.sub(lambda m: " " * len(m.group(0)), header)
                    start = header_at + len(stripped) - len(stripped.lstrip())
                    first = code.count("\n", 0, start) + 1
                    last = code.count("\n", 0, j - 1) + 1
                    owner = "::".join(scope for _, scope in scopes if scope)
                    name = name_of(header)
                    found.append((first, last, f"{owner}::{name}" if owner else name))
                i = j
                # An initializer ends at its ; , a function (or a lambda's value) here.
                header_at = j if kind == "function" else header_at
                continue
        i += 1
    return found


def source_files(root, folders):
    listed = subprocess.run(["git", "-C", root, "ls-files", "*.cpp", "*.h"], check=True,
                            capture_output=True, text=True).stdout.split()
    return [f for f in listed if f.split("/")[0] in folders]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--max", type=int, default=60, help="the longest a function may be")
    parser.add_argument("--all", action="store_true", help="tests/, bench/ and fuzz/ too")
    parser.add_argument("files", nargs="*")
    args = parser.parse_args()
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    files = args.files or source_files(root, PROGRAM + (OTHERS if args.all else ()))
    long, total = [], 0
    for file in files:
        for first, last, name in functions(os.path.join(root, file)):
            total += 1
            if last - first + 1 > args.max:
                long.append((last - first + 1, f"{file}:{first}", name))
    for length, where, name in sorted(long, key=lambda f: (-f[0], f[1])):
        print(f"{length:5}  {where}  {name}")
    print(f"long-functions: {len(long)} of {total} functions in {len(files)} files over "
          f"{args.max} lines")
    return 1 if long else 0


if __name__ == "__main__":
    sys.exit(main())
