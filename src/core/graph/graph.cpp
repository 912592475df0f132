// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/graph/graph.h"

#include "core/platform/numtext.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRectF>
#include <algorithm>
#include <cmath>

namespace graph {

namespace {

// Far more than any scale needs (at most about 23 divisions): the bound only stops a loop whose
// step no longer moves its value.
constexpr int MaxDivisions = 64;

const VbColour Blue = paletteColour(1);
const VbColour Green = paletteColour(2);
const VbColour Red = paletteColour(12);
const VbColour Magenta = paletteColour(5); // the line through the origin

// A value with d decimals, as the read-outs write numbers (decimal comma, no "-0").
QString fixedText(double v, int d)
{
    return numtext::format(v,
                           d > 0 ? QStringLiteral("0.") + QString(d, u'0') : QStringLiteral("0"));
}

// The decimals that write a to five significant digits.
int fiveDigitDecimals(double a)
{
    if (!(std::fabs(a) > 0) || !std::isfinite(a))
        return 4;
    return std::clamp(4 - int(std::floor(std::log10(std::fabs(a)))), 0, 12);
}

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

// The values at the divisions, every n-th one so that two never touch, and the axes' names: the
// x values under the x axis (over it when it lies at the foot of the picture), the y values left of
// the y axis (right of it at the left edge); the names at the arrows' ends, on the other side.
void drawAxisTexts(Surface& picture, const Scale& scale, const QString& xTitle,
                   const QString& yTitle)
{
    QFont font = picture.font();
    font.setPixelSize(10);
    font.setBold(false);
    picture.setFont(font);
    picture.foreColour = Blue;
    const int h = picture.textHeight(QStringLiteral("0"));
    const double x0 = scale.column(0), row0 = scale.row(0);
    const bool valuesBelow = row0 + 3 + h <= PictureSize - 1;
    const double valuesTop = valuesBelow ? row0 + 3 : row0 - 3 - h;
    // Every n-th division, n = 1, 2, 5, 10 … the smallest that leaves a gap of 6 pixels.
    const auto every = [&](const Axis& axis, double room) {
        const double pixels = double(axis.step) * axis.k;
        int n = 1;
        for (const int candidate : {1, 2, 5, 10, 20, 50, 100}) {
            n = candidate;
            if (pixels * candidate >= room + 6)
                break;
        }
        return n;
    };
    const auto widest = [&](const Axis& axis, int n) {
        int w = 0;
        forEachDivision(axis, [&](float t) {
            w = std::max(w, picture.textWidth(divisionText(t, double(axis.step) * n)));
        });
        return w;
    };
    const auto labelled = [](const Axis& axis, float t, int n) {
        const long index = std::lround(double(t) / double(axis.step));
        return t != 0 && index % n == 0;
    };
    struct Text {
        QRectF place;
        QString text;
    };
    std::vector<Text> texts;
    const auto placed = [&](double left, double top, const QString& text) {
        const double w = picture.textWidth(text);
        left = std::clamp(left, 0.0, std::max(0.0, PictureSize - 1 - w));
        top = std::clamp(top, 0.0, double(PictureSize - 1 - h));
        return Text{QRectF(left, top, w, h), text};
    };
    const auto inSquare = [](double pixel) { return pixel >= PlotLow && pixel <= PlotHigh; };

    int nx = every(scale.x, widest(scale.x, 1));
    nx = every(scale.x, widest(scale.x, nx));
    forEachDivision(scale.x, [&](float t) {
        if (!labelled(scale.x, t, nx) || !inSquare(scale.column(t)))
            return;
        const QString text = divisionText(t, double(scale.x.step) * nx);
        texts.push_back(placed(scale.column(t) - picture.textWidth(text) / 2.0, valuesTop, text));
    });
    const int ny = every(scale.y, h);
    const int yWidest = widest(scale.y, ny);
    const bool valuesLeft = x0 - 4 - yWidest >= 0;
    forEachDivision(scale.y, [&](float t) {
        if (!labelled(scale.y, t, ny) || !inSquare(scale.row(t)))
            return;
        const QString text = divisionText(t, double(scale.y.step) * ny);
        const double w = picture.textWidth(text);
        texts.push_back(placed(valuesLeft ? x0 - 4 - w : x0 + 5, scale.row(t) - h / 2.0, text));
    });
    const QString zero = QStringLiteral("0");
    texts.push_back(
        placed(valuesLeft ? x0 - 4 - picture.textWidth(zero) : x0 + 5, valuesTop, zero));

    // The names, at the arrows' ends, on the side the values leave free when there is room; a
    // value under a name gives way.
    font.setBold(true);
    picture.setFont(font);
    std::vector<Text> titles;
    if (!xTitle.isEmpty()) {
        const bool roomOpposite = valuesBelow ? row0 - 5 - h >= 0 : row0 + 5 + h <= PictureSize - 1;
        const double top = roomOpposite ? (valuesBelow ? row0 - 5 - h : row0 + 5)
                                        : (valuesBelow ? valuesTop + h + 2 : valuesTop - h - 2);
        titles.push_back(placed(PlotHigh - picture.textWidth(xTitle), top, xTitle));
    }
    if (!yTitle.isEmpty()) {
        const double w = picture.textWidth(yTitle);
        const bool roomOpposite = valuesLeft ? x0 + 8 + w <= PictureSize - 1 : x0 - 8 - w >= 0;
        const double left = (roomOpposite == valuesLeft) ? x0 + 8 : x0 - 8 - w;
        titles.push_back(placed(left, 1, yTitle));
    }
    const auto draw = [&picture](const Text& t) {
        picture.currentX = t.place.left();
        picture.currentY = t.place.top();
        picture.print(t.text);
    };
    for (const Text& t : titles)
        draw(t);
    font.setBold(false);
    picture.setFont(font);
    for (const Text& t : texts) {
        const bool hidden = std::any_of(titles.begin(), titles.end(), [&](const Text& title) {
            return title.place.adjusted(-3, -1, 3, 1).intersects(t.place);
        });
        if (!hidden)
            draw(t);
    }
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
    const int d = fiveDigitDecimals(fit.a);
    const QString b = fixedText(fit.b, d);
    const QString sign =
        b.startsWith(u'-') ? QStringLiteral("- ") + b.mid(1) : QStringLiteral("+ ") + b;
    QString text = QStringLiteral("y = ") + fixedText(fit.a, d) + QStringLiteral(" x ") + sign +
                   QStringLiteral("     r = ");
    text += fit.r ? fixedText(*fit.r, 4) : QStringLiteral("non défini");
    return text;
}

OriginFit originRegression(const std::vector<Mark>& points)
{
    OriginFit fit;
    double sxx = 0, sxy = 0;
    for (const Mark& p : points) {
        sxx += double(p.x) * p.x;
        sxy += double(p.x) * p.y;
    }
    if (sxx > 0 && std::isfinite(sxx) && std::isfinite(sxy)) {
        fit.defined = true;
        fit.a = sxy / sxx;
    }
    return fit;
}

QString originText(const OriginFit& fit)
{
    if (!fit.defined)
        return NoOriginLineText;
    return QStringLiteral("y = ") + fixedText(fit.a, fiveDigitDecimals(fit.a)) +
           QStringLiteral(" x");
}

QString divisionText(double value, double labelledStep)
{
    const double step = std::fabs(labelledStep);
    int d = 0;
    while (d <= 6) {
        const double scaled = step * std::pow(10.0, d);
        if (std::fabs(scaled - std::round(scaled)) <= 1e-4 * std::max(1.0, scaled))
            break;
        ++d;
    }
    if (d > 6 || std::fabs(value) >= 1e7 || (step > 0 && step < 1e-6))
        return QString::number(value, 'g', 3)
            .replace(u'.', u',')
            .replace(QStringLiteral("e"), QStringLiteral("E"));
    return fixedText(value, d);
}

QString axisEntry(const TableModel& table, int column)
{
    const QString name = QStringLiteral("C%1").arg(column + 1);
    const QString title = table.title(column).trimmed();
    return title.isEmpty() || title == name ? name : name + QStringLiteral(" : ") + title;
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

    if (options.values)
        drawAxisTexts(picture, scale, options.xTitle, options.yTitle);

    const std::vector<Mark> shown = marks(table, xColumn, yColumn);

    // Under the marks, so that none is hidden by the line.
    if (options.regression || options.throughOrigin)
        label += QStringLiteral("\n");
    if (options.regression) {
        const Regression fit = regression(shown);
        if (fit.defined)
            if (const auto s = regressionSegment(scale, fit.a, fit.b)) {
                picture.line(s->x1, s->y1, s->x2, s->y2, Green);
                picture.pset(s->x2, s->y2, Green);
            }
        // The panel is narrow: r under the equation.
        label += fit.defined ? QStringLiteral("\nDroite de régression:\n") +
                                   regressionText(fit).replace(QStringLiteral("     "),
                                                               QStringLiteral("\n"))
                             : QStringLiteral("\n") + TwoAbscissasText;
    }
    if (options.throughOrigin) {
        const OriginFit fit = originRegression(shown);
        if (fit.defined)
            if (const auto s = regressionSegment(scale, fit.a, 0)) {
                picture.line(s->x1, s->y1, s->x2, s->y2, Magenta);
                picture.pset(s->x2, s->y2, Magenta);
            }
        label += fit.defined ? QStringLiteral("\nPassant par l'origine:\n") + originText(fit)
                             : QStringLiteral("\n") + NoOriginLineText;
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

Page page(const QImage& plot, const TableModel& table, int xColumn, int yColumn,
          const Options& options)
{
    Page out;
    out.plot = plot;
    if (xColumn < 0 || yColumn < 0 || xColumn >= table::Columns || yColumn >= table::Columns)
        return out;
    const QString xTitle = table.title(xColumn).trimmed(), yTitle = table.title(yColumn).trimmed();
    out.title = yTitle + QStringLiteral(" en fonction de ") + xTitle;
    const std::vector<Mark> shown = marks(table, xColumn, yColumn);
    if (options.regression)
        out.equations << QStringLiteral("Droite de régression : ") +
                             regressionText(regression(shown));
    if (options.throughOrigin)
        out.equations << QStringLiteral("Passant par l'origine : ") +
                             originText(originRegression(shown));
    out.pointsHeader = {xTitle, yTitle};
    for (const Mark& m : shown)
        out.points.push_back(
            {table.getCell(m.row, xColumn).trimmed(), table.getCell(m.row, yColumn).trimmed()});
    return out;
}

QImage plot(const TableModel& table, int xColumn, int yColumn, const Options& options, double scale)
{
    Surface picture(PictureSize, PictureSize, scale);
    majgraf(picture, table, xColumn, yColumn, options);
    return picture.image();
}

QImage pagePicture(const Page& page)
{
    QFont titleFont(QStringLiteral("Liberation Sans"));
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    QFont lineFont(QStringLiteral("Liberation Sans"));
    lineFont.setPixelSize(13);
    const QFontMetrics titleMetrics(titleFont), lineMetrics(lineFont);
    int width = page.plot.width();
    width = std::max(width, titleMetrics.horizontalAdvance(page.title) + 20);
    for (const QString& line : page.equations)
        width = std::max(width, lineMetrics.horizontalAdvance(line) + 20);
    const int titleHeight = page.title.isEmpty() ? 0 : titleMetrics.height() + 10;
    const int linesHeight =
        page.equations.isEmpty() ? 0 : int(page.equations.size()) * lineMetrics.height() + 10;
    QImage image(width, titleHeight + page.plot.height() + linesHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::black);
    if (titleHeight) {
        p.setFont(titleFont);
        p.drawText(QRect(0, 4, width, titleMetrics.height()), Qt::AlignHCenter, page.title);
    }
    p.drawImage((width - page.plot.width()) / 2, titleHeight, page.plot);
    p.setFont(lineFont);
    int y = titleHeight + page.plot.height() + 6;
    for (const QString& line : page.equations) {
        p.drawText(QRect(0, y, width, lineMetrics.height()), Qt::AlignHCenter, line);
        y += lineMetrics.height();
    }
    return image;
}

} // namespace graph
