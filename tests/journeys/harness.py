# SPDX-License-Identifier: GPL-3.0-or-later
"""Driving varko2000 as a person does: a virtual X display with a window manager,
a session bus with the accessibility bus, the pointer and keys through the X
server, and what is on screen read back by the names the widgets carry."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# Each tool a journey needs, and the Debian package that brings it.
TOOLS = {
    "Xvfb": "xvfb",
    "openbox": "openbox",
    "xdotool": "xdotool",
    "dbus-daemon": "dbus-daemon",
    "/usr/libexec/at-spi-bus-launcher": "at-spi2-core",
    "7z": "p7zip-full",
    "unzip": "unzip",
}
PYTHON_MODULES = {"pyatspi": "python3-pyatspi", "dbus": "python3-dbus", "gi": "python3-gi"}


class JourneyFailed(AssertionError):
    pass


def require_tools():
    missing = []
    for tool, package in TOOLS.items():
        if not (os.access(tool, os.X_OK) if tool.startswith("/") else shutil.which(tool)):
            missing.append(f"{tool} (Debian package {package})")
    for module, package in PYTHON_MODULES.items():
        probe = subprocess.run([sys.executable, "-c", f"import {module}"], capture_output=True)
        if probe.returncode != 0:
            missing.append(f"python module {module} (Debian package {package})")
    if missing:
        raise JourneyFailed("journeys need: " + ", ".join(missing))


def wait_for(condition, what, timeout=8.0, interval=0.1):
    """Polls `condition` until it gives a true value, which it returns."""
    deadline = time.monotonic() + timeout
    last_error = None
    while time.monotonic() < deadline:
        try:
            value = condition()
            if value:
                return value
        except Exception as error:  # a widget going away mid-read is a reason to look again
            last_error = error
        time.sleep(interval)
    detail = f" (last error: {last_error})" if last_error else ""
    raise JourneyFailed(f"timed out waiting for {what}{detail}")


class Session:
    """One display, one session bus and the processes a journey starts, ended by PID."""

    def __init__(self, name, build_dir, shots_dir):
        self.name = name
        self.build_dir = build_dir
        self.shots_dir = shots_dir
        self.root = tempfile.mkdtemp(prefix=f"journey-{name}-")
        self.processes = []
        self.shot_count = 0
        self.dirs = {}
        for sub in ("home", "config", "data", "tmp", "runtime", "rips", "files"):
            path = os.path.join(self.root, sub)
            os.makedirs(path, mode=0o700)
            self.dirs[sub] = path
        self.env = dict(os.environ)
        for key in ("WAYLAND_DISPLAY", "SESSION_MANAGER", "DBUS_SESSION_BUS_ADDRESS", "QT_QPA_PLATFORM"):
            self.env.pop(key, None)
        self.env.update(
            HOME=self.dirs["home"], XDG_CONFIG_HOME=self.dirs["config"], VARKO_HOME=self.dirs["data"],
            TMPDIR=self.dirs["tmp"], XDG_RUNTIME_DIR=self.dirs["runtime"], LC_ALL="C.UTF-8", LANG="C.UTF-8",
            QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1", NO_AT_BRIDGE="0",
            VARKO_EDITOR="true",
        )

    # -- processes ------------------------------------------------------------
    def spawn(self, argv, **kwargs):
        kwargs.setdefault("stdout", subprocess.DEVNULL)
        kwargs.setdefault("stderr", subprocess.DEVNULL)
        process = subprocess.Popen(argv, env=self.env, start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def start(self):
        read_fd, write_fd = os.pipe()
        self.spawn(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                   pass_fds=(write_fd,))
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            display = pipe.readline().strip()
        if not display:
            raise JourneyFailed("Xvfb started no display")
        self.env["DISPLAY"] = ":" + display
        bus = self.spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                         stdout=subprocess.PIPE, text=True)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        self.spawn(["openbox"])
        # Journeys find and activate windows through the window manager: a cold start takes it seconds.
        wait_for(lambda: "claims not to support" not in self.run(["xdotool", "getactivewindow"]).stderr,
                 "the window manager", 20)
        self.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        # The accessibility client reads the bus from this process's environment.
        os.environ.update({k: self.env[k] for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR")})
        return self

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        deadline = time.monotonic() + 3
        for process in self.processes:
            try:
                process.wait(max(0.1, deadline - time.monotonic()))
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
        shutil.rmtree(self.root, ignore_errors=True)

    def run(self, argv, timeout=20, **kwargs):
        return subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=timeout, **kwargs)

    def binary(self, name):
        return os.path.join(self.build_dir, "bin", name)

    # -- X input ----------------------------------------------------------------
    def xdotool(self, *args, check=True):
        done = subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True, text=True, timeout=10)
        if check and done.returncode != 0:
            raise JourneyFailed(f"xdotool {' '.join(map(str, args))}: {done.stderr.strip()}")
        return done.stdout.strip() if done.returncode == 0 else None

    def move(self, x, y):
        self.xdotool("mousemove", int(x), int(y))

    def click(self, point, button=1):
        self.move(*point)
        time.sleep(0.05)
        self.xdotool("click", button)
        time.sleep(0.1)

    def double_click(self, point):
        self.move(*point)
        self.xdotool("click", "--repeat", 2, "--delay", 80, 1)

    def key(self, *keys):
        for k in keys:
            self.xdotool("key", "--clearmodifiers", k)
            time.sleep(0.12)

    def type_text(self, text):
        self.xdotool("type", "--delay", 20, text)

    def drag(self, start, end):
        """Press, move past the start distance a few pixels at a time, travel in steps, release."""
        x0, y0 = map(int, start)
        x1, y1 = map(int, end)
        self.move(x0, y0)
        self.xdotool("mousedown", 1)
        for step in range(1, 6):
            self.move(x0 + 4 * step, y0 + 2 * step)
            time.sleep(0.03)
        xs, ys = x0 + 20, y0 + 10
        steps = 20
        for step in range(1, steps + 1):
            self.move(xs + (x1 - xs) * step / steps, ys + (y1 - ys) * step / steps)
            time.sleep(0.03)
        time.sleep(0.3)
        self.xdotool("mouseup", 1)
        time.sleep(0.2)

    def shot(self, label):
        """A screenshot for the person reading the journey's run (when ImageMagick is there)."""
        if not self.shots_dir or not shutil.which("import"):
            return
        os.makedirs(self.shots_dir, exist_ok=True)
        self.shot_count += 1
        path = os.path.join(self.shots_dir, f"{self.name}-{self.shot_count:02d}-{label}.png")
        subprocess.run(["import", "-window", "root", path], env=self.env, capture_output=True)


