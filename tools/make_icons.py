#!/usr/bin/env python3
"""Draws the program's icons and poster bitmap and writes the resource script.

    make_icons.py NAMES_HEADER OUTPUT_DIR

Every picture is drawn here from simple shapes in the 16-colour palette, once
for each size the system asks for at the usual display scales (16 to 64
pixels: the small icons at 100 % to 300 %, the large ones at 100 % to 200 %),
each drawn for its size with its lines and lamps on whole pixels
rather than scaled from another, and written as a .ico file with every image
(the 16- and 32-pixel ones as bitmaps, the others as PNG). The names come
from the resource-name header: each *_ICON / *_BITMAP define needs a drawing
below, and each drawing needs a define, so the script stops on any mismatch.
Also written: resources.rc (includes every picture), reference.rc (every icon
with all its images as bitmaps, for the tests), indicator_icons.png, a
contact sheet of the sixteen tray icons at every size, and other_icons.png,
the same for the other icons.
"""
import math
import os
import re
import struct
import sys
import zlib

# The standard 16-colour palette; indices are used by the drawings.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)
CLEAR = None  # transparent pixel

LAMP_ON = LIME
LAMP_OFF = BLACK

# The sizes of every icon; 32 first, as the size a request without one gets.
# Small icons: 16, 20, 24, 28, 32, 40, 48 at 100, 125, 150, 175, 200, 250 and
# 300 %; large ones: 32, 40, 48, 56, 64 at 100 to 200 %.
SIZES = (32, 16, 20, 24, 28, 40, 48, 56, 64)
# The sizes stored as PNG in the program's icons (see ico_file).
PNG_SIZES = (20, 24, 28, 40, 48, 56, 64)


class Canvas:
    """A square picture of palette indices (None = transparent).

    The drawing helpers take coordinates on a 32-unit grid, scaled to the
    canvas size, and test pixel centres, so one drawing serves both sizes;
    strokes never get thinner than one pixel."""

    def __init__(self, size):
        self.size = size
        self.scale = size / 32.0
        self.pixels = [[CLEAR] * size for _ in range(size)]

    def put(self, x, y, color):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.pixels[y][x] = color

    def get(self, x, y):
        return self.pixels[y][x]

    def each(self, test, color):
        s = self.scale
        for y in range(self.size):
            for x in range(self.size):
                if test((x + 0.5) / s, (y + 0.5) / s):
                    self.pixels[y][x] = color

    def rect(self, x0, y0, x1, y1, color):
        """Fills the cells from (x0, y0) up to, not including, (x1, y1)."""
        s = self.scale
        for y in range(int(round(y0 * s)), int(round(y1 * s))):
            for x in range(int(round(x0 * s)), int(round(x1 * s))):
                self.put(x, y, color)

    def frame(self, x0, y0, x1, y1, color, width=1):
        s = self.scale
        t = max(1, int(round(width * s)))
        px0, py0 = int(round(x0 * s)), int(round(y0 * s))
        px1, py1 = int(round(x1 * s)), int(round(y1 * s))
        for y in range(py0, py1):
            for x in range(px0, px1):
                if x < px0 + t or x >= px1 - t or y < py0 + t or y >= py1 - t:
                    self.put(x, y, color)

    def disc(self, cx, cy, r, color):
        self.each(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, color)

    def line(self, x0, y0, x1, y1, color, width=2):
        half = max(width, 1.0 / self.scale * 1.0) / 2.0

        def near(x, y):
            dx, dy = x1 - x0, y1 - y0
            length = dx * dx + dy * dy
            t = 0.0 if length == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length))
            px, py = x0 + t * dx, y0 + t * dy
            return (x - px) ** 2 + (y - py) ** 2 <= half * half

        self.each(near, color)

    def polygon(self, points, color):
        def inside(x, y):
            result = False
            n = len(points)
            for i in range(n):
                ax, ay = points[i]
                bx, by = points[(i + 1) % n]
                if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                    result = not result
            return result

        self.each(inside, color)


# ---------------------------------------------------------------------------
# Tray icons. The lamps sit on the rising diagonal: Num at the lower left,
# Caps in the middle, Scroll at the upper right.

