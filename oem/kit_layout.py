"""The reference skin's layout, designed once at base size (800 x 500) and scaled per resolution folder.

Every image key of "SkinSetting.ini" and every positioned label of "Language.ini" is placed here, so the
pictures, the skin file and the language files agree by construction.
"""

BASE_W, BASE_H = 800, 500

# Resolution folder -> scale of the base design. A folder serves the screens *above* its name's pixel
# count up to the next folder's, so "1366x768" is the folder a 1920 x 1080 screen gets.
RESOLUTIONS = [("1920x1080", 1.5), ("1366x768", 1.0), ("960x540", 0.75), ("", 0.625)]

CARD = (180, 60, 606, 384)  # the content card every page draws on
OX, OY = CARD[0], CARD[1]

# Two-state pictures share a kind: (key, picture kind, rect, page override or None). Kinds are drawn
# by the generator; the same kind with the same size is one file.
TABS = ["EQ", "Effect", "Mic", "Virtual7p1", "LED", "ENC", "VMEffect"]
TAB_GLYPHS = {"EQ": "eq", "Effect": "wave", "Mic": "mic", "Virtual7p1": "ring", "LED": "bulb",
              "ENC": "shield", "VMEffect": "voice"}
TAB_LABELS = {"EQ": "LabelPageEQ", "Effect": "LabelPageEffect", "Mic": "LabelPageMic",
              "Virtual7p1": "LabelPageVirtual7ch1", "LED": "LabelPageLED", "ENC": "LabelPageENC",
              "VMEffect": "LabelPageVMEffect"}


# The about box is a fixed 479 x 89 dialog at every resolution: its labels are placed unscaled.
ABOUT_POSITIONS = {"LabelAbout": (88, 14, 375, 34), "LabelWeb": (88, 54, 300, 18)}


def tab_rect(i):
    return (14, 92 + i * 42, 152, 36)


EQ_BANDS = ["60Hz", "300Hz", "1200Hz", "3600Hz", "12000Hz"]
EQ_TRACK_TOP, EQ_TRACK_LEN = 142, 228
EQ_KNOB = (30, 16)


def eq_centre(i):
    return OX + 132 + i * 106


VIRTUAL_ROOM = (OX + 16, OY + 16, 352, 352)
SPEAKER = 40
SPEAKERS = ["C", "L", "LS", "LB", "RB", "RS", "R", "SUB"]
RING_RADIUS = 150

MIC_TRACK_TOP, MIC_TRACK_LEN = OY + 150, 180
MIC_METER = (OX + 196, OY + 102, 376, 16)
ENC_BAR = (OX + 288, OY + 64, 64, 270)
ENC_KNOB = (34, 18)
LED_BAR_LEFT, LED_BAR_W = OX + 214, 290
LED_KNOB = (16, 24)
LED_ROWS = {"Breathe": OY + 226, "Rainbow": OY + 276, "Pulsating": OY + 326}
D3_TRACK_TOP, D3_TRACK_LEN = 113, 120


def btn(x, y, w, h):
    return (x, y, w, h)


