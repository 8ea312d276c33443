"""Glyphor builds and starts: the caption, the hidden start, and the font list on screen."""

import os
import subprocess
import time

from glyphor_session import MAIN_WINDOW_NAME, GlyphorTestCase, main, stop_process, wait_for

WHITE = '#ffffff'
# Inside the list's first two lines (22 pixels each at the default size 12), clear of their edges.
FIRST_LINE = (4, 3, 460, 16)
SECOND_LINE = (4, 25, 460, 16)


def rgb(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


def is_dark(colour):
    return sum(rgb(colour)) < 3 * 96


def text_pixels(colours):
    """Pixels that stand out from the area's most used colour, its background."""
    background = rgb(colours[0][1])
    return sum(count for count, colour in colours
               if sum(abs(a - b) for a, b in zip(rgb(colour), background)) > 3 * 96)


class Startup(GlyphorTestCase):
    def first_line_has_text(self, window):
        return any(is_dark(colour) for _, colour in self.session.colours(window, FIRST_LINE))

    def test_caption_counts_default_and_the_test_fonts(self):
        # Five families and "Default"; the truncated font file is passed over.
        window = self.start_glyphor()
        self.assertEqual(self.session.window_name(window), 'Glyphor 3.5 *** 6 fontes disponibles')

    def test_non_empty_first_argument_hides_the_window_at_its_first_paint(self):
        # With a notification area to come back through (without one, the window is only
        # minimised: see the instances' tests).
        self.session.start_tray()
        self.session.watch_maps()
        self.session.launch('hidden')
        self.session.tray_icon()
        window = self.session.wait_window(visible=False)
        wait_for(lambda: self.session.mapped_events(window) == ['map', 'unmap'],
                 what='the window to show, then hide')
        time.sleep(1.5)  # long enough for a wrong re-show or a crash to happen
        self.assertTrue(self.session.running(), 'the program ended')
        self.assertEqual(self.session.mapped_events(window), ['map', 'unmap'])
        self.assertEqual(self.session.find_windows(MAIN_WINDOW_NAME), [])
        self.assertEqual(self.session.window_info(window)['state'], 'IsUnMapped')

    def test_every_line_has_its_sample_at_the_first_paint_under_load(self):
        # Both cores kept busy while the program starts, three times: each visible line shows
        # its sample as soon as the window is on the screen, not after a later repaint.
        for attempt in range(3):
            load = [subprocess.Popen(['sh', '-c', 'while :; do :; done']) for _ in range(3)]
            try:
                window = self.start_glyphor()

                def blank_rows():
                    return [row for row in range(6)
                            if not any(is_dark(colour) for _, colour in self.session.colours(
                                window, (200, 3 + 22 * row, 260, 16)))]
                # The list is painted in one go: once any line shows, all of them must.
                blank, = wait_for(lambda: (lambda rows: (rows,) if len(rows) < 6 else None)(
                    blank_rows()), timeout=5, what='the first paint')
            finally:
                for process in load:
                    stop_process(process)
            self.assertEqual(blank, [], self.session.screenshot('first-paint-%d' % attempt))
            self.exit_with_button(window)

    def test_help_and_version_answer_without_starting(self):
        env = dict(self.session.env)
        del env['DISPLAY']  # no window may be needed
        for argument in ('--help', '-h'):
            result = subprocess.run([self.session.glyphor_bin, argument], env=env,
                                    capture_output=True, text=True, timeout=20)
            self.assertEqual(result.returncode, 0, result.stderr)
            self.assertTrue(result.stdout.startswith('Utilisation : glyphor'), result.stdout)
            self.assertIn('zone de\n', result.stdout)
            self.assertIn('R\u00e9glages : ' + self.session.settings_path, result.stdout)
        result = subprocess.run([self.session.glyphor_bin, '--version'], env=env,
                                capture_output=True, text=True, timeout=20)
        self.assertEqual((result.returncode, result.stdout), (0, 'Glyphor 3.5\n'))
        # Nothing was started: no settings written.
        self.assertFalse(os.path.exists(self.session.settings_path))

    def test_empty_first_argument_stays_visible(self):
        self.session.watch_maps()
        window = self.start_glyphor('')
        wait_for(lambda: self.first_line_has_text(window), what='the list to be painted')
        time.sleep(1.5)  # a wrong hide would follow the first paint at once
        self.assertTrue(self.session.running(), 'the program ended')
        self.assertTrue(self.session.is_viewable(window),
                        self.session.screenshot('not-visible'))
        self.assertEqual(self.session.mapped_events(window), ['map'])

    def test_default_line_is_drawn_and_highlighted_when_clicked(self):
        window = self.start_glyphor()
        wait_for(lambda: self.first_line_has_text(window), what='text in the first line')
        before = self.session.screenshot('before-click', window)
        self.assertEqual(self.session.colours(window, FIRST_LINE)[0][1], WHITE, before)

        self.session.click(window, 30, 11)
        wait_for(lambda: self.session.colours(window, FIRST_LINE)[0][1] != WHITE,
                 what='the first line to be highlighted')
        after = self.session.screenshot('after-click', window)
        # The text stays readable on the highlight.
        self.assertGreater(text_pixels(self.session.colours(window, FIRST_LINE)), 20, after)
        self.assertEqual(self.session.colours(window, SECOND_LINE)[0][1], WHITE, after)


if __name__ == '__main__':
    main()
