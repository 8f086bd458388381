#pragma once
#include <string>

// Text that goes into an order field as it stands: the account and the item
// codes. A "~" would end the field early and add fields of the sender's
// choosing; a control byte (STX, ETX, DLE and the like) would break the link's
// framing, and a TAB or line end would split a record in a data file.
bool IsFieldText(const std::string& text);
// Bytes below 32, or 127.
bool HoldsControlBytes(const std::string& text);

// The text up to the first byte IsFieldText refuses.
std::string FieldTextPrefix(const std::string& text);

// Free text for a field (the order notes): cut before the first "~", with
// control bytes other than TAB and line ends left out.
std::string FreeFieldText(const std::string& text);
