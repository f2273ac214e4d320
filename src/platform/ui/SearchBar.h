#pragma once

#include "platform/ui/TextFieldDelegate.h"

#include <QColor>
#include <QWidget>

class Button;
class SearchBarDelegate;
class TextField;

// A bar with a rounded search field (a magnifier and the typed words). The return key is the
// search key: it reports searchBarSearchButtonClicked. The black translucent style is a dark
// glossy bar; the default style is blue-grey.
class SearchBar : public QWidget, private TextFieldDelegate
{
    Q_OBJECT
public:
    enum class BarStyle { Default, Black, BlackTranslucent };

    explicit SearchBar(QWidget* parent = nullptr);

    SearchBarDelegate* delegate() const { return m_delegate; }
    void setDelegate(SearchBarDelegate* delegate) { m_delegate = delegate; }
    QString text() const;
    void setText(const QString& text);
    QString placeholder() const;
    void setPlaceholder(const QString& text);
    BarStyle barStyle() const { return m_style; }
    void setBarStyle(BarStyle style);
    bool showsCancelButton() const { return m_showsCancel; }
    void setShowsCancelButton(bool shows);
    // Kept for the screens that set them; this field never corrects or capitalises.
    void setAutocorrectionEnabled(bool) {}
    void setAutocapitalizationEnabled(bool) {}

    TextField* textField() const { return m_field; }
    bool resignFirstResponder();
    bool becomeFirstResponder();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void textFieldDidBeginEditing(TextField* textField) override;
    void textFieldDidEndEditing(TextField* textField) override;
    bool textFieldShouldReturn(TextField* textField) override;
    void layoutField();

    SearchBarDelegate* m_delegate = nullptr;
    TextField* m_field;
    Button* m_cancel;
    BarStyle m_style = BarStyle::Default;
    bool m_showsCancel = false;
};
