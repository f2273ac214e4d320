#include "screens/common/SendAgainAlert.h"

#include "platform/ui/AlertView.h"

SendAgainAlert::SendAgainAlert(QObject* context, std::function<void(bool)> answered)
    : QObject(context)
    , m_answered(std::move(answered))
{
}

QString SendAgainAlert::question(const QDateTime& sent)
{
    if (!sent.isValid())
        return QStringLiteral("Already sent. Send again?");
    return QStringLiteral("Already sent on %1. Send again?").arg(sent.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
}

void SendAgainAlert::ask(const QString& name, const QDateTime& sent, QObject* context,
                         std::function<void(bool)> answered)
{
    // Parented to the context: gone with it, and the alert then calls no one.
    auto* delegate = new SendAgainAlert(context, std::move(answered));
    auto* alert = new AlertView(question(sent), name, delegate, QStringLiteral("Cancel"));
    alert->setOtherButtonTitle(QStringLiteral("Send again"));
    alert->show();
}

void SendAgainAlert::clickedButtonAtIndex(AlertView*, int index)
{
    if (m_answered)
        m_answered(index == kSendAgainIndex);
    m_answered = nullptr;
    deleteLater();
}
