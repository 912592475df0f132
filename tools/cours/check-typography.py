#!/usr/bin/env python3
# French typography of the shipped text: the help (data/aide/*.html), the course (data/cours/*.html),
# the exercises' statements and corrections and the getting-started text (*.RTF, as the program
# reads them back with "--texte").
#
#   tools/cours/check-typography.py [--programme build/optiphane]
#   tools/cours/check-typography.py --fix        puts the spaces into the help's pages
#
# Fails on an ordinary space, or none, before ":", ";", "?" and "!", after "«" or before "»", and
# on two spaces in a row. The space there is a non-breaking one (U+00A0, or U+202F). A text of the
# program quoted as it shows it keeps its own colon ("Angle mesuré:", "Abscisse:"): a colon right
# after a word is allowed when the program's sources hold that text with it. A RTF file must hold
# its non-breaking spaces as "\~" (or "\u160"), and the program must read them back as such.
import argparse, glob, html, os, re, subprocess, sys, tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
NBSP = "\u00a0\u202f"


def program_texts():
    """Every string literal of the program's sources."""
    texts = set()
    for path in glob.glob(os.path.join(ROOT, "src", "**", "*.*"), recursive=True):
        if not path.endswith((".cpp", ".h")):
            continue
        with open(path, encoding="utf-8") as f:
            for literal in re.findall(r'"((?:[^"\\\n]|\\.)*)"', f.read()):
                texts.add(literal.replace("\\n", "\n"))
    return texts


def quoted(text, k, known):
    """Whether the mark at k ends a text of the program: its last one to three words and the
    mark, as they are written, are in one of the program's strings."""
    words = re.split(r"(?<=\S)(?=\s)", text[max(0, text.rfind("\n", 0, k) + 1):k + 1])
    for count in (1, 2, 3):
        candidate = "".join(words[-count:]).lstrip()
        if len(candidate) > 1 and any(candidate in t for t in known):
            return True
    return False


def faults(text, known):
    """(position, what) for each fault of a plain text."""
    found = []
    for m in re.finditer(r"  ", text):
        found.append((m.start(), "deux espaces"))
    for m in re.finditer(r"[:;?!»]", text):
        k, mark = m.start(), m.group(0)
        before = text[k - 1] if k else "\n"
        if before in NBSP:
            continue
        if mark == "»" and before == "«":
            continue
        if before in " \t":
            if not quoted(text, k, known):
                found.append((k, "espace ordinaire avant « %s »" % mark))
            continue
        if before == "\n" or (mark in "?!" and before in "?!"):
            continue
        # No space: a time, a ratio, a link or a text of the program ("Abscisse:").
        if mark == ":" and (before.isdigit() and text[k + 1:k + 2].isdigit()):
            continue
        if quoted(text, k, known):
            continue
        found.append((k, "pas d'espace avant « %s »" % mark))
    for m in re.finditer(r"«(?=[^\u00a0\u202f])", text):
        found.append((m.start(), "espace manquante ou ordinaire après « « »"))
    return found


def rtf_text(raw):
    """The text of a RTF file (the subset the generator and the program write): paragraphs as
    lines, "\\~" and "\\'a0" as U+00A0, pictures, tables of fonts and colours and the document's
    information left out."""
    out, k, skip, depth = [], 0, [], 0
    data = raw.decode("latin-1")
    while k < len(data):
        c = data[k]
        if c == "{":
            depth += 1
            m = re.match(r"\{\\(\*|fonttbl|colortbl|stylesheet|info|pict)\b", data[k:])
            if m and not skip:
                skip.append(depth)
            k += 1
        elif c == "}":
            if skip and skip[-1] == depth:
                skip.pop()
            depth -= 1
            k += 1
        elif c == "\\":
            m = re.match(r"\\([a-z]+)(-?\d+)? ?|\\'([0-9a-f]{2})|\\(.)", data[k:], re.I)
            k += len(m.group(0))
            if skip:
                continue
            word, number, hexa, symbol = m.groups()
            if hexa:
                out.append(bytes([int(hexa, 16)]).decode("cp1252"))
            elif symbol == "~":
                out.append("\u00a0")
            elif symbol in ("\\", "{", "}"):
                out.append(symbol)
            elif word in ("par", "line", "row"):
                out.append("\n")
            elif word in ("tab", "cell"):
                out.append("\t")
            elif word == "u":
                out.append(chr(int(number) % 65536))
                if data[k:k + 1] == "?":
                    k += 1
        elif c in "\r\n":
            k += 1
        else:
            if not skip:
                out.append(c)
            k += 1
    return "".join(out)


