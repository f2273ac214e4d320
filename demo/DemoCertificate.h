#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

// The demo's own certificate authority and the https server's certificate signed by it,
// made afresh at every start. The files live in a private folder (0700) that goes away
// with this object; clients trust the demo only through caCertificatePath().
class DemoCertificate
{
public:
    DemoCertificate();
    ~DemoCertificate();
    DemoCertificate(const DemoCertificate&) = delete;
    DemoCertificate& operator=(const DemoCertificate&) = delete;

    // Makes the keys and certificates and writes them. Returns false (with a reason) on failure.
    bool create(QString* error = nullptr);

    QString caCertificatePath() const { return m_caPath; }        // PEM
    QString serverCertificatePath() const { return m_certPath; } // PEM
    QString serverKeyPath() const { return m_keyPath; }          // PEM, 0600

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_caPath;
    QString m_certPath;
    QString m_keyPath;
};
