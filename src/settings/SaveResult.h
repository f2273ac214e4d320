#pragma once

#include <QString>

// What every write of the settings answers: whether the settings file holds the change now,
// and when it does not, why (a full disk, a folder that cannot be written), so that the
// screen that made the change can say so and show what is really stored.
class SaveResult
{
public:
    // Saved (or nothing needed saving).
    SaveResult() = default;
    static SaveResult failed(const QString& reason)
    {
        SaveResult result;
        result.m_reason = reason.isNull() ? QStringLiteral("unknown reason") : reason;
        return result;
    }
    // From SettingsStore::save(): a null text when the file was written.
    static SaveResult fromStore(const QString& error) { return error.isNull() ? SaveResult() : failed(error); }

    bool isSaved() const { return m_reason.isNull(); }
    explicit operator bool() const { return isSaved(); }
    // Null when saved.
    QString reason() const { return m_reason; }
    // What the user reads: "Could not save the settings: <reason>."; null when saved.
    QString message() const
    {
        return isSaved() ? QString() : QStringLiteral("Could not save the settings: %1.").arg(m_reason);
    }

private:
    QString m_reason;
};
