// SPDX-License-Identifier: GPL-3.0-or-later
// The two media of the bench follow Cauchy's dispersion law n = A + B / λ² (λ in nm in vacuum,
// B in nm²). The catalogue gives A and B for four materials; "Autre" lets the user give them.
#pragma once

#include "core/state/benchstate.h"

#include <QString>
#include <array>
#include <optional>

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

// The limits of the coefficients the user may give for "Autre".
inline constexpr float CustomAMin = 1.0f;
inline constexpr float CustomAMax = 2.0f;
inline constexpr float CustomBMin = 0.0f;
inline constexpr float CustomBMax = 40000.0f; // nm²

// The medium a material list sets: the value of `customMaterialTarget` while the custom-material
// dialog is open.
enum class Medium : std::int16_t { Outer = 1, Disc = 2 };

// What choosing a list position means for a medium.
enum class MaterialChoice {
    Catalogue, // its coefficients were set from the catalogue
    Custom,    // "Autre": the user gives them (the custom-material dialog)
    Nothing,   // no position
};
// Sets the medium's coefficients for a list position, or says that the user must give them.
MaterialChoice chooseMaterial(BenchState& state, Medium medium, int position);
// The coefficients and the list position stored for a medium.
float& mediumA(BenchState& state, Medium medium);
float& mediumB(BenchState& state, Medium medium);
std::int16_t& mediumListIndex(BenchState& state, Medium medium);

// Reads a coefficient typed with the decimal comma: digits, at most one comma. Nothing when the
// text is not such a number or does not fit in single precision.
std::optional<float> readCoefficient(const QString& text);

// The custom material's coefficients as typed, checked against the limits: the values, or the
// refusal to show ("Valeur de A en dehors des limites." is checked first). An empty B stands for 0.
struct CustomCoefficients {
    float a = 0;
    float b = 0;
    QString refusal; // empty when the values are accepted
};
CustomCoefficients checkCustomCoefficients(const QString& aText, const QString& bText);
// Stores accepted coefficients for the medium, with the list position of "Autre".
void setCustomMaterial(BenchState& state, Medium medium, float a, float b);
