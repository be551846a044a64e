#!/usr/bin/env python3
"""Writes the Veldra Studio toolbar and list icons as XPM files.

Every icon is an ASCII pixel map below; each character is one pixel and is
looked up in PALETTE ('.' is transparent).  Edit a map and run

    python3 make_icons.py

from any directory; the XPM files are written to the images/ folder next to
this script.  Only the Python 3 standard library is used.
"""

import os
import sys

PALETTE = {
    '.': 'None',
    # neutrals
    'K': '#263140',   # near-black outline
    'D': '#56606C',   # dark grey outline
    'G': '#8D99A6',   # mid grey
    'L': '#A3AEBA',   # text lines on paper
    'g': '#CDD4DC',   # light grey
    'w': '#E9EEF3',   # off-white paper
    'W': '#FFFFFF',   # white
    # blues
    'N': '#1E4D8C',   # navy outline
    'B': '#2F6EBD',   # dark blue
    'b': '#4C92E3',   # blue
    'l': '#A6CBF4',   # light blue
    # yellows (folders)
    'o': '#9A6A14',   # brown outline
    'Y': '#E3A82B',   # dark yellow
    'y': '#F8CD5C',   # yellow
    # reds
    'R': '#9E2F29',   # dark red outline
    'q': '#C9463D',   # red, shaded
    'r': '#E35D52',   # red
    's': '#F29A90',   # light red
    # greens
    'E': '#2B8A3A',   # dark green outline
    'e': '#4DBE5B',   # green
    'h': '#9EE0A6',   # light green
    # browns
    'P': '#74491F',   # brown outline
    'p': '#B8844E',   # brown
    # chip
    'k': '#3B4552',   # chip body
    'c': '#3B7DCD',   # app icon top sheen
}

ICONS = {}

# 1 -- Save: a floppy disk
ICONS['image01'] = """
NNNNNNNNNNNNN...
NbbgggggDDgbbN..
NbbgggggDDgbbbN.
NbbgggggDDgbbbbN
NbbgggggDDgbbbbN
NbbggggggggbbbbN
NbbbbbbbbbbbbbbN
NbWWWWWWWWWWWWbN
NbWWWWWWWWWWWWbN
NbWLLLLLLLLLLWbN
NbWWWWWWWWWWWWbN
NbWLLLLLLLLLLWbN
NbWWWWWWWWWWWWbN
NbWWWWWWWWWWWWbN
NbWWWWWWWWWWWWbN
NNNNNNNNNNNNNNNN
"""

# 2 -- Cut: scissors
ICONS['image02'] = """
...D........D...
...DD......DD...
...DgD....DgD...
....DgD..DgD....
....DgD..DgD....
.....DgDDgD.....
......DggD......
......DKKD......
.....RrRRrR.....
....RrR..RrR....
.RRRRrR..RrRRRR.
RrrrrrR..RrrrrrR
Rr...rR..Rr...rR
Rr...rR..Rr...rR
RrrrrrR..RrrrrrR
.RRRRR....RRRRR.
"""

# 3 -- Paste: a clipboard with a sheet
ICONS['image03'] = """
.....DDDDDD.....
.PPPPDggggDPPPP.
.PpppDDDDDDpppP.
.PpGGGGGGGGGGpP.
.PpGWWWWWWWWGpP.
.PpGWLLLLLLWGpP.
.PpGWWWWWWWWGpP.
.PpGWLLLLLWWGpP.
.PpGWWWWWWWWGpP.
.PpGWLLLLLLWGpP.
.PpGWWWWWWWWGpP.
.PpGWLLLLWWWGpP.
.PpGWWWWWWWWGpP.
.PpGGGGGGGGGGpP.
.PppppppppppppP.
.PPPPPPPPPPPPPP.
"""

# 4 -- a document page
ICONS['image04'] = """
..DDDDDDDDD.....
..DWWWWWWWDD....
..DWWWWWWWDgD...
..DWWWWWWWDggD..
..DWWWWWWWDDDD..
..DWWWWWWWWWWD..
..DWLLLLLLLWWD..
..DWWWWWWWWWWD..
..DWLLLLLLLLWD..
..DWWWWWWWWWWD..
..DWLLLLLLLLWD..
..DWWWWWWWWWWD..
..DWLLLLLWWWWD..
..DWWWWWWWWWWD..
..DWWWWWWWWWWD..
..DDDDDDDDDDDD..
"""

