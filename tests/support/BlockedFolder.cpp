#include "BlockedFolder.h"

#include <QDir>
#include <QFile>

BlockedFolder::BlockedFolder(const QString& folder)
    : m_folder(QDir::cleanPath(folder))
    , m_aside(m_folder + QStringLiteral(".aside"))
{
    if (!QDir().rename(m_folder, m_aside))
        return;
    QFile blocker(m_folder);
    if (!blocker.open(QIODevice::WriteOnly)) {
        QDir().rename(m_aside, m_folder);
        return;
    }
    blocker.close();
    m_blocked = true;
}

BlockedFolder::~BlockedFolder()
{
    restore();
}

void BlockedFolder::restore()
{
    if (!m_blocked)
        return;
    QFile::remove(m_folder);
    QDir().rename(m_aside, m_folder);
    m_blocked = false;
}
