// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/platform/numtext.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <string>

namespace numtext {

namespace {

// A non-negative number as decimal digits: value = 0.d1d2d3... × 10^(exponent + 1), that is
// d1 is the digit of 10^exponent. No trailing zeros; zero has no digits.
struct Digits {
    std::string digits;
    int exponent = 0;
    bool isZero() const { return digits.empty(); }
};

void stripTrailingZeros(Digits& d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

// The magnitude of a finite value with 15 significant digits (the precision every text of the
// program starts from, so that 2.675 is seen as 2.675 and not as 2.67499999…).
Digits digits15(double value)
{
    Digits d;
    value = std::fabs(value);
    if (value == 0)
        return d;
    char buffer[64];
    const auto res =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    // buffer holds "d.ddddddddddddddde±x"
    const char* p = buffer;
    for (; p < res.ptr && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), res.ptr, exponent);
    d.exponent = exponent;
    stripTrailingZeros(d);
    return d;
}

// Keeps the first `keep` digits, rounding the rest half away from zero.
Digits roundDigits(Digits d, long keep)
{
    if (d.isZero() || keep >= static_cast<long>(d.digits.size()))
        return d;
    if (keep < 0)
        return Digits{};
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (up) {
        long i = keep - 1;
        for (; i >= 0; --i) {
            char& c = d.digits[static_cast<size_t>(i)];
            if (c == '9') {
                c = '0';
            } else {
                ++c;
                break;
            }
        }
        if (i < 0) { // all nines (or nothing kept): one more integer digit
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    stripTrailingZeros(d);
    return d;
}

// The digit of 10^power in d.
char digitOf(const Digits& d, long power)
{
    const long index = d.exponent - power;
    if (index < 0 || index >= static_cast<long>(d.digits.size()))
        return '0';
    return d.digits[static_cast<size_t>(index)];
}

void appendExponent(QString& out, int exponent, bool alwaysSign, int minDigits)
{
    out += QLatin1Char('E');
    if (exponent < 0)
        out += QLatin1Char('-');
    else if (alwaysSign)
        out += QLatin1Char('+');
    QString digits = QString::number(std::abs(exponent));
    while (digits.size() < minDigits)
        digits.prepend(QLatin1Char('0'));
    out += digits;
}

// Mantissa "d.ddd" (or "d" alone) followed by an exponent of at least two digits with its sign.
QString exponentText(const Digits& d, QChar point)
{
    QString out;
    out += QLatin1Char(d.digits[0]);
    if (d.digits.size() > 1) {
        out += point;
        out += QLatin1String(d.digits.data() + 1, static_cast<qsizetype>(d.digits.size() - 1));
    }
    appendExponent(out, d.exponent, true, 2);
    return out;
}

// Plain decimal notation of a rounded magnitude: integer digits in full, then the decimals.
QString plainText(const Digits& d, QChar point, bool zeroBeforePoint)
{
    QString out;
    if (d.exponent >= 0) {
        for (long p = d.exponent; p >= 0; --p)
            out += QLatin1Char(digitOf(d, p));
    } else if (zeroBeforePoint) {
        out += QLatin1Char('0');
    }
    const long lastPower = d.exponent - static_cast<long>(d.digits.size()) + 1;
    if (lastPower < 0) {
        out += point;
        for (long p = -1; p >= lastPower; --p)
            out += QLatin1Char(digitOf(d, p));
    }
    return out;
}

// Writes a magnitude with `precision` significant digits: plain notation when the decimal
// exponent lies in [-4, precision), exponent notation otherwise.
QString generalText(double value, int precision, QChar point, bool zeroBeforePoint)
{
    Digits d = roundDigits(digits15(value), precision);
    if (d.isZero())
        return QStringLiteral("0");
    QString body = (d.exponent >= precision || d.exponent < -4)
                       ? exponentText(d, point)
                       : plainText(d, point, zeroBeforePoint);
    if (value < 0)
        body.prepend(QLatin1Char('-'));
    return body;
}

// A display pattern taken apart.
struct Pattern {
    QString prefix, suffix;  // literal text before the first and after the last placeholder
    int intPlaceholders = 0; // "0" and "#" before the point
    int minIntDigits = 0;    // placeholders from the first "0" before the point
    int maxDecimals = 0;     // placeholders after the point
    int minDecimals = 0;     // up to the last "0" after the point
    bool hasPoint = false;
    bool hasExponent = false;
    bool exponentAlwaysSigned = false; // "E+" rather than "E-"
    int minExponentDigits = 0;
};

Pattern parsePattern(const QString& text)
{
    Pattern p;
    bool seenPlaceholder = false;
    bool inDecimals = false;
    bool seenIntZero = false;
    int decimalIndex = 0;
    QString pending; // literal characters since the last placeholder
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'0' || c == u'#') {
            if (!seenPlaceholder)
                p.prefix = pending;
            pending.clear();
            seenPlaceholder = true;
            if (inDecimals) {
                ++decimalIndex;
                ++p.maxDecimals;
                if (c == u'0')
                    p.minDecimals = decimalIndex;
            } else {
                ++p.intPlaceholders;
                if (c == u'0')
                    seenIntZero = true;
                if (seenIntZero)
                    ++p.minIntDigits;
            }
        } else if (c == u'.' && !inDecimals) {
            if (!seenPlaceholder)
                p.prefix = pending;
            pending.clear();
            seenPlaceholder = true;
            inDecimals = true;
            p.hasPoint = true;
        } else if ((c == u'E' || c == u'e') && i + 1 < text.size() &&
                   (text.at(i + 1) == u'+' || text.at(i + 1) == u'-')) {
            p.hasExponent = true;
            p.exponentAlwaysSigned = text.at(i + 1) == u'+';
            if (!seenPlaceholder)
                p.prefix = pending;
            pending.clear();
            qsizetype j = i + 2;
            for (; j < text.size() && (text.at(j) == u'0' || text.at(j) == u'#'); ++j)
                if (text.at(j) == u'0')
                    ++p.minExponentDigits;
            p.suffix = text.mid(j);
            return p;
        } else if (c != u',') { // "," would ask for grouping: the program never groups
            pending += c;
        }
    }
    if (seenPlaceholder)
        p.suffix = pending;
    else
        p.prefix = pending;
    return p;
}

QString formatWithPattern(double value, const Pattern& p)
{
    const QChar comma = QLatin1Char(',');
    const bool negative = value < 0;
    QString body;
    if (p.hasExponent) {
        const int intDigits = std::max(1, p.intPlaceholders);
        Digits d = digits15(value);
        int shownExponent = 0;
        if (!d.isZero()) {
            d = roundDigits(d, intDigits + p.maxDecimals);
            shownExponent = d.exponent - (intDigits - 1);
        }
        // the mantissa is d × 10^-shownExponent, with intDigits digits before the point
        for (long power = intDigits - 1; power >= 0; --power)
            body += QLatin1Char(d.isZero() ? '0' : digitOf(d, power + shownExponent));
        QString decimals;
        for (int k = 1; k <= p.maxDecimals; ++k)
            decimals += QLatin1Char(d.isZero() ? '0' : digitOf(d, shownExponent - k));
        while (decimals.size() > p.minDecimals && decimals.endsWith(QLatin1Char('0')))
            decimals.chop(1);
        if (p.hasPoint)
            body += comma + decimals;
        appendExponent(body, shownExponent, p.exponentAlwaysSigned,
                       std::max(1, p.minExponentDigits));
        if (negative && !d.isZero())
            body.prepend(QLatin1Char('-'));
        return p.prefix + body + p.suffix;
    }
    if (p.intPlaceholders == 0 && !p.hasPoint)
        return p.prefix + p.suffix; // a pattern without any digit place shows only its text
    Digits d = digits15(value);
    d = roundDigits(d, static_cast<long>(d.exponent) + 1 + p.maxDecimals);
    QString integer;
    for (long power = d.exponent; power >= 0 && !d.isZero(); --power)
        integer += QLatin1Char(digitOf(d, power));
    while (integer.size() < p.minIntDigits)
        integer.prepend(QLatin1Char('0'));
    QString decimals;
    for (int k = 1; k <= p.maxDecimals; ++k)
        decimals += QLatin1Char(digitOf(d, -k));
    while (decimals.size() > p.minDecimals && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    body = integer;
    if (p.hasPoint)
        body += comma + decimals;
    if (negative && !d.isZero())
        body.prepend(QLatin1Char('-'));
    return p.prefix + body + p.suffix;
}

inline bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

double roundHalfEven(double v)
{
    if (!std::isfinite(v))
        return v;
    const double down = std::floor(v);
    const double diff = v - down;
    if (diff < 0.5)
        return down;
    if (diff > 0.5)
        return down + 1;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

int roundToInt(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = roundHalfEven(v);
    if (r >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (r <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(r);
}

QString format(double value, const QString& pattern)
{
    if (!std::isfinite(value))
        return QString(); // no digits to show: read back, it is "not a number"
    if (pattern.isEmpty())
        return generalText(value, 7, QLatin1Char(','), true);
    return formatWithPattern(value, parsePattern(pattern));
}

bool isPlainPattern(const QString& pattern)
{
    bool point = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'0' || c == u'#' || c == u',')
            continue;
        if (c == u'.' && !point) {
            point = true;
            continue;
        }
        if ((c == u'E' || c == u'e') && i + 1 < pattern.size() &&
            (pattern.at(i + 1) == u'+' || pattern.at(i + 1) == u'-')) {
            for (qsizetype j = i + 2; j < pattern.size(); ++j)
                if (pattern.at(j) != u'0' && pattern.at(j) != u'#')
                    return false;
            return true;
        }
        return false;
    }
    return true;
}

QString formatSingle(float value)
{
    return format(static_cast<double>(value), QString());
}

double singleDigits(float value)
{
    return QString::number(double(value), 'g', 7).toDouble();
}

QString writeNumberTrimmed(double value)
{
    if (std::isnan(value))
        return QString();
    if (std::isinf(value)) // a magnitude beyond the range: reads back as an overflow
        return value > 0 ? QStringLiteral("1E+309") : QStringLiteral("-1E+309");
    // The largest doubles would round up to 1.79769313486232E+308, beyond the range: they are
    // written one unit lower in the last digit, so that every text reads back.
    constexpr double LargestWritten = 1.79769313486231e308;
    if (std::fabs(value) > LargestWritten)
        value = std::copysign(LargestWritten, value);
    return generalText(value, 15, QLatin1Char('.'), false);
}

QString writeNumber(double value)
{
    QString text = writeNumberTrimmed(value);
    if (!text.isEmpty() && !text.startsWith(QLatin1Char('-'))) // NaN stays the empty text
        text.prepend(QLatin1Char(' '));
    return text;
}

std::optional<double> readNumber(const QString& text)
{
    return readNumber(QStringView(text));
}

std::optional<double> readNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    std::string integer, fraction;
    for (; i < n && isDigit(text[i]); ++i)
        integer.push_back(static_cast<char>(text[i].unicode()));
    if (i < n && text[i] == u'.') {
        for (++i; i < n && isDigit(text[i]); ++i)
            fraction.push_back(static_cast<char>(text[i].unicode()));
    }
    if (integer.empty() && fraction.empty())
        return 0.0;
    long exponent = 0;
    if (i < n && (text[i] == u'E' || text[i] == u'e' || text[i] == u'D' || text[i] == u'd')) {
        qsizetype j = i + 1;
        bool expNegative = false;
        if (j < n && (text[j] == u'-' || text[j] == u'+')) {
            expNegative = text[j] == u'-';
            ++j;
        }
        if (j < n && isDigit(text[j])) {
            for (; j < n && isDigit(text[j]); ++j)
                exponent = std::min(exponent * 10 + (text[j].unicode() - u'0'), 100000000L);
            if (expNegative)
                exponent = -exponent;
        }
    }
    const std::string::size_type firstInt = integer.find_first_not_of('0');
    const std::string::size_type firstFrac = fraction.find_first_not_of('0');
    if (firstInt == std::string::npos && firstFrac == std::string::npos)
        return negative ? -0.0 : 0.0;

    std::string buffer = integer.empty() ? std::string("0") : integer;
    if (!fraction.empty())
        buffer += '.' + fraction;
    buffer += 'e' + std::to_string(exponent);
    double value = 0;
    const auto res = std::from_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Beyond the range one way or the other: the place of the first significant digit says
        // which. Far too large is an overflow; far too small reads as 0.
        const long magnitude = firstInt != std::string::npos
                                   ? static_cast<long>(integer.size() - firstInt) + exponent
                                   : -static_cast<long>(firstFrac) + exponent;
        if (magnitude > 0)
            return std::nullopt;
        value = 0;
    } else if (res.ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

QString scientificText(double value)
{
    QString text = format(value, QStringLiteral("#.#######E+00"));
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma >= 0)
        text[comma] = QLatin1Char('.');
    return text;
}

} // namespace numtext
