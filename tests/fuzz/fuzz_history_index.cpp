// The history index and the history file names come from disk: any bytes
// must give a sound tree whose orders rebuild to names inside History and
// read back into a summary.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "history/HistoryName.h"
#include "history/HistoryTexts.h"
#include "history/HistoryTree.h"

namespace {

void Walk(const CHistoryNode& node)
{
    for (const auto& child : node.children) {
        if (child->parent != &node || child->depth != node.depth + 1)
            std::abort();
        if (child->IsOrder() && CHistoryTree::OrderPath(*child).rfind("History\\", 0) != 0)
            std::abort();
        if (child->IsOrder() && OrderSummary(CHistoryTree::OrderName(*child)).rfind("Order Number: ", 0) != 0)
            std::abort();
        Walk(*child);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CHistoryTree tree;
    tree.ReadIndex(data, size);
    Walk(tree.Root());

    const std::string text(reinterpret_cast<const char*>(data), size);
    HistoryName name;
    if (ParseHistoryName(text, name) != tree.AddHistoryFile(text))
        std::abort();
    Walk(tree.Root());

    const std::string safe = SanitiseOrderNumber(text);
    if (safe.size() > kMaxOrderNumberText || safe.find_first_of("/\\:") != std::string::npos ||
        safe.find("..") != std::string::npos)
        std::abort();
    return 0;
}
