#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the fuzzers' seed corpora, fuzz/corpus/events and fuzz/corpus/numbers.

The seeds follow the cases of the tests in tests/core. The events encoding is described at
the top of fuzz/events.cpp. Run from anywhere: python3 fuzz/make_seeds.py
"""

import pathlib
import shutil
import struct
import sys

HERE = pathlib.Path(__file__).resolve().parent

# Control indices, in the window's order of controls.
CONTROLS = [
    "Equals", "Num0", "Num1", "Num2", "Num3", "Num4", "Num5", "Num6", "Num7", "Num8", "Num9",
    "Cancel", "CancelEntry", "Plus", "Minus", "Times", "Divide", "Decimal", "Percent", "Picture1",
    "Readout", "DME", "Digits2", "Label1", "cCopy", "cPaste", "Combo1", "EDM", "Label2",
]
GERMAN, ENGLISH, NBSP_GROUP, ARABIC = b"0", b"1", b"2", b"5"
COPY, PASTE = b"\x03", b"\x16"
RIGHT_PRESS, DROP_DOWN, EURO = b"\x9d", b"\x9e", b"\x9f"
UNREADABLE, UNWRITABLE = b"\xc1", b"\xc2"


def click(name):
    return bytes([0x80 + CONTROLS.index(name)])


def focus(name):
    return bytes([0xA0 + CONTROLS.index(name)])


def select(position):
    return bytes([0xBD, position + 1])


def chooser_key(code, shift=0):
    return b"\xbe" + struct.pack(">hB", code, shift)


def key16(code):
    return b"\xbf" + struct.pack(">h", code)


def clip(text):
    data = text.encode() if isinstance(text, str) else text
    assert len(data) < 256
    return b"\xc0" + bytes([len(data)]) + data


BIG = b"99999999999999999999999"

EVENTS = {
    "typed-sum-de": GERMAN + b"12+3=",
    "typed-sum-en": ENGLISH + b"12+3=",
    "chain": GERMAN + b"5+3*2-4/2=",
    "division-by-zero-then-error": GERMAN + b"8/0+5=",
    "error-then-more-numbers": GERMAN + b"8/0+5=1=2+",
    "sign": GERMAN + b"5*-3=-.5*2=",
    "minus-minus": GERMAN + b"5+--3=",
    "percent": GERMAN + b"200+10%5=C1+1=",
    "clear-entry": GERMAN + b"5+3E4=5.2e7",
    "long-entry": GERMAN + b"1" * 30,
    "long-negative-entry": GERMAN + b"-" + b"1" * 30,
    "long-decimals": GERMAN + b"." + b"1" * 30,
    "convert-keys": GERMAN + b"100D" + EURO + b"dRr",
    "convert-then-failed-operator": GERMAN + b"8/0+5" + EURO + b"+7" + b"1" * 25,
    "convert-then-failed-operator-point": GERMAN + b"8/0+1.95583" + EURO + b"+.5",
    # A currency chosen while a point is typed: digits extend the converted number to the
    # full 24 characters, and the point after them adds nothing.
    "chosen-then-full-entry-point": GERMAN + RIGHT_PRESS + b"," + select(12) + b"2" * 23 + b".",
    "drop-down-unfocused": GERMAN + b"100" + RIGHT_PRESS + chooser_key(38) + chooser_key(38)
    + chooser_key(37) + DROP_DOWN + select(11),
    "paste-blank-padded": GERMAN + b"R" + clip("1" + " " * 200) + PASTE + b"+0=" + clip("1" + "\n" * 200)
    + PASTE + b"R",
    "overflow": GERMAN + (BIG + b"*") * 13 + BIG + b"=",
    "conversion-beyond-range": GERMAN + clip("1e308") + PASTE + b"D" + EURO + b"9" * 20 + b"D",
    "paste-de": GERMAN + b"7+" + clip("1.234,56") + PASTE + b"=" + clip(" 12 ") + PASTE + b"5",
    "paste-refused": GERMAN + clip("1e400") + PASTE + clip("Fehler") + PASTE + clip(b"12\0") + PASTE,
    "paste-long": GERMAN + b"8/0+" + clip("123456789012345678901234567890") + PASTE + b"+1" + PASTE,
    "paste-en": ENGLISH + clip("1,234.56") + PASTE + b"*2=" + clip("1.5") + PASTE,
    "copy-paste": GERMAN + b"8/0+5=" + COPY + PASTE + b"C12" + COPY + b"7" + UNWRITABLE + COPY
    + UNREADABLE + PASTE,
    "chooser": GERMAN + b"500" + RIGHT_PRESS + select(5) + select(12) + RIGHT_PRESS + select(8)
    + focus("Equals") + focus("Combo1"),
    "chooser-list": GERMAN + b"100" + RIGHT_PRESS + DROP_DOWN + focus("Num1") + focus("Combo1")
    + chooser_key(13) + chooser_key(40) + chooser_key(37) + b"C",
    "chooser-clicks": GERMAN + b"7" + RIGHT_PRESS + click("Combo1") + click("EDM") + click("DME")
    + b"\xc4\x02" + b"\xc3\x00\x00\x00\x0c",
    "every-control": GERMAN + b"5" + bytes(range(0x80, 0x9D)),
    "every-focus": GERMAN + b"5" + bytes(range(0xA0, 0xBD)),
    "odd-keys": GERMAN + b"5" + key16(128) + key16(-1) + key16(228) + key16(0x7FFF) + b"\x00\x7f",
    "nbsp-group": NBSP_GROUP + b"1234567.5R" + COPY + PASTE + b"*3=",
    "arabic": ARABIC + b"12.5*2=R" + clip("1\u066c234\u066b5") + PASTE + b"+1=",
    "two-decimals-box": GERMAN + click("Digits2") + b"1234.5" + click("Digits2") + b"99999999999999",
}

NUMBERS = {
    "zero-comma": b"0,",
    "decimals": b"53,7",
    "negative": b"-0,5",
    "grouped": b"1.234.567,89",
    "grouped-anywhere": b"1.2.3",
    "exponent": b"1,5e-2",
    "exponent-plus": b"2E+3",
    "blanks": b"  12,5  ",
    "nbsp": "\u00a08\u00a0".encode(),
    "narrow-nbsp-group": "1\u202f234,5".encode(),
    "arabic": "1\u066c234\u066b5".encode(),
    "largest": b"1,7976931348623157E308",
    "beyond-largest": b"1,8E308",
    "tiny": b"1e-400",
    "huge-exponent": b"1e99999999999999999999",
    "english": b"1,234.5",
    "not-a-number": b"NaN",
    "inf": b"-inf",
    "hex": b"0x10",
    "long-digits": b"0" * 300 + b"1",
    "double-largest": struct.pack("<d", sys.float_info.max),
    "double-denormal": struct.pack("<d", 5e-324),
    "double-legal-rounding": struct.pack("<d", 977.915),
    "double-below-half-cent": struct.pack("<d", 1.005),
    "double-just-below-1e15": struct.pack("<d", 999999999999999.9),
    "double-negative-tiny": struct.pack("<d", -0.004),
}


def write(name, seeds):
    folder = HERE / "corpus" / name
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    for file, data in seeds.items():
        (folder / file).write_bytes(data)


write("events", EVENTS)
write("numbers", NUMBERS)
