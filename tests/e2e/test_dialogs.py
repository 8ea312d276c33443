"""The help, the about box and the character map, reached from the bottom panel as a user would."""

import os
import time

from glyphor_session import MESSAGE_BOX_NAME, GlyphorTestCase, main, wait_for

HELP_NAME = '^Aide de Glyphor'
ABOUT_NAME = r'^A propos\.\.\.$'
# The middle of "Plus d'infos . . ." in the about box, whose bounds are 8, 87, 306, 25.
MORE_INFO = (8 + 306 // 2, 87 + 25 // 2)


HTML_DIALOG_NAME = "^Génération d'une liste HTML$"
# The HTML dialog's help button, whose bounds are 335, 244, 35, 26.
HTML_DIALOG_HELP = (335 + 35 // 2, 244 + 26 // 2)
# The help page's first link, "La fenêtre principale", at the top left of its text.
HELP_FIRST_LINK = (40, 58)


class HelpOverADialog(GlyphorTestCase):
    window_manager = True
    tray = True

    def visible_windows(self):
        return set(self.session.run('xdotool', 'search', '--onlyvisible', '--class', 'glyphor',
                                    check=False).stdout.split())

    def test_help_from_the_html_dialog_is_in_front_and_usable(self):
        window = self.start_glyphor()
        icon = self.session.tray_icon()
        self.session.click_control(window, 'GenererrHTML')
        dialog = self.session.wait_window(HTML_DIALOG_NAME)
        self.session.click(dialog, *HTML_DIALOG_HELP)
        help_window = self.session.wait_window(HELP_NAME)
        self.assertEqual(self.session.window_name(help_window),
                         'Aide de Glyphor - La page HTML')
        # In front, and it takes clicks while the dialog is open.
        wait_for(lambda: self.session.run('xdotool', 'getactivewindow').stdout.strip()
                 == str(help_window), what='the help in front')
        self.session.screenshot('help-over-the-dialog')
        self.session.click(help_window, *HELP_FIRST_LINK)
        wait_for(lambda: self.session.window_name(help_window) ==
                 'Aide de Glyphor - La fenêtre principale', what='the link followed')

        # The tray icon's menu opens too.
        before = self.visible_windows()
        self.session.run('xdotool', 'mousemove', '--window', str(icon), '11', '11', 'click', '3')
        wait_for(lambda: self.visible_windows() - before, timeout=10, what='the tray menu')
        self.session.run('xdotool', 'key', 'Escape')
        wait_for(lambda: self.visible_windows() == before, what='the menu to close')

        # The dialog still works, and closes.
        self.session.key(dialog, 'Escape')
        wait_for(lambda: not self.session.find_windows(HTML_DIALOG_NAME),
                 what='the dialog to close')
        self.exit_with_button(window)


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
