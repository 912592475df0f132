#!/usr/bin/env python3
# Writes the sample configuration files of the tests: the start-up experiment as the layout
# defines it, written independently of the program, and damaged variants of it.
import os, struct

HERE = os.path.dirname(os.path.abspath(__file__))

def records_startup(rows=11, cells=None):
    r = ["OPTIPHANE", "Verre Crown", "Air", "1", "0", "1", "0", "0", "1", "0", "1", " 589", " 1",
         " 135", " 1.000275", " .74", " 1.472363", " 11848.41", " %d" % rows]
    if cells is None:
        cells = [["C1", "C2", "C3", "C4", "C5"]] + [[""] * 5 for _ in range(rows - 1)]
    for row in cells:
        r += row
    r += [""] * 5
    r.append("########0.000")
    return r

def encode(records, filler=b"\0", complete_last=False):
    out = b""
    for i, text in enumerate(records):
        b = text.encode("cp1252")
        rec = struct.pack("<H", len(b)) + b
        if i + 1 < len(records) or complete_last:
            rec += filler * (128 - len(rec))
        out += rec
    return out

def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)

good = encode(records_startup())
write("startup.P02", good)
# Written by the old program: filler of spaces, and old records of a longer file after the end.
old = records_startup(rows=3, cells=[["Angle i", "Angle r", "sin i", "sin r", "n"],
                                     ["30,000", "19,500", "0,500", "0,334", ""],
                                     ["45,000", "28,100", "0,707", "0,471", ""]])
old_bytes = encode(old, filler=b" ", complete_last=True) + encode(["vieux", "restes"], filler=b" ")
write("old-program.P02", old_bytes)

write("damaged-empty.P02", b"")
write("damaged-header-cut.P02", good[:5])
write("damaged-cut-in-material.P02", good[:128 + 6])
write("damaged-cut-in-row-count.P02", good[:18 * 128 + 3])
write("damaged-cut-in-cell.P02", good[:19 * 128 + 3])
write("damaged-cut-in-format.P02", good[:-4])
hdr = records_startup(); hdr[0] = "OPTIQUE"; write("wrong-header.P02", encode(hdr))
low = records_startup(); low[0] = "optiphane"; write("wrong-header-lower-case.P02", encode(low))
for n in (0, 1, 102, 65535):
    r = records_startup(); r[18] = " %d" % n; write("damaged-row-count-%d.P02" % n, encode(r))
fewer = records_startup(); fewer[18] = " 20"; write("damaged-fewer-records.P02", encode(fewer))
longrec = bytearray(good); longrec[13 * 128] = 200; longrec[13 * 128 + 1] = 0
write("damaged-length-over-126.P02", bytes(longrec))
nan = records_startup(); nan[13] = "abc"; write("damaged-not-a-number.P02", encode(nan))
mat = records_startup(); mat[1] = "Diamant"; write("damaged-unknown-material.P02", encode(mat))
opt = records_startup(); opt[3] = "oui"; write("damaged-option.P02", encode(opt))
wav = records_startup(); wav[11] = " 1200"; write("damaged-wavelength.P02", encode(wav))
