# The program's catalogue of materials, read from its own table (src/core/bench/materials.h), so
# that no tool copies a Cauchy coefficient:
#
#   import catalogue            (with tools/ on sys.path)
#   catalogue.MATERIALS         {"Air": ("1.0002747", "0.74"), ...}: A and B as the table writes them
#   catalogue.cauchy(name)      (A, B) as floats
#   catalogue.file_text(text)   " 1.0002747", " .74": a coefficient as a configuration file holds it
#   catalogue.saved_text(text)  " 1.000275": as the program writes it (single precision, 7 digits)
import os, re, struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TABLE = os.path.join(ROOT, "src", "core", "bench", "materials.h")


def _read():
    with open(TABLE, encoding="utf-8") as f:
        text = f.read()
    start = text.find("MaterialCatalogue")
    end = text.find("}};", start)
    rows = re.findall(r'\{"([^"]+)",\s*([0-9.]+)f,\s*([0-9.]+)f\}', text[start:end])
    if start < 0 or end < 0 or len(rows) != 4:
        raise SystemExit("catalogue des matériaux illisible dans " + TABLE)
    return {name: (a, b) for name, a, b in rows}


MATERIALS = _read()


def cauchy(name):
    a, b = MATERIALS[name]
    return float(a), float(b)


def _basic(text):
    """A number as BASIC's STR$ writes it: a leading blank, no zero before the point."""
    if text.startswith("0."):
        text = text[1:]
    return " " + text


def file_text(text):
    return _basic(text)


def saved_text(text):
    single = struct.unpack("<f", struct.pack("<f", float(text)))[0]
    return _basic("%.7g" % single)
