#!/usr/bin/env python3
"""Re-makes the fuzz targets' seed corpora (corpus/<target>/) and dictionaries (dictionaries/<target>.dict)
from the reference kit, the readers' key tables and their length limits. The output is committed; run this
again when the kit or a key table changes."""

import hashlib
import pathlib
import re
import shutil
import struct

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parents[1]
KIT = ROOT / "oem" / "kit"


def decode(raw: bytes) -> str:
    if raw.startswith(b"\xff\xfe"):
        return raw[2:].decode("utf-16-le")
    if raw.startswith(b"\xef\xbb\xbf"):
        return raw[3:].decode("utf-8")
    return raw.decode("cp1252", errors="replace")


def variants(text: str) -> dict:
    """The encodings a Windows INI file comes in: Windows-1252, UTF-8 with its mark, UTF-16LE with its mark."""
    out = {"utf8bom": b"\xef\xbb\xbf" + text.encode("utf-8"), "utf16le": b"\xff\xfe" + text.encode("utf-16-le")}
    try:
        out["cp1252"] = text.encode("cp1252")
    except UnicodeEncodeError:
        out["cp1252"] = text.encode("cp1252", errors="replace")
    return out


class Corpus:
    def __init__(self, name):
        self.dir = HERE / "corpus" / name
        shutil.rmtree(self.dir, ignore_errors=True)
        self.dir.mkdir(parents=True)

    def add(self, label, data):
        if isinstance(data, str):
            data = data.encode("cp1252", errors="replace")
        digest = hashlib.sha1(data).hexdigest()[:8]
        (self.dir / f"{label}-{digest}").write_bytes(data)

    def add_text(self, label, text):
        for encoding, data in variants(text).items():
            self.add(f"{label}-{encoding}", data)


def kit_text(relative):
    return decode((KIT / relative).read_bytes())


def quoted_strings(source):
    return sorted(set(re.findall(r'L"([A-Za-z0-9_ .\-]+)"', (ROOT / source).read_text())))


def write_dict(name, words):
    lines = ["# Words of the format, so that mutations can build whole keys and sections."]
    for word in sorted(set(words)):
        escaped = "".join(c if 0x20 <= ord(c) < 0x7F and c not in '"\\' else f"\\x{ord(c):02X}" for c in word)
        lines.append(f'"{escaped}"')
    path = HERE / "dictionaries" / f"{name}.dict"
    path.parent.mkdir(exist_ok=True)
    path.write_text("\n".join(lines) + "\n")


INI_SYNTAX = ["[", "]", "=", ";", "\r\n", "\n", '"', "'", ",", '""', "\xef\xbb\xbf", "\xff\xfe", "(null)"]
CONFIG = kit_text("AudioConfig.cfg")
SKIN_KEYS = quoted_strings("panel/skin/SkinKeys.cpp") + quoted_strings("panel/skin/SkinSwatches.cpp")
LANGUAGE_KEYS = quoted_strings("panel/language/LanguageKeys.cpp") + ["GlobalFont", "ColorUp", "ColorDown", "Font",
                                                                     "FontSize", "MultiLanguageFolderMap", "$"]
CONFIG_KEYS = quoted_strings("common/AppConfig.cpp") + re.findall(r"^\[?([A-Za-z0-9_]+)[\]=]", CONFIG, re.M)


def skin_setting():
    corpus = Corpus("skin_setting")
    seen = set()
    for path in sorted(KIT.glob("Skin/**/SkinSetting.ini")):
        text = decode(path.read_bytes())
        if text in seen:
            continue
        seen.add(text)
        corpus.add_text(path.parent.name, text)
    # The readers' limits: a 63-character file name, 127-character items, a 255-character value.
    corpus.add_text("limits", "[EQ]\nEQBackImage=" + "n" * 63 + ".png,1,2,3,4,1\nEQSlider=" + "1" * 127 + ",5\n"
                    "[Main]\nMainBackImage=" + "m" * 64 + ".png,-2147483648,2147483647,,,0\n"
                    "VirtualCenter=" + "9" * 300 + "\n")
    corpus.add_text("quoted", '[Main]\nMainBackImage="back,ground.png",  3 ,4,,,"7"\n[LED]\nColor01Shape=1,2,3,4,5\n')
    # The sections at the end of the kit's files, which the runs' input length cuts off.
    corpus.add_text("led-enc", "[LED]\nLEDPageMode=1\nLEDFastRightSide=2\nColor03Shape=10,20,30,40,5\n"
                    "ColorBreatheShape= 1 , 2 ,x,4\n[ENC]\nENCSlider=90,150\nENCBarImage=bar.png,1,2,3,4\n")
    corpus.add_text("accents", "[Main]\nMainBackImage=fond_d\u00e9cor\u00e9.png,1,1\n")
    write_dict("skin_setting", SKIN_KEYS + INI_SYNTAX + ["2147483647", "-2147483648", ".png"])


