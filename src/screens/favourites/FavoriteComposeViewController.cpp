#include "screens/favourites/FavoriteComposeViewController.h"

#include "platform/ui/Button.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/InterfaceLayout.h"
#include "platform/ui/Label.h"
#include "platform/ui/Switch.h"
#include "platform/ui/TextField.h"
#include "settings/Filter.h"

#include <QWidget>

namespace {
const QString kLayout = QStringLiteral("FavoriteCompose");
// Under the buttons of the layout: the send switch's row, then the refusal.
const QRect kSendLabelFrame(20, 244, 220, 24);
const QRect kSendSwitchFrame(249, 240, 51, 31);
const QRect kErrorFrame(20, 284, 280, 64);
const QColor kErrorColor(255, 120, 110);

template <class T>
T* find(QWidget* root, const QString& name)
{
    T* found = root->findChild<T*>(name);
    if (!found)
        qFatal("the layout \"FavoriteCompose\" lacks \"%s\"", qPrintable(name));
    return found;
}
} // namespace

FavoriteComposeViewController::FavoriteComposeViewController(Delegate* delegate, QObject* parent)
    : ViewController(parent)
    , m_delegate(delegate)
{
}

TextField* FavoriteComposeViewController::newItem() const { return m_newItem; }
Button* FavoriteComposeViewController::addButton() const { return m_addButton; }
Button* FavoriteComposeViewController::cancelButton() const { return m_cancelButton; }
Label* FavoriteComposeViewController::errorLabel() const { return m_errorLabel; }
Switch* FavoriteComposeViewController::sendSwitch() const { return m_sendSwitch; }
bool FavoriteComposeViewController::sendsAutomatically() const { return m_sendSwitch && m_sendSwitch->isOn(); }

void FavoriteComposeViewController::loadView()
{
    QWidget* root = InterfaceLayout::load(kLayout);
    m_newItem = find<TextField>(root, QStringLiteral("newItem"));
    m_addButton = find<Button>(root, QStringLiteral("addButton"));
    m_cancelButton = find<Button>(root, QStringLiteral("cancelButton"));
    m_newItem->setDelegate(this);
    connect(m_addButton, &Button::touchUpInside, this, [this](Button* sender) { updateList(sender); });
    connect(m_cancelButton, &Button::touchUpInside, this, [this](Button* sender) { cancel(sender); });

    InterfaceLayout::addLabel(root, QStringLiteral("sendLabel"), QStringLiteral("Send new ones to my client"), kSendLabelFrame,
                              Fonts::systemFont(15));
    m_sendSwitch = new Switch(root);
    m_sendSwitch->setObjectName(QStringLiteral("sendSwitch"));
    m_sendSwitch->setGeometry(kSendSwitchFrame);
    m_sendSwitch->setAccessibleName(QStringLiteral("Send new ones to my client"));

    m_errorLabel = InterfaceLayout::addLabel(root, QStringLiteral("errorLabel"), QString(), kErrorFrame,
                                             Fonts::boldSystemFont(13), kErrorColor);
    m_errorLabel->setNumberOfLines(0);
    m_errorLabel->setTextAlignment(TextAlignment::Center);
    // The refusal stands until the text changes.
    connect(m_newItem, &QLineEdit::textChanged, m_errorLabel, [label = m_errorLabel] { label->setText(QString()); });
    setView(root);
}

void FavoriteComposeViewController::viewDidAppear(bool animated)
{
    ViewController::viewDidAppear(animated);
    if (m_newItem)
        m_newItem->becomeFirstResponder();
}

bool FavoriteComposeViewController::textFieldShouldReturn(TextField*)
{
    // Return adds the filter, as the add button does (a refused text keeps the field).
    updateList(m_addButton);
    return true;
}

void FavoriteComposeViewController::textFieldDidEndEditing(TextField* textField)
{
    textField->resignFirstResponder();
}

void FavoriteComposeViewController::updateList(QObject*)
{
    if (!m_newItem)
        return;
    const QString text = m_newItem->text();
    // Any text that is a pattern becomes a filter; one that is not would find nothing, and an
    // empty one would list every torrent under an invisible row, so both are refused here.
    const QString error = text.trimmed().isEmpty() ? QStringLiteral("Type a name or a pattern to look for.")
                                                   : Filter::patternError(text);
    if (!error.isNull()) {
        showError(error);
        return;
    }
    if (m_delegate)
        m_delegate->didUpdateList(this, text);
}

void FavoriteComposeViewController::showError(const QString& text)
{
    if (m_errorLabel)
        m_errorLabel->setText(text);
}

void FavoriteComposeViewController::cancel(QObject*)
{
    if (m_delegate)
        m_delegate->didCancelUpdateList(this);
}
