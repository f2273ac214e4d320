#pragma once

#include <QString>

// One torrent as a list shows it. Every text is absent (null) until set.
class Torrent
{
public:
    QString name() const { return m_name; }
    void setName(const QString& value) { m_name = value; }
    // Site-relative link of the details page.
    QString detailsUrl() const { return m_detailsUrl; }
    void setDetailsUrl(const QString& value) { m_detailsUrl = value; }
    // Site-relative link of the .torrent file, percent-escaped.
    QString downloadUrl() const { return m_downloadUrl; }
    void setDownloadUrl(const QString& value) { m_downloadUrl = value; }
    // The application's category picture name ("...png").
    QString type() const { return m_type; }
    void setType(const QString& value) { m_type = value; }
    QString subType() const { return m_subType; }
    void setSubType(const QString& value) { m_subType = value; }
    QString size() const { return m_size; }
    void setSize(const QString& value) { m_size = value; }
    QString up() const { return m_up; }
    void setUp(const QString& value) { m_up = value; }
    QString down() const { return m_down; }
    void setDown(const QString& value) { m_down = value; }
    QString ratio() const { return m_ratio; }
    void setRatio(const QString& value) { m_ratio = value; }
    QString active() const { return m_active; }
    void setActive(const QString& value) { m_active = value; }
    QString wait() const { return m_wait; }
    void setWait(const QString& value) { m_wait = value; }
    QString date() const { return m_date; }
    void setDate(const QString& value) { m_date = value; }
    bool isNew() const { return m_isNew; }
    void setIsNew(bool value) { m_isNew = value; }
    // The stored list (SettingsStore) of the names handed to the remote client, oldest
    // first: the download history, which the settings layer keeps under this key.
    static constexpr char kDownloadHistoryKey[] = "iTarnvale_torrentHistory";

    // The name is in the download history.
    bool isDownloaded() const { return m_isDownloaded; }
    void setIsDownloaded(bool value) { m_isDownloaded = value; }

    bool operator==(const Torrent& other) const = default;

private:
    QString m_name;
    QString m_detailsUrl;
    QString m_downloadUrl;
    QString m_type;
    QString m_subType;
    QString m_size;
    QString m_up;
    QString m_down;
    QString m_ratio;
    QString m_active;
    QString m_wait;
    QString m_date;
    bool m_isNew = false;
    bool m_isDownloaded = false;
};
