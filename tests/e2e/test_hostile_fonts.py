"""The real program with fonts that anyone could put on a machine (made at test time by
tests/fonts/make_hostile_fonts.py): cut and empty files, names of 10,000 characters, with control
characters, quotes, markup, right to left and emoji, a symbol font, no character map, bitmaps
only, a variable font, a collection, two files of one family. It lists each family once, scrolls
them all, shows each on the Text page, writes the HTML page and prints the catalogue, without a
crash or a hang."""

import html
import os
import shutil
import subprocess
import tempfile

from glyphor_session import MESSAGE_BOX_NAME, GlyphorTestCase, main, wait_for

HERE = os.path.dirname(os.path.abspath(__file__))
MAKER = os.path.join(HERE, '..', 'fonts', 'make_hostile_fonts.py')
DIALOG_NAME = "^Génération d'une liste HTML$"
GENERATE = (42 + 166 // 2, 169 + 24 // 2)
TEXT_TAB = (130, 13)  # the Text page's tab, above the bottom panel


class HostileFonts(GlyphorTestCase):
    window_manager = True

    @classmethod
    def setUpClass(cls):
        cls.fonts_dir = tempfile.mkdtemp(prefix='glyphor-hostile-')
        test_fonts = os.path.dirname(os.environ['GLYPHOR_TEST_FONTS_CONF'])
        subprocess.run(['/usr/bin/python3', MAKER, os.path.join(cls.fonts_dir, 'files')],
                       check=True, capture_output=True)
        conf = os.path.join(cls.fonts_dir, 'fonts.conf')
        with open(conf, 'w') as out:
            out.write('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n'
                      '<fontconfig>\n  <dir>%s/files</dir>\n  <dir>%s/files</dir>\n'
                      '  <cachedir>%s/cache</cachedir>\n</fontconfig>\n'
                      % (test_fonts, cls.fonts_dir, cls.fonts_dir))
        cls.saved_conf = os.environ['GLYPHOR_TEST_FONTS_CONF']
        os.environ['GLYPHOR_TEST_FONTS_CONF'] = conf
        listed = subprocess.run(['fc-list', ':', 'family'], capture_output=True, text=True,
                                env={**os.environ, 'FONTCONFIG_FILE': conf}, check=True)
        # fontconfig's families, the first name of each font.
        cls.families = {line.split(',')[0] for line in listed.stdout.splitlines() if line}

    @classmethod
    def tearDownClass(cls):
        os.environ['GLYPHOR_TEST_FONTS_CONF'] = cls.saved_conf
        shutil.rmtree(cls.fonts_dir, ignore_errors=True)

    def setUp(self):
        super().setUp()
        self.session.program_env['CUPS_SERVER'] = os.path.join(self.workdir, 'no-cups.sock')

    def alive(self):
        self.assertTrue(self.session.running(), self.session.program_output()[-2000:])

    def answer(self, name='^Glyphor$'):
        box = self.session.wait_window(name, timeout=60)
        self.session.key(box, 'Return')
        wait_for(lambda: not self.session.find_windows(name), what='the message to go')

    def listed_families(self, page):
        """The names of the HTML page's rows, as a browser reads them."""
        rows = page.decode('cp1252', errors='replace').split('\r\n')
        return [html.unescape(row[4:-5]) for row in rows if row.startswith('<TD>')
                and row.endswith('</TD>') and not row.startswith('<TD><FONT FACE=')]

    def write_html(self, window):
        """The HTML page of the list shown: the names of its rows, and the page."""
        self.session.click_control(window, 'GenererrHTML')
        dialog = self.session.wait_window(DIALOG_NAME)
        self.session.click(dialog, *GENERATE)
        self.answer()
        with open(os.path.join(self.workdir, 'glyphor.htm'), 'rb') as page:
            written = page.read()
        return self.listed_families(written), written

    def print_pdf(self, window):
        """The catalogue printed to a PDF file through the print dialog: its text."""
        self.session.click_control(window, 'SpeedButton1')
        self.session.key(self.session.wait_window('^Imprimer$'), 'Return')
        self.answer()
        pdf = os.path.join(self.workdir, 'Glyphor 3.5 - Impression.pdf')
        return subprocess.run(['pdftotext', pdf, '-'], capture_output=True, text=True,
                              check=True).stdout

    def page_through(self, window):
        self.session.click(window, 200, 10)
        self.session.key(window, *(['Next'] * 8), 'End', *(['Prior'] * 8), 'Home')
        self.alive()

    def test_everything_survives(self):
        window = self.start_glyphor()
        panel_top = self.session.window_info(window)['height'] - self.session.layout.panel_height

        # The HTML page lists every family once, by its own name.
        listed, _ = self.write_html(window)
        short = sorted(name[:40] for name in listed)
        self.assertEqual(len(listed), len(set(listed)), short)
        self.assertEqual(set(listed) - {'Default'}, self.families, short)

        # Every line of the list drawn: page by page to the end and back.
        self.page_through(window)

        # Each font on the Text page.
        self.session.click(window, TEXT_TAB[0], panel_top - TEXT_TAB[1])
        self.session.click_control(window, 'txtEdit', x=20)
        self.session.key(window, *(['Down'] * len(listed)))
        self.alive()
        self.session.screenshot('text-page-last-font', window)

        # The catalogue printed to a PDF file, through the print dialog.
        self.assertIn('Twin Family', self.print_pdf(window))
        self.exit_with_button(window)

    def test_opened_as_files(self):
        """The same fonts opened as files, not installed: listed, drawn, detailed, written to the
        HTML page from their files, printed, and the window closed."""
        window = self.start_glyphor(os.path.join(self.fonts_dir, 'files'))
        wait_for(lambda: 'ouverte' in self.session.window_name(window), 30, 'the files read')
        listed, page = self.write_html(window)
        self.assertIn(b'@font-face', page)
        self.assertIn('Twin Family', listed)
        self.page_through(window)
        # The details of each of the first lines, one after the other.
        self.session.key(window, 'alt+Return')
        details = self.session.wait_window('^Détails - ', timeout=30)
        self.session.click(window, 200, 10)
        self.session.key(window, *(['Down'] * 12))
        self.alive()
        self.session.key(details, 'Escape')
        self.assertIn('Twin Family', self.print_pdf(window))
        self.exit_with_button(window)


if __name__ == '__main__':
    main()
