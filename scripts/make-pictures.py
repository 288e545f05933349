#!/usr/bin/env python3
"""Draws the panel's button pictures, the dialog photograph and the program icon.

Writes uncompressed 24-bit BMP files, the Windows icon (one ICO holding the eye
at 16, 32 and 48 pixels) and the Linux menu icons (PNG, 48 and 256 pixels) into
src/resources/. Standard library only; the output is byte-for-byte the same on
every run.

The panel treats pure white as transparent, so visible "white" is drawn as
250,250,250; the clipboard picture uses pure black as its transparent colour.
"""

import math
import os
import random
import struct
import zlib

RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "resources")

WHITE_TRANSPARENT = (255, 255, 255)
BLACK_TRANSPARENT = (0, 0, 0)


# ---------------------------------------------------------------- file writers


def write_bmp(name, rows):
    """Writes rows (top to bottom, lists of RGB tuples) as a bottom-up 24-bit BMP."""
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixel_data = bytearray()
    for row in reversed(rows):
        assert len(row) == width
        for r, g, b in row:
            pixel_data += bytes((b, g, r))
        pixel_data += b"\0" * (stride - width * 3)
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixel_data), 0, 0, header_size)
    info_header = struct.pack(
        "<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixel_data), 2835, 2835, 0, 0
    )
    with open(os.path.join(RESOURCES, name), "wb") as out:
        out.write(file_header + info_header + pixel_data)


def ico_image(rows):
    """One image of an ICO: a bitmap header, 32-bit BGRA rows bottom-up, then the AND mask."""
    size = len(rows)
    assert all(len(row) == size for row in rows) and size <= 256
    xor_data = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor_data += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    and_data = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_data += bits
    image_size = len(xor_data) + len(and_data)
    # The icon's bitmap header counts the XOR and AND halves, hence twice the height.
    info_header = struct.pack(
        "<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, image_size, 0, 0, 0, 0
    )
    return info_header + xor_data + and_data


