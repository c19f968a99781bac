"""What the scripts that read the program through AT-SPI share: starting it under a window
manager, finding it and its nodes on the bus, pressing keys, and reporting checks."""
import os
import subprocess
import time

import pyatspi

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


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


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


def shown_editor(app, starts_with, seconds=10.0):
    """The showing text node whose text starts so."""
    return wait_for(lambda: next((n for n, _ in walk(app)
                                  if n.getRole() == pyatspi.ROLE_TEXT and showing(n)
                                  and n.queryText().getText(0, len(starts_with)) == starts_with),
                                 None), seconds)


def manager_running():
    """A window manager has announced itself on the root window, with a window that still exists
    (one killed before leaves its announcement behind)."""
    found = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True,
                           text=True, timeout=10).stdout
    if "window id" not in found:
        return False
    return subprocess.run(["xprop", "-id", found.split()[-1], "_NET_WM_NAME"],
                          capture_output=True, timeout=10).returncode == 0


class Program:
    """The program started on files under its own window manager, with a home of its own."""

    def __init__(self, program, files, home):
        self.env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/.config")
        # A window manager gives the window the keyboard focus, as on a desktop.
        self.manager = subprocess.Popen(["openbox"], env=self.env, stderr=subprocess.DEVNULL)
        # A window mapped while the manager starts may never be mapped at all.
        wait_for(manager_running)
        self.proc = subprocess.Popen([program, *files], env=self.env)
        self.app = wait_for(lambda: application(os.path.basename(program)))

    def activate(self):
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                                 str(self.proc.pid)], capture_output=True, text=True,
                                timeout=30).stdout.split()
        subprocess.run(["xdotool", "windowactivate", "--sync", window[0]], check=False, timeout=10)

    def peak_memory(self):
        """VmHWM, the most resident memory the process has had, in bytes."""
        with open(f"/proc/{self.proc.pid}/status") as status:
            for line in status:
                if line.startswith("VmHWM:"):
                    return int(line.split()[1]) * 1024
        return 0

    def stop(self):
        for process in (self.proc, self.manager):
            process.kill()
            process.wait(timeout=10)
