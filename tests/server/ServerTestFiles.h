#pragma once
#include <string>

// A fresh folder for one test's database and files, removed afterwards.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;
    std::string Path(const char* name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// The whole file, byte for byte; empty when it cannot be read.
std::string ReadText(const std::string& path);
