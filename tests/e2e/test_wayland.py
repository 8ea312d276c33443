"""Glyphor as a native Wayland client of weston: the list painted as on X11, the filter typed
into, a second start that hands over and ends, no notification area, and the settings written at
close.

weston runs with its X11 back end on the test's own Xvfb: that is as headless as its headless
back end, but gives the compositor a seat, so xdotool's keys and clicks reach the program through
Wayland (the headless back end has no seat: nothing could be typed or clicked), and the screen
can be read back with xgrab. The program's protocol log (WAYLAND_DEBUG) shows what it asks of the
compositor: the window's title, a minimise.
"""

import os
import re
import shutil
import subprocess
import sys

from glyphor_session import (SKIP_EXIT_CODE, GlyphorTestCase, ink_lines, main, settings_file,
                             stop_process, wait_for)

SAMPLE = 'Hamburgefonstiv 0123'
SOCKET = 'glyphor-e2e'
OUTPUT = (1024, 768)
PANEL_AND_TABS = 120  # under the list: the page tabs and the bottom panel
FILTER_FIELD = (190, 105)  # from the window's right and bottom edges


def find_image(haystack, needle):
    """Where needle appears, pixel for pixel, in haystack (both RGB images), or None."""
    width = haystack.width * 3
    data = haystack.tobytes()
    rows = [needle.tobytes()[i * needle.width * 3:(i + 1) * needle.width * 3]
            for i in range(needle.height)]
    for y in range(haystack.height - needle.height + 1):
        line = data[y * width:(y + 1) * width]
        x = line.find(rows[0])
        while x >= 0:
            if x % 3 == 0 and all(
                    data[(y + i) * width + x:(y + i) * width + x + len(rows[i])] == rows[i]
                    for i in range(1, needle.height)):
                return x // 3, y
            x = line.find(rows[0], x + 1)
    return None


