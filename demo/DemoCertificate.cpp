#include "DemoCertificate.h"

#include <QFile>

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

namespace {

struct KeyFree { void operator()(EVP_PKEY* k) const { EVP_PKEY_free(k); } };
struct CertFree { void operator()(X509* c) const { X509_free(c); } };
struct BioFree { void operator()(BIO* b) const { BIO_free(b); } };
using Key = std::unique_ptr<EVP_PKEY, KeyFree>;
using Cert = std::unique_ptr<X509, CertFree>;
using Bio = std::unique_ptr<BIO, BioFree>;

constexpr long kValiditySecs = 397L * 24 * 3600; // what browsers accept for a server cert

bool addExtension(X509* cert, X509* issuer, int nid, const char* value)
{
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
    if (!ext)
        return false;
    const bool ok = X509_add_ext(cert, ext, -1) == 1;
    X509_EXTENSION_free(ext);
    return ok;
}

Cert newCertificate(EVP_PKEY* key, const char* commonName)
{
    Cert cert(X509_new());
    if (!cert)
        return nullptr;
    X509_set_version(cert.get(), 2); // v3
    unsigned char serial[16];
    RAND_bytes(serial, sizeof serial);
    serial[0] &= 0x7f; // positive
    BIGNUM* bn = BN_bin2bn(serial, sizeof serial, nullptr);
    BN_to_ASN1_INTEGER(bn, X509_get_serialNumber(cert.get()));
    BN_free(bn);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600); // tolerate a clock a little behind
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), kValiditySecs);
    X509_set_pubkey(cert.get(), key);
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("Tarnvale Demo"), -1, -1, 0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
    return cert;
}

bool writePem(const QString& path, const Bio& bio, QFile::Permissions permissions)
{
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio.get(), &data);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.setPermissions(permissions);
    return file.write(data, size) == size && file.flush();
}

} // namespace

DemoCertificate::DemoCertificate() = default;
DemoCertificate::~DemoCertificate() = default;

bool DemoCertificate::create(QString* error)
{
    auto fail = [&](const char* reason) {
        if (error)
            *error = QString::fromLatin1(reason);
        return false;
    };

    // QTemporaryDir makes its folder with mode 0700.
    m_dir = std::make_unique<QTemporaryDir>();
    if (!m_dir->isValid())
        return fail("cannot create a private folder for the certificates");

    // P-256 keys: quick to make at every start, and accepted by libcurl and Chromium alike.
    Key caKey(EVP_EC_gen("P-256"));
    Key serverKey(EVP_EC_gen("P-256"));
    if (!caKey || !serverKey)
        return fail("cannot make the keys");

    Cert ca = newCertificate(caKey.get(), "Tarnvale Demo CA");
    if (!ca)
        return fail("cannot make the CA certificate");
    X509_set_issuer_name(ca.get(), X509_get_subject_name(ca.get()));
    if (!addExtension(ca.get(), ca.get(), NID_basic_constraints, "critical,CA:TRUE,pathlen:0") ||
        !addExtension(ca.get(), ca.get(), NID_key_usage, "critical,keyCertSign,cRLSign") ||
        !addExtension(ca.get(), ca.get(), NID_subject_key_identifier, "hash") ||
        X509_sign(ca.get(), caKey.get(), EVP_sha256()) == 0)
        return fail("cannot sign the CA certificate");

    Cert server = newCertificate(serverKey.get(), "www.tarnvale.localhost");
    if (!server)
        return fail("cannot make the server certificate");
    X509_set_issuer_name(server.get(), X509_get_subject_name(ca.get()));
    if (!addExtension(server.get(), ca.get(), NID_basic_constraints, "critical,CA:FALSE") ||
        !addExtension(server.get(), ca.get(), NID_key_usage, "critical,digitalSignature,keyEncipherment") ||
        !addExtension(server.get(), ca.get(), NID_ext_key_usage, "serverAuth") ||
        !addExtension(server.get(), ca.get(), NID_subject_alt_name,
                      "DNS:www.tarnvale.localhost,DNS:*.tarnvale.localhost,DNS:localhost,IP:127.0.0.1") ||
        !addExtension(server.get(), ca.get(), NID_subject_key_identifier, "hash") ||
        !addExtension(server.get(), ca.get(), NID_authority_key_identifier, "keyid:always") ||
        X509_sign(server.get(), caKey.get(), EVP_sha256()) == 0)
        return fail("cannot sign the server certificate");

    Bio caPem(BIO_new(BIO_s_mem()));
    Bio certPem(BIO_new(BIO_s_mem()));
    Bio keyPem(BIO_new(BIO_s_mem()));
    if (!PEM_write_bio_X509(caPem.get(), ca.get()) || !PEM_write_bio_X509(certPem.get(), server.get()) ||
        !PEM_write_bio_PrivateKey(keyPem.get(), serverKey.get(), nullptr, nullptr, 0, nullptr, nullptr))
        return fail("cannot encode the certificates");

    const auto ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
    const auto readable = ownerOnly | QFile::ReadGroup | QFile::ReadOther;
    m_caPath = m_dir->filePath(QStringLiteral("demo-ca.pem"));
    m_certPath = m_dir->filePath(QStringLiteral("server.pem"));
    m_keyPath = m_dir->filePath(QStringLiteral("server-key.pem"));
    if (!writePem(m_keyPath, keyPem, ownerOnly) || !writePem(m_certPath, certPem, readable) ||
        !writePem(m_caPath, caPem, readable))
        return fail("cannot write the certificate files");
    return true;
}
