"""The "Filtres" menu as a user works it: two languages chosen in its list, a class from the font
index, a favourite marked with Insert, kept across a restart, and "Favoris seulement". Its
entries are found by their names, as a screen reader's user finds them."""

import os
import time

from accessibility_bus import AccessibilityBus
from glyphor_session import GlyphorTestCase, main, settings_file, wait_for

LINE_HEIGHT = 22  # at the default size 12
PANEL_HEIGHT = 88


class Filters(GlyphorTestCase):
    window_manager = True

    def keys(self, *keys):
        """Keys to whatever has the keyboard (an open menu), without focusing the window."""
        self.session.run('xdotool', 'key', '--delay', '40', *keys)

    def open_filters(self, window):
        """Clicks "Filtres", at the right end of the page tabs."""
        info = self.session.window_info(window)
        self.session.click(window, info['width'] - 28, info['height'] - PANEL_HEIGHT - 17)
        time.sleep(0.5)

    def choose(self, *names, close=True):
        """The menu's entry at the end of this path of names; each opens the next one's menu.
        An entry chosen so leaves its menus open, as a screen reader's user then closes them."""
        for name in names:
            self.bus.act_in_popup('menu item', name, lambda: self.keys('Down'))
        if close:
            self.keys(*['Escape'] * len(names))

    def caption(self, window):
        return self.session.window_name(window)

    def test_languages_and_favourites(self):
        self.bus = AccessibilityBus(self)
        self.session.program_env = self.bus.program_env
        self.session.write_settings(settings_file())
        window = self.start_glyphor()

        # Georgian: the DejaVu fonts only; Hebrew: Liberation and DejaVu Sans. Both: DejaVu Sans.
        # "Default" has no languages of its own to test.
        self.open_filters(window)
        self.choose('Langues', close=False)  # its panel opens, the search field focused
        time.sleep(0.5)
        self.session.run('xdotool', 'type', '--delay', '40', 'georg')
        self.keys('Down', 'space')
        wait_for(lambda: self.caption(window) == 'Glyphor 3.5 *** 2 fontes affichées sur 6',
                 what='Georgian alone')
        self.session.run('xdotool', 'type', '--delay', '40', 'hebr')
        self.keys('Down', 'space')
        wait_for(lambda: self.caption(window) == 'Glyphor 3.5 *** 1 fonte affichée sur 6',
                 what='Georgian and Hebrew')
        self.session.screenshot('two-languages')
        self.keys('Escape', 'Escape')

        self.open_filters(window)
        self.choose('Tout effacer')
        wait_for(lambda: self.caption(window) == 'Glyphor 3.5 *** 6 fontes disponibles',
                 what='every filter to go')

        # The font index reads the files after the first paint: DejaVu Serif and Liberation Serif
        # say they have serifs (PANOSE, OS/2 class).
        self.open_filters(window)
        self.choose('Classement', 'Avec empattements')
        wait_for(lambda: self.caption(window) == 'Glyphor 3.5 *** 2 fontes affichées sur 6',
                 what='the serif fonts')
        self.open_filters(window)
        self.choose('Tout effacer')
        wait_for(lambda: self.caption(window) == 'Glyphor 3.5 *** 6 fontes disponibles',
                 what='every filter to go again')
        index = os.path.join(self.session.workdir, '.cache', 'glyphor', 'fontindex')
        wait_for(lambda: os.path.exists(index), what='the font index to be written')

        # DejaVu Serif, the third line, marked with Insert; kept at close.
        self.session.click(window, 30, 2 * LINE_HEIGHT + LINE_HEIGHT // 2)
        self.session.key(window, 'Insert')
        time.sleep(0.3)
        self.exit_with_button(window)
        self.assertIn(b'\n[Favoris]\nPolice1=DejaVu Serif\n', self.session.read_settings())

        window = self.start_glyphor()
        self.assertEqual(self.caption(window), 'Glyphor 3.5 *** 6 fontes disponibles')
        self.open_filters(window)
        self.choose('Favoris seulement')
        wait_for(lambda: self.caption(window) == 'Glyphor 3.5 *** 1 fonte affichée sur 6',
                 what='the favourite alone')
        self.session.screenshot('favourites-only')
        self.exit_with_button(window)


if __name__ == '__main__':
    main()
