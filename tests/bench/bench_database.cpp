// Loading and searching the product database at the size of a large supplier list.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "data/ItemList.h"
#include "data/RecordFormat.h"
#include "data/ScrambledFile.h"
#include "demo/DemoCatalogue.h"
#include "order/OrderImport.h"

namespace {

constexpr size_t kProducts = 100000;
const CFixedKey kKey(std::string("benchmark installation key"));

const std::string& DatabasePath()
{
    static const std::string path = [] {
        std::string p = (std::filesystem::temp_directory_path() / "qbx-bench-Database.dat").string();
        CItemList list(&kKey);
        for (ItemRecord& r : MakeDemoCatalogue(kProducts))
            list.AddRecord(std::make_unique<ItemRecord>(std::move(r)));
        list.Save(p.c_str());
        return p;
    }();
    return path;
}

void LoadDatabase(benchmark::State& state)
{
    DatabasePath();
    for (auto _ : state) {
        CItemList products(&kKey);
        products.Setup(ListKind::Products);
        products.Load(DatabasePath().c_str());
        benchmark::DoNotOptimize(products.Count());
    }
    state.counters["products"] = static_cast<double>(kProducts);
}
BENCHMARK(LoadDatabase)->Unit(benchmark::kMillisecond);

// The same load with a plain linear-scan FindByCode, as a list without an index costs.
void LoadDatabaseLinearScan(benchmark::State& state)
{
    DatabasePath();
    for (auto _ : state) {
        std::vector<ItemRecord> products;
        CScrambledFile file(&kKey);
        file.Open(DatabasePath(), false);
        char line[kMaxDataLine + 1];
        while (file.ReadLine(line, kMaxDataLine)) {
            ItemRecord r = ParseRecordLine(ListKind::Products, line);
            bool known = false;
            for (const ItemRecord& p : products)
                if (p.code == r.code) {
                    known = true;
                    break;
                }
            if (!known)
                products.push_back(std::move(r));
        }
        benchmark::DoNotOptimize(products.size());
    }
}
BENCHMARK(LoadDatabaseLinearScan)->Unit(benchmark::kMillisecond)->Iterations(1);

void SearchTwoWords(benchmark::State& state)
{
    CItemList products(&kKey);
    products.Setup(ListKind::Products);
    products.Load(DatabasePath().c_str());
    for (auto _ : state) {
        CItemList hits;
        hits.Setup(ListKind::SearchResults);
        hits.Search(products, "para 500", 200);
        benchmark::DoNotOptimize(hits.Count());
    }
}
BENCHMARK(SearchTwoWords)->Unit(benchmark::kMillisecond);

// A stock system's re-order list of 1,000 rows, every other one by its pack's
// barcode, read, matched and added to the order, whose file is saved once.
void ImportOrderList(benchmark::State& state)
{
    CItemList products(&kKey);
    products.Setup(ListKind::Products);
    products.Load(DatabasePath().c_str());
    std::string list = "Item,Qty\n";
    for (int i = 0; i < 1000; ++i) {
        const ItemRecord* product = products.At(i * 97);
        list += (i % 2 ? product->auxText : product->code) + "," + std::to_string(1 + i % 5) + "\n";
    }
    const std::string orderFile = (std::filesystem::temp_directory_path() / "qbx-bench-Current.dat").string();
    for (auto _ : state) {
        std::remove(orderFile.c_str());
        CItemList order(&kKey);
        order.Setup(ListKind::Order);
        order.Load(orderFile.c_str());
        COrderImport import;
        import.Read(list);
        import.Match(products, order);
        import.AddTo(order);
        if (order.Count() != 1000 || !import.Unused().empty())
            state.SkipWithError("the list was not taken whole");
    }
}
BENCHMARK(ImportOrderList)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
