// SPDX-License-Identifier: GPL-3.0-or-later
// Exercise files (".E02"): record files that name a rich-text statement, the configuration
// loaded with it, and optionally a corrected statement and configuration, with the exercise's
// difficulty, notions and title for the preview. Names inside were written on another system: a
// "\" is a folder separator and letter case may differ from the files on the disc.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QTextDocument;

namespace exercises {

inline const QString Pattern = QStringLiteral("*.E02");
inline const QString GettingStartedName = QStringLiteral("OPTIPHANE.PEM");
inline const QString Corrected = QStringLiteral("Exercice corrigé");
inline const QString NotCorrected = QStringLiteral("Non corrigé");

// The records of an exercise file, as stored.
struct ExerciseRecords {
    QString statement;              // 1
    QString configuration;          // 2, blank = none
    QString correctedStatement;     // 3, blank = none
    QString correctedConfiguration; // 4, blank = none
    QString difficulty;             // 5
    QStringList notions;            // 7 to 10
    QString title;                  // 11
};
// Reads records 1 to 11; nothing when the file cannot be read or a record is damaged.
std::optional<ExerciseRecords> readExercise(const QString& path);
// Records 1 and 2 of the getting-started file.
std::optional<ExerciseRecords> readGettingStarted(const QString& path);

// What the preview shows of an exercise.
struct Preview {
    QString status;   // Corrected or NotCorrected
    int litMarks = 0; // 0 to 3 difficulty marks lit
    QString notions;  // the non-blank notion records one after the other, as stored
    QString title;    // trimmed
};
Preview preview(const ExerciseRecords& records);

// The number a text starts with, as the old platform's Val reads it (blanks skipped, a point as
// the decimal separator, 0 when the text does not start with a number).
double leadingNumber(const QString& text);

// The file a name read from an exercise file designates in folder (which ends in "/"): "\" is
// a separator, and each part of the name finds an entry differing only in letter case when no
// entry has that exact name. Nothing when the name is blank, absolute, holds a NUL, or climbs out
// of the folder with "..".
std::optional<QString> resolveName(const QString& folder, const QString& name);

// Rich-text files into and out of a document.
enum class LoadResult { Loaded, Missing, NotRichText, TooLarge };
// A file of more than this is not read: a statement with its pictures stays far below it, and
// reading it takes at most a few seconds.
constexpr qint64 MaxRichTextBytes = 16 * 1024 * 1024;
// Says that a text is over that size, or holds more than the reader takes (rtf::read's TooLarge):
// "ce texte est trop volumineux pour être lu (plus de 16 Mo ou de 500 000 paragraphes)".
QString tooLargeMessage();
// comment, when given, receives the document information's comments ("" without).
LoadResult loadRichText(const QString& path, QTextDocument& document, QString* comment = nullptr);
// Written aside and put in place only when complete; a comment goes into the document
// information.
bool saveRichText(const QString& path, const QTextDocument& document,
                  const QString& comment = QString());

// The comment that ties a saved answer to its exercise, and the exercise it names ("" for
// another comment).
QString answerComment(const QString& exercise);
QString exerciseOfComment(const QString& comment);

} // namespace exercises
