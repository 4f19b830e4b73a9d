#!/usr/bin/env python3
"""Generate src/masterdata/PinyinTable.inc, the data behind pinyin::convert().

Run by hand when the readings should change; the output is committed, so the
build needs neither of the inputs:

  * the GBK repertoire, from the C library's iconv GBK converter (glibc);
    Python's own 'gbk' codec differs from it and is not used;
  * the readings, from the first value of kMandarin in the Unihan data of
    Debian's unicode-data package (/usr/share/unicode/Unihan_Readings.txt.bz2).

Codes are made by walking a name as GBK text.  Because the program keeps text
in Unicode, the table is keyed by code point and already tells what the GBK
code of each character stands for:

  0              no reading (also: every character outside GBK)
  1..0x0FFF      index into the syllable list (a character with a reading)
  0x1000 | k     literal text k (numbering row 0xA2, Greek row 0xA6)
  0x2000 | a     full-width ASCII (row 0xA3): the ASCII character a
  0x3000         a single GBK byte above ASCII (glibc maps the euro sign to 0x80)

Usage: python3 tools/pinyin/gen_pinyin_table.py > src/masterdata/PinyinTable.inc
"""
import bz2
import ctypes
import ctypes.util
import sys
import unicodedata

UNIHAN = '/usr/share/unicode/Unihan_Readings.txt.bz2'

# Characters with several readings take one fixed reading.  kMandarin's first
# value is the most customary one (重 zhong, 长 zhang, 藏 cang, 乐 le); these few
# are set, with their traditional forms, so that goods names read the way a
# shop says them.
FIXED_READINGS = {
    '行': 'hang',                   # kMandarin: xíng
    '弹': 'tan', '彈': 'tan',       # 弹簧, 弹垫 (kMandarin: dàn)
    '刨': 'bao',                    # 刨子, 电刨 (kMandarin: páo)
    '调': 'tiao', '調': 'tiao',     # 调节阀, 调速开关 (kMandarin: diào)
}

# Row 0xA2: trail byte ranges of the enumerated symbols and their numbers.
NUMBERING = [(0xA1, 10), (0xB1, 20), (0xC5, 20), (0xD9, 10), (0xE5, 10), (0xF1, 12)]
# Row 0xA6: Greek capitals from trail 0xA1, small letters from 0xC1, alike.
GREEK = 'a b g d e z e th i k l m n x o p r s t u ph kh ps o'.split()

CJK_FIRST, CJK_LAST = 0x4E00, 0x9FA5   # held as a direct table


def gbk_decoder():
    """Returns decode(bytes) -> code point or None, using glibc's iconv."""
    libc = ctypes.CDLL(ctypes.util.find_library('c'), use_errno=True)
    libc.iconv_open.restype = ctypes.c_void_p
    libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
    pp = ctypes.POINTER(ctypes.c_char_p)
    ps = ctypes.POINTER(ctypes.c_size_t)
    libc.iconv.argtypes = [ctypes.c_void_p, pp, ps, pp, ps]
    libc.iconv.restype = ctypes.c_size_t
    cd = libc.iconv_open(b'UTF-32LE', b'GBK')
    if cd == ctypes.c_void_p(-1).value:
        sys.exit('iconv has no GBK converter')

    def decode(data):
        inbuf = ctypes.create_string_buffer(data, len(data))
        outbuf = ctypes.create_string_buffer(16)
        ip, il = ctypes.c_char_p(ctypes.addressof(inbuf)), ctypes.c_size_t(len(data))
        op, ol = ctypes.c_char_p(ctypes.addressof(outbuf)), ctypes.c_size_t(16)
        libc.iconv(cd, None, None, None, None)
        if libc.iconv(cd, ctypes.byref(ip), ctypes.byref(il),
                      ctypes.byref(op), ctypes.byref(ol)) == ctypes.c_size_t(-1).value:
            return None
        out = outbuf.raw[:16 - ol.value]
        assert il.value == 0 and len(out) == 4
        return int.from_bytes(out, 'little')
    return decode


def toneless(reading):
    """'lǜ' -> 'lv', 'zhǒng' -> 'zhong'."""
    s = unicodedata.normalize('NFD', reading).replace('u\u0308', 'v')
    s = ''.join(c for c in s if not unicodedata.combining(c))
    assert s.isascii() and s.isalpha() and s.islower() and len(s) <= 6, reading
    return s


def load_readings():
    readings = {}
    for line in bz2.open(UNIHAN, 'rt', encoding='utf-8'):
        if line.startswith('U+'):
            cp, key, value = line.rstrip('\n').split('\t', 2)
            if key == 'kMandarin':
                readings[int(cp[2:], 16)] = toneless(value.split()[0])
    for ch, syllable in FIXED_READINGS.items():
        readings[ord(ch)] = syllable
    for ch, syllable in {'重': 'zhong', '长': 'zhang', '行': 'hang', '藏': 'cang', '乐': 'le'}.items():
        assert readings[ord(ch)] == syllable, ch   # codes people already know
    return readings


