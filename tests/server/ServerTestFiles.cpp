#include "ServerTestFiles.h"

#include <filesystem>

CTempDir::CTempDir()
{
    char pattern[] = "/tmp/orderd-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    m_path = made ? made : "/tmp";
}

CTempDir::~CTempDir()
{
    std::error_code ignored;
    if (m_path != "/tmp")
        std::filesystem::remove_all(m_path, ignored);
}
