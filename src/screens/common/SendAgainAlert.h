#pragma once

#include "platform/ui/AlertViewDelegate.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

// The question before a torrent that is in the download history is sent once more: "Already
// sent on DATE. Send again?" over the torrent's name, with "Cancel" and "Send again". The
// answer goes to a function once, and never after `context` is gone.
class SendAgainAlert : public QObject, public AlertViewDelegate
{
    Q_OBJECT
public:
    static constexpr int kSendAgainIndex = 1;

    // "Already sent on 2026-12-03 14:05. Send again?" in local time; without the date when
    // it is not known (sent by an earlier version).
    static QString question(const QDateTime& sent);
    // Shows the question; `answered(true)` when the user chose to send again.
    static void ask(const QString& name, const QDateTime& sent, QObject* context,
                    std::function<void(bool)> answered);

    void clickedButtonAtIndex(AlertView* alertView, int index) override;

private:
    SendAgainAlert(QObject* context, std::function<void(bool)> answered);

    std::function<void(bool)> m_answered;
};
