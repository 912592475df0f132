// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/config/configuration.h"

#include "core/experiment/experiment.h"
#include "core/platform/cp1252.h"
#include "core/platform/files.h"
#include "core/platform/numtext.h"

#include <algorithm>
#include <cmath>
#include <limits>

void Configuration::takeTable(const TableModel& table)
{
    cells.assign(size_t(table.rowCount()), {});
    for (int r = 0; r < table.rowCount(); ++r)
        for (int c = 0; c < table::Columns; ++c)
            cells[size_t(r)][size_t(c)] = table.getCell(r, c);
    for (int c = 0; c < table::Columns; ++c)
        formulas[size_t(c)] = table.columnFormula(c);
    numberFormat = table.numberFormat();
}

void Configuration::giveTable(TableModel& table) const
{
    table.setRowCount(int(cells.size()));
    for (int r = 0; r < int(cells.size()); ++r)
        for (int c = 0; c < table::Columns; ++c)
            table.setCell(r, c, cells[size_t(r)][size_t(c)]);
    for (int c = 0; c < table::Columns; ++c)
        table.setColumnFormula(c, formulas[size_t(c)]);
    table.setNumberFormat(numberFormat);
}

namespace config {

namespace {

constexpr int RecordSize = 128;
constexpr int MaxText = RecordSize - 2;
constexpr int FixedRecords = 19;

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// A number text of the file read strictly: blanks, an optional sign, digits with at most one
// point, an optional exponent. Anything else (or no digit at all) is a damaged record.
std::optional<double> strictNumber(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && (t[i] == u'-' || t[i] == u'+'))
        ++i;
    int digits = 0;
    while (i < n && t[i].isDigit() && t[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && t[i] == u'.') {
        ++i;
        while (i < n && t[i].isDigit() && t[i].unicode() < 128) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (t[i] == u'E' || t[i] == u'e' || t[i] == u'D' || t[i] == u'd')) {
        ++i;
        if (i < n && (t[i] == u'-' || t[i] == u'+'))
            ++i;
        int exponent = 0;
        while (i < n && t[i].isDigit() && t[i].unicode() < 128) {
            ++i;
            ++exponent;
        }
        if (exponent == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    const std::optional<double> v = numtext::readNumber(t);
    if (!v || !std::isfinite(*v))
        return std::nullopt;
    return v;
}

std::optional<int> strictInteger(const QString& text, int lo, int hi)
{
    const std::optional<double> v = strictNumber(text);
    if (!v)
        return std::nullopt;
    const double rounded = std::nearbyint(*v);
    if (rounded < lo || rounded > hi)
        return std::nullopt;
    return int(rounded);
}

std::optional<float> strictSingle(const QString& text)
{
    const std::optional<double> v = strictNumber(text);
    if (!v || std::fabs(*v) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return float(*v);
}

} // namespace

Configuration fromExperiment(const Experiment& experiment)
{
    const BenchSettings& s = experiment.settings;
    const BenchState& bench = experiment.bench;
    Configuration c;
    c.discMaterial = s.discMaterial;
    c.outerMaterial = s.outerMaterial;
    c.source = s.source;
    c.blackBackground = s.blackBackground;
    c.halfDisc = s.halfDisc;
    c.partialReflection = s.partialReflection ? 1 : 0;
    c.wavelength = s.wavelength;
    c.arrows = s.arrows ? 1 : 0;
    c.lampAngle = bench.lampAngle;
    c.outerA = bench.outerA;
    c.outerB = bench.outerB;
    c.discA = bench.discA;
    c.discB = bench.discB;
    c.takeTable(experiment.table);
    return c;
}

QString numberText(double value)
{
    return numtext::writeNumber(value);
}

QString singleNumberText(float value)
{
    // The single's 7 significant digits, as the double nearest that decimal text.
    return numtext::writeNumber(numtext::singleDigits(value));
}

QStringList records(const Configuration& c)
{
    QStringList r;
    r << Header << c.discMaterial << c.outerMaterial;
    r << flag(c.source == Source::Monochromatic) << flag(c.source == Source::WhiteLight)
      << flag(c.blackBackground) << flag(!c.blackBackground)
      << flag(c.source == Source::FiveRadiations) << flag(c.halfDisc) << flag(!c.halfDisc);
    r << flag(c.partialReflection == 1) << numberText(c.wavelength) << numberText(c.arrows)
      << numberText(c.lampAngle) << singleNumberText(c.outerA) << singleNumberText(c.outerB)
      << singleNumberText(c.discA) << singleNumberText(c.discB)
      << numberText(double(c.cells.size()));
    for (const auto& row : c.cells)
        for (const QString& cell : row)
            r << cell;
    for (const QString& f : c.formulas)
        r << f;
    r << c.numberFormat;
    return r;
}

std::optional<QByteArray> fileBytes(const Configuration& c)
{
    const QStringList texts = records(c);
    QByteArray out;
    out.reserve(qsizetype(texts.size()) * RecordSize);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QByteArray text = cp1252::fromUnicode(texts[i]);
        if (text.size() > MaxText)
            return std::nullopt;
        out.append(char(text.size() & 0xff));
        out.append(char((text.size() >> 8) & 0xff));
        out.append(text);
        if (i + 1 < texts.size())
            out.append(RecordSize - 2 - text.size(), '\0');
    }
    return out;
}

ReadResult parse(const QByteArray& bytes, const QStringList& materialNames)
{
    ReadResult damaged{std::nullopt, ReadError::Damaged};
    // Record n, or nothing when it is missing, cut inside its text, or longer than a record holds.
    auto record = [&bytes](int n) -> std::optional<QString> {
        const qsizetype start = qsizetype(n - 1) * RecordSize;
        if (start + 2 > bytes.size())
            return std::nullopt;
        const int length = int(uchar(bytes[start])) | (int(uchar(bytes[start + 1])) << 8);
        if (length > MaxText || start + 2 + length > bytes.size())
            return std::nullopt;
        return cp1252::toUnicode(bytes.mid(start + 2, length));
    };

    const std::optional<QString> header = record(1);
    if (!header)
        return damaged; // empty, or cut inside its first record
    if (*header != Header)
        return {std::nullopt, ReadError::WrongHeader};

    std::vector<QString> fixed(FixedRecords + 1);
    for (int n = 2; n <= FixedRecords; ++n) {
        const std::optional<QString> text = record(n);
        if (!text)
            return damaged;
        fixed[size_t(n)] = *text;
    }

    Configuration c;
    if (!materialNames.contains(fixed[2]) || !materialNames.contains(fixed[3]))
        return damaged;
    c.discMaterial = fixed[2];
    c.outerMaterial = fixed[3];
    std::array<bool, 7> options{}; // Option1 … Option7
    for (int k = 0; k < 7; ++k) {
        const QString& f = fixed[size_t(4 + k)];
        if (f != QLatin1String("0") && f != QLatin1String("1"))
            return damaged;
        options[size_t(k)] = f == QLatin1String("1");
    }
    // Each group of options shows one choice: a file selecting none of a group, or two, would be
    // read as whatever the screen showed before, and saved again otherwise.
    const auto one = [](std::initializer_list<bool> group) {
        return std::count(group.begin(), group.end(), true) == 1;
    };
    if (!one({options[0], options[1], options[4]}) || !one({options[2], options[3]}) ||
        !one({options[5], options[6]}))
        return damaged;
    c.source = options[1]   ? Source::WhiteLight
               : options[4] ? Source::FiveRadiations
                            : Source::Monochromatic;
    c.blackBackground = options[2];
    c.halfDisc = options[5];
    const auto partial = strictInteger(fixed[11], -32768, 32767);
    const auto wavelength = strictInteger(fixed[12], 400, 800);
    const auto arrows = strictInteger(fixed[13], -32768, 32767);
    const auto lamp = strictNumber(fixed[14]);
    const auto outerA = strictSingle(fixed[15]), outerB = strictSingle(fixed[16]);
    const auto discA = strictSingle(fixed[17]), discB = strictSingle(fixed[18]);
    const auto rows = strictInteger(fixed[19], table::MinRows, table::MaxRows);
    if (!partial || !wavelength || !arrows || !lamp || !outerA || !outerB || !discA || !discB ||
        !rows)
        return damaged;
    c.partialReflection = *partial;
    c.wavelength = *wavelength;
    c.arrows = *arrows;
    c.lampAngle = *lamp;
    c.outerA = *outerA;
    c.outerB = *outerB;
    c.discA = *discA;
    c.discB = *discB;

    int n = FixedRecords + 1;
    c.cells.assign(size_t(*rows), {});
    for (auto& row : c.cells)
        for (QString& cell : row) {
            const std::optional<QString> text = record(n++);
            if (!text)
                return damaged;
            cell = *text;
        }
    for (QString& f : c.formulas) {
        const std::optional<QString> text = record(n++);
        if (!text)
            return damaged;
        f = *text;
    }
    const std::optional<QString> format = record(n);
    if (!format)
        return damaged;
    // A format the table cannot write with (literal characters) would show other numbers than
    // the file holds, and change them at every save: the table takes the default format.
    c.numberFormat = numtext::isPlainPattern(*format) ? *format : table::StartFormat;
    return {c, ReadError::None};
}

ReadResult readFile(const QString& path, const QStringList& materialNames)
{
    // The largest configuration holds 530 records: what lies further is never looked at.
    const files::ReadResult read = files::readHead(path, qint64(RecordSize) * 1024);
    if (read.status != files::ReadStatus::Read)
        return {std::nullopt, ReadError::Damaged};
    return parse(read.bytes, materialNames);
}

bool writeFile(const QString& path, const Configuration& c)
{
    const std::optional<QByteArray> bytes = fileBytes(c);
    return bytes && files::writeWhole(path, *bytes);
}

} // namespace config
