// Gallery scenes of the table view and the controls.
#include "GalleryScene.h"

#include "platform/ui/ActivityIndicatorView.h"
#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/Label.h"
#include "platform/ui/PickerView.h"
#include "platform/ui/PickerViewDataSource.h"
#include "platform/ui/PickerViewDelegate.h"
#include "platform/ui/SearchBar.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/Slider.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TableView.h"
#include "platform/ui/TableViewCell.h"
#include "platform/ui/TextField.h"

#include <QPalette>
#include <QVariantAnimation>

namespace {
QColor grey(double v) { return QColor::fromRgbF(float(v), float(v), float(v)); }

void darkBackground(QWidget* w, QColor colour = grey(0.2))
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// A list of torrents with a download button on each row; rows can be deleted.
class TorrentRows : public QObject, public TableViewDataSource, public TableViewDelegate
{
public:
    explicit TorrentRows(QObject* parent) : QObject(parent)
    {
        for (const char* name : {"Ubuntu 24.04 Desktop amd64", "Big Buck Bunny 1080p", "Sintel (Open Movie) 4K",
                                 "Project Gutenberg Top 100 Books", "Creative Commons Music Sampler Vol 3",
                                 "Blender Tutorial Series Complete", "Tears of Steel Director's Cut",
                                 "Debian 12 DVD Images", "Elephants Dream Soundtrack FLAC", "Public Domain Comics Pack"})
            names.append(QString::fromLatin1(name));
    }

    QStringList names;

    int numberOfRowsInSection(TableView*, int) override { return int(names.size()); }
    TableViewCell* cellForRowAtIndexPath(TableView* table, const IndexPath& path) override
    {
        TableViewCell* cell = table->dequeueReusableCellWithIdentifier(QStringLiteral("TorrentCell"));
        if (!cell) {
            cell = new TableViewCell(TableViewCellStyle::Default, QStringLiteral("TorrentCell"));
            cell->setBackgroundColor(QColor::fromRgbF(0.1333f, 0.1333f, 0.1333f));
            cell->setSelectionStyle(TableViewCellSelectionStyle::Gray);
            cell->textLabel()->setFont(Fonts::fontWithName(QStringLiteral("Arial-BoldMT"), 12));
            cell->textLabel()->setTextColor(grey(0.8));
            auto* button = new Button;
            button->resize(25, 25);
            button->setImage(Bundle::imageNamed(QStringLiteral("download.png")));
            cell->setAccessoryView(button);
        }
        cell->textLabel()->setText(names.at(path.row));
        static_cast<Button*>(cell->accessoryView())->setTag(path.row);
        return cell;
    }
    double heightForRowAtIndexPath(TableView*, const IndexPath&) override { return 37; }
    bool canEditRowAtIndexPath(TableView*, const IndexPath&) override { return true; }
    void commitEditingStyle(TableView* table, TableViewCellEditingStyle, const IndexPath& path) override
    {
        names.removeAt(path.row);
        table->deleteRowsAtIndexPaths({path}, TableViewRowAnimation::Fade);
    }
};

TableView* torrentTable()
{
    auto* table = new TableView;
    auto* rows = new TorrentRows(table);
    table->setDataSource(rows);
    table->setDelegate(rows);
    table->setBackgroundColor(grey(0.2));
    table->setSeparatorStyle(TableViewCellSeparatorStyle::None);
    table->resize(320, 300);
    return table;
}

// Categories and languages in two wheels, drawn as the display settings draw them.
class Wheels : public QObject, public PickerViewDataSource, public PickerViewDelegate
{
public:
    using QObject::QObject;
    const QStringList categories{"All", "Applications", "Audio Books", "Books", "Comics", "Games", "Japanese Anime",
                                 "Miscellaneous", "Movies", "Music"};
    const QStringList languages{"All", "Arabic", "Bulgarian", "Chinese", "Croatian", "Czech", "Danish", "Dutch", "English"};

    int numberOfComponentsInPickerView(PickerView*) override { return 2; }
    int numberOfRowsInComponent(PickerView*, int c) override { return int(c == 0 ? categories.size() : languages.size()); }
    double widthForComponent(PickerView*, int c) override { return c == 0 ? 160 : 120; }
    double rowHeightForComponent(PickerView*, int) override { return 20; }
    QWidget* viewForRow(PickerView*, int row, int c, QWidget* reuse) override
    {
        auto* label = qobject_cast<Label*>(reuse);
        if (!label) {
            label = new Label;
            label->setFont(Fonts::fontWithName(QStringLiteral("Verdana"), 18));
            label->setTextColor(Qt::white);
        }
        label->resize(c == 0 ? 150 : 110, 18);
        label->setText((c == 0 ? categories : languages).at(row));
        return label;
    }
};
} // namespace

GALLERY_SCENE(QStringLiteral("table-accessories-and-delete"), [] { return static_cast<QWidget*>(torrentTable()); },
              [](QWidget* w) {
    auto* table = static_cast<TableView*>(w);
    table->reloadData();
    table->selectRowAtIndexPath(IndexPath{0, 1}, false, TableViewScrollPosition::None);
    table->showDeleteConfirmation(IndexPath{0, 3});
});

