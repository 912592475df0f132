// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/tablemodel.h"

#include "core/platform/numtext.h"

#include <QByteArray>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace table {

QString startTitle(int column)
{
    return QStringLiteral("C%1").arg(column + 1);
}

std::optional<float> parseCellNumber(const QString& text)
{
    // -? digits [, digits] [E [+-] digits], with digits on at least one side of the comma.
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto digits = [&] {
        const qsizetype start = i;
        while (i < n && text[i] >= u'0' && text[i] <= u'9')
            ++i;
        return i - start;
    };
    if (i < n && text[i] == u'-')
        ++i;
    qsizetype mantissa = digits();
    if (i < n && text[i] == u',') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return std::nullopt;
    if (i < n && text[i] == u'E') {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        if (digits() == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;

    // The text is now known to be plain ASCII: read it with the C++ reader, which no locale
    // touches.
    QByteArray plain = text.toLatin1();
    plain.replace(',', '.');
    const bool negativeExponent = plain.contains("E-");
    if (plain.startsWith('.') || plain.startsWith("-."))
        plain.insert(plain.startsWith('-') ? 1 : 0, '0');
    plain.replace(".E", "E");
    if (plain.endsWith('.'))
        plain.chop(1);
    double value = 0;
    const auto [end, error] =
        std::from_chars(plain.constData(), plain.constData() + plain.size(), value);
    if (error == std::errc::result_out_of_range)
        return negativeExponent ? std::optional<float>(0.0f) : std::nullopt;
    if (error != std::errc() || end != plain.constData() + plain.size() || !std::isfinite(value) ||
        std::fabs(value) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return float(value);
}

QString formatCellNumber(float value, const QString& pattern)
{
    return numtext::format(double(value), pattern);
}

QString normalisedCell(const QString& text, const QString& pattern)
{
    if (text.isEmpty())
        return {};
    const std::optional<float> v = parseCellNumber(text);
    return v ? formatCellNumber(*v, pattern) : QString();
}

void typeInto(QString& text, QChar key)
{
    if (key == u'.')
        key = u',';
    if ((key >= u'0' && key <= u'9') || key == u',' || key == u'-')
        text += key;
    else if (key == QChar(8))
        text.chop(1);
    else if (key == u'e' || key == u'E')
        text += u'E';
}

QString typedIntoCell(const QString& text, QChar key)
{
    QString out = text;
    typeInto(out, key);
    return out;
}

} // namespace table

using namespace table;

TableModel::TableModel()
{
    m_cells.resize(StartRows);
    for (int c = 0; c < Columns; ++c)
        m_cells[0][size_t(c)] = startTitle(c);
}

void TableModel::notify(int row, int column) const
{
    ++m_revision;
    if (changed)
        changed(row, column);
}

void TableModel::setRowCount(int rows)
{
    rows = std::clamp(rows, MinRows, MaxRows);
    if (rows == rowCount())
        return;
    m_cells.resize(size_t(rows));
    m_row = std::min(m_row, rows - 1);
    notify(-1, -1);
}

QString TableModel::getCell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= Columns)
        return {};
    return m_cells[size_t(row)][size_t(column)];
}

void TableModel::setCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= Columns)
        return;
    QString& cell = m_cells[size_t(row)][size_t(column)];
    if (cell == text)
        return;
    cell = text;
    notify(row, column);
}

void TableModel::setCurrentCell(int row, int column)
{
    m_row = std::clamp(row, 1, rowCount() - 1);
    m_column = std::clamp(column, 0, Columns - 1);
}

QString TableModel::columnFormula(int column) const
{
    return column >= 0 && column < Columns ? m_formulas[size_t(column)] : QString();
}

void TableModel::setColumnFormula(int column, const QString& formula)
{
    if (column >= 0 && column < Columns && m_formulas[size_t(column)] != formula) {
        m_formulas[size_t(column)] = formula;
        ++m_revision;
    }
}

void TableModel::clearAll()
{
    for (Row& row : m_cells)
        row.fill(QString());
    notify(-1, -1);
}

void TableModel::reformatTable()
{
    for (size_t r = 1; r < m_cells.size(); ++r)
        for (QString& cell : m_cells[r])
            if (!cell.isEmpty())
                cell = normalisedCell(cell, m_format);
    notify(-1, -1);
}

void TableModel::typeKey(QChar key)
{
    setCell(m_row, m_column, typedIntoCell(getCell(m_row, m_column), key));
}

void TableModel::deleteKey()
{
    setCell(m_row, m_column, QString());
}

QString TableModel::leaveCell()
{
    const QString typed = getCell(m_row, m_column);
    const QString settled = normalisedCell(typed, m_format);
    setCell(m_row, m_column, settled);
    return settled.isEmpty() ? typed : QString();
}

QString TableModel::enterKey()
{
    const QString lost = leaveCell();
    if (m_row < dataRows())
        ++m_row;
    return lost;
}

