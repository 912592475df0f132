// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/tablecsv.h"

#include "core/table/tablemodel.h"

#include <QString>

namespace table {

namespace {

void appendField(QByteArray& out, const QString& cell)
{
    const QByteArray text = cell.trimmed().toUtf8();
    if (!text.contains(';') && !text.contains('"') && !text.contains('\n') &&
        !text.contains('\r')) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace

QByteArray csvText(const TableModel& table)
{
    QByteArray out("\xEF\xBB\xBF");
    out.reserve(table.rowCount() * Columns * 8 + 3);
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < Columns; ++c) {
            if (c > 0)
                out += ';';
            appendField(out, table.getCell(r, c));
        }
        out += "\r\n";
    }
    return out;
}

} // namespace table