class Wayland(GlyphorTestCase):

    def start_weston(self):
        env = self.session.env
        # No on-screen keyboard: weston would open it over the window at each text field.
        config = os.path.join(self.workdir, 'weston.ini')
        with open(config, 'w', encoding='utf-8') as ini:
            ini.write('[input-method]\npath=/bin/true\n')
        log = open(os.path.join(self.workdir, 'weston.log'), 'wb')
        self.weston = subprocess.Popen(
            ['weston', '--backend=x11-backend.so', '--use-pixman', '--width=%d' % OUTPUT[0],
             '--height=%d' % OUTPUT[1], '--socket=' + SOCKET, '--idle-time=0', '--config=' + config],
            env=env, stdout=log, stderr=subprocess.STDOUT)
        log.close()
        self.session.helpers.append(self.weston)
        socket = os.path.join(self.session.runtime_dir, SOCKET)
        wait_for(lambda: os.path.exists(socket) or self.weston.poll() is not None,
                 what='weston')
        self.assertIsNone(self.weston.poll(), 'weston ended: see ' + self.workdir)
        self.session.program_env.update(QT_QPA_PLATFORM='wayland', WAYLAND_DISPLAY=SOCKET,
                                        WAYLAND_DEBUG='1')
        # Under the address sanitizer, Qt's Wayland plugin leaves its keyboard maps (libxkbcommon)
        # and protocol objects to the process's end, with stacks the leak checker cannot follow
        # into the system's libraries: leaks are checked on the X11 runs, not here.
        if 'ASAN_OPTIONS' in os.environ:
            self.session.program_env['ASAN_OPTIONS'] = (os.environ['ASAN_OPTIONS']
                                                        + ':detect_leaks=0')

    def titles(self, output=None):
        output = self.session.program_output() if output is None else output
        return re.findall(r'xdg_toplevel@\d+\.set_title\("(.*)"\)', output)

    def title(self):
        titles = self.titles()
        return titles[-1] if titles else None

    def grab(self, name):
        from PIL import Image
        return Image.open(self.session.screenshot(name)).convert('RGB')

    def x11_list(self):
        """The list's lines as the program paints them on X11, and where they lie in its window."""
        self.session.launch()
        window = self.session.main_window()
        info = self.session.window_info(window)
        path = self.session.screenshot('x11', window)
        stop_process(self.session.program)
        return ink_lines(path, (2, 2, info['width'] - 2, info['height'] - PANEL_AND_TABS))

    def wayland_window(self, reference):
        """The window's top-left corner on weston's output, once its list shows the lines of
        reference."""
        first, (left, top) = reference[0]
        # weston draws its pointer into the picture: out of the way, in a corner.
        self.point(OUTPUT[0] - 2, OUTPUT[1] - 2)

        def found():
            at = find_image(self.grab('wayland'), first)
            return at and (at[0] - 2 - left, at[1] - 2 - top)
        return wait_for(found, what='the list painted on Wayland')

    def shown_lines(self, origin, name):
        self.point(OUTPUT[0] - 2, OUTPUT[1] - 2)
        x, y = origin
        return [line for line, _ in ink_lines(self.session.screenshot(name),
                                              (x + 2, y + 2, x + 470, y + 470 - PANEL_AND_TABS))]

    def point(self, x, y, *then):
        # weston's X11 back end moves its pointer by the X pointer's moves, not to where it is:
        # both are pushed into the top-left corner first, so that they agree.
        self.session.run('xdotool', 'mousemove', str(OUTPUT[0] - 1), str(OUTPUT[1] - 1),
                         'sleep', '0.1', 'mousemove', '0', '0', 'sleep', '0.1',
                         'mousemove', str(x), str(y), 'sleep', '0.2', *then)

    def click(self, x, y):
        self.point(x, y, 'click', '1')

    def test_native_wayland_session(self):
        self.session.write_settings(settings_file(string=SAMPLE, show_names=0))
        reference = self.x11_list()
        self.assertEqual(len(reference), 6)
        written = os.stat(self.session.settings_path)

        self.start_weston()
        self.session.launch()
        wait_for(lambda: self.title() == 'Glyphor 3.5 *** 6 fontes disponibles',
                 what='the window titled with the count')
        origin = self.wayland_window(reference)
        self.assertEqual(self.shown_lines(origin, 'list'), [line for line, _ in reference])

        # The filter, typed into as a person would: the serif families only.
        self.click(origin[0] + 472 - FILTER_FIELD[0], origin[1] + 470 - FILTER_FIELD[1])
        self.session.run('xdotool', 'type', '--delay', '40', 'serif')
        wait_for(lambda: self.title() == 'Glyphor 3.5 *** 2 fontes affichées sur 6',
                 what='the filter to apply')
        wait_for(lambda: self.shown_lines(origin, 'filtered')
                 == [reference[2][0], reference[5][0]], what='the serif lines alone')

        # A second start hands its activation token to the running copy and ends without a
        # window of its own.
        log = os.path.join(self.workdir, 'second.log')
        with open(log, 'wb') as out:
            second = subprocess.run([self.session.glyphor_bin],
                                    env={**self.session.env, **self.session.program_env,
                                         'XDG_ACTIVATION_TOKEN': 'glyphor-e2e-token'},
                                    stdout=out, stderr=subprocess.STDOUT, timeout=30)
        self.assertEqual(second.returncode, 0)
        with open(log, encoding='utf-8', errors='replace') as out:
            self.assertNotIn('get_toplevel', out.read())
        self.assertTrue(self.session.running())

        # EXIT: the settings are written (the file replaced, with the same values).
        x, y = self.session.layout.centre('Quitter', 470)
        self.click(origin[0] + x, origin[1] + y)
        self.assertEqual(self.session.wait_exit(), 0)
        self.assertNotEqual(os.stat(self.session.settings_path).st_ino, written.st_ino)
        self.assertEqual(self.session.read_settings(), settings_file(string=SAMPLE, show_names=0))
        # No position is known on Wayland: none is written for an X11 session to use.
        self.assertNotRegex(self.session.read_settings(window_state=True), rb'(?m)^(Gauche|Haut)=')

        # The hidden start with no notification area (no StatusNotifierItem host here): an
        # ordinary minimise, the window kept, never hidden beyond reach.
        self.session.launch('-')
        wait_for(lambda: 'set_minimized()' in self.session.program_output(), what='a minimise')
        self.assertEqual(self.titles(), ['Glyphor 3.5 *** 6 fontes disponibles'])
        self.assertNotRegex(self.session.program_output(), r'xdg_toplevel@\d+\.destroy\(')


if __name__ == '__main__':
    if shutil.which('weston') is None:
        print('skipped: missing weston')
        sys.exit(SKIP_EXIT_CODE)
    main()
