#!/usr/bin/env python3
"""Draws Quiverdesk's icons and toolbar strips from the ASCII-art tables below and writes
quiverdesk.ico, quiverdesk_small.ico, toolbar.bmp and more_buttons.bmp next to this
script, the same bytes on every run, and the icon's full-colour twin for the themed controls,
quiverdesk_colour.ico (16, 32 and 48 pixels). The program makes the toolbar's full-colour images
from the 16-colour strips itself, their light grey transparent."""
import os
import struct
import sys
import zlib

# The standard 16-colour VGA palette in palette order, one character per colour.
# ' ' is no colour but a transparent pixel; only icons may use it.
PALETTE = [
    ('K', (0, 0, 0)),        # black
    ('r', (128, 0, 0)),      # maroon
    ('g', (0, 128, 0)),      # green
    ('o', (128, 128, 0)),    # olive
    ('n', (0, 0, 128)),      # navy
    ('p', (128, 0, 128)),    # purple
    ('t', (0, 128, 128)),    # teal
    ('.', (192, 192, 192)),  # light grey: toolbar background, mapped to the button face
    ('s', (128, 128, 128)),  # mid grey: mapped to the 3D shadow colour
    ('R', (255, 0, 0)),      # red
    ('G', (0, 255, 0)),      # lime
    ('Y', (255, 255, 0)),    # yellow
    ('B', (0, 0, 255)),      # blue
    ('M', (255, 0, 255)),    # fuchsia
    ('C', (0, 255, 255)),    # aqua
    ('W', (255, 255, 255)),  # white
]
INDEX = {ch: i for i, (ch, _) in enumerate(PALETTE)}
TRANSPARENT = ' '

# Toolbar images, 16 x 15 each, left to right in the order of the toolbar's image indexes.
OPEN_FOLDER = [
    "................",
    ".........KKK....",
    "........K...K.K.",
    ".............KK.",
    ".KKKK.......KKK.",
    "KWYYYK..........",
    "KYooooKKKKKKK...",
    "KYoooooooooooK..",
    "KYooKKKKKKKKKKKK",
    "KYoKWYYYYYYYYYK.",
    "KYKWYYYYYYYYYK..",
    "KKWYYYYYYYYYK...",
    "KKYYYYYYYYYoK...",
    "KKKKKKKKKKKK....",
    "................",
]
REFRESH = [
    "..KKKKKKKKK.....",
    "..KWWWWWWWKK....",
    "..KWWWWWWWKWK...",
    "..KWWWggggKKKK..",
    "..KWggggggggWK..",
    "..KgggWWWWgggK..",
    "..KgWWWWWWWggK..",
    "..KttWWWWgggggg.",
    "..ttttWWWWgggg..",
    ".ttttttWWWWggK..",
    "..KttWWWWWWWtK..",
    "..KtttWWWWtttK..",
    "..KWttttttttWK..",
    "..KWWWttttWWWK..",
    "..KKKKKKKKKKKK..",
]
EXPLORE_TARGET = [
    "................",
    "................",
    ".KKKK...........",
    "KYWYWK..........",
    "KWYYYYKKKKKKK...",
    "KYWWWWWWKKKWYK..",
    "KWYYYYYKWWCKoK..",
    "KYYYYYKWCCCCKK..",
    "KYYYYYKCCCCCKK..",
    "KYYYYYKCCCCCKK..",
    "KYYYYYYKCCCKoK..",
    "KYYYYYYYKKKKoK..",
    "KooooooooooKKsK.",
    "KKKKKKKKKKKKKKs.",
    ".............KK.",
]
PROPERTIES = [
    "KKKKKKKKKKKK....",
    "KnnnnnnnnnnK....",
    "KnnnnnnnnnnK....",
    "KWWWWWWWWWWK....",
    "KWWWWWWKKKKKKK..",
    "KWWWWWKWWWWWWsK.",
    "KWWWWWKsssssssK.",
    "KWWWWWWKKKorKKK.",
    "KWWWWWWWWKorK...",
    "KWWWWWWWWKorK...",
    "KWWWWWWWWKorK...",
    "KKKKKKKKKKorK...",
    ".........KorK...",
    ".........KorK...",
    "..........KK....",
]
DELETE = [
    "................",
    "..RR........RR..",
    "..RRR......RRR..",
    "...RRR....RRR...",
    "....RRR..RRR....",
    ".....RRRRRR.....",
    "......RRRR......",
    "......RRRR......",
    ".....RRRRRR.....",
    "....RRR..RRR....",
    "...RRR....RRR...",
    "..RRR......RRR..",
    "..RR........RR..",
    "................",
    "................",
]
TOOLBAR_IMAGES = [OPEN_FOLDER, REFRESH, EXPLORE_TARGET, PROPERTIES, DELETE]

