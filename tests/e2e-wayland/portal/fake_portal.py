#!/usr/bin/python3
# A desktop portal holding to the documented contracts the program relies on: requests answered
# by a Response signal on the handle the caller's token fixes, sessions, GlobalShortcuts and the
# keyboard of RemoteDesktop with single-use restore tokens. The user is played by files in
# STATE: "refuse" makes the consent dialog answer cancel, "old" makes it a portal without
# GlobalShortcuts; each consent dialog shown and each key arrives as a line of STATE/log. The
# test plays the user's keys through org.quorvanel.FakePortal.
import itertools
import os
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

ROOT, GS, RD = '/org/freedesktop/portal/desktop', 'org.freedesktop.portal.GlobalShortcuts', \
    'org.freedesktop.portal.RemoteDesktop'
state = sys.argv[1]
DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
sessions, tokens, issued = {}, set(), itertools.count(1)


def log(line):
    with open(os.path.join(state, 'log'), 'a') as f:
        f.write(line + '\n')


def handle(kind, sender, options, key):
    return '%s/%s/%s/%s' % (ROOT, kind, sender[1:].replace('.', '_'), options[key])


class Request(dbus.service.Object):
    def __init__(self, sender, options, code, results):
        self.path = handle('request', sender, options, 'handle_token')
        super().__init__(bus, self.path)
        GLib.idle_add(self.answer, code, results)  # once the call has returned the handle

    @dbus.service.signal('org.freedesktop.portal.Request', signature='ua{sv}')
    def Response(self, code, results):
        pass

    def answer(self, code, results):
        self.Response(code, results)
        self.remove_from_connection()


class Session(dbus.service.Object):
    def __init__(self, sender, options):
        self.path = handle('session', sender, options, 'session_handle_token')
        super().__init__(bus, self.path)
        self.shortcuts, self.options, self.started = [], {}, False
        sessions[self.path] = self

    @dbus.service.method('org.freedesktop.portal.Session')
    def Close(self):
        del sessions[self.path]
        self.remove_from_connection()


# RemoteDesktop, its own class: both interfaces have a CreateSession.
class Keyboard(dbus.service.Object):
    @dbus.service.method(RD, 'a{sv}', 'o', sender_keyword='sender')
    def CreateSession(self, options, sender):
        session = Session(sender, options)
        return Request(sender, options, 0, {'session_handle': dbus.ObjectPath(session.path)}).path

    @dbus.service.method(RD, 'oa{sv}', 'o', sender_keyword='sender')
    def SelectDevices(self, session, options, sender):
        sessions[session].options = options
        return Request(sender, options, 0, {}).path

    @dbus.service.method(RD, 'osa{sv}', 'o', sender_keyword='sender')
    def Start(self, session, parent, options, sender):
        chosen = sessions[session].options
        restored = chosen.get('restore_token') in tokens
        tokens.discard(chosen.get('restore_token'))
        if not restored:
            log('consent')
            if os.path.exists(os.path.join(state, 'refuse')):
                return Request(sender, options, 1, {}).path
        sessions[session].started = chosen.get('types', 7) & 1
        results = {'devices': dbus.UInt32(chosen.get('types', 7))}
        if chosen.get('persist_mode') == 2:
            results['restore_token'] = 'token%d' % next(issued)
            tokens.add(results['restore_token'])
        return Request(sender, options, 0, results).path

    @dbus.service.method(RD, 'oa{sv}iu')
    def NotifyKeyboardKeycode(self, session, options, keycode, pressed):
        if not sessions[session].started:
            raise dbus.exceptions.DBusException('keyboard not granted')
        log('key %d %d' % (keycode, pressed))


class Portal(Keyboard):
    @dbus.service.method(GS, 'a{sv}', 'o', sender_keyword='sender')
    def CreateSession(self, options, sender):  # GlobalShortcuts: the handle comes as 's'
        if os.path.exists(os.path.join(state, 'old')):  # as a portal before 1.17 answers
            raise dbus.exceptions.DBusException(name='org.freedesktop.DBus.Error.UnknownMethod')
        return Request(sender, options, 0, {'session_handle': Session(sender, options).path}).path

    @dbus.service.method(GS, 'oa(sa{sv})sa{sv}', 'o', sender_keyword='sender')
    def BindShortcuts(self, session, shortcuts, parent, options, sender):
        sessions[session].shortcuts = [(i, {'description': o['description'], 'trigger_description':
                                            o.get('preferred_trigger', '')}) for i, o in shortcuts]
        return Request(sender, options, 0, {'shortcuts': self.listed(session)}).path

    @dbus.service.method(GS, 'oa{sv}', 'o', sender_keyword='sender')
    def ListShortcuts(self, session, options, sender):
        return Request(sender, options, 0, {'shortcuts': self.listed(session)}).path

    def listed(self, session):
        return dbus.Array(sessions[session].shortcuts, signature='(sa{sv})')

    @dbus.service.signal(GS, signature='osta{sv}')
    def Activated(self, session, shortcut, timestamp, options):
        pass

    @dbus.service.signal(GS, signature='oa(sa{sv})')
    def ShortcutsChanged(self, session, shortcuts):
        pass

    @dbus.service.method('org.quorvanel.FakePortal', 's')
    def Press(self, shortcut):
        for path, session in list(sessions.items()):
            if any(i == shortcut for i, _ in session.shortcuts):
                self.Activated(dbus.ObjectPath(path), shortcut, dbus.UInt64(0), {})

    @dbus.service.method('org.quorvanel.FakePortal', 'ss')
    def Rebind(self, shortcut, trigger):  # the user chose another key in the desktop's settings
        for path, session in list(sessions.items()):
            for i, info in session.shortcuts:
                if i == shortcut:
                    info['trigger_description'] = trigger
            self.ShortcutsChanged(dbus.ObjectPath(path), self.listed(path))


name = dbus.service.BusName('org.freedesktop.portal.Desktop', bus)
Portal(bus, ROOT)
open(os.path.join(state, 'ready'), 'w').close()
GLib.MainLoop().run()
