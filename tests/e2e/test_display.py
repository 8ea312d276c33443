"""The colour grid, the font list's menu and the Text page, as clicked and seen on screen."""

from glyphor_session import GlyphorTestCase, main, settings_file, wait_for

WHITE = '#ffffff'
BLACK = '#000000'
BLUE = '#0000ff'
RED = '#ff0000'
FAMILIES = ('Default', 'DejaVu Sans', 'DejaVu Serif', 'Liberation Mono', 'Liberation Sans',
            'Liberation Serif')
LINE_HEIGHT = 22  # at the default size 12
# Below the last of the six lines: only the list's background shows there.
EMPTY_LIST = (4, 290, 460, 20)
# Between the end of the name "Default" and the start of its sample, which follows the widest
# name: blank while the names are shown, the sample's first letters once they are hidden.
NAME_GAP = (60, 3, 40, 16)
BLANK_GAP = [(NAME_GAP[2] * NAME_GAP[3], WHITE)]
BLUE_CELL, RED_CELL = 12, 9
# The page tabs sit under the pages, just above the bottom panel: centres measured on screen.
TAB_CENTRES = (45, 130)
TAB_BAR_HEIGHT = 26
LINES_PAGE, TEXT_PAGE = 0, 1
# The list's menu: copy the name, show the names, add to the favourites, the details.
MENU_ITEMS = 4


def line_rect(row):
    """Inside one line of the list, clear of its edges."""
    return (4, row * LINE_HEIGHT + 3, 460, 16)


