#include "comm/OrderMessage.h"

#include "base/StrFormat.h"
#include "data/ItemList.h"

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
    // A "~" would end the field early: the notes end before the first one.
    fields.push_back("ORDER NOTES " + notes.substr(0, notes.find('~')) + "~");
}

} // namespace

std::vector<std::string> ComposeOrderFields(const OrderMessageInputs& in)
{
    std::vector<std::string> fields = {"10~", "0~", "QN~", StrFormat("%.3f~", in.version)};
    fields.push_back(StrFormat("QUARN %6.3f*%lld*%lld%s%s~", in.version, static_cast<long long>(in.databaseTime),
                               static_cast<long long>(in.startTime), in.systemTags.c_str(),
                               ConnectionTag(in.cnxType, in.rasConnection)));
    fields.push_back("ORDER SET 666~");
    fields.push_back("ACC " + in.account + "~");
    AddNotes(fields, in.notes);
    if (in.order) {
        for (int i = 0; i < in.order->Count(); ++i) {
            const ItemRecord& line = *in.order->At(i);
            fields.push_back(StrFormat("%s*%d~", line.code.c_str(), static_cast<int>(line.quantity)));
        }
    }
    return fields;
}
