"""Drives the real Glyphor on a private X server, as a person would.

A Session owns one Xvfb display (and, when asked, a window manager and a tray host), starts the
program with hermetic fonts and settings, clicks and types with xdotool at the positions the
main window's layout gives, and reads the screen back with xgrab. Everything it starts is
stopped by process id in stop().

Environment: GLYPHOR_BIN, XGRAB_BIN and GLYPHOR_TEST_FONTS_CONF (set by CTest); when
GLYPHOR_E2E_SHOTS names a folder, each test's screenshots are copied into a folder of it named
after the test, passed or failed.
"""

import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import xml.etree.ElementTree as ElementTree

HERE = os.path.dirname(os.path.abspath(__file__))
UI_FILE = os.path.join(HERE, '..', '..', 'src', 'app', 'teform1.ui')

MAIN_WINDOW_NAME = '^Glyphor 3.5'
MESSAGE_BOX_NAME = '^Glyphor$'
SKIP_EXIT_CODE = 77
TOOLS = ('Xvfb', 'xdotool', 'xwininfo', 'xprop', 'xev')


def required_env(name):
    value = os.environ.get(name)
    if not value:
        raise RuntimeError(name + ' is not set (run the tests through ctest)')
    return value


def program_locale():
    """French when the machine has it generated, else C.UTF-8 (the program's texts are its own)."""
    try:
        names = subprocess.run(['locale', '-a'], capture_output=True, text=True).stdout.split()
    except OSError:
        names = []
    return 'fr_FR.UTF-8' if 'fr_FR.utf8' in names else 'C.UTF-8'


def wait_for(predicate, timeout=20.0, what='condition', interval=0.05):
    """Polls predicate until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise AssertionError('timed out after %.0f s waiting for %s' % (timeout, what))
        time.sleep(interval)


def stop_process(process, timeout=5.0):
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def stacks_of(pid):
    """What every thread of a process is doing, when gdb can tell: why a program hangs."""
    if not shutil.which('gdb'):
        return ''
    try:
        traced = subprocess.run(['gdb', '-p', str(pid), '-batch', '-ex', 'thread apply all bt'],
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=60,
                                text=True, errors='replace')
    except (OSError, subprocess.TimeoutExpired):
        return ''
    stacks = [line for line in traced.stdout.splitlines() if line.startswith(('Thread', '#'))]
    return '; its threads:\n' + '\n'.join(stacks[:200])


class Layout:
    """Geometry of the bottom panel's controls, read from the main window's .ui file."""

    def __init__(self, path=UI_FILE):
        root = ElementTree.parse(path).getroot()
        panel = root.find(".//widget[@name='Panel1']")
        self.panel_height = int(panel.find("property[@name='maximumSize']/size/height").text)
        self.controls = {}
        for widget in panel.findall('widget'):
            rect = widget.find("property[@name='geometry']/rect")
            self.controls[widget.get('name')] = tuple(
                int(rect.find(k).text) for k in ('x', 'y', 'width', 'height'))

    def centre(self, name, window_height):
        """Centre of a panel control in window coordinates; the panel fills the window's bottom."""
        x, y, w, h = self.controls[name]
        return x + w // 2, window_height - self.panel_height + y + h // 2


