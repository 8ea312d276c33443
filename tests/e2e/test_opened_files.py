"""Font files that are not installed, as a user works with them: a folder given at the start, its
families listed and filtered, one installed (fontconfig then lists it, and so does the installed
list), another installed then undone, and a file handed over by a second start."""

import os
import subprocess
import sys
import time

from accessibility_bus import AccessibilityBus
from glyphor_session import MESSAGE_BOX_NAME, GlyphorTestCase, main, stop_process, wait_for

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'fonts'))
from make_odd_fonts import LIBERATION, renamed  # noqa: E402

LINE_HEIGHT = 22  # at the default size 12
PANEL_HEIGHT = 88


class OpenedFiles(GlyphorTestCase):
    window_manager = True

    def setUp(self):
        super().setUp()
        self.folder = os.path.join(self.workdir, 'téléchargées')
        os.makedirs(self.folder)
        sans = LIBERATION + 'LiberationSans-'
        renamed(sans + 'Regular.ttf', 'Glyphor Essai', 'Regular').save(
            os.path.join(self.folder, 'essai-regular.ttf'))
        renamed(sans + 'Bold.ttf', 'Glyphor Essai', 'Bold').save(
            os.path.join(self.folder, 'essai-bold.ttf'))
        renamed(sans + 'Italic.ttf', 'Glyphor Autre', 'Italic').save(
            os.path.join(self.folder, 'autre.ttf'))
        with open(os.path.join(self.folder, 'lisez-moi.txt'), 'w') as note:
            note.write('pas une police\n')
        self.later = os.path.join(self.workdir, 'trois.ttf')
        renamed(sans + 'Regular.ttf', 'Glyphor Trois', 'Regular').save(self.later)

        # The test fonts, and the user's own font folder where an install puts its copies.
        data = os.path.join(self.workdir, 'data')
        conf = os.path.join(self.workdir, 'fonts.conf')
        with open(self.session.fonts_conf) as test_conf, open(conf, 'w') as own:
            own.write(test_conf.read().replace(
                '</fontconfig>', '  <dir prefix="xdg">fonts</dir>\n'
                '  <cachedir prefix="xdg">fontconfig</cachedir>\n</fontconfig>'))
        self.user_fonts = os.path.join(data, 'fonts')
        self.fonts_env = {'FONTCONFIG_FILE': conf, 'XDG_DATA_HOME': data,
                          'XDG_CACHE_HOME': os.path.join(self.workdir, 'cache')}
        self.bus = AccessibilityBus(self)
        self.session.program_env = {**self.bus.program_env, **self.fonts_env}

    def keys(self, *keys):
        self.session.run('xdotool', 'key', '--delay', '40', *keys)

    def caption_says(self, window, text):
        wait_for(lambda: self.session.window_name(window).endswith(text), 30,
                 'the caption to say %r (it says %r)' % (text, self.session.window_name(window)))

    def choose_source(self, window, name):
        """An entry of the open button's menu, opened by its arrow (left of "Typographie", then
        "Filtres")."""
        info = self.session.window_info(window)
        self.session.click(window, info['width'] - 89, info['height'] - PANEL_HEIGHT - 17)
        # The menu must be open before the key that moves into it: slower under the sanitizers.
        time.sleep(1.5)
        self.bus.act_in_popup('menu item', name, lambda: self.keys('Down'))
        # An entry chosen over the bus leaves the menu open, as for a screen reader's user.
        self.keys('Escape')

    def install_line(self, window, line):
        """"Installer" in the menu of a line of the opened list: the box that says how it went."""
        # Chosen first, so that the focus moves next into the menu, not into the list.
        self.session.click(window, 40, LINE_HEIGHT * line + 10)
        time.sleep(0.3)
        def open_menu():
            self.session.click(window, 40, LINE_HEIGHT * line + 10, button=3)
            time.sleep(0.5)
            self.keys('Down')
        self.bus.act_in_popup('menu item', 'Installer', open_menu)
        return self.session.wait_window(MESSAGE_BOX_NAME, timeout=60)

    def names(self):
        return [name for _, name, _ in self.bus.tree()]

    def fontconfig_files(self, family):
        listed = subprocess.run(['fc-list', ':family=%s' % family, 'file'],
                                env={**self.session.env, **self.fonts_env},
                                capture_output=True, text=True, check=True).stdout
        return sorted(line.rstrip(':') for line in listed.split())

    def test_open_filter_install_undo_and_hand_over(self):
        window = self.start_glyphor(self.folder)
        self.caption_says(window, '2 fontes ouvertes')

        # The filter works on the opened families as on the installed ones.
        self.session.focus(window)
        self.keys('ctrl+f')
        self.session.type(window, 'autre')
        self.caption_says(window, '1 fonte affichée sur 2 ouvertes')
        self.keys('Escape')
        self.caption_says(window, '2 fontes ouvertes')

        self.choose_source(window, 'Polices installées')
        installed = int(wait_for(lambda: self.session.window_name(window).split('*** ')[1]
                                 .split(' fontes disponibles')[0], what='the installed count'))
        self.choose_source(window, 'Fichiers ouverts')
        self.caption_says(window, '2 fontes ouvertes')

        # "Glyphor Essai", the second line, installed: its two files copied, listed by fontconfig.
        self.install_line(window, 1)
        self.assertIn('Installée : Glyphor Essai', self.names())
        self.bus.act('push button', 'OK')
        wait_for(lambda: not self.session.find_windows(MESSAGE_BOX_NAME), what='the box to close')
        copies = sorted(os.path.join(self.user_fonts, name)
                        for name in ('essai-bold.ttf', 'essai-regular.ttf'))
        self.assertEqual(self.fontconfig_files('Glyphor Essai'), copies)
        self.choose_source(window, 'Polices installées')
        self.caption_says(window, '%d fontes disponibles' % (installed + 1))

        # "Glyphor Autre" installed, then undone: nothing of it is left.
        self.choose_source(window, 'Fichiers ouverts')
        self.install_line(window, 0)
        self.bus.act('push button', 'Annuler')
        wait_for(lambda: not self.fontconfig_files('Glyphor Autre'), 60, 'the install undone')
        wait_for(lambda: 'Installation annulée : Glyphor Autre' in self.names(), 30,
                 'the undo said')
        self.bus.act('push button', 'OK')
        wait_for(lambda: not self.session.find_windows(MESSAGE_BOX_NAME), what='the box to close')
        self.assertEqual(sorted(os.listdir(self.user_fonts)),
                         ['essai-bold.ttf', 'essai-regular.ttf'])

        # A second start hands its file over and ends; the running copy reads it too.
        second = subprocess.Popen([self.session.glyphor_bin, self.later],
                                  env={**self.session.env, **self.session.program_env},
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(stop_process, second)
        self.assertEqual(second.wait(15), 0)
        self.caption_says(window, '3 fontes ouvertes')
        self.assertEqual(self.session.find_windows(MESSAGE_BOX_NAME), [])


if __name__ == '__main__':
    main()
