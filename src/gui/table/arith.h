// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog `arith`: fills the table's current column with an arithmetic sequence given by its
// first value, its last value and its increment. The rule itself is TableModel::fillSequence; the
// dialog reads the boxes and tells why a sequence is refused.
#pragma once

#include "core/table/tablemodel.h"

#include <QDialog>
#include <array>

class QKeyEvent;
class QLineEdit;
class QPushButton;

class arith : public QDialog {
    Q_OBJECT
public:
    arith(TableModel& table, QWidget* mainWindow);

    // The captions painted left of the boxes, by index.
    static inline const std::array<QString, 3> Captions{QStringLiteral("Première valeur:"),
                                                        QStringLiteral("Dernière valeur:"),
                                                        QStringLiteral("Incrément (raison):")};

    // The indexed group: 0 the first value, 1 the last value, 2 the increment.
    std::array<QLineEdit*, 3> Text1{};
    QPushButton* Command1 = nullptr; // "OK"
    QPushButton* Command2 = nullptr; // "Annuler"

    // A key typed into box index; true when the key is taken (replaced or discarded).
    bool Text1_KeyPress(int index, QKeyEvent* key);
    // Leaving box index: the number it holds in the free format, or nothing.
    void Text1_LostFocus(int index);
    void Command1_Click();
    void Command2_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Text1_Edited(int index);
    int boxIndex(const QObject* watched) const;
    TableModel& m_table;
};
