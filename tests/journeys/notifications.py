#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A stand-in desktop notification service for the journeys: owns
org.freedesktop.Notifications on the session bus and writes each Notify call,
one JSON object a line, to the file named on the command line."""

import json
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"


class Notifications(dbus.service.Object):
    def __init__(self, bus, log):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.log = log
        self.last_id = 0

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        self.last_id += 1
        with open(self.log, "a") as f:
            f.write(json.dumps({"app": str(app), "summary": str(summary), "body": str(body)}) + "\n")
        return self.last_id

    @dbus.service.method(NAME, in_signature="", out_signature="as")
    def GetCapabilities(self):
        return ["body"]

    @dbus.service.method(NAME, in_signature="", out_signature="ssss")
    def GetServerInformation(self):
        return ("journey", "varko", "1", "1.2")


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    name = dbus.service.BusName(NAME, bus)
    service = Notifications(bus, sys.argv[1])
    open(sys.argv[1], "a").close()  # the journey waits for this file: the name is taken
    GLib.MainLoop().run()
    del name, service


if __name__ == "__main__":
    main()
