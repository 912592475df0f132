# The numbers of the shipped content (the course, the exercises, their corrections and the
# getting-started activity), computed from the program's own catalogue (tools/catalogue.py):
# no source writes a number that follows from an index by hand.
#
#   import nombres                    (with tools/cours/ on sys.path)
#   nombres.fill(text)                every {{...}} of a source replaced by its French text
#   nombres.MEASURES[name]            the table of a corrected configuration, as the program shows it
#
# A source holds either {{name}}, a value of V below, or {{expression}}, a Python expression over
# the helpers below that gives a text: {{f(r("air", "crown", 40), 1)}} is "25,3".
import math, os, re, struct, sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
import catalogue  # noqa: E402

# ---------------------------------------------------------------------------------------------
# Optics: Cauchy's law n = A + B / lambda^2 (lambda in nm) and Snell-Descartes' law, as the bench
# computes them, in degrees.

NAMES = {"air": "Air", "eau": "Eau", "crown": "Verre Crown", "flint": "Verre Flint"}
CAUCHY = {key: catalogue.cauchy(name) for key, name in NAMES.items()}
# The "Autre" material of the exercise INCONNU (given in its configuration).
CAUCHY["inconnu"] = (1.4776, 4500.0)
C_EXACT = 299792458.0


def n(medium, wavelength=589.0):
    a, b = CAUCHY[medium]
    return a + b / wavelength ** 2


def s(deg):
    return math.sin(math.radians(deg))


def asin(x):
    return math.degrees(math.asin(x))


def r(m1, m2, i, wavelength=589.0):
    """The refraction angle from medium m1 into m2 at incidence i (None: total reflection)."""
    x = n(m1, wavelength) * s(i) / n(m2, wavelength)
    return asin(x) if abs(x) <= 1 else None


def lim(m1, m2="air", wavelength=589.0):
    """The critical angle ("angle limite") from m1 into the less refracting m2."""
    return asin(n(m2, wavelength) / n(m1, wavelength))


def reading(angle):
    """An angle as the protractor's read-out gives it with the line on the ray: 0,1 degree."""
    return round(angle, 1)


def f(x, digits):
    """x with `digits` decimals and a decimal comma (a minus sign, not a hyphen)."""
    return ("%.*f" % (digits, x)).replace(".", ",").replace("-", "\u2212")


def g(x, significant):
    """x with `significant` significant digits, trailing zeros kept."""
    if x == 0:
        return f(0, significant - 1)
    return f(x, max(0, significant - 1 - int(math.floor(math.log10(abs(x))))))


def catalogue_text(text):
    """A coefficient as the catalogue writes it, in the French way: 11&nbsp;848,408."""
    whole, _, decimals = text.partition(".")
    groups = []
    while len(whole) > 3:
        whole, groups = whole[:-3], [whole[-3:]] + groups
    return "\u00a0".join([whole] + groups) + ("," + decimals if decimals else "")


def _coefficient(medium, k):
    if medium in NAMES:
        return catalogue_text(catalogue.MATERIALS[NAMES[medium]][k])
    return catalogue_text(("%.4f" % CAUCHY[medium][k]).rstrip("0").rstrip("."))


def A(medium):
    return _coefficient(medium, 0)


def B(medium):
    return _coefficient(medium, 1)


# ---------------------------------------------------------------------------------------------
# The table as the program shows it: the free format ("Standard3: libre") writes a value with at
# most 7 significant digits, the fixed one ("########0.000") with three decimals; a computed
# column reads the cells it uses as they are written; the grapher reads them as single-precision
# values.

FREE, THREE = "", "########0.000"


def cell(value, pattern):
    if pattern == THREE:
        return f(value, 3)
    text = "%.7g" % value
    if "e" in text:
        raise ValueError("format libre hors de la plage simple : %r" % value)
    return text.replace(".", ",").replace("-", "\u2212")


def number(text):
    return float(text.replace(",", ".").replace("\u2212", "-"))


