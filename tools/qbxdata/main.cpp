// qbxdata: makes and reads the program's scrambled data files.
//
//   qbxdata import <products.csv|.tsv> <Database.dat> [--key KEY]
//   qbxdata demo <Database.dat> [--count N] [--seed S] [--key KEY]
//   qbxdata cat <file.dat> [--key KEY]
//   qbxdata order-import <list.csv|.tsv> <Database.dat> <Current.dat> [--key KEY]
//
// Exit codes: 0 done, 1 failed (nothing half-written), 2 usage, 3 a re-order
// list's usable rows taken and the others listed.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "data/ItemList.h"
#include "data/ProductImport.h"
#include "data/ScrambledFile.h"
#include "order/OrderImport.h"
#include "demo/DemoCatalogue.h"

namespace {

struct Options {
    std::vector<std::string> args;
    std::optional<std::string> key;
    size_t count = kDemoCatalogueSize;
    uint32_t seed = 1;
};

int Usage()
{
    std::fputs("usage:\n"
               "  qbxdata import <products.csv|.tsv> <Database.dat> [--key KEY]\n"
               "  qbxdata demo <Database.dat> [--count N] [--seed S] [--key KEY]\n"
               "  qbxdata cat <file.dat> [--key KEY]\n"
               "  qbxdata order-import <list.csv|.tsv> <Database.dat> <Current.dat> [--key KEY]\n"
               "The key is the installation's data-file key; without one the file is plain text.\n",
               stderr);
    return 2;
}

bool ParseNumber(const char* text, unsigned long long max, unsigned long long& out)
{
    char* end = nullptr;
    out = std::strtoull(text, &end, 10);
    return *text && *end == '\0' && out <= max;
}

bool ParseOptions(int argc, char** argv, Options& o)
{
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        unsigned long long n = 0;
        if (a == "--key" && i + 1 < argc)
            o.key = argv[++i];
        else if (a == "--count" && i + 1 < argc && ParseNumber(argv[i + 1], 10000000, n))
            o.count = n, ++i;
        else if (a == "--seed" && i + 1 < argc && ParseNumber(argv[i + 1], UINT32_MAX, n))
            o.seed = static_cast<uint32_t>(n), ++i;
        else if (a.rfind("--", 0) == 0)
            return false;
        else
            o.args.push_back(a);
    }
    return true;
}

bool SaveProducts(const std::vector<ItemRecord>& products, const std::string& target, const CFixedKey& key)
{
    CItemList list(&key);
    for (const ItemRecord& r : products)
        list.AddRecord(std::make_unique<ItemRecord>(r));
    if (list.Save(target.c_str()))
        return true;
    std::fprintf(stderr, "qbxdata: cannot write %s\n", target.c_str());
    return false;
}

int Import(const Options& o)
{
    if (o.args.size() != 2)
        return Usage();
    std::ifstream in(o.args[0], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "qbxdata: cannot read %s\n", o.args[0].c_str());
        return 1;
    }
    std::string text((std::istreambuf_iterator<char>(in)), {});
    CProductImport import;
    if (!import.Parse(text, CProductImport::FormatFor(o.args[0]))) {
        std::fprintf(stderr, "qbxdata: %s: %s\n", o.args[0].c_str(), import.Error().c_str());
        return 1;
    }
    if (import.Duplicates())
        std::fprintf(stderr, "qbxdata: %d repeated item codes; the program keeps the first of each\n",
                     import.Duplicates());
    if (!SaveProducts(import.Products(), o.args[1], CFixedKey(o.key)))
        return 1;
    std::printf("%zu products written to %s\n", import.Products().size(), o.args[1].c_str());
    return 0;
}

int Demo(const Options& o)
{
    if (o.args.size() != 1)
        return Usage();
    if (!SaveProducts(MakeDemoCatalogue(o.count, o.seed), o.args[0], CFixedKey(o.key)))
        return 1;
    std::printf("%zu demo products written to %s\n", o.count, o.args[0].c_str());
    return 0;
}

int Cat(const Options& o)
{
    if (o.args.size() != 1)
        return Usage();
    CFixedKey key(o.key);
    CScrambledFile file(&key);
    if (!file.Open(o.args[0], false)) {
        const char* format = file.Scrambled() ? "qbxdata: %s is scrambled: give its --key\n"
                                              : "qbxdata: cannot read %s\n";
        std::fprintf(stderr, format, o.args[0].c_str());
        return 1;
    }
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY); // the file's own bytes, not CR LF for LF
#endif
    for (int c; (c = file.ReadByte()) != -1;)
        std::putchar(c);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

// A data file the program reads: a missing order is an empty one, as at the program's start.
bool LoadList(CItemList& list, ListKind kind, const std::string& path)
{
    list.Setup(kind);
    if (list.Load(path.c_str()) || (kind == ListKind::Order && !list.Unreadable()))
        return true;
    const char* format = list.Unreadable() ? "qbxdata: %s is scrambled: give its --key\n" : "qbxdata: cannot read %s\n";
    std::fprintf(stderr, format, path.c_str());
    return false;
}

// The same rules as a list dropped on the program's window: the usable rows
// join the order at once, the others are listed and make the exit code 3.
int OrderImport(const Options& o)
{
    if (o.args.size() != 3)
        return Usage();
    const std::string& listFile = o.args[0];
    COrderImport import;
    if (!import.ReadFile(listFile)) {
        std::fprintf(stderr, "qbxdata: %s: %s Nothing was added.\n", listFile.c_str(), import.Error().c_str());
        return 1;
    }
    CFixedKey key(o.key);
    CItemList products(&key);
    CItemList order(&key);
    if (!LoadList(products, ListKind::Products, o.args[1]) || !LoadList(order, ListKind::Order, o.args[2]))
        return 1;
    import.Match(products, order);
    import.AddTo(order);
    if (!import.Lines().empty() && order.Unsaved()) {
        std::fprintf(stderr, "qbxdata: cannot write %s\n", o.args[2].c_str());
        return 1;
    }
    for (const UnusedListRow& row : import.Unused())
        std::fprintf(stderr, "qbxdata: %s line %d: %s\n", listFile.c_str(), row.line, row.reason.c_str());
    std::printf("%zu rows of %s joined the order in %s\n", import.Lines().size(), listFile.c_str(), o.args[2].c_str());
    return import.Unused().empty() ? 0 : 3;
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (argc < 2 || !ParseOptions(argc, argv, o))
        return Usage();
    const std::string command = argv[1];
    if (command == "import")
        return Import(o);
    if (command == "demo")
        return Demo(o);
    if (command == "cat")
        return Cat(o);
    if (command == "order-import")
        return OrderImport(o);
    return Usage();
}
