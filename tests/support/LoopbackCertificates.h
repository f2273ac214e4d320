#pragma once

#include <QByteArray>

#include <openssl/evp.h>
#include <openssl/x509.h>

// A certificate authority and a server certificate for 127.0.0.1 signed by it, made once
// per process in memory, for https servers on loopback.
class LoopbackCertificates
{
public:
    static const LoopbackCertificates& instance();

    QByteArray authorityPem() const { return m_authorityPem; } // for a CA file
    X509* serverCertificate() const { return m_serverCertificate; }
    // Signed by the same authority, for another host name only: a client that checks the
    // name refuses it on 127.0.0.1.
    X509* wrongNameCertificate() const { return m_wrongNameCertificate; }
    EVP_PKEY* serverKey() const { return m_serverKey; }

private:
    LoopbackCertificates();

    QByteArray m_authorityPem;
    X509* m_serverCertificate = nullptr;
    X509* m_wrongNameCertificate = nullptr;
    EVP_PKEY* m_serverKey = nullptr;
};
