#include "ServerTestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

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

std::string ReadText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}
