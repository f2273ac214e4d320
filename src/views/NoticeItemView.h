#pragma once

#include <QPointer>
#include <QWidget>

class Button;
class Label;

// A row of the lists that says something about the list itself rather than a torrent: why a
// page failed ("The site answered 503."), that a page was read only in part, that a search
// found nothing. It may carry one button ("Try again", "Add a filter"), whose tap is the
// row's action.
class NoticeItemView : public QWidget
{
    Q_OBJECT
public:
    // The least height, that of a one-line message with its button.
    static constexpr int kHeight = 72;

    explicit NoticeItemView(QWidget* parent = nullptr);

    // The height a notice takes at a width: its whole message wrapped, and the button under
    // it when there is one; never less than kHeight. A list gives its notice row this height.
    static int heightFor(const QString& message, const QString& buttonTitle, int width);

    // A null or empty button title hides the button. The view takes the height heightFor
    // gives at its width.
    void setNotice(const QString& message, const QString& buttonTitle);

    Label* messageLbl() const;
    Button* actionBtn() const;

Q_SIGNALS:
    void actionTapped();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOut();

    QPointer<Label> m_message;
    QPointer<Button> m_button;
};
