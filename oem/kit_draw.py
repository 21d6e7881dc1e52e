"""Pictures of the reference skin: every kind named in kit_layout, drawn at 4x and downsampled."""

import math

from PIL import Image, ImageDraw, ImageFilter, ImageFont

SS = 4  # supersampling factor
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"

PALETTES = {
    "Graphite": dict(bg0=(14, 16, 19), bg1=(24, 27, 32), side=(18, 20, 24), card0=(29, 33, 39), card1=(22, 25, 30),
                     border=(46, 52, 61), raised0=(44, 49, 57), raised1=(33, 37, 43), glyph=(150, 160, 172),
                     accent=(45, 212, 191), accent_dark=(15, 118, 110), accent_deep=(17, 66, 62), text=(214, 222, 230)),
    "Ember": dict(bg0=(17, 14, 13), bg1=(29, 25, 23), side=(21, 18, 17), card0=(36, 31, 29), card1=(27, 23, 22),
                  border=(60, 51, 47), raised0=(56, 48, 44), raised1=(42, 36, 33), glyph=(172, 160, 150),
                  accent=(251, 146, 60), accent_dark=(194, 65, 12), accent_deep=(74, 36, 18), text=(232, 222, 214)),
}


def rgba(c, a=255):
    return (c[0], c[1], c[2], a)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


