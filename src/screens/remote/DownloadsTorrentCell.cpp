#include "screens/remote/DownloadsTorrentCell.h"

#include "platform/ui/Device.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/TableView.h"

#include <QPainter>

#include <cmath>

namespace {
const QString kIdentifier = QStringLiteral("RemoteTorrent");
const QColor kRowBackground(34, 34, 34);
const QColor kText(204, 204, 204);
const QColor kDetail(160, 160, 160);
const QColor kSentMark(90, 200, 90);
const QColor kBarTrack(70, 70, 70);
constexpr int kInset = 8;
} // namespace

// Draws the row in one pass: a list of hundreds of torrents refreshed every two seconds makes
// no labels.
class DownloadsTorrentCell::RowView : public QWidget
{
public:
    RowView(DownloadsTorrentCell* cell, QWidget* parent)
        : QWidget(parent)
        , m_cell(cell)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        static const QFont nameFont = Fonts::fontWithName(QStringLiteral("Arial-BoldMT"), 12);
        static const QFont smallFont = Fonts::fontWithName(QStringLiteral("Arial"), 10);
        const RemoteTorrent& torrent = m_cell->torrent();
        QPainter painter(this);
        painter.fillRect(rect(), kRowBackground);
        const int width = this->width();
        int left = kInset;
        if (m_cell->sentFromApp()) {
            painter.fillRect(QRect(0, 0, 4, height()), kSentMark);
            left += 2;
        }
        painter.setFont(nameFont);
        painter.setPen(kText);
        const QRect nameBox(left, 3, width - left - kInset, 16);
        painter.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(torrent.name, Qt::ElideMiddle, nameBox.width()));

        painter.setFont(smallFont);
        const QString percent = QStringLiteral("%1%").arg(std::floor(torrent.progress * 1000) / 10, 0, 'f', 1);
        const int percentWidth = painter.fontMetrics().horizontalAdvance(QStringLiteral("100.0%")) + 4;
        const QRect bar(left, 25, width - left - kInset - percentWidth, 6);
        painter.fillRect(bar, kBarTrack);
        const QColor fill = torrent.state == RemoteTorrent::State::Paused ? QColor(140, 140, 140)
            : torrent.state == RemoteTorrent::State::Error                ? QColor(210, 70, 60)
            : torrent.state == RemoteTorrent::State::Seeding              ? kSentMark
                                                                           : QColor(70, 140, 230);
        painter.fillRect(QRect(bar.left(), bar.top(), int(bar.width() * torrent.progress), bar.height()), fill);
        painter.drawText(QRect(bar.right() + 4, 20, percentWidth, 16), Qt::AlignRight | Qt::AlignVCenter, percent);

        painter.setPen(kDetail);
        const QRect detailBox(left, 36, width - left - kInset, 16);
        painter.drawText(detailBox, Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(detailText(torrent), Qt::ElideRight, detailBox.width()));
    }

private:
    DownloadsTorrentCell* m_cell;
};

DownloadsTorrentCell::DownloadsTorrentCell()
    : TableViewCell(TableViewCellStyle::Default, kIdentifier)
{
    setAccessoryType(TableViewCellAccessoryType::None);
    setBackgroundColor(kRowBackground);
    InterfaceLayout::setBackgroundColor(contentView(), kRowBackground);
    setSelectionStyle(TableViewCellSelectionStyle::Gray);
    m_row = new RowView(this, contentView());
    m_row->setGeometry(0, 0, Device::screenBounds().width(), kHeight);
}

DownloadsTorrentCell* DownloadsTorrentCell::dequeue(TableView* tableView)
{
    if (auto* cell = qobject_cast<DownloadsTorrentCell*>(tableView->dequeueReusableCellWithIdentifier(kIdentifier)))
        return cell;
    return new DownloadsTorrentCell;
}

void DownloadsTorrentCell::setTorrent(const RemoteTorrent& torrent, bool sentFromApp)
{
    m_torrent = torrent;
    m_sentFromApp = sentFromApp;
    m_row->update();
}

void DownloadsTorrentCell::layoutSubviews()
{
    TableViewCell::layoutSubviews();
    if (m_row) // the base lays out before the row view is made
        m_row->setGeometry(0, 0, contentView()->width(), kHeight);
}

QString DownloadsTorrentCell::accessibilityLabel() const
{
    return m_torrent.name + QStringLiteral(", ") + detailText(m_torrent);
}

QString DownloadsTorrentCell::stateText(RemoteTorrent::State state)
{
    const QString name = RemoteTorrent::stateName(state);
    return name.isEmpty() ? name : name.left(1).toUpper() + name.mid(1);
}

QString DownloadsTorrentCell::sizeText(qint64 bytes)
{
    if (bytes < 1000)
        return QStringLiteral("%1 B").arg(qMax<qint64>(bytes, 0));
    const char* units[] = {"kB", "MB", "GB", "TB"};
    double value = double(bytes);
    int unit = -1;
    while (value >= 1000 && unit < 3) {
        value /= 1000;
        ++unit;
    }
    return QStringLiteral("%1 %2").arg(value, 0, 'f', 1).arg(QLatin1String(units[unit]));
}

QString DownloadsTorrentCell::etaText(qint64 seconds)
{
    if (seconds < 0)
        return QString();
    if (seconds < 60)
        return QStringLiteral("%1 s").arg(seconds);
    if (seconds < 3600)
        return QStringLiteral("%1 min").arg(seconds / 60);
    if (seconds < 86400)
        return QStringLiteral("%1 h %2 min").arg(seconds / 3600).arg(seconds % 3600 / 60);
    return QStringLiteral("%1 d %2 h").arg(seconds / 86400).arg(seconds % 86400 / 3600);
}

QString DownloadsTorrentCell::detailText(const RemoteTorrent& torrent)
{
    QString text = stateText(torrent.state) + QStringLiteral("  \u2193 ") + sizeText(torrent.down)
        + QStringLiteral("/s  \u2191 ") + sizeText(torrent.up) + QStringLiteral("/s  ") + sizeText(torrent.size);
    const QString eta = etaText(torrent.eta);
    if (!eta.isEmpty() && torrent.progress < 1)
        text += QStringLiteral("  ETA ") + eta;
    return text;
}
