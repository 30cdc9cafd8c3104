#!/usr/bin/env python3
"""Builds tests/data/TwelveInUse.zeb: 128 channels of which 12 are in use, two logic blocks, two holiday
periods and the SMS settings with an empty first dial-in number - the configuration the in-use listing
is made for. The lines are laid out here and rewritten by the program's own writer:
    python3 tests/data/make_twelve_in_use.py > /tmp/twelve.zeb
    korvane-cli convert /tmp/twelve.zeb -o tests/data/TwelveInUse.zeb
"""
import sys

rows = [[1] + [0] * 31 for _ in range(128)]
master = [[0] * 32 for _ in range(128)]
texts = [b""] * 128


def channel(name, type_, text, **bytes_):
    c = (ord(name[0]) - ord("A")) * 8 + int(name[1:]) - 1
    rows[c][0] = type_
    for k, v in bytes_.items():
        rows[c][int(k[1:])] = v
    texts[c] = text
    return c


def tenths(value):
    t = round(value * 10)
    sign = 128 if t < 0 else 0
    t = abs(t)
    return [sign | (t >> 16) & 127, (t >> 8) & 255, t & 255]


channel("A1", 0, b"Entr\xe9 lys")
channel("A3", 2, b"Trappe")
channel("A4", 3, b"Udelys, 2 min", b1=120, b15=248, b17=2)
c = channel("A5", 6, b"Carport ur", b1=0x7F, b2=0x06, b3=0x30, b4=0x22, b5=0x00)
for k in (7, 9, 12, 14, 17, 19):
    rows[c][k] = 255
c = channel("A6", 7, b"Alt sluk om natten", b1=0x81, b2=0x23, b3=0x30, b4=255, b21=1)
for k in (7, 9, 12, 14, 17, 19):
    rows[c][k] = 255
master[c][0], master[c][16] = 0x00, 0xF0  # A1..A4 switched off
channel("B1", 8, b"PIR stue", b1=248)
channel("B2", 12, b"Sirene")
c = channel("C1", 40, b"Rullegardin stue", b1=30, b3=0x01, b4=0xF4, b5=248)
rows[c + 1][0] = 41
c = channel("D1", 51, b"Temperatur ude", b2=248, b3=248, b5=255, b7=255, b26=248)
for col, v in ((8, -20), (11, 40), (14, 18), (17, 22), (20, 0), (23, 0)):
    rows[c][col:col + 3] = tenths(v)
channel("D2", 25, b"Bev\xe6gelse gang", b1=30, b8=3)
channel("P8", 1, b"Reserve til carport")

logic = [[0] * 32 for _ in range(8)]
logic[0][0:4] = [9, 0, 8, 0x04]      # block 1: B2 = A1 And B1
logic[1][4:8] = [16, 2, 25, 0x08]    # block 10: C1 = A3 Or D2
notes = [b"Sirene ved indbrud", b"", b"", b"", b"", b"", b"", b""]

sysdata = [0] * 249
sysdata[11] = 127
sysdata[13] = 1      # event messages by SMS
sysdata[14] = 1      # dial-out with confirmation
sysdata[16] = 5
sysdata[51] = 1
sysdata[54] = 1      # dial-in from known numbers only
sysdata[55] = 5
sysdata[96:104] = [0x07, 0x01, 0x08, 0x15, 0x12, 0x24, 0x12, 0x31]

out = [b'"ZEB1","Version 3.07"', b'"Sommerhus, 12 kanaler i brug"']
for c in range(128):
    out.append(b",".join(str(v).encode() for v in rows[c] + master[c]) + b',"' + texts[c] + b'"')
for g in range(8):
    out.append(b",".join(str(v).encode() for v in logic[g]) + b',"' + notes[g] + b'"')
for s in range(8):
    out.append(b",".join(str(v).encode() for v in sysdata[31 * s:31 * s + 32]))
sms = [b"+4520304050", b"", b"", b"", b"", b"+4512345678", b"", b""] + [b""] * 6 + [b"Sommerhus", b""]
out += [b'"' + t + b'"' for t in sms]
sys.stdout.buffer.write(b"\r\n".join(out) + b"\r\n")
