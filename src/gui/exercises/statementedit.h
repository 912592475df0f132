// SPDX-License-Identifier: GPL-3.0-or-later
// The rich-text box of statements: a QTextEdit that takes a pasted image as a picture of the text,
// kept with its pixels when the statement is saved.
#pragma once

#include <QTextEdit>

class StatementEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit StatementEdit(QWidget* parent = nullptr);

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    // An image (a screenshot, a figure copied from a drawing program) goes in as a PNG picture;
    // anything else as QTextEdit takes it.
    void insertFromMimeData(const QMimeData* source) override;
};