# 5 -- Open: an open folder
ICONS['image05'] = """
................
................
.oooo...........
oYYYYo..........
oYYYYYooooooo...
oYYDDDDDDDDDYo..
oYYDWWWWWWWDYo..
oYYooooooooooooo
oYYoyyyyyyyyyyo.
oYoyyyyyyyyyyyo.
oYoyyyyyyyyyyo..
ooyyyyyyyyyyyo..
ooyyyyyyyyyyo...
oyyyyyyyyyyyo...
ooooooooooooo...
................
"""

# 6 -- Copy: two overlapping pages
ICONS['image06'] = """
.DDDDDDDDD......
.DwwwwwwwD......
.DwLLLLLwD......
.DwwwwwwwD......
.DwLLLDDDDDDDDDD
.DwwwwDWWWWWWWWD
.DwLLLDWLLLLLLWD
.DwwwwDWWWWWWWWD
.DwLLLDWLLLLLLWD
.DwwwwDWWWWWWWWD
.DwLLLDWLLLLLLWD
.DDDDDDWWWWWWWWD
......DWLLLLLLWD
......DWWWWWWWWD
......DWLLLLWWWD
......DDDDDDDDDD
"""

# 7 -- Search: a magnifying glass
ICONS['image07'] = """
...DDDDD........
.DDGGGGGDD......
.DGGlllGGD......
DGlWWllllGD.....
DGlWlllllGD.....
DGlllllllGD.....
DGlllllllGD.....
DGlllllllGD.....
.DGGlllGGD......
.DDGGGGGDDP.....
...DDDDD.PppP...
..........PppP..
...........PppP.
............PppP
.............PpP
..............PP
"""

# 8 -- folder of BASIC files: blue folder marked "B"
ICONS['image08'] = """
................
................
.NNNNN..........
NBBBBBNNNNNNNNN.
NBBBBBBBBBBBBBBN
NllllllllllllllN
NbbbbbbbbbbbbbbN
NbbbbWWWWbbbbbbN
NbbbbWWbWWbbbbbN
NbbbbWWbWWbbbbbN
NbbbbWWWWbbbbbbN
NbbbbWWbWWbbbbbN
NbbbbWWbWWbbbbbN
NbbbbWWWWbbbbbbN
NbbbbbbbbbbbbbbN
.NNNNNNNNNNNNNN.
"""

# 9 -- folder of assembly files: red folder with a chip
ICONS['image09'] = """
................
................
.RRRRR..........
RqqqqqRRRRRRRRR.
RqqqqqqqqqqqqqqR
RssssssssssssssR
RrrrrrrrrrrrrrrR
RrrrrKKKKKKrrrrR
RrrggKGkkkKggrrR
RrrrrKkkkkKrrrrR
RrrggKkkkkKggrrR
RrrrrKkkkkKrrrrR
RrrggKkkkkKggrrR
RrrrrKKKKKKrrrrR
RrrrrrrrrrrrrrrR
.RRRRRRRRRRRRRR.
"""

# 10 -- "not available" placeholder
ICONS['image10'] = """
......GGGG......
...GGGggggGGG...
..GgggGGGGGggG..
.GgggG.....GggG.
.GggggG.....GgG.
.GgGgggG.....GG.
GgG.GgggG....GgG
GgG..GgggG...GgG
GgG...GgggG..GgG
GgG....GgggG.GgG
.GG.....GgggGgG.
.GgG.....GggggG.
.GggG.....GgggG.
..GggGGGGGgggG..
...GGGggggGGG...
......GGGG......
"""

# 11 -- a gear
ICONS['image11'] = """
......DDDD......
..DD..DGGD..DD..
.DGGDDDGGDDDGGD.
.DGGGGGGGGGGGGD.
..DGGGGGGGGGGD..
..DGGGGGGGGGGD..
DDDGGGDDDDGGGDDD
DGGGGGD..DGGGGGD
DGGGGGD..DGGGGGD
DDDGGGDDDDGGGDDD
..DGGGGGGGGGGD..
..DGGGGGGGGGGD..
.DGGGGGGGGGGGGD.
.DGGDDDGGDDDGGD.
..DD..DGGD..DD..
......DDDD......
"""

# 12 -- Run: a green "play" triangle
ICONS['image12'] = """
................
..EE............
..EhEE..........
..EheeEE........
..EheeeeEE......
..EheeeeeeEE....
..EheeeeeeeeEE..
..EeeeeeeeeeeeE.
..EeeeeeeeeeeeE.
..EeeeeeeeeeEE..
..EeeeeeeeEE....
..EeeeeeEE......
..EeeeEE........
..EeEE..........
..EE............
................
"""

