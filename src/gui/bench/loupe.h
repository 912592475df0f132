// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog `LOUPE`: the user gives the Cauchy coefficients A (1 to 2) and B (0 to 40000 nm²) of
// a material that is not in the catalogue, for the medium named by `customMaterialTarget`. The
// reading and the checks are those of bench/materials.h.
#pragma once

#include "core/bench/materials.h"
#include "core/state/benchstate.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class LOUPE : public QDialog {
    Q_OBJECT
public:
    LOUPE(BenchState& state, QWidget* mainWindow);

    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* Command2 = nullptr; // "OK"
    QPushButton* Command1 = nullptr; // "Annuler"

    void Command2_Click();
    void Command1_Click();

signals:
    // "Annuler" (or Escape): the target's list goes back to its remembered position.
    void cancelled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override; // Escape: as Annuler

private:
    void Form_Load(QWidget* mainWindow);
    Medium targetMedium() const;
    BenchState& m_state;
};
