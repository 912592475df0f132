// SPDX-License-Identifier: GPL-3.0-or-later
// The table's controls on a bare window of their own: the table panel at its size, the grid and
// the menus the controls build in it, the table they show. The last hint is kept.
#pragma once

#include "core/table/tablemodel.h"
#include "gui/table/tablecontrols.h"

#include <QFrame>
#include <QWidget>

class TableRig : public QWidget {
public:
    TableRig()
    {
        resize(400, 260);
        panel = new QFrame(this);
        panel->setObjectName(QStringLiteral("Frame4"));
        panel->setGeometry(8, 8, 361, 218);
        tableControls = new TableControls(panel, table, this);
        QObject::connect(tableControls, &TableControls::hintChanged, this,
                         [this](const QString& text) { m_hint = text; });
    }
    // The grid reads the table while the window's children go: the controls go first.
    ~TableRig() override { delete tableControls; }

    QString hint() const { return m_hint; }
    void setHint(const QString& text) { m_hint = text; }

    TableModel table;
    QFrame* panel = nullptr;
    TableControls* tableControls = nullptr;

private:
    QString m_hint;
};
