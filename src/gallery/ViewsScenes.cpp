// Gallery scenes: the shared views, both busy overlays at once and the hand-drawn list rows
// (normal, highlighted and selected, with long names).
#include "GalleryScene.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/Label.h"
#include "site/Friend.h"
#include "site/Torrent.h"
#include "views/FriendItemTableViewCell.h"
#include "views/HeaderView.h"
#include "views/InfoView.h"
#include "views/LoadMoreItemView.h"
#include "views/LoadingIndicator.h"
#include "views/RoundedRectView.h"
#include "views/ScaleToSize.h"
#include "views/SendingTorrentIndicator.h"
#include "views/TorrentItemTableViewCell.h"
#include "views/TorrentSnatchItemTableViewCell.h"
#include "views/UIUnderlinedLabel.h"

#include <QPalette>

namespace {
constexpr int kRow = 37;

QWidget* backdrop(QSize size, QColor colour = Qt::black)
{
    auto* root = new QWidget;
    QPalette p = root->palette();
    p.setColor(QPalette::Window, colour);
    root->setPalette(p);
    root->setAutoFillBackground(true);
    root->resize(size);
    return root;
}

Torrent torrent(const QString& name, const QString& type, const QString& sub, const QString& size,
                const QString& up, const QString& down, const QString& wait = QString(), bool downloaded = false)
{
    Torrent t;
    t.setName(name);
    t.setType(type);
    t.setSubType(sub);
    t.setSize(size);
    t.setUp(up);
    t.setDown(down);
    t.setWait(wait);
    t.setIsDownloaded(downloaded);
    t.setActive(QStringLiteral("12d 4h"));
    t.setRatio(QStringLiteral("1.42"));
    return t;
}

QList<Torrent> sampleTorrents()
{
    return {
        torrent(QStringLiteral("Sintel 2010 1080p BluRay x264"), QStringLiteral("movies.png"), QStringLiteral("Movies/HD"),
                QStringLiteral("1.12 GB"), QStringLiteral("1523"), QStringLiteral("87")),
        torrent(QStringLiteral("Big Buck Bunny 60fps 4K - Official Blender Foundation Release With Extras and Commentary"),
                QStringLiteral("movies.png"), QStringLiteral("Movies/UHD and a long sub-category"),
                QStringLiteral("6.30 GB"), QStringLiteral("123456"), QStringLiteral("9876")),
        torrent(QStringLiteral("Tears of Steel OST (FLAC)"), QStringLiteral("music.png"), QStringLiteral("Music/Lossless"),
                QStringLiteral("412 MB"), QStringLiteral("34"), QStringLiteral("2"), QString(), true),
        torrent(QStringLiteral("Elephants Dream Remastered"), QStringLiteral("tv.png"), QStringLiteral("TV/Episodes"),
                QStringLiteral("702 MB"), QStringLiteral("8"), QStringLiteral("41"), QStringLiteral("24h")),
        torrent(QStringLiteral("Cosmos Laundromat - First Cycle - Highlighted row with a long name"),
                QStringLiteral("apps.png"), QStringLiteral("Apps/Linux"), QStringLiteral("2.1 GB"), QStringLiteral("97"),
                QStringLiteral("5")),
        torrent(QStringLiteral("Spring - Selected row"), QStringLiteral("books.png"), QStringLiteral("Books/Comics"),
                QStringLiteral("55 MB"), QStringLiteral("3"), QStringLiteral("0")),
    };
}

// Torrent rows stacked as the list shows them: 37 points apart, each drawing 36 of them.
void addTorrentRows(QWidget* parent, int top, int count)
{
    const QList<Torrent> rows = sampleTorrents();
    for (int i = 0; i < count; ++i) {
        const Torrent& t = rows.at(i % rows.size());
        auto* cell = new TorrentItemTableViewCell(QRect(0, top + i * kRow, parent->width(), kRow),
                                                  QStringLiteral("TorrentCell"), parent);
        cell->setSelectionStyle(TableViewCellSelectionStyle::Gray);
        cell->setTorrent(t);
        cell->setTypeImg(Bundle::imageNamed(t.type()));
        cell->setUpImg(Bundle::imageNamed(QStringLiteral("up.jpg")));
        cell->setDownImg(Bundle::imageNamed(QStringLiteral("down.jpg")));
        cell->setDownloadedImg(t.isDownloaded() ? Bundle::imageNamed(QStringLiteral("downloaded.png")) : QImage());
        auto* download = new Button(Button::Type::Custom);
        download->resize(25, 25);
        download->setImage(Bundle::imageNamed(QStringLiteral("download.png")));
        cell->setAccessoryView(download);
        if (i % rows.size() == 4)
            cell->setHighlighted(true);
        if (i % rows.size() == 5)
            cell->setSelected(true);
        cell->setNeedsDisplay();
    }
}
} // namespace

GALLERY_SCENE(QStringLiteral("views-header"), [] {
    QWidget* root = backdrop(QSize(320, 45 + 3 * kRow));
    addTorrentRows(root, 45, 3);
    auto* header = qobject_cast<HeaderView*>(InterfaceLayout::load(QStringLiteral("HeaderView")));
    header->setParent(root);
    header->setGeometry(0, 0, 320, HeaderView::kHeight);
    header->usernameLbl()->setTitle(QStringLiteral("sintel_fan"));
    header->ratioLbl()->setText(QStringLiteral("1.742"));
    header->upLbl()->setText(QStringLiteral("48.2 GB"));
    header->downLbl()->setText(QStringLiteral("27.7 GB"));
    header->settingsBtn()->show();
    header->searchBtn()->show();
    return root;
});