class Session:
    def __init__(self, workdir, window_manager=False, tray=False, screen='1024x768'):
        self.workdir = workdir
        self.screen = screen
        self.glyphor_bin = required_env('GLYPHOR_BIN')
        self.xgrab_bin = required_env('XGRAB_BIN')
        self.fonts_conf = required_env('GLYPHOR_TEST_FONTS_CONF')
        self.config_home = os.path.join(workdir, 'config')
        self.runtime_dir = os.path.join(workdir, 'runtime')
        self.shots_dir = os.path.join(workdir, 'shots')
        for folder in (self.config_home, self.runtime_dir, self.shots_dir):
            os.makedirs(folder, exist_ok=True)
        os.chmod(self.runtime_dir, 0o700)
        self.settings_path = os.path.join(self.config_home, 'glyphor', 'glyphor.ini')
        self.layout = Layout()
        self.xvfb = None
        self.helpers = []  # window manager, tray host, watchers: stopped before the X server
        self.program = None
        self.program_log = None
        self.launches = 0
        self.env = None
        self.program_env = {}  # set for the program only, not for the tools that drive it
        self.has_window_manager = window_manager
        self.wants_tray = tray

    def start(self):
        """Starts the X server, and the window manager and tray host when asked for."""
        self._start_display()
        if self.has_window_manager:
            self._start_window_manager()
        if self.wants_tray:
            self.start_tray()

    # --- processes ---

    def _start_display(self):
        read_end, write_end = os.pipe()
        try:
            with open(os.path.join(self.workdir, 'xvfb.log'), 'wb') as log:
                # -noreset: the server would reset when the last client leaves, refusing the
                # next run of the program for a moment.
                self.xvfb = subprocess.Popen(
                    ['Xvfb', '-displayfd', str(write_end), '-screen', '0', self.screen + 'x24',
                     '-nolisten', 'tcp', '-noreset'],
                    pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=log)
            os.close(write_end)
            write_end = None
            number = b''
            deadline = time.monotonic() + 20
            while not number.endswith(b'\n'):
                remaining = deadline - time.monotonic()
                if remaining <= 0 or not select.select([read_end], [], [], remaining)[0]:
                    raise RuntimeError('Xvfb did not report its display')
                chunk = os.read(read_end, 16)
                if not chunk:
                    raise RuntimeError('Xvfb exited: see ' + self.workdir + '/xvfb.log')
                number += chunk
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        self.display = ':' + number.decode().strip()

        env = {k: v for k, v in os.environ.items()
               if not k.startswith(('LC_', 'XDG_', 'QT_', 'WAYLAND_'))
               and k not in ('LANGUAGE', 'DBUS_SESSION_BUS_ADDRESS', 'SESSION_MANAGER')}
        env.update(DISPLAY=self.display, QT_QPA_PLATFORM='xcb', HOME=self.workdir,
                   FONTCONFIG_FILE=self.fonts_conf, XDG_CONFIG_HOME=self.config_home,
                   XDG_RUNTIME_DIR=self.runtime_dir, LANG=program_locale())
        self.env = env

    def _start_helper(self, name, argv):
        log = open(os.path.join(self.workdir, name + '.log'), 'wb')
        process = subprocess.Popen(argv, env=self.env, stdout=log, stderr=subprocess.STDOUT)
        log.close()
        self.helpers.append(process)
        return process

    def _start_window_manager(self):
        self._start_helper('openbox', ['openbox', '--sm-disable'])
        wait_for(lambda: 'window id' in self.run('xprop', '-root', '_NET_SUPPORTING_WM_CHECK',
                                                 check=False).stdout,
                 what='the window manager')

    def start_tray(self):
        # Now and then, on a loaded machine, trayer starts without ever showing: it is started
        # once more.
        for attempt in range(2):
            self.tray = self._start_helper(
                'trayer', ['trayer', '--edge', 'top', '--align', 'right', '--widthtype', 'pixel',
                           '--width', '100', '--heighttype', 'pixel', '--height', '24'])
            try:
                wait_for(lambda: self.run('xdotool', 'search', '--onlyvisible', '--class',
                                          'trayer', check=False).stdout.strip(),
                         timeout=15, what='the tray host')
                return self.tray
            except AssertionError:
                if attempt == 1:
                    raise
                self.stop_tray()

    def stop_tray(self):
        stop_process(self.tray)
        self.helpers.remove(self.tray)
        self.tray = None

    def watch_maps(self):
        """Starts recording the map and unmap events of top-level windows; see mapped_events()."""
        self.map_log = os.path.join(self.workdir, 'xev.log')
        self._start_helper('xev', ['sh', '-c', 'exec xev -root -event substructure -event property'
                                   ' > "$0"', self.map_log])

        def listening():
            # A property change on the root window shows up once xev listens.
            self.run('xprop', '-root', '-f', '_GLYPHOR_E2E', '8s', '-set', '_GLYPHOR_E2E', 'x')
            with open(self.map_log, encoding='utf-8', errors='replace') as log:
                return 'PropertyNotify' in log.read()
        wait_for(listening, what='xev', interval=0.1)

    def mapped_events(self, window):
        """'map' and 'unmap' in the order they happened to the given top-level window."""
        try:
            with open(self.map_log, encoding='utf-8', errors='replace') as log:
                text = log.read()
        except FileNotFoundError:
            return []
        events = []
        for kind, wid in re.findall(r'^(MapNotify|UnmapNotify) event.*?window (0x[0-9a-f]+),'
                                    r' (?:override|from_configure)', text, re.M | re.S):
            if int(wid, 16) == int(window) and not (events and events[-1] == kind):
                events.append(kind)
        return ['map' if e == 'MapNotify' else 'unmap' for e in events]

    def launch(self, *args):
        """Starts the program (after an earlier run of it has ended)."""
        assert self.program is None or self.program.poll() is not None, 'already running'
        # The server may not yet have destroyed the windows of a run that has just ended.
        wait_for(lambda: not self.find_windows(MAIN_WINDOW_NAME, visible=False),
                 what='the windows of the last run to go')
        self.launches += 1
        self.program_log = os.path.join(self.workdir, 'glyphor-%d.log' % self.launches)
        with open(self.program_log, 'wb') as log:
            self.program = subprocess.Popen([self.glyphor_bin, *args],
                                            env={**self.env, **self.program_env},
                                            stdout=log, stderr=subprocess.STDOUT)
        return self.program

    def running(self):
        return self.program is not None and self.program.poll() is None

    def wait_exit(self, timeout=15.0):
        """The program's exit code, once it has ended by itself."""
        try:
            return self.program.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError('the program did not end within %.0f s%s'
                                 % (timeout, stacks_of(self.program.pid))) from None

    def program_output(self):
        if not self.program_log or not os.path.exists(self.program_log):
            return ''
        with open(self.program_log, encoding='utf-8', errors='replace') as log:
            return log.read()

    def stop(self):
        stop_process(self.program)
        for process in reversed(self.helpers):
            stop_process(process)
        self.helpers = []
        stop_process(self.xvfb)

    # --- windows ---

    def run(self, *argv, check=True, timeout=20):
        result = subprocess.run(argv, env=self.env, capture_output=True, text=True,
                                timeout=timeout)
        if check and result.returncode != 0:
            raise AssertionError('%s failed (%d): %s' % (' '.join(argv), result.returncode,
                                                         result.stderr.strip()))
        return result

    def find_windows(self, name_regex, visible=True):
        argv = ['xdotool', 'search'] + (['--onlyvisible'] if visible else []) + \
               ['--name', name_regex]
        return [int(w) for w in self.run(*argv, check=False).stdout.split()]

    def _tray_icons(self):
        """The program's windows nested inside another one's: its icon in the tray host."""
        def search(*options):
            return set(self.run('xdotool', 'search', *options, '--class', 'glyphor',
                                check=False).stdout.split())
        return search() - search('--maxdepth', '2')

    def tray_icon(self, timeout=15.0):
        """The program's icon, once the tray host has embedded it."""
        def embedded():
            icons = self._tray_icons()
            return int(icons.pop()) if len(icons) == 1 else None
        return wait_for(embedded, timeout, 'the tray icon')

    def tray_icon_gone(self):
        return not self._tray_icons()

    def wm_state(self, window):
        """ICCCM's WM_STATE of a client window: 'Normal', 'Iconic', 'Withdrawn' (or none)."""
        text = self.run('xprop', '-id', str(window), 'WM_STATE', check=False).stdout
        match = re.search(r'window state: (\w+)', text)
        return match.group(1) if match else 'Withdrawn'

    def wait_window(self, name_regex=MAIN_WINDOW_NAME, visible=True, timeout=15.0):
        def found():
            if self.program is not None and self.program.poll() is not None:
                raise AssertionError('the program ended (code %d) before its window showed:\n%s'
                                     % (self.program.returncode, self.program_output()))
            windows = self.find_windows(name_regex, visible)
            return windows[0] if len(windows) == 1 else None
        return wait_for(found, timeout, 'a window named %r' % name_regex)

    def main_window(self, timeout=15.0):
        return self.wait_window(MAIN_WINDOW_NAME, True, timeout)

    def window_name(self, window):
        return self.run('xdotool', 'getwindowname', str(window)).stdout.rstrip('\n')

    def window_info(self, window):
        """xwininfo's fields: absolute position, size and map state of the client window."""
        result = self.run('xwininfo', '-id', str(window), check=False)
        if result.returncode != 0:
            return None
        info = dict(re.findall(r'^\s*([A-Za-z -]+):\s+(.*)$', result.stdout, re.M))
        return {'x': int(info['Absolute upper-left X']), 'y': int(info['Absolute upper-left Y']),
                'width': int(info['Width']), 'height': int(info['Height']),
                'state': info['Map State']}

    def is_viewable(self, window):
        info = self.window_info(window)
        return info is not None and info['state'] == 'IsViewable'

    def focus(self, window):
        if self.has_window_manager:
            self.run('xdotool', 'windowactivate', '--sync', str(window))
        else:
            self.run('xdotool', 'windowfocus', '--sync', str(window))

    # --- input ---

    def click(self, window, x, y, button=1):
        """Clicks at (x, y) of the window's client area."""
        self.run('xdotool', 'mousemove', '--window', str(window), str(x), str(y),
                 'click', str(button))

    def click_control(self, window, name, x=None):
        """Clicks one of the bottom panel's controls, by its object name: in its middle, or x
        pixels from its left edge."""
        height = self.window_info(window)['height']
        cx, cy = self.layout.centre(name, height)
        if x is not None:
            cx = self.layout.controls[name][0] + x
        self.click(window, cx, cy)

    def key(self, window, *keys):
        self.focus(window)
        self.run('xdotool', 'key', '--delay', '30', *keys)

    def type(self, window, text):
        self.focus(window)
        self.run('xdotool', 'type', '--delay', '30', text)

    # --- screen ---

    def _absolute(self, window, x, y, w, h):
        info = self.window_info(window)
        return info['x'] + x, info['y'] + y, w, h

    def screenshot(self, name, window=None, rect=None):
        """Saves a PNG of the screen, of a window, or of a rectangle of a window; returns its path."""
        path = os.path.join(self.shots_dir, name + '.png')
        argv = [self.xgrab_bin, 'shot', path]
        if window is not None:
            if rect is None:
                info = self.window_info(window)
                rect = (0, 0, info['width'], info['height'])
            argv += [str(v) for v in self._absolute(window, *rect)]
        self.run(*argv)
        return path

    def colours(self, window, rect):
        """[(count, '#rrggbb')] of a rectangle of the window, the most used colour first."""
        argv = [self.xgrab_bin, 'colours'] + [str(v) for v in self._absolute(window, *rect)]
        lines = self.run(*argv).stdout.split()
        return [(int(lines[i]), lines[i + 1]) for i in range(0, len(lines), 2)]

    def clipboard(self):
        """The clipboard's plain text, asked of its owner as any other program would."""
        return self.run(self.xgrab_bin, 'clipboard').stdout

    # --- settings file ---

    def write_settings(self, data):
        os.makedirs(os.path.dirname(self.settings_path), exist_ok=True)
        with open(self.settings_path, 'wb') as f:
            f.write(data.encode('utf-8') if isinstance(data, str) else data)

    def read_settings(self, window_state=False):
        """The settings file's bytes; the window's own keys (size, position, page: where the
        window manager put it) left out unless asked for."""
        with open(self.settings_path, 'rb') as f:
            data = f.read()
        if window_state:
            return data
        return b''.join(line for line in data.splitlines(keepends=True)
                        if not WINDOW_STATE_LINE.match(line))


