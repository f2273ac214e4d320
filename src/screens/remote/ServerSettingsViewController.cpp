#include "screens/remote/ServerSettingsViewController.h"

#include "platform/ui/Bundle.h"
#include "platform/ui/Button.h"
#include "platform/ui/GraphicsContext.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/KeyboardNotifier.h"
#include "platform/ui/Label.h"
#include "platform/ui/NavigationController.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/SegmentedControl.h"
#include "platform/ui/TabBarItem.h"
#include "platform/ui/TextField.h"
#include "remote/BitClient.h"
#include "remote/ServerInfo.h"
#include "screens/common/SettingsSaveAlert.h"
#include "screens/remote/ClientWebViewController.h"

#include <cmath>

namespace {
constexpr int kContentHeight = 640;
constexpr int kContentHeightAfterKeyboard = 700;
constexpr int kFieldMargin = 30;
constexpr int kExtraHeight = 150;
} // namespace

ServerSettingsViewController::ServerSettingsViewController(QObject* parent)
    : ViewController(parent)
{
    setTitle(QStringLiteral("Remote Settings"));
    setTabBarItem(new TabBarItem(QStringLiteral("Remote Settings"), Bundle::imageNamed(QStringLiteral("tabbar-settings.png")), 0));
}

void ServerSettingsViewController::loadView()
{
    QWidget* form = InterfaceLayout::load(QStringLiteral("ServerSettings"));
    m_serverClient = form->findChild<SegmentedControl*>(QStringLiteral("serverClient"));
    m_serverDescription = form->findChild<Label*>(QStringLiteral("serverDescription"));
    m_serverAddress = form->findChild<TextField*>(QStringLiteral("serverAddress"));
    m_serverPort = form->findChild<TextField*>(QStringLiteral("serverPort"));
    m_serverUser = form->findChild<TextField*>(QStringLiteral("serverUser"));
    m_serverPassword = form->findChild<TextField*>(QStringLiteral("serverPassword"));
    m_testButton = form->findChild<Button*>(QStringLiteral("testButton"));
    m_backButton = form->findChild<Button*>(QStringLiteral("backButton"));
    for (TextField* field : {m_serverAddress.data(), m_serverPort.data(), m_serverUser.data(), m_serverPassword.data()})
        field->setDelegate(this);
    connect(m_serverClient, &SegmentedControl::valueChanged, this, &ServerSettingsViewController::didSelectClient);
    connect(m_testButton, &Button::touchUpInside, this, [this] { test(); });
    connect(m_backButton, &Button::touchUpInside, this, [this] { cancel(); });
    // The selector and the back button show no label of their own.
    m_serverClient->setAccessibleName(QStringLiteral("BitTorrent client"));
    m_backButton->setAccessibleName(QStringLiteral("Back"));

    auto* scroll = new ScrollView;
    scroll->setGeometry(0, 0, kFormWidth, kFormHeight);
    scroll->setContentSize(QSizeF(kFormWidth, kContentHeight));
    scroll->setBackgroundColor(QColor::fromRgbF(0.2f, 0.2f, 0.2f));
    scroll->addSubview(form);
    m_scrollView = scroll;
    setView(scroll);
}

void ServerSettingsViewController::viewDidLoad()
{
    const ServerInfo::Settings stored = ServerInfo::sharedInstance().settings();
    m_serverPort->setText(stored.port);
    m_serverAddress->setText(stored.address);
    m_serverUser->setText(stored.username);
    m_serverPassword->setText(stored.password);

    const std::unique_ptr<BitClient> client = stored.client.isEmpty() ? nullptr : BitClient::create(stored.client);
    const int index = client ? std::max(0, client->getIndex()) : 0;
    m_serverClient->setSelectedSegmentIndex(index);
    didSelectClient(index);
    // A stored port outlives the default that choosing the client put in.
    if (!stored.port.isEmpty()) {
        SettingsSaveAlert::check(ServerInfo::sharedInstance().setPort(stored.port));
        m_serverPort->setText(stored.port);
    }
    m_keyboardVisible = false;
}

void ServerSettingsViewController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    NavigationController* navigation = navigationController();
    if (navigation)
        navigation->setNavigationBarHidden(true, animated);
    // Back only leads somewhere when the screen was pushed over another.
    m_backButton->setVisible(navigation && navigation->viewControllers().value(0) != this);
    KeyboardNotifier* keyboard = KeyboardNotifier::instance();
    connect(keyboard, &KeyboardNotifier::keyboardWasShown, this, &ServerSettingsViewController::keyboardWasShown,
            Qt::UniqueConnection);
    connect(keyboard, &KeyboardNotifier::keyboardWasHidden, this, &ServerSettingsViewController::keyboardWasHidden,
            Qt::UniqueConnection);
}