class Screen:
    """What the program shows, through the accessibility bus: elements found by role and name."""

    def __init__(self, app_name):
        import pyatspi  # reads the session bus from the environment Session.start set

        self.atspi = pyatspi
        self.app_name = app_name

    def app(self):
        desktop = self.atspi.Registry.getDesktop(0)
        desktop.clearCache()
        for i in range(desktop.childCount):
            child = desktop.getChildAtIndex(i)
            if child is not None and child.name == self.app_name:
                return child
        return None

    def walk(self, root=None, showing=True):
        """Every element under `root` (the application), breadth first, skipping hidden ones."""
        root = root or self.app()
        if root is None:
            return
        queue = [root]
        while queue:
            node = queue.pop(0)
            yield node
            try:
                node.clearCache()
                count = node.childCount
            except Exception:
                continue
            # Large lists have thousands of items: their cells are read through the table, not walked.
            if node.getRoleName() in ("list", "tree table", "table", "tree") and node is not root:
                if count > 200:
                    count = 0
            for i in range(count):
                child = node.getChildAtIndex(i)
                if child is None:
                    continue
                if showing and not child.getState().contains(self.atspi.STATE_SHOWING):
                    continue
                queue.append(child)

    def find_all(self, role=None, name=None, root=None):
        return [n for n in self.walk(root)
                if (role is None or n.getRoleName() == role) and (name is None or n.name == name)]

    def find(self, role=None, name=None, root=None, timeout=8.0):
        return wait_for(lambda: next(iter(self.find_all(role, name, root)), None),
                        f"{role or 'element'} named {name!r}", timeout)

    def centre(self, node):
        x, y, w, h = node.queryComponent().getExtents(self.atspi.DESKTOP_COORDS)
        if w <= 0 or h <= 0:
            raise JourneyFailed(f"{node.getRoleName()} {node.name!r} has no place on screen")
        return x + w // 2, y + h // 2

    def states(self, node):
        return node.getState()

    def is_checked(self, node):
        return node.getState().contains(self.atspi.STATE_CHECKED)

    def is_enabled(self, node):
        return node.getState().contains(self.atspi.STATE_ENABLED)

    def text(self, node):
        try:
            text = node.queryText()
            return text.getText(0, text.characterCount)
        except NotImplementedError:
            return node.name

    def table_rows(self, node):
        """The rows of a report list as lists of cell texts."""
        node.clearCache()
        table = node.queryTable()
        rows = []
        for r in range(table.nRows):
            rows.append([table.getAccessibleAt(r, c).name for c in range(table.nColumns)])
        return rows

    def window_titles(self):
        app = self.app()
        return [app.getChildAtIndex(i).name for i in range(app.childCount)] if app else []