def rgb(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


def count_near(colours, colour, distance=60):
    """Pixels of a colours() list within distance (summed over red, green, blue) of a colour."""
    target = rgb(colour)
    return sum(count for count, c in colours
               if sum(abs(a - b) for a, b in zip(rgb(c), target)) <= distance)


class Display(GlyphorTestCase):
    # --- what the tests click ---

    def panel_top(self, window):
        return self.session.window_info(window)['height'] - self.session.layout.panel_height

    def click_cell(self, window, index, button):
        x, y, _, _ = self.session.layout.controls['ColorGrid1']
        self.session.click(window, x + index % 8 * 20 + 10,
                           self.panel_top(window) + y + index // 8 * 22 + 11, button)

    def show_page(self, window, page):
        self.session.click(window, TAB_CENTRES[page],
                           self.panel_top(window) - TAB_BAR_HEIGHT // 2)

    def panel_colours(self, window, name):
        """The colours inside a bottom-panel control, its border left out."""
        x, y, w, h = self.session.layout.controls[name]
        return self.session.colours(window, (x + 3, self.panel_top(window) + y + 3, w - 6, h - 6))

    def popups(self, window):
        """The program's other shown top-level windows: a menu has no WM_NAME to search by."""
        found = self.session.run('xdotool', 'search', '--onlyvisible', '--classname',
                                 '^glyphor$', check=False).stdout.split()
        return [int(w) for w in found if int(w) != window]

    def open_line_menu(self, window, y=200):
        """Right-clicks the list, by default below its lines; returns the menu's window."""
        self.session.click(window, 200, y, button=3)
        return wait_for(lambda: len(self.popups(window)) == 1 and self.popups(window)[0],
                        what='the menu')

    def wait_menu_closed(self, window):
        wait_for(lambda: not self.popups(window), what='the menu to close')

    def click_menu_item(self, menu, item):
        """Clicks the menu's item of that index, from 0."""
        info = self.session.window_info(menu)
        self.session.click(menu, info['width'] // 2,
                           info['height'] * (2 * item + 1) // (2 * MENU_ITEMS))

    def copy_item_text(self, menu):
        """How many pixels of the copy item's text are dark, once the menu is painted."""
        info = self.session.window_info(menu)
        item = (4, 3, info['width'] - 8, info['height'] // MENU_ITEMS - 6)

        def painted():
            colours = self.session.colours(menu, item)
            text = sum(c for c, _ in colours) - count_near(colours, colours[0][1])
            return text > 20 and colours
        colours = wait_for(painted, what='the menu to be painted')
        return count_near(colours, BLACK, 150)

    def wait_painted(self, window):
        wait_for(lambda: count_near(self.session.colours(window, line_rect(0)), BLACK, 150),
                 what='the list to be painted')

    # --- the tests ---

    def test_grid_cells_colour_the_list_until_default(self):
        window = self.start_glyphor()
        self.wait_painted(window)
        empty_size = EMPTY_LIST[2] * EMPTY_LIST[3]
        self.assertEqual(self.session.colours(window, EMPTY_LIST), [(empty_size, WHITE)])
        self.assertEqual(count_near(self.session.colours(window, line_rect(0)), RED), 0)

        self.click_cell(window, BLUE_CELL, button=3)
        wait_for(lambda: self.session.colours(window, EMPTY_LIST)[0][1] == BLUE,
                 what='a blue background')
        shot = self.session.screenshot('blue-background', window)
        self.assertEqual(self.session.colours(window, EMPTY_LIST), [(empty_size, BLUE)], shot)
        self.assertEqual(self.session.colours(window, line_rect(0))[0][1], BLUE, shot)

        self.click_cell(window, RED_CELL, button=1)
        wait_for(lambda: count_near(self.session.colours(window, line_rect(0)), RED) > 20,
                 what='red text in the first line')
        shot = self.session.screenshot('red-on-blue', window)
        for row in range(len(FAMILIES)):
            line = self.session.colours(window, line_rect(row))
            self.assertEqual(line[0][1], BLUE, shot)
            self.assertGreater(count_near(line, RED), 20, shot)
            self.assertEqual(count_near(line, BLACK, 150), 0, shot)

        self.session.click_control(window, 'Button1')
        wait_for(lambda: self.session.colours(window, EMPTY_LIST)[0][1] == WHITE,
                 what='the white background back')
        shot = self.session.screenshot('after-default', window)
        self.assertEqual(self.session.colours(window, EMPTY_LIST), [(empty_size, WHITE)], shot)
        first = self.session.colours(window, line_rect(0))
        self.assertEqual(count_near(first, RED), 0, shot)
        self.assertGreater(count_near(first, BLACK, 150), 20, shot)

    def test_copy_item_puts_the_name_of_the_line_clicked_on_the_clipboard(self):
        window = self.start_glyphor()
        self.wait_painted(window)
        menu = self.open_line_menu(window, LINE_HEIGHT // 2)  # the "Default" line
        wait_for(lambda: self.session.colours(window, line_rect(0))[0][1] != WHITE,
                 what='the first line to be selected')
        self.assertGreater(self.copy_item_text(menu), 0,
                           self.session.screenshot('line-menu-enabled'))
        # The menu has the keyboard: Down lights its first item.
        self.session.run('xdotool', 'key', '--delay', '30', 'Down', 'Return')
        self.wait_menu_closed(window)
        wait_for(lambda: self.session.clipboard() == 'Default', what='"Default" on the clipboard')

    def test_copy_item_is_disabled_below_the_lines(self):
        window = self.start_glyphor()
        self.wait_painted(window)
        menu = self.open_line_menu(window)
        # Greyed out: no dark pixels in its text.
        self.assertEqual(self.copy_item_text(menu), 0,
                         self.session.screenshot('line-menu-disabled'))
        self.click_menu_item(menu, 0)
        # A disabled item leaves the menu open. Once Escape has closed it, the click has been
        # handled: a copy it made would now be on the clipboard.
        self.session.run('xdotool', 'key', 'Escape')
        self.wait_menu_closed(window)
        self.assertEqual(self.session.clipboard(), '')
        self.exit_with_button(window)
        # The click landed on the copy item, not on the names switch below it.
        self.assertEqual(self.session.read_settings(), settings_file())

    def test_hidden_names_are_stored_and_come_back_at_the_next_start(self):
        window = self.start_glyphor()
        self.wait_painted(window)
        self.assertEqual(self.session.colours(window, NAME_GAP), BLANK_GAP)
        self.click_menu_item(self.open_line_menu(window), 1)
        self.wait_menu_closed(window)
        wait_for(lambda: count_near(self.session.colours(window, NAME_GAP), BLACK, 150),
                 what='the samples to move left')
        self.session.screenshot('names-hidden', window)
        self.exit_with_button(window)
        self.assertEqual(self.session.read_settings(), settings_file(show_names=0))

        window = self.start_glyphor()
        self.wait_painted(window)
        shot = self.session.screenshot('names-hidden-next-start', window)
        self.assertGreater(count_near(self.session.colours(window, NAME_GAP), BLACK, 150), 20,
                           shot)
        # The item starts unchecked: choosing it shows the names again.
        self.click_menu_item(self.open_line_menu(window), 1)
        self.wait_menu_closed(window)
        wait_for(lambda: self.session.colours(window, NAME_GAP) == BLANK_GAP,
                 what='the names to come back')
        self.exit_with_button(window)
        self.assertEqual(self.session.read_settings(), settings_file(show_names=1))

    def choose_font_on_the_text_page(self, typed, row):
        """Types the start of a font name on the Text page, then goes back to the lines."""
        window = self.start_glyphor()
        self.wait_painted(window)
        self.assertGreater(count_near(self.panel_colours(window, 'valid'), BLACK, 150), 0)

        self.show_page(window, TEXT_PAGE)
        wait_for(lambda: self.panel_colours(window, 'txtEdit')[0][1] == BLACK,
                 what='the font name field to turn black')
        shot = self.session.screenshot('text-page', window)
        # White names on black, and "ok" greyed out: no dark pixels left in it.
        self.assertGreater(count_near(self.panel_colours(window, 'txtEdit'), WHITE), 20, shot)
        self.assertEqual(count_near(self.panel_colours(window, 'valid'), BLACK, 150), 0, shot)

        self.session.click_control(window, 'txtEdit', x=20)
        self.session.key(window, 'ctrl+a')
        self.session.type(window, typed)
        # The field's whole text, read back through the clipboard.
        self.session.key(window, 'ctrl+a', 'ctrl+c')
        wait_for(lambda: self.session.clipboard() == FAMILIES[row],
                 what='the field to complete to ' + FAMILIES[row])
        self.session.screenshot('text-page-completed', window)

        self.show_page(window, LINES_PAGE)
        wait_for(lambda: self.session.colours(window, line_rect(row))[0][1] != WHITE,
                 what='the line of %s to be selected' % FAMILIES[row])
        shot = self.session.screenshot('lines-page-after-text', window)
        for other in set(range(len(FAMILIES))) - {row}:
            self.assertEqual(self.session.colours(window, line_rect(other))[0][1], WHITE, shot)
        self.exit_with_button(window)
        # The sample string is the Lines page's alone.
        self.assertEqual(self.session.read_settings(), settings_file())

    def test_text_page_completes_a_name_and_selects_its_line(self):
        self.choose_font_on_the_text_page('liberation mo', 3)

    def test_text_page_completes_again_as_more_is_typed(self):
        # "dejavu s" completes to DejaVu Sans first.
        self.choose_font_on_the_text_page('dejavu se', 2)


if __name__ == '__main__':
    main()