# "Add File" list: a new blank page with a plus
ICONS['addfile_new'] = """
................................
.....DDDDDDDDDDDDDDD............
.....DWWWWWWWWWWWWWWD...........
.....DWWWWWWWWWWWWWWDD..........
.....DWWWWWWWWWWWWWWDgD.........
.....DWWWWWWWWWWWWWWDggD........
.....DWWWWWWWWWWWWWWDgggD.......
.....DWWWWWWWWWWWWWWDDDDDD......
.....DWWWWWWWWWWWWWWWWWWWWD.....
.....DWWWWWWWWWWWWWWWWWWWWD.....
.....DWWWWWWWWWWWWWWWWWWWWD.....
.....DWWWWWWWWWWWWWWWWWWWWD.....
.....DWWWWWWWWWWWWWWWWWWWWD.....
.....DWWWWWWWWWWWWWWWWWWWWD.....
.....DWWWWWWWWWWWWWWWWWWWWD.....
.....DWWWWWWWWWWWWWWWWWWWWD.....
.....DWWWWWWWWWWWWWWWEEEEWD.....
.....DWWWWWWWWWWWWWWWEeeEWD.....
.....DWWWWWWWWWWWWWWWEeeEWD.....
.....DWWWWWWWWWWWWWWWEeeEWD.....
.....DWWWWWWWWWWWWWWWEeeEWD.....
.....DWWWWWWWWWWEEEEEeeeeEEEEE..
.....DWWWWWWWWWWEeeeeeeeeeeeeE..
.....DWWWWWWWWWWEeeeeeeeeeeeeE..
.....DWWWWWWWWWWEEEEEeeeeEEEEE..
.....DWWWWWWWWWWWWWWWEeeEWD.....
.....DWWWWWWWWWWWWWWWEeeEWD.....
.....DWWWWWWWWWWWWWWWEeeEWD.....
.....DWWWWWWWWWWWWWWWEeeEWD.....
.....DWWWWWWWWWWWWWWWEEEEWD.....
.....DDDDDDDDDDDDDDDDDDDDDD.....
................................
"""

# "Add File" list: a folder holding a page
ICONS['addfile_open'] = """
................................
................................
......DDDDDDDDDDDDD.............
......DWWWWWWWWWWWWD............
......DWWWWWWWWWWWWDD...........
.oooooDWWWWWWWWWWWWDgD..........
.oYYYYDWWWWWWWWWWWWDDDD.........
.oYYYYDWWLLLLLLLLLWWWWWD........
.oYYYYDWWWWWWWWWWWWWWWWDoooo....
.oYYYYDWWWWWWWWWWWWWWWWDYYYo....
.oYYYYDWWLLLLLLLLLLLLLWDYYYo....
.oYYYYDWWWWWWWWWWWWWWWWDYYYo....
.oYYYYDWWWWWWWWWWWWWWWWDYYYo....
.oYYYYDWWLLLLLLLLLLLLLWDYYYo....
.oYYYYooooooooooooooooooooooooo.
.oYYYoyyyyyyyyyyyyyyyyyyyyyyyyo.
.oYYYoyyyyyyyyyyyyyyyyyyyyyyyo..
.oYYYoyyyyyyyyyyyyyyyyyyyyyyyo..
.oYYoyyyyyyyyyyyyyyyyyyyyyyyyo..
.oYYoyyyyyyyyyyyyyyyyyyyyyyyo...
.oYYoyyyyyyyyyyyyyyyyyyyyyyyo...
.oYoyyyyyyyyyyyyyyyyyyyyyyyyo...
.oYoyyyyyyyyyyyyyyyyyyyyyyyyo...
.oYoyyyyyyyyyyyyyyyyyyyyyyyo....
.ooyyyyyyyyyyyyyyyyyyyyyyyyo....
.ooyyyyyyyyyyyyyyyyyyyyyyyyo....
.ooyyyyyyyyyyyyyyyyyyyyyyyoo....
.ooooooooooooooooooooooooooo....
................................
................................
................................
................................
"""

