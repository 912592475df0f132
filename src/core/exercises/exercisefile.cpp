// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exercises/exercisefile.h"

#include "core/config/recordfile.h"
#include "core/exercises/rtfreader.h"
#include "core/exercises/rtfwriter.h"
#include "core/platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextDocument>

namespace exercises {

namespace {

std::optional<ExerciseRecords> readRecords(const QString& path, int count)
{
    RecordFile file(path);
    if (!file.openReadOnly())
        return std::nullopt;
    QStringList texts;
    for (int n = 1; n <= count; ++n) {
        const std::optional<QString> text = file.read(n);
        if (!text)
            return std::nullopt;
        texts << *text;
    }
    ExerciseRecords r;
    r.statement = texts.value(0);
    r.configuration = texts.value(1);
    if (count >= 11) {
        r.correctedStatement = texts.value(2);
        r.correctedConfiguration = texts.value(3);
        r.difficulty = texts.value(4);
        r.notions = texts.mid(6, 4);
        r.title = texts.value(10);
    }
    return r;
}

} // namespace

std::optional<ExerciseRecords> readExercise(const QString& path)
{
    return readRecords(path, 11);
}

std::optional<ExerciseRecords> readGettingStarted(const QString& path)
{
    return readRecords(path, 2);
}

double leadingNumber(const QString& text)
{
    // The old Val skips blanks anywhere in the number ("1 2" is 12).
    QString compact = text;
    compact.remove(QRegularExpression(QStringLiteral("[ \\t\\n\\r]")));
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eEdD][+-]?\\d+)?"));
    const QRegularExpressionMatch m = number.match(compact);
    if (!m.hasMatch())
        return 0.0;
    QString digits = m.captured(0);
    digits.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
    bool ok = false;
    const double value = digits.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

Preview preview(const ExerciseRecords& r)
{
    Preview p;
    p.status =
        r.correctedStatement.trimmed().isEmpty() && r.correctedConfiguration.trimmed().isEmpty()
            ? NotCorrected
            : Corrected;
    const double d = leadingNumber(r.difficulty);
    for (int i = 0; i < 3; ++i)
        p.litMarks += d > i;
    for (const QString& notion : r.notions)
        if (!notion.trimmed().isEmpty())
            p.notions += notion;
    p.title = r.title.trimmed();
    return p;
}

std::optional<QString> resolveName(const QString& folder, const QString& name)
{
    QString relative = name.trimmed();
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (relative.isEmpty() || relative.contains(QChar(0)) ||
        relative.startsWith(QLatin1Char('/')) ||
        (relative.size() >= 2 && relative.at(1) == QLatin1Char(':')))
        return std::nullopt;
    QString path = folder;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (int i = 0; i < parts.size(); ++i) {
        const QString& part = parts.at(i);
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String(".."))
            return std::nullopt;
        QString found = part;
        if (!files::exists(path + part)) {
            const QStringList entries = files::entries(path, files::Entries::All);
            for (const QString& entry : entries)
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    found = entry;
                    break;
                }
        }
        path += found;
        if (i + 1 < parts.size())
            path += QLatin1Char('/');
    }
    return path;
}

QString tooLargeMessage()
{
    return QStringLiteral("ce texte est trop volumineux pour être lu (plus de %1 Mo ou de 500 000 "
                          "paragraphes)")
        .arg(MaxRichTextBytes / (1024 * 1024));
}

LoadResult loadRichText(const QString& path, QTextDocument& document, QString* comment)
{
    const files::ReadResult read = files::readWhole(path, MaxRichTextBytes);
    switch (read.status) {
    case files::ReadStatus::Unreadable:
        return LoadResult::Missing;
    case files::ReadStatus::TooLarge:
        return LoadResult::TooLarge;
    case files::ReadStatus::Read:
        break;
    }
    switch (rtf::read(read.bytes, document)) {
    case rtf::ReadStatus::Read:
        if (comment)
            *comment = rtf::documentComment(read.bytes);
        return LoadResult::Loaded;
    case rtf::ReadStatus::TooLarge:
        return LoadResult::TooLarge;
    case rtf::ReadStatus::NotRtf:
        break;
    }
    return LoadResult::NotRichText;
}

bool saveRichText(const QString& path, const QTextDocument& document, const QString& comment)
{
    return files::writeWhole(path, rtf::write(document, comment));
}

namespace {
const QString AnswerPrefix = QStringLiteral("Optiphane, réponses à l'exercice : ");
} // namespace

QString answerComment(const QString& exercise)
{
    return AnswerPrefix + exercise;
}

QString exerciseOfComment(const QString& comment)
{
    return comment.startsWith(AnswerPrefix) ? comment.mid(AnswerPrefix.size()).trimmed()
                                            : QString();
}

} // namespace exercises
