#pragma once

#include "remote/AlertPresenter.h"

#include <QList>
#include <QMutex>
#include <QString>

// An alert presenter for tests: keeps every alert's texts and whether it was shown on the
// main thread. Registers itself while it lives.
class RecordingAlertPresenter : public AlertPresenter
{
public:
    struct Alert
    {
        QString title;
        QString message;
        QString button;
        bool onMainThread = false;

        bool operator==(const Alert&) const = default;
    };

    RecordingAlertPresenter();
    ~RecordingAlertPresenter() override;

    void showAlert(const QString& title, const QString& message, const QString& button) override;

    QList<Alert> alerts() const;
    void clear();

private:
    mutable QMutex m_lock;
    QList<Alert> m_alerts;
};
