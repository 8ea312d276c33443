"""A session of the test's own on the accessibility bus (AT-SPI), as a screen reader sees the
program: a D-Bus session bus and the accessibility bus on it, started and stopped by process id.
Its clients run under /usr/bin/python3, which has the Atspi bindings (python3-gi)."""

import json
import os
import signal
import subprocess

from glyphor_session import SKIP_EXIT_CODE, stop_process, wait_for

BUS_LAUNCHER = '/usr/libexec/at-spi-bus-launcher'

# The application named glyphor, walked as a screen reader does.
_COMMON = r'''
import json, sys
import gi
gi.require_version('Atspi', '2.0')
from gi.repository import Atspi
Atspi.init()

def nodes(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for i in range(min(node.get_child_count(), 400)):
        yield from nodes(node.get_child_at_index(i), depth + 1)

def find(root, role, name):
    """The node of that role named name below root, or else the first whose name starts so."""
    first = None
    for node in nodes(root):
        if node.get_role_name() != role:
            continue
        if (node.get_name() or '') == name:
            return node
        if first is None and (node.get_name() or '').startswith(name):
            first = node
    return first

def act(node):
    """A check box's line is toggled, anything else pressed; whether it was done."""
    action = node.get_action_iface()
    if action is None or action.get_n_actions() == 0:
        return False
    names = [action.get_action_name(i) for i in range(action.get_n_actions())]
    return action.do_action(names.index('Toggle') if 'Toggle' in names else 0)

def application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and (app.get_name() or '').lower() == 'glyphor':
            return app
    return None
'''

# Prints (role, name, description) of every node.
_TREE = _COMMON + r'''
print(json.dumps([[n.get_role_name(), n.get_name() or '', n.get_description() or '']
                  for n in nodes(application())]))
'''

# Acts on the node of that role named by the given text, or else whose name starts with it (a menu
# entry, a list's line), as a screen reader's user does by name; prints whether it found one.
_ACT = _COMMON + r'''
role, name = sys.argv[1], sys.argv[2]
node = find(application(), role, name)
print(json.dumps(act(node) if node is not None else False))
'''

# Menus and their panels are popups, which the program's tree leaves out: a screen reader finds
# them by the focus moving into them. Waits for the next focus there, then does the first action
# of the node of that role whose name starts with the given text, in the popup the focus is in;
# prints whether it found one.
_ACT_IN_POPUP = _COMMON + r'''
from gi.repository import GLib
role, name, seconds = sys.argv[1], sys.argv[2], float(sys.argv[3])
done = []

def focused(event):
    if done or not event.detail1:
        return
    # From the focused node outwards: a menu's panel is a child of the panel, not of the menu.
    ancestor = event.source
    while ancestor is not None and ancestor.get_role_name() != 'application':
        node = find(ancestor, role, name)
        if node is not None:
            done.append(act(node))
            Atspi.event_quit()
            return
        ancestor = ancestor.get_parent()

listener = Atspi.EventListener.new(focused)
listener.register('object:state-changed:focused')
print('ready', flush=True)
GLib.timeout_add(int(seconds * 1000), lambda: Atspi.event_quit())
Atspi.event_main()
print(json.dumps(bool(done and done[0])))
'''


class AccessibilityBus:
    def __init__(self, testcase):
        if not os.access(BUS_LAUNCHER, os.X_OK):
            raise SystemExit(SKIP_EXIT_CODE)
        self.testcase = testcase
        self.session = testcase.session
        self.address = self._start()
        self.env = dict(self.session.env, DBUS_SESSION_BUS_ADDRESS=self.address)
        # The program joins it, and speaks to it whether or not a screen reader asked.
        self.program_env = {'DBUS_SESSION_BUS_ADDRESS': self.address,
                            'QT_LINUX_ACCESSIBILITY_ALWAYS_ON': '1'}

    def _start(self):
        read_end, write_end = os.pipe()
        bus = subprocess.Popen(['dbus-daemon', '--session', '--nofork',
                                '--print-address=%d' % write_end], pass_fds=(write_end,),
                               env=self.session.env, start_new_session=True,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.testcase.addCleanup(stop_process, bus)
        os.close(write_end)
        address = b''
        while not address.endswith(b'\n'):
            chunk = os.read(read_end, 256)
            if not chunk:
                break
            address += chunk
        os.close(read_end)
        address = address.decode().strip()
        self.testcase.assertTrue(address, 'the session bus gave no address')
        env = dict(self.session.env, DBUS_SESSION_BUS_ADDRESS=address)
        launcher = subprocess.Popen([BUS_LAUNCHER, '--launch-immediately'], env=env,
                                    start_new_session=True, stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL)
        # The launcher starts the accessibility bus and its registry as its own children.
        self.testcase.addCleanup(self._stop_group, launcher)
        return address

    @staticmethod
    def _stop_group(process):
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGTERM)
        stop_process(process)

    def _client(self, script, *args):
        result = subprocess.run(['/usr/bin/python3', '-c', script, *args], env=self.env,
                                capture_output=True, text=True, timeout=60)
        return json.loads(result.stdout) if result.returncode == 0 and result.stdout else None

    def tree(self):
        """(role, name, description) of every node of the program."""
        return self._client(_TREE) or []

    def act_in_popup(self, role, name, focus, timeout=10.0):
        """The first action of the node of that role named name (or starting so) in the popup
        the focus goes into when focus() is called (a key that moves the focus into a menu)."""
        client = subprocess.Popen(['/usr/bin/python3', '-c', _ACT_IN_POPUP, role, name,
                                   str(timeout)], env=self.env, stdout=subprocess.PIPE, text=True)
        try:
            self.testcase.assertEqual(client.stdout.readline().strip(), 'ready')
            focus()
            found = client.stdout.readline().strip()
            client.wait(timeout)
        finally:
            stop_process(client)
            client.stdout.close()
        self.testcase.assertEqual(found, 'true', 'no %s named %r in the popup' % (role, name))

    def act(self, role, name, timeout=10.0):
        """The first action of the node of that role named name (or starting so)."""
        wait_for(lambda: self._client(_ACT, role, name), timeout,
                 'a %s named %r to act on' % (role, name))
