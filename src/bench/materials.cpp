// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/materials.h"

#include "bench/redraw.h"
#include "platform/numtext.h"

#include <QStringList>

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
    return QStringLiteral("Pour une longueur d'onde dans le vide de ") + QString::number(wavelength)
           + QStringLiteral(" nm");
}

QString indexReadout(float a, float b, int wavelength)
{
    return QStringLiteral("n = ") + numtext::format(cauchyIndex(a, b, wavelength),
                                                    QStringLiteral("##.######"));
}