def lamp_states(index):
    return (bool(index & 4), bool(index & 2), bool(index & 1))


def indicator_a_lines(n):
    """Cut lines of set A: their distance from the diagonal, their width and
    the width of the border, in whole pixels; the 16- and 32-pixel pictures
    are the original two, the others follow them in proportion."""
    if n == 16:
        return 3, 1, 1
    if n == 32:
        return 6, 2, 1
    f = n / 16.0
    return int(3 * f + 0.5), max(1, int(f + 0.5)), max(1, int(f / 2 + 0.5))


def draw_indicator_a(canvas, index):
    """A square cut by two lines parallel to the falling diagonal into a
    lower-left triangle (Num), a middle band (Caps) and an upper-right
    triangle (Scroll). Pixels are classified by exact integer tests so that
    every size stays crisp."""
    n = canvas.size
    num, caps, scroll = lamp_states(index)
    cut, width, border = indicator_a_lines(n)
    for y in range(n):
        for x in range(n):
            d = y - x
            if min(x, y) < border or max(x, y) >= n - border:
                color = GRAY
            elif cut <= abs(d) < cut + width:
                color = WHITE
            elif d > cut:
                color = LAMP_ON if num else LAMP_OFF
            elif d < -cut:
                color = LAMP_ON if scroll else LAMP_OFF
            else:
                color = LAMP_ON if caps else LAMP_OFF
            canvas.put(x, y, color)


def indicator_b_lamps(n):
    """Centre and radius of the three lamps (Num, Caps, Scroll) in pixels, and
    the width of their rim. The 16- and 32-pixel pictures are the original
    two; at the other sizes each lamp is a disc of an even number of pixels
    (about 13/32 of the icon) whose box starts on a whole pixel: in the lower
    left corner, in the middle and in the upper right corner."""
    if n == 16:
        return 3.0, [(3.0, 13.0), (8.0, 8.0), (13.0, 3.0)], 1.0
    if n == 32:
        return 6.5, [(6.5, 25.5), (16.0, 16.0), (25.5, 6.5)], 1.5
    side = 2 * int(n * 13 / 64.0 + 0.5)
    r = side / 2.0
    return r, [(r, n - r), (n / 2.0, n / 2.0), (n - r, r)], int(n / 8.0 + 0.5) / 2.0


def draw_indicator_b(canvas, index):
    """Three round lamps on the rising diagonal; transparent around them."""
    n = canvas.size
    states = lamp_states(index)
    r, centres, rim = indicator_b_lamps(n)
    for (cx, cy), on in zip(centres, states):
        for y in range(n):
            for x in range(n):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if d <= r - rim:
                    canvas.put(x, y, LAMP_ON if on else LAMP_OFF)
                elif d <= r:
                    canvas.put(x, y, GREEN if on else GRAY)
        if on and n >= 24:
            # a small glint makes a lit lamp read as a light: three pixels
            # (blocks of two from 40 pixels on, of three from 56) at the
            # lamp's upper left
            unit = 1 if n < 40 else 2 if n < 56 else 3
            gx, gy = int(cx) - 2 * unit, int(cy) - 2 * unit
            for dx, dy in ((0, 0), (-unit, 0), (0, -unit)):
                for y in range(gy + dy, gy + dy + unit):
                    for x in range(gx + dx, gx + dx + unit):
                        canvas.put(x, y, WHITE)


# ---------------------------------------------------------------------------
# Other icons, drawn on the 32-unit grid.

def draw_application(c):
    # a key cap with three lamps above it
    c.rect(2, 12, 30, 30, GRAY)
    c.rect(4, 14, 28, 27, SILVER)
    c.frame(2, 12, 30, 30, BLACK)
    c.rect(6, 16, 26, 25, WHITE)
    c.rect(10, 19, 22, 22, GRAY)
    for i, x in enumerate((6, 16, 26)):
        c.disc(x, 6, 4.5, BLACK)
        c.disc(x, 6, 3.2, LIME if i != 1 else GREEN)


