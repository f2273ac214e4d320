#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

// What a navigation bar shows while its screen is on top: a title and, optionally, custom
// views on the left (in place of the back button) and on the right. The views are shown
// at their own size; the item owns them until a bar takes them for display.
class NavigationItem : public QObject
{
    Q_OBJECT

public:
    explicit NavigationItem(const QString& title = {}, QObject* parent = nullptr);
    ~NavigationItem() override;

    QString title() const { return m_title; }
    void setTitle(const QString& title);

    QWidget* leftView() const { return m_leftView; }
    void setLeftView(QWidget* view);
    QWidget* rightView() const { return m_rightView; }
    void setRightView(QWidget* view);
    // Offset of the right view from its standard place (screens nudge their containers).
    QPoint rightViewOffset() const { return m_rightOffset; }
    void setRightViewOffset(QPoint offset);

    bool hidesBackButton() const { return m_hidesBackButton; }
    void setHidesBackButton(bool hides);
    // Title of the back button that the next screen shows for this one; empty: the title.
    QString backButtonTitle() const { return m_backTitle; }
    void setBackButtonTitle(const QString& title);

Q_SIGNALS:
    void changed();

private:
    QString m_title;
    QPointer<QWidget> m_leftView;
    QPointer<QWidget> m_rightView;
    QPoint m_rightOffset;
    bool m_hidesBackButton = false;
    QString m_backTitle;
};
