// SPDX-License-Identifier: GPL-3.0-or-later
// The bench's controls on the main window and what they do: the material selectors (with the
// custom-material dialog for "Autre"), the light source and the display options, the wavelength
// scroll bar, and the lamp, dragged with the mouse or turned with the arrow keys. Each handler asks
// for its redraws in a fixed order; a control changed from code runs its own handler too.
//
// The main window hands over the bench and the empty panels; this class builds the panels'
// controls, connects them, writes what the user chooses into the bench settings and the bench
// record (saying so with `changed`), and holds what the handlers need between two events (the
// drag's last step). The redraw reads the settings, never the controls.
#pragma once

#include "core/bench/materials.h"
#include "core/bench/redraw.h"
#include "core/config/configuration.h"

#include <QObject>
#include <QPointF>
#include <QString>
#include <cstdint>

class BenchView;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QRadioButton;
class QScrollBar;
class QTimer;
class QWidget;

// Where the bench's controls go: the bench itself and the panels the main window made for them.
struct BenchPanels {
    BenchView* bench = nullptr;
    QFrame* disc = nullptr;       // "Le demi-disque"
    QFrame* outer = nullptr;      // "Milieu extérieur"
    QFrame* source = nullptr;     // "Source lumineuse"
    QFrame* options = nullptr;    // " Options affichage"
    QFrame* protractor = nullptr; // the protractor's panel: the redraw refreshes it when shown
};

// The controls built in those panels, under their historical names.
struct BenchWidgets {
    BenchView* dessin = nullptr;
    QComboBox* Combo1 = nullptr;       // half-disc material
    QComboBox* Combo2 = nullptr;       // outer medium
    QLabel* Label20 = nullptr;         // wavelength line, half-disc
    QLabel* Label4 = nullptr;          // index read-out, half-disc
    QLabel* Label14 = nullptr;         // wavelength line, outer medium
    QLabel* Label16 = nullptr;         // index read-out, outer medium
    QRadioButton* Option1 = nullptr;   // "Monochromatique"
    QRadioButton* Option5 = nullptr;   // five radiations
    QRadioButton* Option2 = nullptr;   // white light
    QScrollBar* HScroll1 = nullptr;    // wavelength, nm
    QLabel* Label6 = nullptr;          // "λ ="
    QLabel* Label7 = nullptr;          // the wavelength
    QLabel* Label8 = nullptr;          // "nm"
    QLabel* Image1 = nullptr;          // the spectrum strip behind the scroll bar
    QGroupBox* optionsGroup = nullptr; // the frame's caption "Options" over its controls
    QFrame* elementFrame = nullptr;    // groups Option6 and Option7
    QRadioButton* Option3 = nullptr;   // "Fond noir"
    QRadioButton* Option4 = nullptr;   // "Fond blanc"
    QRadioButton* Option6 = nullptr;   // "Demi-disque"
    QRadioButton* Option7 = nullptr;   // "Miroir"
    QCheckBox* Check3 = nullptr;       // "Réflexion partielle"
    QCheckBox* propa = nullptr;        // "Sens de propagation"
    QFrame* Picture2 = nullptr;        // the protractor's panel
    QTimer* Timer1 = nullptr;          // deferred white-light redraw, one shot, 1500 ms
};

class BenchControls : public QObject {
    Q_OBJECT
public:
    // window: the main window, parent of the custom-material dialog; its font is the controls'.
    BenchControls(const BenchPanels& panels, BenchSettings& settings, BenchState& state,
                  BenchPicture& picture, QWidget* window);

    const BenchWidgets& widgets() const { return m_w; }

    // Start-up: the catalogue in both lists, Crown glass in air; then the first drawing on black.
    void showStartMaterials();
    void startDrawing();
    // A configuration read from a file, shown through the same handlers as the user's choices
    // (a catalogue material takes the catalogue's coefficients, "Autre" keeps the file's).
    void applyConfiguration(const Configuration& configuration);

    // What the redraw draws: the settings, and whether the protractor's panel is shown.
    BenchOptions benchOptions() const;
    // The redraw cycle on the bench picture (bench/redraw.h).
    void redrawBench();
    // Draws the bench at the screen's pixel ratio k from now on (sharp at 150 or 200 %): the
    // picture holds k times as many pixels, everything else stays in 1× pixels.
    void matchScreen(double ratio);
    // The bench's accessible description, "Lampe, angle 135,0°", announced when it changes.
    void describeLamp();
    void redrawWhiteLight();

    // Material selectors: coefficients from the catalogue (or the custom-material dialog for
    // "Autre"), read-outs, redraw.
    void Combo1_Click();
    void Combo2_Click();
    void Combo1_GotFocus();
    void Combo2_GotFocus();
    // Sets a material list's position from code; its handler runs when the position changes.
    void setListPosition(QComboBox* list, int position);
    // The read-outs of both media at the scroll bar's wavelength.
    void updateIndexReadouts();

    // Light source and display options.
    void HScroll1_Change(); // an arrow, the track, or the end of a thumb drag
    void HScroll1_Scroll(); // each step while the thumb is dragged
    void Option1_Click();   // "Monochromatique"
    void Option5_Click();   // five radiations
    void Option2_Click();   // white light
    void Option3_Click();   // "Fond noir"
    void Option4_Click();   // "Fond blanc"
    void Option6_Click();   // "Demi-disque"
    void Option7_Click();   // "Miroir"
    void Check3_Click();    // "Réflexion partielle"
    void propa_Click();     // "Sens de propagation"

    // The lamp, dragged with the left button (positions in drawing pixels) or turned with the
    // arrow keys while the bench has the focus.
    void lampe_MouseDown(Qt::MouseButtons buttons, QPointF pos);
    void lampe_MouseMove(Qt::MouseButtons buttons, QPointF pos);
    void lampe_MouseUp();
    void lampe_KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void lampe_KeyUp(bool autoRepeat);

signals:
    // A setting or the bench record changed (a choice, the wavelength, the lamp).
    void changed();
    // The hint bar's text for what the pointer or the focus is on.
    void hintChanged(const QString& text);

public:
    static inline const QString LampHint = QStringLiteral(
        "Pour déplacer la source lumineuse, utiliser la souris en maintenant le bouton gauche "
        "enfoncé");

private:
    void buildMaterialPanels(QFrame* disc, QFrame* outer);
    void buildSourcePanel(QFrame* source);
    void buildOptionsPanel(QFrame* options);
    void connectControls();
    void selectMaterial(QComboBox* list, Medium medium, QLabel* wavelengthLine, QLabel* readout);
    void updateIndexReadout(QLabel* wavelengthLine, QLabel* readout, float a, float b);
    void redrawForOption();           // redrawBench, then white light when it is selected
    void chooseSource(Source source); // Option1 and Option5
    void takeWavelength();
    void dragStep(QPointF pos);

    BenchWidgets m_w;
    BenchSettings& m_settings;
    BenchState& m_state;
    BenchPicture& m_picture;
    QWidget* m_window;
    // Pointer offsets from the centre at the last acted-on drag step.
    std::int16_t m_lastLampDx = 0, m_lastLampDy = 0;
};
