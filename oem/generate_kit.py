#!/usr/bin/env python3
"""Writes the generated part of the reference OEM kit into oem/kit: skins for every resolution folder,
language files, the default profile, the test sound and the icons.

    python3 oem/generate_kit.py              # regenerate everything (Debian: python3-pil)
    python3 oem/generate_kit.py --preview DIR  # also compose previews of the main window per page

AudioConfig.cfg and the manual are written by hand and left alone.
"""

import argparse
import io
import math
import os
import shutil
import struct
import sys
import wave

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image, ImageDraw, ImageFont  # noqa: E402

import kit_draw  # noqa: E402
import kit_layout as L  # noqa: E402
import kit_text  # noqa: E402

KIT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "kit")
SKIN_FOLDER, LANGUAGE_FOLDER = "Skin", "Language"
SKINS = ["Graphite", "Ember"]
SECTION_ORDER = ["Main", "EQ", "3D", "Effect", "Mic", "Virtual7ch1", "About", "LED", "ENC", "VoiceMagic"]

# Label colours (the language files apply to every skin, so they stay neutral): text, selected text.
TEXT_UP, TEXT_DOWN = (201, 209, 217), (255, 255, 255)
LAMP_ON, LAMP_DIM = (230, 236, 242), (96, 104, 116)
HEADING = (120, 130, 142)
# The about box matches the dark skins, since the label colours above are light.
ABOUT_BACKGROUND = (32, 40, 48)


def colour(rgb):
    """A label colour as the language file writes it: "$" and 0x00BBGGRR in hexadecimal."""
    r, g, b = rgb
    return f"${b:02X}{g:02X}{r:02X}"


def sc(v, s):
    return int(round(v * s))


def scaled(rect, s):
    x, y, w, h = rect
    return (sc(x, s), sc(y, s), max(1, sc(w, s)), max(1, sc(h, s)))


def speaker_positions(s):
    """Each speaker's corner where the panel's reset puts it: C, SUB up front, the rest on the ring."""
    cx, cy, radius = ring(s)
    h = radius // 2
    k = int(1.6 * h)
    pos = {"C": (cx, cy - k), "SUB": (cx, cy - h), "LS": (cx - k, cy), "RS": (cx + k, cy)}
    for name, angle in [("L", 2.3561944875), ("R", 0.7853981625), ("LB", 3.9269908125), ("RB", 5.4977871375)]:
        pos[name] = (int(cx + math.cos(angle) * k), int(cy - math.sin(angle) * k))
    return pos


def ring(s):
    rx, ry, rw, rh = scaled(L.VIRTUAL_ROOM, s)
    spk = sc(L.SPEAKER, s)
    return rx + rw // 2 - spk // 2, ry + rh // 2 - spk // 2, sc(L.RING_RADIUS, s)


def placed_images(s):
    """(section, key, kind, (x, y, w, h), page) with every rectangle in pixels of this scale."""
    out = []
    speakers = speaker_positions(s)
    spk = sc(L.SPEAKER, s)
    for section, key, kind, rect, page in L.images():
        if kind.startswith("spk_"):
            x, y = speakers[kind.split("_")[1].upper()]
            rect_px = (x, y, spk, spk)
        elif key == "LogoImage" and section == "About":
            rect_px = (16, 20, 57, 49)  # the about box is a fixed-size dialog
        else:
            rect_px = scaled(rect, s)
        out.append((section, key, kind, rect_px, page))
    return out


def geometry_lines(s):
    knob_h = sc(L.EQ_KNOB[1], s)
    eq_top = sc(L.EQ_TRACK_TOP, s)
    mic_top = sc(L.MIC_TRACK_TOP, s)
    ex, ey, ew, eh = scaled(L.ENC_BAR, s)
    enc_knob_h = sc(L.ENC_KNOB[1], s)
    cx, cy, radius = ring(s)
    lines = {
        "Main": ["BevelLine=0", "BevelLine2=0"],
        "EQ": [f"EQSlider={eq_top - knob_h // 2},{sc(L.EQ_TRACK_LEN, s)}"],
        "Mic": [f"MicSlider={mic_top - knob_h // 2},{sc(L.MIC_TRACK_LEN, s)}",
                f"MicProgressLength={scaled(L.MIC_METER, s)[2]}"],
        "Virtual7ch1": [f"VirtualCenter={cx},{cy},{radius}"],
        "About": [f"Color={colour(ABOUT_BACKGROUND)}"],
        "LED": ["LEDPageMode=1", "LEDFastRightSide=0"],
        # The noise-cancellation knob stops 10 pixels below the bar's top and 1.2 knob heights above its end.
        "ENC": [f"ENCSlider={ey + 10},{eh - 10 - math.ceil(1.2 * enc_knob_h)}"],
    }
    for name, rect, shape in L.led_swatches():
        x, y, w, h = scaled(rect, s)
        lines["LED"].append(f"{name}={x},{y},{w},{h},{shape}")
    return lines


