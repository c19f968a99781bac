#!/usr/bin/python3
"""Reads a 100 MB document through AT-SPI as a screen reader does: the character count, text at
an offset near the end, a line there, and the caret after Ctrl+End; and checks that the program
has never held much more than the file once (VmHWM), so the text is never copied whole for
assistive technology. Usage: read_big_document.py PROGRAM [MEGABYTES] [--no-memory-check]
(a sanitized build's memory says nothing of the program's). Exit 0 when every check holds."""
import os
import shutil
import sys
import tempfile
import time

import pyatspi

from atspi_reading import Program, check, failures, keys, shown_editor

# A line of 96 characters in 97 bytes: the "é" takes two bytes and one UTF-16 unit, so counting
# bytes for characters would show.
FILLER = "abcdefghij" * 8


def line(number):
    return f"line {number:07d} é {FILLER}\n"


LINE_UNITS = len(line(0))
# At most this much more than the file, beside what the program takes with a small file.
ALLOWED_GROWTH = 1.7


def write_document(path, size):
    """Lines up to size bytes; the number of lines."""
    count = -(-size // len(line(0).encode()))
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        for first in range(0, count, 10000):
            out.write("".join(line(n) for n in range(first, min(count, first + 10000))))
    return count


def home(scratch, name):
    """A home of its own for each run: nothing the first leaves behind meets the second."""
    path = os.path.join(scratch, name)
    os.mkdir(path)
    return path


def read(program_path, path, home, lines):
    """Reads the document; the program's peak memory, or None when it could not be read."""
    program = Program(program_path, [path], home)
    try:
        if program.app is None:
            check("program on the accessibility bus", False)
            return None
        started = time.time()
        editor = shown_editor(program.app, line(0)[:12], 60)
        check(f"{os.path.basename(path)}: editor found", editor is not None)
        if editor is None:
            return None
        print(f"  shown after {time.time() - started:.1f} s")
        text = editor.queryText()
        # The file ends with a line break: the editor's text ends with an empty line.
        length = lines * LINE_UNITS
        check("character count", text.characterCount == length,
              f"{text.characterCount} != {length}")
        last = lines - 1
        at = last * LINE_UNITS + 5
        check("text at an offset near the end", text.getText(at, at + 10) == f"{last:07d} é ",
              repr(text.getText(at, at + 10)))
        found, start, end = text.getTextAtOffset(at, pyatspi.TEXT_BOUNDARY_LINE_START)
        check("the line there", found == line(last) and start == last * LINE_UNITS,
              f"{start}..{end} {found!r}")
        program.activate()
        editor.queryComponent().grabFocus()
        keys("ctrl+End")
        check("caret at the end after Ctrl+End", text.caretOffset == length,
              f"{text.caretOffset} != {length}")
        return program.peak_memory()
    finally:
        program.stop()


def main():
    program_path = sys.argv[1]
    numbers = [int(a) for a in sys.argv[2:] if a.isdigit()]
    megabytes = numbers[0] if numbers else 100
    memory_checked = "--no-memory-check" not in sys.argv
    scratch = tempfile.mkdtemp()
    try:
        small = os.path.join(scratch, "small.txt")
        small_lines = write_document(small, 10000)
        baseline = read(program_path, small, home(scratch, "small"), small_lines)
        big = os.path.join(scratch, "big.txt")
        big_lines = write_document(big, megabytes * 1000 * 1000)
        size = os.path.getsize(big)
        peak = read(program_path, big, home(scratch, "big"), big_lines)
        if memory_checked and baseline is not None and peak is not None:
            limit = baseline + ALLOWED_GROWTH * size
            print(f"  file {size / 1e6:.1f} MB, {big_lines} lines; VmHWM {peak / 1e6:.1f} MB, "
                  f"with a small file {baseline / 1e6:.1f} MB, limit {limit / 1e6:.1f} MB")
            check("no whole copy of the text (VmHWM)", peak <= limit,
                  f"{peak / 1e6:.1f} MB > {limit / 1e6:.1f} MB")
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
