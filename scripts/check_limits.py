#!/usr/bin/env python3
# Size limits of the program's source, so that each file and each function can be read whole: no file
# in src/ over 500 lines, no function over 60 lines (from the line of its opening brace to that of its
# closing one; lambdas count with the function that holds them). Prints each excess and fails on one;
# with --list, prints every function found and its length.
import re
import sys
from pathlib import Path

MAX_FILE_LINES = 500
MAX_FUNCTION_LINES = 60

# The text before a brace that opens a function body: a parameter list, then qualifiers, a trailing
# return type or a constructor's member initialisers.
FUNCTION_HEAD = re.compile(r"\)\s*(const|override|final|noexcept|->[^{]*|:.*)?\s*(const|override|final|noexcept|\s)*$",
                           re.S)
# Heads of blocks that are not functions.
OTHER_BLOCK = re.compile(r"^\s*(if|for|while|switch|catch|do|else|try)\b|\b(namespace|class|struct|union|enum)\b|"
                         r"\]\s*(\(|$)|=\s*$|^\s*\(")


def code_only(text):
    """The text with comments and literals blanked out, line breaks kept."""
    out, i, n = [], 0, len(text)
    while i < n:
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
        elif text.startswith('R"', i) and (i == 0 or not text[i - 1].isalnum()):
            delimiter = re.match(r'R"([^(]*)\(', text[i:]).group(1)
            j = text.find(")" + delimiter + '"', i) + len(delimiter) + 2
        elif text[i] in "\"'" and not (text[i] == "'" and i and text[i - 1].isalnum() and text[i + 1].isalnum()):
            j = i + 1
            while j < n and text[j] != text[i]:
                j += 2 if text[j] == "\\" else 1
            j += 1
        else:
            out.append(text[i])
            i += 1
            continue
        out.append(re.sub(r"[^\n]", " ", text[i:j]))
        i = j
    return "".join(out)


def functions(text):
    """(name, first line, last line) of every function body that is not inside another."""
    code = code_only(text)
    stack, found, head_start, line = [], [], 0, 1
    for i, c in enumerate(code):
        if c == "\n":
            line += 1
        elif c == "{":
            head = code[head_start:i]
            is_function = (not any(kind for kind, _, _ in stack) and FUNCTION_HEAD.search(head) is not None
                           and OTHER_BLOCK.search(head.split("(")[0]) is None)
            name = head.split("(")[0].split()[-1] if is_function and head.split("(")[0].split() else ""
            stack.append((is_function, line, name))
            head_start = i + 1
        elif c == "}":
            if stack:
                is_function, start, name = stack.pop()
                if is_function:
                    found.append((name, start, line))
            head_start = i + 1
        elif c == ";":
            head_start = i + 1
    return found


def main():
    listing = "--list" in sys.argv
    roots = [a for a in sys.argv[1:] if a != "--list"] or ["src"]
    problems = 0
    for path in sorted(p for root in roots for p in Path(root).rglob("*") if p.suffix in (".cpp", ".h")):
        text = path.read_text()
        if text.count("\n") > MAX_FILE_LINES:
            print(f"{path}: {text.count(chr(10))} lines (at most {MAX_FILE_LINES})")
            problems += 1
        for name, start, end in functions(text):
            length = end - start + 1
            if listing:
                print(f"{length:4} {path}:{start} {name}")
            elif length > MAX_FUNCTION_LINES:
                print(f"{path}:{start}: {name} has {length} lines (at most {MAX_FUNCTION_LINES})")
                problems += 1
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
