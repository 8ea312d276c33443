"""The main window comes back where it was left, start after start, under a window manager."""

import re

from glyphor_session import GlyphorTestCase, main, wait_for


class WindowPosition(GlyphorTestCase):
    window_manager = True

    def client_origin(self, window):
        info = self.session.window_info(window)
        return info['x'], info['y']

    def stored_position(self):
        data = self.session.read_settings(window_state=True).decode('utf-8')
        return tuple(int(re.search(r'^%s=(-?\d+)$' % key, data, re.M).group(1))
                     for key in ('Gauche', 'Haut'))

    def maximised(self, window):
        return 'MAXIMIZED_HORZ' in self.session.run('xprop', '-id', str(window),
                                                    '_NET_WM_STATE').stdout

    def toggle_maximised(self, window):
        # A double click on the title bar, a few pixels above the client area.
        x, y = self.client_origin(window)
        self.session.run('xdotool', 'mousemove', str(x + 100), str(y - 8),
                         'click', '--repeat', '2', '--delay', '80', '1')

    def move_to(self, window, x, y):
        self.session.run('xdotool', 'windowmove', '--sync', str(window), str(x), str(y))
        return wait_for(lambda: self.client_origin(window) if self.client_origin(window) != (0, 0)
                        else None, what='the move')

    def test_moved_window_comes_back_where_it_was_left_start_after_start(self):
        window = self.start_glyphor()
        left_at = self.move_to(window, 200, 150)
        self.exit_with_button(window)
        for start in range(3):
            window = self.start_glyphor()
            wait_for(lambda: self.client_origin(window) == left_at, timeout=5,
                     what='the window at %r (start %d, at %r)'
                     % (left_at, start + 2, self.client_origin(window)))
            self.exit_with_button(window)

    def test_title_bar_stored_above_the_screen_is_brought_back_into_it(self):
        # As a file from an older version holds it: the frame's position, not the client's.
        self.session.write_settings('[glyphor]\nLargeur=500\nHauteur=480\nGauche=-40\nHaut=-30\n')
        window = self.start_glyphor()
        extents = self.session.run('xprop', '-id', str(window), '_NET_FRAME_EXTENTS').stdout
        left, _, top, _ = (int(n) for n in re.findall(r'\d+', extents.split('=')[1]))
        wait_for(lambda: self.client_origin(window) == (left, top), timeout=5,
                 what='the frame at the screen\'s corner (client at %r)'
                 % (self.client_origin(window),))
        self.exit_with_button(window)

    def test_window_moved_then_maximised_comes_back_where_it_was_moved_to(self):
        window = self.start_glyphor()
        left_at = self.move_to(window, 240, 130)
        self.toggle_maximised(window)
        wait_for(lambda: self.maximised(window), what='maximised')
        self.exit_with_button(window)
        window = self.start_glyphor()
        wait_for(lambda: self.maximised(window), what='maximised again')
        self.toggle_maximised(window)
        wait_for(lambda: self.client_origin(window) == left_at, timeout=5,
                 what='the window back at %r (at %r)' % (left_at, self.client_origin(window)))
        self.exit_with_button(window)


if __name__ == '__main__':
    main()
