#!/usr/bin/python3
"""Reads the program's window as a screen reader does, through AT-SPI: the text of the plain
editor, the caret after keys typed, the selection, the text-changed event after typing, the names
of the editors, the tool bars, their buttons and the status bar's fields, and the Find dialog's
controls. With --dump PATH writes the window's tree (roles and names) there.
Usage: read_window.py PROGRAM [--dump PATH]. Exit 0 when every check holds."""
import os
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

from atspi_reading import Program, check, failures, keys, shown_editor, showing, wait_for, walk

TEXT = "first line\nsecond word here\n"
CODE = "int main() { return 0; }"


def read_editors(app, editor):
    texts = [n for n, _ in walk(app) if n.getRole() == pyatspi.ROLE_TEXT]
    code = next((n for n in texts if n.queryText().getText(0, -1) == CODE), None)
    check("code editor's text read", code is not None)
    check("code editor named after its document", code is not None and code.name == "main.cpp",
          code.name if code else "")
    check("plain editor named after its document", editor.name == "note.txt", editor.name)
    check("plain editor says which editor it is", editor.description == "Plain text",
          editor.description)
    text = editor.queryText()
    check("editor text read", text.getText(0, -1) == TEXT, repr(text.getText(0, -1)))
    check("character count", text.characterCount == len(TEXT), str(text.characterCount))


def follow_typing(program, editor):
    text = editor.queryText()
    changes = []
    pyatspi.Registry.registerEventListener(lambda e: changes.append(e),
                                           "object:text-changed:insert")
    program.activate()
    editor.queryComponent().grabFocus()
    keys("ctrl+Home", "End")
    check("caret follows End", text.caretOffset == len("first line"), str(text.caretOffset))
    keys("Down", "Home", "shift+ctrl+Right")
    start, end = text.getSelection(0) if text.getNSelections() else (-1, -1)
    check("selection read", text.getText(start, end).strip() == "second",
          f"{start}..{end} {text.getText(start, end)!r}")
    keys("End", "x")
    deadline = time.time() + 3
    while not changes and time.time() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass
        time.sleep(0.05)
    check("typed text read", "herex" in text.getText(0, -1), repr(text.getText(0, -1)))
    check("text-changed event after typing", any(e.any_data == "x" for e in changes),
          str([(e.detail1, e.any_data) for e in changes]))


def read_bars(app):
    rows = [n for n, _ in walk(app) if n.getRole() == pyatspi.ROLE_TOOL_BAR]
    check("tool bars named for people", sorted(r.name for r in rows) == ["Standard", "Text Tools"],
          str([r.name for r in rows]))
    by_row = [[n.name for n, _ in walk(row) if n is not row and n.getRole() in
               (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_TOGGLE_BUTTON)]
              for row in rows]
    names = [name for row in by_row for name in row]
    check("tool bar buttons", len(names) > 5, str(len(names)))
    check("every tool button named", all(names), str(names))
    check("no two tool buttons of a row named alike",
          all(len(set(row)) == len(row) for row in by_row), str(by_row))
    check("the two Sort buttons told apart",
          {"Sort Alphabetically", "Sort by Line Length"} <= set(names), str(names))
    bar = next((n for n, _ in walk(app) if n.getRole() == pyatspi.ROLE_STATUS_BAR), None)
    fields = [n for n, _ in walk(bar) if n.getRole() == pyatspi.ROLE_LABEL] if bar else []
    check("status bar fields", len(fields) > 3, str(len(fields)))
    check("every shown status field named", all(f.name for f in fields if showing(f)),
          str([f.name for f in fields if showing(f)]))
    check("no hidden status field read out", not any(f.name for f in fields if not showing(f)),
          str([f.name for f in fields if not showing(f)]))
    check("encoding field says what it shows", any(f.name == "Encoding: UTF-8" for f in fields),
          str([f.name for f in fields]))


def read_find_dialog(app):
    keys("ctrl+f")
    dialog = wait_for(lambda: next((n for n, _ in walk(app) if n.getRole() == pyatspi.ROLE_DIALOG
                                    and n.childCount), None), 5)
    check("Find dialog on the bus", dialog is not None)
    if dialog is None:
        return None
    controls = [n for n, _ in walk(dialog) if n.getRole() in
                (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
                 pyatspi.ROLE_TEXT)]
    print("Find dialog:", [(c.getRoleName(), c.name) for c in controls])
    check("Find dialog's controls named", controls and all(c.name for c in controls),
          str([(c.getRoleName(), c.name) for c in controls]))
    check("Find dialog's field named by its label",
          any(c.getRole() == pyatspi.ROLE_TEXT and c.name == "Find what:" for c in controls))
    tree = list(lines_of(dialog))
    keys("Escape")
    return tree


def lines_of(node, depth=0):
    """The tree from node, a line a node: the menus shown folded into the menu bar's line, scroll
    bars and the parts of an editor's scroll area left out."""
    line = "  " * depth + f"{node.getRoleName()}: {node.name!r}"
    if node.description and node.getRole() != pyatspi.ROLE_APPLICATION:
        line += f" ({node.description})"
    if not showing(node) and node.getRole() != pyatspi.ROLE_APPLICATION:
        line += "  [hidden]"
    if node.getRole() == pyatspi.ROLE_MENU_BAR:
        menus = [menu.name for menu in map(node.getChildAtIndex, range(node.childCount))
                 if menu is not None and showing(menu)]
        yield line + "  (menus: " + ", ".join(menus) + "; each a popup menu of items)"
        return
    yield line
    if node.getRole() == pyatspi.ROLE_TEXT:
        return
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None and child.getRole() != pyatspi.ROLE_SCROLL_BAR:
            yield from lines_of(child, depth + 1)


def write_dump(path, app, dialog_tree, scratch):
    with open(path, "w") as out:
        out.write("The main window with a plain editor, and its Find dialog, as AT-SPI shows them\n"
                  "(role: name (description)), read with python3-pyatspi by\n"
                  "tests/atspi/read_window.py --dump; menus folded, scroll bars left out, nodes\n"
                  "not showing marked [hidden].\n\n")
        out.write(next(lines_of(app)) + "\n")
        frame = next(n for n, _ in walk(app) if n.getRole() == pyatspi.ROLE_FRAME)
        for line in lines_of(frame, 1):
            out.write(line.replace(scratch, "/tmp/…") + "\n")
        if dialog_tree:
            out.write("\nThe Find dialog (Ctrl+F):\n")
            for line in dialog_tree:
                out.write(line + "\n")


def main():
    program_path = sys.argv[1]
    dump = sys.argv[sys.argv.index("--dump") + 1] if "--dump" in sys.argv else None
    scratch = tempfile.mkdtemp()
    path = os.path.join(scratch, "note.txt")
    with open(path, "w") as f:
        f.write(TEXT)
    code = os.path.join(scratch, "main.cpp")
    with open(code, "w") as f:
        f.write(CODE)
    program = Program(program_path, [code, path], scratch)
    try:
        check("program on the accessibility bus", program.app is not None,
              str([a.name for a in pyatspi.Registry.getDesktop(0)]))
        if program.app is None:
            return 1
        editor = shown_editor(program.app, TEXT[:5])
        check("plain editor found", editor is not None)
        if editor is None:
            return 1
        read_editors(program.app, editor)
        follow_typing(program, editor)
        read_bars(program.app)
        dialog_tree = read_find_dialog(program.app)
        if dump:
            write_dump(dump, program.app, dialog_tree, scratch)
    finally:
        program.stop()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