# The Startup switch's two buttons, a strip of their own beside the original five.
SWITCH_ON = [
    "................",
    "................",
    "............gg..",
    "...........gGg..",
    "..........gGg...",
    ".........gGg....",
    "..gg....gGg.....",
    "..gGg..gGg......",
    "...gGggGg.......",
    "....gGGg........",
    ".....gg.........",
    "................",
    "................",
    "................",
    "................",
]
SWITCH_OFF = [
    "................",
    ".....rrrrr......",
    "...rrRRRRRrr....",
    "..rRRssssRRRr...",
    "..rRs....sRRr...",
    ".rRs....sRRsRr..",
    ".rRs...sRRs.Rr..",
    ".rRs..sRRs..Rr..",
    ".rRs.sRRs...Rr..",
    ".rRRsRRs...sRr..",
    "..rRRRs...sRr...",
    "..rRRRssssRRr...",
    "...rrRRRRRrr....",
    ".....rrrrr......",
    "................",
]
SWITCH_IMAGES = [SWITCH_ON, SWITCH_OFF]

# The Send To visibility buttons: an open eye shows a hidden file on the menu again, a shut and
# struck-through one hides it.
SHOW_ON_MENU = [
    "................",
    "................",
    "................",
    ".....KKKKKK.....",
    "...KKWWWWWWKK...",
    "..KWWWWnnWWWWK..",
    ".KWWWWnnnnWWWWK.",
    "KWWWWnnKKnnWWWWK",
    ".KWWWWnnnnWWWWK.",
    "..KWWWWnnWWWWK..",
    "...KKWWWWWWKK...",
    ".....KKKKKK.....",
    "................",
    "................",
    "................",
]
HIDE_FROM_MENU = [
    "................",
    "..............R.",
    ".............R..",
    ".....KKKKKKRR...",
    "...KKssssssRK...",
    "..KssssssssRsK..",
    ".KssssssssRsssK.",
    "KKKKKKKKKRKKKKKK",
    "........R.......",
    ".......R........",
    "......R.........",
    ".....R..........",
    "....R...........",
    "...R............",
    "................",
]
VISIBILITY_IMAGES = [SHOW_ON_MENU, HIDE_FROM_MENU]

# The small icon: a white framed box with a black shortcut arrow, casting a grey shadow.
ICON_16 = [
    "                ",
    "                ",
    "  KKKKKKKKKKK   ",
    "  KWWWWWWWWWKs  ",
    "  KWWWKKKKKWKs  ",
    "  KWWWWKKKKWKs  ",
    "  KWWWKKKKKWKs  ",
    "  KWWKKKWKKWKs  ",
    "  KWKKKWWWKWKs  ",
    "  KWKKWWWWWWKs  ",
    "  KWKKWWWWWWKs  ",
    "  KWWWWWWWWWKs  ",
    "  KKKKKKKKKKKs  ",
    "   sssssssssss  ",
    "                ",
    "                ",
]

