#include "comm/OrderMessage.h"

#include "base/StrFormat.h"
#include "data/ItemList.h"
#include "text/FieldText.h"

const char kNotesPlaceholder[] = "<< enter order notes here, press TAB to select this window >>";

const char* ConnectionTag(int cnxType, int rasConnection)
{
    if (rasConnection != 0)
        return "*RAS";
    return cnxType == 1 ? "*MODEM" : "*INET";
}

namespace {

void AddNotes(std::vector<std::string>& fields, const std::string& notes)
{
    if (notes == kNotesPlaceholder)
        return;
    fields.push_back("ORDER NOTES " + FreeFieldText(notes) + "~");
}

} // namespace

std::vector<std::string> ComposeOrderFields(const OrderMessageInputs& in)
{
    std::vector<std::string> fields = {"10~", "0~", "QN~", StrFormat("%.3f~", in.version)};
    fields.push_back(StrFormat("QUARN %6.3f*%lld*%lld%s%s~", in.version, static_cast<long long>(in.databaseTime),
                               static_cast<long long>(in.startTime), in.systemTags.c_str(),
                               ConnectionTag(in.cnxType, in.rasConnection)));
    fields.push_back("ORDER SET 666~");
    // Settings refuse such accounts; one stored by other means is sent only up to the fault.
    fields.push_back("ACC " + FieldTextPrefix(in.account) + "~");
    AddNotes(fields, in.notes);
    if (in.order) {
        for (int i = 0; i < in.order->Count(); ++i) {
            const ItemRecord& line = *in.order->At(i);
            // Imports refuse such codes; a line with one from an older
            // database is left out and answered by nothing, so it stays "Failed".
            if (!IsFieldText(line.code))
                continue;
            fields.push_back(StrFormat("%s*%d~", line.code.c_str(), static_cast<int>(line.quantity)));
        }
    }
    return fields;
}
