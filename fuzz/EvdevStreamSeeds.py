#!/usr/bin/env python3
"""Turns the touchpad recordings (libinput record YAML) into seeds of the evdev
stream fuzzer: a 16-byte pad description, then 8-byte events (type index,
code index, int32 value, uint16 milliseconds since the previous event).
Usage: fuzz/EvdevStreamSeeds.py Tests/data/recordings/*.yml"""
import os
import re
import struct
import sys

TYPES = [0, 1, 3, 4]  # EV_SYN, EV_KEY, EV_ABS, EV_MSC
ABS = [0x2F, 0x39, 0x35, 0x36, 0x3A, 0x30, 0x37, 0x00, 0x01, 0x18]
KEYS = [0x14A, 0x145, 0x14D, 0x14E, 0x14F, 0x148, 0x110, 0x140]
SYN = [0, 3, 1, 2]


def convert(path):
    text = open(path).read()
    absinfo = {int(c): [int(v) for v in vals.split(',')]
               for c, vals in re.findall(r'^\s+(\d+): \[([-\d, ]+)\]$', text.split('properties:')[0], re.M)
               if ',' in vals and len(vals.split(',')) == 5}
    props = re.search(r'properties: \[([\d, ]*)\]', text)
    semi = props and '3' in [p.strip() for p in props.group(1).split(',')]
    slots = absinfo.get(0x2F, [0, 0])[1] + 1
    x = absinfo.get(0x35, [0, 1])
    y = absinfo.get(0x36, [0, 1])
    flags = (1 if semi else 0) | 2 | (4 if 0x3A in absinfo else 0) | (8 if 0x30 in absinfo else 0)
    out = struct.pack('<BBhhhhhhBB', slots, flags, x[0], x[1], y[0], y[1],
                      absinfo.get(0x3A, [0, 0])[1], absinfo.get(0x30, [0, 0])[1], 0, 0)
    last = None
    for sec, usec, typ, code, value in re.findall(r'- \[\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+),\s*(-?\d+)\]', text):
        typ, code, value = int(typ), int(code), int(value)
        t = int(sec) * 1000 + int(usec) // 1000
        table = {0: SYN, 1: KEYS, 3: ABS}.get(typ)
        if typ not in TYPES or (table is not None and code not in table):
            continue
        step = 0 if last is None else max(0, min(0xFFFE, t - last))
        last = t
        out += struct.pack('<BBiH', TYPES.index(typ), table.index(code) if table else code, value, step)
    return out


for path in sys.argv[1:]:
    name = os.path.splitext(os.path.basename(path))[0]
    with open(os.path.join(os.path.dirname(__file__), 'corpus', 'EvdevStream', name + '.bin'), 'wb') as f:
        f.write(convert(path))
