#!/usr/bin/env -S /usr/bin/python3
"""Procedural generator for every image in assets/Images and assets/Icons.

Usage:  /usr/bin/python3 tools/gen_images.py

Everything is drawn from code (numpy + Pillow). The only external input is the
DejaVu font family (Debian package fonts-dejavu-core, free licence) for the
bitmap font, the title lettering and the maker's logo. All randomness uses
fixed seeds, so running the script twice produces byte-identical PNGs.

Rendering model: each picture is drawn into a supersampled, premultiplied
RGBA float buffer (usually 4x), then box-filtered down. Shapes are analytic
masks (ellipses, rounded rectangles, capsules) or polygons, evaluated in a
local coordinate frame that may be translated / rotated / scaled, so the same
drawing code can be reused for tiles, banked variants and the icon.
"""
import math
import os

import numpy as np
from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
IMG_DIR = os.path.join(ROOT, "assets", "Images")
ICON_DIR = os.path.join(ROOT, "assets", "Icons")
FONT_DIR = "/usr/share/fonts/truetype/dejavu"
SANS_BOLD = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")
COND_BOLD = os.path.join(FONT_DIR, "DejaVuSansCondensed-Bold.ttf")
SS = 4  # supersampling factor

# ---------------------------------------------------------------- palette
def C(*rgb):
    return np.array(rgb, np.float32) / 255.0


INK = C(10, 14, 24)          # outlines
WHITE = C(255, 255, 255)
STEEL_HI = C(235, 242, 250)
STEEL = C(150, 165, 185)
STEEL_LO = C(60, 72, 92)
CYAN = C(90, 235, 255)
CYAN_DEEP = C(20, 120, 190)
AMBER = C(255, 196, 60)
RED = C(235, 50, 60)
MAGENTA = C(240, 60, 200)


def clamp01(x):
    return np.clip(x, 0.0, 1.0)


def smooth(e0, e1, x):
    t = clamp01((x - e0) / (e1 - e0))
    return t * t * (3 - 2 * t)


def mix(c0, c1, t):
    t = np.asarray(t, np.float32)
    return c0 + (c1 - c0) * t[..., None]


def ramp(stops, t):
    """Piecewise-linear colour ramp; stops = [(pos, colour), ...]."""
    t = np.asarray(t, np.float32)
    out = np.zeros(t.shape + (3,), np.float32)
    out[...] = stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops[:-1], stops[1:]):
        k = clamp01((t - p0) / max(p1 - p0, 1e-6))
        sel = t >= p0
        out = np.where(sel[..., None], c0 + (c1 - c0) * k[..., None], out)
    return out


# ---------------------------------------------------------------- canvas
class Cv:
    """Supersampled premultiplied RGBA canvas with a local coordinate frame."""

    def __init__(self, w, h, ss=SS):
        self.w, self.h, self.ss = w, h, ss
        xs = (np.arange(w * ss, dtype=np.float32) + 0.5) / ss
        ys = (np.arange(h * ss, dtype=np.float32) + 0.5) / ss
        self.X, self.Y = np.meshgrid(xs, ys)
        self.p = np.zeros((h * ss, w * ss, 4), np.float32)
        self.xf(w / 2.0, h / 2.0)

    def blank(self):
        c = Cv.__new__(Cv)
        c.w, c.h, c.ss, c.X, c.Y = self.w, self.h, self.ss, self.X, self.Y
        c.p = np.zeros_like(self.p)
        c._xf = self._xf
        c.U, c.V = self.U, self.V
        return c

    def xf(self, ox, oy, ang=0.0, sx=1.0, sy=None):
        """Local (u, v) -> canvas: scale, rotate by ang degrees (clockwise on screen), translate."""
        sy = sx if sy is None else sy
        a = math.radians(ang)
        self._xf = (ox, oy, math.cos(a), math.sin(a), sx, sy)
        dx, dy = self.X - ox, self.Y - oy
        ca, sa = math.cos(a), math.sin(a)
        self.U = (ca * dx + sa * dy) / sx
        self.V = (-sa * dx + ca * dy) / sy
        return self

    @property
    def scale(self):
        return self._xf[4]

    def pt(self, u, v):
        ox, oy, ca, sa, sx, sy = self._xf
        u, v = u * sx, v * sy
        return ox + ca * u - sa * v, oy + sa * u + ca * v

    # ---- masks (float32, 0..1) in local coordinates
    def ell(self, cx, cy, rx, ry=None):
        ry = rx if ry is None else ry
        return ((((self.U - cx) / rx) ** 2 + ((self.V - cy) / ry) ** 2) <= 1).astype(np.float32)

    def rect(self, x0, y0, x1, y1):
        return ((self.U >= x0) & (self.U <= x1) & (self.V >= y0) & (self.V <= y1)).astype(np.float32)

    def rrect_d(self, x0, y0, x1, y1, r):
        cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
        hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r
        qx, qy = np.abs(self.U - cx) - hx, np.abs(self.V - cy) - hy
        return np.hypot(np.maximum(qx, 0), np.maximum(qy, 0)) + np.minimum(np.maximum(qx, qy), 0) - r

    def rrect(self, x0, y0, x1, y1, r):
        return (self.rrect_d(x0, y0, x1, y1, r) <= 0).astype(np.float32)

    def seg_d(self, x0, y0, x1, y1):
        dx, dy = x1 - x0, y1 - y0
        t = clamp01(((self.U - x0) * dx + (self.V - y0) * dy) / (dx * dx + dy * dy + 1e-9))
        return np.hypot(self.U - x0 - t * dx, self.V - y0 - t * dy)

    def seg(self, x0, y0, x1, y1, r):
        return (self.seg_d(x0, y0, x1, y1) <= r).astype(np.float32)

    def poly(self, pts):
        img = Image.new("L", (self.w * self.ss, self.h * self.ss), 0)
        q = []
        for u, v in pts:
            x, y = self.pt(u, v)
            q.append((x * self.ss - 0.5, y * self.ss - 0.5))
        ImageDraw.Draw(img).polygon(q, fill=255)
        return np.asarray(img, np.float32) / 255.0

    # ---- painting
    def paint(self, mask, col, alpha=1.0):
        a = (mask * alpha).astype(np.float32)
        col = np.asarray(col, np.float32)
        if col.ndim == 1:
            col = np.broadcast_to(col, a.shape + (3,))
        self.p *= (1 - a)[..., None]
        self.p[..., :3] += col * a[..., None]
        self.p[..., 3] += a

    def paint_under(self, mask, col, alpha=1.0):
        a = (mask * alpha).astype(np.float32) * (1 - self.p[..., 3])
        col = np.asarray(col, np.float32)
        if col.ndim == 1:
            col = np.broadcast_to(col, a.shape + (3,))
        self.p[..., :3] += col * a[..., None]
        self.p[..., 3] += a

    def over(self, top):
        a = top.p[..., 3:4]
        self.p = top.p + self.p * (1 - a)

    def alpha_mask(self, thr=0.5):
        return (self.p[..., 3] > thr).astype(np.float32)

    def outline(self, px=1.0, col=INK):
        """Dark outline of the current contents, px canvas pixels thick."""
        r = max(1, int(round(px * self.ss)))
        m = dilate(self.alpha_mask(0.3), r)
        self.paint_under(m, col)

    def glow_under(self, mask, col, radius, strength=0.45):
        """Soft glow (kept below alpha 0.5) spread around mask."""
        g = blur(mask, radius * self.ss)
        g = clamp01(g * 2.2) * strength
        self.paint_under(g, col)

    def image(self, clean=True):
        h, w, s = self.h, self.w, self.ss
        p = self.p.reshape(h, s, w, s, 4).mean(axis=(1, 3))
        a = p[..., 3]
        rgb = p[..., :3] / np.maximum(a, 1e-6)[..., None]
        a = clamp01(a)
        if clean:
            a = np.where(a < 0.03, 0.0, a)
            a = np.where(a > 0.97, 1.0, a)
        out = np.zeros((h, w, 4), np.uint8)
        out[..., :3] = np.round(clamp01(rgb) * 255)
        out[..., 3] = np.round(a * 255)
        out[out[..., 3] == 0, :3] = 0
        return Image.fromarray(out, "RGBA")


