"""Scaled screens (QT_SCALE_FACTOR, or the X resource Xft.dpi as desktops set it): each line's
sample is drawn at the screen's own resolution, pixel for pixel what the same text gives at that
pixel size on an unscaled screen, never a smaller drawing blown up; the icons of the panel and the
page tabs drawn from their double-size artwork; and the printed catalogue is the same whatever
the scale."""

import os
import re
import shutil
import subprocess
import sys

from glyphor_session import (MESSAGE_BOX_NAME, SKIP_EXIT_CODE, GlyphorTestCase, ink_lines, main,
                             wait_for)

try:
    from PIL import Image, ImageChops
except ImportError:
    Image = None

HERE = os.path.dirname(os.path.abspath(__file__))
ICONS = os.path.join(HERE, '..', '..', 'src', 'resources', 'icons')
SAMPLE = 'Hamburgefonstiv 0123'
PANEL_AND_TABS = 120  # logical pixels under the list: the page tabs and the bottom panel
PRINT_BUTTON = 'SpeedButton1'


def settings(size, show_names=0):
    return ('[glyphor]\nString=%s\nSize=%d\nShowNames=%d\n' % (SAMPLE, size, show_names))


def read_xpm(path):
    """An XPM picture's size and its opaque pixels, {(x, y): b'rgb'}."""
    with open(path, encoding='ascii') as xpm:
        strings = re.findall(r'"([^"]*)"', xpm.read())
    width, height, count, chars = map(int, strings[0].split()[:4])
    palette = {}
    for entry in strings[1:1 + count]:
        value = entry[chars:].split()[-1]
        palette[entry[:chars]] = None if value.lower() == 'none' else bytes.fromhex(value[1:])
    pixels = {}
    for y, row in enumerate(strings[1 + count:1 + count + height]):
        for x in range(width):
            colour = palette[row[x * chars:(x + 1) * chars]]
            if colour is not None:
                pixels[(x, y)] = colour
    return (width, height), pixels


def find_artwork(image, size, pixels):
    """The top-left corner of the place where every opaque pixel of the artwork shows unchanged
    in the RGB image, or None."""
    data, stride = image.tobytes(), image.width * 3
    # Candidates from the artwork's longest opaque run of a row, found as bytes in the image's rows.
    runs = []
    for y in range(size[1]):
        x = 0
        while x < size[0]:
            start = x
            while (x, y) in pixels:
                x += 1
            if x > start:
                runs.append((x - start, start, y))
            x += 1
    length, run_x, run_y = max(runs)
    run = b''.join(pixels[(run_x + i, run_y)] for i in range(length))
    for y in range(run_y, image.height - size[1] + run_y + 1):
        line = data[y * stride:(y + 1) * stride]
        at = line.find(run)
        while at >= 0:
            left, top = at // 3 - run_x, y - run_y
            if (at % 3 == 0 and 0 <= left <= image.width - size[0] and all(
                    data[(top + py) * stride + (left + px) * 3:][:3] == colour
                    for (px, py), colour in pixels.items())):
                return left, top
            at = line.find(run, at + 1)
    return None


