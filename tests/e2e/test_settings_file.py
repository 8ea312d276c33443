"""The settings file: what a run writes, what it keeps, and a folder it cannot write to."""

import os
import time

from glyphor_session import (DEFAULT_SAMPLE, MESSAGE_BOX_NAME, GlyphorTestCase, main,
                             settings_file, wait_for)

FIRST_RUN_FILE = ('[glyphor]\n'
                  'String=azertyuiopQSDFGHJKLM\u00e9\u00e8\u00e0\u00f9\u00ea\u00ee\u00e2@1234567890\n'
                  'Browser=\nSize=12\nShowNames=1\nShowHints=1\nSystem=\n').encode('utf-8')


class SettingsFile(GlyphorTestCase):
    def test_first_run_writes_the_seven_default_lines(self):
        self.run_once_and_exit()
        self.assertEqual(self.session.read_settings(), FIRST_RUN_FILE)
        # The file is written through a temporary file that must not be left behind.
        self.assertEqual(os.listdir(os.path.dirname(self.session.settings_path)),
                         ['glyphor.ini'])

    def test_stored_size_comes_back_within_6_to_72(self):
        for stored, written in (('100', '72'), ('3', '6'), ('40', '40')):
            with self.subTest(stored=stored):
                self.session.write_settings(settings_file(size=stored))
                self.run_once_and_exit()
                self.assertEqual(self.session.read_settings(), settings_file(size=written))

    def test_other_lines_survive_a_run(self):
        self.session.write_settings(
            '; Réglages écrits à la main\n'
            '[Autre]\n'
            'Clé = une valeur \n'
            '\n'
            '  ; un commentaire en retrait\n'
            '[glyphor]\n'
            'String=' + DEFAULT_SAMPLE + '\n'
            'Size=100\n'
            'Remarque=gardée\n'
            'System=/usr/lib/système 32\n'
            '[Fin]\n'
            'String=pas celle-ci\n')
        self.run_once_and_exit()
        # Keys found are replaced in place; missing ones are added at the end of the section.
        self.assertEqual(self.session.read_settings().decode('utf-8'),
                         '; Réglages écrits à la main\n'
                         '[Autre]\n'
                         'Clé = une valeur \n'
                         '\n'
                         '  ; un commentaire en retrait\n'
                         '[glyphor]\n'
                         'String=' + DEFAULT_SAMPLE + '\n'
                         'Size=72\n'
                         'Remarque=gardée\n'
                         'System=/usr/lib/système 32\n'
                         'Browser=\n'
                         'ShowNames=1\n'
                         'ShowHints=1\n'
                         '[Fin]\n'
                         'String=pas celle-ci\n')

    def test_unwritable_folder_is_reported_and_the_window_stays(self):
        # A file where the folder should be: no user, root included, can write below it.
        folder = os.path.dirname(self.session.settings_path)
        with open(folder, 'w') as blocker:
            blocker.write('not a folder\n')
        window = self.start_glyphor()
        self.session.click_control(window, 'Quitter')
        box = self.session.wait_window(MESSAGE_BOX_NAME)
        # Its text, "Impossible d'écrire dans <path>.", can only be seen: keep a picture of it.
        shot = self.session.screenshot('error-box')
        print('\nerror message box: ' + shot)
        self.assertTrue(self.session.is_viewable(window), shot)

        self.session.key(box, 'Return')
        wait_for(lambda: not self.session.find_windows(MESSAGE_BOX_NAME),
                 what='the message box to close')
        time.sleep(1)  # a wrong close would end the program now
        self.assertTrue(self.session.running(), 'the program ended')
        self.assertTrue(self.session.is_viewable(window), self.session.screenshot('after-box'))
        self.assertTrue(os.path.isfile(folder))

        os.remove(folder)
        self.exit_with_button(window)
        self.assertEqual(self.session.read_settings(), FIRST_RUN_FILE)


if __name__ == '__main__':
    main()
