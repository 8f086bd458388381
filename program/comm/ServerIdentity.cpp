#include "comm/ServerIdentity.h"

#include <bcrypt.h>

#include <vector>

namespace {

bool Sha256(const BYTE* bytes, DWORD count, CCertificatePin::Digest* digest)
{
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    if (BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) != 0)
        return false;
    bool ok = BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0) == 0;
    ok = ok && BCryptHashData(hash, const_cast<BYTE*>(bytes), count, 0) == 0 &&
         BCryptFinishHash(hash, digest->data(), static_cast<ULONG>(digest->size()), 0) == 0;
    if (hash)
        BCryptDestroyHash(hash);
    BCryptCloseAlgorithmProvider(algorithm, 0);
    return ok;
}

// The pin is taken over the key as the certificate carries it (DER
// SubjectPublicKeyInfo), so it survives a renewed certificate on the same key.
bool KeyIsPinned(PCCERT_CONTEXT certificate, const CCertificatePin& pin)
{
    DWORD size = 0;
    CERT_PUBLIC_KEY_INFO* key = &certificate->pCertInfo->SubjectPublicKeyInfo;
    if (!CryptEncodeObjectEx(X509_ASN_ENCODING, X509_PUBLIC_KEY_INFO, key, 0, nullptr, nullptr, &size))
        return false;
    std::vector<BYTE> der(size);
    if (!CryptEncodeObjectEx(X509_ASN_ENCODING, X509_PUBLIC_KEY_INFO, key, 0, nullptr, der.data(), &size))
        return false;
    CCertificatePin::Digest digest{};
    return Sha256(der.data(), size, &digest) && pin.Matches(digest);
}

bool WithinDates(PCCERT_CONTEXT certificate)
{
    return CertVerifyTimeValidity(nullptr, certificate->pCertInfo) == 0;
}

bool SignedBy(PCCERT_CONTEXT subject, PCCERT_CONTEXT issuer)
{
    return CryptVerifyCertificateSignatureEx(0, X509_ASN_ENCODING, CRYPT_VERIFY_CERT_SIGN_SUBJECT_CERT,
                                             const_cast<CERT_CONTEXT*>(subject), CRYPT_VERIFY_CERT_SIGN_ISSUER_CERT,
                                             const_cast<CERT_CONTEXT*>(issuer), 0, nullptr) != FALSE;
}

// Only a certificate the server sent along can be the authority: the
// program trusts no store of the system for this.
bool IssuedByPinned(PCCERT_CONTEXT server, const CCertificatePin& pin)
{
    PCCERT_CONTEXT candidate = nullptr;
    while ((candidate = CertEnumCertificatesInStore(server->hCertStore, candidate)) != nullptr) {
        if (CertCompareCertificate(X509_ASN_ENCODING, candidate->pCertInfo, server->pCertInfo))
            continue;
        if (KeyIsPinned(candidate, pin) && WithinDates(candidate) && SignedBy(server, candidate)) {
            CertFreeCertificateContext(candidate);
            return true;
        }
    }
    return false;
}

} // namespace

bool ProvesQuarn(PCCERT_CONTEXT server, const CCertificatePin& pin)
{
    if (!server || pin.Empty() || !WithinDates(server))
        return false;
    return KeyIsPinned(server, pin) || IssuedByPinned(server, pin);
}
