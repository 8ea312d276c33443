"""The HTML page of the fonts: written from the export dialog as a user would, then shown in a
real browser (headless Chromium) with the test fonts, and with families whose names a browser
reads as something else than one family unless they are quoted."""

import html
import os
import shutil
import subprocess
import sys
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
HERE = os.path.dirname(os.path.abspath(__file__))


class ChromiumPage(GlyphorTestCase):
    """Shows pages in headless Chromium, with the session's fonts."""

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

    def screenshot(self, html_path, name, size='900,700'):
        shot = os.path.join(self.session.shots_dir, name + '.png')
        self.chromium('--window-size=' + size, '--hide-scrollbars', '--screenshot=' + shot,
                      'file://' + html_path)
        from PIL import Image
        with Image.open(shot) as image:
            return image.convert('RGB').tobytes()


class HtmlPage(ChromiumPage):
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

    def test_filtered_list_and_page(self):
        """Ctrl+F, words typed, Escape; the "can write" switch after a new sample; the page lists
        what the list shows."""
        self.session.write_settings(settings_file())
        window = self.start_glyphor()
        caption = lambda: self.session.window_name(window)  # noqa: E731
        self.assertEqual(caption(), 'Glyphor 3.5 *** 6 fontes disponibles')

        self.session.key(window, 'ctrl+f')
        self.session.type(window, 'LIB')
        wait_for(lambda: caption() == 'Glyphor 3.5 *** 3 fontes affichées sur 6',
                 what='the filtered count')
        self.session.key(window, 'Escape')
        wait_for(lambda: caption() == 'Glyphor 3.5 *** 6 fontes disponibles',
                 what='the filter to clear')
        # The focus went back to the list: typing now jumps among its lines.
        self.session.type(window, 'lib')
        time.sleep(0.3)
        self.assertEqual(caption(), 'Glyphor 3.5 *** 6 fontes disponibles')

        # Every test font writes the start-up sample; only DejaVu writes "⌘", and "Default"
        # always counts as able.
        self.session.key(window, 'ctrl+f', 'Tab', 'space')
        wait_for(lambda: caption() == 'Glyphor 3.5 *** 6 fontes affichées sur 6',
                 what='the switch to apply')
        self.session.click_control(window, 'txtEdit', x=20)
        self.session.key(window, 'ctrl+a')
        self.session.type(window, 'x ⌘ y')
        self.session.key(window, 'Return')
        wait_for(lambda: caption() == 'Glyphor 3.5 *** 3 fontes affichées sur 6',
                 what='the switch to follow the sample')
        self.session.screenshot('can-write', window)

        self.generate_page(window)
        page = self.read_page().decode('cp1252')
        self.assertIn('Glyphor trouve <b>3</b> police(s)', page)
        rows = [line[len('<TD>'):-len('</TD>')] for line in page.split('\r\n')
                if line.startswith('<TD>') and '<FONT' not in line]
        self.assertEqual(rows, ['Default', 'DejaVu Sans', 'DejaVu Serif'])

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


# Families whose names are no plain CSS family name, each a copy of a test family (file, family).
ODD_FAMILIES = {
    "QA Mono l'\u00e9t\u00e9": ('LiberationMono-Regular.ttf', 'Liberation Mono'),
    'Corpus 0001 Sans': ('DejaVuSans.ttf', 'DejaVu Sans'),
    'Comma, Family': ('LiberationSans-Regular.ttf', 'Liberation Sans'),
    'Brack [Foundry]': ('LiberationMono-Regular.ttf', 'Liberation Mono'),
    '"Quoted"': ('DejaVuSans.ttf', 'DejaVu Sans'),
    'Back\\slash': ('LiberationSans-Regular.ttf', 'Liberation Sans'),
    'Fantasy': ('LiberationMono-Regular.ttf', 'Liberation Mono'),
}


