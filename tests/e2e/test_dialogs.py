"""The help, the about box and the character map, reached from the bottom panel as a user would."""

import os
import time

from glyphor_session import MESSAGE_BOX_NAME, GlyphorTestCase, main, wait_for

HELP_NAME = '^Aide de Glyphor'
ABOUT_NAME = r'^A propos\.\.\.$'
# The middle of "Plus d'infos . . ." in the about box, whose bounds are 8, 87, 306, 25.
MORE_INFO = (8 + 306 // 2, 87 + 25 // 2)


class Dialogs(GlyphorTestCase):
    def open_about_box(self, window):
        self.session.click_control(window, 'AboutBtn')
        return self.session.wait_window(ABOUT_NAME)

    def wait_gone(self, name):
        wait_for(lambda: not self.session.find_windows(name), what='%r to close' % name)

    def test_help_and_about_box(self):
        window = self.start_glyphor()
        self.session.click_control(window, 'Aide')
        help_window = self.session.wait_window(HELP_NAME)
        self.assertEqual(self.session.window_name(help_window),
                         'Aide de Glyphor - La fenêtre principale')

        # AIDE again, then "...": once the box shows, the second AIDE has been handled.
        self.session.click_control(window, 'Aide')
        about = self.open_about_box(window)
        self.assertEqual(self.session.find_windows(HELP_NAME), [help_window])
        info = self.session.window_info(about)
        self.assertEqual((info['width'], info['height']), (319, 198))
        self.session.screenshot('about-box', about)

        # Enter presses "clic!".
        self.session.key(about, 'Return')
        self.wait_gone(ABOUT_NAME)

        # "Plus d'infos . . ." turns the help to its page about Glyphor and closes the box.
        about = self.open_about_box(window)
        self.session.click(about, *MORE_INFO)
        self.wait_gone(ABOUT_NAME)
        wait_for(lambda: self.session.window_name(help_window) ==
                 'Aide de Glyphor - À propos de Glyphor', what='the page about Glyphor')
        self.session.screenshot('help-about-glyphor', help_window)

        # The main window takes clicks again, and closing it closes the help.
        self.exit_with_button(window)

    def stand_in_folder(self, *programs):
        """A folder holding stand-in character maps that record their starts in started.log."""
        folder = os.path.join(self.workdir, 'bin')
        os.makedirs(folder, exist_ok=True)
        for name in programs:
            path = os.path.join(folder, name)
            with open(path, 'w') as script:
                script.write('#!/bin/sh\necho "${0##*/}" >> "%s"\n'
                             % os.path.join(self.workdir, 'started.log'))
            os.chmod(path, 0o755)
        return folder

    def started(self):
        try:
            with open(os.path.join(self.workdir, 'started.log')) as log:
                return log.read().split()
        except FileNotFoundError:
            return []

    def charmap_colours(self, window):
        x, y, w, h = self.session.layout.controls['charmap']
        top = self.session.window_info(window)['height'] - self.session.layout.panel_height
        return self.session.colours(window, (x + 3, top + y + 3, w - 6, h - 6))

    def test_each_click_starts_a_character_map(self):
        # The stand-ins come first on the PATH, so a real character map never starts.
        self.session.program_env['PATH'] = (self.stand_in_folder('kcharselect', 'gucharmap')
                                            + ':' + self.session.env['PATH'])
        window = self.start_glyphor()
        self.session.click_control(window, 'charmap')
        self.session.click_control(window, 'charmap')
        wait_for(lambda: self.started() == ['gucharmap', 'gucharmap'], what='two starts')
        self.assertEqual(self.session.find_windows(MESSAGE_BOX_NAME), [])
        self.exit_with_button(window)

    def test_missing_character_map_is_reported_and_its_button_greyed(self):
        self.session.program_env['PATH'] = self.stand_in_folder()
        window = self.start_glyphor()
        before = wait_for(lambda: len(self.charmap_colours(window)) > 1 and
                          self.charmap_colours(window), what='the button to be painted')
        self.session.click_control(window, 'charmap')
        box = self.session.wait_window(MESSAGE_BOX_NAME)
        self.session.screenshot('charmap-missing', box)
        self.session.key(box, 'Return')
        self.wait_gone(MESSAGE_BOX_NAME)
        wait_for(lambda: self.charmap_colours(window) != before, what='the button to grey out')
        self.session.screenshot('charmap-greyed', window)

        # A click on the greyed button does nothing.
        self.session.click_control(window, 'charmap')
        time.sleep(1.0)  # long enough for a wrong message box to show
        self.assertEqual(self.session.find_windows(MESSAGE_BOX_NAME), [])
        self.exit_with_button(window)


if __name__ == '__main__':
    main()