WINDOW_STATE_LINE = re.compile(rb'^(Largeur|Hauteur|Gauche|Haut|Maximise|Page)=')


def ink_lines(path, rect):
    """The lines of text in a rectangle of a screenshot on white, as they are inked: for each run
    of rows holding ink, top to bottom, its image cut to the ink's bounds and that image's place
    in the rectangle. Needs the Python Imaging Library."""
    from PIL import Image, ImageChops
    image = Image.open(path).convert('RGB').crop(rect)
    difference = ImageChops.difference(image, Image.new('RGB', image.size, (255, 255, 255)))
    width, height = image.size
    inked = [difference.crop((0, y, width, y + 1)).getbbox() is not None for y in range(height)]
    lines = []
    y = 0
    while y < height:
        if not inked[y]:
            y += 1
            continue
        top = y
        while y < height and inked[y]:
            y += 1
        left, _, right, _ = difference.crop((0, top, width, y)).getbbox()
        lines.append((image.crop((left, top, right, y)), (left, top)))
    return lines


DEFAULT_SAMPLE = 'azertyuiopQSDFGHJKLM\u00e9\u00e8\u00e0\u00f9\u00ea\u00ee\u00e2@1234567890'


def settings_file(string=DEFAULT_SAMPLE, size=12, browser='', show_names=1, show_hints=1,
                  system=''):
    """The bytes of the settings file Glyphor writes, alone in the file, for these values (each as
    it appears in its line)."""
    return ('[glyphor]\nString=%s\nBrowser=%s\nSize=%s\nShowNames=%s\nShowHints=%s\nSystem=%s\n'
            % (string, browser, size, show_names, show_hints, system)).encode('utf-8')