def reading_lookup(readings):
    """A compatibility ideograph reads as the unified ideograph it stands for."""
    def reading_of(cp):
        if cp in readings:
            return readings[cp]
        return readings.get(ord(unicodedata.normalize('NFC', chr(cp))))
    return reading_of


def literal_text(lead, trail):
    """Text of a numbering or Greek code, or None when the code is not one."""
    if lead == 0xA2 and trail >= 0xA1:
        for first, count in NUMBERING:
            if first <= trail < first + count:
                return str(trail - first + 1)
        return ''   # the rest of the row gives an empty text, not a mark
    if lead == 0xA6:
        for first in (0xA1, 0xC1):
            if first <= trail < first + 24:
                return GREEK[trail - first].upper()
    return None


def main():
    decode = gbk_decoder()
    reading_of = reading_lookup(load_readings())
    literals = []
    values = {}                 # code point -> table value
    readable = gb2312 = 0
    for byte in range(0x80, 0x100):         # single bytes above ASCII
        cp = decode(bytes([byte]))
        if cp is not None:
            values[cp] = 0x3000
    for lead in range(0x81, 0xFF):
        for trail in range(0x40, 0xFF):
            cp = decode(bytes([lead, trail]))
            if cp is None:
                continue
            assert cp not in values and cp <= 0xFFFF
            text = literal_text(lead, trail)
            if lead == 0xA3:
                values[cp] = 0x2000 | (trail - 0x80)
            elif text is not None:
                if text not in literals:
                    literals.append(text)
                values[cp] = 0x1000 | literals.index(text)
            elif lead not in (0xA2, 0xA6) and reading_of(cp) is not None:
                values[cp] = reading_of(cp)     # replaced by its index below
                readable += 1
                gb2312 += 0xB0 <= lead <= 0xF7 and trail >= 0xA1
            else:
                values[cp] = 0
    syllables = [''] + sorted({v for v in values.values() if isinstance(v, str)})
    values = {cp: (syllables.index(v) if isinstance(v, str) else v) for cp, v in values.items()}
    assert all(cp in values for cp in range(CJK_FIRST, CJK_LAST + 1))   # GBK holds the whole block
    assert len(syllables) < 0x1000

    out = sys.stdout
    out.write('// Generated by tools/pinyin/gen_pinyin_table.py; do not edit.\n')
    out.write(f'// GBK characters with a reading: {readable} '
              f'({gb2312} of GB2312, {readable - gb2312} further).\n\n')
    out.write(f'constexpr int kReadableCount = {readable};\n\n')
    out.write(f'constexpr char kSyllables[{len(syllables)}][7] = {{\n')
    for i in range(0, len(syllables), 10):
        out.write('    ' + ', '.join(f'"{s}"' for s in syllables[i:i + 10]) + ',\n')
    out.write('};\n\n')
    out.write(f'constexpr char kLiterals[{len(literals)}][3] = {{\n    ')
    out.write(', '.join(f'"{s}"' for s in literals) + ',\n};\n\n')

    out.write(f'constexpr char32_t kCjkFirst = 0x{CJK_FIRST:04X}, kCjkLast = 0x{CJK_LAST:04X};\n')
    out.write(f'constexpr uint16_t kCjkValues[{CJK_LAST - CJK_FIRST + 1}] = {{\n')
    cjk = [values.get(cp, 0) for cp in range(CJK_FIRST, CJK_LAST + 1)]
    for i in range(0, len(cjk), 16):
        out.write('    ' + ','.join(str(v) for v in cjk[i:i + 16]) + ',\n')
    out.write('};\n\n')

    others = sorted(cp for cp in values if not CJK_FIRST <= cp <= CJK_LAST)
    out.write('// Every other GBK character, sorted by code point for a binary search.\n')
    out.write(f'constexpr uint16_t kOtherCodes[{len(others)}] = {{\n')
    for i in range(0, len(others), 12):
        out.write('    ' + ','.join(f'0x{cp:04X}' for cp in others[i:i + 12]) + ',\n')
    out.write('};\n')
    out.write(f'constexpr uint16_t kOtherValues[{len(others)}] = {{\n')
    for i in range(0, len(others), 12):
        out.write('    ' + ','.join(f'0x{values[cp]:04X}' for cp in others[i:i + 12]) + ',\n')
    out.write('};\n')
    print(f'{readable} readable ({gb2312} GB2312), {len(syllables) - 1} syllables, '
          f'{len(values)} GBK characters', file=sys.stderr)


if __name__ == '__main__':
    main()
