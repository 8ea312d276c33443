"""The printed catalogue, through the real print dialog: to a PDF file, cancelled, and to a print
queue of a CUPS daemon the test starts for itself."""

import os
import re
import subprocess
import time
import unittest

from glyphor_session import MESSAGE_BOX_NAME, GlyphorTestCase, main, wait_for
from private_cups import PrivateCups, missing_tools

DIALOG_NAME = '^Imprimer$'
JOB_TITLE = 'Glyphor 3.5 - Impression'
FAMILIES = ['Default', 'DejaVu Sans', 'DejaVu Serif', 'Liberation Mono', 'Liberation Sans',
            'Liberation Serif']
SAMPLE = 'azertyuiopQSDFGHJKLM\u00e9\u00e8\u00e0\u00f9\u00ea\u00ee\u00e2@1234567890'


def tool(*argv):
    return subprocess.run(argv, capture_output=True, text=True, check=True, timeout=30).stdout


class Printing(GlyphorTestCase):
    window_manager = True  # the dialog takes the keyboard focus, as on a desktop

    def setUp(self):
        super().setUp()
        # No printer unless a test starts its own: only the PDF file is offered.
        self.session.program_env['CUPS_SERVER'] = os.path.join(self.workdir, 'no-cups.sock')

    def open_dialog(self, window):
        self.session.click_control(window, 'SpeedButton1')
        return self.session.wait_window(DIALOG_NAME)

    def print_and_confirm(self, dialog):
        """Imprimer (the default button), then the closing message, answered."""
        self.session.key(dialog, 'Return')
        box = self.session.wait_window(MESSAGE_BOX_NAME, timeout=60)
        self.session.screenshot('completed', box)
        self.session.key(box, 'Return')
        wait_for(lambda: not self.session.find_windows(MESSAGE_BOX_NAME), what='the message to go')

    def check_catalogue(self, pdf):
        """The catalogue's first and last lines and a line per font (the widget tests look closer)."""
        lines = [line.strip() for line in tool('pdftotext', '-layout', pdf, '-').splitlines()
                 if line.strip()]
        self.assertEqual(lines[0], 'Glyphor 3.5')
        for family, line in zip(FAMILIES, lines[4:10]):
            self.assertRegex(line, '^%s +%s$' % (re.escape(family), re.escape(SAMPLE)))
        self.assertEqual(lines[10:], ["Merci d'avoir utilis\u00e9 Glyphor 3.5"])
        # A picture of the first page, for whoever looks at the screenshots.
        subprocess.run(['pdftoppm', '-r', '60', '-f', '1', '-l', '1', '-png', pdf,
                        os.path.join(self.session.shots_dir, 'catalogue')], check=True)

    def test_print_to_a_pdf_file(self):
        window = self.start_glyphor()
        dialog = self.open_dialog(window)
        self.session.screenshot('print-dialog', dialog)
        # The file offered is named after the job, in the home folder.
        pdf = os.path.join(self.workdir, JOB_TITLE + '.pdf')
        self.print_and_confirm(dialog)
        self.assertIn('Title:           ' + JOB_TITLE + '\n', tool('pdfinfo', pdf))
        self.check_catalogue(pdf)

        # The print button works again, and the file chosen is offered again.
        os.remove(pdf)
        self.print_and_confirm(self.open_dialog(window))
        self.assertTrue(os.path.exists(pdf))
        self.exit_with_button(window)

    def test_cancel_prints_nothing_and_says_nothing(self):
        window = self.start_glyphor()
        dialog = self.open_dialog(window)
        self.session.key(dialog, 'Escape')
        wait_for(lambda: not self.session.find_windows(DIALOG_NAME), what='the dialog to close')
        time.sleep(1.0)  # long enough for a wrong message to show
        self.assertEqual(self.session.find_windows(MESSAGE_BOX_NAME), [])
        self.assertEqual([f for f in os.listdir(self.workdir) if f.endswith('.pdf')], [])
        self.exit_with_button(window)

    def expect_failure_message(self):
        """The message that follows the job, answered: a failure's, whose words are checked by the
        printing's own tests; here, it is told from the much narrower success message by its
        width, and kept as a picture."""
        box = self.session.wait_window(MESSAGE_BOX_NAME, timeout=60)
        self.session.screenshot('failed', box)
        self.assertGreater(self.session.window_info(box)['width'], 350)
        self.session.key(box, 'Return')
        wait_for(lambda: not self.session.find_windows(MESSAGE_BOX_NAME), what='the message to go')

    def test_full_disk_is_reported_and_leaves_the_old_file(self):
        if os.geteuid() != 0:
            self.skipTest('mounting a small tmpfs needs root')
        documents = os.path.join(self.workdir, 'Documents')
        os.makedirs(documents)
        subprocess.run(['mount', '-t', 'tmpfs', '-o', 'size=16k', 'tmpfs', documents], check=True)
        self.addCleanup(subprocess.run, ['umount', '-l', documents])
        pdf = os.path.join(documents, JOB_TITLE + '.pdf')
        with open(pdf, 'wb') as f:
            f.write(b'the catalogue of last week')

        window = self.start_glyphor()
        dialog = self.open_dialog(window)
        self.session.key(dialog, 'Return')
        # The dialog asks whether the file may be replaced: yes.
        question = wait_for(lambda: (set(self.session.find_windows(DIALOG_NAME)) - {dialog}
                                     or {None}).pop(), what='the question')
        self.session.key(question, 'alt+o')
        self.expect_failure_message()
        # The old file whole, nothing cut short beside it.
        self.assertEqual(os.listdir(documents), [JOB_TITLE + '.pdf'])
        with open(pdf, 'rb') as f:
            self.assertEqual(f.read(), b'the catalogue of last week')
        self.exit_with_button(window)

    def private_cups(self):
        why = missing_tools()
        if why:
            self.skipTest(why)
        cups = PrivateCups()
        self.addCleanup(cups.remove)
        self.addCleanup(cups.stop)
        cups.start()
        self.session.program_env['CUPS_SERVER'] = cups.socket
        return cups

    def test_queue_that_refuses_jobs_is_reported(self):
        cups = self.private_cups()
        cups.run('cupsreject', '-r', 'en panne', 'GlyphorTest')
        window = self.start_glyphor()
        dialog = self.open_dialog(window)
        self.session.key(dialog, 'Return')
        self.expect_failure_message()
        self.assertEqual(cups.completed_jobs(), [])
        self.exit_with_button(window)

    def test_print_to_a_cups_queue(self):
        cups = self.private_cups()

        window = self.start_glyphor()
        dialog = self.open_dialog(window)
        self.session.screenshot('print-dialog-cups', dialog)
        self.print_and_confirm(dialog)
        wait_for(lambda: cups.completed_jobs(), timeout=30, what='the job to complete')
        self.assertEqual(cups.completed_jobs(), [(JOB_TITLE, 1)])
        wait_for(lambda: os.path.exists(cups.output) and os.path.getsize(cups.output) > 0,
                 what='the queue to write its output')
        self.check_catalogue(cups.output)
        # What the queue received is the program's own PDF, the one a file would get.
        [spooled] = cups.spooled_documents()
        info = tool('pdfinfo', spooled)
        self.assertIn('Title:           ' + JOB_TITLE + '\n', info)
        self.assertRegex(info, r'Creator: +Glyphor\n')
        self.assertRegex(info, r'Producer: +cairo ')
        self.check_catalogue(spooled)
        self.exit_with_button(window)


if __name__ == '__main__':
    main()