bool TableModel::insertRowAbove()
{
    if (rowCount() >= MaxRows)
        return false;
    m_cells.insert(m_cells.begin() + m_row, Row{});
    notify(-1, -1);
    return true;
}

bool TableModel::appendRow()
{
    if (rowCount() >= MaxRows)
        return false;
    m_cells.emplace_back();
    notify(-1, -1);
    return true;
}

bool TableModel::deleteCurrentRow()
{
    if (rowCount() < 3)
        return false;
    m_cells.erase(m_cells.begin() + m_row);
    m_row = std::min(m_row, rowCount() - 1);
    notify(-1, -1);
    return true;
}

void TableModel::clearColumn(int column)
{
    if (column < 0 || column >= Columns)
        return;
    for (size_t r = 1; r < m_cells.size(); ++r)
        m_cells[r][size_t(column)].clear();
    notify(-1, -1);
}

void TableModel::reset()
{
    m_cells.assign(StartRows, Row{});
    for (int c = 0; c < Columns; ++c)
        m_cells[0][size_t(c)] = startTitle(c);
    m_formulas.fill(QString());
    m_row = std::min(m_row, rowCount() - 1);
    notify(-1, -1);
}

void TableModel::sortRows(int column, bool ascending)
{
    if (column < 0 || column >= Columns)
        return;
    const QString format = m_format;
    m_format = SortFormat;
    reformatTable();
    // Rows with a value keep their relative order when keys are equal; rows without one go last
    // in both orders, so that a pupil's measurements stay at the top.
    struct Keyed {
        std::optional<float> key;
        Row row;
    };
    std::vector<Keyed> rows;
    rows.reserve(m_cells.size() - 1);
    for (size_t r = 1; r < m_cells.size(); ++r)
        rows.push_back({parseCellNumber(m_cells[r][size_t(column)]), std::move(m_cells[r])});
    std::stable_sort(rows.begin(), rows.end(), [ascending](const Keyed& x, const Keyed& y) {
        if (!x.key || !y.key)
            return x.key.has_value() && !y.key.has_value();
        return ascending ? *x.key < *y.key : *x.key > *y.key;
    });
    for (size_t r = 1; r < m_cells.size(); ++r)
        m_cells[r] = std::move(rows[r - 1].row);
    m_format = format;
    reformatTable();
}

SequenceResult TableModel::fillSequence(int column, float first, float last, float step)
{
    if (column < 0 || column >= Columns)
        return SequenceResult::Invalid;
    const float a = first, b = last, d = step;
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(d) || b == a || (a > b && d > 0) ||
        (a < b && d < 0) || d == 0)
        return SequenceResult::Invalid;
    const float span = (b - a) / d;
    if (!(span <= 99))
        return SequenceResult::TooLong;
    const int n = int(std::floor(span + 1));
    if (n >= rowCount())
        m_cells.resize(size_t(n + 1));
    for (int i = 1; i <= n; ++i)
        m_cells[size_t(i)][size_t(column)] = formatCellNumber(a + d * float(i - 1), m_format);
    notify(-1, -1);
    return SequenceResult::Filled;
}

QString TableModel::contentText() const
{
    QStringList lines;
    lines.reserve(qsizetype(m_cells.size()));
    for (const Row& row : m_cells) {
        QStringList cells(row.begin(), row.end());
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n');
}

int TableModel::paste(const QString& text, int* unreadable)
{
    QStringView rest(text);
    if (rest.endsWith(u'\n'))
        rest.chop(1);
    if (rest.endsWith(u'\r'))
        rest.chop(1);
    int dropped = 0;
    int unread = 0;
    int row = m_row;
    qsizetype start = 0;
    while (start <= rest.size()) {
        qsizetype end = rest.indexOf(u'\n', start);
        if (end < 0)
            end = rest.size();
        QStringView line = rest.mid(start, end - start);
        if (line.endsWith(u'\r'))
            line.chop(1);
        int column = m_column;
        qsizetype from = 0;
        while (from <= line.size()) {
            qsizetype tab = line.indexOf(u'\t', from);
            if (tab < 0)
                tab = line.size();
            const QStringView value = line.mid(from, tab - from);
            if (column >= Columns || row >= MaxRows) {
                dropped += !value.trimmed().isEmpty();
            } else {
                if (row >= rowCount())
                    m_cells.resize(size_t(row + 1));
                QString typed;
                for (QChar ch : value)
                    typeInto(typed, ch);
                QString& cell = m_cells[size_t(row)][size_t(column)];
                cell = normalisedCell(typed, m_format);
                unread += cell.isEmpty() && !value.trimmed().isEmpty();
            }
            ++column;
            from = tab + 1;
        }
        ++row;
        start = end + 1;
    }
    notify(-1, -1);
    if (unreadable)
        *unreadable = unread;
    return dropped;
}