def write_ico(name, images):
    """Writes square 32-bit images (each rows of RGBA tuples) as one ICO, in the given order."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    entries = b""
    data = b""
    offset = 6 + 16 * len(images)
    for rows in images:
        size = len(rows)
        image = ico_image(rows)
        entries += struct.pack(
            "<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset + len(data)
        )
        data += image
    with open(os.path.join(RESOURCES, name), "wb") as out:
        out.write(directory + entries + data)


def write_png(name, rows):
    """Writes rows of RGBA tuples as an 8-bit RGBA PNG with no optional chunks."""
    height = len(rows)
    width = len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)  # no filter
        for pixel in row:
            raw += bytes(pixel)

    def chunk(kind, payload):
        body = kind + payload
        return struct.pack(">I", len(payload)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(os.path.join(RESOURCES, name), "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        out.write(chunk(b"IEND", b""))


def from_map(pixel_map, palette):
    """Turns a list of equal-length strings into rows of colours via palette."""
    width = len(pixel_map[0])
    for line in pixel_map:
        assert len(line) == width, line
    return [[palette[ch] for ch in line] for line in pixel_map]


# ---------------------------------------------------------------- floppy disks

FLOPPY_DARK = (102, 102, 102)
FLOPPY_LIGHT = (240, 240, 240)
LABEL_YELLOW = (255, 247, 153)
LABEL_BLUE = (112, 172, 226)

FLOPPY = [
    "DDDDDDDDDDDD..",
    "DDDLLLLLLLLDD.",
    "DDDLLLLLDDLDDD",
    "DDDLLLLLLLLDDD",
    "DDDDDDDDDDDDDD",
    "DYYYYYYYYYYYYD",
    "DYYYYYYYYYYYYD",
    "DYYYYYYYYYYYYD",
    "DYYYYYYYYYYYYD",
    "DYYYYYYYYYYYYD",
    "DYYYYYYYYYYYYD",
    "DYYYYYYYYYYYYD",
    "DYYYYYYYYYYYYD",
    "DDDDDDDDDDDDDD",
]

QUESTION_MARK = [
    ".DDD.",
    "D...D",
    "...D.",
    "..D..",
    ".....",
    "..D..",
]


def floppy(label_colour, overlay=None, overlay_at=(0, 0)):
    lines = [list(line) for line in FLOPPY]
    if overlay:
        left, top = overlay_at
        for dy, line in enumerate(overlay):
            for dx, ch in enumerate(line):
                if ch != ".":
                    lines[top + dy][left + dx] = ch
    palette = {".": WHITE_TRANSPARENT, "D": FLOPPY_DARK, "L": FLOPPY_LIGHT, "Y": label_colour}
    return from_map(["".join(line) for line in lines], palette)


# ---------------------------------------------------------------- 16x16 buttons

NOTEPAD = [
    "................",
    "...g..g..g..g...",
    "..KgKKgKKgKKgKK.",
    "..KgCCgCCgCCgCK.",
    "..KCCCCCCCCCCCK.",
    "..KCLLLLLLLLLCK.",
    "..KCCCCCCCCCCCK.",
    "..KCLLLLLLLLLCK.",
    "..KCCCCCCCCCCCK.",
    "..KCLLLLLLLLLCK.",
    "..KCCCCCCCCCCCK.",
    "..KCLLLLLLLCCCK.",
    "..KCCCCCCCCCCCK.",
    "..KCCCCCCCCCCCKS",
    "..KKKKKKKKKKKKKS",
    "...SSSSSSSSSSSSS",
]
NOTEPAD_COLOURS = {
    ".": WHITE_TRANSPARENT,
    "K": (0, 84, 112),
    "C": (96, 214, 236),
    "L": (0, 120, 160),
    "g": (72, 72, 80),
    "S": (180, 180, 180),
}

PAINT = [
    ".b............y.",
    ".bb..........yy.",
    "..bS........Sy..",
    "...SA......AS...",
    "....AA....AA....",
    ".....AA..AA.....",
    "..KKKKKKKKKKKK..",
    "..KRRRRRRRRRRK..",
    "...KRRRRRRRRK...",
    "...KRMMMMMMHK...",
    "...KRMMMMMMHK...",
    "...KMMMMMMMHK...",
    "...KMMMMMMMHK...",
    "...KMMMMMMMHK...",
    "...KMMMMMMMHK...",
    "...KKKKKKKKKK...",
]
PAINT_COLOURS = {
    ".": WHITE_TRANSPARENT,
    "A": (176, 112, 48),
    "b": (40, 96, 214),
    "y": (240, 200, 30),
    "S": (150, 150, 160),
    "K": (40, 40, 48),
    "R": (220, 40, 40),
    "M": (170, 172, 184),
    "H": (214, 216, 226),
}

CALCULATOR = [
    ".KKKKKKKKKKKKK..",
    "KTTTTTTTTTTTTTK.",
    "KTKKKKKKKKKKKTK.",
    "KTKDDDDDDNDNKTK.",
    "KTKKKKKKKKKKKTK.",
    "KTTTTTTTTTTTTTK.",
    "KTBBTBBTBBTOOTK.",
    "KTTTTTTTTTTTTTK.",
    "KTBBTBBTBBTOOTK.",
    "KTTTTTTTTTTTTTK.",
    "KTBBTBBTBBTOOTK.",
    "KTTTTTTTTTTTTTK.",
    "KTBBTBBTBBTOOTK.",
    "KTTTTTTTTTTTTTK.",
    ".KKKKKKKKKKKKK..",
    "................",
]
CALCULATOR_COLOURS = {
    ".": WHITE_TRANSPARENT,
    "K": (0, 72, 72),
    "T": (0, 150, 140),
    "D": (200, 232, 208),
    "N": (30, 60, 40),
    "B": (236, 246, 244),
    "O": (246, 150, 50),
}

WRENCH = [
    "..........KKK...",
    ".........KBBK...",
    "........KBBK..K.",
    "........KBBK.KBK",
    "........KBBBKBBK",
    ".......KBBBBBBBK",
    "......KBBBBBBBK.",
    ".....KBBBKKKKK..",
    "....KBBBK.......",
    "...KRRRK........",
    "..KRRRK.........",
    ".KRRRK..........",
    "KRRRK...........",
    "KRRK............",
    "KKK.............",
    "................",
]
WRENCH_COLOURS = {
    ".": WHITE_TRANSPARENT,
    "K": (24, 40, 80),
    "B": (64, 120, 220),
    "R": (232, 80, 32),
}

EXIT_DOOR = [
    "......KKKKKKKKK.",
    "......KOOOOOOOK.",
    "......KOPPPPPOK.",
    "......KOPOOOPOK.",
    "......KOPOOOPOK.",
    "...G..KOPPPPPOK.",
    "..GG..KOOOOOOOK.",
    ".GGGGGGGGGOOOOK.",
    ".GGGGGGGGGOOOOK.",
    "..GG..KOOOOOOOK.",
    "...G..KOPPPPPOK.",
    "......KOPOOOPOK.",
    "......KOPOOOPOK.",
    "......KOPPPPPOK.",
    "......KOOOOOOOK.",
    "......KKKKKKKKK.",
]
EXIT_DOOR_COLOURS = {
    ".": WHITE_TRANSPARENT,
    "K": (96, 48, 16),
    "O": (244, 148, 40),
    "P": (204, 108, 24),
    "G": (30, 150, 60),
}

# Black is the transparent colour here; outlines use a near-black instead.
CLIPBOARD = [
    ".....KKKKKK.....",
    ".BBBBKMMMMKBBBB.",
    ".BYYYKKKKKKYYYB.",
    ".BYYYYYYYYYYYYB.",
    ".BYYGGGGGGGGYYB.",
    ".BYYGWWWWWWGYYB.",
    ".BYYGWLLLLWGYYB.",
    ".BYYGWWWWWWGYYB.",
    ".BYYGWLLLLWGYYB.",
    ".BYYGWWWWWWGYYB.",
    ".BYYGWLLLWWGYYB.",
    ".BYYGWWWWWWGYYB.",
    ".BYYGGGGGGGGYYB.",
    ".BBBBBBBBBBBBBB.",
]
CLIPBOARD_COLOURS = {
    ".": BLACK_TRANSPARENT,
    "K": (20, 20, 20),
    "M": (168, 168, 176),
    "B": (150, 104, 16),
    "Y": (250, 204, 40),
    "G": (120, 120, 120),
    "W": (255, 255, 255),
    "L": (120, 150, 210),
}


# ---------------------------------------------------------------- the eye


class ValueNoise:
    """Smooth 2-D noise on a seeded lattice, so the photo is the same every run."""

    def __init__(self, seed, size=64):
        rng = random.Random(seed)
        self.size = size
        self.grid = [[rng.random() for _ in range(size)] for _ in range(size)]

    def at(self, x, y):
        x0 = math.floor(x)
        y0 = math.floor(y)
        fx = x - x0
        fy = y - y0
        fx = fx * fx * (3 - 2 * fx)
        fy = fy * fy * (3 - 2 * fy)
        n = self.size
        g = self.grid
        a = g[y0 % n][x0 % n]
        b = g[y0 % n][(x0 + 1) % n]
        c = g[(y0 + 1) % n][x0 % n]
        d = g[(y0 + 1) % n][(x0 + 1) % n]
        top = a + (b - a) * fx
        bottom = c + (d - c) * fx
        return top + (bottom - top) * fy

    def fractal(self, x, y, octaves=3):
        total = 0.0
        amplitude = 1.0
        norm = 0.0
        for _ in range(octaves):
            total += self.at(x, y) * amplitude
            norm += amplitude
            x *= 2.0
            y *= 2.0
            amplitude *= 0.5
        return total / norm


def mix(c1, c2, t):
    t = min(1.0, max(0.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


def smoothstep(edge0, edge1, x):
    t = min(1.0, max(0.0, (x - edge0) / (edge1 - edge0)))
    return t * t * (3 - 2 * t)


class EyeScene:
    """An eye described in unit coordinates: u across 0..1, v down 0..1.

    Both the photograph and the icon sample the same scene, at different sizes
    and aspect ratios, so they look like the same eye.
    """

    SKIN = (222, 174, 146)
    SKIN_SHADOW = (168, 112, 92)
    SCLERA = (238, 234, 226)
    SCLERA_SHADOW = (176, 164, 160)
    IRIS_INNER = (164, 118, 52)
    IRIS_OUTER = (62, 112, 140)
    LIMBUS = (28, 44, 60)
    PUPIL = (12, 10, 14)
    LASH = (34, 22, 20)
    HIGHLIGHT = (250, 250, 250)

    def __init__(self, aspect, left, right, centre_v, upper, lower, iris_radius, detail):
        self.aspect = aspect  # width divided by height of the target
        self.left = left
        self.right = right
        self.centre_v = centre_v
        self.upper = upper
        self.lower = lower
        self.iris_radius = iris_radius  # in units of height
        self.detail = detail
        self.skin_noise = ValueNoise(11)
        self.iris_noise = ValueNoise(23)
        self.fibre_noise = ValueNoise(37)
        self.iris_u = (left + right) / 2
        self.iris_v = centre_v - 0.06

    def lids(self, u):
        """Upper and lower lid v at u, or None outside the eye opening."""
        t = (u - self.left) / (self.right - self.left)
        if t <= 0 or t >= 1:
            return None
        shape = math.sin(math.pi * t)
        # The upper lid peaks a little towards the inner corner, as real lids do.
        skew = math.sin(math.pi * t ** 0.85)
        return (self.centre_v - self.upper * skew ** 0.9, self.centre_v + self.lower * shape ** 1.2)

    def colour(self, u, v):
        x = u * self.aspect  # horizontal distance in units of height
        skin_grain = self.skin_noise.fractal(x * 9 * self.detail, v * 9 * self.detail)
        skin = mix(self.SKIN, self.SKIN_SHADOW, 0.15 + 0.25 * skin_grain)
        lids = self.lids(u)
        centre_x = self.iris_u * self.aspect
        # Lid crease above the opening, fading out beyond the corners.
        span_left = self.left - 0.06
        span_right = self.right + 0.04
        t_crease = (u - span_left) / (span_right - span_left)
        arch = math.sin(math.pi * t_crease) if 0 < t_crease < 1 else 0.0
        crease_v = self.centre_v - self.upper * 1.5 * arch ** 0.8
        crease = 0.5 * arch * math.exp(-(((v - crease_v) / 0.045) ** 2))
        # The lid between crease and lashes catches the light.
        lid_top = crease_v + 0.03
        if lids is not None and lid_top < v < lids[0]:
            skin = mix(skin, (238, 198, 176), 0.35 * arch)
        skin = mix(skin, self.SKIN_SHADOW, crease)
        # Brow bone in light at the top, a soft shadow under the eye.
        skin = mix(skin, (236, 194, 168), 0.3 * smoothstep(0.3, 0.0, v))
        under_v = self.centre_v + self.lower * 1.45 * arch
        skin = mix(skin, self.SKIN_SHADOW, 0.25 * arch * math.exp(-(((v - under_v) / 0.07) ** 2)))
        if lids is None:
            return skin
        top, bottom = lids
        if v < top - 0.045 or v > bottom + 0.03:
            return skin
        if v < top:
            # Lash line: dark, with lashes flicking upward and outward.
            lash_phase = self.fibre_noise.at(u * 120 * self.detail, 3.0)
            reach = 0.02 + 0.03 * lash_phase
            if v > top - reach:
                return mix(self.LASH, skin, 0.15 * (top - v) / reach)
            return skin
        if v > bottom:
            # Lower lid rim, pinkish and moist.
            return mix((196, 124, 118), skin, (v - bottom) / 0.03)
        # Inside the opening.
        dx = x - centre_x
        dy = v - self.iris_v
        r = math.hypot(dx, dy) / self.iris_radius
        lid_shadow = smoothstep(0.13, 0.0, v - top)
        if r < 1.0:
            angle = math.atan2(dy, dx)
            if r < 0.38:
                colour = self.PUPIL
            else:
                fibres = self.fibre_noise.fractal(
                    (angle + math.pi) * 7.0 * self.detail, r * 2.0, octaves=2
                )
                blotch = self.iris_noise.fractal(math.cos(angle) * 3 + 9, math.sin(angle) * 3 + r * 2)
                colour = mix(self.IRIS_INNER, self.IRIS_OUTER, smoothstep(0.42, 0.75, r) + 0.3 * (blotch - 0.5))
                colour = mix(colour, (20, 30, 40), 0.55 * max(0.0, fibres - 0.45) * self.detail)
                colour = mix(colour, (210, 190, 140), 0.35 * max(0.0, 0.55 - fibres) * self.detail)
                colour = mix(colour, self.LIMBUS, smoothstep(0.8, 1.0, r))
                colour = mix(colour, self.PUPIL, smoothstep(0.46, 0.38, r))
            # Catch-light from a window, up and to the left of the pupil.
            hx = dx / self.iris_radius + 0.32
            hy = dy / self.iris_radius + 0.34
            glow = math.exp(-((hx * hx + hy * hy) / 0.018))
            colour = mix(colour, self.HIGHLIGHT, glow * 1.2)
            return mix(colour, (0, 0, 0), 0.45 * lid_shadow)
        # White of the eye: shaded towards the corners and under the upper lid.
        t = (u - self.left) / (self.right - self.left)
        corner = 1.0 - math.sin(math.pi * t)
        colour = mix(self.SCLERA, self.SCLERA_SHADOW, 0.65 * corner ** 1.5 + 0.6 * lid_shadow)
        colour = mix(colour, (226, 150, 150), 0.25 * corner * (1 - self.iris_noise.at(u * 40, v * 40)))
        # Faint veins towards the corners.
        vein = abs(self.fibre_noise.fractal(x * 14, v * 14, octaves=2) - 0.5)
        colour = mix(colour, (200, 90, 90), 0.5 * corner * smoothstep(0.025, 0.0, vein) * self.detail)
        if t < 0.07:
            # The pink inner corner.
            colour = mix(colour, (208, 120, 118), smoothstep(0.07, 0.02, t))
        return colour


def render(scene, width, height, supersample):
    """Averages supersample x supersample points per pixel of the scene."""
    rows = []
    step = 1.0 / supersample
    for y in range(height):
        row = []
        for x in range(width):
            total = [0.0, 0.0, 0.0]
            for sy in range(supersample):
                for sx in range(supersample):
                    u = (x + (sx + 0.5) * step) / width
                    v = (y + (sy + 0.5) * step) / height
                    c = scene.colour(u, v)
                    total[0] += c[0]
                    total[1] += c[1]
                    total[2] += c[2]
            n = supersample * supersample
            # Capped at 250 so no pixel can ever be taken for the transparent white.
            row.append(tuple(min(250, max(0, int(round(t / n)))) for t in total))
        rows.append(row)
    return rows


def eye_photo():
    width, height = 201, 90
    scene = EyeScene(
        aspect=width / height,
        left=0.16,
        right=0.84,
        centre_v=0.58,
        upper=0.31,
        lower=0.22,
        iris_radius=0.27,
        detail=1.0,
    )
    return render(scene, width, height, 2)


def eye_icon(size):
    """The icon: the same eye, cropped close, inside a rounded square of skin.

    The 32-pixel drawing sets the proportions; the texture and the corners scale with the size,
    and the large menu icon is sampled less densely to keep the generator quick.
    """
    scale = size / 32
    scene = EyeScene(
        aspect=1.0,
        left=0.02,
        right=0.98,
        centre_v=0.55,
        upper=0.34,
        lower=0.27,
        iris_radius=0.25,
        detail=min(1.0, 0.5 * scale),
    )
    rgb = render(scene, size, size, 4 if size <= 48 else 2)
    rows = []
    corner = 6.0 * scale
    for y in range(size):
        row = []
        for x in range(size):
            # Distance outside a rounded square, sampled at the pixel centre.
            cx = min(max(x + 0.5, corner), size - corner)
            cy = min(max(y + 0.5, corner), size - corner)
            outside = math.hypot(x + 0.5 - cx, y + 0.5 - cy) - corner
            alpha = int(round(255 * min(1.0, max(0.0, 0.5 - outside))))
            r, g, b = rgb[y][x] if alpha else (0, 0, 0)
            row.append((r, g, b, alpha))
        rows.append(row)
    return rows


# ---------------------------------------------------------------- main


def main():
    os.makedirs(RESOURCES, exist_ok=True)
    write_bmp("floppy_text.bmp", floppy(LABEL_YELLOW))
    write_bmp("floppy_named.bmp", floppy(LABEL_YELLOW, QUESTION_MARK, (5, 6)))
    write_bmp("floppy_picture.bmp", floppy(LABEL_BLUE))
    write_bmp("notepad.bmp", from_map(NOTEPAD, NOTEPAD_COLOURS))
    write_bmp("paint.bmp", from_map(PAINT, PAINT_COLOURS))
    write_bmp("calculator.bmp", from_map(CALCULATOR, CALCULATOR_COLOURS))
    write_bmp("wrench.bmp", from_map(WRENCH, WRENCH_COLOURS))
    write_bmp("exit_door.bmp", from_map(EXIT_DOOR, EXIT_DOOR_COLOURS))
    write_bmp("clipboard.bmp", from_map(CLIPBOARD, CLIPBOARD_COLOURS))
    write_bmp("eye_photo.bmp", eye_photo())
    # 32 pixels first: Windows picks the size it needs from any place, and readers that take
    # only the first image get the size the window icon always had.
    write_ico("clipnest.ico", [eye_icon(32), eye_icon(16), eye_icon(48)])
    write_png("clipnest-48.png", eye_icon(48))
    write_png("clipnest-256.png", eye_icon(256))


if __name__ == "__main__":
    main()
