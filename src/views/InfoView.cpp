#include "views/InfoView.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/Label.h"

namespace {
const bool registered = [] {
    InterfaceLayout::registerClass(QStringLiteral("InfoView"),
                                   [](QWidget* parent) -> QWidget* { return InfoView::createEmpty(parent); });
    return true;
}();

Label* centred(QWidget* parent, const char* name, const QString& text, const QFont& font, const QColor& color)
{
    Label* label = InterfaceLayout::addLabel(parent, QString::fromLatin1(name), text, QRect(), font, color);
    label->setTextAlignment(TextAlignment::Center);
    return label;
}
} // namespace

InfoView::InfoView(QWidget* parent, Empty) : QWidget(parent)
{
    Q_UNUSED(registered);
    resize(320, 480);
}

InfoView::InfoView(QWidget* parent) : InfoView(parent, Empty{})
{
    setObjectName(QStringLiteral("infoView"));
    InterfaceLayout::setBackgroundColor(this, QColor(24, 24, 28));
    const QColor light(200, 200, 200);
    m_titleLbl = centred(this, "infoTitle", QStringLiteral("iTarnvale"), Fonts::boldSystemFont(30), Qt::white);
    m_aboutLbl = centred(this, "infoText",
                         QStringLiteral("A client for the Tarnvale tracker: browse, search and keep favourite "
                                        "filters, and send torrents to the BitTorrent client on your computer."),
                         Fonts::systemFont(14), light);
    m_aboutLbl->setNumberOfLines(0);
    m_aboutLbl->setLineBreakMode(LineBreakMode::WordWrap);
    m_captionLbl = centred(this, "versionCaption", QStringLiteral("Build"), Fonts::boldSystemFont(15),
                           QColor(160, 160, 160));
    m_versionLbl = centred(this, "versionLbl", QString(), Fonts::boldSystemFont(15), Qt::white);
    m_returnBtn = InterfaceLayout::addButton(this, QStringLiteral("returnButton"), QRect(), QStringLiteral("Done"));
    resizeEvent(nullptr);
}

InfoView* InfoView::createEmpty(QWidget* parent)
{
    return new InfoView(parent, Empty{});
}

Label* InfoView::versionLbl()
{
    if (!m_versionLbl)
        m_versionLbl = findChild<Label*>(QStringLiteral("versionLbl"));
    return m_versionLbl;
}

Button* InfoView::returnBtn()
{
    if (!m_returnBtn)
        m_returnBtn = findChild<Button*>(QStringLiteral("returnButton"));
    return m_returnBtn;
}

void InfoView::updateVersion()
{
    if (Label* label = versionLbl())
        label->setText(Bundle::buildVersion());
}

void InfoView::resizeEvent(QResizeEvent*)
{
    // Made by an interface layout, the view finds the layout's widgets by name and lays them
    // out for its size as well (the layout places them for the phone's screen).
    if (!m_titleLbl)
        m_titleLbl = findChild<Label*>(QStringLiteral("infoTitle"), Qt::FindDirectChildrenOnly);
    if (!m_aboutLbl)
        m_aboutLbl = findChild<Label*>(QStringLiteral("infoText"), Qt::FindDirectChildrenOnly);
    if (!m_captionLbl)
        m_captionLbl = findChild<Label*>(QStringLiteral("versionCaption"), Qt::FindDirectChildrenOnly);
    if (!m_titleLbl || !m_aboutLbl || !m_captionLbl || !versionLbl() || !returnBtn())
        return;
    const int w = width();
    const int top = std::max(20, height() / 2 - 180);
    m_titleLbl->setGeometry(20, top, w - 40, 40);
    m_aboutLbl->setGeometry(30, top + 56, w - 60, 100);
    m_captionLbl->setGeometry(0, top + 176, w, 20);
    m_versionLbl->setGeometry(0, top + 198, w, 24);
    m_returnBtn->setGeometry((w - 100) / 2, top + 256, 100, 37);
}
