#pragma once

#include <QLineEdit>

class TextFieldDelegate;

// A one-line text entry. Taking the keyboard focus is "becoming first responder" (editing
// begins, the delegate is told, the keyboard notifier announces the keyboard); losing it ends
// editing. The return key asks the delegate's textFieldShouldReturn. Secure entry hides the
// typed characters. Unless a screen names it, assistive technology reads it by the label shown
// beside it, or else by its placeholder.
class TextField : public QLineEdit
{
    Q_OBJECT
public:
    enum class BorderStyle { None, Line, Bezel, RoundedRect };
    enum class ReturnKeyType { Default, Go, Next, Done, Search, Send };

    explicit TextField(QWidget* parent = nullptr);

    TextFieldDelegate* delegate() const { return m_delegate; }
    void setDelegate(TextFieldDelegate* delegate) { m_delegate = delegate; }
    QString placeholder() const { return placeholderText(); }
    void setPlaceholder(const QString& text) { setPlaceholderText(text); }
    bool isSecureTextEntry() const { return echoMode() == QLineEdit::Password; }
    void setSecureTextEntry(bool secure) { setEchoMode(secure ? QLineEdit::Password : QLineEdit::Normal); }
    BorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(BorderStyle style);
    ReturnKeyType returnKeyType() const { return m_returnKeyType; }
    void setReturnKeyType(ReturnKeyType type) { m_returnKeyType = type; }
    void setTextColor(const QColor& color);

    bool isEditing() const { return m_editing; }
    bool becomeFirstResponder();
    bool resignFirstResponder();

Q_SIGNALS:
    void editingDidBegin(TextField* sender);
    void editingDidEnd(TextField* sender);
    void returnPressed(TextField* sender);

protected:
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyStyle();

    TextFieldDelegate* m_delegate = nullptr;
    BorderStyle m_borderStyle = BorderStyle::None;
    ReturnKeyType m_returnKeyType = ReturnKeyType::Default;
    QColor m_textColor = Qt::black;
    bool m_editing = false;
};
