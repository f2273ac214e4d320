#pragma once

#include "platform/ui/TableViewCell.h"
#include "remote/RemoteTorrent.h"

#include <QPointer>

class TableView;

// One torrent of the client on the Downloads screen, drawn in three lines on the rows' dark
// background: its name (with a green mark when it was sent from this app), a progress bar with
// the percentage, and its state, speeds, size and time left.
class DownloadsTorrentCell : public TableViewCell
{
    Q_OBJECT
public:
    static constexpr int kHeight = 56;

    // A cell the table hands back for reuse, or a new one.
    static DownloadsTorrentCell* dequeue(TableView* tableView);

    void setTorrent(const RemoteTorrent& torrent, bool sentFromApp);
    const RemoteTorrent& torrent() const { return m_torrent; }
    bool sentFromApp() const { return m_sentFromApp; }
    QString accessibilityLabel() const override;
    void layoutSubviews() override;

    // "Downloading", "Seeding", ... as the row shows the state.
    static QString stateText(RemoteTorrent::State state);
    // "1.5 MB", "39.1 kB", "512 B".
    static QString sizeText(qint64 bytes);
    // "2 h 5 min", "4 min", "30 s"; empty when unknown.
    static QString etaText(qint64 seconds);
    // The third line: "Downloading  ↓ 1.2 MB/s  ↑ 3.0 kB/s  39.1 kB  ETA 4 min".
    static QString detailText(const RemoteTorrent& torrent);

private:
    DownloadsTorrentCell();

    class RowView;
    QPointer<RowView> m_row;
    RemoteTorrent m_torrent;
    bool m_sentFromApp = false;
};
