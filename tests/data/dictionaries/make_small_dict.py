#!/usr/bin/env python3
"""Writes small_dict.dat, the golden service data file of the dictionary tests, byte by byte
from the record layouts (int32 little-endian; strings with a length prefix, CP1251)."""
import struct
from pathlib import Path


def i32(v):
    return struct.pack('<i', v)


def s(text):
    b = text.encode('cp1251')
    n = len(b)
    if n < 255:
        return bytes([n]) + b
    if n < 0xFFFE:
        return b'\xff' + struct.pack('<H', n) + b
    return b'\xff\xff\xff' + struct.pack('<I', n) + b


def cases(forms, value=0):
    forms = list(forms) + [''] * (6 - len(forms))
    return b''.join(s(f) for f in forms) + i32(value)


out = b''
# 1. kinds: nominative, instrumental at index 4; aliases; QuoteTitle; Gender
out += i32(2)
out += cases(['ПОСТАНОВЛЕНИЕ', '', '', '', 'ПОСТАНОВЛЕНИЕМ']) + i32(-1) + i32(0) + i32(2)
out += cases(['ПРИКАЗ', '', '', '', 'ПРИКАЗОМ'])
out += i32(2) + cases(['РАСПОРЯЖЕНИЕ', '', '', '', 'РАСПОРЯЖЕНИЕМ'], 7)
out += cases(['УКАЗАНИЕ', '', '', '', 'УКАЗАНИЕМ'])
out += i32(1) + i32(0)
# 2. bodies: nominative, genitive, instrumental; aliases; letter-case name
out += i32(1)
out += cases(['МИНИСТЕРСТВО ФИНАНСОВ', 'МИНИСТЕРСТВА ФИНАНСОВ', '', '', 'МИНИСТЕРСТВОМ ФИНАНСОВ'])
out += i32(1) + cases(['МИНФИН', 'МИНФИНА', '', '', 'МИНФИНОМ'])
out += s('Министерство финансов')
# 3. sources, one of them long enough for the three-byte prefix
out += i32(3) + s('Российская газета') + s('Собрание законодательства РФ') + s('Ж' * 300)
# 4. universal dictionary
out += i32(1) + cases(['А', 'Б', 'В', 'Г', 'Д', 'Е'], 3)
# 5. themes: name, code, parent code
out += i32(3)
out += s('ФИНАНСЫ') + i32(1) + i32(0)
out += s('НАЛОГИ') + i32(2) + i32(1)
out += s('БЮДЖЕТ') + i32(3) + i32(1)
# 6. letter case, keys in ascending byte order
out += i32(2) + s('МИНИСТЕРСТВО') + s('Министерство') + s('ФИНАНСОВ') + s('финансов')

Path(__file__).with_name('small_dict.dat').write_bytes(out)
