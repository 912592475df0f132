// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exercises/startuptext.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>

std::unique_ptr<QTextDocument> startupText()
{
    // Fragments of the welcome text and whether each is blue; the first is the title.
    static const struct {
        const char* text;
        bool blue;
    } fragments[] = {
        {"Optiphane\n", true},
        {"\nCette application permet d'étudier les lois de la réflexion et de ", false},
        {"la réfraction de la lumière.\n\nPour ", false},
        {"modifier l'angle d'incidence ", true},
        {"du rayon, utiliser", false},
        {" la souris ", true},
        {"directement sur la figure. \n\n", false},
        {"Tous les paramètres sont modifiables et la figure obtenue peut être imprimée ou "
         "placée dans le presse-papiers ",
         true},
        {"pour la coller dans une autre application.\n\nVous pouvez obtenir l'énoncé d'un "
         "exercice dans cette fenêtre en cliquant sur l'onglet ",
         false},
        {"Exercices.\n\n", true},
        {"Pour vous familiariser avec ce simulateur, choisissez d'abord l'activité ", false},
        {"Prise en main ", true},
        {"dans le menu Exercices.", false},
    };
    const QColor blue(0, 0, 200);

    auto document = std::make_unique<QTextDocument>();
    QTextCursor cursor(document.get());
    QTextCharFormat plain;
    plain.setFontFamilies({QStringLiteral("Arial")});
    plain.setFontPointSize(10);
    plain.setForeground(Qt::black);
    bool first = true;
    for (const auto& f : fragments) {
        QTextCharFormat format = plain;
        if (f.blue)
            format.setForeground(blue);
        if (first)
            format.setFontPointSize(18);
        const QStringList lines = QString::fromUtf8(f.text).split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) {
                cursor.insertBlock(QTextBlockFormat(), plain);
                first = false;
            }
            if (!lines[i].isEmpty())
                cursor.insertText(lines[i], format);
        }
    }
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QTextCursor c(block);
        QTextBlockFormat format;
        const bool title = block == document->begin();
        format.setAlignment(title ? Qt::AlignHCenter : Qt::AlignLeft);
        format.setLeftMargin(title ? 0 : 20);
        c.setBlockFormat(format);
    }
    return document;
}