# The large icon: the same box inside a big yellow "Q".
ICON_32 = [
    "              KKKK              ",
    "          KKKKYYYYKKKK          ",
    "         KYYYYYYYYYYYYK         ",
    "       KKYYYYYYYYYYYYYYKK       ",
    "      KYYYYYYYYYYYYYYYYYYK      ",
    "     KYYYYYYYYYYYYYYYYYYYYK     ",
    "    KYYYYYYYKKKKKKKKYYYYYYYK    ",
    "    KYYYYYKK        KKYYYYYK    ",
    "   KYYYYYK            KYYYYYK   ",
    "  KYYYYYK KKKKKKKKKKK  KYYYYYK  ",
    "  KYYYYYK KWWWWWWWWWKs KYYYYYK  ",
    "  KYYYYK  KWWWKKKKKWKs  KYYYYK  ",
    "  KYYYYK  KWWWWKKKKWKs  KYYYYK  ",
    " KYYYYYK  KWWWKKKKKWKs  KYYYYYK ",
    " KYYYYYK  KWWKKKWKKWKs  KYYYYYK ",
    " KYYYYYK  KWKKKWWWKWKs  KYYYYYK ",
    " KYYYYYK  KWKKWWWWWWKs  KYYYYYK ",
    "  KYYYYK  KWKKWWWWWWKs  KYYYYK  ",
    "  KYYYYK  KWWWWWWWWWKs  KYYYYK  ",
    "  KYYYYYK KKKKKKKKKKKs KYYYYYK  ",
    "  KYYYYYK  sssssssssssKYYYYYYK  ",
    "   KYYYYYK           KYYYYYYK   ",
    "    KYYYYYKK        KYYYYYYK    ",
    "    KYYYYYYYKKKKKKKKYYYYYYYK    ",
    "     KYYYYYYYYYYYYYYYYYYYYYYK   ",
    "      KYYYYYYYYYYYYYYYYYYYYYYK  ",
    "       KKYYYYYYYYYYYYYYKKYYYYYK ",
    "         KYYYYYYYYYYYYK  KYYYYYK",
    "          KKKKYYYYKKKK    KYYYK ",
    "              KKKK         KYK  ",
    "                            K   ",
    "                                ",
]


def check(rows, width, height, allow_transparent):
    assert len(rows) == height, "expected %d rows, got %d" % (height, len(rows))
    for y, row in enumerate(rows):
        assert len(row) == width, "row %d is %d wide, expected %d" % (y, len(row), width)
        for ch in row:
            assert ch in INDEX or (allow_transparent and ch == TRANSPARENT), "row %d: bad pixel %r" % (y, ch)


def palette_bytes():
    return b"".join(struct.pack("<4B", b, g, r, 0) for _, (r, g, b) in PALETTE)


def pixel_bits(rows):
    """4-bit pixels, bottom row first, each row padded to a DWORD; transparent pixels are black."""
    out = b""
    for row in reversed(rows):
        nibbles = [INDEX.get(ch, 0) for ch in row]
        line = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2))
        out += line + b"\0" * (-len(line) % 4)
    return out


def mask_bits(rows):
    """The AND mask: one bit per pixel, set where the icon is transparent, bottom row first."""
    out = b""
    for row in reversed(rows):
        bits = "".join("1" if ch == TRANSPARENT else "0" for ch in row)
        line = bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))
        out += line + b"\0" * (-len(line) % 4)
    return out


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 0, 0, 0, 0)


def icon_image(rows):
    xor, and_ = pixel_bits(rows), mask_bits(rows)
    # An icon's header counts the colour image and the mask together, hence twice the height.
    return info_header(len(rows[0]), 2 * len(rows), len(xor) + len(and_)) + palette_bytes() + xor + and_


def icon_file(images):
    blobs = [icon_image(rows) for rows in images]
    offset = 6 + 16 * len(images)
    out = struct.pack("<HHH", 0, 1, len(images))
    for rows, blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", len(rows[0]) % 256, len(rows) % 256, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def bitmap_file(rows):
    bits = pixel_bits(rows)
    body = info_header(len(rows[0]), len(rows), len(bits)) + palette_bytes()
    header = struct.pack("<2sIHHI", b"BM", 14 + len(body) + len(bits), 0, 0, 14 + len(body))
    return header + body + bits


