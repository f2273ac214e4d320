#pragma once

#include "platform/core/SecretStore.h"

#include <QObject>

#include <memory>

// The desktop's secret service (or KWallet) through QtKeychain, entries filed under one
// service name and the caller's key. Never falls back to a file of its own: when no keychain
// answers the caller hears Unavailable and decides.
class KeychainSecretStore : public SecretStore
{
public:
    explicit KeychainSecretStore(const QString& service);
    ~KeychainSecretStore() override;

    void read(const QString& key, Callback done) override;
    void write(const QString& key, const QString& value, Callback done) override;

private:
    QString m_service;
    // Parent of the jobs under way, so that they and their answers end with the store.
    std::unique_ptr<QObject> m_jobs;
};
