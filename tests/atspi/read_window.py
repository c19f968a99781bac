#!/usr/bin/python3
"""Reads the program's window as a screen reader does, through AT-SPI: the text of the plain
editor, the caret after keys typed, the selection, the text-changed event after typing, and the
tool bar's names. With --dump PATH writes the window's tree (roles and names) there.
Usage: read_window.py PROGRAM [--dump PATH]. Exit 0 when every check holds."""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

TEXT = "first line\nsecond word here\n"
CODE = "int main() { return 0; }"
failures = []


def check(what, ok, detail=""):
    print(("ok   " if ok else "FAIL ") + what + (f": {detail}" if detail and not ok else ""))
    if not ok:
        failures.append(what)


def wait_for(find, seconds=10.0):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.1)
    return None


def walk(node, depth=0):
    yield node, depth
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name in (name, "Tabrix Pro", "Tabrix_Pro"):
            return app
    return None


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "30", *names], check=True, timeout=20)
    time.sleep(0.3)


def main():
    program = sys.argv[1]
    dump = sys.argv[sys.argv.index("--dump") + 1] if "--dump" in sys.argv else None
    scratch = tempfile.mkdtemp()
    path = os.path.join(scratch, "note.txt")
    with open(path, "w") as f:
        f.write(TEXT)
    env = dict(os.environ, HOME=scratch, XDG_CONFIG_HOME=scratch + "/.config")
    code = os.path.join(scratch, "main.cpp")
    with open(code, "w") as f:
        f.write(CODE)
    # A window manager gives the window the keyboard focus, as on a desktop.
    manager = subprocess.Popen(["openbox"], env=env, stderr=subprocess.DEVNULL)
    proc = subprocess.Popen([program, code, path], env=env)
    try:
        app = wait_for(lambda: application(os.path.basename(program)))
        check("program on the accessibility bus", app is not None,
              str([a.name for a in pyatspi.Registry.getDesktop(0)]))
        if app is None:
            return 1
        editor = wait_for(lambda: next((n for n, _ in walk(app)
                                        if n.getRole() == pyatspi.ROLE_TEXT
                                        and n.getState().contains(pyatspi.STATE_SHOWING)
                                        and n.queryText().getText(0, 5) == TEXT[:5]), None))
        check("plain editor found", editor is not None)
        if editor is None:
            return 1
        texts = [n.queryText() for n, _ in walk(app) if n.getRole() == pyatspi.ROLE_TEXT]
        check("code editor's text read", any(t.getText(0, -1) == CODE for t in texts))
        text = editor.queryText()
        check("editor text read", text.getText(0, -1) == TEXT.rstrip("\n") + "\n"
              or text.getText(0, -1) == TEXT, repr(text.getText(0, -1)))
        check("character count", text.characterCount == len(TEXT), str(text.characterCount))
        changes = []
        pyatspi.Registry.registerEventListener(lambda e: changes.append(e),
                                               "object:text-changed:insert")
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                                 str(proc.pid)], capture_output=True, text=True,
                                timeout=30).stdout.split()
        subprocess.run(["xdotool", "windowactivate", "--sync", window[0]], check=False, timeout=10)
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
        buttons = [n for n, _ in walk(app) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                   and n.parent is not None and n.parent.getRole() == pyatspi.ROLE_TOOL_BAR]
        check("tool bar buttons", len(buttons) > 5, str(len(buttons)))
        unnamed = [i for i, b in enumerate(buttons) if not b.name]
        check("every tool button named", not unnamed, str(unnamed))
        keys("ctrl+f")
        dialog = wait_for(lambda: next((n for n, _ in walk(app) if n.getRole() == pyatspi.ROLE_DIALOG
                                        and n.childCount), None), 5)
        check("Find dialog on the bus", dialog is not None)
        if dialog is not None:
            controls = [n for n, _ in walk(dialog) if n.getRole() in
                        (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON)]
            print("Find dialog:", [(c.getRoleName(), c.name) for c in controls])
            check("Find dialog's buttons and boxes named", controls and all(c.name for c in controls),
                  str([(c.getRoleName(), c.name) for c in controls]))
            keys("Escape")
        if dump:
            with open(dump, "w") as out:
                for node, depth in walk(app):
                    if depth > 6 or node.getRole() in (pyatspi.ROLE_MENU_ITEM,):
                        continue
                    out.write("  " * depth + f"{node.getRoleName()}: {node.name!r}\n")
    finally:
        proc.kill()
        proc.wait()
        manager.kill()
        manager.wait()
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
