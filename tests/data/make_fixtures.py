#!/usr/bin/env python3
"""Writes the configuration-file fixtures of the io tests.

The files are built here, independently of the program's own writer, straight from the file
layout: 162 records (one line each unless a text holds line breaks), CR LF, quoted texts, decimal
bytes. Run it from this folder to regenerate.
"""
import random

CRLF = b"\r\n"


def q(text):
    return b'"' + text + b'"'


def nums(values):
    return b",".join(str(v).encode() for v in values)


def good_lines(signature=b"ZEB1"):
    rnd = random.Random(7)
    lines = [q(signature) + b"," + q(b"Version 3.07"), q(b"Villa Nordlys, Strandvejen 12 \xe6\xf8\xe5")]
    for c in range(128):
        row = [1] + [0] * 31
        master = [0] * 32
        text = b""
        if c < 40:
            row = [rnd.choice([0, 2, 3, 5, 6, 7, 8, 12, 25, 48])] + [rnd.randrange(256) for _ in range(31)]
            master = [rnd.randrange(256) for _ in range(32)]
            text = ("Kanal %d" % c).encode() + (b" \xc6gte r\xf8g" if c % 3 == 0 else b"")
        if c == 19:
            row[0] = 133  # type 5 with Check1
        if c == 20:
            row[0] = 0xC8  # type 8 with both flags
        if c == 21:
            text = b"A text of forty characters, exactly 40!!"
        lines.append(nums(row + master) + b"," + q(text))
    for g in range(8):
        logic = [rnd.randrange(256) for _ in range(32)]
        lines.append(nums(logic) + b"," + q(("Logik gruppe %d" % g).encode()))
    sysdata = [rnd.randrange(256) for _ in range(249)]
    sysdata[11] = 127
    sysdata[58] = 0
    for s in range(8):
        lines.append(nums(sysdata[31 * s:31 * s + 32]))
    sms = [b"+4512345678", b"+4587654321", b"", b"Alarm i huset", b"", b"", b"", b"", b"Vand", b"", b"", b"", b"",
           b"", b"Sommerhus Skagen", b"Nord"]
    for t in sms:
        lines.append(q(t))
    assert len(lines) == 162
    return lines


def join(lines, eol=CRLF):
    return eol.join(lines) + eol


def write(name, data):
    with open(name, "wb") as f:
        f.write(data)


def main():
    good = good_lines()
    write("Good.zeb", join(good))
    write("GoodLf.zeb", join(good, b"\n"))
    write("SignatureM52.x07", join(good_lines(b"M52xx07")))
    write("SignatureKorvane.zeb", join(good_lines(b"Korvane")))

    # Broken files, one fault each.
    write("BrokenEmpty.zeb", b"")
    write("BrokenTruncated.zeb", join(good[:100]))
    write("BrokenTruncatedMidLine.zeb", join(good[:60]) + good[60][:37])

    lines = list(good)
    fields = lines[39].split(b",")
    fields[6] = b"256"
    lines[39] = b",".join(fields)
    write("BrokenNumberAbove255.zeb", join(lines))

    lines = list(good)
    fields = lines[140].split(b",")
    fields[3] = b'"x"'
    lines[140] = b",".join(fields)
    write("BrokenTextForNumber.zeb", join(lines))

    lines = list(good)
    fields = lines[134].split(b",")
    fields[0] = b"-3"
    lines[134] = b",".join(fields)
    write("BrokenNegativeNumber.zeb", join(lines))

    lines = list(good)
    lines[10] = b",".join(lines[10].split(b",")[1:])
    write("BrokenMissingField.zeb", join(lines))

    lines = list(good)
    lines[150] = b'"unclosed'
    write("BrokenUnclosedText.zeb", join(lines))

    rnd = random.Random(11)
    garbage = bytes(rnd.randrange(256) for _ in range(4000))
    write("BrokenBinaryGarbage.zeb", good[0] + CRLF + good[1] + CRLF + garbage)

    lines = list(good)
    f = lines[2 + 19].split(b",")
    f[0] = b"130"  # C4: type 5 -> 2, Check1 kept
    f[-1] = b'"Hall"'
    lines[2 + 19] = b",".join(f)
    f = lines[139].split(b",")
    f[51 - 31] = b"4"  # device number
    lines[139] = b",".join(f)
    write("GoodChanged.zeb", join(lines))

    # Descriptions of several lines, as the editors store them (CR LF between the lines): a
    # two-line system description and a five-line description of logic group 3.
    lines = list(good)
    lines[1] = q(b"Villa Nordlys, Strandvejen 12\r\n9990 Skagen \xe6\xf8\xe5")
    lines[130 + 3] = (lines[130 + 3].rsplit(b",", 1)[0] + b"," +
                      q(b"Logik gruppe 3:\r\nA1 og A2 t\xe6nder B1\r\n\r\nom natten: C1, C2\r\nslut"))
    write("MultiLineDescriptions.zeb", join(lines))

    write("WrongSignature.zeb", join([q(b"ZEB2") + b"," + q(b"Version 3.07")] + good[1:]))
    write("WrongSignatureBinary.zeb", bytes(rnd.randrange(256) for _ in range(3000)))


if __name__ == "__main__":
    main()
