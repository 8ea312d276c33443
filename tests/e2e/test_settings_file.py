"""The settings file: what a run writes and what it keeps."""

import os

from glyphor_session import DEFAULT_SAMPLE, GlyphorTestCase, main

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


if __name__ == '__main__':
    main()
