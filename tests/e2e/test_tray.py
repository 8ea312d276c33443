"""The tray icon under a real tray host (trayer) and window manager (openbox): minimise to the
tray, come back by click or menu, quit from the menu."""

import os
import subprocess
import time

from glyphor_session import MESSAGE_BOX_NAME, GlyphorTestCase, main, settings_file, wait_for

MAKE_CORPUS = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'bench',
                           'make_corpus.py')


class Tray(GlyphorTestCase):
    window_manager = True
    tray = True

    def in_tray(self, window):
        """Off the screen and off the taskbar: the window is withdrawn, not just iconic."""
        return self.session.wm_state(window) == 'Withdrawn' and \
            not self.session.is_viewable(window)

    def shown(self, window):
        return self.session.wm_state(window) == 'Normal' and self.session.is_viewable(window)

    def click_icon(self, icon, button=1, repeat=1):
        self.session.run('xdotool', 'mousemove', '--window', str(icon), '11', '11', 'click',
                         '--repeat', str(repeat), '--delay', '80', str(button))

    def visible_windows(self):
        return set(self.session.run('xdotool', 'search', '--onlyvisible', '--class', 'glyphor',
                                    check=False).stdout.split())

    def menu(self, icon, *keys):
        """Opens the icon's menu with a right click and picks an item with the keyboard."""
        before = self.visible_windows()
        # The keys go to the menu once it is shown (a loaded machine takes its time). Now and
        # then the tray host passes a click on while a previous one is still being handled, and
        # it is lost: the click is repeated, as a user would.
        for attempt in range(3):
            self.click_icon(icon, 3)
            try:
                wait_for(lambda: self.visible_windows() - before, timeout=5, what='the menu')
                break
            except AssertionError:
                if attempt == 2:
                    raise
        menu = self.visible_windows() - before
        time.sleep(0.3)  # and has taken the keyboard
        self.session.run('xdotool', 'key', '--delay', '50', *keys)
        # Gone, with its hold on the pointer, before the next click.
        wait_for(lambda: not (self.visible_windows() & menu), what='the menu to close')
        time.sleep(0.2)

    def test_clicks_menu_and_minimise(self):
        window = self.start_glyphor()
        icon = self.session.tray_icon()
        self.session.screenshot('tray-icon', rect=None)

        # A left click sends the window to the tray, another brings it back.
        self.click_icon(icon)
        wait_for(lambda: self.in_tray(window), what='the window in the tray')
        self.click_icon(icon)
        wait_for(lambda: self.shown(window), what='the window back')

        # Minimising through the window manager ends in the tray too.
        self.session.run('xdotool', 'windowminimize', str(window))
        wait_for(lambda: self.in_tray(window), what='the minimised window in the tray')
        # A double click brings it back.
        self.click_icon(icon, repeat=2)
        wait_for(lambda: self.shown(window), what='the window back')

        # The to-tray button, then "Montrer!" from the menu (Up: its last item).
        self.session.click_control(window, 'BitBtn1')
        wait_for(lambda: self.in_tray(window), what='the window in the tray')
        self.menu(icon, 'Up', 'Return')
        wait_for(lambda: self.shown(window), what='the window back')

        # "Fermer Glyphor" from the tray: closes as the close box does, settings written.
        self.click_icon(icon)
        wait_for(lambda: self.in_tray(window), what='the window in the tray')
        self.menu(icon, 'Down', 'Return')
        self.assertEqual(self.session.wait_exit(), 0)
        self.assertEqual(self.session.read_settings(), settings_file())
        wait_for(self.session.tray_icon_gone, what='the icon to go')

    def test_hidden_start_comes_back_through_the_icon(self):
        self.session.launch('x')
        icon = self.session.tray_icon()
        window = self.session.wait_window(visible=False)
        wait_for(lambda: not self.session.is_viewable(window), what='the hidden start')
        self.menu(icon, 'Up', 'Return')
        wait_for(lambda: self.session.is_viewable(window), what='the window shown')
        self.exit_with_button(window)

    def test_window_comes_back_when_the_tray_host_goes(self):
        window = self.start_glyphor()
        icon = self.session.tray_icon()
        self.click_icon(icon)
        wait_for(lambda: self.in_tray(window), what='the window in the tray')
        self.session.stop_tray()
        wait_for(lambda: self.shown(window), what='the window back on the screen')
        self.exit_with_button(window)

    def test_menu_takes_the_mouse_and_ends_the_program_during_a_print(self):
        # A catalogue long enough to be still printing: a thousand families, their samples of 300
        # characters at the largest size, several lines each (the catalogue prints a thousand
        # fonts in about a second and a half).
        corpus = os.path.join(self.workdir, 'corpus')
        subprocess.run(['/usr/bin/python3', MAKE_CORPUS, '1000', '--folder', corpus], check=True,
                       stdout=subprocess.DEVNULL)
        self.session.program_env['FONTCONFIG_FILE'] = os.path.join(corpus, 'fonts.conf')
        self.session.write_settings(settings_file(string='Wj' * 150, size=72))
        self.session.program_env['CUPS_SERVER'] = os.path.join(self.workdir, 'no-cups.sock')
        window = self.start_glyphor()
        icon = self.session.tray_icon()
        self.session.click_control(window, 'SpeedButton1')
        dialog = self.session.wait_window('^Imprimer$')
        self.session.key(dialog, 'Return')
        self.session.wait_window('^Impression - ')
        self.click_icon(icon)
        wait_for(lambda: self.in_tray(window), what='the window in the tray')

        # The menu follows the pointer: its first item, "Fermer Glyphor", clicked with the mouse.
        before = self.visible_windows()
        self.click_icon(icon, 3)
        menu = int(wait_for(lambda: self.visible_windows() - before, timeout=10,
                            what='the menu').pop())
        self.session.run('xdotool', 'mousemove', '--window', str(menu), '30', '8')
        time.sleep(0.2)
        self.session.run('xdotool', 'mousemove', '--window', str(menu), '40', '10')
        self.session.screenshot('menu-during-print')
        self.session.run('xdotool', 'click', '1')
        # The job stops and says so; once that is answered, the program ends.
        box = self.session.wait_window(MESSAGE_BOX_NAME, timeout=30)
        self.session.key(box, 'Return')
        self.assertEqual(self.session.wait_exit(30), 0)
        wait_for(self.session.tray_icon_gone, what='the icon to go')
        self.assertTrue(self.session.read_settings().startswith(b'[glyphor]\nString=WjWj'))

    def test_tray_host_that_comes_late_or_restarts(self):
        self.session.stop_tray()
        window = self.start_glyphor()
        time.sleep(5)
        # No tray yet: minimising is an ordinary minimise, and the window manager brings the
        # window back.
        self.session.run('xdotool', 'windowminimize', str(window))
        wait_for(lambda: self.session.wm_state(window) == 'Iconic', what='an ordinary minimise')
        self.session.run('xdotool', 'windowactivate', str(window))
        wait_for(lambda: self.shown(window), what='the window back')

        # A tray host five seconds late still gets the icon, and one that restarts too.
        self.session.start_tray()
        self.session.tray_icon()
        self.session.stop_tray()
        wait_for(self.session.tray_icon_gone, what='the tray host to go')
        self.session.start_tray()
        icon = self.session.tray_icon()
        self.click_icon(icon)
        wait_for(lambda: self.in_tray(window), what='the window in the tray')
        self.click_icon(icon)
        wait_for(lambda: self.shown(window), what='the window back')
        self.exit_with_button(window)


if __name__ == '__main__':
    main()
