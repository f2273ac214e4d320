#include "LoopbackCertificates.h"

#include <openssl/bio.h>
#include <openssl/ec.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>

namespace {

void addExtension(X509* certificate, X509* issuer, int nid, const char* value)
{
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
    if (X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value)) {
        X509_add_ext(certificate, extension, -1);
        X509_EXTENSION_free(extension);
    }
}

X509* makeCertificate(EVP_PKEY* key, const char* commonName, long serial, X509* issuer, EVP_PKEY* issuerKey,
                      const char* names = "IP:127.0.0.1,DNS:localhost")
{
    X509* certificate = X509_new();
    X509_set_version(certificate, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(certificate), serial);
    X509_gmtime_adj(X509_getm_notBefore(certificate), -3600);
    X509_gmtime_adj(X509_getm_notAfter(certificate), 3600L * 24 * 365);
    X509_set_pubkey(certificate, key);
    X509_NAME* name = X509_get_subject_name(certificate);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
    X509_set_issuer_name(certificate, issuer ? X509_get_subject_name(issuer) : name);
    X509* signer = issuer ? issuer : certificate;
    if (issuer) {
        addExtension(certificate, signer, NID_basic_constraints, "critical,CA:FALSE");
        addExtension(certificate, signer, NID_subject_alt_name, names);
        addExtension(certificate, signer, NID_ext_key_usage, "serverAuth");
    } else {
        addExtension(certificate, signer, NID_basic_constraints, "critical,CA:TRUE");
        addExtension(certificate, signer, NID_key_usage, "critical,keyCertSign,cRLSign");
        addExtension(certificate, signer, NID_subject_key_identifier, "hash");
    }
    X509_sign(certificate, issuerKey ? issuerKey : key, EVP_sha256());
    return certificate;
}

} // namespace

const LoopbackCertificates& LoopbackCertificates::instance()
{
    static const LoopbackCertificates certificates;
    return certificates;
}

LoopbackCertificates::LoopbackCertificates()
{
    EVP_PKEY* authorityKey = EVP_EC_gen("prime256v1");
    X509* authority = makeCertificate(authorityKey, "Loopback Test Authority", 1, nullptr, nullptr);
    m_serverKey = EVP_EC_gen("prime256v1");
    m_serverCertificate = makeCertificate(m_serverKey, "127.0.0.1", 2, authority, authorityKey);
    m_wrongNameCertificate = makeCertificate(m_serverKey, "elsewhere.example", 3, authority, authorityKey,
                                             "DNS:elsewhere.example");

    BIO* bio = BIO_new(BIO_s_mem());
    PEM_write_bio_X509(bio, authority);
    char* data = nullptr;
    const long length = BIO_get_mem_data(bio, &data);
    m_authorityPem = QByteArray(data, length);
    BIO_free(bio);
    X509_free(authority);
    EVP_PKEY_free(authorityKey);
}
