"""One running copy per program file: a second start brings the first copy forward and ends, under
a window manager and a tray host; killed copies, silent copies and copies started together."""

import hashlib
import os
import shutil
import signal
import subprocess
import sys
import time

from glyphor_session import (MAIN_WINDOW_NAME, MESSAGE_BOX_NAME, GlyphorTestCase, main,
                             settings_file, stop_process, wait_for)


class InstancesTestCase(GlyphorTestCase):
    def setUp(self):
        super().setUp()
        self.extra = 0

    def spawn(self, *args, binary=None):
        """Starts one more copy of the program besides the session's own."""
        self.extra += 1
        log_path = os.path.join(self.workdir, 'extra-%d.log' % self.extra)
        with open(log_path, 'wb') as log:
            process = subprocess.Popen([binary or self.session.glyphor_bin, *args],
                                       env={**self.session.env, **self.session.program_env},
                                       stdout=log, stderr=subprocess.STDOUT)
        self.addCleanup(stop_process, process)
        return process

    def second_start(self, *args, binary=None):
        """A start while a copy runs: it must end by itself, with code 0."""
        process = self.spawn(*args, binary=binary)
        try:
            code = process.wait(15)
        except subprocess.TimeoutExpired:
            raise AssertionError('the second start did not end') from None
        self.assertEqual(code, 0)

    def main_windows(self):
        return self.session.find_windows(MAIN_WINDOW_NAME)

    def active_window(self):
        return int(self.session.run('xdotool', 'getactivewindow', check=False).stdout or 0)

    def settled(self, window):
        """Shown, active, and no longer moving (the window manager places it on its way back)."""
        first = self.session.window_info(window)
        if self.active_window() != window or not first or first['state'] != 'IsViewable':
            return False
        time.sleep(0.2)
        return self.session.window_info(window) == first

    def registry_path(self):
        """The shared registry of the program file on this display."""
        program = os.path.realpath(self.session.glyphor_bin)
        key = (program + '\nx11:' + self.session.display).encode()
        name = 'glyphor-%d-%s' % (os.geteuid(), hashlib.sha1(key).hexdigest()[:20])
        return os.path.join('/dev/shm', name)

    def registry_exists(self):
        return os.path.exists(self.registry_path())


class SecondStartUnderTray(InstancesTestCase):
    window_manager = True
    tray = True

    def cover(self):
        """Another program's window over the whole screen, in front."""
        self.session._start_helper('cover', ['xev', '-name', 'couverture',
                                             '-geometry', '1000x740+0+0'])
        cover = self.session.wait_window('^couverture$')
        self.session.focus(cover)
        wait_for(lambda: self.active_window() == cover, what='the cover in front')
        return cover

    def on_top(self, window, cover):
        """Active, and stacked above the window that covered it."""
        stacking = self.session.run('xprop', '-root', '_NET_CLIENT_LIST_STACKING').stdout
        order = [int(w, 16) for w in stacking.split('#')[-1].replace(',', ' ').split()]
        return self.active_window() == window and order.index(window) > order.index(cover)

    def shown(self, window):
        return self.session.wm_state(window) == 'Normal' and self.session.is_viewable(window)

    def test_covered_and_tray_copy_come_forward_settings_untouched(self):
        self.session.write_settings(settings_file(size=20))
        before = os.stat(self.session.settings_path)
        window = self.start_glyphor()
        self.session.tray_icon()

        # Covered by another program's window.
        cover = self.cover()
        self.second_start()
        wait_for(lambda: self.on_top(window, cover), what='the first copy in front')

        # In the tray, sent there by its button.
        self.session.click_control(window, 'BitBtn1')
        wait_for(lambda: not self.session.is_viewable(window), what='the window in the tray')
        self.second_start()
        wait_for(lambda: self.shown(window) and self.on_top(window, cover),
                 what='the first copy back from the tray')
        wait_for(lambda: self.settled(window), what='the window in place')

        # The second starts made no window and no icon, and left the settings alone.
        self.assertEqual(len(self.main_windows()), 1)
        self.session.tray_icon()
        after = os.stat(self.session.settings_path)
        self.assertEqual((after.st_mtime_ns, after.st_ino), (before.st_mtime_ns, before.st_ino))
        self.assertEqual(self.session.read_settings(), settings_file(size=20))
        self.exit_with_button(window)
        self.assertFalse(self.registry_exists())

    def test_argument_of_a_second_start_does_not_hide_the_first(self):
        window = self.start_glyphor()
        cover = self.cover()
        self.second_start('cache')
        wait_for(lambda: self.on_top(window, cover), what='the first copy in front')
        self.second_start()
        self.assertTrue(self.shown(window))
        self.exit_with_button(window)



