// SPDX-License-Identifier: GPL-3.0-or-later
// The main window and its configuration files: what is saved is read from the experiment at that
// moment, and a file read is applied through the same handlers as the user's own choices.
#include "gui/app/prisme.h"

#include "core/app/experimentsetup.h"
#include "core/state/module1.h"
#include "gui/bench/benchcontrols.h"
#include "gui/bench/benchview.h"
#include "gui/config/configdialogs.h"
#include "gui/exercises/exercisecontrols.h"
#include "gui/platform/dialogs.h"
#include "gui/table/tablecontrols.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace {

const QString WriteFailed = QStringLiteral("Ecriture impossible sur disque");
using experimentsetup::NotOurs;
using experimentsetup::ReadFailed;

} // namespace

Configuration Prisme::currentConfiguration()
{
    tableControls->settleCurrentCell();
    return config::fromExperiment(experiment);
}

bool Prisme::writeConfiguration(const QString& path)
{
    if (!config::writeFile(path, currentConfiguration()))
        return false;
    experiment.tableSaved();
    setWindowTitle(QStringLiteral("Optiphane - ") + path);
    return true;
}

bool Prisme::saveConfiguration(const QString& path)
{
    if (writeConfiguration(path))
        return true;
    dialogs::msgBox(WriteFailed, dialogs::Buttons::Ok, dialogs::Icon::Stop,
                    QStringLiteral("Enregistrement impossible"), this);
    return false;
}

std::optional<QString> Prisme::openConfiguration(const QString& path)
{
    const experimentsetup::ReadOutcome read = experimentsetup::read(path);
    if (!read.configuration)
        return read.error;
    applyConfiguration(*read.configuration);
    experiment.tableSaved();
    setWindowTitle(QStringLiteral("Optiphane - ") + path);
    return std::nullopt;
}

void Prisme::loadConfiguration(const QString& path)
{
    module1().currentConfigPath = path;
    const std::optional<QString> error = openConfiguration(path);
    if (!error)
        return;
    if (*error == NotOurs)
        dialogs::msgBox(NotOurs, dialogs::Buttons::Ok, dialogs::Icon::Stop,
                        QStringLiteral("Fichier non valide"), this);
    else
        dialogs::msgBox(ReadFailed, dialogs::Buttons::Ok, dialogs::Icon::Stop,
                        QStringLiteral("Erreur lors du chargement du fichier"), this);
}

void Prisme::applyConfiguration(const Configuration& c)
{
    benchPicture.hidden = true;
    dessin->update();

    bench->applyConfiguration(c);

    c.giveTable(table);
    table.reformatTable();
    bench->redrawBench();
    bench->redrawWhiteLight();
    benchPicture.hidden = false;
    dessin->update();
}

void Prisme::Command11_Click()
{
    enregistrer dialog(this);
    connect(&dialog, &enregistrer::saveRequested, this, [this, &dialog](const QString& path) {
        if (saveConfiguration(path))
            dialog.accept();
    });
    dialog.exec();
}

void Prisme::Command2_Click()
{
    if (!exercisesMenu->confirmDropMeasurements())
        return;
    ouvrir dialog(this);
    connect(&dialog, &ouvrir::configurationRequested, this, &Prisme::loadConfiguration);
    dialog.exec();
}
