#include "FakeNotificationService.h"

uint FakeNotificationService::Notify(const QString&, uint replacesId, const QString&, const QString& summary,
                                     const QString& body, const QStringList& actions, const QVariantMap&, int)
{
    received.append({replacesId, summary, body, actions});
    return replacesId ? replacesId : 40 + uint(received.size());
}

QStringList FakeNotificationService::GetCapabilities()
{
    return {QStringLiteral("actions"), QStringLiteral("body")};
}
