#!/usr/bin/env python3
# Writes the sample exercises of the tests, independently of the program: record files of 128
# bytes (a 16-bit little-endian length, then Windows-1252 text), statements in RTF, configurations
# that differ from the start-up experiment, and damaged variants.
import os, struct

HERE = os.path.dirname(os.path.abspath(__file__))

def encode(records):
    out = b""
    for i, text in enumerate(records):
        b = text.encode("cp1252")
        rec = struct.pack("<H", len(b)) + b
        if i + 1 < len(records):
            rec += b"\0" * (128 - len(rec))
        out += rec
    return out

def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("ascii"))

def exercise(statement, config, corrected="", corrected_config="", difficulty="2",
             notions=("", "", "", ""), title="Sans titre"):
    return encode([statement, config, corrected, corrected_config, difficulty, ""] +
                  list(notions) + [title])

def configuration(lamp, titles, first_row):
    r = ["OPTIPHANE", "Verre Flint", "Eau", "1", "0", "0", "1", "0", "1", "0", "1", " 600", " 1",
         " %s" % lamp, " 1.325943", " 2221.576", " 1.5392", " 31102.07", " 3"]
    r += titles + first_row + [""] * 5 + [""] * 5
    r.append("########0.000")
    return encode(r)

def rtf(text):
    return ("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}"
            "{\\colortbl ;\\red0\\green0\\blue200;}\n"
            "\\pard\\qc\\cf1\\b\\fs32 %s\\par\n\\pard\\cf0\\b0\\fs20 Mesurer l'angle "
            "d'incidence \\i i\\i0 .\\par\n}" % text)

# A plain exercise: statement and configuration, no correction, two notions.
write("exo/SIMPLE.E02", exercise("ENONCE.RTF", "CONFIG.P02", difficulty="2",
                                 notions=("R\xe9flexion, ", "", " loi  ", ""),
                                 title="  R\xe9flexion sur un miroir  "))
# With its correction.
write("exo/CORRIGE.E02", exercise("ENONCE.RTF", "CONFIG.P02", "CORRIGE.RTF", "CORRIGE.P02",
                                  difficulty="3", title="Avec correction"))
# A statement alone: the configuration record is blank.
write("exo/SANSCONF.E02", exercise("ENONCE.RTF", "   ", title="Sans configuration"))
# Names written on another system: "\" between folders, other letter case.
write("exo/CASSE.E02", exercise("sous\\enonce.rtf", "Config.p02", title="Casse"))
# A name that climbs out of the exercise's folder.
write("exo/MONTE.E02", exercise("..\\pem\\PEM.RTF", "", title="Hors du dossier"))
# A statement that is not there, one that is not RTF, a correction that is not there.
write("exo/ABSENT.E02", exercise("NULLEPART.RTF", "CONFIG.P02", title="Absent"))
write("exo/PASRTF.E02", exercise("TEXTE.TXT", "", title="Pas du RTF"))
write("exo/CORRABSENTE.E02", exercise("ENONCE.RTF", "", "PERDU.RTF", "", title="Correction perdue"))
# A configuration named but missing.
write("exo/CONFABSENTE.E02", exercise("ENONCE.RTF", "PERDUE.P02", title="Configuration perdue"))
# Damaged files: empty, a length field over 126, cut in the middle of the statement's name.
write("exo/VIDE.E02", b"")
write("exo/ABIME.E02", struct.pack("<H", 300) + b"ENONCE.RTF" + b"\0" * 116)
write("exo/TRONQUE.E02", struct.pack("<H", 10) + b"ENON")
write("exo/ENONCE.RTF", rtf("\\'c9nonc\\'e9"))
write("exo/SOUS/ENONCE.RTF", rtf("Dans le sous-dossier"))
write("exo/CORRIGE.RTF", rtf("Correction"))
write("exo/TEXTE.TXT", "Ceci n'est pas du RTF.\n")
write("exo/CONFIG.P02", configuration("150", ["i", "r", "C3", "C4", "C5"],
                                      ["30,000", "", "", "", ""]))
write("exo/CORRIGE.P02", configuration("160", ["i", "r", "sin i", "sin r", "n"],
                                       ["30,000", "19,471", "0,500", "0,333", "1,500"]))
# The getting-started activity of a program's folder.
write("pem/OPTIPHANE.PEM", encode(["PEM.RTF", "PEM.P02"]))
write("pem/PEM.RTF", rtf("Prise en main"))
write("pem/PEM.P02", configuration("170", ["a", "b", "c", "d", "e"], ["1,000", "", "", "", ""]))
