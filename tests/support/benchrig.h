// SPDX-License-Identifier: GPL-3.0-or-later
// The bench's controls on a bare window of their own: the bench, the four panels they fill and
// the protractor's panel, started as the program starts them (Crown glass in air, the lamp at
// 135°, on black); the protractor over the bench when asked for. The last hint is kept.
#pragma once

#include "core/config/configuration.h"
#include "core/experiment/experiment.h"
#include "core/state/module1.h"
#include "gui/bench/benchcontrols.h"
#include "gui/bench/benchview.h"
#include "gui/protractor/protractorcontrols.h"

#include <QFrame>
#include <QWidget>

class BenchRig : public QWidget {
public:
    enum class With { BenchAlone, Protractor };

    explicit BenchRig(With with = With::BenchAlone)
    {
        view = new BenchView(benchPicture, this);
        const auto panel = [this] {
            auto* frame = new QFrame(this);
            frame->hide();
            return frame;
        };
        QFrame* disc = panel();
        QFrame* outer = panel();
        QFrame* source = panel();
        QFrame* options = panel();
        protractorPanel = panel();
        bench = new BenchControls({.bench = view,
                                   .disc = disc,
                                   .outer = outer,
                                   .source = source,
                                   .options = options,
                                   .protractor = protractorPanel},
                                  experiment.settings, experiment.bench, benchPicture, this);
        QObject::connect(bench, &BenchControls::hintChanged, this,
                         [this](const QString& text) { m_hint = text; });
        QObject::connect(bench, &BenchControls::changed, this, [this] { experiment.changed(); });
        if (with == With::Protractor) {
            protractor = new ProtractorControls({.bench = view, .panel = protractorPanel},
                                                module1().protractor, benchPicture, this);
            QObject::connect(protractor, &ProtractorControls::hintChanged, this,
                             [this](const QString& text) { m_hint = text; });
        }
        bench->showStartMaterials();
        bench->startDrawing();
    }

    QString hint() const { return m_hint; }
    void setHint(const QString& text) { m_hint = text; }

    BenchPicture benchPicture;
    Experiment experiment;
    BenchView* view = nullptr;
    QFrame* protractorPanel = nullptr;
    BenchControls* bench = nullptr;
    ProtractorControls* protractor = nullptr;

private:
    QString m_hint;
};
