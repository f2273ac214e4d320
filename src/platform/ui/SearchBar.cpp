#include "platform/ui/SearchBar.h"

#include "platform/ui/Button.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/SearchBarDelegate.h"
#include "platform/ui/TextField.h"

#include <QPainter>
#include <QPainterPath>

namespace {
// The rounded field with a magnifier at its left.
class SearchField : public TextField
{
public:
    using TextField::TextField;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        {
            QPainter p(this);
            p.setRenderHint(QPainter::Antialiasing);
            const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
            QPainterPath path;
            path.addRoundedRect(r, r.height() / 2, r.height() / 2);
            p.fillPath(path, Qt::white);
            p.strokePath(path, QPen(QColor(120, 120, 120), 1));
            p.setPen(QPen(QColor(130, 130, 130), 1.8));
            const QPointF c(15, r.center().y() - 1.5);
            p.drawEllipse(c, 5, 5);
            p.drawLine(c + QPointF(3.6, 3.6), c + QPointF(7.5, 7.5));
        }
        TextField::paintEvent(event);
    }
};
} // namespace

SearchBar::SearchBar(QWidget* parent)
    : QWidget(parent), m_field(new SearchField(this)), m_cancel(new Button(Button::Type::Custom, this))
{
    resize(320, 44);
    m_field->setObjectName(QStringLiteral("searchField"));
    m_field->setBorderStyle(TextField::BorderStyle::None);
    m_field->setStyleSheet(QStringLiteral("QLineEdit { border: none; background: transparent; padding-left: 26px; color: black; }"));
    m_field->setFont(Fonts::systemFont(15));
    m_field->setDelegate(this);
    m_field->setReturnKeyType(TextField::ReturnKeyType::Search);
    // It has no label beside it: readers hear what it is for (a screen may name it otherwise).
    m_field->setAccessibleName(QStringLiteral("Search"));
    connect(m_field, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_delegate)
            m_delegate->textDidChange(this, text);
    });
    m_cancel->setTitle(QStringLiteral("Cancel"));
    m_cancel->setTitleFont(Fonts::boldSystemFont(13));
    m_cancel->setBackgroundColor(QColor(60, 60, 60));
    m_cancel->setCornerRadius(5);
    m_cancel->hide();
    connect(m_cancel, &Button::touchUpInside, this, [this] {
        if (m_delegate)
            m_delegate->searchBarCancelButtonClicked(this);
    });
    layoutField();
}

QString SearchBar::text() const { return m_field->text(); }
void SearchBar::setText(const QString& text) { m_field->setText(text); }
QString SearchBar::placeholder() const { return m_field->placeholder(); }
void SearchBar::setPlaceholder(const QString& text) { m_field->setPlaceholder(text); }

void SearchBar::setBarStyle(BarStyle style)
{
    m_style = style;
    update();
}

void SearchBar::setShowsCancelButton(bool shows)
{
    m_showsCancel = shows;
    layoutField();
}

bool SearchBar::resignFirstResponder() { return m_field->resignFirstResponder(); }
bool SearchBar::becomeFirstResponder() { return m_field->becomeFirstResponder(); }

void SearchBar::layoutField()
{
    const int cancelWidth = m_showsCancel ? 60 : 0;
    m_field->setGeometry(6, (height() - 30) / 2, width() - 12 - (cancelWidth ? cancelWidth + 6 : 0), 30);
    m_cancel->setGeometry(width() - 6 - cancelWidth, (height() - 30) / 2, cancelWidth, 30);
    m_cancel->setVisible(m_showsCancel);
}

void SearchBar::resizeEvent(QResizeEvent*)
{
    layoutField();
}

void SearchBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    if (m_style == BarStyle::Default) {
        g.setColorAt(0, QColor(200, 209, 218));
        g.setColorAt(1, QColor(160, 172, 186));
    } else {
        const int alpha = m_style == BarStyle::BlackTranslucent ? 215 : 255;
        g.setColorAt(0, QColor(80, 80, 80, alpha));
        g.setColorAt(0.5, QColor(30, 30, 30, alpha));
        g.setColorAt(1, QColor(5, 5, 5, alpha));
    }
    p.fillRect(rect(), g);
    p.fillRect(QRect(0, height() - 1, width(), 1), QColor(0, 0, 0, 160));
}

void SearchBar::textFieldDidBeginEditing(TextField*)
{
    if (m_delegate)
        m_delegate->searchBarTextDidBeginEditing(this);
}

void SearchBar::textFieldDidEndEditing(TextField*)
{
    if (m_delegate)
        m_delegate->searchBarTextDidEndEditing(this);
}

bool SearchBar::textFieldShouldReturn(TextField*)
{
    if (m_delegate)
        m_delegate->searchBarSearchButtonClicked(this);
    return true;
}