def single(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def regression(xs, ys):
    """a, b and r of the least-squares line y = a x + b, as the grapher computes them."""
    xs, ys = [single(v) for v in xs], [single(v) for v in ys]
    k = len(xs)
    mx, my = sum(xs) / k, sum(ys) / k
    sxx = sum((x - mx) ** 2 for x in xs)
    syy = sum((y - my) ** 2 for y in ys)
    sxy = sum((x - mx) * (y - my) for x, y in zip(xs, ys))
    return sxy / sxx, my - sxy / sxx * mx, sxy / math.sqrt(sxx * syy)


def grapher_text(a, b, corr):
    """The line the grapher writes under its plot: a with five significant digits, b with as many
    decimals, r with four."""
    d = max(0, min(12, 4 - int(math.floor(math.log10(abs(a))))))
    bt = f(b, d).replace("\u2212", "-")
    sign = "- " + bt[1:] if bt.startswith("-") else "+ " + bt
    return "y = %s x %s     r = %s" % (f(a, d), sign, f(corr, 4))


class Measures:
    """A corrected exercise's table: rows of cell texts, and its regression when it has one."""

    def __init__(self, rows, pattern):
        self.pattern = pattern
        self.rows = rows

    def column(self, k):
        return [number(row[k]) for row in self.rows]


def refraction_table(m1, m2, angles, ratio_inverted=False, pattern=FREE):
    """i, the read r, sin i, sin r and their ratio (sin i / sin r, or sin r / sin i)."""
    rows = []
    for i in angles:
        rr = reading(r(m1, m2, i))
        si, sr = cell(s(i), pattern), cell(s(rr), pattern)
        top, bottom = (sr, si) if ratio_inverted else (si, sr)
        rows.append([cell(i, pattern), cell(rr, pattern), si, sr,
                     cell(number(top) / number(bottom), pattern)])
    return Measures(rows, pattern)


MEASURES = {
    "REFLEXION_C": Measures([[cell(i, THREE), cell(i, THREE), cell(0, THREE), "", ""]
                             for i in range(10, 90, 10)], THREE),
    "REFRACTION_C": refraction_table("air", "crown", range(10, 90, 10)),
    "REFLEXTOT_C": refraction_table("crown", "air", (10, 20, 30, 35, 40, 41), True),
    "EAUAIR_C": refraction_table("eau", "air", (10, 20, 30, 40, 45, 48), True),
    "INCONNU_C": refraction_table("air", "inconnu", range(10, 90, 10)),
    "DISPERSION_C": Measures(
        [[cell(lam, FREE), cell(n("crown", lam), FREE),
          cell(reading(r("air", "crown", 60, lam)), FREE), cell(n("flint", lam), FREE),
          cell(reading(r("air", "flint", 60, lam)), FREE)] for lam in range(400, 900, 100)],
        FREE),
}


def reg(name, inverted=False):
    """The regression of sin i (C3) against sin r (C4), or of C4 against C3."""
    t = MEASURES[name]
    xs, ys = t.column(3), t.column(2)
    return regression(ys, xs) if inverted else regression(xs, ys)


def rows(name, columns, sep=" ; "):
    """A correction's table as lines of text: columns are (title, column, unit)."""
    lines = []
    for row in MEASURES[name].rows:
        lines.append(sep.join("%s = %s%s" % (title, row[k], unit) for title, k, unit in columns))
    return " \\\n".join(lines)


# ---------------------------------------------------------------------------------------------
# The precision of a measure with the protractor: the line is laid on a ray to a few tenths of a
# degree (one pixel where the sphere runs, 90 pixels from the centre, is 0,6 degree; one pixel at
# the circle's edge, 190 pixels away, 0,3 degree); the read-out's step, 0,1 degree, is finer.

PIXEL_SPHERE = math.degrees(1 / 90)
PIXEL_EDGE = math.degrees(1 / 190)
READ_ERROR = 0.3  # degrees, a typical reading


def index_error(medium, i, error=READ_ERROR):
    """How much n = n_air sin i / sin r changes for an error on r at incidence i."""
    rr = r("air", medium, i)
    return n("air") * s(i) * abs(1 / s(rr - error) - 1 / s(rr + error)) / 2


def slope_error(m1, m2, angles, sigma, origin=False):
    """The standard error of the slope of sin i against sin r when each reading of r is off by
    sigma degrees at random, the line free (the grapher's regression) or through the origin."""
    exact = [r(m1, m2, i) for i in angles]

    def slope(rs):
        xs, ys = [s(v) for v in rs], [s(i) for i in angles]
        if origin:
            return sum(x * y for x, y in zip(xs, ys)) / sum(x * x for x in xs)
        return regression(xs, ys)[0]

    total, a0 = 0.0, slope(exact)
    for k in range(len(exact)):
        moved = list(exact)
        moved[k] += 1e-4
        total += ((slope(moved) - a0) / 1e-4 * sigma) ** 2
    return math.sqrt(total)


V = {}


def _course_values():
    for key in ("air", "eau", "crown", "flint"):
        V["a_" + key] = A(key)
        V["b_" + key] = B(key)
        # The column formula typed into the calculator (a decimal point there).
        V["cauchy_" + key] = "%s + %s / C1 ^ 2" % catalogue.MATERIALS[NAMES[key]]
        V["n_" + key] = f(n(key), 6)
        V["v_" + key] = f(C_EXACT / n(key) / 1e8, 3)
        for lam in (400, 500, 600, 700, 800):
            V["n_%s_%d" % (key, lam)] = f(n(key, lam), 6)
    V["n_crown_4"] = f(n("crown"), 4)

    # Chapter 3: air -> crown glass at 45 degrees; back from the glass.
    V["sin45"] = f(s(45), 6)
    V["sin_r45"] = f(n("air") * s(45) / n("crown"), 6)
    V["r45"] = f(r("air", "crown", 45), 1)
    V["grad45"] = "%d" % round(r("air", "crown", 45))
    # ... finding n2 from i = 30 and a measured r = 19.4 degrees.
    V["sin194"] = f(s(19.4), 4)
    V["n2_mes"] = f(n("air") * s(30) / s(19.4), 3)
    # ... water -> air at 30 degrees.
    V["sin_ea"] = f(n("eau") * s(30) / n("air"), 4)
    V["r_ea"] = f(r("eau", "air", 30), 1)
    # ... i / r against sin i / sin r, from the corrected measures.
    t = MEASURES["REFRACTION_C"].rows
    for row in (t[0], t[-1]):
        i, rr = number(row[0]), number(row[1])
        V["ir%d" % i] = f(i / rr, 2)
        V["r%d" % i] = f(rr, 1)

    # Chapter 4: speed in crown glass with c = 3.00e8, refraction at 60 degrees.
    V["v_crown_ex"] = f(3.00 / round(n("crown"), 4), 2)
    for key in ("eau", "crown", "flint"):
        V["r60_" + key] = f(r("air", key, 60), 1)

    # Chapter 5: critical angles, the last incidence with a refracted ray at 0,1 degree.
    for key in ("crown", "eau", "flint"):
        V["s_lim_" + key] = f(n("air") / n(key), 6)
        V["lim_" + key] = f(lim(key), 1)
        below = math.floor(lim(key) * 10) / 10
        V["lim_%s_below" % key] = f(below, 1)
        V["lim_%s_above" % key] = f(below + 0.1, 1)
    V["lim_fibre"] = f(asin(1.46 / 1.48), 1)
    V["s_lim_fibre"] = f(1.46 / 1.48, 4)
    V["lim_diamant"] = f(asin(1 / 2.42), 1)

    # Chapter 6: crown glass at 400 and 800 nm, deviations at i = 60 degrees.
    a_c, b_c = CAUCHY["crown"]
    V["l400"] = catalogue_text("%d" % 400 ** 2)
    V["l800"] = catalogue_text("%d" % 800 ** 2)
    V["bl400"] = f(b_c / 400 ** 2, 6)
    V["bl800"] = f(b_c / 800 ** 2, 6)
    V["nc400"] = f(n("crown", 400), 6)
    V["nc800"] = f(n("crown", 800), 6)
    V["n_air_400_6"] = f(n("air", 400), 6)
    V["n_air_800_6"] = f(n("air", 800), 6)
    V["dnc"] = f(n("crown", 400) - n("crown", 800), 4)
    V["dnf"] = f(n("flint", 400) - n("flint", 800), 4)
    for key, mat in (("c", "crown"), ("f", "flint")):
        r400, r800 = r("air", mat, 60, 400), r("air", mat, 60, 800)
        V["r%s400" % key] = f(r400, 2)
        V["r%s800" % key] = f(r800, 2)
        V["r%s400_3" % key] = f(r400, 3)
        V["r%s800_3" % key] = f(r800, 3)
        V["D%s400" % key] = f(60 - r400, 1)
        V["D%s800" % key] = f(60 - r800, 1)
        V["e" + key] = f(r800 - r400, 2)
        V["e%s78" % key] = f(r("air", mat, 60, 800) - r("air", mat, 60, 700), 2)

    # Chapter 7: the corrected refraction exercise, its table in the free format, the grapher's
    # line, and the index with its precision.
    a, b, corr = reg("REFRACTION_C")
    V["reg_eq"], V["reg_rtext"] = grapher_text(a, b, corr).split("     ")
    V["reg_a"] = f(a, 4)
    V["reg_b"] = f(b, 4)
    V["reg_r"] = f(corr, 4)
    V["reg_n2"] = f(a * n("air"), 3)
    V["reg_n2_round"] = f(a * n("air"), 2)
    V["pixel_sphere"] = f(PIXEL_SPHERE, 1)
    V["pixel_edge"] = f(PIXEL_EDGE, 1)
    V["read_error"] = f(READ_ERROR, 1)
    V["dn10"] = f(index_error("crown", 10), 3)
    V["dn60"] = f(index_error("crown", 60), 3)
    V["dn80"] = f(index_error("crown", 80), 3)
    # The ratio at i = 10 degrees from three-decimal sines, against the free format's.
    row = MEASURES["REFRACTION_C"].rows[0]
    V["q10_three"] = f(round(s(10), 3) / round(s(number(row[1])), 3), 3)
    V["q10_free"] = f(number(row[4]), 4)
    V["s10_three"] = f(round(s(number(row[1])), 3), 3)
    V["s10_free"] = row[3]


_course_values()

# The measured index, its precision and its rounded value, the same words everywhere:
# "n = 1,506 ± 0,005, soit n ≈ 1,51".
PRECISION_STEP = 0.005


def index_sentence(value, name="n"):
    return "%s = %s ± %s, soit %s ≈ %s" % (name, f(value, 3), f(PRECISION_STEP, 3), name,
                                           f(value, 2))


V["indice_crown"] = index_sentence(reg("REFRACTION_C")[0] * n("air"))
V["indice_crown_n2"] = index_sentence(reg("REFRACTION_C")[0] * n("air"), "n_{2}")
V["indice_inconnu"] = index_sentence(reg("INCONNU_C")[0] * n("air"))
V["pas_precision"] = f(PRECISION_STEP, 3)

# ---------------------------------------------------------------------------------------------
# Filling a source.

def below(angle):
    """The last incidence at a tenth of a degree that still has a refracted ray."""
    return math.floor(angle * 10) / 10


NAMESPACE = {"below": below, "n": n, "s": s, "asin": asin, "r": r, "lim": lim, "reading": reading, "f": f,
             "g": g, "grapher_text": grapher_text, "A": A, "B": B, "reg": reg, "rows": rows, "MEASURES": MEASURES,
             "number": number, "index_sentence": index_sentence, "index_error": index_error,
             "math": math, "abs": abs, "round": round}

PLACEHOLDER = re.compile(r"\{\{(.+?)\}\}", re.S)


def value(expression, where="?"):
    expression = expression.strip()
    if re.fullmatch(r"\w+", expression):
        if expression not in V:
            raise SystemExit("%s : valeur inconnue : %s" % (where, expression))
        return V[expression]
    try:
        result = eval(expression, dict(NAMESPACE), {})
    except Exception as e:  # a mistyped expression stops the generator with its place
        raise SystemExit("%s : {{%s}} : %s" % (where, expression, e))
    if not isinstance(result, str):
        raise SystemExit("%s : {{%s}} ne donne pas un texte" % (where, expression))
    return result


def fill(text, where="?", extra=None):
    def one(m):
        if extra and m.group(1).strip() in extra:
            return extra[m.group(1).strip()]
        return value(m.group(1), where)
    return PLACEHOLDER.sub(one, text)
