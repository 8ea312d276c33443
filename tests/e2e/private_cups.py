"""A CUPS daemon of the tests' own: its configuration, spool and logs in a private folder, listening
on a free port of the loopback address and on a socket in that folder, never the machine's.
The folder is the daemon's own (its filters, run as user lp, must reach it); it is removed by
remove() once the daemon has stopped.

Its one queue, GlyphorTest (the default), writes each job's PDF, as sent, to out/job.pdf in the
folder; the documents as the program sent them stay in the spool (spooled_documents()). Programs reach it through CUPS_SERVER=<folder>/cups.sock. Stopped by process id.
"""

import os
import shutil
import socket
import subprocess
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
PPD = os.path.join(HERE, 'glyphor-test-pdf.ppd')
QUEUE = 'GlyphorTest'
CUPSD = '/usr/sbin/cupsd'

CUPS_FILES_CONF = """ServerRoot {root}
RequestRoot {root}/spool
TempDir {root}/tmp
CacheDir {root}/cache
StateDir {root}/state
ErrorLog {root}/log/error_log
AccessLog {root}/log/access_log
PageLog {root}/log/page_log
FileDevice Yes
"""

# Anyone on the machine's loopback may print and read the jobs' names (the tests read them back).
CUPSD_CONF = """Listen 127.0.0.1:{port}
Listen {root}/cups.sock
LogLevel info
Browsing Off
BrowseLocalProtocols none
WebInterface No
PreserveJobFiles Yes
DefaultAuthType None
<Location />
  Order allow,deny
  Allow localhost
</Location>
<Policy default>
  JobPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
"""

GET_JOBS_TEST = """{
  OPERATION Get-Jobs
  GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8
  ATTR naturalLanguage attributes-natural-language en
  ATTR uri printer-uri $uri
  ATTR keyword which-jobs completed
  ATTR keyword requested-attributes job-name,copies
  DISPLAY job-name
  DISPLAY copies
}
"""


def missing_tools():
    """Why a private CUPS cannot run here, or None."""
    for tool in (CUPSD, 'lpadmin', 'lpstat', 'ipptool'):
        if not shutil.which(tool):
            return tool + ' is missing (package cups)'
    if os.geteuid() != 0:
        return 'cupsd runs its filters as user lp: the tests start it as root only'
    return None


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as probe:
        probe.bind(('127.0.0.1', 0))
        return probe.getsockname()[1]


class PrivateCups:
    def __init__(self):
        self.root = tempfile.mkdtemp(prefix='glyphor-cups-')
        self.socket = os.path.join(self.root, 'cups.sock')
        self.output = os.path.join(self.root, 'out', 'job.pdf')
        self.port = None
        self.process = None
        self.env = dict(os.environ, CUPS_SERVER=self.socket)

    def start(self):
        for sub in ('spool', 'tmp', 'cache', 'state', 'log', 'out'):
            os.makedirs(os.path.join(self.root, sub), exist_ok=True)
        # The filters run as user lp: they must reach the spool and write the output.
        os.chmod(self.root, 0o755)
        for sub in ('tmp', 'out'):
            os.chmod(os.path.join(self.root, sub), 0o1777)
        self.port = free_port()
        with open(os.path.join(self.root, 'cups-files.conf'), 'w') as f:
            f.write(CUPS_FILES_CONF.format(root=self.root))
        with open(os.path.join(self.root, 'cupsd.conf'), 'w') as f:
            f.write(CUPSD_CONF.format(root=self.root, port=self.port))
        log = open(os.path.join(self.root, 'log', 'cupsd.out'), 'wb')
        self.process = subprocess.Popen(
            [CUPSD, '-f', '-c', os.path.join(self.root, 'cupsd.conf'),
             '-s', os.path.join(self.root, 'cups-files.conf')],
            stdout=log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        log.close()
        deadline = time.monotonic() + 15
        while 'is running' not in self.run('lpstat', '-r', check=False).stdout:
            if self.process.poll() is not None or time.monotonic() > deadline:
                raise RuntimeError('cupsd did not start: see ' + self.root + '/log')
            time.sleep(0.1)
        self.run('lpadmin', '-p', QUEUE, '-E', '-v', 'file://' + self.output, '-P', PPD)
        self.run('lpadmin', '-d', QUEUE)

    def stop(self):
        if self.process is None or self.process.poll() is not None:
            return
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()

    def remove(self):
        shutil.rmtree(self.root, ignore_errors=True)

    def run(self, *argv, check=True):
        result = subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=30)
        if check and result.returncode != 0:
            raise AssertionError('%s failed: %s' % (' '.join(argv), result.stderr.strip()))
        return result

    def completed_jobs(self):
        """[(job name, copies)] of the queue's completed jobs, as its records keep them."""
        test = os.path.join(self.root, 'get-jobs.test')
        with open(test, 'w') as f:
            f.write(GET_JOBS_TEST)
        out = self.run('ipptool', '-c', 'ipp://127.0.0.1:%d/printers/%s' % (self.port, QUEUE),
                       test).stdout
        rows = [line.rsplit(',', 1) for line in out.splitlines()[1:] if line]
        # A job sent without a number of copies has no such attribute: one copy.
        return [(name, int(copies or 1)) for name, copies in rows]

    def spooled_documents(self):
        """The documents of the jobs, as the print system received them, in the order sent."""
        spool = os.path.join(self.root, 'spool')
        return sorted(os.path.join(spool, name) for name in os.listdir(spool)
                      if name.startswith('d'))