def draw_ok(c):
    c.line(5, 17, 13, 25, GREEN, 5)
    c.line(13, 25, 27, 7, GREEN, 5)


def draw_cancel(c):
    c.line(7, 7, 25, 25, RED, 5)
    c.line(25, 7, 7, 25, RED, 5)


def draw_close(c):
    # a door standing open
    c.rect(6, 3, 24, 30, MAROON)
    c.rect(9, 6, 21, 30, BLACK)
    c.polygon([(9, 6), (19, 9), (19, 30), (9, 30)], OLIVE)
    c.rect(16, 17, 18, 20, YELLOW)
    c.rect(2, 29, 30, 31, GRAY)


def draw_bramel(c):
    # the maker's mark: a five-pointed star on a navy disc
    c.disc(16, 16, 15, NAVY)
    points = []
    for i in range(10):
        a = -math.pi / 2 + i * math.pi / 5
        r = 12.5 if i % 2 == 0 else 5.2
        points.append((16 + r * math.cos(a), 16.8 + r * math.sin(a)))
    c.polygon(points, YELLOW)


def draw_cure(c):
    # information: a blue disc with a white "i"
    c.disc(16, 16, 15, BLUE)
    c.disc(16, 8, 2.8, WHITE)
    c.rect(13, 14, 19, 26, WHITE)
    c.rect(11, 24, 21, 27, WHITE)


def draw_check(c):
    c.line(6, 17, 13, 24, BLACK, 4)
    c.line(13, 24, 26, 8, BLACK, 4)


def window(c, x0, y0, x1, y1, title=NAVY, body=WHITE):
    """A small window: frame, title bar and client area."""
    c.rect(x0, y0, x1, y1, body)
    c.rect(x0, y0, x1, y0 + 6, title)
    c.frame(x0, y0, x1, y1, BLACK)


def draw_window_restore(c):
    window(c, 10, 3, 29, 20)
    window(c, 3, 12, 22, 29)


def draw_window_move(c):
    c.line(16, 3, 16, 29, BLACK, 2.5)
    c.line(3, 16, 29, 16, BLACK, 2.5)
    c.polygon([(16, 1), (22, 8), (10, 8)], BLACK)
    c.polygon([(16, 31), (22, 24), (10, 24)], BLACK)
    c.polygon([(1, 16), (8, 10), (8, 22)], BLACK)
    c.polygon([(31, 16), (24, 10), (24, 22)], BLACK)


def draw_window_resize(c):
    window(c, 2, 2, 24, 24)
    c.line(14, 14, 28, 28, BLACK, 2.5)
    c.polygon([(31, 31), (31, 21), (21, 31)], BLACK)


def draw_window_icon(c):
    # minimise: a bar at the bottom
    c.frame(2, 2, 30, 30, GRAY, 1)
    c.rect(7, 22, 25, 27, BLACK)


def draw_window_zoom(c):
    # maximise: a window filling the frame
    window(c, 2, 2, 30, 30)


def draw_window_topmost(c):
    window(c, 2, 12, 22, 30, GRAY, SILVER)
    window(c, 10, 6, 30, 24)
    c.polygon([(20, 0), (27, 7), (13, 7)], RED)


def draw_window_position(c):
    c.frame(1, 1, 31, 31, GRAY)
    window(c, 8, 8, 24, 24)
    c.line(16, 1, 16, 7, RED, 2)
    c.line(16, 25, 16, 31, RED, 2)
    c.line(1, 16, 7, 16, RED, 2)
    c.line(25, 16, 31, 16, RED, 2)


def draw_window_centerpos(c):
    c.frame(1, 1, 31, 31, GRAY)
    window(c, 9, 9, 23, 23)
    c.line(16, 12, 16, 21, RED, 2)
    c.line(12, 16, 21, 16, RED, 2)


def draw_window_mousepos(c):
    window(c, 2, 2, 24, 22)
    c.polygon([(14, 12), (14, 31), (19, 26), (22, 31), (25, 30), (22, 25), (28, 25)], BLACK)
    c.polygon([(16, 17), (16, 27), (19, 24), (22, 29), (23, 28.5), (21, 23.5), (24, 23.5)], WHITE)


