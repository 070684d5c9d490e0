#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Journeys: varko2000 driven through the X server and read through the accessibility bus.

    journeys.py BUILD_DIR NAME [SHOTS_DIR]

Each journey starts its own display, bus and program, and ends them by PID."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import JourneyFailed, Screen, Session, require_tools, wait_for  # noqa: E402

APP = "Varko 2000"
IN_COLUMN = 5


class Window:
    """The program's window as a journey sees it."""

    def __init__(self, session, args=()):
        self.s = session
        self.log = open(os.path.join(session.root, "varko2000.log"), "w")
        self.process = session.spawn([session.binary("varko2000"), *args], stderr=self.log, stdout=self.log)
        self.screen = Screen(APP)
        self.frame = wait_for(lambda: next((n for n in self.screen.find_all("frame")
                                            if n.name.startswith(APP)), None), "the main window", 15)
        wait_for(lambda: self.screen.find_all("list", "Files"), "the file list")
        # A window as large as a person would make it, so the journey's rows all show.
        window = wait_for(lambda: session.xdotool("search", "--onlyvisible", "--pid", self.process.pid, "--name", APP,
                                                  check=False)
                          # Some loaded starts see the window before its process id is on it.
                          or session.xdotool("search", "--onlyvisible", "--name", "^" + APP, check=False),
                          # A cold first start, the window manager still starting, has taken more than 15 s.
                          "the main window on the display", 30)
        self.window_id = window.split()[0]
        session.xdotool("windowsize", self.window_id, 1100, 850)
        session.xdotool("windowmove", self.window_id, 150, 60)
        wait_for(lambda: self.frame.queryComponent().getExtents(self.screen.atspi.DESKTOP_COORDS)[3] > 800,
                 "the window at its new size")
        # And the queue made taller by its top edge, as a person drags it.
        pane = self.find("filler", "Queue pane")
        x, y, w, h = pane.queryComponent().getExtents(self.screen.atspi.DESKTOP_COORDS)
        session.drag((x + w // 2, y + 2), (x + w // 2, y - 200))
        wait_for(lambda: self.queue().queryComponent().getExtents(self.screen.atspi.DESKTOP_COORDS)[3] > 250,
                 "the queue made taller")

    def find(self, role, name, timeout=8.0):
        return self.screen.find(role, name, timeout=timeout)

    def press(self, role, name, button=1):
        node = self.find(role, name)
        wait_for(lambda: self.screen.is_enabled(node), f"{name!r} enabled")
        self.s.click(self.screen.centre(node), button)
        return node

    def queue(self):
        return self.find("tree", "Queue")

    def rows(self):
        return self.screen.table_rows(self.queue())

    def row_names(self):
        return [row[0] for row in self.rows()]

    def wait_rows(self, names, what):
        return wait_for(lambda: sorted(self.row_names()) == sorted(names) or None,
                        f"{what}: queue rows {sorted(names)} (have {sorted(self.row_names())})")

    def row_centre(self, name):
        queue = self.queue()
        table = queue.queryTable()
        for r in range(table.nRows):
            cell = table.getAccessibleAt(r, 0)
            if cell.name == name:
                x, y = self.screen.centre(cell)
                qx, qy, qw, qh = queue.queryComponent().getExtents(self.screen.atspi.DESKTOP_COORDS)
                if not (qx <= x < qx + qw and qy <= y < qy + qh):
                    raise JourneyFailed(f"queue row {name!r} is out of sight")
                return x, y
        raise JourneyFailed(f"no queue row {name!r}")

    def menu_entry(self, name):
        """An entry of an open menu or pop-up, found where it shows."""
        return wait_for(lambda: next((n for n in self.screen.find_all("menu item", name)
                                      if self.screen.is_enabled(n)), None), f"menu entry {name!r}")

    def choose(self, *path):
        """Opens the menu bar's menu path[0] with the pointer and presses the entries in turn."""
        self.press("menu item", path[0])
        for name in path[1:]:
            self.s.click(self.screen.centre(self.menu_entry(name)))

    def outcome(self):
        bar = self.screen.find_all("status bar", "Outcome")
        labels = self.screen.find_all("label", None, root=bar[0]) if bar else []
        return labels[0].name if labels else ""

    def dialog(self, title, timeout=8.0):
        return wait_for(lambda: next((w for w in self.screen.find_all(None, title)
                                      if w.getRoleName() in ("dialog", "frame", "alert", "file chooser")), None),
                        f"window {title!r}", timeout)

    def answer(self, question, button, keyboard=False):
        """Waits for a message box asking `question` and answers it with the pointer or the keys."""
        wait_for(lambda: any(question in n.name for n in self.screen.find_all("label")), f"the question {question!r}")
        if keyboard:
            self.s.key("Return")
        else:
            self.press("push button", button)
        wait_for(lambda: not any(question in n.name for n in self.screen.find_all("label")), f"{question!r} answered")

    def alive(self):
        return self.process.poll() is None


# -- setting the scene ----------------------------------------------------------------------
def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode())


def release_files(folder, big=0):
    """A small release: a diz, an nfo, two files and a folder; `big` bytes of noise in one more."""
    write(os.path.join(folder, "file_id.diz"), "                         xx/xx\r\nA journey's release\r\n")
    write(os.path.join(folder, "rel.nfo"), "About this release\r\n")
    write(os.path.join(folder, "one.txt"), "one\n" * 500)
    write(os.path.join(folder, "two.bin"), os.urandom(3000))
    write(os.path.join(folder, "extras", "three.txt"), "three\n" * 100)
    if big:
        write(os.path.join(folder, "big.bin"), os.urandom(big))
    return sorted(n for n in os.listdir(folder))


def script_for(session, folder, names, nfo_first=0, zipcomp=0):
    """A rip script that queues `names` of `folder`; it packs into the journey's rip-to folder."""
    header = ["tdrive= " + session.dirs["tmp"], "rarace= 1", "savepaths= 0", "size= 3", "racomp= 0", "zip= 1",
              f"nfo1st= {nfo_first}", f"zipcomp= {zipcomp}", "riptodir= " + session.dirs["rips"] + "/", "zcomment= 0",
              "comment= ", "dnumber= 0", "extra= ", "extra= "]
    path = os.path.join(session.dirs["home"], "release.v2k")
    write(path, "\r\n".join(header + [os.path.join(folder, n) for n in names]) + "\r\n")
    return path


# -- the journeys ---------------------------------------------------------------------------
def queued_release(s, big=0, **script):
    """The window on a script that queues a fresh release (see release_files); returns it and the rows' names."""
    folder = s.dirs["files"]
    names = release_files(folder, big)
    win = Window(s, [script_for(s, folder, names, **script)])
    win.wait_rows(names, "the script's rows")
    return win, names


def view_item(win, name):
    """The browser item `name` in whichever view of the file list shows."""
    return wait_for(lambda: next((n for n in win.screen.find_all(None, name, root=win.find("layered pane", "Files"))
                                  if n.getRoleName() in ("list item", "table cell")), None), f"browser item {name!r}")


def drag_from_browser(s):
    """Files and a folder dragged into the queue from each view of the file list and from the tree."""
    home = s.dirs["home"]
    release_files(home)
    write(os.path.join(s.dirs["files"], "tree.txt"), "from the tree\n")
    win = Window(s)
    expected = []
    for view, name in (("List", "one.txt"), ("Large icons", "two.bin"), ("Details", "extras")):
        win.press("check box", view)
        wait_for(lambda: win.screen.is_checked(win.find("check box", view)), f"{view} view")
        win.s.drag(win.screen.centre(view_item(win, name)), win.screen.centre(win.queue()))
        expected.append(name)
        win.wait_rows(expected, f"a drag from the {view} view")
        s.shot(view.replace(" ", "-").lower())
    tree = win.find("tree", "Folders")
    folder = win.screen.find("table cell", "files", root=tree)
    win.s.drag(win.screen.centre(folder), win.screen.centre(win.queue()))
    expected.append("files")
    win.wait_rows(expected, "a drag from the folder tree")
    s.shot("tree")


def drag_from_file_manager(s):
    """Files dragged from another program onto the queue, and (the copied-files marker only) onto the window."""
    files = s.dirs["files"]
    write(os.path.join(files, "a.txt"), "a\n")
    write(os.path.join(files, "folder", "b.txt"), "b\n")
    write(os.path.join(files, "c.txt"), "c\n")
    win = Window(s)
    for paths, marker_only, target, rows in (
            (["a.txt", "folder"], False, lambda: win.queue(), ["a.txt", "folder"]),
            (["c.txt"], True, lambda: win.find("label", "Queue totals"), ["a.txt", "folder", "c.txt"])):
        argv = [s.binary("varko_filesource"), *(os.path.join(files, p) for p in paths)]
        source = s.spawn(argv + (["--marker-only"] if marker_only else []))
        screen = Screen("varko_filesource")
        item = screen.find("label", "Drag these files", timeout=10)
        window = wait_for(lambda: s.xdotool("search", "--onlyvisible", "--pid", source.pid, "--name", "File source", check=False),
                          "the file source window")
        s.xdotool("windowmove", window.split()[0], 20, 20)
        wait_for(lambda: screen.centre(item)[0] < 400, "the file source window in the corner")
        s.drag(screen.centre(item), win.screen.centre(target()))
        win.wait_rows(rows, "a drag from another program")
        source.terminate()
    s.shot("dropped")


def right_click_menu(s):
    """A right press on a row not selected, then the pop-up; Delete on a row; Clear queue."""
    win, names = queued_release(s)
    placements = lambda: {row[0]: row[IN_COLUMN] for row in win.rows()}
    s.click(win.row_centre("one.txt"))
    for row, entry, placed in (("two.bin", "In Zip", "Zip"), ("extras", "1st Zip only", "1st Zip only")):
        s.click(win.row_centre(row), button=3)
        s.click(win.screen.centre(win.menu_entry(entry)))
        wait_for(lambda: placements()[row] == placed, f"{row} placed {placed} (have {placements()})")
        if placements()["one.txt"] != "Rar":
            raise JourneyFailed(f"the right click moved the row selected before: {placements()}")
    s.shot("placed")
    s.click(win.row_centre("one.txt"))
    s.key("Delete")
    win.wait_rows([n for n in names if n != "one.txt"], "Delete on a row")
    win.choose("Queue", "Clear queue...")
    if win.screen.find_all("push button", "Yes"):
        win.press("push button", "Yes")
    win.wait_rows([], "Clear queue")
    s.shot("cleared")
    # The file list too: its pop-up acts on the item under the pointer.
    item = view_item(win, "release.v2k")
    s.click(win.screen.centre(item), button=3)
    wait_for(lambda: view_item(win, "release.v2k").getState().contains(win.screen.atspi.STATE_SELECTED),
             "the browser item under a right press selected")
    s.shot("file-popup")
    s.key("Escape")


def zips_in(folder):
    return sorted(n for n in os.listdir(folder) if n.endswith(".zip"))


def check_set(s, base, zips):
    """The set made tests whole with our own test and with 7-Zip."""
    rips = s.dirs["rips"]
    tested = s.run([s.binary("varko2000"), "--test", os.path.join(rips, zips[0])])
    if tested.returncode != 0:
        raise JourneyFailed(f"varko2000 --test on {base}: {tested.returncode} {tested.stderr.strip()}")
    for name in zips:
        done = s.run(["7z", "t", os.path.join(rips, name)])
        if done.returncode != 0:
            raise JourneyFailed(f"7z t {name}: {done.stdout[-300:]}")


def wait_outcome(win, words, timeout=15):
    return wait_for(lambda: words in win.outcome() and win.outcome(), f"the outcome line saying {words!r}", timeout)


def pack_from_keyboard(s):
    """Pack It by the Queue menu's keys, the name typed and Enter; the set tests whole."""
    win, names = queued_release(s)
    s.key("alt+q")
    wait_for(lambda: win.screen.find_all("menu item", "Pack it"), "the Queue menu open")
    s.key("Up", "Up", "Return")
    s.shot("name-dialog")
    win.dialog("File name")
    s.type_text("keyrel")
    s.key("Return")
    win.answer("Folder found, save paths?", "Yes", keyboard=True)
    said = wait_outcome(win, "complete")
    zips = zips_in(s.dirs["rips"])
    if "keyrel" not in said or s.dirs["rips"] not in said or not zips:
        raise JourneyFailed(f"the outcome line says {said!r} for zips {zips}")
    s.shot("outcome")
    check_set(s, "keyrel", zips)


def pack_from_pointer(s):
    """Pack It from the toolbar, the name dialog's field and OK pressed with the pointer."""
    win, names = queued_release(s, big=2_000_000)
    win.press("push button", "Pack It")
    dialog = win.dialog("File name")
    field = win.screen.find("text", "File name", root=dialog)
    s.click(win.screen.centre(field))
    s.type_text("ptrrel")
    s.click(win.screen.centre(win.screen.find("push button", "OK", root=dialog)))
    win.answer("Folder found, save paths?", "No")
    said = wait_outcome(win, "complete")
    zips = zips_in(s.dirs["rips"])
    if f"{len(zips)} zips" not in said:
        raise JourneyFailed(f"the outcome line says {said!r} for zips {zips}")
    s.shot("outcome")
    check_set(s, "ptrrel", zips)
    # The line stays until the next command, and goes with it.
    win.press("check box", "Details")
    wait_for(lambda: not win.outcome(), "the outcome line gone with the next command")


def focus_by_tab(win, role, name, limit=40):
    """Tab through the focus chain, as a keyboard user does, until `name` has the focus."""
    for _ in range(limit):
        node = next(iter(win.screen.find_all(role, name)), None)
        if node is not None and node.getState().contains(win.screen.atspi.STATE_FOCUSED):
            return node
        win.s.key("Tab")
    raise JourneyFailed(f"Tab never reaches {role} {name!r}")


def labelled(win, root, name):
    """The control a form's label names, found by the label's relation as a screen reader finds it
    (a list's own name is the entry it shows)."""
    label = win.screen.find("label", name, root=root)
    for relation in label.getRelationSet():
        if relation.getRelationType() == win.screen.atspi.RELATION_LABEL_FOR:
            return relation.getTarget(0)
    raise JourneyFailed(f"the label {name!r} names no control")


def file_dialog_path(win, title, path):
    """Types a full path into a file dialog's name field and takes it with Enter."""
    win.dialog(title)
    win.s.key("ctrl+a")
    win.s.type_text(path)
    win.s.key("Return")
    wait_for(lambda: not win.screen.find_all("dialog", title), f"the dialog {title!r} closed")


def scripts_and_recent(s):
    """Save script as..., New rip script, then the saved script from the recent list: rows come back."""
    win, names = queued_release(s, nfo_first=1)
    before = win.rows()
    saved = os.path.join(s.dirs["home"], "saved.v2k")
    win.choose("File", "Save script as...")
    file_dialog_path(win, "Varko 2000 - Save script as...", saved)
    wait_for(lambda: os.path.exists(saved), "the saved script")
    wait_for(lambda: win.frame.name.endswith("saved.v2k"), "the title naming the saved script")
    win.choose("File", "New", "Rip script")
    wait_for(lambda: os.path.exists(os.path.join(s.dirs["home"], "New rip script.v2k")), "the new rip script")
    win.choose("Queue", "Clear queue...")
    if win.screen.find_all("push button", "Yes"):
        win.press("push button", "Yes")
    win.wait_rows([], "Clear queue")
    win.press("menu item", "File")
    recent = wait_for(lambda: next((n for n in win.screen.find_all("menu item") if n.name.endswith("saved.v2k")), None),
                      "the saved script in the recent list")
    if any(n.name.endswith("New rip script.v2k") for n in win.screen.find_all("menu item")):
        raise JourneyFailed("New rip script went into the recent list")
    s.click(win.screen.centre(recent))
    wait_for(lambda: win.rows() == before, f"the rows back as they were: {before} (have {win.rows()})")
    s.shot("reopened")


def options_by_keyboard(s):
    """The options dialog by keys alone: Ace, a size step, a zip level, Save; the window follows."""
    win = Window(s)
    s.key("alt+o", "Return")
    win.dialog("Default options")
    # "&Ace" shares its letter with "File_id.diz &auto-number": Alt+A goes to it, Space takes it.
    s.key("alt+a", "space")
    focus_by_tab(win, "scroll bar", "Size:")
    s.key("Down")
    focus_by_tab(win, "check box", "Zip comment")
    s.key("Tab", "Down")
    s.shot("options")
    s.key("alt+s")
    wait_for(lambda: not win.screen.find_all("dialog", "Default options"), "the options dialog closed")
    options = open(os.path.join(s.dirs["data"], "options.ini"), newline="").read().split("\r\n")
    for line in ("rarace= 0", "size= 4", "zipcomp= 4"):
        if line not in options:
            raise JourneyFailed(f"options.ini lacks {line!r}: {options}")
    panel = lambda name: win.find("label", name).description
    wait_for(lambda: panel("Archive type") == "Ace", "the archive-type panel saying Ace")
    if panel("Archive size") in ("1.44M", ""):
        raise JourneyFailed(f"the archive-size panel says {panel('Archive size')!r} after a step up")
    win.press("menu item", "Options")
    wait_for(lambda: win.screen.is_checked(win.menu_entry("Ace")), "Options > Ace checked")
    # The second "Compression" is the zip group's.
    zip_group = wait_for(lambda: win.screen.find_all("menu item", "Compression")[1], "the zip Compression menu")
    s.click(win.screen.centre(zip_group))
    wait_for(lambda: win.screen.is_checked(win.menu_entry("Good")), "Options > zip Compression > Good checked")
    s.key("Escape", "Escape")
    s.shot("after")


def long_release(s, copies, size, symbols=16):
    """A release with `copies` names for one file of noise: a run long enough to act during, at little disk cost.

    The noise takes `symbols` byte values: the fewer, the longer deflating takes."""
    folder = s.dirs["files"]
    release_files(folder)
    write(os.path.join(folder, "big0.bin"), os.urandom(size).translate(bytes(range(symbols)) * (256 // symbols)))
    for i in range(1, copies):
        os.link(os.path.join(folder, "big0.bin"), os.path.join(folder, f"big{i}.bin"))
    names = sorted(os.listdir(folder))
    win = Window(s, [script_for(s, folder, names, zipcomp=5)])
    win.wait_rows(names, "the script's rows")
    return win


def start_pack(win, name):
    """Pack It by the pointer, the name typed, No to the paths question; returns as the run works.

    While the run works the window answers the accessibility bus only between volumes:
    after this a journey goes by the files and by where it saw the buttons."""
    win.press("push button", "Pack It")
    win.dialog("File name")
    win.s.type_text(name)
    win.s.key("Return")
    wait_for(lambda: any("save paths?" in n.name for n in win.screen.find_all("label")), "the paths question")
    win.s.click(win.screen.centre(win.find("push button", "No")))


def close_during_run(s):
    """Close pressed while the zips are written: only whole zips stay, and the window takes commands again."""
    win = long_release(s, 8, 40_000_000)
    close_at = win.screen.centre(win.find("push button", "Close"))
    start_pack(win, "stoprel")
    wait_for(lambda: zips_in(s.dirs["rips"]), "the first zip", 20)
    # The window stepped aside for the run: brought back as from the taskbar, then Close.
    s.xdotool("windowactivate", win.window_id, check=False)
    time.sleep(0.3)
    s.click(close_at)
    said = wait_outcome(win, "stopped", 20)
    s.shot("stopped")
    zips = zips_in(s.dirs["rips"])
    if not zips or len(zips) >= 220 or not win.alive():
        raise JourneyFailed(f"a stop left {zips}; the program {'runs' if win.alive() else 'ended'}")
    for name in zips:
        if s.run(["unzip", "-tq", os.path.join(s.dirs["rips"], name)]).returncode != 0:
            raise JourneyFailed(f"{name} is not whole after the stop")
    leftovers = [n for n in os.listdir(s.dirs["rips"]) if not n.endswith(".zip")]
    if leftovers or f"{len(zips)} zip" not in said:
        raise JourneyFailed(f"the stop left {leftovers}; the line says {said!r} for {len(zips)} zips")
    win.press("check box", "Details")
    wait_for(lambda: win.screen.is_checked(win.find("check box", "Details")), "a command taken after the stop")


def test_set_names_fault(s):
    """Test set... on a set with one flipped byte names the faulty zip and what its PAR2 files can do."""
    folder = s.dirs["files"]
    names = release_files(folder, big=3_000_000)
    script = script_for(s, folder, names)
    packed = s.run([s.binary("varko2000"), "--pack", script, "--name", "flip", "--par2", "10"], timeout=30)
    zips = zips_in(s.dirs["rips"])
    if packed.returncode != 0 or len(zips) < 3:
        raise JourneyFailed(f"--pack gave {packed.returncode} and {zips}: {packed.stderr[-300:]}")
    faulty = os.path.join(s.dirs["rips"], zips[1])
    with open(faulty, "r+b") as f:
        f.seek(os.path.getsize(faulty) // 2)
        byte = f.read(1)
        f.seek(-1, 1)
        f.write(bytes([byte[0] ^ 0x40]))
    win = Window(s, [script])
    win.wait_rows(names, "the script's rows")
    win.choose("Queue", "Test set...")
    file_dialog_path(win, "Test set", os.path.join(s.dirs["rips"], zips[0]))
    verdict = wait_for(lambda: next((n.name for n in win.screen.find_all("label") if "fault" in n.name), None),
                       "the set test's verdict", 20)
    s.shot("verdict")
    if zips[1] not in verdict or any(z in verdict for z in (zips[0], zips[2])):
        raise JourneyFailed(f"the verdict does not name {zips[1]} alone: {verdict!r}")
    if "repairable with flip.par2 (1 block needed" not in verdict:
        raise JourneyFailed(f"the verdict does not say the PAR2 files can mend it: {verdict!r}")
    win.press("push button", "OK")
    if zips[1] not in win.outcome():
        raise JourneyFailed(f"the outcome line does not name {zips[1]}: {win.outcome()!r}")


def outcome_notified(s):
    """A run that ends while another window is active tells the desktop; the window says it too."""
    import json
    log = os.path.join(s.root, "notifications.jsonl")
    s.spawn(["/usr/bin/python3", os.path.join(os.path.dirname(os.path.abspath(__file__)), "notifications.py"), log])
    wait_for(lambda: os.path.exists(log), "the stand-in notification service")
    win = long_release(s, 5, 20_000_000)
    other = s.spawn([s.binary("varko_filesource"), s.dirs["files"]])
    other_id = wait_for(lambda: s.xdotool("search", "--onlyvisible", "--pid", other.pid, "--name", "File source",
                                          check=False), "another program's window").split()[0]
    s.xdotool("windowactivate", win.window_id)
    start_pack(win, "away")
    # The person turns to the other program while the run works.
    s.xdotool("windowactivate", other_id, check=False)
    said = wait_outcome(win, "complete", 30)
    sent = wait_for(lambda: [json.loads(line) for line in open(log)], "a desktop notification")
    if sent[0]["summary"] != "Set away complete" or sent[0]["body"] != said:
        raise JourneyFailed(f"the notification {sent} does not say what the window says: {said!r}")


def par2_from_window(s):
    """Write PAR2 and 20 % chosen with the pointer; Pack It leaves recovery files; Test set... calls a lost zip repairable."""
    import math
    import re
    # Six zips: 20 % rebuilds any one of them.
    win, names = queued_release(s, big=8_000_000)
    win.press("menu item", "Options")
    # The zip group's Options, after the archive group's.
    s.click(win.screen.centre(wait_for(lambda: win.screen.find_all("menu item", "Options")[-1], "zip Options")))
    s.click(win.screen.centre(win.menu_entry("Write PAR2")))
    win.choose("Options", "Set defaults...")
    dialog = win.dialog("Default options")
    s.click(win.screen.centre(labelled(win, dialog, "PAR2 recovery")))
    s.click(win.screen.centre(wait_for(lambda: next((n for n in win.screen.find_all(None, "20%")
                                                     if n.getRoleName() != "combo box"), None), "the 20% entry")))
    s.shot("recovery-chosen")
    win.press("push button", "OK")
    wait_for(lambda: not win.screen.find_all("dialog", "Default options"), "the options dialog closed")

    start_pack(win, "parrel")
    wait_outcome(win, "complete", 30)
    rips = s.dirs["rips"]
    zips = zips_in(rips)
    verified = s.run(["par2", "verify", os.path.join(rips, "parrel.par2")])
    data = re.search(r"total of (\d+) data blocks", verified.stdout)
    recovery = sum(int(m.group(1)) for m in (re.search(r"\+(\d+)\.par2$", n) for n in os.listdir(rips)) if m)
    if verified.returncode != 0 or not data or recovery != math.ceil(int(data.group(1)) * 20 / 100):
        raise JourneyFailed(f"par2 verify {verified.returncode}, {recovery} recovery blocks: {verified.stdout[-300:]}")

    os.remove(os.path.join(rips, zips[1]))
    win.choose("Queue", "Test set...")
    file_dialog_path(win, "Test set", os.path.join(rips, zips[0]))
    verdict = wait_for(lambda: next((n.name for n in win.screen.find_all("label") if "repairable" in n.name), None),
                       "the set test's verdict", 20)
    s.shot("repairable")
    if f"{zips[1]}: missing" not in verdict or not re.search(r"(^|\n)repairable with parrel\.par2 \(", verdict):
        raise JourneyFailed(f"the verdict does not offer the repair of {zips[1]}: {verdict!r}")
    win.press("push button", "OK")


def progress_told(s):
    """A long Pack It: the bar only rises, the speed and time left are told, and the taskbar entry hears it."""
    log = os.path.join(s.root, "launcher.log")
    with open(log, "w") as out:
        s.spawn(["dbus-monitor", "--session", "type='signal',interface='com.canonical.Unity.LauncherEntry'"],
                stdout=out)
    # Noise of eight values deflates slowly: the run lasts long enough to be told its time left.
    win = long_release(s, 5, 40_000_000, symbols=8)
    # Found before the run: while it works, every question to the window waits for its next look up,
    # so the journey reads these two alone rather than walk the tree.
    bar = win.find(None, "Progress")
    foot = next(n for n in win.screen.walk(showing=False) if n.getRoleName() == "status bar")
    start_pack(win, "progr")
    percents, lines = [], []
    deadline = time.monotonic() + 30
    while time.monotonic() < deadline:
        bar.clearCache()
        said = bar.description
        line = foot.getChildAtIndex(0).name if foot.childCount else ""
        if said.endswith("%") and said[:-1].isdigit():
            percents.append(int(said[:-1]))
        if line and (not lines or lines[-1] != line):
            lines.append(line)
            if " left" in line and not any(" left" in n for n in lines[:-1]):
                s.shot("progress")
        if "complete" in line:
            break
        time.sleep(0.1)
    if percents != sorted(percents) or len(set(percents)) < 3:
        raise JourneyFailed(f"the bar read {percents}")
    if not any("MB/s" in n for n in lines) or not any(" left" in n for n in lines):
        raise JourneyFailed(f"no speed or time left in the lines {lines}")
    signals = open(log).read()
    if "progress-visible" not in signals or "application://" not in signals:
        raise JourneyFailed(f"the taskbar heard nothing: {signals[-500:]!r}")


JOURNEYS = {
    "drag_from_browser": drag_from_browser,
    "drag_from_file_manager": drag_from_file_manager,
    "right_click_menu": right_click_menu,
    "pack_from_keyboard": pack_from_keyboard,
    "pack_from_pointer": pack_from_pointer,
    "scripts_and_recent": scripts_and_recent,
    "options_by_keyboard": options_by_keyboard,
    "close_during_run": close_during_run,
    "test_set_names_fault": test_set_names_fault,
    "outcome_notified": outcome_notified,
    "progress_told": progress_told,
    "par2_from_window": par2_from_window,
}


def main():
    build_dir, name = sys.argv[1], sys.argv[2]
    shots = sys.argv[3] if len(sys.argv) > 3 else None
    try:
        require_tools()
    except JourneyFailed as missing:
        print(f"journey {name}: {missing}", file=sys.stderr)
        return 1
    session = Session(name, build_dir, shots)
    started = time.monotonic()
    try:
        session.start()
        JOURNEYS[name](session)
    except JourneyFailed as failure:
        session.shot("failed")
        print(f"journey {name} failed: {failure}", file=sys.stderr)
        return 1
    finally:
        session.stop()
    print(f"journey {name} passed in {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