GALLERY_SCENE(QStringLiteral("table-row-fading-out"), [] { return static_cast<QWidget*>(torrentTable()); },
              [](QWidget* w) {
                  auto* table = static_cast<TableView*>(w);
                  table->reloadData();
                  table->showDeleteConfirmation(IndexPath{0, 2});
                  dynamic_cast<TorrentRows*>(table->dataSource())->commitEditingStyle(table, TableViewCellEditingStyle::Delete, IndexPath{0, 2});
                  // Held part-way: the row fades while the rows below close over it.
                  for (auto* animation : table->findChildren<QVariantAnimation*>(Qt::FindDirectChildrenOnly)) {
                      animation->pause();
                      animation->setCurrentTime(120);
                  }
              });

GALLERY_SCENE(QStringLiteral("picker"), [] {
    auto* root = new QWidget;
    root->resize(320, 216);
    darkBackground(root);
    auto* picker = new PickerView(root);
    picker->setObjectName(QStringLiteral("picker"));
    auto* wheels = new Wheels(picker);
    picker->setGeometry(0, 0, 320, 216);
    picker->setDataSource(wheels);
    picker->setDelegate(wheels);
    picker->setShowsSelectionIndicator(true);
    picker->selectRow(8, 0, false);
    picker->selectRow(3, 1, false);
    return root;
});

GALLERY_SCENE(QStringLiteral("segmented-controls"), [] {
    auto* root = new QWidget;
    root->resize(320, 150);
    darkBackground(root);
    auto addLabel = [root](const QString& text, int y) {
        auto* label = new Label(text, root);
        label->setTextColor(Qt::white);
        label->setGeometry(20, y, 300, 20);
    };
    addLabel(QStringLiteral("Order by:"), 10);
    auto* order = new SegmentedControl({QStringLiteral("Date"), QStringLiteral("Size"), QStringLiteral("Seeders"),
                                        QStringLiteral("Leechers")},
                                       root);
    order->setGeometry(20, 36, 280, 30);
    order->setSelectedSegmentIndex(1);
    addLabel(QStringLiteral("Sort:"), 76);
    auto* sort = new SegmentedControl({QStringLiteral("Desc"), QStringLiteral("Asc")}, root);
    sort->setGeometry(20, 102, 280, 30);
    sort->setSelectedSegmentIndex(0);
    return root;
});

GALLERY_SCENE(QStringLiteral("form-controls"), [] {
    auto* root = new QWidget;
    root->resize(320, 420);
    darkBackground(root);
    auto* search = new SearchBar(root);
    search->setGeometry(0, 0, 320, 45);
    search->setBarStyle(SearchBar::BarStyle::BlackTranslucent);
    search->setPlaceholder(QStringLiteral("Search torrents"));

    auto caption = [root](const QString& text, int y) {
        auto* label = new Label(text, root);
        label->setFont(Fonts::boldSystemFont(13));
        label->setTextColor(QColor(200, 214, 230));
        label->setGeometry(22, y, 276, 18);
    };
    caption(QStringLiteral("Username"), 56);
    auto* user = new TextField(root);
    user->setBorderStyle(TextField::BorderStyle::RoundedRect);
    user->setGeometry(20, 75, 280, 31);
    user->setText(QStringLiteral("sintel_fan"));
    caption(QStringLiteral("Password"), 112);
    auto* password = new TextField(root);
    password->setBorderStyle(TextField::BorderStyle::RoundedRect);
    password->setSecureTextEntry(true);
    password->setGeometry(20, 131, 280, 31);
    password->setText(QStringLiteral("secret"));
    auto* empty = new TextField(root);
    empty->setBorderStyle(TextField::BorderStyle::RoundedRect);
    empty->setPlaceholder(QStringLiteral("Letters in the picture"));
    empty->setGeometry(20, 170, 280, 31);

    auto* onLabel = new Label(QStringLiteral("Sign in at start"), root);
    onLabel->setTextColor(Qt::white);
    onLabel->setFont(Fonts::boldSystemFont(15));
    onLabel->setGeometry(22, 212, 180, 31);
    auto* on = new Switch(root);
    on->move(249, 212);
    on->setOn(true);
    auto* off = new Switch(root);
    off->move(190, 212);

    auto* slider = new Slider(root);
    slider->setGeometry(20, 252, 280, 34);
    slider->setMinimumValue(1);
    slider->setMaximumValue(20);
    slider->setValue(5);

    auto* signIn = new Button(Button::Type::RoundedRect, root);
    signIn->setTitle(QStringLiteral("Sign in"));
    signIn->setGeometry(20, 296, 130, 37);
    auto* disabled = new Button(Button::Type::RoundedRect, root);
    disabled->setTitle(QStringLiteral("Disabled"));
    disabled->setGeometry(170, 296, 130, 37);
    disabled->setEnabled(false);

    int x = 20;
    for (const char* name : {"back.png", "previous-toolbar.png", "forward-toolbar.png", "add.png"}) {
        auto* b = new Button(root);
        b->setImage(Bundle::imageNamed(QString::fromLatin1(name)));
        b->setGeometry(x, 344, 50, 47);
        x += 58;
    }
    auto* large = new ActivityIndicatorView(ActivityIndicatorView::Style::WhiteLarge, root);
    large->move(250, 349);
    large->startAnimating();
    auto* small = new ActivityIndicatorView(ActivityIndicatorView::Style::Gray, root);
    small->move(292, 395);
    small->startAnimating();
    auto* captcha = new ImageView(Bundle::imageNamed(QStringLiteral("movies.png")), root);
    captcha->setGeometry(250, 394, 24, 24);
    captcha->setCornerRadius(6);
    captcha->setClipsToBounds(true);
    return root;
});
