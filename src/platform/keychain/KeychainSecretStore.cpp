#include "platform/keychain/KeychainSecretStore.h"

#include <qt6keychain/keychain.h>

namespace {

SecretStore::Reply replyOf(const QKeychain::Job& job)
{
    SecretStore::Reply reply;
    switch (job.error()) {
    case QKeychain::NoError:
        reply.status = SecretStore::Status::Ok;
        break;
    case QKeychain::EntryNotFound:
        reply.status = SecretStore::Status::NotFound;
        break;
    case QKeychain::NoBackendAvailable:
    case QKeychain::NotImplemented:
        reply.status = SecretStore::Status::Unavailable;
        break;
    default:
        // Also a session bus that cannot be reached: QtKeychain says OtherError then.
        reply.status = SecretStore::Status::Failed;
        break;
    }
    if (reply.status != SecretStore::Status::Ok)
        reply.message = job.errorString();
    return reply;
}

template <typename JobType>
JobType* makeJob(const QString& service, const QString& key, QObject* parent)
{
    auto* job = new JobType(service, parent);
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(key);
    return job;
}

} // namespace

KeychainSecretStore::KeychainSecretStore(const QString& service)
    : m_service(service)
    , m_jobs(std::make_unique<QObject>())
{
}

KeychainSecretStore::~KeychainSecretStore() = default;

void KeychainSecretStore::read(const QString& key, Callback done)
{
    auto* job = makeJob<QKeychain::ReadPasswordJob>(m_service, key, m_jobs.get());
    QObject::connect(job, &QKeychain::Job::finished, m_jobs.get(), [done = std::move(done)](QKeychain::Job* finished) {
        Reply reply = replyOf(*finished);
        if (reply.status == Status::Ok)
            reply.value = static_cast<QKeychain::ReadPasswordJob*>(finished)->textData();
        done(reply);
    });
    job->start();
}

void KeychainSecretStore::write(const QString& key, const QString& value, Callback done)
{
    auto* job = makeJob<QKeychain::WritePasswordJob>(m_service, key, m_jobs.get());
    job->setTextData(value);
    QObject::connect(job, &QKeychain::Job::finished, m_jobs.get(),
                     [done = std::move(done)](QKeychain::Job* finished) { done(replyOf(*finished)); });
    job->start();
}