# application icon: "V" between two code brackets on a rounded square
ICONS['app'] = """
................................
.....NNNNNNNNNNNNNNNNNNNNNN.....
...NNBBBBBBBBBBBBBBBBBBBBBBNN...
..NBBBBBBBBBBBBBBBBBBBBBBBBBBN..
..NBBccccccccccccccccccccccBBN..
.NBBccccccccccccccccccccccccBBN.
.NBBccccNNNNccccccccNNNNccccBBN.
.NBBccccNWWWNccccccNWWWNccccBBN.
.NBBBBBBNWWWNBBBBBBNWWWNBBBBBBN.
.NBBBBBBNWWWNBBBBBBNWWWNBBBBBBN.
.NBBBBBBBNWWWNBBBBNWWWNBBBBBBBN.
.NBBBoooBNWWWNBBBBNWWWNBoooBBBN.
.NBBoyyoBNWWWNBBBBNWWWNBoyyoBBN.
.NBBoyyoBBNWWNBBBBNWWNBBoyyoBBN.
.NBoyyoBBBNWWWNBBNWWWNBBBoyyoBN.
.NoyyoBBBBNWWWNBBNWWWNBBBBoyyoN.
.NoyyoBBBBBNWWNBBNWWNBBBBBoyyoN.
.NBoyyoBBBBNWWWNNWWWNBBBBoyyoBN.
.NBBoyyoBBBNWWWWWWWWNBBBoyyoBBN.
.NBBoyyoBBBBNWWWWWWNBBBBoyyoBBN.
.NBBBoooBBBBNWWWWWWNBBBBoooBBBN.
.NBBBBBBBBBBNWWWWWWNBBBBBBBBBBN.
.NBBBBBBBBBBBNWWWWNBBBBBBBBBBBN.
.NBBBBBBBBBBBNWWWWNBBBBBBBBBBBN.
.NBBBBBBBBBBBNNNNNNBBBBBBBBBBBN.
.NBBBBBBBBBBBBBBBBBBBBBBBBBBBBN.
.NBBBBBBBBBBBBBBBBBBBBBBBBBBBBN.
..NBBBBBBBBBBBBBBBBBBBBBBBBBBN..
..NBBBBBBBBBBBBBBBBBBBBBBBBBBN..
...NNBBBBBBBBBBBBBBBBBBBBBBNN...
.....NNNNNNNNNNNNNNNNNNNNNN.....
................................
"""


def parse(name, text):
    rows = [r for r in text.strip('\n').split('\n')]
    size = len(rows)
    for i, row in enumerate(rows):
        if len(row) != size:
            raise ValueError('%s: row %d has %d pixels, expected %d'
                             % (name, i, len(row), size))
        for ch in row:
            if ch not in PALETTE:
                raise ValueError('%s: unknown colour key %r' % (name, ch))
    return rows


def scale2x(rows):
    """Doubles a pixel map without blurring it: each pixel becomes four, and a corner takes the
    colour of its two neighbours where they agree (Scale2x), so diagonal edges stay smooth."""
    size = len(rows)

    def at(x, y, default):
        return rows[y][x] if 0 <= x < size and 0 <= y < size else default

    out = []
    for y in range(size):
        top, bottom = [], []
        for x in range(size):
            p = rows[y][x]
            a, b = at(x, y - 1, p), at(x + 1, y, p)
            c, d = at(x - 1, y, p), at(x, y + 1, p)
            top += [a if c == a and c != d and a != b else p,
                    b if a == b and a != c and b != d else p]
            bottom += [c if d == c and d != b and c != a else p,
                       d if b == d and b != a and d != c else p]
        out += [''.join(top), ''.join(bottom)]
    return out


def to_xpm(name, rows):
    used = sorted(set(''.join(rows)), key=lambda c: (c != '.', c))
    ident = name.replace('-', '_') + '_xpm'
    out = ['/* XPM */', 'static const char *const %s[] = {' % ident]
    out.append('"%d %d %d 1",' % (len(rows[0]), len(rows), len(used)))
    for ch in used:
        out.append('"%s c %s",' % (ch, PALETTE[ch]))
    for i, row in enumerate(rows):
        out.append('"%s"%s' % (row, ',' if i + 1 < len(rows) else ''))
    out.append('};')
    return '\n'.join(out) + '\n'


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    outdir = os.path.join(here, 'images')
    os.makedirs(outdir, exist_ok=True)
    for name, text in ICONS.items():
        rows = parse(name, text)
        with open(os.path.join(outdir, name + '.xpm'), 'w', newline='\n') as f:
            f.write(to_xpm(name, rows))
        # The twice-as-large copy serves screens at scale 2.
        with open(os.path.join(outdir, name + '@2x.xpm'), 'w', newline='\n') as f:
            f.write(to_xpm(name + '_2x', scale2x(rows)))
    print('wrote %d icons, each also at twice the size' % len(ICONS))
    return 0


if __name__ == '__main__':
    sys.exit(main())