void ServerSettingsViewController::viewWillDisappear(bool animated)
{
    ViewController::viewWillDisappear(animated);
    KeyboardNotifier::instance()->disconnect(this);
}

void ServerSettingsViewController::textFieldDidBeginEditing(TextField* textField)
{
    m_currTextField = textField;
}

bool ServerSettingsViewController::textFieldShouldReturn(TextField* textField)
{
    m_returning = textField;
    textField->resignFirstResponder();
    return true;
}

void ServerSettingsViewController::textFieldDidEndEditing(TextField* textField)
{
    const bool moveOn = m_returning == textField;
    m_returning = nullptr;
    ServerInfo& info = ServerInfo::sharedInstance();
    TextField* next = nullptr;
    if (textField == m_serverAddress) {
        SettingsSaveAlert::check(info.setAddress(textField->text()));
        next = m_serverPort;
    } else if (textField == m_serverPort) {
        SettingsSaveAlert::check(info.setPort(textField->text()));
        next = m_serverUser;
    } else if (textField == m_serverUser) {
        SettingsSaveAlert::check(info.setUsername(textField->text()));
        next = m_serverPassword;
    } else if (textField == m_serverPassword) {
        SettingsSaveAlert::check(info.setPassword(textField->text()));
    }
    if (moveOn && next)
        next->becomeFirstResponder();
}

void ServerSettingsViewController::keyboardWasShown(QRect frame)
{
    if (m_keyboardVisible)
        return;
    const int shortened = m_scrollView->height() - frame.height();
    m_scrollView->resize(m_scrollView->width(), shortened);
    if (m_currTextField) {
        QRect field = m_currTextField->geometry();
        field.setHeight(field.height() + kFieldMargin);
        m_scrollView->scrollRectToVisible(field, true);
    }
    m_scrollView->resize(m_scrollView->width(), shortened + kExtraHeight);
    m_keyboardVisible = true;
}

void ServerSettingsViewController::keyboardWasHidden()
{
    m_scrollView->setGeometry(0, 0, kFormWidth, kFormHeight);
    m_scrollView->setContentSize(QSizeF(kFormWidth, kContentHeightAfterKeyboard));
    m_keyboardVisible = false;
}

void ServerSettingsViewController::didSelectClient(int index)
{
    ServerInfo& info = ServerInfo::sharedInstance();
    const QString previous = info.client();
    if (!previous.isEmpty() && !m_serverPort->text().isEmpty())
        m_portByClient.insert(previous, m_serverPort->text());
    const QString chosen = BitClient::getClientByIndex(index);
    SettingsSaveAlert::check(info.setClient(chosen));
    const std::unique_ptr<BitClient> client = BitClient::create(chosen);
    if (!client)
        return;
    m_serverDescription->setText(client->getDefaultDescription());
    // Tall enough for the whole text, from its top, measured as the label lays it out.
    const QSizeF needed = GraphicsContext::sizeWithFont(m_serverDescription->text(), m_serverDescription->font(),
                                                        QSizeF(m_serverDescription->width(), 0), LineBreakMode::WordWrap);
    m_serverDescription->resize(m_serverDescription->width(), int(std::ceil(needed.height())) + 4);
    m_serverPort->setText(m_portByClient.value(chosen, client->getDefaultPort()));
    SettingsSaveAlert::check(info.setPort(m_serverPort->text()));
}

void ServerSettingsViewController::test()
{
    SettingsSaveAlert::check(ServerInfo::sharedInstance().setPassword(m_serverPassword->text()));
    m_serverPassword->resignFirstResponder();
    NavigationController* navigation = navigationController();
    if (!navigation)
        return;
    navigation->setNavigationBarHidden(false, false);
    navigation->pushViewController(new ClientWebViewController(QUrl(), this), true);
}

void ServerSettingsViewController::cancel()
{
    for (TextField* field : {m_serverAddress.data(), m_serverPort.data(), m_serverUser.data(), m_serverPassword.data()})
        field->resignFirstResponder();
    if (NavigationController* navigation = navigationController())
        navigation->popViewControllerAnimated(true);
}
