#!/usr/bin/python3
"""Makes the files the font-file tests open: ZIP archives a user could be sent (names that climb
out of the folder or hold line breaks and bytes that are no UTF-8, an archive inside an archive,
one that unpacks into far more than it holds, a cut one), and web fonts made from a test font.

usage: make_font_files.py OUTPUT_FOLDER FONT
"""
import io
import os
import sys
import zipfile

from fontTools.ttLib import TTFont

FAKE = b'not really a font'


def archive(path, entries, compression=zipfile.ZIP_DEFLATED):
    with zipfile.ZipFile(path, 'w', compression) as made:
        for name, data in entries:
            made.writestr(zipfile.ZipInfo(name), data, compress_type=compression)


def renamed_entry(path, placeholder, raw):
    """Puts bytes Python would not write (no UTF-8) in place of an ASCII name's placeholder."""
    with open(path, 'rb') as file:
        data = file.read()
    assert len(placeholder) == len(raw)
    with open(path, 'wb') as file:
        file.write(data.replace(placeholder, raw))


def main():
    out, font = sys.argv[1], sys.argv[2]
    archives = os.path.join(out, 'archives')
    os.makedirs(archives, exist_ok=True)
    outside = os.path.join(out, 'outside')
    with open(font, 'rb') as file:
        font_bytes = file.read()

    archive(os.path.join(archives, 'plain.zip'),
            [('a.ttf', FAKE), ('sub/b.OTF', FAKE), ('sub/', b''), ('readme.txt', b'hello'),
             ('c.pcf.gz', FAKE)])
    archive(os.path.join(archives, 'climbing.zip'),
            [('../../evil.ttf', FAKE), (outside + '/absolute.ttf', FAKE),
             ('..\\..\\windows.ttf', FAKE), ('C:/fonts/drive.ttf', FAKE), ('../', b''),
             ('..', FAKE)])
    archive(os.path.join(archives, 'same-names.zip'),
            [('one/x.ttf', FAKE), ('two/x.ttf', FAKE), ('x.ttf', FAKE)])
    odd = os.path.join(archives, 'odd-names.zip')
    archive(odd, [('line\nbreak\r.ttf', FAKE), ('tab\there.otf', FAKE), ('bad-@@.ttf', FAKE),
                  ('x' * 300 + '.woff2', FAKE)])
    renamed_entry(odd, b'bad-@@', b'bad-\xff\xfe')
    nested_inner = io.BytesIO()
    with zipfile.ZipFile(nested_inner, 'w') as inner:
        inner.writestr('inner.ttf', FAKE)
    archive(os.path.join(archives, 'nested.zip'),
            [('a.ttf', FAKE), ('inner.zip', nested_inner.getvalue()),
             ('inner.tar.gz', b'\x1f\x8b')])
    # 64 MiB of zeros in about 64 KiB: far beyond twenty times the archive's size.
    archive(os.path.join(archives, 'bomb.zip'),
            [('small.ttf', FAKE), ('bomb.ttf', bytes(64 << 20)), ('after.ttf', FAKE)])
    # Cut in the middle of the second entry's data.
    damaged = os.path.join(archives, 'damaged.zip')
    archive(damaged, [('first.ttf', FAKE), ('second.ttf', os.urandom(100000)),
                      ('third.ttf', FAKE)], zipfile.ZIP_STORED)
    with open(damaged, 'r+b') as file:
        file.truncate(50000)
    with open(os.path.join(archives, 'not-a-zip.zip'), 'w', encoding='ascii') as file:
        file.write('plain text\n')
    archive(os.path.join(archives, 'many.zip'), [('f%d.ttf' % i, FAKE) for i in range(5)])
    archive(os.path.join(archives, 'large-entry.zip'),
            [('small.ttf', FAKE), ('large.ttf', bytes(4096))])
    archive(os.path.join(archives, 'real.zip'), [('fonts/Real.ttf', font_bytes)])

    web = os.path.join(out, 'web')
    os.makedirs(web, exist_ok=True)
    for flavor in ('woff', 'woff2'):
        made = TTFont(font)
        made.flavor = flavor
        made.save(os.path.join(web, 'Web.' + flavor))


if __name__ == '__main__':
    main()