def colour_of(ch, clear):
    """(b, g, r, a) of one art pixel; the transparent and the clear characters give alpha 0."""
    if ch == TRANSPARENT or ch == clear:
        return (0, 0, 0, 0)
    r, g, b = PALETTE[INDEX[ch]][1]
    return (b, g, r, 255)


def scaled(rows, size, clear):
    """rows resampled to size x size (or kept), as premultiplied-free BGRA rows, with soft edges:
    each pixel averages a 4 x 4 grid of samples taken from the art."""
    height, width = len(rows), len(rows[0])
    out = []
    for y in range(size):
        line = []
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(4):
                for sx in range(4):
                    px = colour_of(rows[(y * 4 + sy) * height // (size * 4)][(x * 4 + sx) * width // (size * 4)], clear)
                    for i in range(3):
                        acc[i] += px[i] * px[3]
                    acc[3] += px[3]
            alpha = acc[3] // 16
            line.append(tuple(acc[i] // acc[3] if acc[3] else 0 for i in range(3)) + (alpha,))
        out.append(line)
    return out


def png_image(pixels):
    """BGRA rows as a PNG (8-bit RGBA, no filter), the same bytes on every run. Icons read PNG
    images from Windows Vista on, at a twentieth of the size of the bitmap and its mask."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    raw = b"".join(b"\0" + bytes(v for (b, g, r, a) in row for v in (r, g, b, a)) for row in pixels)
    header = struct.pack(">IIBBBBB", len(pixels[0]), len(pixels), 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def colour_icon_file(images):
    """An icon file of 32-bit images, each given as BGRA rows and stored as PNG."""
    blobs = [png_image(pixels) for pixels in images]
    offset = 6 + 16 * len(images)
    out = struct.pack("<HHH", 0, 1, len(images))
    for pixels, blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", len(pixels[0]) % 256, len(pixels) % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def main(argv):
    """make_artwork.py writes the files; make_artwork.py --check only compares them, and fails
    when a committed file no longer matches what this script draws."""
    for image in TOOLBAR_IMAGES + SWITCH_IMAGES + VISIBILITY_IMAGES:
        check(image, 16, 15, False)
    check(ICON_32, 32, 32, True)
    check(ICON_16, 16, 16, True)
    strip = ["".join(image[y] for image in TOOLBAR_IMAGES) for y in range(15)]
    more_strip = ["".join(image[y] for image in SWITCH_IMAGES + VISIBILITY_IMAGES) for y in range(15)]

    here = os.path.dirname(os.path.abspath(__file__))
    outputs = {
        "quiverdesk.ico": icon_file([ICON_32, ICON_16]),
        "quiverdesk_small.ico": icon_file([ICON_16]),
        "toolbar.bmp": bitmap_file(strip),
        # The 48-pixel image is the large art at one and a half times, its edges smoothed.
        "quiverdesk_colour.ico": colour_icon_file([scaled(ICON_16, 16, None), scaled(ICON_32, 32, None),
                                                   scaled(ICON_32, 48, None)]),
        "more_buttons.bmp": bitmap_file(more_strip),
    }
    if argv[1:] == ["--check"]:
        stale = []
        for name, data in sorted(outputs.items()):
            with open(os.path.join(here, name), "rb") as f:
                if f.read() != data:
                    stale.append(name)
        for name in stale:
            print("make_artwork: res/%s differs from what this script draws" % name, file=sys.stderr)
        if not stale:
            print("make_artwork: all %d files match the script" % len(outputs))
        return 1 if stale else 0
    for name, data in sorted(outputs.items()):
        with open(os.path.join(here, name), "wb") as f:
            f.write(data)
        print("wrote %s (%d bytes)" % (name, len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