def images():
    """(section, key, kind, rect or None, explicit page or None)."""
    out = []
    add = lambda section, key, kind, rect, page=None: out.append((section, key, kind, rect, page))

    # [Main]
    add("Main", "MainFormImage", "frame", (0, 0, BASE_W, BASE_H))
    add("Main", "CloseImageUp", "close_up", (762, 14, 24, 24))
    add("Main", "CloseImageDown", "close_down", (762, 14, 24, 24))
    add("Main", "MinimizeImageUp", "min_up", (732, 14, 24, 24))
    add("Main", "MinimizeImageDown", "min_down", (732, 14, 24, 24))
    add("Main", "DeviceActiveImage", "status_plate", (14, 458, 340, 34))
    for n, (x, glyph) in enumerate([(452, "save"), (544, "load"), (636, "info")], start=1):
        add("Main", f"Menu{n}ImageUp", f"menu_up_{glyph}", (x, 12, 86, 28))
        add("Main", f"Menu{n}ImageDown", f"menu_down_{glyph}", (x, 12, 86, 28))
    add("Main", "LogoImage", "logo", (18, 12, 156, 30))
    add("Main", "LedImageUp", "ledbtn_up", (752, 459, 34, 32))
    add("Main", "LedImageDown", "ledbtn_down", (752, 459, 34, 32))
    for n, glyph in enumerate(["eq", "wave", "mic", "ring"], start=1):
        add("Main", f"MainLeftImage{n}", f"left_{glyph}", (14, 392, 152, 52))
    add("Main", "DeviceActiveUpImage", "lamp_green", (26, 468, 14, 14))
    add("Main", "DeviceActiveDownImage", "lamp_off", (26, 468, 14, 14))
    add("Main", "DeviceUnActiveUpImage", "lamp_red", (104, 468, 14, 14))
    add("Main", "DeviceUnActiveDownImage", "lamp_off", (104, 468, 14, 14))

    # [EQ]
    add("EQ", "Back_EQImage", "back_eq", CARD)
    y = OY + 16
    add("EQ", "EQEQENImageUp", "btn_up_power", (OX + 16, y, 96, 30))
    add("EQ", "EQEQENImageDown", "btn_down_power", (OX + 16, y, 96, 30))
    add("EQ", "EQ3DENImageUp", "btn_up_3d", (OX + 120, y, 96, 30))
    add("EQ", "EQ3DENImageDown", "btn_down_3d", (OX + 120, y, 96, 30))
    add("EQ", "EQResetImageUp", "btn_up_reset", (OX + 514, y, 76, 30))
    add("EQ", "EQResetImageDown", "btn_down_reset", (OX + 514, y, 76, 30))
    for n in range(1, 5):
        x = OX + 236 + (n - 1) * 68
        add("EQ", f"EQS{n}ImageUp", "btn_up_plain", (x, y, 62, 30))
        add("EQ", f"EQS{n}ImageDown", "btn_down_plain", (x, y, 62, 30))
    for n in range(1, 6):
        add("EQ", f"EQButtonLineImage{n}", "dot_line", (eq_centre(n - 1) - 20, OY + 356, 40, 2))
    add("EQ", "EQGraduationImage", "grad_eq", (OX + 14, EQ_TRACK_TOP - 8, 60, EQ_TRACK_LEN + 16))
    for i, band in enumerate(EQ_BANDS):
        add("EQ", f"EQ{band}BarImage", "vbar_fill", (eq_centre(i) - 4, EQ_TRACK_TOP, 8, EQ_TRACK_LEN))
    for i, band in enumerate(EQ_BANDS):
        add("EQ", f"EQ{band}SliderImage", "knob_v", (eq_centre(i) - EQ_KNOB[0] // 2, EQ_TRACK_TOP - EQ_KNOB[1] // 2 + EQ_TRACK_LEN // 2, *EQ_KNOB))
    for i, band in enumerate(EQ_BANDS):
        add("EQ", f"EQ{band}BarDownImage", "vbar_groove", (eq_centre(i) - 4, EQ_TRACK_TOP, 8, EQ_TRACK_LEN), 1)

    # [3D] — the page has no tab in the shipped form; the pictures are complete for a skin that shows it.
    add("3D", "Back_3DImage", "back_3d", CARD)
    add("3D", "D33DENImageUp", "btn_up_3d", (OX + 16, OY + 16, 96, 30))
    add("3D", "D33DENImageDown", "btn_down_3d", (OX + 16, OY + 16, 96, 30))
    add("3D", "D3FBMImageUp", "btn_up_plain", (OX + 120, OY + 16, 76, 30))
    add("3D", "D3FBMImageDown", "btn_down_plain", (OX + 120, OY + 16, 76, 30))
    add("3D", "D3ResetImageUp", "btn_up_reset", (OX + 514, OY + 16, 76, 30))
    add("3D", "D3ResetImageDown", "btn_down_reset", (OX + 514, OY + 16, 76, 30))
    add("3D", "D3LChannelImage", "chan_l", (OX + 60, OY + 300, 48, 48))
    add("3D", "D3RChannelImage", "chan_r", (OX + 420, OY + 300, 48, 48))
    add("3D", "D3ConnectionImage", "connection", (OX + 232, OY + 306, 120, 36))
    for name, kind in [("Indep", "link_indep"), ("Dep", "link_dep"), ("Inv", "link_inv")]:
        add("3D", f"D3Alpha{name}Image", kind, (OX + 196, OY + 150, 40, 40))
        add("3D", f"D3Beta{name}Image", kind, (OX + 348, OY + 150, 40, 40))
    add("3D", "D3ButtonLineImage1", "hline", (OX + 16, OY + 60, 574, 2))
    add("3D", "D3ButtonLineImage2", "hline", (OX + 16, OY + 290, 574, 2))
    d3x = {"LAlpha": OX + 96, "LBeta": OX + 150, "RAlpha": OX + 436, "RBeta": OX + 490}
    for name, x in d3x.items():
        add("3D", f"D3{name}GraduationImage", "grad_small", (x - 30, D3_TRACK_TOP - 8, 22, D3_TRACK_LEN + 16))
    for name, x in d3x.items():
        add("3D", f"D3{name}BarImage", "vbar_fill", (x - 4, D3_TRACK_TOP, 8, D3_TRACK_LEN))
    for name, x in d3x.items():
        add("3D", f"D3{name}SliderImage", "knob_v", (x - EQ_KNOB[0] // 2, D3_TRACK_TOP - EQ_KNOB[1] // 2, *EQ_KNOB))

    # [Effect] — button images sit by tag: the third slot is the "StoneGallery" image under the
    # "Bathroom" label, the fifth the "Bathroom" image under the "StoneGallery" label.
    add("Effect", "Back_EffectImage", "back_effect", CARD)
    slots = ["Non", "Theater", "StoneGallery", "Livingroom", "Bathroom"]
    glyphs = {"Non": "none", "Theater": "theater", "StoneGallery": "bath", "Livingroom": "sofa", "Bathroom": "arch"}
    rects = {name: (OX + 16, OY + 24 + i * 66, 196, 44) for i, name in enumerate(slots)}
    for name in ["Non", "Theater", "Bathroom", "Livingroom", "StoneGallery"]:
        add("Effect", f"EffectButton{name}ImageUp", f"fx_up_{glyphs[name]}", rects[name])
        add("Effect", f"EffectButton{name}ImageDown", f"fx_down_{glyphs[name]}", rects[name])
    for n in range(1, 5):
        add("Effect", f"EffectButtonLineImage{n}", "hline", (OX + 28, OY + 24 + n * 66 - 12, 172, 2))
    for name, kind in [("Non", "pic_none"), ("Theater", "pic_theater"), ("Bathroom", "pic_bath"),
                       ("Livingroom", "pic_sofa"), ("StoneGallery", "pic_arch")]:
        add("Effect", f"EffectPic{name}Image", kind, (OX + 232, OY + 16, 358, 352))
    for name in ["Non", "Theater", "StoneGallery", "Livingroom", "Bathroom"]:
        add("Effect", f"Effect{name}UpImage", f"fx_up_{glyphs[name]}", rects[name])
        add("Effect", f"Effect{name}DownImage", f"fx_down_{glyphs[name]}", rects[name])

    # [Mic]
    add("Mic", "Back_MicImage", "back_mic", CARD)
    for i, (name, glyph) in enumerate([("Boost", "boost"), ("Mute", "mute"), ("Monitor", "phones")]):
        add("Mic", f"Mic{name}ImageUp", f"btn_up_{glyph}", (OX + 16 + i * 136, OY + 16, 128, 32))
        add("Mic", f"Mic{name}ImageDown", f"btn_down_{glyph}", (OX + 16 + i * 136, OY + 16, 128, 32))
    add("Mic", "MicButtonLineImage", "hline", (OX + 16, OY + 62, 574, 2))
    add("Mic", "MicPicImage", "pic_mic", (OX + 24, OY + 84, 150, 270))
    add("Mic", "MicProgressImage", "meter", MIC_METER)
    add("Mic", "MicGainImage", "gain_icon", (OX + 196, OY + 148, 24, 24))
    add("Mic", "MicGraduationImage", "grad_pct", (OX + 300, MIC_TRACK_TOP - 8, 50, MIC_TRACK_LEN + 16))
    add("Mic", "MicBarImage", "vbar_fill", (OX + 376, MIC_TRACK_TOP, 8, MIC_TRACK_LEN))
    add("Mic", "MicSliderImage", "knob_v", (OX + 380 - 15, MIC_TRACK_TOP - 8, *EQ_KNOB))
    add("Mic", "MicValueImage", "value_plate", (OX + 420, MIC_TRACK_TOP + 72, 84, 36))
    add("Mic", "MicBarDownImage", "vbar_groove", (OX + 376, MIC_TRACK_TOP, 8, MIC_TRACK_LEN), 3)

    # [Virtual7ch1]
    rx, ry, rw, rh = VIRTUAL_ROOM
    add("Virtual7ch1", "Back_Virtual7p1Image", "back_virtual", CARD)
    bx = OX + 392
    add("Virtual7ch1", "VirtualEnableImageUp", "btn_up_power", (bx, OY + 24, 198, 40))
    add("Virtual7ch1", "VirtualEnableImageDown", "btn_down_power", (bx, OY + 24, 198, 40))
    for name, rect, glyph in [("Clockwise", (bx, OY + 96, 95, 40), "cw"), ("Counterclockwise", (bx + 103, OY + 96, 95, 40), "ccw"),
                              ("Enlarge", (bx, OY + 168, 95, 40), "enlarge"), ("Narrow", (bx + 103, OY + 168, 95, 40), "narrow"),
                              ("Reset", (bx, OY + 240, 198, 40), "reset")]:
        add("Virtual7ch1", f"Virtual{name}UpImage", f"btn_up_{glyph}", rect)
        add("Virtual7ch1", f"Virtual{name}DownImage", f"btn_down_{glyph}", rect)
    add("Virtual7ch1", "VirtualPicImage", "pic_room", VIRTUAL_ROOM)
    for name in ["C", "L", "LS", "LB", "RB", "RS", "R", "SUB"]:
        add("Virtual7ch1", f"Virtual{name}Image", f"spk_{name.lower()}", None)
    for n, y in enumerate([OY + 80, OY + 152, OY + 224], start=1):
        add("Virtual7ch1", f"VirtualButtonLineImage{n}", "hline", (bx + 8, y, 182, 2))

    add("About", "LogoImage", "about_logo", None)

    # [Main] page tabs
    for i, tab in enumerate(TABS[:4]):
        add("Main", f"Page{tab}UpImage", f"tab_up_{TAB_GLYPHS[tab]}", tab_rect(i))
    for i, tab in enumerate(TABS[:4]):
        add("Main", f"Page{tab}DownImage", f"tab_down_{TAB_GLYPHS[tab]}", tab_rect(i))
    for i, tab in enumerate(TABS[4:], start=4):
        add("Main", f"Page{tab}UpImage", f"tab_up_{TAB_GLYPHS[tab]}", tab_rect(i))
        add("Main", f"Page{tab}DownImage", f"tab_down_{TAB_GLYPHS[tab]}", tab_rect(i))

    # [LED]
    for row, y in LED_ROWS.items():
        add("LED", f"Color{row}BarImage", f"hbar_{row.lower()}", (LED_BAR_LEFT, y + 4, LED_BAR_W, 12))
    for row, y in LED_ROWS.items():
        add("LED", f"Color{row}SliderUpImage", "knob_h_up", (LED_BAR_LEFT, y - 2, *LED_KNOB))
        add("LED", f"Color{row}SliderDownImage", "knob_h_down", (LED_BAR_LEFT, y - 2, *LED_KNOB))
    checks = dict(LED_ROWS)
    checks["LEDOff"] = OY + 140
    checks["Single"] = OY + 104
    for row in ["Breathe", "Rainbow", "Pulsating", "LEDOff", "Single"]:
        add("LED", f"Color{row}CheckUpImage", "check_up", (OX + 24, checks[row], 20, 20))
        add("LED", f"Color{row}CheckDownImage", "check_down", (OX + 24, checks[row], 20, 20))

    # [ENC]
    add("ENC", "ENCFunctionUpImage", "btn_up_power", (OX + 16, OY + 16, 176, 36))
    add("ENC", "ENCFunctionDownImage", "btn_down_power", (OX + 16, OY + 16, 176, 36))
    add("ENC", "ENCBarImage", "enc_bar", ENC_BAR)
    add("ENC", "ENCSliderImage", "knob_v_wide", (ENC_BAR[0] + ENC_BAR[2] // 2 - ENC_KNOB[0] // 2, ENC_BAR[1] + 10, *ENC_KNOB))
    add("ENC", "ENCValueImage", "value_plate", (OX + 400, OY + 180, 84, 36))

    # [VoiceMagic]
    for i, (name, glyph) in enumerate([("None", "vm_none"), ("1", "vm_deep"), ("2", "vm_bright"),
                                       ("3", "vm_monster"), ("4", "vm_chip")]):
        rect = (OX + 16 + i * 116, OY + 92, 106, 130)
        add("VoiceMagic", f"VMEffect{name}UpImage", f"tile_up_{glyph}", rect)
        add("VoiceMagic", f"VMEffect{name}DownImage", f"tile_down_{glyph}", rect)
    add("VoiceMagic", "VMFunctionUpImage", "btn_up_power", (OX + 16, OY + 16, 176, 36))
    add("VoiceMagic", "VMFunctionDownImage", "btn_down_power", (OX + 16, OY + 16, 176, 36))
    return out


def led_swatches():
    """(name, rect, shape kind)."""
    out = [(f"Color0{n}Shape", (OX + 24 + (n - 1) * 46, OY + 44, 34, 34), 5) for n in range(1, 8)]
    out.append(("ColorSingleShape", (OX + 214, OY + 100, 28, 28), 3))
    out.append(("ColorBreatheShape", (LED_BAR_LEFT + LED_BAR_W + 22, LED_ROWS["Breathe"] - 4, 28, 28), 3))
    return out


def label_positions():
    """Label key -> (left, top, width, height) in base pixels, for labels placed by the language file."""
    pos = {}
    text_h = 16

    def on(rect, inset_left, key, width=None):
        x, y, w, h = rect
        pos[key] = (x + inset_left, y + (h - text_h) // 2, width or (w - inset_left - 6), text_h)

    for n, x in enumerate([452, 544, 636], start=1):
        on((x, 12, 86, 28), 30, f"LabelMenu{n}")
    for i, tab in enumerate(TABS):
        on(tab_rect(i), 44, TAB_LABELS[tab])
    pos["LabelFeatures"] = (22, 68, 140, text_h)
    pos["LabelActive"] = pos["LabelUnDriver"] = pos["LabelUnactive"] = (180, 467, 170, text_h)
    pos["DeviceInLabel"] = (44, 467, 56, text_h)
    pos["DeviceOutLabel"] = (122, 467, 56, text_h)
    pos["LabelSetting"] = (372, 467, 130, text_h)
    pos["LabelSX"] = (504, 467, 110, text_h)
    pos["LabelCompanyName"] = (620, 467, 124, text_h)
    pos["LabelSync"] = (620, 467, 60, text_h)

    y = OY + 16
    on((OX + 16, y, 96, 30), 30, "LabelEQEnable")
    on((OX + 120, y, 96, 30), 30, "LableEQ3DEnable")
    on((OX + 514, y, 76, 30), 28, "LabelEQReset")
    for n in range(1, 5):
        on((OX + 236 + (n - 1) * 68, y, 62, 30), 10, f"LabelEQS{n}")
    for i, band in enumerate(EQ_BANDS):
        pos[f"LabelEQ{band}"] = (eq_centre(i) - 26, OY + 330, 56, text_h)
        pos[f"LabelEQ{band}Value"] = (eq_centre(i) - 26, OY + 362, 56, text_h)

    on((OX + 16, OY + 16, 96, 30), 30, "Label3DEnable")
    on((OX + 120, OY + 16, 76, 30), 10, "Label3DFBM")
    on((OX + 514, OY + 16, 76, 30), 28, "Label3DReset")
    pos["Label3DLeftChannel"] = (OX + 40, OY + 350, 100, text_h)
    pos["Label3DRightChannel"] = (OX + 400, OY + 350, 100, text_h)
    pos["Label3DConnection"] = (OX + 244, OY + 270, 110, text_h)
    d3_values = {"LAlpha": OX + 96, "LBeta": OX + 150, "RAlpha": OX + 436, "RBeta": OX + 490}
    for name, x in d3_values.items():
        pos[f"Label3D{name}Value"] = (x - 20, D3_TRACK_TOP + D3_TRACK_LEN + 12, 40, text_h)

    slots = ["LabelEffectNothing", "LabelEffectTheater", "LabelEffectBathroom", "LabelEffectLivingroom",
             "LabelEffectStoneGallery"]
    for i, key in enumerate(slots):
        on((OX + 16, OY + 24 + i * 66, 196, 44), 52, key)

    for i, key in enumerate(["LabelMicBoost", "LabelMicMute", "LabelMicMonitor"]):
        on((OX + 16 + i * 136, OY + 16, 128, 32), 36, key)
    pos["LabelMicGain"] = (OX + 226, OY + 152, 70, text_h)
    pos["LabelMicValue"] = (OX + 432, MIC_TRACK_TOP + 82, 60, text_h)

    bx = OX + 392
    on((bx, OY + 24, 198, 40), 40, "Label7ch1Enable")
    on((bx, OY + 96, 95, 40), 32, "LabelVirtualClockwise")
    on((bx + 103, OY + 96, 95, 40), 32, "LabelVirtualCounterclockwise")
    on((bx, OY + 168, 95, 40), 32, "LabelVirtualEnlarge")
    on((bx + 103, OY + 168, 95, 40), 32, "LabelVirtualNarrow")
    on((bx, OY + 240, 198, 40), 40, "Label7ch1Reset")

    pos["ColorSelectLabel"] = (OX + 24, OY + 18, 240, text_h)
    pos["ColorSingleLabel"] = (OX + 52, OY + 106, 150, text_h)
    pos["ColorLEDOffLabel"] = (OX + 52, OY + 142, 150, text_h)
    pos["ColorEffectLabel"] = (OX + 24, OY + 184, 240, text_h)
    pos["ColorSlowLabel"] = (LED_BAR_LEFT, OY + 204, 60, text_h)
    pos["ColorFastLabel"] = (LED_BAR_LEFT + LED_BAR_W - 44, OY + 204, 50, text_h)
    for row, y in LED_ROWS.items():
        pos[f"Color{row}Label"] = (OX + 52, y + 2, 150, text_h)

    on((OX + 16, OY + 16, 176, 36), 40, "ENCFunctionLabel")
    pos["LabelENCValue"] = (OX + 412, OY + 190, 60, text_h)

    on((OX + 16, OY + 16, 176, 36), 40, "VMFunctionLabel")
    for i, key in enumerate(["VMEffectNoneLabel", "VMEffect1Label", "VMEffect2Label", "VMEffect3Label", "VMEffect4Label"]):
        pos[key] = (OX + 16 + i * 116 + 10, OY + 92 + 96, 88, text_h)
    return pos


# Labels that sit on two-state pictures: their down colour is the "selected" text colour.
ACCENT_LABEL_PREFIXES = ("LabelPage", "LabelEQ", "LableEQ", "Label3D", "LabelEffect", "LabelMic", "Label7ch1",
                         "LabelVirtual", "ENCFunction", "VMEffect", "VMFunction", "LabelMenu", "Color")
