// SPDX-License-Identifier: GPL-3.0-or-later
// The two media of the bench follow Cauchy's dispersion law n = A + B / λ² (λ in nm in vacuum,
// B in nm²). The catalogue gives A and B for four materials; "Autre" lets the user give them.
#pragma once

#include <QString>
#include <array>

struct Material {
    const char* name; // the list text, also what a configuration file stores
    float a;
    float b;
};

// List positions 0 to 3; position 4 is "Autre", defined by the user.
inline constexpr std::array<Material, 4> MaterialCatalogue = {{
    {"Air", 1.0002747f, 0.74f},
    {"Eau", 1.3259431f, 2221.5764f},
    {"Verre Crown", 1.472363f, 11848.408f},
    {"Verre Flint", 1.5392f, 31102.07f},
}};
inline constexpr int OtherMaterial = 4;
inline const QString OtherMaterialName = QStringLiteral("Autre");

// The five list texts in their order, the same for both selectors.
QStringList materialNames();

// The read-outs under a material list at wavelength λ.
QString wavelengthLine(int wavelength); // "Pour une longueur d'onde dans le vide de 589 nm"
QString indexReadout(float a, float b, int wavelength); // "n = 1,506516"
