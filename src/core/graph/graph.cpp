// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/graph/graph.h"

#include "core/platform/numtext.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace graph {

namespace {

// Far more than any scale needs (at most about 23 divisions): the bound only stops a loop whose
// step no longer moves its value.
constexpr int MaxDivisions = 64;

const VbColour Blue = paletteColour(1);
const VbColour Green = paletteColour(2);
const VbColour Red = paletteColour(12);

template <typename Step> double searchUnits(Step m)
{
    Step k = 1;
    for (int i = 0; i < 400; ++i) {
        if (m * k < 2)
            k = k * 5;
        if (m * k > 10)
            k = k / 5;
        if (m * k < 5)
            k = k * 2;
        if (m * k > 10)
            k = k / 2;
        const Step p = m * k;
        if (p >= 5 && p <= 10)
            return double(Step(1) / k);
        if (!std::isfinite(k) || k == 0)
            break;
    }
    return -1;
}

// Calls f(t) for t = first, first + step, … while t ≤ last, in single precision.
template <typename F> void forEachDivision(const Axis& axis, F f)
{
    if (!(axis.step > 0) || !std::isfinite(axis.step))
        return;
    float t = axis.first;
    for (int n = 0; n < MaxDivisions && t <= axis.last && std::isfinite(t); ++n) {
        f(t);
        const float next = t + axis.step;
        if (!(next > t))
            break;
        t = next;
    }
}

bool allFinite(double a, double b, double c, double d)
{
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

// The free format of a double: through single precision like every cell, unless it lies
// beyond that range.
QString freeFormat(double v)
{
    if (std::fabs(v) <= double(FLT_MAX))
        return table::formatCellNumber(float(v), QString());
    return numtext::format(v, QString());
}

void drawNoData(Surface& picture)
{
    QFont font = picture.font();
    font.setPixelSize(16); // size 12 at 96 pixels per inch
    picture.setFont(font);
    const double x = (picture.width() - picture.textWidth(NoDataText)) / 2.0;
    picture.foreColour = paletteColour(7);
    picture.currentX = x + 1;
    picture.currentY = 102;
    picture.print(NoDataText);
    picture.foreColour = paletteColour(9);
    picture.currentX = x;
    picture.currentY = 101;
    picture.print(NoDataText);
}

} // namespace

float unitsPerDivision(float m)
{
    if (!(m > 0) || !std::isfinite(m))
        return m;
    // The single-precision loop decides every ordinary magnitude; below about 1.5E-38 its factor
    // overflows, and the same loop in double precision takes over.
    const double units = searchUnits<float>(m);
    if (units > 0)
        return float(units);
    return float(searchUnits<double>(double(m)));
}

void uniteur(float& m)
{
    m = unitsPerDivision(m);
}

Extremes columnExtremes(const TableModel& table, int column)
{
    Extremes e;
    for (int r = 1; r < table.rowCount(); ++r) {
        const float v = table::parseCellNumber(table.getCell(r, column)).value_or(0.0f);
        e.min = std::min(e.min, v);
        e.max = std::max(e.max, v);
    }
    return e;
}

double Axis::offset(float v) const
{
    if (single)
        return double(float(origin) + float(k) * v);
    return origin + k * double(v);
}

Axis makeAxis(Extremes range)
{
    Axis a;
    a.min = range.min;
    a.max = range.max;
    const float k = 480.0f / (range.max - range.min);
    const float origin = 5.0f - k * range.min;
    if (std::isfinite(k) && std::isfinite(origin) && k > 0) {
        a.k = k;
        a.origin = origin;
    } else {
        a.single = false;
        a.k = 480.0 / (double(range.max) - double(range.min));
        a.origin = 5.0 - a.k * double(range.min);
    }
    const float magnitude = -range.min >= range.max ? -range.min : range.max;
    a.step = unitsPerDivision(magnitude);
    if (a.step > 0 && std::isfinite(a.step)) {
        a.first = std::floor(range.min / a.step) * a.step;
        a.last = std::floor(range.max / a.step + 1.5f) * a.step;
    }
    return a;
}

double Scale::row(float v) const
{
    if (y.single)
        return double(500.0f - float(y.offset(v)));
    return 500.0 - y.offset(v);
}

int Scale::pixelX(float u) const
{
    return numtext::roundToInt(column(u));
}

int Scale::pixelY(float v) const
{
    return numtext::roundToInt(row(v));
}

std::optional<Scale> scaleFor(const TableModel& table, int xColumn, int yColumn)
{
    const Extremes ex = columnExtremes(table, xColumn);
    const Extremes ey = columnExtremes(table, yColumn);
    if ((ex.min == 0 && ex.max == 0) || (ey.min == 0 && ey.max == 0))
        return std::nullopt;
    return Scale{makeAxis(ex), makeAxis(ey)};
}

QString scaleText(float dx, float dy)
{
    return QStringLiteral("En abscisse, une division correspond à ") +
           table::formatCellNumber(dx, QString()) + QStringLiteral(" unités.\n\n") +
           QStringLiteral("En ordonnée, une division correspond à ") +
           table::formatCellNumber(dy, QString()) + QStringLiteral(" unités.");
}

std::vector<Mark> marks(const TableModel& table, int xColumn, int yColumn)
{
    std::vector<Mark> out;
    out.reserve(size_t(std::max(0, table.rowCount() - 1)));
    bool previous = false;
    for (int r = 1; r < table.rowCount(); ++r) {
        const QString xs = table.getCell(r, xColumn).trimmed();
        const QString ys = table.getCell(r, yColumn).trimmed();
        if (xs.isEmpty() || ys.isEmpty()) {
            previous = false;
            continue;
        }
        const std::optional<float> x = table::parseCellNumber(xs);
        const std::optional<float> y = table::parseCellNumber(ys);
        if (!x || !y)
            continue;
        out.push_back({r, *x, *y, previous});
        previous = true;
    }
    return out;
}

Regression regression(const std::vector<Mark>& points)
{
    Regression fit;
    const size_t n = points.size();
    fit.points = int(n);
    if (n == 0)
        return fit;
    bool xVaries = false, yVaries = false;
    double sx = 0, sy = 0;
    for (const Mark& p : points) {
        xVaries |= p.x != points[0].x;
        yVaries |= p.y != points[0].y;
        sx += p.x;
        sy += p.y;
    }
    if (!xVaries)
        return fit;
    // Deviations from the means: the sums of products of raw values would cancel.
    const double mx = sx / double(n), my = sy / double(n);
    double sxx = 0, syy = 0, sxy = 0;
    for (const Mark& p : points) {
        const double dx = p.x - mx, dy = p.y - my;
        sxx += dx * dx;
        syy += dy * dy;
        sxy += dx * dy;
    }
    if (!(sxx > 0))
        return fit;
    fit.defined = true;
    if (!yVaries) {
        // A flat line, exactly: the means' rounding must not make up a slope.
        fit.a = 0;
        fit.b = points[0].y;
        return fit;
    }
    fit.a = sxy / sxx;
    fit.b = my - fit.a * mx;
    const double r = sxy / (std::sqrt(sxx) * std::sqrt(syy));
    if (std::isfinite(r))
        fit.r = std::clamp(r, -1.0, 1.0);
    return fit;
}

QString regressionText(const Regression& fit)
{
    if (!fit.defined)
        return TwoAbscissasText;
    const QString b = freeFormat(fit.b);
    const QString sign =
        b.startsWith(u'-') ? QStringLiteral("- ") + b.mid(1) : QStringLiteral("+ ") + b;
    QString text = QStringLiteral("Droite de régression: y = ") + freeFormat(fit.a) +
                   QStringLiteral(" x ") + sign + QStringLiteral("\nCoefficient de corrélation: ");
    if (fit.r)
        text += QStringLiteral("r = ") + freeFormat(std::round(*fit.r * 10000) / 10000);
    else
        text += QStringLiteral("non défini (les ordonnées sont toutes égales)");
    return text;
}

std::optional<Segment> regressionSegment(const Scale& scale, double a, double b)
{
    const double kx = scale.x.k, x0 = scale.x.origin, ky = scale.y.k, y0 = scale.y.origin;
    if (!allFinite(a, b, kx, ky) || !(kx > 0) || !(ky > 0))
        return std::nullopt;
    const double lo = PlotLow, hi = PlotHigh;
    const auto rowAt = [&](double column) {
        return 500.0 - (y0 + ky * (a * ((column - x0) / kx) + b));
    };
    Segment s{};
    if (a == 0) {
        const double y = rowAt(lo);
        if (!(y >= lo && y <= hi))
            return std::nullopt;
        s = {lo, y, hi, y};
    } else {
        // The columns where the line crosses the top and the bottom of the square; each end of
        // the segment is either such a crossing (its row is then exact) or a side of the square.
        const auto columnAt = [&](double row) {
            return x0 + kx * (((500.0 - row - y0) / ky - b) / a);
        };
        const double top = columnAt(lo), bottom = columnAt(hi);
        const bool topLeft = top <= bottom;
        double left = topLeft ? top : bottom, right = topLeft ? bottom : top;
        double leftRow = topLeft ? lo : hi, rightRow = topLeft ? hi : lo;
        if (!(left >= lo)) {
            left = lo;
            leftRow = std::clamp(rowAt(lo), lo, hi);
        }
        if (!(right <= hi)) {
            right = hi;
            rightRow = std::clamp(rowAt(hi), lo, hi);
        }
        if (!(left <= right))
            return std::nullopt;
        s = {left, leftRow, right, rightRow};
    }
    if (!allFinite(s.x1, s.y1, s.x2, s.y2))
        return std::nullopt;
    return s;
}

std::optional<QString> majgraf(Surface& picture, const TableModel& table, int xColumn, int yColumn,
                               const Options& options)
{
    if (xColumn < 0 || yColumn < 0 || xColumn >= table::Columns || yColumn >= table::Columns)
        return std::nullopt;
    const std::optional<Scale> found = scaleFor(table, xColumn, yColumn);
    picture.drawStyle = DrawStyle::Solid;
    picture.cls();
    if (!found) {
        drawNoData(picture);
        return std::nullopt;
    }
    const Scale& scale = *found;

    // The axes through the origin, with their arrow heads.
    const double x0 = scale.column(0), row0 = scale.row(0);
    picture.line(x0, 0, x0, 495, Blue);
    picture.line(x0, 0, x0 - 3, 5, Blue);
    picture.line(x0, 0, x0 + 3, 5, Blue);
    picture.line(5, row0, 500, row0, Blue);
    picture.line(495, row0 - 3, 500, row0, Blue);
    picture.line(495, row0 + 3, 500, row0, Blue);

    QString label = scaleText(scale.x.step, scale.y.step);

    // Divisions: short marks across the axes, or the dotted grid over the square.
    if (options.grid)
        picture.drawStyle = DrawStyle::Dot;
    const double markTop = options.grid ? 495 : row0 + 2, markBottom = options.grid ? 5 : row0 - 3;
    forEachDivision(scale.x, [&](float t) {
        const double x = numtext::roundHalfEven(scale.column(t));
        picture.line(x, markTop, x, markBottom, Blue);
    });
    const double markRight = options.grid ? 495 : numtext::roundHalfEven(x0 + 2);
    const double markLeft = options.grid ? 5 : numtext::roundHalfEven(x0 - 3);
    forEachDivision(scale.y, [&](float t) {
        const double y = numtext::roundHalfEven(scale.row(t));
        picture.line(markRight, y, markLeft, y, Blue);
    });
    picture.drawStyle = DrawStyle::Solid;

    const std::vector<Mark> shown = marks(table, xColumn, yColumn);

    // Under the marks, so that none is hidden by the line.
    if (options.regression) {
        const Regression fit = regression(shown);
        if (fit.defined)
            if (const auto s = regressionSegment(scale, fit.a, fit.b)) {
                picture.line(s->x1, s->y1, s->x2, s->y2, Green);
                picture.pset(s->x2, s->y2, Green);
            }
        label += QStringLiteral("\n\n") + regressionText(fit);
    }

    int px = 0, py = 0;
    for (const Mark& m : shown) {
        const double cx = scale.column(m.x), cy = scale.row(m.y);
        if (!std::isfinite(cx) || !std::isfinite(cy))
            continue;
        const int x = numtext::roundToInt(cx), y = numtext::roundToInt(cy);
        if (options.crosses) {
            picture.line(x - 2, y, x + 3, y, Red);
            picture.line(x, y - 2, x, y + 3, Red);
        } else {
            picture.pset(x, y, Red);
        }
        if (options.joined && m.continues)
            picture.line(px, py, x, y, Red);
        px = x;
        py = y;
    }
    return label;
}

} // namespace graph
