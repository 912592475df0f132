// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calc/calculcommand.h"

#include "core/calc/calculator.h"
#include "core/expr/engine.h"

#include <QFile>
#include <QTextStream>

#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString UnreadableInput =
    QStringLiteral("optiphane --calcul : impossible de lire l'entrée standard.");
const QString UnwritableOutput =
    QStringLiteral("optiphane --calcul : Ecriture impossible sur la sortie standard");

struct CalculRequest {
    QString expression;
    bool fromInput = false;
    bool radians = false;
    bool scientific = false;
};

// Reads the arguments; on failure writes the reason on err and returns nothing.
std::optional<CalculRequest> parseArguments(const QStringList& arguments, QTextStream& err)
{
    CalculRequest request;
    bool haveExpression = false;
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--radians")) {
            request.radians = true;
        } else if (argument == QLatin1String("--scientifique")) {
            request.scientific = true;
        } else if (argument.startsWith(QLatin1String("--"))) {
            err << QStringLiteral("optiphane --calcul : option inconnue « %1 ».").arg(argument)
                << Qt::endl;
            return std::nullopt;
        } else if (haveExpression) {
            err << QStringLiteral("optiphane --calcul : une seule expression est attendue "
                                  "(mettez-la entre guillemets).")
                << Qt::endl;
            return std::nullopt;
        } else {
            haveExpression = true;
            request.fromInput = argument == QLatin1String("-");
            request.expression = argument;
        }
    }
    if (!haveExpression) {
        err << QStringLiteral("optiphane --calcul : expression manquante. Usage : optiphane "
                              "--calcul \"EXPRESSION\" [--radians] [--scientifique]")
            << Qt::endl;
        return std::nullopt;
    }
    return request;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A French pupil writes "1,5": a comma between two digits is the decimal point. Any other comma
// is left to the engine.
QString withDecimalPoints(QString expression)
{
    for (qsizetype i = 1; i + 1 < expression.size(); ++i)
        if (expression[i] == u',' && isAsciiDigit(expression[i - 1]) &&
            isAsciiDigit(expression[i + 1]))
            expression[i] = u'.';
    return expression;
}

// The expression as the calculator's entry, then EXE: what the display shows.
QString evaluate(calc::Calculator& calculator, const CalculRequest& request, const QString& text)
{
    const QString expression = withDecimalPoints(text);
    calculator.entryText = expression;
    calculator.display = expression;
    calculator.execute(request.radians ? expr::Radians : expr::Degrees, request.scientific);
    return calculator.display;
}

int run(const CalculRequest& request, QTextStream* in, QTextStream& out, QTextStream& err)
{
    calc::Calculator calculator; // the window's registers, without the window

    const auto outputLost = [&out, &err] {
        out.flush();
        if (out.status() == QTextStream::Ok)
            return false;
        err << UnwritableOutput << Qt::endl;
        return true;
    };
    if (!request.fromInput) {
        out << evaluate(calculator, request, request.expression) << '\n';
        if (outputLost())
            return 2;
        return calculator.calcError == calc::CalcError::None ? 0 : 1;
    }

    // A line is read up to one character beyond the bound: a longer one is refused, the lines
    // before it are answered.
    QString line;
    while (in->readLineInto(&line, calc::MaxInputLine + 1)) {
        if (line.size() > calc::MaxInputLine) {
            out.flush();
            err << QStringLiteral("optiphane --calcul : ligne trop longue (plus de %1 "
                                  "caractères) sur l'entrée standard.")
                       .arg(calc::MaxInputLine)
                << Qt::endl;
            return 2;
        }
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        out << evaluate(calculator, request, line) << '\n';
        if (out.status() != QTextStream::Ok)
            break;
    }
    if (outputLost())
        return 2;
    if (in->status() != QTextStream::Ok) {
        err << UnreadableInput << Qt::endl;
        return 2;
    }
    return 0;
}

} // namespace

int runCalculCommand(const QStringList& arguments, QTextStream& in, QTextStream& out,
                     QTextStream& err)
{
    const std::optional<CalculRequest> request = parseArguments(arguments, err);
    if (!request)
        return 2;
    return run(*request, &in, out, err);
}

int runCalculCommand(const QStringList& arguments, bool inputOpen, QTextStream& out,
                     QTextStream& err)
{
    const std::optional<CalculRequest> request = parseArguments(arguments, err);
    if (!request)
        return 2;
    if (!request->fromInput)
        return run(*request, nullptr, out, err);
    struct stat info {};
    QFile input;
    if (!inputOpen || ::fstat(STDIN_FILENO, &info) != 0 || S_ISDIR(info.st_mode) ||
        !input.open(STDIN_FILENO, QIODevice::ReadOnly | QIODevice::Text)) {
        err << UnreadableInput << Qt::endl;
        return 2;
    }
    QTextStream in(&input);
    in.setEncoding(QStringConverter::Utf8);
    in.setAutoDetectUnicode(false);
    const int status = run(*request, &in, out, err);
    if (status == 0 && input.error() != QFileDevice::NoError) {
        err << UnreadableInput << Qt::endl;
        return 2;
    }
    return status;
}
