#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

// The entry of a screen in a tab bar: title, picture, tag and whether it can be chosen.
// The picture is used as a mask (its alpha), tinted grey or with the selection colour,
// as tab bars draw them.
class TabBarItem : public QObject
{
    Q_OBJECT

public:
    // The platform's own items, with their own titles and pictures.
    enum class SystemItem { None, Favorites, Search, More };

    explicit TabBarItem(const QString& title = {}, const QImage& image = {}, int tag = 0,
                        QObject* parent = nullptr);
    TabBarItem(SystemItem systemItem, int tag, QObject* parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString& title);
    QImage image() const { return m_image; }
    void setImage(const QImage& image);
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    SystemItem systemItem() const { return m_systemItem; }

    // The built-in picture of a system item (drawn, 30 x 30 points).
    static QImage systemImage(SystemItem item);
    static QString systemTitle(SystemItem item);

    // Puts `items` in `shown`, the list a bar or list `view` draws, and repaints `view` now and
    // whenever one of them changes; the items `shown` held before no longer repaint it.
    static void showItems(const QList<TabBarItem*>& items, QList<QPointer<TabBarItem>>& shown, QWidget* view);

Q_SIGNALS:
    void changed();

private:
    QString m_title;
    QImage m_image;
    int m_tag = 0;
    bool m_enabled = true;
    SystemItem m_systemItem = SystemItem::None;
};
