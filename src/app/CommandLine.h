#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

// The program's command line: its options, the help that lists them with the exit statuses,
// and --version. The host options are SiteHosts' own; --device and --tablet are taken from
// the arguments before the application object exists (Application::prepare) and are only
// listed here.
class CommandLine
{
public:
    // The exit statuses of the program, as the help states them.
    enum Status {
        Success = 0,    // ended normally; also after --help and --version
        Failure = 1,    // the demo site could not be started
        UsageError = 2, // an unknown option, a missing or wrong value
    };

    CommandLine();

    // Answers --help and --version from the raw arguments before anything touches a window
    // system, so both work without a display. The exit status when one was asked for.
    static std::optional<int> answerAtOnce(int argc, char** argv);

    // Parses the application's arguments (the program's name first) and applies the host
    // options. False on an error, which error() words.
    bool parse(const QStringList& arguments);
    QString error() const { return m_error; }

    bool demo() const;
    QString demoLatency() const; // null when not given
    QString demoClient() const;
    QString demoNewEvery() const; // null when not given  // null when not given
    bool traceStartup() const;

    QString helpText() const;
    static QString versionText();

private:
    QCommandLineParser m_parser;
    QString m_error;
};
