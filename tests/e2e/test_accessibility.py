"""The main window as a screen reader finds it: through the AT-SPI bus of a session of the test's
own (a D-Bus session bus and the accessibility bus, started and stopped by process id), every
control named in French, the colour grid's cells by their colours, the list's lines by their
families."""

import json
import os
import signal
import subprocess
import sys
import time

from glyphor_session import GlyphorTestCase, main, settings_file, stop_process, wait_for

BUS_LAUNCHER = '/usr/libexec/at-spi-bus-launcher'

# Walks the tree of the application named glyphor, as a screen reader does: (role, name,
# description) of each node.
CLIENT = r'''
import json, sys
import gi
gi.require_version('Atspi', '2.0')
from gi.repository import Atspi
Atspi.init()
found = []
def walk(node, depth):
    if node is None or depth > 40:
        return
    found.append([node.get_role_name(), node.get_name() or '', node.get_description() or ''])
    for i in range(min(node.get_child_count(), 400)):
        walk(node.get_child_at_index(i), depth + 1)
desktop = Atspi.get_desktop(0)
for i in range(desktop.get_child_count()):
    app = desktop.get_child_at_index(i)
    if app is not None and (app.get_name() or '').lower() == 'glyphor':
        walk(app, 0)
print(json.dumps(found))
'''


class Accessibility(GlyphorTestCase):
    window_manager = True

    def start_bus(self):
        """A session bus and the accessibility bus on it; returns the session bus address."""
        read_end, write_end = os.pipe()
        bus = subprocess.Popen(['dbus-daemon', '--session', '--nofork',
                                '--print-address=%d' % write_end], pass_fds=(write_end,),
                               env=self.session.env, start_new_session=True,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(stop_process, bus)
        os.close(write_end)
        address = b''
        while not address.endswith(b'\n'):
            chunk = os.read(read_end, 256)
            if not chunk:
                break
            address += chunk
        os.close(read_end)
        address = address.decode().strip()
        self.assertTrue(address, 'the session bus gave no address')
        env = dict(self.session.env, DBUS_SESSION_BUS_ADDRESS=address)
        launcher = subprocess.Popen([BUS_LAUNCHER, '--launch-immediately'], env=env,
                                    start_new_session=True, stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL)
        # The launcher starts the accessibility bus and its registry as its own children.
        self.addCleanup(self.stop_group, launcher)
        return address

    def stop_group(self, process):
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGTERM)
        stop_process(process)

    def tree(self, env):
        result = subprocess.run([sys.executable, '-c', CLIENT], env=env, capture_output=True,
                                text=True, timeout=60)
        return json.loads(result.stdout) if result.returncode == 0 and result.stdout else []

    def test_controls_named_for_a_screen_reader(self):
        if not os.access(BUS_LAUNCHER, os.X_OK):
            sys.exit(77)
        address = self.start_bus()
        self.session.write_settings(settings_file())
        self.session.program_env = {'DBUS_SESSION_BUS_ADDRESS': address,
                                    'QT_LINUX_ACCESSIBILITY_ALWAYS_ON': '1'}
        window = self.start_glyphor()
        env = dict(self.session.env, DBUS_SESSION_BUS_ADDRESS=address)

        wanted = ['Liste des polices', 'Taille', 'Gras', 'Italique',
                  'Souligné', 'Tous les caractères', 'Grille de couleurs', 'Imprimer',
                  'Page HTML', 'Table de caractères', 'Aide', 'Quitter',
                  'Réduire dans la zone de notification', 'Filtrer les polices',
                  'Peut écrire l\'exemple', 'Filtres',
                  # the grid's cells; black carries the text's marker, white the background's
                  'rouge', 'bleu marine', 'noir, couleur du texte', 'blanc, couleur du fond',
                  # the list's lines
                  'DejaVu Sans', 'Liberation Mono']
        names = []

        nodes = []

        def named():
            nodes[:] = self.tree(env)
            names[:] = [name for _, name, _ in nodes]
            return all(name in names for name in wanted)
        wait_for(named, timeout=30, what='the controls on the accessibility bus')
        # An editable combo box reads out its text; what it is for is its description.
        self.assertIn(('combo box', "La phrase écrite dans chaque police ; Entrée l'applique. "
                                    'Sur la page Texte : la police'),
                      [(role, description) for role, _, description in nodes])
        # No control without a name: every push button says what it does.
        buttons = [name for role, name, _ in nodes if role == 'push button']
        self.assertTrue(buttons)
        self.assertNotIn('', buttons)
        self.exit_with_button(window)


if __name__ == '__main__':
    main()
