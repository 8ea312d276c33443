"""Glyphor as a desktop application: its desktop entry and metadata validate, `cmake --install`
puts every file in its place and the installed program starts, and the Debian package holds the
same files, passes lintian, installs and removes cleanly."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'e2e'))
from glyphor_session import Session  # noqa: E402

BUILD_DIR = os.environ['GLYPHOR_BUILD_DIR']
SOURCE_DIR = os.environ['GLYPHOR_SOURCE_DIR']
APP_ID = 'io.github.glyphor.Glyphor'
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
# Every file an installation holds, relative to its prefix.
INSTALLED = sorted(
    ['bin/glyphor',
     'share/applications/%s.desktop' % APP_ID,
     'share/metainfo/%s.metainfo.xml' % APP_ID,
     'share/icons/hicolor/scalable/apps/%s.svg' % APP_ID,
     'share/doc/glyphor/copyright',
     'share/doc/glyphor/changelog.gz',
     'share/doc/glyphor/COPYING',
     'share/man/man1/glyphor.1.gz',
     'share/man/fr/man1/glyphor.1.gz'] +
    ['share/icons/hicolor/%dx%d/apps/%s.png' % (size, size, APP_ID) for size in ICON_SIZES])


def run(*argv, **kwargs):
    return subprocess.run(argv, capture_output=True, text=True, timeout=300, **kwargs)


def files_below(folder):
    found = []
    for root, _, names in os.walk(folder):
        found += [os.path.relpath(os.path.join(root, name), folder) for name in names]
    return sorted(found)


class Packaging(unittest.TestCase):
    def setUp(self):
        self.workdir = tempfile.mkdtemp(prefix='glyphor-packaging-')
        self.addCleanup(shutil.rmtree, self.workdir, ignore_errors=True)

    def test_desktop_entry_and_metadata_validate(self):
        entry = os.path.join(SOURCE_DIR, 'data', APP_ID + '.desktop')
        result = run('desktop-file-validate', entry)
        self.assertEqual((result.returncode, result.stdout + result.stderr), (0, ''))
        metainfo = os.path.join(BUILD_DIR, 'data', APP_ID + '.metainfo.xml')
        result = run('appstreamcli', 'validate', '--no-net', metainfo)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_install_into_a_prefix_and_start(self):
        prefix = os.path.join(self.workdir, 'prefix')
        result = run('cmake', '--install', BUILD_DIR, '--prefix', prefix)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(files_below(prefix), INSTALLED)

        # The manual page in French (`man -L fr glyphor`) beside the English one.
        if shutil.which('man'):
            env = dict(os.environ, MANPATH=os.path.join(prefix, 'share', 'man'), MANWIDTH='80',
                       LC_ALL='C.UTF-8')
            for language, name_line in (('fr', 'comparer côte à côte toutes les polices'),
                                        ('en', 'compare every installed font side by side')):
                page = run('man', '-L', language, '-P', 'cat', 'glyphor', env=env)
                self.assertEqual(page.returncode, 0, page.stderr)
                self.assertIn('glyphor - ' + name_line, page.stdout)
        with open(os.path.join(prefix, 'share', 'doc', 'glyphor', 'COPYING')) as licence:
            self.assertIn('GNU GENERAL PUBLIC LICENSE\n                       Version 3',
                          licence.read())

        # The installed program starts and shows its window.
        os.environ['GLYPHOR_BIN'] = os.path.join(prefix, 'bin', 'glyphor')
        session = Session(os.path.join(self.workdir, 'session'))
        os.makedirs(session.workdir, exist_ok=True)
        self.addCleanup(session.stop)
        session.start()
        session.launch()
        window = session.main_window()
        self.assertTrue(session.is_viewable(window))
        # The window names its desktop entry, so that docks show the entry's icon.
        properties = session.run('xprop', '-id', str(window), 'WM_CLASS').stdout
        self.assertIn('"glyphor"', properties)

    def test_debian_package(self):
        result = run('cpack', '-G', 'DEB', '-B', self.workdir, cwd=BUILD_DIR)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        debs = [name for name in os.listdir(self.workdir) if name.endswith('.deb')]
        self.assertEqual(len(debs), 1)
        deb = os.path.join(self.workdir, debs[0])

        info = run('dpkg-deb', '--info', deb).stdout
        for field in ('Package: glyphor', 'Version: 3.5', 'Section: graphics',
                      'Homepage: https://', 'Maintainer: ', 'fonts-liberation2',
                      'qt6-translations-l10n', 'libqt6widgets6', 'Visionneuse de polices'):
            self.assertIn(field, info)
        contents = run('dpkg-deb', '--contents', deb).stdout
        packaged = sorted(line.split()[-1][len('./usr/'):] for line in contents.splitlines()
                          if not line.startswith('d'))
        self.assertEqual(packaged, INSTALLED)

        lintian = run('lintian', '--no-tag-display-limit', deb)
        errors = [line for line in lintian.stdout.splitlines() if line.startswith('E:')]
        self.assertEqual(errors, [], lintian.stdout)
        sys.stderr.write('\nlintian: %s\n' % (lintian.stdout.strip() or 'nothing to report'))

        if os.geteuid() != 0:
            self.skipTest('installing the package needs root')
        if run('dpkg-query', '-W', 'glyphor').returncode == 0:
            self.skipTest('a glyphor package is installed on this machine already')
        entry = '/usr/share/applications/%s.desktop' % APP_ID
        icon = '/usr/share/icons/hicolor/scalable/apps/%s.svg' % APP_ID
        installed = run('dpkg', '-i', deb)
        try:
            self.assertEqual(installed.returncode, 0, installed.stdout + installed.stderr)
            self.assertTrue(os.path.isfile(entry) and os.path.isfile(icon))
            self.assertTrue(os.access('/usr/bin/glyphor', os.X_OK))
        finally:
            removed = run('dpkg', '-r', 'glyphor')
        self.assertEqual(removed.returncode, 0, removed.stdout + removed.stderr)
        self.assertFalse(os.path.exists(entry) or os.path.exists(icon))


if __name__ == '__main__':
    unittest.main(verbosity=2)
