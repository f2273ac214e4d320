#include "platform/ui/NavigationItem.h"

NavigationItem::NavigationItem(const QString& title, QObject* parent)
    : QObject(parent)
    , m_title(title)
{
}

NavigationItem::~NavigationItem()
{
    // Views not currently shown by a bar belong to the item.
    if (m_leftView && !m_leftView->parentWidget())
        delete m_leftView.data();
    if (m_rightView && !m_rightView->parentWidget())
        delete m_rightView.data();
}

void NavigationItem::setTitle(const QString& title)
{
    if (m_title == title)
        return;
    m_title = title;
    Q_EMIT changed();
}

void NavigationItem::setLeftView(QWidget* view)
{
    if (m_leftView == view)
        return;
    if (m_leftView && m_leftView->parentWidget() == nullptr)
        m_leftView->deleteLater();
    else if (m_leftView)
        m_leftView->hide();
    m_leftView = view;
    Q_EMIT changed();
}

void NavigationItem::setRightView(QWidget* view)
{
    if (m_rightView == view)
        return;
    if (m_rightView && m_rightView->parentWidget() == nullptr)
        m_rightView->deleteLater();
    else if (m_rightView)
        m_rightView->hide();
    m_rightView = view;
    Q_EMIT changed();
}

void NavigationItem::setRightViewOffset(QPoint offset)
{
    m_rightOffset = offset;
    Q_EMIT changed();
}

void NavigationItem::setHidesBackButton(bool hides)
{
    if (m_hidesBackButton == hides)
        return;
    m_hidesBackButton = hides;
    Q_EMIT changed();
}

void NavigationItem::setBackButtonTitle(const QString& title)
{
    m_backTitle = title;
    Q_EMIT changed();
}