GALLERY_SCENE(QStringLiteral("views-loadmore"), [] {
    QWidget* root = backdrop(QSize(320, 2 * kRow + 36));
    addTorrentRows(root, 0, 2);
    auto* more = qobject_cast<LoadMoreItemView*>(InterfaceLayout::load(QStringLiteral("LoadMoreItem")));
    more->setParent(root);
    more->setGeometry(0, 2 * kRow, 320, 36);
    more->pageLbl()->setText(QStringLiteral("[50-100]"));
    return root;
});

GALLERY_SCENE(QStringLiteral("views-infoview"), [] {
    auto* info = new InfoView;
    info->resize(320, 480);
    info->updateVersion();
    return static_cast<QWidget*>(info);
});

GALLERY_SCENE(QStringLiteral("views-rounded-underlined"), [] {
    QWidget* root = backdrop(QSize(320, 120), QColor(60, 60, 60));
    auto* capsule = new RoundedRectView(QRect(20, 20, 40, 20), root);
    capsule->setRectColor(QColor(200, 60, 60));
    auto* box = new RoundedRectView(QRect(80, 10, 200, 50), root);
    box->setRectColor(Qt::gray);
    box->setCornerRadius(8);
    box->setBackgroundColor(Qt::green);  // ignored: the corners stay clear
    auto* link = new UIUnderlinedLabel(root);
    link->setGeometry(20, 75, 200, 30);
    link->setTitle(QStringLiteral("Underlined title"));
    link->setTitleColor(Qt::white);
    link->setTitleFont(QFont(QStringLiteral("Liberation Sans"), 15));
    return root;
});

GALLERY_SCENE(
    QStringLiteral("views-overlays"),
    [] {
        QWidget* root = backdrop(QSize(320, 480));
        addTorrentRows(root, 0, 12);
        return root;
    },
    [](QWidget* root) {
        LoadingIndicator* loading = LoadingIndicator::sharedInstance();
        loading->setParentView(root);
        loading->setString(QStringLiteral("Loading..."));
        loading->setOffset(0);
        loading->showLoadingIndicators();
        LoadingIndicator* sending = SendingTorrentIndicator::sharedInstance();
        sending->setParentView(root);
        sending->setString(QStringLiteral("Sending 2 torrents to server"));
        sending->setOffset(50);
        sending->showLoadingIndicators();
    });

GALLERY_SCENE(QStringLiteral("views-torrent-rows"), [] {
    QWidget* root = backdrop(QSize(320, 6 * kRow));
    addTorrentRows(root, 0, 6);
    return root;
});

GALLERY_SCENE(QStringLiteral("views-snatch-rows"), [] {
    QWidget* root = backdrop(QSize(320, 4 * kRow));
    const QList<Torrent> rows = sampleTorrents();
    for (int i = 0; i < 4; ++i) {
        auto* cell = new TorrentSnatchItemTableViewCell(QRect(0, i * kRow, 320, kRow), QStringLiteral("TorrentCell"), root);
        cell->setSelectionStyle(TableViewCellSelectionStyle::Gray);
        cell->setTorrent(rows.at(i == 3 ? 1 : i));
        cell->setUpImg(Bundle::imageNamed(QStringLiteral("up.jpg")));
        cell->setDownImg(Bundle::imageNamed(QStringLiteral("down.jpg")));
        cell->setHighlighted(i == 3);
        cell->setNeedsDisplay();
    }
    return root;
});

GALLERY_SCENE(QStringLiteral("views-friend-rows"), [] {
    QWidget* root = backdrop(QSize(320, 4 * kRow));
    const QStringList names{QStringLiteral("orange_cat"), QStringLiteral("a_friend_with_a_remarkably_long_user_name_indeed"),
                            QStringLiteral("seeder42"), QStringLiteral("highlighted_friend")};
    const QStringList pictures{QStringLiteral("pictures.png"), QStringLiteral("comics.png"), QString(),
                               QStringLiteral("anime.png")};
    for (int i = 0; i < 4; ++i) {
        Friend f;
        f.setName(names.at(i));
        f.setType(i == 1 ? QStringLiteral("(Power User)") : QStringLiteral("(User)"));
        f.setDate(QStringLiteral("Last seen 2 hours ago"));
        auto* cell = new FriendItemTableViewCell(QRect(0, i * kRow, 320, kRow), QStringLiteral("FriendCell"), root);
        cell->setSelectionStyle(TableViewCellSelectionStyle::Gray);
        cell->setFriend(f);
        // Avatars arrive as pictures of any size and are scaled to 48 x 36 for the rows.
        if (!pictures.at(i).isEmpty())
            cell->setAvatarImg(scaleToSize(Bundle::imageNamed(pictures.at(i)), QSizeF(48, 36)));
        cell->setHighlighted(i == 3);
        cell->setNeedsDisplay();
    }
    return root;
});
