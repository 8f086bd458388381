#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

// A fresh folder of its own for a test's files, removed with them afterwards.
// No GoogleTest here: the order server's benchmarks use it too.
class CTempFolder {
public:
    CTempFolder()
    {
        std::random_device random;
        std::error_code error;
        const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
        // A random name, drawn again in the rare case that it is taken.
        for (bool made = false; !made && !error;) {
            m_folder = temp / ("qbx-test-" + std::to_string(random()));
            made = std::filesystem::create_directory(m_folder, error);
        }
    }
    ~CTempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::filesystem::path& Folder() const { return m_folder; }
    std::string Path(const std::string& name) const { return (m_folder / name).string(); }

private:
    std::filesystem::path m_folder;
};

// The whole file, byte for byte; empty when it cannot be read.
inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// False when the file cannot be written.
inline bool WriteBytes(const std::string& path, const std::string& bytes)
{
    return static_cast<bool>(std::ofstream(path, std::ios::binary) << bytes);
}
