"""The details window as a user works it: a double click on a line, each tab, a character found
and copied with Ctrl+C, "Copier le chemin", Escape; opened from the menu of a line right-clicked
while another is selected."""

import time

from glyphor_session import GlyphorTestCase, main, settings_file, wait_for

LINE_HEIGHT = 22  # at the default size 12
DETAILS = '^Détails - '
WHITE = '#ffffff'


class Details(GlyphorTestCase):
    window_manager = True

    def keys(self, *keys):
        self.session.run('xdotool', 'key', '--delay', '40', *keys)

    def test_tabs_copy_and_close(self):
        self.session.write_settings(settings_file())
        window = self.start_glyphor()
        # DejaVu Sans, the second line.
        self.session.run('xdotool', 'mousemove', '--window', str(window), '30',
                         str(LINE_HEIGHT + LINE_HEIGHT // 2), 'click', '--repeat', '2',
                         '--delay', '80', '1')
        details = self.session.wait_window(DETAILS + 'DejaVu Sans$')
        info = self.session.window_info(details)

        # Styles: Book and Bold, each drawn; then the other tabs, each painted with ink.
        for tab in ('styles', 'sizes', 'characters', 'information'):
            wait_for(lambda: len(self.session.colours(
                details, (20, 40, info['width'] - 40, info['height'] - 120))) > 2,
                what='the %s tab to be painted' % tab)
            self.session.screenshot('details-' + tab, details)
            if tab != 'information':
                self.keys('ctrl+Tab')
                time.sleep(0.3)

        # Back to "Caractères": é found by its code, copied from the grid.
        self.keys('ctrl+shift+Tab')
        time.sleep(0.3)
        self.session.click(details, info['width'] // 2, 58)  # the search field
        self.session.run('xdotool', 'type', '--delay', '40', 'U+00E9')
        self.keys('Tab', 'ctrl+c')
        wait_for(lambda: self.session.clipboard() == 'é', what='é on the clipboard')

        # "Informations": the path of the face it describes (the regular one), copied.
        self.keys('ctrl+Tab')
        time.sleep(0.3)
        self.session.click(details, info['width'] - 185, info['height'] - 34)
        wait_for(lambda: self.session.clipboard().endswith('/DejaVuSans.ttf'),
                 what="the font file's path on the clipboard")

        # Another line chosen while it is open (the next one, with the keyboard): it follows.
        self.session.key(window, 'Down')
        self.session.wait_window(DETAILS + 'DejaVu Serif$')
        self.session.key(self.session.wait_window(DETAILS), 'Escape')
        wait_for(lambda: not self.session.find_windows(DETAILS), what='the window to close')
        self.exit_with_button(window)

    def test_menu_of_the_line_right_clicked(self):
        self.session.write_settings(settings_file())
        window = self.start_glyphor()
        # DejaVu Sans selected, DejaVu Serif (the next line) right-clicked: its menu's last entry,
        # "Détails de la police...", opens DejaVu Serif.
        self.session.click(window, 30, LINE_HEIGHT + LINE_HEIGHT // 2)
        self.session.click(window, 30, 2 * LINE_HEIGHT + LINE_HEIGHT // 2, button=3)
        time.sleep(0.5)
        self.keys('Up', 'Return')
        details = self.session.wait_window(DETAILS)
        self.assertEqual(self.session.window_name(details), 'Détails - DejaVu Serif')
        self.session.key(details, 'Escape')
        wait_for(lambda: not self.session.find_windows(DETAILS), what='the window to close')
        self.exit_with_button(window)


if __name__ == '__main__':
    main()