def html_text(page):
    """The text of a page as its reader sees it, tags and their attributes apart, alt texts
    included."""
    alts = " ".join(re.findall(r'\balt="([^"]*)"', page))
    text = re.sub(r"<!--.*?-->", "", page, flags=re.S)
    text = re.sub(r"<(script|style)\b.*?</\1>", "", text, flags=re.S)
    text = re.sub(r"<[^>]*>", "", text)
    text = re.sub(r"[ \t\r\n]+", lambda m: "\n" if "\n" in m.group(0) else m.group(0), text)
    return html.unescape(text) + "\n" + html.unescape(alts)


def fix_page(page):
    """Non-breaking spaces where a page has ordinary ones, outside the tags."""
    parts = re.split(r"(<[^>]*>)", page)
    for k in range(0, len(parts), 2):
        t = parts[k]
        t = re.sub(r"[ \t]+(?:&nbsp;)?([:;?!»])", "\u00a0\\1", t)
        t = re.sub(r"«(?:&nbsp;|[ \t])+", "«\u00a0", t)
        t = re.sub(r"&nbsp;([:;?!»])", "\u00a0\\1", t)
        parts[k] = t
    page = "".join(parts)
    # A punctuation mark right after a closing tag (<b>Tableau</b> :) is joined the same way.
    page = re.sub(r"(</(?:b|i|a|span)>)[ \t]+([:;?!»])", "\\1\u00a0\\2", page)
    page = re.sub(r"«[ \t]+(<(?:b|i|a|span)\b)", "«\u00a0\\1", page)
    # The pictures' alt texts are read too.
    page = re.sub(r'\balt="([^"]*)"', lambda m: 'alt="%s"' % re.sub(
        r" ([:;?!»])", "\u00a0\\1", m.group(1)).replace("« ", "«\u00a0"), page)
    return page


def report(name, text, known, errors):
    for k, what in faults(text, known):
        line = text.count("\n", 0, k) + 1
        start = text.rfind("\n", 0, k) + 1
        end = text.find("\n", k)
        excerpt = text[max(start, k - 30):min(end if end >= 0 else len(text), k + 20)]
        errors.append("%s:%d : %s : %r" % (name, line, what, excerpt))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--programme", default=os.path.join(ROOT, "build", "optiphane"))
    ap.add_argument("--fix", action="store_true")
    args = ap.parse_args()
    pages = sorted(glob.glob(os.path.join(ROOT, "data", "aide", "*.html")))
    if args.fix:
        for path in pages:
            with open(path, encoding="utf-8") as f:
                page = f.read()
            fixed = fix_page(page)
            if fixed != page:
                with open(path, "w", encoding="utf-8", newline="\n") as f:
                    f.write(fixed)
        return
    known = program_texts()
    errors = []
    pages += sorted(glob.glob(os.path.join(ROOT, "data", "cours", "*.html")))
    for path in pages:
        with open(path, encoding="utf-8") as f:
            report(os.path.relpath(path, ROOT), html_text(f.read()), known, errors)
    texts = sorted(glob.glob(os.path.join(ROOT, "data", "exercices", "*.RTF")))
    texts.append(os.path.join(ROOT, "data", "PRISENMAIN.RTF"))
    for path in texts:
        name = os.path.relpath(path, ROOT)
        with open(path, "rb") as f:
            raw = f.read()
        if b"\\'a0" in raw.lower():
            errors.append("%s : espace insécable écrite \\'a0 au lieu de \\~" % name)
        text = rtf_text(raw)
        # The program's reader and writer: the text saved again keeps every one of them.
        with tempfile.TemporaryDirectory() as tmp:
            again = os.path.join(tmp, "relu.RTF")
            p = subprocess.run([args.programme, "--texte", path, again], capture_output=True)
            if p.returncode != 0:
                raise SystemExit("%s --texte %s : %s" % (args.programme, path, p.stderr.decode()))
            with open(again, "rb") as f:
                kept = rtf_text(f.read()).count("\u00a0")
        if kept != text.count("\u00a0"):
            errors.append("%s : %d espaces insécables, %d une fois relu et enregistré par le "
                          "programme" % (name, text.count("\u00a0"), kept))
        report(name, text, known, errors)
    if errors:
        print("\n".join(errors))
        print("%d fautes de typographie" % len(errors))
        sys.exit(1)
    print("typographie vérifiée : %d pages, %d textes" % (len(pages), len(texts)))


if __name__ == "__main__":
    main()