def language():
    corpus = Corpus("language")
    for name in ("English", "German"):
        corpus.add_text(name, kit_text(f"Language/{name}/Language.ini"))
    corpus.add_text("limits", "[GlobalFont]\nColorUp=$FFFFFFFF\nColorDown=4294967296\nFont=" + "F" * 64 + "\n"
                    "FontSize=-2147483649\n[Main]\nLabelMenu1=" + "t" * 128 + ",$00FF00,$1,\"A, B\",9,1,2,3,4,0\n"
                    "[EQ]\nLabelEQEnable=(null),,,,,2147483647,-2147483648,,,\n")
    corpus.add_text("folders", "[MultiLanguageFolderMap]\nEnglish=English\ngerman=Deutsch\nFran\u00e7ais=Fran\u00e7ais\n"
                    + "ALongerFolderName" * 2 + "=" + "D" * 40 + "\n")
    config = CONFIG[CONFIG.index("[MultiLanguageFolderMap]"):]
    corpus.add_text("config-map", config[:config.index("[USB_VID_PID]")])
    write_dict("language", LANGUAGE_KEYS + INI_SYNTAX + ["4294967295", "$FFFFFFFF", "-"])


def region_file():
    corpus = Corpus("region_file")
    seen = set()
    for path in sorted(KIT.glob("Skin/**/MainForm_Frame.rgn")):
        data = path.read_bytes()
        if data not in seen:
            seen.add(data)
            corpus.add(path.parent.parent.name + "-" + path.parent.name, data[:4096])
    rect = struct.pack("<4i", 0, 0, 10, 10)
    corpus.add("unknown-size", struct.pack("<4I4i", 32, 1, 1, 0, 0, 0, 10, 10) + rect)
    corpus.add("short", struct.pack("<4I4i", 32, 1, 2, 32, 0, 0, 10, 10) + rect)
    corpus.add("huge-count", struct.pack("<4I4i", 32, 1, 0x10000000, 0, 0, 0, 10, 10))


def picture_size():
    corpus = Corpus("picture_size")
    corpus.add("png", (KIT / "Skin" / "Ember" / "about_logo.png").read_bytes()[:64])
    corpus.add("png-largest", b"\x89PNG\r\n\x1a\n" + struct.pack(">I4sII", 13, b"IHDR", 65536, 1))
    corpus.add("png-too-large", b"\x89PNG\r\n\x1a\n" + struct.pack(">I4sII", 13, b"IHDR", 65537, 1))
    corpus.add("bmp", b"BM" + struct.pack("<IHHIIii", 0, 0, 0, 54, 40, 320, 200))
    corpus.add("bmp-top-down", b"BM" + struct.pack("<IHHIIii", 0, 0, 0, 54, 40, 320, -200))
    corpus.add("bmp-min-height", b"BM" + struct.pack("<IHHIIii", 0, 0, 0, 54, 40, 1, -2147483648))
    corpus.add("gif", b"GIF89a" + struct.pack("<HH", 48, 32) + b"\xf7\x00\x00")
    corpus.add("gif-short", b"GIF87a\x10\x00\x10")


def device_ids():
    corpus = Corpus("device_ids")
    corpus.add_text("kit", CONFIG[CONFIG.index("[USB_VID_PID]"):])
    corpus.add_text("patterns", "[USB_VID_PID]\n1=USB\\VID_4D2F&PID_48XX&REV_0100&MI_00\n2=  usb\\vid_4d2f&pid_4802&rev_0100&mi_00  \n"
                    "3=\n[HID_VID_PID]\n1=HID\\Vid_4D2F&Pid_48XX\nUSB\\VID_4D2F&PID_4812&REV_0100&MI_00\n"
                    "HID\\Vid_12&Pid_G1\nUSB\\PID_1234&VID_ABCDE\n")
    corpus.add_text("empty-section", "[USB_VID_PID]\n[HID_VID_PID]\n;1=x\n")
    write_dict("device_ids", ["USB_VID_PID", "HID_VID_PID", "USB\\VID_", "&PID_", "Vid_", "Pid_", "&REV_0100",
                              "&MI_00", "XX", "4D2F"] + INI_SYNTAX)


def app_config():
    corpus = Corpus("app_config")
    corpus.add_text("kit", CONFIG)
    corpus.add_text("user-copy", "[Language]\nDefaultLanguage=German\n[Skin]\nDefaultSkin=Graphite\n"
                    "[Install]\nInstallFolderName=Tonvio\n")
    corpus.add_text("limits", "[Install]\nInstallFolderName=" + "i" * 1023 + "\nAppShortcutName=" + "a" * 1024 + "\n"
                    "[DebugLevel]\nApplication=\nService=  \n")
    write_dict("app_config", CONFIG_KEYS + ["DefaultLanguage", "DefaultSkin"] + INI_SYNTAX)