class GlyphorTestCase(unittest.TestCase):
    """Gives each test its own session in its own folder. The folder is removed when the test
    passes and kept (screenshots, logs) when it fails."""

    window_manager = False
    tray = False
    screen = '1024x768'

    def setUp(self):
        self.workdir = tempfile.mkdtemp(prefix='glyphor-e2e-')
        self.session = Session(self.workdir, self.window_manager, self.tray, self.screen)
        self.addCleanup(self.session.stop)
        self.session.start()

    def tearDown(self):
        # A last look at the screen, for the failure report.
        if self.session.xvfb is not None and self.session.xvfb.poll() is None:
            try:
                self.session.screenshot('at-end')
            except Exception:  # noqa: BLE001 - a failing screenshot must not hide the test's result
                pass

    def run(self, result=None):
        if result is None:
            return super().run(result)
        problems = len(result.failures) + len(result.errors)
        super().run(result)
        workdir = getattr(self, 'workdir', None)
        if not workdir:
            return result
        keep = os.environ.get('GLYPHOR_E2E_SHOTS')
        shots = os.path.join(workdir, 'shots')
        if keep and os.path.isdir(shots):
            name = '%s.%s' % (type(self).__name__, self._testMethodName)
            shutil.copytree(shots, os.path.join(keep, name), dirs_exist_ok=True)
        if len(result.failures) + len(result.errors) == problems:
            shutil.rmtree(workdir, ignore_errors=True)
        else:
            sys.stderr.write('\n%s: screenshots and logs kept in %s\n' % (self.id(), workdir))
            session = getattr(self, 'session', None)
            output = session.program_output().strip() if session else ''
            if output:
                sys.stderr.write('program output:\n%s\n' % output[-3000:])
        return result

    # Helpers shared by the tests.

    def start_glyphor(self, *args):
        self.session.launch(*args)
        return self.session.main_window()

    def exit_with_button(self, window):
        """Clicks EXIT and expects the program to end with code 0."""
        self.session.click_control(window, 'Quitter')
        self.assertEqual(self.session.wait_exit(), 0)

    def run_once_and_exit(self, *args):
        window = self.start_glyphor(*args)
        self.exit_with_button(window)


def main():
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if missing:
        print('skipped: missing ' + ', '.join(missing))
        sys.exit(SKIP_EXIT_CODE)
    unittest.main(verbosity=2)
