#pragma once
#include <windows.h>
#include <wincrypt.h>

#include "comm/CertificatePin.h"

// Whether the certificate a server showed proves it is Quarn: it is within
// its dates, and either its own public key is the pinned one, or it is signed
// by a certificate it sent beside it whose key is pinned (Quarn's authority)
// and which is within its dates too.
bool ProvesQuarn(PCCERT_CONTEXT server, const CCertificatePin& pin);
