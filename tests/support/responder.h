// SPDX-License-Identifier: GPL-3.0-or-later
// A dialog responder for tests: records every message, question and beep, and answers from a
// queue (OK when the queue is empty).
#pragma once

#include "gui/platform/dialogs.h"

#include <QList>

struct RecordingResponder {
    QList<dialogs::Request> requests;
    QList<dialogs::Reply> answers;

    RecordingResponder()
    {
        dialogs::setResponder([this](const dialogs::Request& q) {
            requests << q;
            return answers.isEmpty() ? dialogs::Reply{} : answers.takeFirst();
        });
    }
    ~RecordingResponder() { dialogs::setResponder({}); }
    RecordingResponder(const RecordingResponder&) = delete;
    RecordingResponder& operator=(const RecordingResponder&) = delete;

    QStringList messages() const
    {
        QStringList out;
        for (const auto& q : requests)
            if (q.kind == dialogs::Request::Kind::Message)
                out << q.text;
        return out;
    }
    int beeps() const
    {
        int n = 0;
        for (const auto& q : requests)
            n += q.kind == dialogs::Request::Kind::Beep;
        return n;
    }
};
