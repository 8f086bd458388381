// Re-order lists from a pharmacy's stock system: any bytes, read and matched
// against a few products (one with a barcode) and an order holding one line.
#include <cstdint>
#include <memory>
#include <string>

#include "order/OrderImport.h"

namespace {

std::unique_ptr<ItemRecord> Line(const char* code, const char* second, int32_t quantity)
{
    auto r = std::make_unique<ItemRecord>();
    r->code = code;
    r->auxText = second;
    r->quantity = quantity;
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CItemList products;
    static CItemList order;
    if (!products.IsSetUp()) {
        products.Setup(ListKind::Products);
        products.AddRecord(Line("A1", "4006381333931", 0));
        products.AddRecord(Line("B2", "96385074", 0));
        order.Setup(ListKind::Order);
        order.AddRecord(Line("B2", "", 990));
    }
    COrderImport import;
    if (import.Read(std::string(reinterpret_cast<const char*>(data), size))) {
        import.Match(products, order);
        import.Report(20);
    }
    return 0;
}
