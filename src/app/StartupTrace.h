#pragma once

#include <QObject>

// --trace-startup: prints, once, how long after the process started the first torrent rows
// were painted, for start-up measurements (bench/compare-browser reads the line).
class StartupTrace : public QObject
{
    Q_OBJECT
public:
    // Watches the application's paint events until the first torrent row has been painted.
    static void install();

    // Milliseconds since the process started (from the kernel's start time of the process).
    static double millisecondsSinceProcessStart();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit StartupTrace(QObject* parent);
    void report();

    bool m_seen = false;
};
