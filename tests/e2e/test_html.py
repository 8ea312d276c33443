"""The HTML page of the fonts: written from the export dialog as a user would, then shown in a
real browser (headless Chromium) with the test fonts."""

import os
import shutil
import subprocess
import tempfile
import time

from glyphor_session import (MESSAGE_BOX_NAME, GlyphorTestCase, main, settings_file, stop_process,
                             wait_for)

DIALOG_NAME = "^Génération d'une liste HTML$"
QUESTION_NAME = '^Avertissement$'
# Middles of the dialog's controls, from their bounds in its client area.
GENERATE = (42 + 166 // 2, 169 + 24 // 2)
GENERATE_AND_VIEW = (211 + 166 // 2, 169 + 24 // 2)
CLOSE = (150 + 89 // 2, 244 + 26 // 2)
BROWSER_FIELD = (127 + 100, 201 + 21 // 2)
FILE_FIELD = (44 + 150, 138 + 21 // 2)
TEST_FAMILIES = ['DejaVu Sans', 'DejaVu Serif', 'Liberation Mono', 'Liberation Sans',
                 'Liberation Serif']
CHROMIUM = shutil.which('chromium')


class HtmlPage(GlyphorTestCase):
    def setUp(self):
        super().setUp()
        # A documents folder with a space in its name, as French desktops have.
        self.documents = os.path.join(self.workdir, 'Mes documents')
        os.makedirs(self.documents)
        with open(os.path.join(self.session.config_home, 'user-dirs.dirs'), 'w') as dirs:
            dirs.write('XDG_DOCUMENTS_DIR="$HOME/Mes documents"\n')
        self.page = os.path.join(self.documents, 'glyphor.htm')

    def stand_in_browser(self):
        """A browser that records its arguments, one per line, in a folder with a space."""
        folder = os.path.join(self.workdir, 'mes programmes')
        os.makedirs(folder, exist_ok=True)
        path = os.path.join(folder, 'navigateur')
        self.browser_log = os.path.join(self.workdir, 'browser.log')
        with open(path, 'w') as script:
            script.write('#!/bin/sh\nprintf "%%s\\n" "$#" "$@" > "%s.tmp"\nmv "%s.tmp" "%s"\n'
                         % ((self.browser_log,) * 3))
        os.chmod(path, 0o755)
        return path

    def open_dialog(self, window):
        self.session.click_control(window, 'GenererrHTML')
        return self.session.wait_window(DIALOG_NAME)

    def answer_box(self, name, *keys):
        box = self.session.wait_window(name)
        self.session.key(box, *keys)
        wait_for(lambda: not self.session.find_windows(name), what='%r to close' % name)

    def read_page(self):
        with open(self.page, 'rb') as page:
            return page.read()

    def generate_page(self, window):
        """Writes the page with "Générer" and returns the dialog's window id (now hidden)."""
        dialog = self.open_dialog(window)
        self.session.click(dialog, *GENERATE)
        self.answer_box(MESSAGE_BOX_NAME, 'Return')
        wait_for(lambda: not self.session.is_viewable(dialog), what='the dialog to close')
        return dialog

    def test_generate_replace_and_view(self):
        browser = self.stand_in_browser()
        self.session.write_settings(settings_file(browser=browser))
        window = self.start_glyphor()

        dialog = self.open_dialog(window)
        info = self.session.window_info(dialog)
        self.assertEqual((info['width'], info['height']), (388, 273))
        self.session.screenshot('html-dialog', dialog)
        self.session.click(dialog, *GENERATE)
        self.answer_box(MESSAGE_BOX_NAME, 'Return')  # "Fichier généré !"
        wait_for(lambda: not self.session.is_viewable(dialog), what='the dialog to close')
        page = self.read_page()
        self.assertEqual(page.count(b'\r\n'), 22 + 4 * 6)
        self.assertIn(b'<TD><FONT FACE="Liberation Mono">azertyuiopQSDFGHJKLM'
                      b'\xe9\xe8\xe0\xf9\xea\xee\xe2@1234567890</FONT></TD>\r\n', page)

        # "Générer" again, "Non" to the question: the page stays byte for byte.
        os.utime(self.page, (1, 1))
        dialog = self.open_dialog(window)
        self.session.click(dialog, *GENERATE)
        self.answer_box(QUESTION_NAME, 'alt+n')
        wait_for(lambda: not self.session.is_viewable(dialog), what='the dialog to close')
        self.assertEqual(self.read_page(), page)
        self.assertEqual(os.stat(self.page).st_mtime, 1)

        # "Générer puis visualiser...", "Oui": the page is written again and the browser gets
        # its path as one argument, spaces kept; the dialog stays open.
        dialog = self.open_dialog(window)
        self.session.click(dialog, *GENERATE_AND_VIEW)
        self.answer_box(QUESTION_NAME, 'alt+o')
        self.answer_box(MESSAGE_BOX_NAME, 'Return')
        wait_for(lambda: os.path.exists(self.browser_log), what='the browser to start')
        with open(self.browser_log) as log:
            self.assertEqual(log.read(), '1\n%s\n' % self.page)
        self.assertNotEqual(os.stat(self.page).st_mtime, 1)
        self.assertTrue(self.session.is_viewable(dialog))

        # An emptied browser field: a message, nothing written.
        os.utime(self.page, (1, 1))
        self.session.click(dialog, *BROWSER_FIELD)
        self.session.key(dialog, 'ctrl+a', 'BackSpace')
        self.session.click(dialog, *GENERATE_AND_VIEW)
        self.answer_box(MESSAGE_BOX_NAME, 'Return')
        self.assertEqual(os.stat(self.page).st_mtime, 1)
        self.session.click(dialog, *CLOSE)
        wait_for(lambda: not self.session.is_viewable(dialog), what='the dialog to close')

        # The browser field is remembered at close: empty now.
        self.exit_with_button(window)
        self.assertEqual(self.session.read_settings(), settings_file(browser=''))

    def test_page_name_with_spaces(self):
        """A page name typed with spaces, unquoted, is the page's name: the text up to a space
        names another file, which must stay as it was."""
        folder = os.path.join(self.workdir, 'essai')
        os.makedirs(os.path.join(folder, 'Mes Pages'))
        unrelated = os.path.join(folder, 'notes')
        with open(unrelated, 'wb') as notes:
            notes.write(b'mes notes\n')
        window = self.start_glyphor()

        for name in ('notes de cours.htm', os.path.join('Mes Pages', 'liste des polices.htm')):
            page = os.path.join(folder, name)
            dialog = self.open_dialog(window)
            self.session.click(dialog, *FILE_FIELD)
            self.session.key(dialog, 'ctrl+a', 'BackSpace')
            self.session.type(dialog, page)
            self.session.click(dialog, *GENERATE)
            # No question: no file of that name exists. Then "Fichier généré !".
            box = self.session.wait_window(MESSAGE_BOX_NAME + '|' + QUESTION_NAME)
            self.assertEqual(self.session.window_name(box), 'Glyphor')
            self.session.key(box, 'Return')
            wait_for(lambda: not self.session.is_viewable(dialog), what='the dialog to close')
            with open(page, 'rb') as written:
                self.assertTrue(written.read().endswith(b'</HTML>\r\n'))

        with open(unrelated, 'rb') as notes:
            self.assertEqual(notes.read(), b'mes notes\n')
        self.assertEqual(sorted(os.listdir(folder)), ['Mes Pages', 'notes', 'notes de cours.htm'])
        self.exit_with_button(window)

    def chromium(self, *args):
        """Runs headless Chromium with the test fonts; returns its output."""
        profile = tempfile.mkdtemp(prefix='chromium-', dir=self.workdir)
        argv = [CHROMIUM, '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic',
                '--no-first-run', '--disable-background-networking', '--disable-component-update',
                '--disable-sync', '--user-data-dir=' + profile, *args]
        process = subprocess.Popen(argv, env=self.session.env, stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL)
        try:
            output, _ = process.communicate(timeout=60)
        finally:
            stop_process(process)
        self.assertEqual(process.returncode, 0)
        return output.decode('utf-8')

    def screenshot(self, html_path, name):
        shot = os.path.join(self.session.shots_dir, name + '.png')
        self.chromium('--window-size=900,700', '--hide-scrollbars', '--screenshot=' + shot,
                      'file://' + html_path)
        from PIL import Image
        with Image.open(shot) as image:
            return image.convert('RGB').tobytes()

    def test_page_in_chromium(self):
        if CHROMIUM is None:
            self.skipTest('chromium is not installed')
        window = self.start_glyphor()
        self.generate_page(window)
        self.exit_with_button(window)
        page = self.read_page()

        # The browser reads the Windows-1252 bytes back as the program's French text.
        dom = self.chromium('--dump-dom', 'file://' + self.page)
        self.assertIn('police(s) installée(s) sur votre système', dom)
        # The date as the program's locale writes it (French when the machine has it).
        self.assertRegex(dom, r'Le [^<>]+ à \d\d?:\d\d:\d\d, Glyphor trouve <b>6</b>')
        self.assertIn('azertyuiopQSDFGHJKLMéèàùêîâ@1234567890</font>', dom)

        # Each row is drawn in its own font: all of them end up in the printed page.
        pdf = os.path.join(self.workdir, 'page.pdf')
        self.chromium('--no-pdf-header-footer', '--print-to-pdf=' + pdf, 'file://' + self.page)
        fonts = subprocess.run(['pdffonts', pdf], capture_output=True, text=True,
                               check=True).stdout
        for family in TEST_FAMILIES:
            self.assertIn('+' + family.replace(' ', '') + ' ', fonts)

        # On screen too: the same page with every row in one font looks different.
        same_font = os.path.join(self.workdir, 'same-font.htm')
        with open(same_font, 'wb') as control:
            for family in ['Default'] + TEST_FAMILIES:
                page = page.replace(b'<FONT FACE="%s">' % family.encode(),
                                    b'<FONT FACE="DejaVu Sans">')
            control.write(page)
        self.assertNotEqual(self.screenshot(self.page, 'chromium-page'),
                            self.screenshot(same_font, 'chromium-same-font'))


if __name__ == '__main__':
    main()
