// SPDX-License-Identifier: GPL-3.0-or-later
// The experiment: everything the user sets up and measures, as one value under the windows. The
// bench's choices (`settings`), the bench record (the lamp angle, the media's Cauchy coefficients,
// and what the redraw cycle keeps between two redraws) and the measurement table. The controls
// write it; saving, printing, the redraw and the command-line modes read it.
//
// Its revision grows with every change, the table's included: two equal revisions mean the same
// experiment, so that what was last saved or loaded can be told from what is on the bench now.
#pragma once

#include "core/state/benchsettings.h"
#include "core/state/benchstate.h"
#include "core/table/tablemodel.h"

#include <QtGlobal>

class Experiment {
public:
    BenchSettings settings;
    BenchState bench;
    TableModel table;

    quint64 revision() const { return m_changes + table.revision(); }
    // Called by whoever changed the settings or the bench record.
    void changed() { ++m_changes; }

    // The table as it was last saved or loaded: whether it holds changes since (measurements
    // that would be lost if another experiment replaced it).
    void tableSaved() { m_savedTableRevision = table.revision(); }
    bool tableUnsaved() const { return table.revision() != m_savedTableRevision; }

private:
    quint64 m_changes = 0;
    quint64 m_savedTableRevision = 0;
};
