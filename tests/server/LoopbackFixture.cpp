#include "LoopbackFixture.h"

#include <memory>

void FillOrder(CItemList& order, const OrderLines& lines)
{
    order.Setup(ListKind::Order);
    for (const auto& line : lines) {
        auto record = std::make_unique<ItemRecord>();
        record->code = line.first;
        record->quantity = line.second;
        record->description = "ITEM " + line.first;
        order.AddRecord(std::move(record));
    }
}

ClientScript OrderScript(int port, CItemList& order, const std::string& account, int64_t startTime, double version)
{
    ClientScript script;
    script.port = port;
    script.order.version = version;
    script.order.databaseTime = 1700000000;
    script.order.startTime = startTime;
    script.order.systemTags = "*WinXP (2.5.1.2600)";
    script.order.account = account;
    script.order.notes = kNotesPlaceholder;
    script.order.order = &order;
    script.orderList = &order;
    return script;
}
