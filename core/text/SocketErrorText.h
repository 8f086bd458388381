#pragma once

// The text of a Winsock error number. The socket layer's "last error" (-1)
// is resolved by the caller before it asks, as only the platform knows it.
const char* SocketErrorText(int code);
