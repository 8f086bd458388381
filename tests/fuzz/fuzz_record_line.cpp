// Data-file lines of every kind, as Load meets them: any bytes, any length.
#include <cstdint>
#include <string>

#include "data/ItemList.h"
#include "data/RecordFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const ListKind kinds[] = {ListKind::Products, ListKind::Order, ListKind::Response};
    const ListKind kind = kinds[data[0] % 3];
    std::string line(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string text = line;
    ItemRecord record = ParseRecordLine(kind, line.data());
    (void)CItemList::Matches(record.description.c_str(), text.c_str(), record.size.c_str());

    // Without line ends inside, a written record reads back with the same texts and counts.
    if (text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        return 0;
    std::string written = FormatRecordLine(kind, record);
    written.pop_back();
    ItemRecord again = ParseRecordLine(kind, written.data());
    if (again.code != record.code || again.size != record.size || again.description != record.description ||
        again.quantity != record.quantity || again.statusClass != record.statusClass ||
        again.statusText != record.statusText || again.auxText != record.auxText)
        __builtin_trap();
    return 0;
}
