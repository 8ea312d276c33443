#!/usr/bin/python3
"""What fontTools reads of a font file, as the font index should: one JSON object on stdout.

usage: metadata_oracle.py FILE [INDEX]
"""
import json
import sys

from fontTools.ttLib import TTFont


def name(font, name_id):
    table = font.get('name')
    if table is None:
        return ''
    # Windows French, Windows English, any Windows, Unicode, Macintosh: the index's order.
    records = [r for r in table.names if r.nameID == name_id]

    def score(r):
        if r.platformID == 3:
            language = r.langID & 0x3ff
            return 30 + (5 if language == 0x0c else 3 if language == 0x09 else 0)
        return 20 if r.platformID == 0 else 12 if r.platformID == 1 and r.langID == 0 else 10
    records.sort(key=score, reverse=True)
    for record in records:
        try:
            return record.toUnicode().strip()
        except UnicodeDecodeError:
            continue
    return ''


def tags(font, kind):
    found = set()
    for table in ('GSUB', 'GPOS'):
        if table in font and font[table].table is not None:
            t = font[table].table
            if kind == 'features' and t.FeatureList:
                found |= {r.FeatureTag for r in t.FeatureList.FeatureRecord}
            if kind == 'scripts' and t.ScriptList:
                found |= {r.ScriptTag for r in t.ScriptList.ScriptRecord}
    return sorted(found)


def feature_names(font):
    """The names the font gives its stylistic sets and character variants, by tag."""
    named = {}
    if 'GSUB' not in font or font['GSUB'].table.FeatureList is None:
        return named
    for record in font['GSUB'].table.FeatureList.FeatureRecord:
        params = record.Feature.FeatureParams
        name_id = getattr(params, 'UINameID', None) or getattr(params, 'FeatUILabelNameID', None)
        if record.FeatureTag[:2] in ('ss', 'cv') and name_id and record.FeatureTag not in named:
            named[record.FeatureTag] = name(font, name_id)
    return named


def variations(font):
    if 'fvar' not in font:
        return [], []
    fvar = font['fvar']
    axes = [{'tag': a.axisTag, 'name': name(font, a.axisNameID)} for a in fvar.axes]
    instances = [{'name': name(font, i.subfamilyNameID),
                  'coordinates': [i.coordinates[a.axisTag] for a in fvar.axes]}
                 for i in fvar.instances]
    return axes, instances


def main():
    font = TTFont(sys.argv[1], fontNumber=int(sys.argv[2]) if len(sys.argv) > 2 else -1,
                  lazy=True)
    os2 = font.get('OS/2')
    print(json.dumps({
        'family': name(font, 16) or name(font, 1),
        'style': name(font, 17) or name(font, 2),
        'version': name(font, 5),
        'copyright': name(font, 0),
        'manufacturer': name(font, 8),
        'designer': name(font, 9),
        'licence': name(font, 13),
        'licenceUrl': name(font, 14),
        'embedding': os2.fsType if os2 else 0,
        'familyClass': (os2.sFamilyClass >> 8) & 0xff if os2 else 0,
        'panoseFamily': os2.panose.bFamilyType if os2 else 0,
        'glyphs': font['maxp'].numGlyphs,
        'features': tags(font, 'features'),
        'scripts': tags(font, 'scripts'),
        'featureNames': feature_names(font),
        'axes': variations(font)[0],
        'instances': variations(font)[1],
    }))


if __name__ == '__main__':
    main()
