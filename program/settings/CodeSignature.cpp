#include "settings/CodeSignature.h"

#include <windows.h>

#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <vector>

#include "framework/SystemLibrary.h"

namespace {

std::wstring Wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? static_cast<size_t>(length) : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    return wide;
}

// Whether Windows verifies the embedded signature: the file as signed, the
// certificate chain to a trusted root. Revocation is not asked for: a
// pharmacy may be offline when it updates.
LONG VerifyTrust(const std::wstring& path)
{
    static const auto verify =
        LibraryFunction<decltype(&WinVerifyTrust)>(LoadSystemLibrary("wintrust.dll"), "WinVerifyTrust");
    if (!verify)
        return TRUST_E_NOSIGNATURE;
    WINTRUST_FILE_INFO file{};
    file.cbStruct = sizeof file;
    file.pcwszFilePath = path.c_str();
    WINTRUST_DATA data{};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    const LONG result = verify(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    const DWORD detail = GetLastError();
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    verify(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    // No signature at all is told apart from one that is there but broken
    // only by the error behind the result.
    if (result == TRUST_E_NOSIGNATURE && detail != static_cast<DWORD>(TRUST_E_NOSIGNATURE) &&
        detail != static_cast<DWORD>(TRUST_E_SUBJECT_FORM_UNKNOWN) &&
        detail != static_cast<DWORD>(TRUST_E_PROVIDER_UNKNOWN))
        return TRUST_E_BAD_DIGEST;
    return result;
}

struct Crypt32 {
    HMODULE library = LoadSystemLibrary("crypt32.dll");
    decltype(&CryptQueryObject) queryObject = LibraryFunction<decltype(queryObject)>(library, "CryptQueryObject");
    decltype(&CryptMsgGetParam) msgGetParam = LibraryFunction<decltype(msgGetParam)>(library, "CryptMsgGetParam");
    decltype(&CryptMsgClose) msgClose = LibraryFunction<decltype(msgClose)>(library, "CryptMsgClose");
    decltype(&CertFindCertificateInStore) findCertificate =
        LibraryFunction<decltype(findCertificate)>(library, "CertFindCertificateInStore");
    decltype(&CertGetNameStringA) getName = LibraryFunction<decltype(getName)>(library, "CertGetNameStringA");
    decltype(&CertFreeCertificateContext) freeCertificate =
        LibraryFunction<decltype(freeCertificate)>(library, "CertFreeCertificateContext");
    decltype(&CertCloseStore) closeStore = LibraryFunction<decltype(closeStore)>(library, "CertCloseStore");

    bool Loaded() const
    {
        return queryObject && msgGetParam && msgClose && findCertificate && getName && freeCertificate && closeStore;
    }
};

// The signer certificate's subject name (its common name), as Windows shows it.
std::string SignerName(const Crypt32& crypt, HCERTSTORE store, HCRYPTMSG message)
{
    DWORD size = 0;
    if (!crypt.msgGetParam(message, CMSG_SIGNER_INFO_PARAM, 0, nullptr, &size) || size == 0)
        return std::string();
    std::vector<BYTE> buffer(size);
    if (!crypt.msgGetParam(message, CMSG_SIGNER_INFO_PARAM, 0, buffer.data(), &size))
        return std::string();
    const auto* signerInfo = reinterpret_cast<const CMSG_SIGNER_INFO*>(buffer.data());
    CERT_INFO wanted{};
    wanted.Issuer = signerInfo->Issuer;
    wanted.SerialNumber = signerInfo->SerialNumber;
    PCCERT_CONTEXT certificate = crypt.findCertificate(store, X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, 0,
                                                       CERT_FIND_SUBJECT_CERT, &wanted, nullptr);
    if (!certificate)
        return std::string();
    char name[256] = "";
    crypt.getName(certificate, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, name, sizeof name);
    crypt.freeCertificate(certificate);
    return name;
}

std::string ReadSigner(const std::wstring& path)
{
    static const Crypt32 crypt;
    if (!crypt.Loaded())
        return std::string();
    DWORD encoding = 0, contentType = 0, formatType = 0;
    HCERTSTORE store = nullptr;
    HCRYPTMSG message = nullptr;
    if (!crypt.queryObject(CERT_QUERY_OBJECT_FILE, path.c_str(), CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED_EMBED,
                           CERT_QUERY_FORMAT_FLAG_BINARY, 0, &encoding, &contentType, &formatType, &store, &message,
                           nullptr))
        return std::string();
    const std::string name = SignerName(crypt, store, message);
    crypt.msgClose(message);
    crypt.closeStore(store, 0);
    return name;
}

} // namespace

UpdateSignature CheckCodeSignature(const std::string& path, std::string* signer)
{
    const std::wstring wide = Wide(path);
    signer->clear();
    const LONG trust = VerifyTrust(wide);
    if (trust == TRUST_E_NOSIGNATURE || trust == TRUST_E_SUBJECT_FORM_UNKNOWN || trust == TRUST_E_PROVIDER_UNKNOWN)
        return UpdateSignature::None;
    if (trust != ERROR_SUCCESS)
        return UpdateSignature::Invalid;
    *signer = ReadSigner(wide);
    if (signer->empty())
        *signer = "an unknown publisher";
    return *signer == kUpdatePublisher ? UpdateSignature::Supplier : UpdateSignature::Other;
}