def dilate(mask, r):
    out = mask.copy()
    h, w = mask.shape
    pad = np.pad(mask, r)
    for dy in range(-r, r + 1):
        for dx in range(-r, r + 1):
            if dx * dx + dy * dy <= r * r + r * 0.5:
                out = np.maximum(out, pad[r + dy:r + dy + h, r + dx:r + dx + w])
    return out


def blur(mask, radius):
    """Gaussian blur via separable convolution (numpy only, deterministic)."""
    radius = max(radius, 0.5)
    k = int(math.ceil(radius * 2.5))
    x = np.arange(-k, k + 1, dtype=np.float32)
    g = np.exp(-0.5 * (x / radius) ** 2)
    g /= g.sum()
    m = np.pad(mask.astype(np.float32), k)
    tmp = sum(g[i] * m[:, i:i + m.shape[1] - 2 * k] for i in range(2 * k + 1))
    out = sum(g[i] * tmp[i:i + tmp.shape[0] - 2 * k, :] for i in range(2 * k + 1))
    return out


# ---------------------------------------------------------------- noise
def periodic_noise(n, seed, beta=2.0):
    """Smooth tileable noise (n x n) in [0, 1] made by spectral filtering."""
    rng = np.random.default_rng(seed)
    white = rng.standard_normal((n, n))
    f = np.fft.fftfreq(n)
    fx, fy = np.meshgrid(f, f)
    fr = np.hypot(fx, fy)
    fr[0, 0] = 1.0
    spec = np.fft.fft2(white) / fr ** (beta / 2.0)
    spec[0, 0] = 0
    out = np.real(np.fft.ifft2(spec))
    out = (out - out.min()) / (out.max() - out.min())
    return out.astype(np.float32)


def sample(noise, x, y):
    """Bilinear, wrapping sample of a square noise grid at float coords."""
    n = noise.shape[0]
    x0 = np.floor(x).astype(np.int64)
    y0 = np.floor(y).astype(np.int64)
    fx, fy = (x - x0).astype(np.float32), (y - y0).astype(np.float32)
    x0 %= n
    y0 %= n
    x1, y1 = (x0 + 1) % n, (y0 + 1) % n
    a = noise[y0, x0] * (1 - fx) + noise[y0, x1] * fx
    b = noise[y1, x0] * (1 - fx) + noise[y1, x1] * fx
    return a * (1 - fy) + b * fy


