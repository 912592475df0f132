// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/bench/materials.h"

#include "core/bench/optics.h"
#include "core/platform/numtext.h"

#include <QStringList>
#include <cmath>
#include <limits>

QStringList materialNames()
{
    QStringList names;
    for (const Material& m : MaterialCatalogue)
        names << QString::fromUtf8(m.name);
    names << OtherMaterialName;
    return names;
}

QString wavelengthLine(int wavelength)
{
    return QStringLiteral("Pour une longueur d'onde dans le vide de ") +
           QString::number(wavelength) + QStringLiteral(" nm");
}

QString indexReadout(float a, float b, int wavelength)
{
    return QStringLiteral("n = ") +
           numtext::format(optics::cauchyIndex(a, b, wavelength), QStringLiteral("##.######"));
}

float& mediumA(BenchState& state, Medium medium)
{
    return medium == Medium::Disc ? state.discA : state.outerA;
}

float& mediumB(BenchState& state, Medium medium)
{
    return medium == Medium::Disc ? state.discB : state.outerB;
}

std::int16_t& mediumListIndex(BenchState& state, Medium medium)
{
    return medium == Medium::Disc ? state.discMaterialIndex : state.outerMaterialIndex;
}

MaterialChoice chooseMaterial(BenchState& state, Medium medium, int position)
{
    if (position >= 0 && position < OtherMaterial) {
        const Material& m = MaterialCatalogue[std::size_t(position)];
        mediumA(state, medium) = m.a;
        mediumB(state, medium) = m.b;
        return MaterialChoice::Catalogue;
    }
    if (position == OtherMaterial) {
        state.customMaterialTarget = std::int16_t(medium);
        return MaterialChoice::Custom;
    }
    return MaterialChoice::Nothing;
}

std::optional<float> readCoefficient(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.count(QLatin1Char(',')) > 1 || t == QLatin1String(","))
        return std::nullopt;
    for (QChar c : t)
        if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char(','))
            return std::nullopt;
    bool ok = false;
    const double v = QString(t).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || !std::isfinite(v) || v > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return float(v);
}

CustomCoefficients checkCustomCoefficients(const QString& aText, const QString& bText)
{
    CustomCoefficients result;
    const std::optional<float> a = readCoefficient(aText);
    const std::optional<float> b =
        bText.trimmed().isEmpty() ? std::optional<float>(0.0f) : readCoefficient(bText);
    if (!a || *a < CustomAMin || *a > CustomAMax)
        result.refusal = QStringLiteral("Valeur de A en dehors des limites.");
    else if (!b || *b < CustomBMin || *b > CustomBMax)
        result.refusal = QStringLiteral("Valeur de B en dehors des limites.");
    else {
        result.a = *a;
        result.b = *b;
    }
    return result;
}

void setCustomMaterial(BenchState& state, Medium medium, float a, float b)
{
    mediumA(state, medium) = a;
    mediumB(state, medium) = b;
    mediumListIndex(state, medium) = OtherMaterial;
}
