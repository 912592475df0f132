// SPDX-License-Identifier: GPL-3.0-or-later
// The table as a spreadsheet file: what LibreOffice and Excel in French open without a question.
#pragma once

#include <QByteArray>

class TableModel;

namespace table {

// UTF-8 with a byte-order mark (so that Excel reads the accents), ";" between fields, the cells
// as the table shows them (decimal commas), the titles as the first line, empty cells empty,
// every line ended by CR LF. A field holding ";", a quote or a line break is quoted, its quotes
// doubled.
QByteArray csvText(const TableModel& table);

} // namespace table