def ini_keys():
    corpus = Corpus("ini_keys")
    corpus.add_text("kit", CONFIG)
    corpus.add_text("lists", 'a,b,,c,\n"quoted, item",x\n"a""b"after,"unclosed\n  spaced , items \n' + "l" * 130 + ",2\n")
    corpus.add_text("values", "[Language]\nDefaultLanguage = \"English\" \nKey='single'\n[Skin]\nDefaultSkin=" + "s" * 300 + "\n")
    write_dict("ini_keys", CONFIG_KEYS + INI_SYNTAX + ['""'])


def private_profile():
    corpus = Corpus("private_profile")
    for label, relative in (("config", "AudioConfig.cfg"), ("profile", "DefaultProfile.ini"),
                            ("language", "Language/German/Language.ini")):
        corpus.add_text(label, kit_text(relative) + "\x00\x03")  # the last two bytes pick the key and the value
    corpus.add_text("edges", "key before any section=1\r[A]\r\n x = 1 \n[a]\nx=2\n; comment\n\n[B]\nLast=\"q\"\x00\x01")
    corpus.add("utf16-odd", b"\xff\xfe[\x00A\x00]\x00\n\x00k\x00=\x00v\x00\x00\x01\x02")
    corpus.add("utf8-broken", b"\xef\xbb\xbf[A]\nk=\xc3\x28\xed\xa0\x80\xf4\x90\x80\x80\n\x05\x00")
    write_dict("private_profile", CONFIG_KEYS + INI_SYNTAX + ["\x1a", "\t", "\r"])


def ini_section_reader():
    corpus = Corpus("ini_section_reader")
    corpus.add_text("kit", CONFIG)
    corpus.add_text("profile", kit_text("DefaultProfile.ini"))
    corpus.add_text("accents", "[Sprache]\nStandard=Fran\u00e7ais \u20ac\n[\u65e5\u672c]\n\u540d=\u5024\n")
    corpus.add("utf8-broken", b"\xef\xbb\xbf[A]\nk=\xc3\x28\xed\xa0\x80\xf4\x90\x80\x80\n")
    write_dict("ini_section_reader", CONFIG_KEYS + INI_SYNTAX)


def command_line():
    corpus = Corpus("command_line")
    for args in (["TonvioApp.exe"], ["TonvioApp.exe", "-servicestart"], ["C:\\x\\TonvioApp.exe", "", "-SERVICEBOOT"],
                 ["-boot"], ["TonvioApp.exe", "-unknown", "-Boot", "-servicestart"]):
        corpus.add("args", "\n".join(args))
    corpus.add("utf16", b"\xff\xfe" + "TonvioApp.exe\n-\u0130boot\n-servicestart".encode("utf-16-le"))
    write_dict("command_line", ["-boot", "-servicestart", "-serviceboot", "\n"])


def hid_reports():
    corpus = Corpus("hid_reports")
    corpus.add("read-register", bytes([0, 65, 65, 0x20, 0x01, 1, 0, 0, 0x5A] + [0] * 62 + [1]))
    corpus.add("gpio", bytes([2, 65, 65, 1] + [0, 0, 0xFF, 0x03, 0] + [0] * 60 + [1, 3, 5, 5, 0x3FF & 0xFF, 3]))
    corpus.add("short-reports", bytes([0, 2, 2, 1, 0, 0, 1, 2, 3, 4, 4, 0, 0, 1]))
    corpus.add("buttons", bytes([5, 5, 1, 2, 3, 4, 5, 5, 3, 9, 9, 9, 5, 0]))


def chip_tool():
    corpus = Corpus("chip_tool")
    commands = ["reset", "plug", "unplug", "identity\x004D2F\x004802", "press\x0001\x0000\x0000\x0000\x0000",
                "report-lengths\x004\x0065", "driver\x00present", "probe-failures\x00never",
                "fault\x00hid-output\x002\x00fail\x001", "fault\x00sdk\x001\x00unplug\x00forever\x00DLLQZ_SetActive_Device",
                "clear-faults", "status", "registers\x00120\x0016", "requests", "clear-requests",
                "registers\x00FFFF\x001", "identity\x000x10000\x001"]
    for command in commands:
        corpus.add("command", command)
    corpus.add("sequence", "\n".join(commands))
    words = ["reset", "plug", "unplug", "identity", "press", "report-lengths", "driver", "present", "missing",
             "probe-failures", "never", "fault", "sdk", "hid-open", "hid-output", "hid-input", "driver-open",
             "driver-control", "button", "fail", "empty", "forever", "clear-faults", "status", "registers",
             "requests", "clear-requests", "0x", "FFFF", "4294967295", "\x00", "\n"]
    entry_points = re.findall(r'"(DLLQZ_[A-Za-z0-9_]+)"', (ROOT / "device" / "SdkEntryPoints.h").read_text())
    write_dict("chip_tool", words + entry_points)


for make in (skin_setting, language, region_file, picture_size, device_ids, app_config, ini_keys, private_profile,
             ini_section_reader, command_line, hid_reports, chip_tool):
    make()
