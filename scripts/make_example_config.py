#!/usr/bin/env python3
"""Builds the example configuration of resources/Data from a plausible installation.

The lines are laid out here and then rewritten by the program's own writer:
    python3 scripts/make_example_config.py > /tmp/example.zeb
    korvane-cli convert /tmp/example.zeb -o resources/Data/Example.zeb
"""
import sys


def tenths(value):
    t = round(value * 10)
    sign = 128 if t < 0 else 0
    t = abs(t)
    return [sign | (t >> 16) & 127, (t >> 8) & 255, t & 255]


rows = [[1] + [0] * 31 for _ in range(128)]
master = [[0] * 32 for _ in range(128)]
texts = [b""] * 128


def channel(name, type_, text, **bytes_):
    c = (ord(name[0]) - ord("A")) * 8 + int(name[1]) - 1
    rows[c][0] = type_
    for k, v in bytes_.items():
        rows[c][int(k[1:])] = v
    texts[c] = text
    return c


for i, t in enumerate([b"Entr\xe9 lys", b"K\xf8kken lys", b"Stue lys", b"Gang lys"]):
    channel("A%d" % (i + 1), 0, t)
channel("A5", 2, b"Trappe")
c = channel("A6", 3, b"Udelys, 2 min", b1=120, b15=248, b17=2)
c = channel("A7", 6, b"Carport ur", b1=0x7F, b2=0x06, b3=0x30, b4=0x22, b5=0x00)
for k in (7, 9, 12, 14, 17, 19):
    rows[c][k] = 255
c = channel("A8", 7, b"Alt sluk", b2=255, b4=255, b7=255, b9=255, b12=255, b14=255, b17=255, b19=255)
master[c][0], master[c][16] = 0x00, 0xF0  # A1..A4 switched off
for i in range(3):
    channel("B%d" % (i + 1), 8, [b"PIR stue", b"PIR gang", b"D\xf8r kontakt"][i], b1=248)
channel("B4", 12, b"Sirene", b2=10)
channel("C1", 19, b"R\xf8galarm k\xf8kken", b1=248)
channel("C2", 14, b"Vandalarm bryggers", b1=248)
c = channel("D1", 40, b"Rullegardin stue", b1=30, b3=0x01, b4=0xF4, b5=248)
rows[c + 1][0] = 41
c = channel("D3", 51, b"Temperatur ude", b2=248, b3=248, b5=255, b7=255, b26=248)
for col, v in ((8, -20), (11, 40), (14, 18), (17, 22), (20, 0), (23, 0)):
    rows[c][col:col + 3] = tenths(v)

sysdata = [0] * 249
sysdata[11] = 31
sysdata[16], sysdata[18], sysdata[19] = 5, 30, 20
sysdata[26] = sysdata[34] = 2
sysdata[51] = 1
sysdata[55] = 1

out = [b'"ZEB1","Version 3.07"', b'"Eksempel: Villa Nordlys, 32 kanaler"']
for c in range(128):
    out.append(b",".join(str(v).encode() for v in rows[c] + master[c]) + b',"' + texts[c] + b'"')
for g in range(8):
    out.append(b",".join([b"0"] * 32) + b',""')
for s in range(8):
    out.append(b",".join(str(v).encode() for v in sysdata[31 * s:31 * s + 32]))
sms = [b"+4520304050", b""] + [b""] * 12 + [b"Villa Nordlys", b""]
out += [b'"' + t + b'"' for t in sms]
sys.stdout.buffer.write(b"\r\n".join(out) + b"\r\n")
