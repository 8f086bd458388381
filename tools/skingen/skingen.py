#!/usr/bin/env python3
"""Makes the bitmaps of the default skin (skin/*.bmp) from code, byte for byte the same on every run.

    tools/skingen/skingen.py [--out DIR] [--check]

--out DIR   where to write (default: the repository's skin/ folder)
--check     write nothing; exit 1 and name the files that differ from what would be made

Every bitmap is a 24-bit uncompressed BMP, bottom-up, the form LoadImageA reads everywhere. Shapes are
drawn with 4 x 4 supersampling so rounded corners and glyphs have soft edges. The skin copies every pixel
(it has no transparency), so each bitmap paints the background it will stand on into its own corners.
"""
import argparse
import math
import os
import struct
import sys

# The palette (R, G, B). skin.ini uses the same values for its rectangles and captions.
WINDOW = (243, 245, 248)      # window background
PANEL = (255, 255, 255)       # panels behind lists and text boxes
STRIP = (230, 237, 245)       # the main window's information strip
TITLE_TOP = (43, 108, 176)    # title bar gradient
TITLE_BOTTOM = (30, 84, 146)
ACCENT = (43, 108, 176)       # primary buttons, icons, the message boxes' stripe
ACCENT_OVER = (58, 126, 196)
ACCENT_DOWN = (27, 76, 132)
BORDER = (184, 194, 206)      # ordinary buttons
BORDER_OVER = (43, 108, 176)
FACE_OVER = (232, 241, 251)
FACE_DOWN = (207, 224, 243)
CLOSE_OVER = (224, 68, 62)
CLOSE_DOWN = (184, 50, 45)
WHITE = (255, 255, 255)

TITLE_HEIGHT = 40
LOGO_TOP = 8                  # the title bar's logo stands this far down the bar
SAMPLES = 4


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


class Canvas:
    def __init__(self, width, height, colour=WINDOW):
        self.width = width
        self.height = height
        self.pixels = [[tuple(colour) for _ in range(width)] for _ in range(height)]

    def gradient(self, top, bottom, offset=0, span=TITLE_HEIGHT):
        """Rows from top to bottom colour, as rows offset.. of a band span pixels high."""
        for y in range(self.height):
            colour = mix(top, bottom, (y + offset) / (span - 1))
            self.pixels[y] = [colour] * self.width

    def cover(self, inside, colour):
        """Blends colour into every pixel by the share of its subsamples for which inside(x, y) holds."""
        for py in range(self.height):
            row = self.pixels[py]
            for px in range(self.width):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if inside(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES):
                            hits += 1
                if hits:
                    row[px] = mix(row[px], colour, hits / (SAMPLES * SAMPLES))

    def write(self):
        """The BMP file's bytes."""
        stride = (self.width * 3 + 3) & ~3
        image = bytearray()
        for row in reversed(self.pixels):
            for r, g, b in row:
                image += bytes((round(b), round(g), round(r)))
            image += bytes(stride - self.width * 3)
        header = struct.pack('<2sIHHI', b'BM', 54 + len(image), 0, 0, 54)
        info = struct.pack('<IiiHHIIiiII', 40, self.width, self.height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
        return header + info + bytes(image)


def rounded(x0, y0, x1, y1, radius):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    return inside


def capsule(ax, ay, bx, by, half):
    """A stroke from (ax, ay) to (bx, by), half its width wide on each side, with round ends."""
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy) if dx or dy else 0
        t = min(max(t, 0), 1)
        return (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= half * half
    return inside


def disc(cx, cy, radius):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def ring(cx, cy, radius, half):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - radius) <= half


def arc(cx, cy, radius, half, start, end):
    """A stroke along the circle, from angle start to end in degrees (0 is east, counter-clockwise, y up)."""
    def inside(x, y):
        angle = math.degrees(math.atan2(cy - y, x - cx)) % 360
        return ring(cx, cy, radius, half)(x, y) and (angle - start) % 360 <= (end - start) % 360
    return inside


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


# Glyphs, drawn in a box of the given size centred on (cx, cy).
def glyph_close(cx, cy, size):
    s = size / 2
    return union(capsule(cx - s, cy - s, cx + s, cy + s, 0.75), capsule(cx - s, cy + s, cx + s, cy - s, 0.75))


def glyph_minimise(cx, cy, size):
    return capsule(cx - size / 2, cy + size / 3, cx + size / 2, cy + size / 3, 0.75)


def glyph_question(cx, cy, size, half=0.9):
    r = size * 0.28
    top = cy - size * 0.18
    return union(arc(cx, top, r, half, -90, 180),
                 capsule(cx, top + r, cx, cy + size * 0.16, half),
                 disc(cx, cy + size * 0.42, half * 1.25))


