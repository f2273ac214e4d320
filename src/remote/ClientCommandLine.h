#pragma once

#include "remote/ServerInfo.h"

#include <QStringList>

#include <map>
#include <optional>

// The command line of the tools that reach the remote client: the client options (--client,
// --address, --port, --user, --password), the stores' files (--settings, --cookies), the
// tool's own options, and its words. Each option is "--name value" or "--name=value"; a flag
// takes no value. The client's name may be written in any case and becomes its class name.
class ClientCommandLine
{
public:
    ClientCommandLine(const QStringList& arguments, const QStringList& toolOptions, const QStringList& toolFlags = {});

    // Empty when the line was understood, otherwise what was wrong with it.
    QString error() const { return m_error; }
    QStringList positional() const { return m_positional; }
    std::optional<QString> option(const QString& name) const;
    bool flag(const QString& name) const { return m_flags.contains(name); }

    // Points the settings store and the cookie store at the files given, or the
    // application's own.
    void useStores() const;
    // The stored remote settings with the client options given in their place.
    ServerInfo::Settings settingsOver(const ServerInfo::Settings& stored) const;

private:
    std::map<QString, QString> m_options;
    QStringList m_flags;
    QStringList m_positional;
    QString m_error;
};