def picture_names(s):
    """File name per (kind, size): the kind's name, with the size added when a kind has several sizes."""
    sizes = {}
    for _, _, kind, (_, _, w, h), _ in placed_images(s):
        sizes.setdefault(kind, set()).add((w, h))
    return {(kind, w, h): (f"{kind}.png" if len(found) == 1 else f"{kind}_{w}x{h}.png")
            for kind, found in sizes.items() for (w, h) in found}


def save_picture(img, kind, path):
    # The illustrations go to a 256-colour palette with alpha: a fraction of the size. Gradients of the
    # frame and cards stay true colour, where a palette would show bands.
    if kind.startswith("pic_"):
        img = img.quantize(colors=256, method=Image.FASTOCTREE, dither=Image.FLOYDSTEINBERG)
    img.save(path, optimize=True)


def write_skin(folder, skin, s, palette):
    os.makedirs(folder, exist_ok=True)
    names = picture_names(s)
    drawn = set()
    entries = {section: [] for section in SECTION_ORDER}
    for section, key, kind, (x, y, w, h), page in placed_images(s):
        name = names[(kind, w, h)]
        if name not in drawn:
            save_picture(kit_draw.draw(kind, w, h, palette, s), kind, os.path.join(folder, name))
            drawn.add(name)
        value = f"{name},{x},{y},{w},{h}" + (f",{page}" if page is not None else "")
        entries[section].append(f"{key}={value}")
    geometry = geometry_lines(s)
    with open(os.path.join(folder, "SkinSetting.ini"), "w", newline="\r\n") as f:
        f.write(f"; Tonvio reference skin \"{skin}\" - generated by oem/generate_kit.py; edit the generator, not this file.\n")
        f.write("; Image keys: file,left,top,width,height[,page]   Geometry keys: see oem/README.md\n")
        for section in SECTION_ORDER:
            f.write(f"\n[{section}]\n")
            for line in entries[section] + geometry.get(section, []):
                f.write(line + "\n")
    W, H = sc(L.BASE_W, s), sc(L.BASE_H, s)
    write_region(os.path.join(folder, "MainForm_Frame.rgn"), W, H, sc(16, s))


def write_region(path, w, h, radius):
    """The window outline with rounded corners as RGNDATA: one rectangle per band of equal rows."""
    def inset(y):
        dy = max(0.0, radius - (y + 0.5)) if y < radius else max(0.0, (y + 0.5) - (h - radius))
        return 0 if dy == 0 else int(math.ceil(radius - math.sqrt(max(0.0, radius * radius - dy * dy))))

    rects = []
    y = 0
    while y < h:
        x0 = inset(y)
        y1 = y + 1
        while y1 < h and inset(y1) == x0:
            y1 += 1
        rects.append((x0, y, w - x0, y1))
        y = y1
    header = struct.pack("<IIII iiii", 32, 1, len(rects), 16 * len(rects), 0, 0, w, h)
    with open(path, "wb") as f:
        f.write(header + b"".join(struct.pack("<iiii", *r) for r in rects))


def label_lines(language, s):
    texts = kit_text.LANGUAGES[language]
    positions = L.label_positions()
    lines = {}
    for section in ["Main", "EQ", "3D", "Effect", "Mic", "Virtual7ch1", "LED", "ENC", "VoiceMagic", "About"]:
        out = []
        for key, text in texts[section].items():
            assert "," not in text, key
            up = down = ""
            if key in ("DeviceInLabel", "DeviceOutLabel"):
                up, down = colour(LAMP_ON), colour(LAMP_DIM)
            elif key in ("LabelFeatures", "ColorSelectLabel", "ColorEffectLabel", "LabelSetting", "LabelCompanyName"):
                up = down = colour(HEADING)
            elif key == "LabelWeb":
                up = down = colour((94, 234, 212))
            if key in L.ABOUT_POSITIONS:
                x, y, w, h = L.ABOUT_POSITIONS[key]
                out.append(f"{key}={text},{up},{down},,,{x},{y},{w},{h}")
            elif key in positions and text != "(null)":
                x, y, w, h = scaled(positions[key], s)
                out.append(f"{key}={text},{up},{down},,,{x},{y},{w},{h}")
            elif up:
                out.append(f"{key}={text},{up},{down}")
            else:
                out.append(f"{key}={text}")
        lines[section] = out
    return lines