class Canvas:
    """A picture of w x h pixels drawn at SS times the size; coordinates are in final pixels (floats)."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.img)

    def s(self, *v):
        return [x * SS for x in v]

    def rrect(self, x, y, w, h, r, fill=None, outline=None, width=1.0):
        self.d.rounded_rectangle(self.s(x, y, x + w - 1 / SS, y + h - 1 / SS), radius=r * SS, fill=fill,
                                 outline=outline, width=max(1, int(round(width * SS))))

    def grad_rrect(self, x, y, w, h, r, top, bottom, outline=None, width=1.0, alpha=255):
        layer = Image.new("RGBA", self.img.size, (0, 0, 0, 0))
        ld = ImageDraw.Draw(layer)
        y0, y1 = int(y * SS), int((y + h) * SS)
        for yy in range(y0, y1):
            t = (yy - y0) / max(1, y1 - y0 - 1)
            ld.line([(int(x * SS), yy), (int((x + w) * SS), yy)], fill=rgba(mix(top, bottom, t), alpha))
        mask = Image.new("L", self.img.size, 0)
        ImageDraw.Draw(mask).rounded_rectangle(self.s(x, y, x + w - 1 / SS, y + h - 1 / SS), radius=r * SS, fill=255)
        self.img.paste(layer, (0, 0), Image.composite(layer, Image.new("RGBA", layer.size), mask).getchannel("A"))
        if outline:
            self.rrect(x, y, w, h, r, outline=outline, width=width)

    def ellipse(self, cx, cy, rx, ry=None, fill=None, outline=None, width=1.0):
        ry = rx if ry is None else ry
        self.d.ellipse(self.s(cx - rx, cy - ry, cx + rx, cy + ry), fill=fill, outline=outline,
                       width=max(1, int(round(width * SS))))

    def line(self, pts, fill, width=1.0):
        self.d.line([(px * SS, py * SS) for px, py in pts], fill=fill, width=max(1, int(round(width * SS))),
                    joint="curve")
        r = width * SS / 2
        for px, py in (pts[0], pts[-1]):
            self.d.ellipse([px * SS - r, py * SS - r, px * SS + r, py * SS + r], fill=fill)

    def arc(self, cx, cy, r, start, end, fill, width=1.0):
        self.d.arc(self.s(cx - r, cy - r, cx + r, cy + r), start, end, fill=fill, width=max(1, int(round(width * SS))))

    def poly(self, pts, fill):
        self.d.polygon([(px * SS, py * SS) for px, py in pts], fill=fill)

    def text(self, cx, cy, txt, size, fill, bold=True, anchor="mm"):
        font = ImageFont.truetype(FONT_BOLD if bold else FONT, max(1, int(size * SS)))
        self.d.text((cx * SS, cy * SS), txt, font=font, fill=fill, anchor=anchor)

    def glow(self, radius):
        blurred = self.img.filter(ImageFilter.GaussianBlur(radius * SS))
        self.img = Image.alpha_composite(blurred, self.img)
        self.d = ImageDraw.Draw(self.img)

    def result(self):
        return self.img.resize((self.w, self.h), Image.LANCZOS)


# ---------------------------------------------------------------- glyphs (drawn into a box of size g)

def glyph(c, kind, x, y, g, col):
    """A line icon centred in the square (x, y, g, g)."""
    cx, cy, u = x + g / 2, y + g / 2, g / 16
    w = max(1.2, 1.5 * u)
    if kind == "eq":
        for i, (lo, hi) in enumerate([(5, 11), (3, 9), (6, 12)]):
            xx = cx + (i - 1) * 4.5 * u
            c.line([(xx, cy - 6 * u), (xx, cy + 6 * u)], col, w * 0.8)
            c.ellipse(xx, cy - 6 * u + (lo + hi) / 2 * u * 0.9 - 2 * u, 1.9 * u, fill=col)
    elif kind == "wave":
        pts = [(cx - 7 * u + i * u * 0.5, cy + math.sin(i * 0.55) * 4.5 * u * (1 - abs(i - 14) / 16)) for i in range(29)]
        c.line(pts, col, w)
    elif kind == "mic":
        c.rrect(cx - 2.6 * u, cy - 7 * u, 5.2 * u, 9 * u, 2.6 * u, outline=col, width=w)
        c.arc(cx, cy - 0.5 * u, 5 * u, 20, 160, col, w)
        c.line([(cx, cy + 4.5 * u), (cx, cy + 7 * u)], col, w)
        c.line([(cx - 3 * u, cy + 7 * u), (cx + 3 * u, cy + 7 * u)], col, w)
    elif kind == "ring":
        c.ellipse(cx, cy, 6.5 * u, outline=col, width=w)
        c.ellipse(cx, cy, 2 * u, fill=col)
        for a in range(0, 360, 45):
            c.ellipse(cx + math.cos(math.radians(a)) * 6.5 * u, cy + math.sin(math.radians(a)) * 6.5 * u, 1.3 * u, fill=col)
    elif kind == "bulb":
        c.ellipse(cx, cy - 1.5 * u, 4.8 * u, outline=col, width=w)
        c.line([(cx - 2 * u, cy + 5 * u), (cx + 2 * u, cy + 5 * u)], col, w)
        c.line([(cx - 1.5 * u, cy + 7 * u), (cx + 1.5 * u, cy + 7 * u)], col, w)
    elif kind == "shield":
        c.line([(cx, cy - 7 * u), (cx + 6 * u, cy - 4.5 * u), (cx + 5 * u, cy + 2 * u), (cx, cy + 7 * u),
                (cx - 5 * u, cy + 2 * u), (cx - 6 * u, cy - 4.5 * u), (cx, cy - 7 * u)], col, w)
        c.line([(cx - 3 * u, cy), (cx - 1.5 * u, cy - 2 * u), (cx, cy + 1.5 * u), (cx + 1.5 * u, cy - 1 * u), (cx + 3 * u, cy)], col, w * 0.8)
    elif kind == "voice":
        for i, hgt in enumerate([3, 6, 9, 5, 7, 3]):
            xx = cx + (i - 2.5) * 2.5 * u
            c.line([(xx, cy - hgt * u / 1.4), (xx, cy + hgt * u / 1.4)], col, w)
    elif kind == "save":
        c.line([(cx, cy - 6 * u), (cx, cy + 2 * u)], col, w)
        c.line([(cx - 3.5 * u, cy - 1.5 * u), (cx, cy + 2 * u), (cx + 3.5 * u, cy - 1.5 * u)], col, w)
        c.line([(cx - 6 * u, cy + 3 * u), (cx - 6 * u, cy + 6 * u), (cx + 6 * u, cy + 6 * u), (cx + 6 * u, cy + 3 * u)], col, w)
    elif kind == "load":
        c.line([(cx - 6.5 * u, cy + 5.5 * u), (cx - 6.5 * u, cy - 5 * u), (cx - 2 * u, cy - 5 * u), (cx, cy - 3 * u),
                (cx + 6.5 * u, cy - 3 * u), (cx + 6.5 * u, cy + 5.5 * u), (cx - 6.5 * u, cy + 5.5 * u)], col, w)
    elif kind == "info":
        c.ellipse(cx, cy, 6.8 * u, outline=col, width=w)
        c.ellipse(cx, cy - 3.4 * u, 1.1 * u, fill=col)
        c.line([(cx, cy - 0.5 * u), (cx, cy + 3.8 * u)], col, w * 1.1)
    elif kind == "power":
        c.arc(cx, cy + 0.5 * u, 5.8 * u, -50, 230, col, w)
        c.line([(cx, cy - 6.5 * u), (cx, cy)], col, w)
    elif kind == "3d":
        c.line([(cx - 6 * u, cy - 3 * u), (cx, cy - 6.5 * u), (cx + 6 * u, cy - 3 * u), (cx + 6 * u, cy + 3.5 * u),
                (cx, cy + 7 * u), (cx - 6 * u, cy + 3.5 * u), (cx - 6 * u, cy - 3 * u)], col, w)
        c.line([(cx - 6 * u, cy - 3 * u), (cx, cy + 0.5 * u), (cx + 6 * u, cy - 3 * u)], col, w)
        c.line([(cx, cy + 0.5 * u), (cx, cy + 7 * u)], col, w)
    elif kind == "reset":
        c.arc(cx, cy, 5.8 * u, 40, 320, col, w)
        c.poly([(cx + 6.2 * u, cy - 6.5 * u), (cx + 6.4 * u, cy - 1 * u), (cx + 1.4 * u, cy - 3 * u)], col)
    elif kind in ("cw", "ccw"):
        c.arc(cx, cy, 5.8 * u, 210, 510 - 180, col, w) if kind == "cw" else c.arc(cx, cy, 5.8 * u, 30, 330, col, w)
        if kind == "cw":
            c.poly([(cx + 5.8 * u - 3 * u, cy - 1 * u), (cx + 5.8 * u + 3 * u, cy - 1 * u), (cx + 5.8 * u, cy + 3 * u)], col)
        else:
            c.poly([(cx - 5.8 * u - 3 * u, cy - 1 * u), (cx - 5.8 * u + 3 * u, cy - 1 * u), (cx - 5.8 * u, cy + 3 * u)], col)
    elif kind in ("enlarge", "narrow"):
        for sx, sy in [(-1, -1), (1, -1), (-1, 1), (1, 1)]:
            tip, base = (7, 2.5) if kind == "enlarge" else (2.5, 7)
            c.line([(cx + sx * base * u, cy + sy * base * u), (cx + sx * tip * u, cy + sy * tip * u)], col, w)
            c.line([(cx + sx * tip * u, cy + sy * tip * u), (cx + sx * (tip - 3 * (1 if kind == 'enlarge' else -1)) * u, cy + sy * tip * u)], col, w)
            c.line([(cx + sx * tip * u, cy + sy * tip * u), (cx + sx * tip * u, cy + sy * (tip - 3 * (1 if kind == 'enlarge' else -1)) * u)], col, w)
    elif kind == "boost":
        c.line([(cx - 6 * u, cy + 5 * u), (cx - 1 * u, cy - 1 * u), (cx + 2 * u, cy + 2 * u), (cx + 6.5 * u, cy - 5 * u)], col, w)
        c.line([(cx + 2.5 * u, cy - 5 * u), (cx + 6.5 * u, cy - 5 * u), (cx + 6.5 * u, cy - 1 * u)], col, w)
    elif kind == "mute":
        glyph(c, "mic", x, y, g, col)
        c.line([(cx - 6 * u, cy - 6 * u), (cx + 6 * u, cy + 6 * u)], col, w)
    elif kind == "phones":
        c.arc(cx, cy + 1 * u, 6 * u, 180, 360, col, w)
        c.rrect(cx - 7 * u, cy + 0.5 * u, 3.4 * u, 6 * u, 1.2 * u, fill=col)
        c.rrect(cx + 3.6 * u, cy + 0.5 * u, 3.4 * u, 6 * u, 1.2 * u, fill=col)
    elif kind == "plain":
        pass
    elif kind in ("none", "theater", "bath", "sofa", "arch"):
        fx_glyph(c, kind, cx, cy, u, col, w)
    elif kind.startswith("vm_"):
        vm_glyph(c, kind, cx, cy, u, col, w)


def fx_glyph(c, kind, cx, cy, u, col, w):
    if kind == "none":
        c.line([(cx - 7 * u, cy), (cx + 7 * u, cy)], col, w)
    elif kind == "theater":
        c.rrect(cx - 7 * u, cy - 6 * u, 14 * u, 8 * u, 1 * u, outline=col, width=w)
        for i in range(4):
            c.ellipse(cx - 5.4 * u + i * 3.6 * u, cy + 5 * u, 1.3 * u, fill=col)
    elif kind == "bath":
        c.line([(cx - 7 * u, cy), (cx + 7 * u, cy)], col, w)
        c.line([(cx - 6 * u, cy), (cx - 5 * u, cy + 5 * u), (cx + 5 * u, cy + 5 * u), (cx + 6 * u, cy)], col, w)
        for i in range(3):
            c.ellipse(cx - 3 * u + i * 3 * u, cy - 4 * u - (i % 2) * 2 * u, 1 * u, fill=col)
    elif kind == "sofa":
        c.rrect(cx - 7 * u, cy - 1 * u, 14 * u, 6 * u, 1.5 * u, outline=col, width=w)
        c.line([(cx - 5 * u, cy - 1 * u), (cx - 5 * u, cy - 5 * u), (cx + 5 * u, cy - 5 * u), (cx + 5 * u, cy - 1 * u)], col, w)
    elif kind == "arch":
        c.arc(cx - 3.5 * u, cy, 3.2 * u, 180, 360, col, w)
        c.arc(cx + 3.5 * u, cy, 3.2 * u, 180, 360, col, w)
        for xx in (-6.7, -0.3, 0.3, 6.7):
            c.line([(cx + xx * u, cy), (cx + xx * u, cy + 6 * u)], col, w)
        c.line([(cx - 7.5 * u, cy - 5 * u), (cx + 7.5 * u, cy - 5 * u)], col, w)


def vm_glyph(c, kind, cx, cy, u, col, w):
    """Voice modes as the waveform they give the voice: flat, slow, quick, square (giant), fast and small."""
    shapes = {
        "vm_none": lambda t: 0.0,
        "vm_deep": lambda t: math.sin(t * math.pi * 3) * 5,
        "vm_bright": lambda t: math.sin(t * math.pi * 8) * 3.5,
        "vm_monster": lambda t: math.tanh(math.sin(t * math.pi * 3) * 4) * 5,
        "vm_chip": lambda t: math.sin(t * math.pi * 14) * 2.2,
    }
    n = 120
    pts = [(cx - 8 * u + 16 * u * i / n, cy + shapes[kind](i / n) * u * math.sin(math.pi * i / n) ** 0.5) for i in range(n + 1)]
    c.line(pts, col, w * 0.7)


# ---------------------------------------------------------------- pictures

def draw(kind, w, h, p, s):
    """One picture of the given kind at w x h pixels; s is the resolution scale (for text and strokes)."""
    c = Canvas(w, h)
    A, D = p["accent"], p["accent_dark"]
    stroke = max(1.0, 1.1 * s)

    def button(state, glyph_kind, radius=None):
        r = radius if radius is not None else min(h / 2, 8 * s)
        if state == "up":
            c.grad_rrect(0.5, 0.5, w - 1, h - 1, r, p["raised0"], p["raised1"], outline=rgba(p["border"]), width=stroke)
            col = rgba(p["glyph"])
        else:
            c.grad_rrect(0.5, 0.5, w - 1, h - 1, r, mix(p["accent_deep"], A, 0.35), p["accent_deep"],
                         outline=rgba(A), width=stroke)
            col = rgba(mix(A, (255, 255, 255), 0.35))
        if glyph_kind != "plain":
            g = min(h * 0.62, 18 * s)
            glyph(c, glyph_kind, (h - g) / 2 + 4 * s, (h - g) / 2, g, col)

    if kind == "frame":
        c.grad_rrect(0, 0, w, h, 16 * s, p["bg1"], p["bg0"], outline=rgba(p["border"]), width=stroke)
        c.d.rectangle(c.s(1 * s, 52 * s, 180 * s, 452 * s), fill=rgba(p["side"]))
        c.line([(16 * s, 52 * s), (w - 16 * s, 52 * s)], rgba(p["border"]), stroke)
        c.line([(16 * s, 452 * s), (w - 16 * s, 452 * s)], rgba(p["border"]), stroke)
        for i in range(60):  # a thin accent light along the top edge, fading out
            t = 1 - abs(i - 30) / 30
            c.line([(w * 0.2 + i * w * 0.01, 1.2 * s), (w * 0.2 + (i + 1) * w * 0.01, 1.2 * s)], rgba(A, int(140 * t)), stroke)
        cx, cy, cw, ch = [v * s for v in (180, 60, 606, 384)]
        c.grad_rrect(cx, cy, cw, ch, 12 * s, p["card0"], p["card1"], outline=rgba(p["border"]), width=stroke)
    elif kind.startswith("back_"):
        c.grad_rrect(0, 0, w, h, 12 * s, p["card0"], p["card1"], outline=rgba(p["border"]), width=stroke)
        grid = rgba(p["border"], 150)
        if kind == "back_eq":
            top, length = (142 - 60) * s, 228 * s
            for i in range(9):
                yy = top + length * i / 8
                c.line([(84 * s, yy), (w - 16 * s, yy)], rgba(A, 70) if i == 4 else grid, stroke * (1.0 if i != 4 else 1.2))
        elif kind == "back_mic":
            mx, my, mw, mh = 196 * s, 102 * s, 376 * s, 16 * s
            c.rrect(mx - 3 * s, my - 3 * s, mw + 6 * s, mh + 6 * s, 6 * s, fill=rgba(p["bg0"]), outline=rgba(p["border"]), width=stroke)
            for i in range(1, 10):
                xx = mx + mw * i / 10
                c.line([(xx, my + mh + 6 * s), (xx, my + mh + 10 * s)], grid, stroke)
        elif kind == "back_effect":
            c.line([(222 * s, 24 * s), (222 * s, h - 24 * s)], grid, stroke)
        elif kind == "back_virtual":
            c.line([(382 * s, 24 * s), (382 * s, h - 24 * s)], grid, stroke)
        elif kind == "back_3d":
            for i in range(7):
                yy = (113 - 60) * s + 120 * s * i / 6
                c.line([(40 * s, yy), (w - 40 * s, yy)], grid, stroke)
    elif kind in ("close_up", "close_down", "min_up", "min_down"):
        down = kind.endswith("down")
        fill = (220, 60, 60) if kind == "close_down" else (p["raised0"] if not down else mix(p["raised0"], (255, 255, 255), 0.15))
        c.ellipse(w / 2, h / 2, w / 2 - 0.5, fill=rgba(fill), outline=rgba(p["border"]) if not down else None, width=stroke)
        col = rgba((255, 255, 255)) if down else rgba(p["glyph"])
        k = w * 0.18
        if kind.startswith("close"):
            c.line([(w / 2 - k, h / 2 - k), (w / 2 + k, h / 2 + k)], col, stroke * 1.4)
            c.line([(w / 2 - k, h / 2 + k), (w / 2 + k, h / 2 - k)], col, stroke * 1.4)
        else:
            c.line([(w / 2 - k, h / 2), (w / 2 + k, h / 2)], col, stroke * 1.4)
    elif kind == "status_plate":
        c.rrect(0.5, 0.5, w - 1, h - 1, h / 2, fill=rgba(p["bg0"]), outline=rgba(p["border"]), width=stroke)
    elif kind.startswith("menu_"):
        _, state, g = kind.split("_")
        r = h / 2
        if state == "up":
            c.rrect(0.5, 0.5, w - 1, h - 1, r, fill=rgba(p["raised1"]), outline=rgba(p["border"]), width=stroke)
            col = rgba(p["glyph"])
        else:
            c.rrect(0.5, 0.5, w - 1, h - 1, r, fill=rgba(p["accent_deep"]), outline=rgba(A), width=stroke)
            col = rgba(A)
        gs = h * 0.58
        glyph(c, g, 9 * s, (h - gs) / 2, gs, col)
    elif kind == "logo":
        mark(c, h / 2 + 1, h / 2, h * 0.46, p)
        c.text(h + 8 * s, h / 2 + 0.5 * s, "TONVIO", h * 0.56, rgba(p["text"]), anchor="lm")
    elif kind == "about_logo":
        mark(c, w / 2, h / 2, min(w, h) * 0.46, p)
    elif kind in ("ledbtn_up", "ledbtn_down"):
        down = kind.endswith("down")
        c.rrect(0.5, 0.5, w - 1, h - 1, 8 * s, fill=rgba(p["accent_deep"] if down else p["raised1"]),
                outline=rgba(A if down else p["border"]), width=stroke)
        if down:
            c.ellipse(w / 2, h / 2 - 1 * s, 8 * s, fill=rgba(A, 90))
            c.glow(3 * s)
        glyph(c, "bulb", (w - 20 * s) / 2, (h - 20 * s) / 2, 20 * s, rgba(A if down else p["glyph"]))
    elif kind.startswith("left_"):
        g = kind.split("_")[1]
        c.rrect(0.5, 0.5, w - 1, h - 1, 10 * s, fill=rgba(p["accent_deep"], 110), outline=rgba(p["border"]), width=stroke)
        left_art(c, g, w, h, p, s)
    elif kind.startswith("lamp_"):
        col = {"lamp_green": (52, 211, 153), "lamp_red": (248, 113, 113), "lamp_off": (70, 76, 86)}[kind]
        if kind != "lamp_off":
            c.ellipse(w / 2, h / 2, w * 0.42, fill=rgba(col, 120))
            c.glow(w * 0.12)
        c.ellipse(w / 2, h / 2, w * 0.3, fill=rgba(col))
        c.ellipse(w / 2 - w * 0.08, h / 2 - h * 0.08, w * 0.1, fill=(255, 255, 255, 90 if kind != "lamp_off" else 30))
    elif kind.startswith("btn_"):
        _, state, g = kind.split("_")
        button(state, g)
    elif kind.startswith("fx_"):
        _, state, g = kind.split("_")
        button(state, g, radius=10 * s)
    elif kind.startswith("tab_"):
        _, state, g = kind.split("_")
        gs = 20 * s
        if state == "down":
            c.grad_rrect(0, 0, w, h, 9 * s, mix(p["accent_deep"], A, 0.18), p["accent_deep"])
            c.rrect(0, h * 0.22, 3.5 * s, h * 0.56, 1.75 * s, fill=rgba(A))
            glyph(c, g, 14 * s, (h - gs) / 2, gs, rgba(A))
        else:
            glyph(c, g, 14 * s, (h - gs) / 2, gs, rgba(p["glyph"]))
    elif kind.startswith("tile_"):
        _, state, g = kind.split("_", 2)
        if state == "up":
            c.grad_rrect(0.5, 0.5, w - 1, h - 1, 12 * s, p["raised0"], p["raised1"], outline=rgba(p["border"]), width=stroke)
            col = rgba(p["glyph"])
        else:
            c.grad_rrect(0.5, 0.5, w - 1, h - 1, 12 * s, mix(p["accent_deep"], A, 0.3), p["accent_deep"], outline=rgba(A), width=stroke)
            col = rgba(A)
        gs = 54 * s
        glyph(c, g, (w - gs) / 2, 22 * s, gs, col)
    elif kind == "dot_line":
        c.rrect(0, 0, w, h, h / 2, fill=rgba(A, 120))
    elif kind == "hline":
        for i in range(int(w)):
            t = 1 - abs(i - w / 2) / (w / 2)
            c.d.rectangle(c.s(i, 0, i + 1, h), fill=rgba(p["border"], int(255 * min(1, t * 1.8))))
    elif kind in ("grad_eq", "grad_pct", "grad_small"):
        graduation(c, kind, w, h, p, s)
    elif kind == "vbar_fill":
        c.grad_rrect(0, 0, w, h, w / 2, mix(A, (255, 255, 255), 0.25), D)
    elif kind == "vbar_groove":
        c.rrect(0, 0, w, h, w / 2, fill=rgba(mix(p["bg0"], p["border"], 0.6)))
    elif kind in ("knob_v", "knob_v_wide"):
        c.rrect(1 * s, 1.6 * s, w - 2 * s, h - 2.2 * s, h / 2.4, fill=(0, 0, 0, 120))
        c.grad_rrect(1, 0.5, w - 2, h - 2, h / 2.4, (236, 240, 244), (170, 178, 188))
        c.line([(w * 0.3, h / 2 - 0.6), (w * 0.7, h / 2 - 0.6)], rgba(A), max(1.2, 1.6 * s))
    elif kind in ("knob_h_up", "knob_h_down"):
        down = kind.endswith("down")
        c.rrect(1, 1.5 * s, w - 2, h - 2 * s, w / 2.2, fill=(0, 0, 0, 110))
        c.grad_rrect(1, 0.5, w - 2, h - 2, w / 2.2, (236, 240, 244) if not down else mix(A, (255, 255, 255), 0.4),
                     (170, 178, 188) if not down else D)
        c.line([(w / 2, h * 0.3), (w / 2, h * 0.7)], rgba(p["bg0"], 140), max(1, 1.2 * s))
    elif kind.startswith("hbar_"):
        row = kind.split("_")[1]
        if row == "rainbow":
            cols = [(255, 59, 48), (255, 204, 0), (52, 199, 89), (0, 199, 190), (0, 122, 255), (175, 82, 222), (255, 59, 48)]
        elif row == "breathe":
            cols = [mix(p["bg0"], (255, 59, 48), 0.25), (255, 59, 48)]
        else:
            cols = [(255, 59, 48), (0, 122, 255), (52, 199, 89), (255, 204, 0)]
        layer = Canvas(w, h)
        for i in range(int(w * SS)):
            t = i / (w * SS - 1) * (len(cols) - 1)
            k = min(int(t), len(cols) - 2)
            col = mix(cols[k], cols[k + 1], t - k) if row != "pulsating" else cols[min(int(i / (w * SS) * len(cols)), len(cols) - 1)]
            layer.d.line([(i, 0), (i, h * SS)], fill=rgba(col))
        mask = Image.new("L", layer.img.size, 0)
        ImageDraw.Draw(mask).rounded_rectangle([0, 0, w * SS - 1, h * SS - 1], radius=h * SS / 2, fill=255)
        c.img.paste(layer.img, (0, 0), mask)
        c.d = ImageDraw.Draw(c.img)
        c.rrect(0, 0, w, h, h / 2, outline=(0, 0, 0, 90), width=1)
    elif kind in ("check_up", "check_down"):
        if kind == "check_up":
            c.rrect(1, 1, w - 2, h - 2, 5 * s, fill=rgba(p["bg0"]), outline=rgba(p["glyph"], 160), width=max(1.2, 1.4 * s))
        else:
            c.rrect(1, 1, w - 2, h - 2, 5 * s, fill=rgba(A))
            c.line([(w * 0.27, h * 0.52), (w * 0.44, h * 0.68), (w * 0.74, h * 0.34)], rgba(p["bg0"]), max(1.5, 2.0 * s))
    elif kind == "meter":
        seg = 4 * s
        n = int(w // seg)
        for i in range(n):
            t = i / max(1, n - 1)
            col = mix((52, 211, 153), (250, 204, 21), t / 0.75) if t < 0.75 else mix((250, 204, 21), (248, 113, 113), (t - 0.75) / 0.25)
            c.rrect(i * seg, 0, seg - 1 * s, h, 1 * s, fill=rgba(col))
    elif kind == "gain_icon":
        c.ellipse(w / 2, h / 2, w * 0.4, outline=rgba(A), width=stroke * 1.3)
        c.line([(w / 2, h / 2), (w / 2 + w * 0.22, h / 2 - w * 0.22)], rgba(A), stroke * 1.3)
    elif kind == "value_plate":
        c.rrect(0.5, 0.5, w - 1, h - 1, 8 * s, fill=rgba(p["bg0"]), outline=rgba(A, 150), width=stroke)
    elif kind == "enc_bar":
        gx = w / 2 - 5 * s
        c.rrect(gx, 0, 10 * s, h, 5 * s, fill=rgba(p["bg0"]), outline=rgba(p["border"]), width=stroke)
        c.grad_rrect(gx + 2 * s, 2 * s, 6 * s, h - 4 * s, 3 * s, A, mix(p["accent_deep"], p["bg0"], 0.3))
        for i in range(16):
            yy = 10 * s + (h - 10 * s - 21.6 * s) * i / 15 + 9 * s
            ln = 8 * s if i % 5 == 0 else 4 * s
            c.line([(gx - 6 * s - ln, yy), (gx - 6 * s, yy)], rgba(p["glyph"], 150), stroke)
            c.line([(gx + 16 * s, yy), (gx + 16 * s + ln, yy)], rgba(p["glyph"], 150), stroke)
    elif kind.startswith("pic_"):
        picture(c, kind, w, h, p, s)
    elif kind.startswith("spk_"):
        name = kind.split("_")[1].upper()
        r = w / 2 - 1
        c.ellipse(w / 2, h / 2 + 1.2 * s, r - 0.5, fill=(0, 0, 0, 120))
        c.ellipse(w / 2, h / 2, r - 1, fill=rgba(p["raised0"]), outline=rgba(A), width=max(1.3, 2 * s))
        c.text(w / 2, h / 2 + 0.5 * s, name, (13 if len(name) < 3 else 10.5) * s, rgba(p["text"]))
    elif kind in ("chan_l", "chan_r"):
        c.ellipse(w / 2, h / 2, w / 2 - 1, fill=rgba(p["raised0"]), outline=rgba(A), width=stroke * 1.4)
        c.text(w / 2, h / 2 + 0.5 * s, "L" if kind == "chan_l" else "R", h * 0.42, rgba(p["text"]))
    elif kind == "connection":
        for i in range(7):
            c.ellipse(w * (0.1 + i * 0.8 / 6), h / 2, 2.2 * s, fill=rgba(A, 120 + i * 15))
    elif kind.startswith("link_"):
        c.rrect(0.5, 0.5, w - 1, h - 1, 10 * s, fill=rgba(p["raised1"]), outline=rgba(p["border"]), width=stroke)
        col = rgba(A)
        mid = h / 2
        if kind == "link_indep":
            c.line([(w * 0.25, mid - 5 * s), (w * 0.75, mid - 5 * s)], col, stroke * 1.4)
            c.line([(w * 0.25, mid + 5 * s), (w * 0.6, mid + 5 * s)], rgba(p["glyph"]), stroke * 1.4)
        elif kind == "link_dep":
            c.ellipse(w * 0.4, mid, 6 * s, outline=col, width=stroke * 1.4)
            c.ellipse(w * 0.6, mid, 6 * s, outline=col, width=stroke * 1.4)
        else:
            c.line([(w * 0.25, mid + 7 * s), (w * 0.75, mid - 7 * s)], col, stroke * 1.4)
            c.line([(w * 0.25, mid - 7 * s), (w * 0.75, mid + 7 * s)], col, stroke * 1.4)
    else:
        raise ValueError(f"no picture kind {kind}")
    return c.result()


def mark(c, cx, cy, r, p):
    """The brand mark: a ring with three sound bars."""
    A = p["accent"]
    c.ellipse(cx, cy, r, fill=rgba(p["accent_deep"]), outline=rgba(A), width=max(1.2, r * 0.14))
    for i, hh in enumerate([0.35, 0.62, 0.35]):
        xx = cx + (i - 1) * r * 0.42
        c.line([(xx, cy - r * hh), (xx, cy + r * hh)], rgba(A), max(1.2, r * 0.17))


def left_art(c, g, w, h, p, s):
    A = p["accent"]
    col = rgba(A, 200)
    if g == "eq":
        pts = [(10 * s + i * (w - 20 * s) / 40, h / 2 + math.sin(i / 40 * math.pi * 2.2) * h * 0.22 - (i / 40) * 4 * s) for i in range(41)]
        c.line(pts, col, 1.6 * s)
        for i in range(5):
            xx = 18 * s + i * (w - 36 * s) / 4
            c.ellipse(xx, pts[int(i * 10)][1], 2.6 * s, fill=rgba(A))
    elif g == "wave":
        for k, a in enumerate([1.0, 0.6, 0.35]):
            pts = [(10 * s + i * (w - 20 * s) / 60, h / 2 + math.sin(i * 0.32 + k) * h * 0.28 * a * math.sin(i / 60 * math.pi)) for i in range(61)]
            c.line(pts, rgba(A, int(220 * a)), 1.4 * s)
    elif g == "mic":
        for i in range(22):
            hh = h * 0.12 + abs(math.sin(i * 0.7) * math.cos(i * 0.23)) * h * 0.55
            xx = 12 * s + i * (w - 24 * s) / 21
            c.line([(xx, h / 2 - hh / 2), (xx, h / 2 + hh / 2)], col, 2.2 * s)
    elif g == "ring":
        for rr in (0.18, 0.32, 0.46):
            c.ellipse(w / 2, h / 2, h * rr * 2.0 * 0.5 * 2, h * rr, outline=rgba(A, 150), width=1.2 * s)
        c.ellipse(w / 2, h / 2, 3 * s, fill=rgba(A))


def graduation(c, kind, w, h, p, s):
    col = rgba(p["glyph"], 190)
    top, bottom = 8 * s, h - 8 * s
    if kind == "grad_eq":
        marks = [(0.0, "+8"), (0.5, "0"), (1.0, "-6")]
        ticks = 8
    elif kind == "grad_pct":
        marks = [(0.0, "100"), (0.5, "50"), (1.0, "0")]
        ticks = 10
    else:
        marks = [(0.0, "15"), (1.0, "0")]
        ticks = 6
    for i in range(ticks + 1):
        yy = top + (bottom - top) * i / ticks
        major = any(abs(i / ticks - m) < 1e-6 for m, _ in marks)
        ln = 8 * s if major else 4 * s
        c.line([(w - ln - 1 * s, yy), (w - 1 * s, yy)], col if major else rgba(p["glyph"], 110), max(1, s))
    if kind != "grad_small":
        for m, txt in marks:
            c.text(w - 12 * s, top + (bottom - top) * m, txt, 9 * s, col, bold=False, anchor="rm")


def picture(c, kind, w, h, p, s):
    A, D = p["accent"], p["accent_dark"]
    c.rrect(0.5, 0.5, w - 1, h - 1, 12 * s, fill=rgba(p["bg0"], 140), outline=rgba(p["border"]), width=max(1, s))
    faint = rgba(A, 60)
    line = rgba(A, 210)
    lw = max(1.2, 1.8 * s)
    cx, cy = w / 2, h / 2
    if kind == "pic_room":
        for k in range(1, 6):
            c.ellipse(cx, cy, (w / 2 - 14 * s) * k / 5, outline=rgba(A, 25 + k * 12), width=max(1, s))
        for a in range(0, 360, 45):
            r0, r1 = 24 * s, w / 2 - 14 * s
            c.line([(cx + math.cos(math.radians(a)) * r0, cy + math.sin(math.radians(a)) * r0),
                    (cx + math.cos(math.radians(a)) * r1, cy + math.sin(math.radians(a)) * r1)], rgba(A, 28), max(1, s))
        c.ellipse(cx, cy, 46 * s, fill=rgba(A, 18))
        c.glow(8 * s)
        c.ellipse(cx - 15 * s, cy, 5 * s, 8 * s, fill=rgba(p["glyph"]))
        c.ellipse(cx + 15 * s, cy, 5 * s, 8 * s, fill=rgba(p["glyph"]))
        c.ellipse(cx, cy, 15 * s, 17 * s, fill=rgba(p["raised0"]), outline=rgba(p["glyph"]), width=lw)
        c.poly([(cx - 4 * s, cy - 15 * s), (cx, cy - 22 * s), (cx + 4 * s, cy - 15 * s)], rgba(p["glyph"]))
        return
    if kind == "pic_mic":
        mw, mh = w * 0.36, h * 0.42
        for k in range(12):
            c.ellipse(cx, h * 0.42, w * (0.48 - k * 0.03), fill=rgba(A, 3))
        c.grad_rrect(cx - mw / 2, h * 0.12, mw, mh, mw / 2, mix(p["raised0"], (255, 255, 255), 0.12), p["raised1"], outline=line, width=lw)
        for i in range(1, 7):
            yy = h * 0.12 + mh * i / 7
            c.line([(cx - mw * 0.3, yy), (cx + mw * 0.3, yy)], rgba(A, 90), max(1, s))
        c.arc(cx, h * 0.36, w * 0.3, 10, 170, line, lw)
        c.line([(cx, h * 0.66), (cx, h * 0.8)], line, lw)
        c.line([(cx - w * 0.18, h * 0.8), (cx + w * 0.18, h * 0.8)], line, lw)
        return
    # The five room effects: line drawings of the room on a soft glow, with sound rings from a source.
    for k in range(12):  # a soft radial light behind the drawing
        c.ellipse(cx, cy, w * (0.46 - k * 0.03), fill=rgba(A, 3))
    if kind == "pic_none":
        pts = [(w * 0.12 + i * w * 0.76 / 80, cy + math.sin(i * 0.4) * h * 0.12 * math.sin(i / 80 * math.pi)) for i in range(81)]
        c.line(pts, line, lw * 1.2)
        c.line([(w * 0.12, cy), (w * 0.88, cy)], faint, max(1, s))
        return
    # floor line in perspective
    c.line([(w * 0.08, h * 0.78), (w * 0.92, h * 0.78)], faint, max(1, s))
    for i in range(7):
        c.line([(cx + (i - 3) * w * 0.05, h * 0.62), (cx + (i - 3) * w * 0.14, h * 0.9)], rgba(A, 35), max(1, s))
    src = (cx, h * 0.35)
    if kind == "pic_theater":
        c.rrect(w * 0.16, h * 0.14, w * 0.68, h * 0.34, 4 * s, fill=rgba(A, 30), outline=line, width=lw)
        for row in range(2):
            for i in range(6):
                c.rrect(w * (0.2 + i * 0.1) + row * w * 0.03, h * (0.6 + row * 0.12), w * 0.07, h * 0.07, 3 * s, outline=line, width=lw * 0.8)
    elif kind == "pic_bath":
        for i in range(9):
            for j in range(4):
                c.rrect(w * (0.1 + i * 0.09), h * (0.1 + j * 0.09), w * 0.08, h * 0.08, 2 * s, outline=rgba(A, 45), width=max(1, s))
        c.line([(w * 0.2, h * 0.56), (w * 0.8, h * 0.56)], line, lw)
        c.arc(cx, h * 0.56, w * 0.3, 0, 180, line, lw)
        for i in range(5):
            c.ellipse(w * (0.34 + i * 0.08), h * (0.5 - (i % 2) * 0.05), 3.5 * s, outline=line, width=lw * 0.7)
        src = (cx, h * 0.3)
    elif kind == "pic_sofa":
        c.rrect(w * 0.22, h * 0.5, w * 0.56, h * 0.2, 10 * s, outline=line, width=lw)
        c.rrect(w * 0.26, h * 0.38, w * 0.48, h * 0.16, 10 * s, outline=line, width=lw)
        c.rrect(w * 0.16, h * 0.46, w * 0.08, h * 0.24, 6 * s, outline=line, width=lw)
        c.rrect(w * 0.76, h * 0.46, w * 0.08, h * 0.24, 6 * s, outline=line, width=lw)
        c.line([(w * 0.8, h * 0.12), (w * 0.8, h * 0.36)], line, lw * 0.8)
        c.poly([(w * 0.74, h * 0.16), (w * 0.86, h * 0.16), (w * 0.83, h * 0.08), (w * 0.77, h * 0.08)], rgba(A, 140))
        src = (w * 0.5, h * 0.25)
    elif kind == "pic_arch":
        for i in range(3):
            x0 = w * (0.14 + i * 0.25)
            c.arc(x0 + w * 0.11, h * 0.4, w * 0.11, 180, 360, line, lw)
            c.line([(x0, h * 0.4), (x0, h * 0.78)], line, lw)
            c.line([(x0 + w * 0.22, h * 0.4), (x0 + w * 0.22, h * 0.78)], line, lw)
        c.line([(w * 0.1, h * 0.2), (w * 0.9, h * 0.2)], line, lw)
        src = (cx, h * 0.5)
    for k in range(1, 4):
        c.arc(src[0], src[1], k * w * 0.06, 300, 420, rgba(A, 200 - k * 45), lw * 0.9)
        c.arc(src[0], src[1], k * w * 0.06, 120, 240, rgba(A, 200 - k * 45), lw * 0.9)
