#include "views/InfoView.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Label.h"

#include <QLinearGradient>
#include <QPainter>

namespace {
Label* textLabel(QWidget* parent, const char* name, const QString& text, const QFont& font, const QColor& color)
{
    auto* label = new Label(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setTextColor(color);
    label->setTextAlignment(TextAlignment::Center);
    return label;
}
} // namespace

InfoView::InfoView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("InfoView"));
    const QColor light(204, 204, 204);
    m_titleLbl = textLabel(this, "titleLbl", QStringLiteral("iTarnvale"),
                           Fonts::fontWithName(QStringLiteral("ArialRoundedMTBold"), 32), Qt::white);
    m_captionLbl = textLabel(this, "captionLbl", QStringLiteral("Version"),
                             Fonts::fontWithName(QStringLiteral("Arial"), 14), light);
    m_versionLbl = textLabel(this, "versionLbl", QString(),
                             Fonts::fontWithName(QStringLiteral("Arial-BoldMT"), 20), Qt::white);
    m_aboutLbl = textLabel(this, "aboutLbl", QStringLiteral("A client for the Tarnvale tracker site"),
                           Fonts::fontWithName(QStringLiteral("Arial"), 13), light);
    m_aboutLbl->setNumberOfLines(0);
    m_aboutLbl->setLineBreakMode(LineBreakMode::WordWrap);
    m_returnBtn = new Button(Button::Type::RoundedRect, this);
    m_returnBtn->setObjectName(QStringLiteral("returnBtn"));
    m_returnBtn->setTitle(QStringLiteral("Done"));
    m_returnBtn->setTitleFont(Fonts::boldSystemFont(15));
    m_returnBtn->setTitleColor(QColor(50, 79, 133));
    m_returnBtn->setTitleColor(Qt::white, Button::State::Highlighted);
    resize(320, 480);
}

void InfoView::updateVersion()
{
    m_versionLbl->setText(Bundle::buildVersion());
}

void InfoView::resizeEvent(QResizeEvent*)
{
    const int w = width(), h = height();
    const int top = std::max(20, h / 2 - 140);
    m_titleLbl->setGeometry(0, top, w, 44);
    m_captionLbl->setGeometry(0, top + 70, w, 18);
    m_versionLbl->setGeometry(0, top + 90, w, 26);
    m_aboutLbl->setGeometry(20, top + 136, std::max(0, w - 40), 40);
    m_returnBtn->setGeometry((w - 120) / 2, top + 200, 120, 37);
}

void InfoView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QLinearGradient back(0, 0, 0, height());
    back.setColorAt(0, QColor(58, 58, 58));
    back.setColorAt(1, QColor(20, 20, 20));
    p.fillRect(rect(), back);
}
