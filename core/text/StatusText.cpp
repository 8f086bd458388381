#include "text/StatusText.h"

#include "base/StrFormat.h"
#include "text/CodeText.h"

namespace {

constexpr uint32_t kPartDelivered = 3;

const CodeText kStatusTexts[] = {
    {0, "Ok"},
    {1, "Item Not Found"},
    {2, "Not Available"},
    {4, "SERVER ERROR 1"},
    {5, "SERVER ERROR 2"},
    {6, "Unknown Account"},
    {7, "Out Of Stock"},
};

} // namespace

std::string StatusText(int code, int quantity)
{
    // Codes are compared unsigned, so a negative code is just another unknown one.
    const uint32_t status = static_cast<uint32_t>(code);
    if (status == kPartDelivered)
        return StrFormat("%d Ordered", quantity);
    return FindCodeText(kStatusTexts, status, "SERVER ERROR");
}
