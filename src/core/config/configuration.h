// SPDX-License-Identifier: GPL-3.0-or-later
// A configuration file (".P02"): the whole experiment in 128-byte records of the record-file
// layout. Record 1 "OPTIPHANE"; 2 and 3 the half-disc's and the outer medium's list texts; 4 to 10
// the options Option1 … Option7 ("1" / "0"); 11 "Réflexion partielle"; 12 the wavelength; 13 the
// arrows' box; 14 the lamp angle; 15 to 18 the outer medium's and the half-disc's A and B; 19 the
// table's row count R (title row included); then the 5 R cells row by row, the five formulas and
// the number format: 25 + 5 R records. Numbers are written with a point, a leading blank when
// not negative.
//
// The reader checks the whole file before anything is applied, and the writer puts the new file in
// place only once it is complete: a damaged file or a failed save never leaves a half experiment
// or a half file.
#pragma once

#include "core/state/source.h"
#include "core/table/tablemodel.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

struct Configuration {
    QString discMaterial = QStringLiteral("Verre Crown");
    QString outerMaterial = QStringLiteral("Air");
    // Records 4 to 10, Option1 … Option7: one source, one background, one element.
    Source source = Source::Monochromatic;
    bool blackBackground = true; // Option3, else Option4
    bool halfDisc = true;        // Option6, else Option7
    int partialReflection = 1;   // Check3's value
    int wavelength = 589;        // HScroll1, nm
    int arrows = 1;              // propa's value
    double lampAngle = 135;
    float outerA = 0, outerB = 0, discA = 0, discB = 0;
    // The table: rows including the title row, five texts each.
    std::vector<std::array<QString, table::Columns>> cells;
    std::array<QString, table::Columns> formulas;
    QString numberFormat = table::StartFormat;

    // The table's part taken from, or given to, a table model.
    void takeTable(const TableModel& table);
    void giveTable(TableModel& table) const;
};

class Experiment;

namespace config {

inline const QString Header = QStringLiteral("OPTIPHANE");

// The configuration of an experiment: what a save writes.
Configuration fromExperiment(const Experiment& experiment);

// A number as the file writes it: " 135", "-2.5", " 1.000275" (single precision: at most 7
// significant digits; double: at most 15).
QString numberText(double value);
QString singleNumberText(float value);

// The records of a configuration, in order (record 1 first).
QStringList records(const Configuration& c);
// The file's bytes: every record 128 bytes, the last one ending right after its text. Nothing
// when a text does not fit a record (over 126 bytes in Windows-1252).
std::optional<QByteArray> fileBytes(const Configuration& c);

enum class ReadError { None, WrongHeader, Damaged };
struct ReadResult {
    std::optional<Configuration> configuration;
    ReadError error = ReadError::None;
};
// Reads and checks a whole file's bytes: the header, every record the row count announces,
// a row count of 2 to 101, numbers that read as numbers, options "0" or "1" with exactly one "1"
// for the source (records 4, 5, 8), the background (6, 7) and the element (9, 10), a wavelength
// of 400 to 800, material names of `materialNames`. A number format the table cannot write with
// (see numtext::isPlainPattern) is read as the default one.
ReadResult parse(const QByteArray& bytes, const QStringList& materialNames);
ReadResult readFile(const QString& path, const QStringList& materialNames);
// Writes the file aside and puts it in place when complete; false (the old file intact) on
// failure.
bool writeFile(const QString& path, const Configuration& c);

} // namespace config