def write_language(folder, language, s):
    os.makedirs(folder, exist_ok=True)
    texts = kit_text.LANGUAGES[language]
    body = [f"; Tonvio {language} texts - generated by oem/generate_kit.py; edit oem/kit_text.py, not this file.",
            "; Label value: text,up colour,down colour,font,size,left,top,width,height,page   (colours $BBGGRR)",
            "", "[GlobalFont]", f"ColorUp={colour(TEXT_UP)}", f"ColorDown={colour(TEXT_DOWN)}", "Font=Segoe UI",
            f"FontSize={max(6, sc(9, s))}"]
    lines = label_lines(language, s)
    for section in ["Main", "EQ", "3D", "Effect", "Mic", "Virtual7ch1", "LED", "ENC", "VoiceMagic", "About"]:
        body += ["", f"[{section}]"] + lines[section]
    body += ["", "[Setup]"] + [f"{k}={v}" for k, v in texts["Setup"].items()]
    # UTF-16LE with a byte-order mark: the one encoding the profile functions read on every code page.
    with open(os.path.join(folder, "Language.ini"), "wb") as f:
        f.write(b"\xff\xfe" + ("\r\n".join(body) + "\r\n").encode("utf-16-le"))


def write_default_profile(path):
    s = 1.0  # the layout of the "1366x768" folder, the one 1080p screens get
    pos = speaker_positions(s)
    flat, bass, vocal, treble = ([0x400] * 5, [0x700, 0x580, 0x400, 0x400, 0x400],
                                 [0x300, 0x400, 0x580, 0x580, 0x400], [0x400, 0x400, 0x400, 0x580, 0x700])
    eq = lambda g: ",".join(f"0x{v:X}" for v in g) + ",1"
    lines = ["; Tonvio factory sound profile (read at start-up when [Version] DefaultIni=1 in AudioConfig.cfg).",
             "; Speaker positions are window pixels of the 1366x768 skin folder.",
             "[EQ]", f"S1={eq(flat)}", f"S2={eq(bass)}", f"S3={eq(vocal)}", f"S4={eq(treble)}", "EQEN=1", "EQFromEEPROM=0",
             "[3D]", "LeftAlpha=8", "LeftBeta=8", "RightAlpha=8", "RightBeta=8", "FBM=1", "3DEN=0", "3DFromEEPROM=0",
             "[Effect]", "CurrentEffect=1", "[Virtual7ch1]"]
    lines += [f"{name}={pos[name][0]},{pos[name][1]}" for name in ["C", "L", "LS", "LB", "RB", "RS", "SUB", "R"]]
    lines += ["7ch1EN=0", "[LED]", "LEDON=0", "LEDPageMode=1", "LEDOff=0", "LEDSingleColor=1", "LEDEffectMode=0",
              "LEDBreatheSpeed=128", "LEDRainbowSpeed=128", "LEDMultiBreatheSpeed=128"]
    knob_mid = sc(L.LED_BAR_LEFT + (L.LED_BAR_W - L.LED_KNOB[0]) // 2, s)
    lines += [f"LEDBreatheSliderPos={knob_mid}", f"LEDRainbowSliderPos={knob_mid}", f"LEDMultiBreatheSliderPos={knob_mid}",
              f"LEDSingleColorRGB={0xD4B82D}", f"LEDBreatheColorRGB={0xD4B82D}"]
    palette = [0x0000FF, 0xFFFF00, 0x00FFFF, 0xFFFFFF, 0x00FF00, 0xFF0000, 0xFF00FF]
    lines += [f"LEDColor{i}RGB={c}" for i, c in enumerate(palette, start=1)]
    lines += ["LEDFastRightSide=0", "[ENC]", "ENCEN=0", "ENCValue=15", "[VoiceMagic]", "VoiceMagicEN=0", "VoiceMagicMode=0"]
    with open(path, "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


def write_bee(path):
    """A soft two-note chime, 0.7 s, 44.1 kHz 16-bit mono: easy to follow around the speaker ring."""
    rate, seconds = 44100, 0.7
    frames = bytearray()
    for i in range(int(rate * seconds)):
        t = i / rate
        note = 880.0 if t < 0.22 else 1318.5
        start = 0.0 if t < 0.22 else 0.22
        env = min(1.0, (t - start) / 0.008) * math.exp(-(t - start) * 7.0)
        v = env * (0.7 * math.sin(2 * math.pi * note * t) + 0.2 * math.sin(4 * math.pi * note * t))
        frames += struct.pack("<h", int(max(-1, min(1, v * 0.6)) * 32767))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(frames))


def write_icons(palette):
    grey = dict(palette, accent=(140, 148, 160), accent_deep=(40, 44, 50))
    for name, pal in [("Tonvio.ico", palette), ("TonvioActive.ico", palette), ("TonvioInactive.ico", grey)]:
        c = kit_draw.Canvas(256, 256)
        kit_draw.mark(c, 128, 128, 118, pal)
        if name == "TonvioActive.ico":
            c.ellipse(206, 206, 40, fill=(52, 211, 153, 255), outline=(14, 16, 19, 255), width=10)
        c.result().save(os.path.join(KIT, name), sizes=[(16, 16), (24, 24), (32, 32), (48, 48), (64, 64), (256, 256)])


SETUP_BACKGROUND = "SetupBackground.jpg"


def write_setup_background(folder, s, palette):
    """Setup's background picture for one resolution folder: the skin's dark gradient, the brand mark and the
    product name, at the size of the screens the folder serves."""
    w, h = int(round(1280 * s)), int(round(720 * s))
    img = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(img)
    for y in range(h):
        t = y / max(1, h - 1)
        d.line([(0, y), (w, y)], fill=tuple(int(a + (b - a) * t) for a, b in zip(palette["bg1"], palette["bg0"])))
    size = int(round(160 * s))
    c = kit_draw.Canvas(size, size)
    kit_draw.mark(c, size / 2, size / 2, size / 2 - 2, palette)
    mark = c.result()
    img.paste(mark, (int(48 * s), int(40 * s)), mark)
    font = ImageFont.truetype(kit_draw.FONT_BOLD, max(8, int(round(44 * s))))
    d.text((int(48 * s) + size + int(24 * s), int(40 * s) + size // 2), "Tonvio Setup", font=font,
           fill=(230, 236, 242), anchor="lm")
    os.makedirs(folder, exist_ok=True)
    img.save(os.path.join(folder, SETUP_BACKGROUND), quality=85)


def compose_preview(out_dir, language="English", folder="1366x768", skin="Graphite"):
    """The main window as the panel would show each page: pictures by the skin, texts by the language file."""
    os.makedirs(out_dir, exist_ok=True)
    s = dict(L.RESOLUTIONS)[folder]
    skin_dir = os.path.join(KIT, SKIN_FOLDER, folder, skin)
    texts = kit_text.LANGUAGES[language]
    positions = L.label_positions()
    font = ImageFont.truetype(kit_draw.FONT, max(8, sc(12, s)))
    pages = {1: ("EQ", "Back_EQImage"), 2: ("Effect", "Back_EffectImage"), 3: ("Mic", "Back_MicImage"),
             4: ("Virtual7p1", "Back_Virtual7p1Image"), 6: ("LED", None), 7: ("ENC", None), 8: ("VMEffect", None)}
    label_pages = {"EQ": 1, "3D": 5, "Effect": 2, "Mic": 3, "Virtual7ch1": 4, "LED": 6, "ENC": 7, "VoiceMagic": 8}
    default_pages = {"Main": 0, "EQ": 1, "3D": 5, "Effect": 2, "Mic": 3, "Virtual7ch1": 4, "About": 0, "LED": 6, "ENC": 7,
                     "VoiceMagic": 8}
    shown_down = {"EQEQENImageDown", "EQS1ImageDown", "EffectButtonTheaterImageDown", "MicMonitorImageDown",
                  "VirtualEnableImageDown", "ENCFunctionImageDown", "VMFunctionDownImage", "VMEffect2DownImage",
                  "ColorBreatheCheckDownImage", "ColorBreatheSliderDownImage", "DeviceActiveUpImage",
                  "DeviceUnActiveDownImage", "ENCFunctionDownImage"}
    names = picture_names(s)
    for page, (tab, back) in pages.items():
        W, H = sc(L.BASE_W, s), sc(L.BASE_H, s)
        img = Image.new("RGBA", (W, H), (40, 40, 40, 255))
        for section, key, kind, (x, y, w, h), explicit in placed_images(s):
            p = explicit if explicit is not None else default_pages[section]
            if section == "About" or p not in (0, page):
                continue
            base = key.replace("Up", "").replace("Down", "")
            is_up, is_down = "Up" in key and "Down" not in key, "Down" in key
            if key in (f"Page{tab}DownImage",) or key in shown_down or "BarDown" in key:
                pass
            elif is_down and key != "DeviceUnActiveDownImage":
                continue
            elif is_up and (key.replace("Up", "Down", 1) in shown_down or key == f"Page{tab}UpImage"
                            or (key.startswith("Device") and key not in shown_down)):
                continue
            if "BarDown" in key:
                pass
            elif key.startswith("EffectPic") and key != "EffectPicTheaterImage":
                continue
            if key.startswith("MainLeftImage") and key != f"MainLeftImage{page}":
                continue
            if key.startswith("Effect") and ("UpImage" in key or "DownImage" in key) and not key.startswith("EffectButton"):
                continue
            pic = Image.open(os.path.join(skin_dir, names[(kind, w, h)])).convert("RGBA")
            if "BarDown" in key:
                pic = pic.crop((0, 0, w, max(1, h // 3)))
            if key == "MicProgressImage":
                pic = pic.crop((0, 0, int(w * 0.62), h))
            img.alpha_composite(pic, (x, y))
        d = ImageDraw.Draw(img)
        if page == 6:  # the swatches are shapes of the window, filled with their reset colours
            fills = [(255, 0, 0), (0, 255, 255), (255, 255, 0), (255, 255, 255), (0, 255, 0), (0, 0, 255), (255, 0, 255),
                     (255, 0, 0), (255, 0, 0)]
            for (name, rect, shape), fill in zip(L.led_swatches(), fills):
                x, y, w, h = scaled(rect, s)
                if shape >= 4:
                    d.ellipse([x, y, x + w - 1, y + h - 1], fill=fill, outline=(0, 0, 0))
                else:
                    d.rounded_rectangle([x, y, x + w - 1, y + h - 1], radius=sc(6, s), fill=fill, outline=(0, 0, 0))
        for section, items in texts.items():
            if section in ("display", "Setup"):
                continue
            lp = label_pages.get(section, 0)
            if lp not in (0, page) and not (section == "Main"):
                continue
            for key, text in items.items():
                if key not in positions or text == "(null)" or key in ("LabelUnDriver", "LabelUnactive"):
                    continue
                x, y, w, h = scaled(positions[key], s)
                col = TEXT_UP
                if key == L.TAB_LABELS.get(tab) or key in ("LabelEQEnable", "LabelEQS1", "LabelEffectTheater"):
                    col = TEXT_DOWN
                if key in ("LabelFeatures", "ColorSelectLabel", "ColorEffectLabel", "LabelSetting", "LabelCompanyName"):
                    col = HEADING
                d.text((x, y), text, font=font, fill=col)
        mask = Image.new("L", (W, H), 0)
        ImageDraw.Draw(mask).rounded_rectangle([0, 0, W - 1, H - 1], radius=sc(16, s), fill=255)
        framed = Image.new("RGBA", (W + 40, H + 40), (235, 238, 242, 255))
        framed.paste(img, (20, 20), mask)
        framed.convert("RGB").save(os.path.join(out_dir, f"preview_{skin}_{folder or 'none'}_page{page}.png"))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--preview", metavar="DIR", help="also write previews of every page into DIR")
    parser.add_argument("--preview-only", action="store_true", help="only compose previews from the existing kit")
    args = parser.parse_args()
    if not args.preview_only:
        for root in (SKIN_FOLDER, LANGUAGE_FOLDER):
            shutil.rmtree(os.path.join(KIT, root), ignore_errors=True)
        for folder, s in L.RESOLUTIONS:
            for skin in SKINS:
                write_skin(os.path.join(KIT, SKIN_FOLDER, folder, skin), skin, s, kit_draw.PALETTES[skin])
            for language in kit_text.LANGUAGES:
                write_language(os.path.join(KIT, LANGUAGE_FOLDER, folder, language), language, s)
            write_setup_background(os.path.join(KIT, SKIN_FOLDER, folder), s, kit_draw.PALETTES["Graphite"])
        write_default_profile(os.path.join(KIT, "DefaultProfile.ini"))
        write_bee(os.path.join(KIT, "bee.wav"))
        write_icons(kit_draw.PALETTES["Graphite"])
    if args.preview:
        for folder in ("1366x768", "960x540"):
            compose_preview(args.preview, folder=folder)
        compose_preview(args.preview, folder="1366x768", skin="Ember", language="German")


if __name__ == "__main__":
    main()