def draw_window_serialpos(c):
    window(c, 2, 2, 24, 22)
    # a pin that keeps the place
    c.disc(24, 18, 6, RED)
    c.line(24, 22, 24, 31, BLACK, 2)


def draw_window_transparent(c):
    # a window through which a checkerboard shows
    for y in range(0, 32, 4):
        for x in range(0, 32, 4):
            if (x // 4 + y // 4) % 2 == 0:
                c.rect(x, y, x + 4, y + 4, SILVER)
    c.frame(3, 3, 29, 29, BLACK)
    c.rect(3, 3, 29, 9, NAVY)


def draw_window_close(c):
    window(c, 2, 2, 30, 30)
    c.line(9, 13, 23, 27, RED, 3.5)
    c.line(23, 13, 9, 27, RED, 3.5)


ICON_DRAWINGS = {
    "APPLICATION_ICON": draw_application,
    "OK_ICON": draw_ok,
    "CANCEL_ICON": draw_cancel,
    "CLOSE_ICON": draw_close,
    "BRAMEL_ICON": draw_bramel,
    "CURE_ICON": draw_cure,
    "CHECK_ICON": draw_check,
    "WINDOWRESTORE_ICON": draw_window_restore,
    "WINDOWMOVE_ICON": draw_window_move,
    "WINDOWRESIZE_ICON": draw_window_resize,
    "WINDOWICON_ICON": draw_window_icon,
    "WINDOWZOOM_ICON": draw_window_zoom,
    "WINDOWTOPMOST_ICON": draw_window_topmost,
    "WINDOWPOSITION_ICON": draw_window_position,
    "WINDOWCENTERPOS_ICON": draw_window_centerpos,
    "WINDOWMOUSEPOS_ICON": draw_window_mousepos,
    "WINDOWSERIALPOS_ICON": draw_window_serialpos,
    "WINDOWTRANSPARENT_ICON": draw_window_transparent,
    "WINDOWCLOSE_ICON": draw_window_close,
}
for _i in range(8):
    ICON_DRAWINGS["INDICATORA%d_ICON" % _i] = (lambda i: lambda c: draw_indicator_a(c, i))(_i)
    ICON_DRAWINGS["INDICATORB%d_ICON" % _i] = (lambda i: lambda c: draw_indicator_b(c, i))(_i)


def render(name, size):
    canvas = Canvas(size)
    ICON_DRAWINGS[name](canvas)
    return canvas


# ---------------------------------------------------------------------------
# File formats.

def bmp_rows_4bit(canvas):
    """XOR bits (4 bits per pixel) and AND mask (1 bit), bottom row first."""
    n = canvas.size
    xor, mask = bytearray(), bytearray()
    xor_stride = (n * 4 + 31) // 32 * 4
    mask_stride = (n + 31) // 32 * 4
    for y in range(n - 1, -1, -1):
        row = bytearray(xor_stride)
        bits = bytearray(mask_stride)
        for x in range(n):
            color = canvas.get(x, y)
            if color is None:
                bits[x // 8] |= 0x80 >> (x % 8)
                color = 0
            row[x // 2] |= color << (4 if x % 2 == 0 else 0)
        xor += row
        mask += bits
    return bytes(xor), bytes(mask)


def icon_image(canvas):
    n = canvas.size
    xor, mask = bmp_rows_4bit(canvas)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    return header + palette + xor + mask


def png_image(canvas):
    """The image as PNG, in the smaller of two forms that both keep every pixel
    (the icon loaders of Windows and Wine decode both): RGBA, or one byte a
    pixel indexing the colours the picture uses, the transparent one first."""
    n = canvas.size
    pixels = [[canvas.get(x, y) for x in range(n)] for y in range(n)]
    rgba = {c: (0, 0, 0, 0) if c is None else PALETTE[c] + (255,) for row in pixels for c in row}
    whole = png_file(n, n, [[ch for c in row for ch in rgba[c]] for row in pixels], alpha=True)
    used = sorted(rgba, key=lambda c: -1 if c is None else c)
    index = {c: i for i, c in enumerate(used)}
    indexed = png_file(n, n, [[index[c] for c in row] for row in pixels], palette=[rgba[c] for c in used])
    return min(whole, indexed, key=len)


def ico_file(canvases, compressed=PNG_SIZES):
    """The sizes in `compressed` are stored as PNG, which Windows reads from
    Vista on (as bitmaps they take five times the room). The 16- and 32-pixel
    images, all that older systems take, stay bitmaps."""
    images = [png_image(c) if c.size in compressed else icon_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.size % 256, c.size % 256, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def poster_bits(width, height):
    """The poster: a large key cap with three lamps, white lines on black."""
    figure = [[0] * width for _ in range(height)]

    def plot(x, y):
        if 0 <= x < width and 0 <= y < height:
            figure[y][x] = 1

    def ring(cx, cy, r, t):
        for y in range(int(cy - r) - 1, int(cy + r) + 2):
            for x in range(int(cx - r) - 1, int(cx + r) + 2):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if r - t <= d <= r:
                    plot(x, y)

    def rounded_frame(x0, y0, x1, y1, r, t):
        for y in range(y0, y1):
            for x in range(x0, x1):
                # distance from the rounded rectangle's outline
                qx = max(x0 + r - x, 0, x - (x1 - 1 - r))
                qy = max(y0 + r - y, 0, y - (y1 - 1 - r))
                d = math.hypot(qx, qy)
                if r - t < d <= r:
                    plot(x, y)
                elif (qx == 0 or qy == 0) and d == 0 and (
                        x < x0 + t or x >= x1 - t or y < y0 + t or y >= y1 - t):
                    plot(x, y)

    rounded_frame(40, 110, 260, 262, 24, 6)
    rounded_frame(64, 132, 236, 226, 16, 3)
    for i, cx in enumerate((80, 150, 220)):
        ring(cx, 56, 30, 5)
        if i != 1:
            for y in range(26, 87):
                for x in range(50, 250):
                    if math.hypot(x + 0.5 - cx, y + 0.5 - 56) <= 18:
                        plot(x, y)
    return figure


def bmp_file_1bit(width, height, figure):
    stride = (width + 31) // 32 * 4
    rows = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(width):
            if figure[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        rows += row
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, len(rows), 2835, 2835, 2, 2)
    palette = struct.pack("<BBBB", 0, 0, 0, 0) + struct.pack("<BBBB", 255, 255, 255, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return header + info + palette + bytes(rows)


def png_file(width, height, rows, alpha=False, palette=None):
    """Rows of RGB bytes, RGBA bytes with alpha, or bytes indexing palette, a
    list of (r, g, b, a)."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    colour_type = 3 if palette else 6 if alpha else 2
    colours = b""
    if palette:
        colours = chunk(b"PLTE", bytes(ch for c in palette for ch in c[:3]))
        alphas = bytes(c[3] for c in palette).rstrip(b"\xff")
        if alphas:
            colours += chunk(b"tRNS", alphas)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)) + colours
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def tray_picture(name, zoom=2):
    """The 16 x 16 image of an icon as the tray shows it, each pixel drawn as
    zoom x zoom pixels, transparent where the icon is: a PNG for the help page."""
    canvas = render(name, 16)
    n = 16 * zoom
    rows = []
    for y in range(n):
        row = []
        for x in range(n):
            color = canvas.get(x // zoom, y // zoom)
            row += [0, 0, 0, 0] if color is None else list(PALETTE[color]) + [255]
        rows.append(row)
    return png_file(n, n, rows, alpha=True)


def sheet_of(rows, ground_of):
    """A contact sheet: one row of cells per entry of `rows` (a list of rows of
    icon names), each icon at every size from the smallest down the row's
    lines, enlarged by a whole factor to about the cell's size and centred in
    it, over the ground ground_of(column, line) so that the transparent parts
    show."""
    cell, gap = 96, 8
    sizes = sorted(SIZES)
    cols = max(len(names) for names in rows)
    width = gap + cols * (cell + gap)
    height = gap + len(rows) * len(sizes) * (cell + gap)
    paper = (0xFF, 0xFF, 0xFF)
    image = [[paper] * width for _ in range(height)]
    for row, names in enumerate(rows):
        for i, name in enumerate(names):
            for k, size in enumerate(sizes):
                canvas = render(name, size)
                zoom = cell // size
                shown = size * zoom
                x0 = gap + i * (cell + gap) + (cell - shown) // 2
                y0 = gap + (row * len(sizes) + k) * (cell + gap) + (cell - shown) // 2
                ground = ground_of(i, k)
                for y in range(shown):
                    for x in range(shown):
                        color = canvas.get(x // zoom, y // zoom)
                        image[y0 + y][x0 + x] = ground if color is None else PALETTE[color]
    return png_file(width, height, [[ch for px in line for ch in px] for line in image])


def sheet(names):
    """Every named icon in one column each, its sizes one below the other."""
    return sheet_of([names], lambda column, line: (0xE0, 0xE0, 0xE0))


def contact_sheet():
    """Set A above set B, the eight states side by side, every size one below
    the other, on a light and a dark ground in turn so that the transparent
    parts show."""
    light, dark = (0xE0, 0xE0, 0xE0), (0x20, 0x30, 0x40)
    rows = [["INDICATOR%s%d_ICON" % (letter, i) for i in range(8)] for letter in "AB"]
    return sheet_of(rows, lambda column, line: light if (column + line) % 2 == 0 else dark)


# ---------------------------------------------------------------------------

def read_names(header):
    with open(header, encoding="utf-8") as f:
        text = f.read()
    icons = re.findall(r'#define\s+\w+_NAME\s+"(\w+_ICON)"', text)
    bitmaps = re.findall(r'#define\s+\w+_NAME\s+"(\w+_BITMAP)"', text)
    ids = dict(re.findall(r'#define\s+(\w+)_ID\s+(\d+)', text))
    return icons, bitmaps, ids


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: make_icons.py NAMES_HEADER OUTPUT_DIR\n")
        return 2
    header, out = argv[1], argv[2]
    icons, bitmaps, ids = read_names(header)
    missing = [n for n in icons if n not in ICON_DRAWINGS]
    unnamed = [n for n in ICON_DRAWINGS if n not in icons]
    if missing or unnamed or bitmaps != ["POSTER_BITMAP"]:
        sys.stderr.write("make_icons.py: names and drawings differ: no drawing for %s; no name for %s; "
                         "bitmaps %s\n" % (missing, unnamed, bitmaps))
        return 1
    os.makedirs(out, exist_ok=True)
    out_fwd = os.path.abspath(out).replace("\\", "/")
    lines = ["#pragma code_page(65001)",
             "// Generated by tools/make_icons.py; every picture is drawn by that script.", ""]
    # reference.rc: every icon again with all its images as bitmaps, which
    # the tests compare the PNG images with.
    reference = lines[:]
    os.makedirs(os.path.join(out, "reference"), exist_ok=True)
    for name in icons:
        canvases = [render(name, size) for size in SIZES]
        for rc, file_name, compressed in ((lines, name.lower() + ".ico", PNG_SIZES),
                                          (reference, "reference/" + name.lower() + ".ico", ())):
            write(os.path.join(out, file_name), ico_file(canvases, compressed))
            rc.append('%s ICON "%s/%s"' % (name, out_fwd, file_name))
            if ids.get(name):
                rc.append('%s ICON "%s/%s"' % (ids[name], out_fwd, file_name))
    write(os.path.join(out, "poster.bmp"), bmp_file_1bit(300, 278, poster_bits(300, 278)))
    lines.append('POSTER_BITMAP BITMAP "%s/poster.bmp"' % out_fwd)
    write(os.path.join(out, "resources.rc"), ("\n".join(lines) + "\n").encode("utf-8"))
    write(os.path.join(out, "reference.rc"), ("\n".join(reference) + "\n").encode("utf-8"))
    write(os.path.join(out, "indicator_icons.png"), contact_sheet())
    write(os.path.join(out, "other_icons.png"),
          sheet([n for n in icons if not n.startswith("INDICATOR")]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
