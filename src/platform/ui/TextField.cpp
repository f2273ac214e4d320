#include "platform/ui/TextField.h"

#include "platform/ui/Accessibility.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/KeyboardNotifier.h"
#include "platform/ui/TextFieldDelegate.h"

#include <QFocusEvent>
#include <QKeyEvent>

TextField::TextField(QWidget* parent) : QLineEdit(parent)
{
    setFont(Fonts::systemFont(17));
    setAttribute(Qt::WA_MacShowFocusRect, false);
    KeyboardNotifier::instance(); // starts watching the focus
    applyStyle();
}

void TextField::setBorderStyle(BorderStyle style)
{
    m_borderStyle = style;
    applyStyle();
}

void TextField::setTextColor(const QColor& color)
{
    m_textColor = color;
    applyStyle();
}

void TextField::applyStyle()
{
    QString border;
    switch (m_borderStyle) {
    case BorderStyle::None: border = QStringLiteral("border: none; background: transparent;"); break;
    case BorderStyle::Line: border = QStringLiteral("border: 1px solid black; background: white;"); break;
    case BorderStyle::Bezel: border = QStringLiteral("border: 2px inset #888; background: white;"); break;
    case BorderStyle::RoundedRect:
        border = QStringLiteral("border: 1px solid #9a9a9a; border-radius: 7px; background: white; padding: 0 6px;");
        break;
    }
    setStyleSheet(QStringLiteral("QLineEdit { %1 color: %2; }").arg(border, m_textColor.name(QColor::HexArgb)));
}

bool TextField::becomeFirstResponder()
{
    if (m_delegate && !m_delegate->textFieldShouldBeginEditing(this))
        return false;
    window()->activateWindow();
    setFocus(Qt::OtherFocusReason);
    return true;
}

bool TextField::resignFirstResponder()
{
    if (hasFocus())
        clearFocus();
    // A field that lost focus without an event (window inactive) still ends its editing.
    if (m_editing) {
        m_editing = false;
        if (m_delegate)
            m_delegate->textFieldDidEndEditing(this);
        Q_EMIT editingDidEnd(this);
    }
    return true;
}

void TextField::showEvent(QShowEvent* event)
{
    QLineEdit::showEvent(event);
    // By now the screen has placed its labels.
    Accessibility::nameTextField(this);
}

void TextField::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (m_editing)
        return;
    m_editing = true;
    if (m_delegate)
        m_delegate->textFieldDidBeginEditing(this);
    Q_EMIT editingDidBegin(this);
}

void TextField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Losing focus to another window (a menu, an alert) is not the end of editing.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason || !m_editing)
        return;
    m_editing = false;
    if (m_delegate)
        m_delegate->textFieldDidEndEditing(this);
    Q_EMIT editingDidEnd(this);
}

void TextField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Q_EMIT returnPressed(this);
        if (m_delegate)
            m_delegate->textFieldShouldReturn(this);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