class OddFamilyNames(ChromiumPage):
    @classmethod
    def setUpClass(cls):
        sys.path.insert(0, os.path.join(HERE, '..', 'fonts'))
        from make_odd_fonts import renamed
        cls.fonts_dir = tempfile.mkdtemp(prefix='glyphor-odd-names-')
        test_conf = os.environ['GLYPHOR_TEST_FONTS_CONF']
        test_files = os.path.join(os.path.dirname(test_conf), 'files')
        files = os.path.join(cls.fonts_dir, 'files')
        os.makedirs(files)
        for number, (family, (source, _)) in enumerate(ODD_FAMILIES.items()):
            renamed(os.path.join(test_files, source), family, 'Regular').save(
                os.path.join(files, 'odd-%d.ttf' % number))
        # The test fonts' configuration (its aliases too), with the odd families beside them.
        with open(test_conf) as original:
            conf = original.read()
        conf = conf.replace('<cachedir>', '<dir>%s</dir>\n  <cachedir>' % files, 1)
        conf = conf.replace(os.path.join(os.path.dirname(test_conf), 'cache'),
                            os.path.join(cls.fonts_dir, 'cache'))
        cls.conf = os.path.join(cls.fonts_dir, 'fonts.conf')
        with open(cls.conf, 'w') as out:
            out.write(conf)
        cls.saved_conf = test_conf
        os.environ['GLYPHOR_TEST_FONTS_CONF'] = cls.conf

    @classmethod
    def tearDownClass(cls):
        os.environ['GLYPHOR_TEST_FONTS_CONF'] = cls.saved_conf
        shutil.rmtree(cls.fonts_dir, ignore_errors=True)

    def test_each_row_in_its_own_font(self):
        """Each odd family's row is drawn by Chromium in that family: the page looks exactly as
        the same page with each odd family replaced by the test family it copies, and not as the
        page with the names unquoted, as they were once written."""
        if CHROMIUM is None:
            self.skipTest('chromium is not installed')
        window = self.start_glyphor()
        self.session.click_control(window, 'GenererrHTML')
        dialog = self.session.wait_window(DIALOG_NAME)
        self.session.click(dialog, *GENERATE)
        box = self.session.wait_window(MESSAGE_BOX_NAME)
        self.session.key(box, 'Return')
        self.exit_with_button(window)
        page_path = os.path.join(self.workdir, 'glyphor.htm')
        with open(page_path, 'rb') as page_file:
            page = page_file.read()

        # Each row: the name's cell, then the sample's cell in FACE.
        lines = page.split(b'\r\n')
        faces = {html.unescape(line[4:-5].decode('cp1252')): lines[i + 1]
                 for i, line in enumerate(lines)
                 if line.startswith(b'<TD>') and not line.startswith(b'<TD><FONT')}
        self.assertLessEqual(set(ODD_FAMILIES), set(faces))
        control, unquoted = page, page
        for family, (_, copied) in ODD_FAMILIES.items():
            face = faces[family]
            self.assertTrue(face.startswith(b'<TD><FONT FACE="&quot;'), face)
            old = ('<TD><FONT FACE="%s">' % family.replace('&', '&amp;').replace('"', '&quot;')
                   .replace('<', '&lt;').replace('>', '&gt;')).encode('cp1252')
            start = face[:face.index(b'">') + 2]
            control = control.replace(start, b'<TD><FONT FACE="%s">' % copied.encode())
            unquoted = unquoted.replace(start, old)
        for family in TEST_FAMILIES:
            self.assertTrue(faces[family].startswith(b'<TD><FONT FACE="%s">' % family.encode()))

        pages = {}
        for name, content in (('control', control), ('unquoted', unquoted)):
            pages[name] = os.path.join(self.workdir, name + '.htm')
            with open(pages[name], 'wb') as out:
                out.write(content)
        size = '900,1200'
        shot = self.screenshot(page_path, 'odd-names', size)
        self.assertEqual(shot, self.screenshot(pages['control'], 'odd-names-control', size))
        # The comparison sees fonts: unquoted, some rows fall back on the default font.
        self.assertNotEqual(shot, self.screenshot(pages['unquoted'], 'odd-names-unquoted', size))


if __name__ == '__main__':
    main()
