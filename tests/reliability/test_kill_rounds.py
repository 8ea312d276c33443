"""Files the program writes survive a kill -9 at any moment: after each of 200 kills, the settings
file (and the HTML page) is whole, either the old content or the new one, never short or empty.
A settings file that is a symbolic link (as dotfile managers make) stays one."""

import os
import random
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

WRITER = os.environ['GLYPHOR_CRASHWRITER']
ROUNDS = 200


class KillRounds(unittest.TestCase):
    def setUp(self):
        self.workdir = tempfile.mkdtemp(prefix='glyphor-kill-')
        self.addCleanup(shutil.rmtree, self.workdir, ignore_errors=True)

    def start(self, kind, path):
        """The writer, once it has written the file a first time."""
        process = subprocess.Popen([WRITER, kind, path], stdout=subprocess.PIPE)
        self.addCleanup(process.stdout.close)
        self.addCleanup(process.wait)
        self.addCleanup(process.kill)
        self.assertTrue(process.stdout.readline(), 'the writer ended before writing')
        return process

    def contents(self, kind, path):
        """The two contents the writer alternates between, as it writes them."""
        seen = set()
        self.start(kind, path)
        deadline = time.monotonic() + 20
        while len(seen) < 2 and time.monotonic() < deadline:
            with open(path, 'rb') as file:
                seen.add(file.read())
        self.assertEqual(len(seen), 2)
        return seen

    def kill_rounds(self, kind, path):
        whole = self.contents(kind, path)
        generator = random.Random(1234)
        for round_number in range(ROUNDS):
            process = self.start(kind, path)
            time.sleep(generator.uniform(0, 0.02))
            process.send_signal(signal.SIGKILL)
            process.wait()
            with open(path, 'rb') as file:
                content = file.read()
            self.assertIn(content, whole, 'round %d: the file is cut (%d bytes)'
                          % (round_number, len(content)))
        return whole

    def test_settings_file(self):
        folder = os.path.join(self.workdir, 'glyphor')
        os.makedirs(folder)
        self.kill_rounds('settings', os.path.join(folder, 'glyphor.ini'))

    def test_settings_file_behind_a_symbolic_link(self):
        dotfiles = os.path.join(self.workdir, 'dotfiles')
        folder = os.path.join(self.workdir, 'glyphor')
        os.makedirs(dotfiles)
        os.makedirs(folder)
        target = os.path.join(dotfiles, 'glyphor.ini')
        with open(target, 'w') as file:
            file.write('[glyphor]\nSize=20\n')
        link = os.path.join(folder, 'glyphor.ini')
        os.symlink(target, link)
        self.kill_rounds('settings', link)
        self.assertTrue(os.path.islink(link))
        self.assertEqual(os.readlink(link), target)

    def test_html_page(self):
        self.kill_rounds('html', os.path.join(self.workdir, 'glyphor.htm'))


if __name__ == '__main__':
    unittest.main(verbosity=2)