class HiDpi(GlyphorTestCase):
    window_manager = True  # the print dialog takes the keyboard focus, as on a desktop
    screen = '2048x1600'  # the window at scale 2 and its dialogs fit

    def set_xft_dpi(self, dpi):
        subprocess.run(['xrdb', '-merge'], input='Xft.dpi: %d\n' % dpi, text=True,
                       env=self.session.env, check=True, timeout=20)

    def list_lines(self, name, size, scale_factor=None):
        """Starts the program with the sample at size points, and returns its list's lines."""
        self.session.write_settings(settings(size))
        self.session.program_env.pop('QT_SCALE_FACTOR', None)
        if scale_factor:
            self.session.program_env['QT_SCALE_FACTOR'] = scale_factor
        window = self.start_glyphor()
        info = self.session.window_info(window)
        scale = info['width'] / 472
        # The list's inside: its frame (a pixel or two) and what lies under it left out.
        margin = int(2 * scale + 0.99)
        rect = (margin, margin, info['width'] - margin,
                info['height'] - int(PANEL_AND_TABS * scale))
        path = self.session.screenshot(name, window)
        self.stop_program()
        return scale, [line for line, _ in ink_lines(path, rect)]

    def stop_program(self):
        self.session.program.terminate()
        self.session.program.wait(15)

    def check_sharp(self, scale, scaled, reference):
        self.assertEqual(len(scaled), 6, 'a line per family')
        for family, (line, native) in enumerate(zip(scaled, reference)):
            self.assertEqual(line.size, native.size,
                             'line %d at scale %s: not drawn at the pixel size' % (family, scale))
            difference = ImageChops.difference(line, native).getbbox()
            self.assertIsNone(difference, 'line %d at scale %s differs from the text drawn at '
                              'its pixel size, at %s' % (family, scale, difference))

    def test_samples_as_sharp_as_at_their_pixel_size(self):
        # 12 points at 96 dpi scaled by 1.25, 1.5 and 2 are 20, 24 and 32 pixels: 15, 18 and
        # 24 points unscaled.
        for scale, points, how in ((1.25, 15, 'QT_SCALE_FACTOR'), (1.5, 18, 'Xft.dpi'),
                                   (2, 24, 'QT_SCALE_FACTOR')):
            with self.subTest(scale=scale, how=how):
                _, reference = self.list_lines('unscaled-%d' % points, points)
                if how == 'Xft.dpi':
                    self.set_xft_dpi(int(96 * scale))
                    shown, scaled = self.list_lines('xft-dpi-%s' % scale, 12)
                    self.set_xft_dpi(96)
                else:
                    shown, scaled = self.list_lines('scale-factor-%s' % scale, 12, str(scale))
                self.assertAlmostEqual(shown, scale, places=2)
                self.check_sharp(scale, scaled, reference)

    def test_icons_drawn_from_their_double_size_artwork(self):
        # At scale 2 each 16-pixel icon takes 32 device pixels: the 32-pixel artwork, unscaled.
        # A 16-pixel icon blown up (blurred or in blocks) differs from it.
        self.session.program_env['QT_SCALE_FACTOR'] = '2'
        window = self.start_glyphor()
        # The pointer away from the window: no button under it lit up.
        self.session.run('xdotool', 'mousemove', '2047', '1599')
        image = Image.open(self.session.screenshot('icons-scale-2', window)).convert('RGB')
        for name in ('print', 'html', 'charmap', 'help', 'totray', 'lines', 'text'):
            with self.subTest(icon=name):
                size, pixels = read_xpm(os.path.join(ICONS, name + '@2x.xpm'))
                self.assertEqual(size, (32, 32))
                self.assertIsNotNone(find_artwork(image, size, pixels),
                                     'the %s icon is not its 32-pixel artwork' % name)

    def print_catalogue(self, pdf):
        """Prints to the PDF file the print dialog offers and moves it to pdf."""
        window = self.start_glyphor()
        info = self.session.window_info(window)
        scale = info['width'] / 472
        x, y, w, h = self.session.layout.controls[PRINT_BUTTON]
        panel = self.session.layout.panel_height
        self.session.click(window, int((x + w / 2) * scale),
                           int(info['height'] - (panel - y - h / 2) * scale))
        dialog = self.session.wait_window('^Imprimer$')
        self.session.key(dialog, 'Return')
        box = self.session.wait_window(MESSAGE_BOX_NAME, timeout=60)
        self.session.key(box, 'Return')
        wait_for(lambda: not self.session.find_windows(MESSAGE_BOX_NAME), what='the message to go')
        self.stop_program()
        offered = os.path.join(self.workdir, 'Glyphor 3.5 - Impression.pdf')
        os.rename(offered, pdf)

    def catalogue(self, pdf):
        """The catalogue's text, less the time it was printed, and its pages."""
        text = subprocess.run(['pdftotext', '-layout', pdf, '-'], capture_output=True,
                              text=True, check=True).stdout
        text = re.sub(r'\d+:\d\d:\d\d', 'TIME', text)
        info = subprocess.run(['pdfinfo', pdf], capture_output=True, text=True, check=True).stdout
        return text, re.findall(r'^(?:Pages|Page size):.*$', info, re.M)

    def test_catalogue_the_same_at_every_scale(self):
        self.session.program_env['CUPS_SERVER'] = os.path.join(self.workdir, 'no-cups.sock')
        self.session.write_settings(settings(12, show_names=1))
        unscaled = os.path.join(self.workdir, 'unscaled.pdf')
        self.print_catalogue(unscaled)
        self.session.program_env['QT_SCALE_FACTOR'] = '2'
        scaled = os.path.join(self.workdir, 'scaled.pdf')
        self.print_catalogue(scaled)
        text, pages = self.catalogue(unscaled)
        self.assertIn(SAMPLE, text)
        self.assertEqual(self.catalogue(scaled), (text, pages))


if __name__ == '__main__':
    if Image is None or shutil.which('xrdb') is None:
        print('skipped: missing Python Imaging Library or xrdb')
        sys.exit(SKIP_EXIT_CODE)
    main()