class SecondStartMinimised(InstancesTestCase):
    window_manager = True

    def test_hidden_first_copy_stays_hidden_behind_its_icon(self):
        # With an icon to come back through, the hidden start hides the window for good.
        self.session.start_tray()
        self.session.launch('x')
        self.session.tray_icon()
        window = self.session.wait_window(visible=False)
        wait_for(lambda: not self.session.is_viewable(window), what='the hidden start')
        self.second_start()
        self.second_start()
        self.assertFalse(self.session.is_viewable(window))
        self.assertTrue(self.session.running())

    def test_hidden_start_without_a_tray_stays_within_reach(self):
        # No notification area: the window is minimised, a taskbar entry, and a second start
        # brings it back; a program nobody can reach would also refuse every later start.
        self.session.launch('x')
        window = self.session.wait_window(visible=False)
        wait_for(lambda: self.session.wm_state(window) == 'Iconic', what='the minimised window')
        time.sleep(1.0)  # no late hide
        self.assertEqual(self.session.wm_state(window), 'Iconic')
        self.second_start()
        wait_for(lambda: self.session.wm_state(window) == 'Normal' and self.settled(window),
                 what='the window shown and active')
        self.exit_with_button(window)

    def test_minimised_copy_is_restored(self):
        window = self.start_glyphor()
        self.session.run('xdotool', 'windowminimize', str(window))
        wait_for(lambda: self.session.wm_state(window) == 'Iconic', what='the minimised window')
        self.second_start()
        wait_for(lambda: self.session.wm_state(window) == 'Normal'
                 and self.settled(window), what='the window restored and active')
        self.exit_with_button(window)


class Races(InstancesTestCase):
    def close_survivor(self, process):
        window = wait_for(lambda: (self.main_windows() or [None])[0], what='the main window')
        self.session.click_control(window, 'Quitter')
        self.assertEqual(process.wait(15), 0)
        wait_for(lambda: not self.session.find_windows(MAIN_WINDOW_NAME, visible=False),
                 what='the window to go')

    def one_survivor(self, processes):
        """Waits until every copy but one has ended with code 0 and one main window shows."""
        def settled():
            running = [p for p in processes if p.poll() is None]
            return running if len(running) == 1 and len(self.main_windows()) == 1 else None
        survivor = wait_for(settled, timeout=60, what='one copy left')[0]
        for process in processes:
            if process is not survivor:
                self.assertEqual(process.returncode, 0)
        return survivor

    def test_killed_copy_then_a_start_runs_normally(self):
        self.start_glyphor()
        self.session.program.send_signal(signal.SIGKILL)
        self.session.wait_exit()
        self.assertTrue(self.registry_exists())
        window = self.start_glyphor()
        self.second_start()
        self.exit_with_button(window)
        self.assertFalse(self.registry_exists())

    def test_registry_that_cannot_be_made_is_reported(self):
        # A folder where the shared object should be: the system refuses to open it.
        os.mkdir(self.registry_path())
        self.addCleanup(os.rmdir, self.registry_path())
        self.session.launch()
        box = self.session.wait_window(MESSAGE_BOX_NAME)
        self.session.screenshot('failed-to-create', box)
        self.assertEqual(self.main_windows(), [])
        self.session.key(box, 'Return')
        self.assertEqual(self.session.wait_exit(), 1)

    def test_silent_copy_counts_as_active(self):
        window = self.start_glyphor()
        self.session.program.send_signal(signal.SIGSTOP)
        try:
            self.second_start()
        finally:
            self.session.program.send_signal(signal.SIGCONT)
        self.exit_with_button(window)

    def test_copies_in_different_folders_run_side_by_side(self):
        other = os.path.join(self.workdir, 'ailleurs', 'glyphor')
        os.makedirs(os.path.dirname(other))
        shutil.copy2(self.session.glyphor_bin, other)
        window = self.start_glyphor()
        process = self.spawn(binary=other)
        wait_for(lambda: len(self.main_windows()) == 2, what='two main windows')
        self.second_start(binary=other)
        self.second_start()
        self.assertEqual(len(self.main_windows()), 2)
        self.exit_with_button(window)
        self.close_survivor(process)

    def test_fifty_rounds_of_two_simultaneous_starts(self):
        started = time.monotonic()
        later_won = 0
        for _ in range(50):
            pair = [self.spawn(), self.spawn()]
            survivor = self.one_survivor(pair)
            later_won += survivor is pair[1]
            self.close_survivor(survivor)
            self.assertFalse(self.registry_exists())
        sys.stderr.write('50 rounds of two starts in %.1f s; the copy started second won %d\n'
                         % (time.monotonic() - started, later_won))

    def test_twenty_copies_at_once(self):
        started = time.monotonic()
        copies = [self.spawn() for _ in range(20)]
        survivor = self.one_survivor(copies)
        sys.stderr.write('20 copies settled to one in %.1f s\n' % (time.monotonic() - started))
        self.close_survivor(survivor)
        self.assertFalse(self.registry_exists())


if __name__ == '__main__':
    main()
