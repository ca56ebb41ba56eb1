#include "tls_context.h"

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <stdexcept>

namespace test_site::detail {
namespace {

struct KeyFree {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct X509Free {
    void operator()(X509* certificate) const { X509_free(certificate); }
};
struct BioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};
struct ExtensionFree {
    void operator()(X509_EXTENSION* extension) const { X509_EXTENSION_free(extension); }
};

void require(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string("test certificate: ") + what);
}

void add_extension(X509* certificate, int nid, const char* value) {
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
    std::unique_ptr<X509_EXTENSION, ExtensionFree> extension(
        X509V3_EXT_conf_nid(nullptr, &context, nid, value));
    require(extension != nullptr, "extension");
    require(X509_add_ext(certificate, extension.get(), -1) == 1, "add extension");
}

template <typename Write>
std::string to_pem(Write write) {
    std::unique_ptr<BIO, BioFree> bio(BIO_new(BIO_s_mem()));
    require(bio != nullptr, "memory BIO");
    require(write(bio.get()) == 1, "PEM");
    char* data = nullptr;
    long size = BIO_get_mem_data(bio.get(), &data);
    return std::string(data, static_cast<std::size_t>(size));
}

// Self-signed and marked as its own authority, so that a client can trust it
// as the one anchor; P-256 keeps the generation fast.
Credentials make_credentials() {
    std::unique_ptr<EVP_PKEY, KeyFree> key(EVP_EC_gen("P-256"));
    require(key != nullptr, "key");
    std::unique_ptr<X509, X509Free> certificate(X509_new());
    require(certificate != nullptr, "X509_new");
    X509* cert = certificate.get();
    require(X509_set_version(cert, 2) == 1, "version");
    ASN1_INTEGER_set(X509_get_serialNumber(cert), 1);
    X509_gmtime_adj(X509_getm_notBefore(cert), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert), 7 * 24 * 3600);
    require(X509_set_pubkey(cert, key.get()) == 1, "public key");
    X509_NAME* name = X509_get_subject_name(cert);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("127.0.0.1"), -1, -1, 0);
    require(X509_set_issuer_name(cert, name) == 1, "issuer");
    add_extension(cert, NID_basic_constraints, "critical,CA:TRUE");
    add_extension(cert, NID_key_usage, "critical,digitalSignature,keyCertSign");
    add_extension(cert, NID_subject_key_identifier, "hash");
    add_extension(cert, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
    require(X509_sign(cert, key.get(), EVP_sha256()) > 0, "sign");

    Credentials credentials;
    credentials.certificate_pem = to_pem([&](BIO* bio) { return PEM_write_bio_X509(bio, cert); });
    credentials.key_pem = to_pem([&](BIO* bio) {
        return PEM_write_bio_PrivateKey(bio, key.get(), nullptr, nullptr, 0, nullptr, nullptr);
    });
    return credentials;
}

}  // namespace

const Credentials& test_credentials() {
    static const Credentials credentials = make_credentials();
    return credentials;
}

SslContext make_server_context() {
    SslContext context(SSL_CTX_new(TLS_server_method()));
    require(context != nullptr, "SSL_CTX_new");
    const Credentials& credentials = test_credentials();

    std::unique_ptr<BIO, BioFree> cert_bio(BIO_new_mem_buf(
        credentials.certificate_pem.data(), static_cast<int>(credentials.certificate_pem.size())));
    require(cert_bio != nullptr, "certificate BIO");
    std::unique_ptr<X509, X509Free> certificate(
        PEM_read_bio_X509(cert_bio.get(), nullptr, nullptr, nullptr));
    require(certificate != nullptr, "read certificate");
    require(SSL_CTX_use_certificate(context.get(), certificate.get()) == 1, "use certificate");

    std::unique_ptr<BIO, BioFree> key_bio(
        BIO_new_mem_buf(credentials.key_pem.data(), static_cast<int>(credentials.key_pem.size())));
    require(key_bio != nullptr, "key BIO");
    std::unique_ptr<EVP_PKEY, KeyFree> key(
        PEM_read_bio_PrivateKey(key_bio.get(), nullptr, nullptr, nullptr));
    require(key != nullptr, "read key");
    require(SSL_CTX_use_PrivateKey(context.get(), key.get()) == 1, "use key");
    return context;
}

}  // namespace test_site::detail