def glyph_info(cx, cy, size, half=1.2):
    return union(disc(cx, cy - size * 0.33, half * 1.2), capsule(cx, cy - size * 0.08, cx, cy + size * 0.4, half))


def glyph_q(cx, cy, size):
    r = size * 0.3
    half = size / 15
    return union(ring(cx, cy - size / 24, r, half),
                 capsule(cx + r * 0.3, cy + r * 0.35, cx + r * 1.05, cy + r * 1.1, half))


def title_piece(width, height, offset):
    """A piece of the title bar's gradient, starting offset pixels down the bar."""
    canvas = Canvas(width, height)
    canvas.gradient(TITLE_TOP, TITLE_BOTTOM, offset)
    return canvas


def caption_button(glyph, over, down):
    """The title bar's 40 x 40 buttons: NORMAL, OVER and DOWN."""
    images = {}
    for state, face in (('n', None), ('o', over), ('d', down)):
        canvas = Canvas(40, TITLE_HEIGHT)
        canvas.gradient(TITLE_TOP, TITLE_BOTTOM)
        if face:
            canvas.cover(lambda x, y: True, face)
        canvas.cover(glyph(20, 20, 10), WHITE)
        images[state] = canvas
    return images


def push_button(width, height, faces):
    """Rounded buttons on the window background, one image per state: (face, border) each."""
    images = {}
    for state, (face, border) in faces.items():
        canvas = Canvas(width, height)
        canvas.cover(rounded(0.5, 0.5, width - 0.5, height - 0.5, 5), border)
        canvas.cover(rounded(1.5, 1.5, width - 1.5, height - 1.5, 4), face)
        images[state] = canvas
    return images


def plain(colour):
    return Canvas(1, 1, colour)


def logo(canvas, tile, ink):
    """The product's mark: a Q on a rounded tile, filling the canvas."""
    size = canvas.width
    canvas.cover(rounded(0.5, 0.5, size - 0.5, size - 0.5, size / 5), tile)
    canvas.cover(glyph_q(size / 2, size / 2, size), ink)
    return canvas


def message_icon(glyph):
    canvas = Canvas(32, 32)
    canvas.cover(disc(16, 16, 15.5), ACCENT)
    canvas.cover(glyph(16, 16, 16), WHITE)
    return canvas


def bitmaps():
    """Every bitmap of the skin by file name."""
    files = {
        'bg.bmp': plain(WINDOW),
        'panel.bmp': plain(PANEL),
        'strip.bmp': plain(STRIP),
        'title.bmp': title_piece(2, TITLE_HEIGHT, 0),
        'logo.bmp': logo(title_piece(24, 24, LOGO_TOP), WHITE, ACCENT),
        'logo48.bmp': logo(Canvas(48, 48, WINDOW), ACCENT, WHITE),
        'ask.bmp': message_icon(lambda cx, cy, s: glyph_question(cx, cy, s, 1.6)),
        'tell.bmp': message_icon(lambda cx, cy, s: glyph_info(cx, cy, s, 1.7)),
    }
    captions = {
        'close': caption_button(glyph_close, CLOSE_OVER, CLOSE_DOWN),
        'min': caption_button(glyph_minimise, ACCENT_OVER, ACCENT_DOWN),
        'help': caption_button(glyph_question, ACCENT_OVER, ACCENT_DOWN),
    }
    ordinary = {'n': (PANEL, BORDER), 'o': (FACE_OVER, BORDER_OVER), 'd': (FACE_DOWN, ACCENT_DOWN)}
    primary = {'n': (ACCENT, ACCENT_DOWN), 'o': (ACCENT_OVER, ACCENT_DOWN), 'd': (ACCENT_DOWN, ACCENT_DOWN)}
    buttons = {
        'btn': push_button(108, 30, ordinary),
        'btnp': push_button(108, 30, primary),
        'cmd': push_button(68, 44, ordinary),
        'cmdp': push_button(68, 44, primary),
    }
    for prefix, images in list(captions.items()) + list(buttons.items()):
        for state, canvas in images.items():
            files['%s_%s.bmp' % (prefix, state)] = canvas
    return files


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description='Makes the default skin\'s bitmaps.')
    parser.add_argument('--out', default=os.path.join(here, '..', '..', 'skin'))
    parser.add_argument('--check', action='store_true')
    args = parser.parse_args()

    differing = []
    for name, canvas in sorted(bitmaps().items()):
        path = os.path.join(args.out, name)
        data = canvas.write()
        if args.check:
            try:
                with open(path, 'rb') as existing:
                    if existing.read() == data:
                        continue
            except OSError:
                pass
            differing.append(name)
            continue
        os.makedirs(args.out, exist_ok=True)
        with open(path, 'wb') as out:
            out.write(data)
    if differing:
        print('skingen: out of date: ' + ', '.join(differing), file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
