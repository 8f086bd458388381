// Re-order lists from a pharmacy's stock system: any bytes, read and matched
// against a few products (one with a barcode) and an order holding one line.
#include <cstdint>
#include <string>

#include "OrderLines.h"
#include "order/OrderImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CItemList products;
    static CItemList order;
    if (!products.IsSetUp()) {
        products.Setup(ListKind::Products);
        AddProduct(products, "A1", "4006381333931");
        AddProduct(products, "B2", "96385074");
        order.Setup(ListKind::Order);
        AddLine(order, "B2", 990);
    }
    COrderImport import;
    if (import.Read(std::string(reinterpret_cast<const char*>(data), size))) {
        import.Match(products, order);
        import.Report(20);
    }
    return 0;
}
