#pragma once

#include <QString>

// Makes a folder impossible to write in, even for root (whom permissions do not stop): the
// folder is moved aside and a regular file put in its place, so that creating or replacing
// anything under its path fails (ENOTDIR) the way a full or broken disk does. What a program
// already read from the folder stays in its memory. restore() (or the destructor) puts the
// folder back.
class BlockedFolder
{
public:
    explicit BlockedFolder(const QString& folder);
    ~BlockedFolder();
    BlockedFolder(const BlockedFolder&) = delete;
    BlockedFolder& operator=(const BlockedFolder&) = delete;

    bool isBlocked() const { return m_blocked; }
    void restore();

private:
    QString m_folder;
    QString m_aside;
    bool m_blocked = false;
};