# ---------------------------------------------------------------- helpers
def sheet(tiles, cols, tw, th):
    rows = (len(tiles) + cols - 1) // cols
    out = Image.new("RGBA", (cols * tw, rows * th), (0, 0, 0, 0))
    for i, t in enumerate(tiles):
        out.paste(t, ((i % cols) * tw, (i // cols) * th))
    return out


def save(img, path):
    img = img.convert("RGBA")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.save(path, format="PNG", optimize=True)


def shade_v(cv, v0, v1, c_top, c_bot):
    return mix(c_top, c_bot, clamp01((cv.V - v0) / (v1 - v0)))


# ================================================================ 1. font
def gen_font():
    s = SS
    cell = 32 * s
    size = 33 * s
    font = ImageFont.truetype(SANS_BOLD, size)
    base = int(25.5 * s)
    # Text advances 24 px per letter at 0.75 scale, so glyphs are widened to fill most of the cell
    # (about 21 px on screen) and read as a wide arcade face instead of thin letters far apart.
    widen = 1.35
    max_w = 29 * s
    glyphs = []
    for i in range(90):
        ch = chr(33 + i)
        big = Image.new("L", (size * 2, size * 2), 0)
        ImageDraw.Draw(big).text((size // 2, int(size * 1.3)), ch, font=font, fill=255, anchor="ls")
        bb = big.getbbox()
        ink = big.crop(bb)
        top_rel = bb[1] - int(size * 1.3)  # negative: above baseline
        w = min(max_w, int(round(ink.width * widen)))
        ink = ink.resize((w, ink.height), Image.LANCZOS)
        glyphs.append((ink, top_rel))
    # Compress everything below the baseline so descenders fit in the cell.
    max_desc = max(top + g.height for g, top in glyphs)
    room = cell - base - s // 2
    k = min(1.0, room / max_desc)
    tiles = []
    for ink, top in glyphs:
        arr = np.zeros((cell + 8 * s, cell), np.float32)
        a = np.asarray(ink, np.float32) / 255.0
        x0 = (cell - a.shape[1]) // 2
        y0 = base + top
        ys0 = max(0, -y0)
        arr[y0 + ys0:y0 + a.shape[0], x0:x0 + a.shape[1]] = a[ys0:]
        out = arr[:cell].copy()
        # warp: output row y>=base takes source row base + (y-base)/k
        for y in range(base, cell):
            src = base + (y - base) / k
            y_lo = int(src)
            f = src - y_lo
            out[y] = arr[y_lo] * (1 - f) + arr[min(y_lo + 1, arr.shape[0] - 1)] * f
        al = out.reshape(32, s, 32, s).mean(axis=(1, 3))
        al = np.where(al < 0.03, 0, al)
        px = np.zeros((32, 32, 4), np.uint8)
        px[..., :3] = 255
        px[..., 3] = np.round(clamp01(al) * 255)
        px[px[..., 3] == 0, :3] = 0
        px[px[..., 3] == 0, :3] = 255 * 0  # transparent stays (0,0,0,0)
        img = Image.fromarray(px, "RGBA")
        tiles.append(img)
    # pure white wherever alpha > 0
    out = sheet(tiles, 10, 32, 32)
    arr = np.asarray(out).copy()
    arr[arr[..., 3] > 0, :3] = 255
    save(Image.fromarray(arr, "RGBA"), os.path.join(IMG_DIR, "font.png"))


# ================================================================ 2. green tank
TANK_G = dict(hi=C(170, 235, 120), mid=C(78, 160, 60), lo=C(28, 78, 32), dark=C(20, 48, 24))


def draw_tank(cv, frame, bob=0.0):
    """Green tank facing LEFT, local origin = tile centre. frame 0..3 tread phase."""
    g = TANK_G
    # --- tracks
    tr = cv.rrect(-27, 9, 27, 24, 7.5)
    cv.paint(tr, shade_v(cv, 9, 24, C(95, 100, 108), C(30, 32, 38)))
    inner = cv.rrect(-24.5, 11.5, 24.5, 21.5, 5)
    band = tr * (1 - inner)
    phase = frame * 1.0
    top_links = (np.mod(cv.U + phase, 4.0) < 1.6) & (cv.V < 16.5)
    bot_links = (np.mod(cv.U - phase, 4.0) < 1.6) & (cv.V >= 16.5)
    cv.paint(band * (top_links | bot_links), C(22, 24, 28))
    cv.paint(inner, C(38, 40, 46))
    # --- road wheels
    for i, x in enumerate((-19.5, -9.75, 0, 9.75, 19.5)):
        r = 4.6 if i in (0, 4) else 4.2
        cy = 16.5
        w = cv.ell(x, cy, r)
        cv.paint(w, shade_v(cv, cy - r, cy + r, C(185, 190, 196), C(80, 84, 92)))
        cv.paint(cv.ell(x, cy, r - 1.3), C(110, 116, 124))
        ang = -frame * (math.pi / 8) + i * 0.4
        for k in range(3):
            a = ang + k * 2 * math.pi / 3
            cv.paint(cv.seg(x, cy, x + math.cos(a) * (r - 1.6), cy + math.sin(a) * (r - 1.6), 0.55),
                     C(60, 64, 70))
        cv.paint(cv.ell(x, cy, 1.2), C(210, 214, 220))
    # drive sprocket / idler highlights
    by = bob
    # --- hull
    hull_pts = [(-29.5, 10 + by), (-23, -3 + by), (21, -3 + by), (28.5, 3 + by), (28.5, 11.5 + by), (-29.5, 11.5 + by)]
    hull = cv.poly(hull_pts)
    cv.paint(hull, shade_v(cv, -3 + by, 11.5 + by, g["hi"], g["lo"]))
    cv.paint(hull * cv.rect(-30, 7.5 + by, 30, 11.5 + by), C(40, 96, 40))  # skirt shadow
    cv.paint(hull * cv.rect(-22, -3 + by, 21, -1.8 + by), C(210, 250, 170))  # top highlight
    cv.paint(hull * (cv.seg(-29, 10 + by, -23, -3 + by, 0.8)), C(120, 200, 90))
    for x in (-16, -6, 4, 14, 22):
        cv.paint(cv.ell(x, 9.5 + by, 0.8), C(150, 210, 110))
    # emblem star
    cx, cy = 9, 3.5 + by
    star = []
    for k in range(10):
        rr = 3.2 if k % 2 == 0 else 1.3
        a = -math.pi / 2 + k * math.pi / 5
        star.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    cv.paint(cv.poly(star), C(245, 245, 225))
    # headlight
    cv.paint(cv.ell(-25.5, 2 + by, 1.6, 1.4), C(255, 240, 160))
    # --- barrel (up-left, about 60 degrees)
    bx0, by0 = -3, -9 + by
    ang = math.radians(60)
    L = 19
    bx1, by1 = bx0 - L * math.cos(ang), by0 - L * math.sin(ang)
    cv.paint(cv.seg(bx0, by0, bx1, by1, 2.3), C(70, 110, 62))
    cv.paint(cv.seg(bx0 - 0.7, by0 - 0.9, bx1 - 0.7, by1 - 0.9, 0.9), C(150, 205, 120))
    mx0, my0 = bx0 - (L - 4) * math.cos(ang), by0 - (L - 4) * math.sin(ang)
    cv.paint(cv.seg(mx0, my0, bx1, by1, 3.1), shade_v(cv, by1, my0, C(130, 170, 110), C(40, 70, 40)))
    # --- turret
    tur = cv.poly([(-13, -2.5 + by), (-9, -13 + by), (9, -14 + by), (15, -8 + by), (16, -2.5 + by)])
    cv.paint(tur, shade_v(cv, -14 + by, -2.5 + by, g["hi"], g["mid"]))
    cv.paint(tur * cv.rect(-14, -5 + by, 17, -2.5 + by), C(50, 112, 46))
    cv.paint(cv.rrect(-1, -15.8 + by, 7, -13.2 + by, 1.2), C(90, 150, 70))  # hatch
    cv.paint(cv.seg(-8.5, -12.2 + by, 8, -13.2 + by, 0.6), C(215, 250, 180))
    cv.paint(cv.ell(11.5, -7 + by, 1.3), C(255, 210, 80))  # periscope light
    cv.outline(1.0)


def gen_greentank():
    tiles = []
    bobs = [0, 0, -1, -1, 0]
    for f in range(5):
        cv = Cv(64, 64)
        cv.xf(32, 33)
        draw_tank(cv, max(f - 1, 0), bobs[f])
        tiles.append(cv.image())
    right = [t.transpose(Image.FLIP_LEFT_RIGHT) for t in tiles]
    save(sheet(tiles + right, 5, 64, 64), os.path.join(IMG_DIR, "greentank.png"))


# ================================================================ 3. hover tank
def draw_hovertank(f, n=12):
    t = f / n
    bob = round(1.5 * math.sin(2 * math.pi * t) * 2) / 2
    cv = Cv(64, 64)
    cv.xf(32, 32 + bob)
    body = cv.blank()
    b = body
    # side pods
    for sx in (-1, 1):
        pod = b.rrect(sx * 24 - 6, 4, sx * 24 + 6, 13, 4)
        b.paint(pod, shade_v(b, 4, 13, C(200, 220, 235), C(60, 80, 105)))
        b.paint(b.rrect(sx * 24 - 4, 11, sx * 24 + 4, 13.5, 1.2), C(120, 250, 255))
    # main hull (wedge / lens)
    hull = b.poly([(-26, 6), (-18, -2), (18, -2), (26, 6), (20, 13), (-20, 13)])
    b.paint(hull, shade_v(b, -2, 13, C(130, 215, 200), C(25, 80, 90)))
    b.paint(hull * b.rect(-30, 6, 30, 8), C(230, 120, 40))  # orange stripe
    b.paint(hull * b.rect(-17, -2, 17, -0.8), C(215, 255, 245))
    # chase lights on the stripe
    for k in range(6):
        x = -20 + k * 8
        on = (k + f) % 6 in (0, 3)
        b.paint(b.ell(x, 7, 1.1), C(255, 255, 200) if on else C(120, 50, 20))
    # under-skirt with emitters
    skirt = b.rrect(-16, 11, 16, 16, 2.5)
    b.paint(skirt, C(40, 55, 70))
    for x in (-10, 0, 10):
        b.paint(b.ell(x, 15, 3, 1.6), C(150, 250, 255))
    # turret dome + twin barrels straight up
    for x in (-3.2, 3.2):
        b.paint(b.seg(x, -8, x, -24, 1.5), shade_v(b, -24, -8, C(200, 215, 230), C(70, 85, 100)))
        b.paint(b.rect(x - 2.1, -25, x + 2.1, -22.5), C(90, 100, 115))
    dome = b.ell(0, -2, 11, 9) * (b.V <= -1.5)
    b.paint(dome, shade_v(b, -11, -2, C(170, 240, 225), C(40, 120, 120)))
    b.paint(b.ell(-3, -6.5, 4.5, 2.4), C(225, 255, 250))
    b.paint(b.ell(3, -4.5, 3, 1.3), C(255, 140, 60))  # sensor slit
    b.outline(1.0)
    # glow beneath (pulsing, kept translucent)
    glow = cv.blank()
    pulse = 0.75 + 0.25 * math.cos(2 * math.pi * t * 2)
    gm = glow.ell(0, 20, 20 * pulse + 4, 6) + glow.ell(0, 17, 12, 4)
    glow.glow_under(clamp01(gm), C(80, 220, 255), 2.5, strength=0.42 * pulse + 0.05)
    cv.over(glow)
    cv.over(body)
    return cv.image()


def gen_hovertank():
    tiles = [draw_hovertank(f) for f in range(12)]
    save(sheet(tiles, 4, 64, 64), os.path.join(IMG_DIR, "hovertank.png"))


# ================================================================ 4/5. saucers
def rim_lights(cv, f, n, rx, ry, cy, col, rad, nframes=4):
    for k in range(n):
        a = 2 * math.pi * (k + f / nframes) / n
        s = math.sin(a)
        if s < -0.05:
            continue
        x, y = rx * math.cos(a), cy + ry * s
        r = rad * (0.6 + 0.4 * s)
        cv.paint(cv.ell(x, y, r * 1.6), col * 0.45 + 0.05)
        cv.paint(cv.ell(x, y, r), col)
        cv.paint(cv.ell(x - r * 0.3, y - r * 0.3, r * 0.4), WHITE)


def draw_scout(cv, f, light=0):
    """Silver saucer with a cyan dome; light = -1 (left), 0, +1 (right)."""
    L = light
    # under-belly
    cv.paint(cv.ell(0, 5, 11, 4.5), C(70, 80, 95))
    cv.paint(cv.ell(0, 7.5, 4.5, 1.8), C(140, 250, 255))
    # main disc
    disc = cv.ell(0, 2, 23, 6.5)
    col = shade_v(cv, -4.5, 8.5, STEEL_HI, STEEL_LO)
    col = col + (0.18 * L * clamp01(cv.U / 23))[..., None] * np.array([0.3, 0.9, 1.0], np.float32)
    cv.paint(disc, clamp01(col))
    cv.paint(disc * (cv.ell(0, 3.4, 23, 5.2) < 1) * (cv.V > 2), C(90, 105, 125))  # lower lip
    # raised ring
    ring = cv.ell(0, -0.5, 14, 4.8)
    cv.paint(ring, shade_v(cv, -5.3, 4.3, C(250, 252, 255), C(120, 135, 155)))
    # dome
    dome = cv.ell(0, -1.5, 9, 8.5) * (cv.V <= -1)
    dcol = shade_v(cv, -10, -1, C(200, 255, 255), CYAN_DEEP)
    cv.paint(dome, dcol)
    hx = -3 + 5 * L
    cv.paint(dome * cv.ell(hx, -6, 3.2, 1.8), C(245, 255, 255))
    rim_lights(cv, f, 8, 18.5, 3.2, 2.5, AMBER, 1.5)


def draw_greenufo(cv, f, light=0):
    L = light
    # under pods
    for x in (-12, 0, 12):
        cv.paint(cv.ell(x, 10, 3.5, 3), C(40, 70, 35))
        cv.paint(cv.ell(x, 11.2, 2, 1.4), C(200, 255, 90))
    # thick body band
    band = cv.rrect(-25, -1, 25, 9, 4.5)
    col = shade_v(cv, -1, 9, C(150, 220, 100), C(30, 70, 30))
    col = col + (0.15 * L * clamp01(cv.U / 25))[..., None] * np.array([0.6, 1.0, 0.3], np.float32)
    cv.paint(band, clamp01(col))
    disc = cv.ell(0, 1, 28, 5.5)
    cv.paint(disc, shade_v(cv, -4.5, 6.5, C(200, 250, 150), C(60, 120, 50)))
    cv.paint(cv.ell(0, 0, 27, 4.2) * (cv.V < -1.5), C(225, 255, 190))
    # portholes rotating on the band
    for k in range(10):
        a = 2 * math.pi * (k + f / 4) / 10
        s = math.sin(a)
        if s < 0.1:
            continue
        x = 22 * math.cos(a)
        w = 1.8 * (0.5 + 0.5 * s)
        cv.paint(cv.ell(x, 6, w, 1.5), C(255, 240, 90))
    # upper deck + dome
    deck = cv.ell(0, -3, 16, 5)
    cv.paint(deck, shade_v(cv, -8, 2, C(120, 190, 80), C(45, 95, 40)))
    dome = cv.ell(0, -4, 11.5, 11) * (cv.V <= -3)
    cv.paint(dome, shade_v(cv, -15, -3, C(150, 240, 160), C(15, 70, 45)))
    # little alien pilot silhouette
    cv.paint(cv.ell(0, -8, 3.2, 3.8) + cv.ell(0, -4, 5, 2) * (cv.V <= -3), C(10, 45, 25))
    cv.paint(cv.ell(-1.2, -8.5, 0.9, 1.2) + cv.ell(1.2, -8.5, 0.9, 1.2), C(200, 255, 60))
    cv.paint(dome * cv.ell(-4 + 6 * L, -10, 3.5, 2), C(230, 255, 235))


def saucer_tiles(draw, tw, bank=11.0, outline=1.0, glow_col=CYAN):
    tiles = []
    for row, (ang, light) in enumerate(((0.0, 0), (bank, 1), (-bank, -1))):
        for f in range(4):
            cv = Cv(tw, tw)
            body = cv.blank().xf(tw / 2, tw / 2, ang)
            draw(body, f, light)
            body.outline(outline)
            if light:
                # engine flare on the trailing edge
                g = cv.blank().xf(tw / 2, tw / 2, ang)
                g.glow_under(g.ell(-light * 24, 3, 4, 2.5), glow_col, 2.0, 0.35 + 0.08 * (f % 2))
                cv.over(g)
            cv.over(body)
            tiles.append(cv.image())
    return tiles


def gen_saucers():
    save(sheet(saucer_tiles(draw_scout, 64), 4, 64, 64), os.path.join(IMG_DIR, "scoutufo.png"))
    save(sheet(saucer_tiles(draw_greenufo, 64, 9.0, glow_col=C(170, 255, 80)), 4, 64, 64),
         os.path.join(IMG_DIR, "greenufo.png"))


# ================================================================ 6. boss
def draw_boss(cv, f, side):
    pulse = 0.5 + 0.5 * math.cos(2 * math.pi * f / 4)
    # spikes / fins
    for sx in (-1, 1):
        cv.paint(cv.poly([(sx * 36, -1), (sx * 45.5, -9), (sx * 43.5, 2)]), C(150, 30, 60))
        cv.paint(cv.poly([(sx * 30, 8), (sx * 40, 17), (sx * 26, 12)]), C(110, 25, 70))
    # underside core housing
    cv.paint(cv.ell(0, 10, 24, 9), shade_v(cv, 2, 19, C(90, 40, 110), C(30, 10, 40)))
    core = cv.ell(0, 14, 9, 4.5)
    cv.paint(core, mix(C(200, 20, 40), C(255, 230, 120), pulse * clamp01(1 - cv.ell(0, 14, 5, 2.5) * 0.0)))
    cv.paint(cv.ell(0, 13.5, 5, 2.4), mix(C(255, 120, 80), C(255, 255, 230), pulse))
    for x in (-16, 16):
        cv.paint(cv.ell(x, 13, 3.2, 2.4), C(60, 20, 70))
        cv.paint(cv.ell(x, 13.8, 2, 1.3), C(255, 60, 90))
    # main disc
    disc = cv.ell(0, 2, 44, 12)
    cv.paint(disc, shade_v(cv, -10, 14, C(220, 130, 230), C(60, 18, 80)))
    cv.paint(disc * (cv.ell(0, 3.5, 44, 10) < 1) * (cv.V > 2), C(70, 20, 80))
    # panel lines
    for k in range(-4, 5):
        x = k * 9.5
        cv.paint(disc * cv.seg(x * 0.95, -6, x, 12, 0.35) * (cv.ell(0, -1, 30, 8) < 1), C(110, 40, 130))
    # red rim lights
    rim_lights(cv, f, 12, 39, 7, 3.5, C(255, 50, 60), 2.0)
    # upper deck
    deck = cv.ell(0, -5, 30, 9)
    cv.paint(deck, shade_v(cv, -14, 4, C(200, 90, 200), C(90, 25, 100)))
    cv.paint(deck * cv.ell(-6, -10, 18, 3), C(240, 170, 240))
    # turrets on deck
    for sx in (-1, 1):
        cv.paint(cv.ell(sx * 21, -8, 4, 3), C(70, 20, 80))
        cv.paint(cv.seg(sx * 21, -9, sx * 27, -15, 1.2), C(140, 60, 150))
    # dome with glowing eye
    dome = cv.ell(0, -9, 16, 17) * (cv.V <= -8)
    cv.paint(dome, shade_v(cv, -26, -8, C(255, 120, 160), C(90, 10, 40)))
    eye_r = 4.5 + 1.0 * pulse
    cv.paint(cv.ell(0, -15, 9, 5.5), C(40, 0, 15))
    cv.paint(cv.ell(0, -15, eye_r * 1.4, eye_r * 0.9), mix(C(255, 40, 40), C(255, 200, 60), pulse))
    cv.paint(cv.ell(0, -15, 1.4, eye_r * 0.8), C(30, 0, 0))
    cv.paint(dome * cv.ell(-7, -20, 4, 2.5), C(255, 220, 235))


def gen_boss():
    tiles = []
    for row in range(2):
        for f in range(4):
            cv = Cv(96, 96)
            sy = 1.0 if row == 0 else 0.78
            body = cv.blank().xf(48, 48 + (0 if row == 0 else 2), 0, 1.0, sy)
            draw_boss(body, f, row)
            body.outline(1.2)
            g = cv.blank().xf(48, 50, 0, 1.0, sy)
            glm = g.ell(0, 18, 16, 6)
            if row == 1:
                glm = glm + g.ell(-45, 2, 5, 3) + g.ell(45, 2, 5, 3)
            g.glow_under(clamp01(glm), C(255, 60, 120), 3.0, 0.30 + 0.1 * (f % 2))
            cv.over(g)
            cv.over(body)
            tiles.append(cv.image())
    save(sheet(tiles, 4, 96, 96), os.path.join(IMG_DIR, "boss1ufo.png"))


# ================================================================ 7. missile
def gen_missile():
    tiles = []
    lengths = [7.3, 5.6, 7.6, 6.4]
    wob = [0.0, 0.6, -0.4, 0.3]
    for f in range(4):
        cv = Cv(16, 32)
        cv.xf(8, 16)
        fl = cv.blank()
        L = lengths[f]
        fy0 = 7.5
        outer = fl.poly([(-2.8, fy0), (2.8, fy0), (wob[f], fy0 + L)])
        fl.glow_under(outer, C(255, 150, 40), 1.0, 0.47)
        fl.paint(outer, C(255, 120, 30), 0.45)
        core = fl.poly([(-1.9, fy0), (1.9, fy0), (wob[f] * 0.5, fy0 + L * 0.7)])
        fl.paint(core, shade_v(fl, fy0, fy0 + L * 0.6, C(255, 255, 220), C(255, 170, 40)))
        b = cv.blank()
        # fins
        for sx in (-1, 1):
            b.paint(b.poly([(sx * 2, 1), (sx * 5.6, 6.5), (sx * 5.6, 8.5), (sx * 2, 6.5)]), C(210, 40, 50))
        body = b.rect(-2.6, -8, 2.6, 7.5)
        b.paint(body, mix(C(250, 252, 255), C(110, 120, 140), clamp01((b.U + 2.6) / 5.2)))
        b.paint(b.rect(-2.6, 2, 2.6, 3.2), C(210, 40, 50))
        nose = b.poly([(-2.6, -8), (2.6, -8), (0, -14.3)])
        b.paint(nose, mix(C(255, 110, 110), C(150, 20, 30), clamp01((b.U + 2.6) / 5.2)))
        b.paint(b.rect(-1.6, 7, 1.6, 8.3), C(70, 75, 85))  # nozzle
        b.outline(0.75)
        cv.over(fl)
        cv.over(b)
        tiles.append(cv.image())
    save(sheet(tiles, 4, 16, 32), os.path.join(IMG_DIR, "tank_missile.png"))


# ================================================================ 8/9. fireballs
def gen_fireballs():
    # friendly plasma ball
    tiles = []
    for f in range(4):
        cv = Cv(32, 32)
        cv.xf(16, 16)
        r = np.hypot(cv.U, cv.V)
        th = np.arctan2(cv.V, cv.U)
        g = cv.blank()
        g.glow_under(cv.ell(0, 0, 9 + (f % 2)), C(170, 255, 60), 2.4, 0.42)
        b = cv.blank()
        swirl = np.sin(3 * th + r * 0.7 - f * math.pi / 2)
        arms = ((r < 10.5) & (swirl > 0.35)) | (r < 7.2)
        b.paint(arms.astype(np.float32), ramp([(0, C(255, 255, 240)), (0.45, C(240, 255, 120)),
                                              (0.75, C(150, 240, 40)), (1.0, C(60, 160, 30))], r / 10.5))
        b.paint(b.ell(-2, -2, 2.2), WHITE)
        cv.over(g)
        cv.over(b)
        tiles.append(cv.image())
    save(sheet(tiles, 4, 32, 32), os.path.join(IMG_DIR, "tank_fireball.png"))
    # hostile spiky fireball
    tiles = []
    for f in range(4):
        cv = Cv(32, 32)
        cv.xf(16, 16, f * 11.25)
        spikes = []
        n = 8
        for k in range(2 * n):
            a = k * math.pi / n
            rr = (12.5 if (k // 2 + f) % 2 == 0 else 10.5) if k % 2 == 0 else 6.0
            spikes.append((rr * math.cos(a), rr * math.sin(a)))
        g = cv.blank()
        g.glow_under(cv.ell(0, 0, 10), C(255, 40, 150), 2.5, 0.40 + 0.05 * (f % 2))
        b = cv.blank()
        st = b.poly(spikes)
        r = np.hypot(b.U, b.V)
        b.paint(st, ramp([(0, C(255, 240, 250)), (0.35, C(255, 90, 200)), (0.7, C(230, 20, 80)),
                          (1.0, C(120, 0, 60))], r / 12.5))
        core = b.ell(0, 0, 4.2 + 0.6 * (f % 2))
        b.paint(core, C(255, 250, 235))
        b.paint(b.ell(0, 0, 1.8), C(255, 255, 120))
        b.outline(0.6, C(60, 0, 30))
        cv.over(g)
        cv.over(b)
        tiles.append(cv.image())
    save(sheet(tiles, 4, 32, 32), os.path.join(IMG_DIR, "ufo_fireball.png"))


# ================================================================ 10. smoke
SMOKE = [
    # grey billowy / light wispy / dark sooty
    dict(seed=11, dark=C(60, 62, 72), light=C(200, 202, 210), blobs=7, rough=0.9, amax=0.9, spread=0.42,
         fine=0.35, relief=2.6),
    dict(seed=23, dark=C(140, 150, 168), light=C(245, 247, 252), blobs=5, rough=1.5, amax=0.3, spread=0.55,
         fine=0.6, relief=1.2),
    dict(seed=37, dark=C(14, 12, 12), light=C(105, 92, 84), blobs=9, rough=0.8, amax=0.96, spread=0.38,
         fine=0.3, relief=2.0),
]


def gen_smoke():
    for vi, p in enumerate(SMOKE):
        rng = np.random.default_rng(p["seed"])
        noise = periodic_noise(128, p["seed"], 2.3)
        fine = periodic_noise(128, p["seed"] + 1, 1.5)
        blobs = []
        for _ in range(p["blobs"]):
            a, rr = rng.uniform(0, 2 * math.pi), rng.uniform(0.2, 1.0) * p["spread"]
            blobs.append((rr * math.cos(a), rr * math.sin(a) * 0.85, rng.uniform(0.38, 0.6)))
        tiles = []
        for f in range(16):
            t = f / 15.0
            R = 8 + 21 * (1 - (1 - t) ** 2.2)
            cv = Cv(64, 64, 2)
            cv.xf(32, 32 - 3 * t)
            u, v = cv.U * 0.6 / R, cv.V * 0.6 / R
            shape = np.zeros_like(u)
            for bx, by, br in blobs:
                g = 0.7 + 0.3 * t
                shape = np.maximum(shape, clamp01(1 - np.hypot(u - bx * g, v - by * g) / br))
            shape = np.maximum(shape, clamp01(1 - np.hypot(u, v) / 0.62))
            n1 = sample(noise, u * 24 + vi * 40, v * 24 - t * 4)
            n2 = sample(fine, cv.U * 2.2 + 13 * vi, cv.V * 2.2 + t * 8)
            dens = shape * (1 + p["rough"] * (n1 - 0.5) + p["fine"] * (n2 - 0.5))
            thr = 0.05 + 0.3 * t * t
            a = smooth(thr, thr + 0.3, dens)
            fade = (1 - t) ** 0.9 if f < 15 else 0.0
            a = a * p["amax"] * fade
            # billow relief: light from the upper left on the blurred density
            hgt = blur(dens, 1.5 * cv.ss)
            gy, gx = np.gradient(hgt)
            relief = clamp01(0.5 + p["relief"] * 0.12 * R * cv.ss * (gx + gy))
            lit = clamp01(0.35 + 0.6 * relief - 0.25 * v + 0.3 * (n2 - 0.5) + 0.2 * (1 - t) * shape)
            col = mix(p["dark"], p["light"], lit)
            cv.paint(a, col)
            tiles.append(cv.image())
        save(sheet(tiles, 4, 64, 64), os.path.join(IMG_DIR, "smokey_%d.png" % (vi + 1)))


# ================================================================ 11. explosions
EXPLO = [
    dict(seed=101, ramp=[(0, C(255, 255, 240)), (0.2, C(255, 240, 130)), (0.45, C(255, 160, 40)),
                         (0.7, C(220, 70, 15)), (0.88, C(110, 30, 15)), (1.0, C(45, 30, 28))],
         spark=C(255, 230, 140), sparks=12, debris=0, ring=None, lumps=0.55),
    dict(seed=202, ramp=[(0, C(255, 255, 255)), (0.25, C(200, 245, 255)), (0.5, C(90, 180, 255)),
                         (0.75, C(70, 60, 230)), (0.9, C(45, 20, 120)), (1.0, C(20, 10, 50))],
         spark=C(210, 250, 255), sparks=20, debris=0, ring=C(160, 225, 255), lumps=0.3),
    dict(seed=303, ramp=[(0, C(255, 250, 220)), (0.18, C(255, 210, 90)), (0.4, C(245, 100, 25)),
                         (0.65, C(170, 30, 15)), (0.85, C(70, 20, 15)), (1.0, C(28, 20, 20))],
         spark=C(255, 190, 90), sparks=8, debris=10, ring=None, lumps=0.8),
]


def gen_explosions():
    for vi, p in enumerate(EXPLO):
        rng = np.random.default_rng(p["seed"])
        noise = periodic_noise(128, p["seed"], 2.2)
        fine = periodic_noise(128, p["seed"] + 5, 1.4)
        sparks = [(rng.uniform(0, 2 * math.pi), rng.uniform(20, 29), rng.uniform(0.9, 1.4))
                  for _ in range(p["sparks"])]
        debris = [(rng.uniform(0, 2 * math.pi), rng.uniform(8, 30), rng.uniform(1.1, 2.3),
                   rng.uniform(0, math.pi)) for _ in range(p["debris"])]
        tiles = []
        for f in range(16):
            t = f / 15.0
            cv = Cv(64, 64, 3)
            cv.xf(32, 32)
            r = np.hypot(cv.U, cv.V)
            R = 9 + 16 * (1 - (1 - t) ** 2.5)
            sc = 18.0 / R
            n = sample(noise, cv.U * sc + vi * 30, cv.V * sc + vi * 11 - t * 8)
            nf = sample(fine, cv.U * 3 + 50, cv.V * 3 - t * 20)
            edge = R * (1 + p["lumps"] * (n - 0.5))
            body = clamp01(1 - r / np.maximum(edge, 0.5))
            # temperature: hot core, cooling outward and over time
            heat = clamp01((1 - body) * 0.75 + t * 0.95 - 0.15 + 0.35 * (nf - 0.5))
            if vi == 1:  # plasma: hollow out into a shell
                body = body * (0.25 + 0.75 * smooth(0.15, 0.6, r / R + 0.5 - t))
            # break up the cloud as it fades
            thr = 0.02 + 0.5 * max(0.0, t - 0.35)
            cover = smooth(thr, thr + 0.2, body * (0.6 + 0.8 * nf))
            fade = 1.0 if t < 0.5 else (1 - (t - 0.5) / 0.5) ** 1.2
            a = cover * fade
            cv.paint(a, ramp(p["ramp"], heat))
            if p["ring"] is not None and t < 0.8:
                rr = 8 + 22 * (1 - (1 - t / 0.8) ** 2)
                ring = clamp01(1 - np.abs(r - rr) / (1.2 + 1.5 * t))
                cv.paint(ring, p["ring"], 0.9 * (1 - t / 0.8))
            for ang, sp, w in sparks:
                if t > 0.75 or f == 0:
                    continue
                d1 = 6 + sp * (1 - (1 - t / 0.75) ** 2)
                d0 = d1 - 4 * (1 - t)
                x0, y0 = d0 * math.cos(ang), d0 * math.sin(ang)
                x1, y1 = d1 * math.cos(ang), d1 * math.sin(ang)
                k = 1 - t / 0.75
                cv.paint(cv.seg(x0, y0, x1, y1, w * 0.45 * (0.5 + k)), p["spark"], 0.9 * k)
                cv.paint(cv.ell(x1, y1, w * 0.6 * (0.5 + k)), WHITE, k)
            for ang, sp, sz, rot in debris:
                if t > 0.9 or f == 0:
                    continue
                d = 4 + sp * t ** 0.7
                x, y = d * math.cos(ang), d * math.sin(ang) + 14 * t * t
                a0 = rot + t * 7
                pts = [(x + sz * (1 + 0.3 * (k % 2)) * math.cos(a0 + k * 1.6),
                        y + sz * (1 + 0.3 * (k % 2)) * math.sin(a0 + k * 1.6)) for k in range(4)]
                vis = 1 - max(0.0, t - 0.6) / 0.3
                cv.paint(cv.poly(pts), C(35, 26, 24), vis)
                cv.paint(cv.ell(x, y, sz * 0.3), C(255, 150, 60), (1 - t) * vis * 0.8)
            # initial flash: hot core and a four-point flare
            if f < 3:
                fr = [7, 11, 9][f]
                k = [1.0, 0.8, 0.45][f]
                flare = clamp01(1 - (np.abs(cv.U) / (fr * 2.6) + np.abs(cv.V) / 1.6)) + \
                    clamp01(1 - (np.abs(cv.V) / (fr * 2.6) + np.abs(cv.U) / 1.6))
                cv.paint(clamp01(flare), WHITE, k)
                cv.paint(clamp01(1 - r / (fr * 1.9)) ** 1.5, C(255, 250, 220), 0.6 * k)
                cv.paint(cv.ell(0, 0, fr), WHITE, k)
            if f == 15:
                cv.p[...] = 0
            tiles.append(cv.image())
        save(sheet(tiles, 4, 64, 64), os.path.join(IMG_DIR, "explode_%d.png" % (vi + 1)))


# ================================================================ 12. title
def gen_title():
    W, H, s = 800, 600, 2
    cv = Cv(W, H, s)
    cv.xf(0, 0)
    X, Y = cv.U, cv.V
    rng = np.random.default_rng(7)
    # deep space gradient
    bg = ramp([(0, C(6, 6, 26)), (0.55, C(3, 3, 12)), (1.0, C(8, 4, 20))], Y / H)
    # calm panel behind the buttons
    panel = smooth(0, 60, np.minimum.reduce([X - 265, 534 - X, Y - 215, 600 - Y]))
    n1 = periodic_noise(256, 71, 2.4)
    n2 = periodic_noise(256, 72, 2.0)
    neb_a = sample(n1, X * 0.3, Y * 0.3)
    neb_b = sample(n2, X * 0.45 + 50, Y * 0.45)
    nb = smooth(0.45, 0.85, neb_a) * (1 - 0.85 * panel)
    nc = smooth(0.5, 0.9, neb_b) * (1 - 0.85 * panel)
    col = bg + nb[..., None] * C(110, 30, 140) * 0.6 + nc[..., None] * C(20, 110, 150) * 0.45
    cv.paint(np.ones_like(X), col)
    # stars
    stars = np.zeros_like(X)
    for _ in range(420):
        x, y = rng.uniform(0, W), rng.uniform(0, H)
        b = rng.uniform(0.25, 1.0) ** 2
        if 270 < x < 530 and 225 < y < 595:
            b *= 0.35
        r = 0.5 + 0.9 * b
        x0, x1 = int(max(0, (x - 3) * s)), int(min(W * s, (x + 3) * s))
        y0, y1 = int(max(0, (y - 3) * s)), int(min(H * s, (y + 3) * s))
        d = np.hypot(X[y0:y1, x0:x1] - x, Y[y0:y1, x0:x1] - y)
        stars[y0:y1, x0:x1] = np.maximum(stars[y0:y1, x0:x1], b * clamp01(1.2 - d / r))
    cv.paint(stars, C(235, 240, 255))
    for x, y in ((90, 70), (715, 240), (160, 420), (640, 60), (735, 470)):
        cv.paint(clamp01(1 - (np.abs(X - x) / 9 + np.abs(Y - y) / 0.9)) + clamp01(1 - (np.abs(X - x) / 0.9 + np.abs(Y - y) / 9)),
                 C(200, 230, 255))
        cv.paint(cv.ell(x, y, 1.6), WHITE)
    # planet horizon (lower left) and small moon (right)
    px, py, pr = -70, 1060, 560
    pd = np.hypot(X - px, Y - py)
    atmo = clamp01(1 - np.abs(pd - pr) / 18) ** 2
    cv.paint(atmo, C(80, 200, 255), 0.8)
    planet = (pd <= pr).astype(np.float32)
    lat = sample(n2, X * 0.15, Y * 1.2)
    pcol = mix(C(10, 25, 60), C(40, 90, 140), clamp01(lat * 0.8 + (pr - pd < 60) * 0.3 * (1 - (pr - pd) / 60)))
    shade = clamp01(1 - (X - 60) / 500)
    pcol = pcol * (0.25 + 0.75 * shade)[..., None]
    cv.paint(planet, pcol)
    cv.paint(planet * clamp01(1 - (pr - pd) / 6), C(150, 230, 255), 0.7)
    mx, my, mr = 690, 330, 42
    moon = cv.ell(mx, my, mr)
    mn = sample(n1, X * 1.5, Y * 1.5)
    cv.paint(moon, mix(C(60, 50, 70), C(200, 180, 190), clamp01(0.3 + mn * 0.6 - (np.hypot(X - mx + 14, Y - my + 14) / mr) * 0.6)))
    # saucer silhouettes with tiny lights
    for sx0, sy0, sc in ((130, 290, 1.6), (205, 360, 0.9), (720, 180, 1.1)):
        cv.paint(cv.ell(sx0, sy0, 20 * sc, 5 * sc), C(14, 14, 30))
        cv.paint(cv.ell(sx0, sy0 - 3 * sc, 8 * sc, 7 * sc) * (Y <= sy0 - 2 * sc), C(30, 60, 80))
        for k in (-2, -1, 0, 1, 2):
            cv.paint(cv.ell(sx0 + k * 7 * sc, sy0 + 1.5 * sc, 1.2 * sc), AMBER)
        cv.paint(clamp01(1 - np.hypot(X - sx0, (Y - sy0 - 30 * sc) / 3) / (10 * sc)) * (Y > sy0),
                 C(120, 230, 255), 0.12)
    # ---- title lettering
    text = "VEXTORON"
    fs = 118 * s
    font = ImageFont.truetype(SANS_BOLD, fs)
    tmp = Image.new("L", (W * s + 400, 220 * s), 0)
    ImageDraw.Draw(tmp).text((200, 10 * s), text, font=font, fill=255)
    bb = tmp.getbbox()
    tmp = tmp.crop((bb[0] - 40, bb[1] - 40, bb[2] + 40, bb[3] + 40))
    # italic shear
    sh = 0.22
    tw = tmp.width + int(sh * tmp.height)
    tmp = tmp.transform((tw, tmp.height), Image.AFFINE, (1, -sh, sh * tmp.height, 0, 1, 0), Image.BICUBIC)
    target_w = 700 * s
    k = min(1.0, target_w / tmp.width)
    tmp = tmp.resize((int(tmp.width * k), int(tmp.height * 1.05 * k)), Image.LANCZOS)
    mask = np.zeros((H * s, W * s), np.float32)
    ox = (W * s - tmp.width) // 2
    oy = 52 * s - 40 * k
    oy = int(oy)
    tarr = np.asarray(tmp, np.float32) / 255
    mask[oy:oy + tarr.shape[0], ox:ox + tarr.shape[1]] = tarr
    tb = np.argwhere(mask > 0.5)
    ty0, ty1 = tb[:, 0].min() / s, tb[:, 0].max() / s
    glow = blur(mask, 10 * s)
    cv.paint(clamp01(glow * 1.6), C(210, 40, 200), 0.55)
    thick = clamp01(blur(mask, 2.5 * s) * 4)
    cv.paint(thick, C(255, 255, 255), 1.0)
    edge = clamp01(blur(mask, 1.2 * s) * 3)
    cv.paint(edge, C(20, 8, 50))
    ty = (Y - ty0) / (ty1 - ty0)
    chrome = ramp([(0, C(255, 255, 255)), (0.3, C(140, 230, 255)), (0.52, C(20, 60, 160)),
                   (0.54, C(255, 235, 200)), (0.75, C(255, 140, 60)), (1.0, C(200, 40, 120))], ty)
    cv.paint(mask, chrome)
    # subtle scanline sheen on the letters
    cv.paint(mask * (np.mod(Y, 6) < 1) * (ty < 0.5), WHITE, 0.25)
    # sparkle on the title
    for x, y in ((ox / s + 40, ty0 + 6), (W - ox / s - 60, ty1 - 10)):
        cv.paint(clamp01(1 - (np.abs(X - x) / 16 + np.abs(Y - y) / 1.2)) + clamp01(1 - (np.abs(X - x) / 1.2 + np.abs(Y - y) / 16)), WHITE)
    img = cv.image(clean=False)
    arr = np.asarray(img).copy()
    arr[..., 3] = 255
    save(Image.fromarray(arr, "RGBA"), os.path.join(IMG_DIR, "title3.png"))


# ================================================================ 13. buttons
def gen_buttons():
    for name, hover in (("menubutton.png", False), ("menubuttonhover.png", True)):
        W, H = 229, 69
        cv = Cv(W, H)
        cv.xf(0, 0)
        d = cv.rrect_d(0.5, 0.5, W - 0.5, H - 0.5, 15)
        body = (d <= 0).astype(np.float32)
        if not hover:
            frame = shade_v(cv, 0, H, C(250, 252, 255), C(90, 100, 120))
            face = shade_v(cv, 6, H - 6, C(238, 242, 248), C(176, 186, 202))
            rim = C(40, 50, 75)
        else:
            frame = shade_v(cv, 0, H, C(150, 240, 255), C(10, 60, 140))
            face = ramp([(0, C(40, 110, 230)), (0.5, C(18, 50, 160)), (1.0, C(8, 24, 90))], (cv.V - 6) / (H - 12))
            rim = C(5, 15, 50)
        cv.paint(body, rim)
        cv.paint((d <= -1.5).astype(np.float32), frame)
        inner_d = cv.rrect_d(6, 6, W - 6, H - 6, 10)
        cv.paint((inner_d <= 0).astype(np.float32), face)
        # inner bevel lines
        bev = ((inner_d <= 0) & (inner_d > -1.2)).astype(np.float32)
        if not hover:
            cv.paint(bev, shade_v(cv, 6, H - 6, C(100, 110, 130), C(255, 255, 255)), 0.8)
        else:
            cv.paint(bev, shade_v(cv, 6, H - 6, C(5, 20, 70), C(120, 230, 255)), 0.8)
        # top gloss
        gloss = (cv.rrect_d(10, 8, W - 10, 20, 6) <= 0) * (1 - clamp01((cv.V - 8) / 12))
        cv.paint(gloss.astype(np.float32), WHITE, 0.35 if not hover else 0.25)
        if hover:
            # inner glow along the face border
            cv.paint(((inner_d <= 0) * clamp01(1 + inner_d / 6)).astype(np.float32), C(80, 220, 255), 0.55)
        cv.paint(((d <= -1.5) & (d > -2.5)).astype(np.float32), WHITE if not hover else C(180, 250, 255), 0.5)
        save(cv.image(), os.path.join(IMG_DIR, name))


# ================================================================ 14. mouse
def gen_mouse():
    cv = Cv(32, 32)
    cv.xf(0, 0)
    pts = [(0, 0), (0, 24.5), (6.2, 19), (10.3, 28.3), (14.4, 26.6), (10.4, 17.6), (18.6, 17.6)]
    outer = cv.poly(pts)
    cv.paint(outer, INK)
    inner_pts = [(1.6, 3.9), (1.6, 20.8), (6.8, 16.2), (11.1, 26.1), (12.6, 25.5), (8.3, 15.9), (14.8, 15.9)]
    cv.paint(cv.poly(inner_pts), mix(C(255, 255, 255), C(185, 200, 220), clamp01((cv.V + cv.U * 0.3) / 26)))
    img = cv.image()
    arr = np.asarray(img).copy()
    arr[0, 0] = (10, 14, 24, 255)  # the hot spot pixel is always solid
    save(Image.fromarray(arr, "RGBA"), os.path.join(IMG_DIR, "mouse.png"))


# ================================================================ 15. logo
def gen_logo():
    W, H = 120, 100
    cv = Cv(W, H)
    cv.xf(60, 34)
    glow = cv.blank()
    glow.glow_under(glow.ell(0, 3, 9, 12), C(255, 170, 50), 5, 0.45)
    b = cv.blank()
    brass_hi, brass_lo = C(255, 225, 130), C(130, 80, 20)
    # handle ring
    ring = b.ell(0, -26, 6.5, 6) * (1 - b.ell(0, -26, 4, 3.6))
    b.paint(ring, shade_v(b, -32, -20, brass_hi, brass_lo))
    # cap
    b.paint(b.poly([(-9, -14), (-4, -21), (4, -21), (9, -14)]), shade_v(b, -21, -14, brass_hi, brass_lo))
    b.paint(b.rrect(-13, -15, 13, -11, 1.5), shade_v(b, -15, -11, brass_hi, brass_lo))
    # glass with flame
    glass = b.rrect(-10, -11, 10, 17, 4)
    b.paint(glass, ramp([(0, C(255, 240, 180)), (0.5, C(255, 170, 50)), (1, C(170, 70, 10))],
                        np.hypot(b.U * 1.1, b.V - 4) / 14))
    flame = b.poly([(0, -6), (3.6, 3), (3, 8), (0, 10), (-3, 8), (-3.6, 3)])
    b.paint(flame, shade_v(b, -6, 10, C(255, 255, 240), C(255, 200, 80)))
    # frame bars
    for x in (-10, 10):
        b.paint(b.rect(x - 1.4, -11, x + 1.4, 17), shade_v(b, -11, 17, brass_hi, brass_lo))
    b.paint(b.rect(-1, -11, 1, -7), brass_lo)
    # base
    b.paint(b.rrect(-13, 16, 13, 21, 1.5), shade_v(b, 16, 21, brass_hi, brass_lo))
    b.paint(b.poly([(-9, 21), (9, 21), (6, 25), (-6, 25)]), shade_v(b, 21, 25, brass_hi * 0.8, brass_lo * 0.7))
    b.outline(0.9, C(30, 15, 5))
    cv.over(glow)
    cv.over(b)
    # wordmark
    fs = 15 * SS
    font = ImageFont.truetype(SANS_BOLD, fs)
    tmp = Image.new("L", (W * SS * 2, 40 * SS), 0)
    ImageDraw.Draw(tmp).text((10, 5 * SS), "lanternworks", font=font, fill=255)
    tmp = tmp.crop(tmp.getbbox())
    maxw = 112 * SS
    if tmp.width > maxw:
        tmp = tmp.resize((maxw, tmp.height), Image.LANCZOS)
    m = np.zeros((H * SS, W * SS), np.float32)
    ox, oy = (W * SS - tmp.width) // 2, 74 * SS
    m[oy:oy + tmp.height, ox:ox + tmp.width] = np.asarray(tmp, np.float32) / 255
    cv.paint(clamp01(blur(m, 1.0 * SS) * 3), C(40, 20, 5))
    cv.xf(0, 0)
    cv.paint(m, shade_v(cv, 74, 74 + tmp.height / SS, C(255, 240, 200), C(240, 160, 60)))
    save(cv.image(), os.path.join(IMG_DIR, "lanternworks.png"))


# ================================================================ icon
def gen_icon():
    W = 256
    cv = Cv(W, W, 4)
    cv.xf(0, 0)
    d = cv.rrect_d(4, 4, W - 4, W - 4, 40)
    bgm = (d <= 0).astype(np.float32)
    cv.paint(bgm, ramp([(0, C(25, 20, 70)), (0.6, C(8, 8, 30)), (1, C(4, 20, 30))], cv.V / W))
    rng = np.random.default_rng(5)
    for _ in range(40):
        x, y = rng.uniform(20, 236), rng.uniform(20, 140)
        cv.paint(cv.ell(x, y, rng.uniform(0.6, 1.6)) * bgm, C(220, 230, 255), rng.uniform(0.4, 1))
    # tractor beam
    beam = cv.poly([(112, 100), (144, 100), (190, 215), (66, 215)]) * bgm
    cv.paint(beam * clamp01(1 - (cv.V - 100) / 140), C(120, 240, 255), 0.45)
    ground = cv.rect(0, 218, W, W) * bgm
    cv.paint(ground, C(20, 45, 30))
    # tank
    tank = cv.blank().xf(128, 178, 0, 2.3)
    draw_tank(tank, 0)
    ufo = cv.blank().xf(128, 78, -8, 3.9)
    draw_scout(ufo, 1, 0)
    ufo.outline(0.8)
    cv.over(tank)
    cv.over(ufo)
    cv.paint(((d <= 0) & (d > -5)).astype(np.float32), C(90, 220, 255))
    cv.paint(((d <= -5) & (d > -7)).astype(np.float32), C(10, 20, 50))
    big = cv.image()
    save(big, os.path.join(ICON_DIR, "vextoron.png"))
    # The smaller desktop sizes straight from the supersampled buffer, not from the 256 px picture.
    for size in ICON_SIZES:
        save(icon_from_buffer(cv.p, size), os.path.join(ICON_DIR, f"vextoron-{size}.png"))


# Sizes of the smaller icons (the 256 px one is vextoron.png); each must divide the 1024 px buffer.
ICON_SIZES = (64, 128)


def icon_from_buffer(buf, size):
    """Box-filters the square premultiplied buffer down to size x size and un-premultiplies it."""
    n = buf.shape[0] // size
    p = buf.reshape(size, n, size, n, 4).mean(axis=(1, 3))
    a = p[..., 3]
    rgb = p[..., :3] / np.maximum(a, 1e-6)[..., None]
    out = np.zeros((size, size, 4), np.uint8)
    out[..., :3] = np.round(clamp01(rgb) * 255)
    out[..., 3] = np.round(np.where(a < 0.03, 0, clamp01(a)) * 255)
    out[out[..., 3] == 0, :3] = 0
    return Image.fromarray(out, "RGBA")


def main():
    gen_font()
    gen_greentank()
    gen_hovertank()
    gen_saucers()
    gen_boss()
    gen_missile()
    gen_fireballs()
    gen_smoke()
    gen_explosions()
    gen_title()
    gen_buttons()
    gen_mouse()
    gen_logo()
    gen_icon()
    print("images written to", os.path.relpath(IMG_DIR, ROOT), "and", os.path.relpath(ICON_DIR, ROOT))


if __name__ == "__main__":
    main()
