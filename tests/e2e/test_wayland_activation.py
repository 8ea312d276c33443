"""A second start brings the running Glyphor to the front on Wayland with the activation token its
launcher gave it, and only then: under sway (headless, a session of the test's own) another
window has the focus; the program started again with a token sway issued gets the focus back to
the first window; started again without one, the focus stays where it was.

sway 1.7's own launcher (exec) hands its programs no token, so the test asks sway for one itself
over the activation protocol, as a desktop's launcher or panel does before it starts a program.
The other window is a copy of the program at another path, which runs beside the first.

sway refuses to run as root: when the tests run as root, sway and every program of its session
run as the user nobody, in folders given to that user.
"""

import glob
import json
import os
import re
import shutil
import subprocess
import sys
import time

from activation_token import ActivationToken
from glyphor_session import SKIP_EXIT_CODE, GlyphorTestCase, main, wait_for

SWAY_CONFIG = 'xwayland disable\nfocus_on_window_activation focus\n'
AS_NOBODY = ['setpriv', '--reuid=nobody', '--regid=nogroup', '--clear-groups']


def views(node):
    """The windows of sway's tree, as (process id, focused)."""
    if node.get('pid'):
        yield node['pid'], node['focused']
    for child in node.get('nodes', []) + node.get('floating_nodes', []):
        yield from views(child)


class WaylandActivation(GlyphorTestCase):

    def setUp(self):
        super().setUp()
        self.as_user = AS_NOBODY if os.geteuid() == 0 else []
        self.home = os.path.join(self.workdir, 'home')
        self.copy = os.path.join(self.workdir, 'copy', 'glyphor')
        os.makedirs(os.path.dirname(self.copy))
        os.makedirs(self.home)
        shutil.copy2(self.session.glyphor_bin, self.copy)
        if self.as_user:
            os.chmod(self.workdir, 0o755)
            for folder in (self.home, self.session.config_home, self.session.runtime_dir,
                           os.path.dirname(self.copy)):
                shutil.chown(folder, 'nobody', 'nogroup')
        self.env = {k: v for k, v in self.session.env.items() if k != 'DISPLAY'}
        self.env.update(HOME=self.home, WLR_BACKENDS='headless', WLR_RENDERER='pixman',
                        WLR_LIBINPUT_NO_DEVICES='1')
        self.start_sway()

    def start(self, name, argv, env):
        """Starts a process of the session, stopped by its id when the test ends."""
        with open(os.path.join(self.workdir, name + '.log'), 'wb') as log:
            process = subprocess.Popen(self.as_user + argv, env=env, stdout=log,
                                       stderr=subprocess.STDOUT)
        self.session.helpers.append(process)
        return process

    def start_sway(self):
        config = os.path.join(self.workdir, 'sway.config')
        with open(config, 'w', encoding='utf-8') as out:
            out.write(SWAY_CONFIG)
        sway = self.start('sway', ['sway', '--config', config], self.env)
        runtime = self.session.runtime_dir

        def ready():
            if sway.poll() is not None:
                raise AssertionError('sway ended: see ' + self.workdir + '/sway.log')
            sockets = [os.path.basename(path) for path in glob.glob(runtime + '/wayland-*')
                       if not path.endswith('.lock')]
            ipc = glob.glob('%s/sway-ipc.*.%d.sock' % (runtime, sway.pid))
            return sockets and ipc and (sockets[0], ipc[0])
        self.display, self.ipc = wait_for(ready, what='sway')
        self.env.update(QT_QPA_PLATFORM='wayland', WAYLAND_DISPLAY=self.display)
        # Under the address sanitizer, Qt's Wayland plugin leaves its keyboard maps and protocol
        # objects to the process's end: leaks are checked on the X11 runs, not here.
        if 'ASAN_OPTIONS' in os.environ:
            self.env['ASAN_OPTIONS'] = os.environ['ASAN_OPTIONS'] + ':detect_leaks=0'

    def focused(self):
        """The process id of the window sway gives the focus to, or None."""
        tree = subprocess.run(['swaymsg', '--socket', self.ipc, '--raw', '--type', 'get_tree'],
                              capture_output=True, text=True, check=True, timeout=20).stdout
        return next((pid for pid, focused in views(json.loads(tree)) if focused), None)

    def start_again(self, name, token=None):
        """Starts the first program file once more, as a launcher would, and waits for its end."""
        env = dict(self.env)
        if token:
            env['XDG_ACTIVATION_TOKEN'] = token
        process = self.start(name, [self.session.glyphor_bin], env)
        self.assertEqual(process.wait(30), 0)

    def activations(self):
        with open(os.path.join(self.workdir, 'first.log'), encoding='utf-8',
                  errors='replace') as log:
            return re.findall(r'xdg_activation_v1@\d+\.activate\("([^"]*)"', log.read())

    def test_second_start_with_a_token_brings_the_window_forward(self):
        # Launched with a token of its own, long used when the other starts come.
        first = self.start('first', [self.session.glyphor_bin],
                           {**self.env, 'WAYLAND_DEBUG': '1',
                            'XDG_ACTIVATION_TOKEN': 'launch-token-used-long-ago'})
        wait_for(lambda: self.focused() == first.pid, what='the first window focused')
        other = self.start('other', [self.copy], self.env)
        wait_for(lambda: self.focused() == other.pid, what="the copy's window focused")

        # No token: the running copy is asked to come forward, and cannot take the focus (nor
        # tries with the token it was launched with).
        before = self.activations()
        self.start_again('again-without-token')
        watched_until = time.monotonic() + 2
        while time.monotonic() < watched_until:
            self.assertEqual(self.focused(), other.pid)
            time.sleep(0.1)
        self.assertEqual(self.activations(), before)

        # The launcher's token, handed over to the running copy, which activates its window
        # with it.
        with ActivationToken(self.session.runtime_dir, self.display) as launcher:
            self.start_again('again-with-token', launcher.token)
            wait_for(lambda: self.focused() == first.pid, what='the first window focused again')
        self.assertEqual(self.activations(), before + [launcher.token])
        self.assertIsNone(first.poll())


if __name__ == '__main__':
    missing = [tool for tool in ('sway', 'swaymsg', 'setpriv') if shutil.which(tool) is None]
    if missing:
        print('skipped: missing ' + ', '.join(missing))
        sys.exit(SKIP_EXIT_CODE)
    main()
