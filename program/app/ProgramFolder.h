#pragma once
#include <optional>
#include <string>

// The folder of a program path: the path cut at its last '/' or, when it has
// none, at its last '\'. Nothing when the path holds no separator.
inline std::optional<std::string> ProgramFolder(const std::string& path)
{
    size_t cut = path.rfind('/');
    if (cut == std::string::npos)
        cut = path.rfind('\\');
    if (cut == std::string::npos)
        return std::nullopt;
    return path.substr(0, cut);
}
