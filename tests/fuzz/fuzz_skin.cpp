// Feeds skin scripts to the reader, the section loader and every item body,
// then paints the result and drives it with the mouse and keys.
//
// The first byte picks how the rest is read: as script text, or as a list of
// the language's words (one byte a word), which reaches deep into the item
// bodies without a corpus.
#include <cstdint>
#include <string>

#include "SkinTestRecorder.h"
#include "TempFolder.h"
#include "skin/Skin.h"
#include "skin/SkinItem.h"

namespace {

const char* const kWords[] = {
    "END", "SET", "SECTION", "BITMAP", "RECTANGLE", "ELLIPSE", "POLYGON", "CONTROL", "REGION", "HOTKEY",
    "{", "}", "(", ")", "IN", "ID", "NORMAL", "OVER", "DOWN", "RIGHT", "WINMOVE", "TIP", "FILE", "RECT",
    "HX", "HY", "TEXT", "TRANS", "VERTTILE", "HORZTILE", "DEST", "BORDER", "FILL", "X", "Y", "XE", "YE",
    "W", "H", "COLOR", "SOLID", "DASH", "DOT", "DASHDOT", "WIDTH", "HOLLOW", "CROSS", "DIAGCROSS", "FONT",
    "FACE", "HEIGHT", "BOLD", "ITALIC", "ANTIALIASED", "LEFT", "CENTER", "BOTTOM", "AND", "COPY", "DIFF",
    "OR", "XOR", "POLY", "ELLIPTIC", "F2", "RETURN", "ALT", "$cat", "$p1", "$p2", "/*", "*/", "[A]", "A",
    "0", "1", "10", "-5R", "50%", "0C", "25%B", "R", "B", "0x10", "255", "-1", "a.bmp", "b.bmp", "\"q w\"",
    "\r\n", "x", "100", "1000",
};
constexpr size_t kWordCount = sizeof kWords / sizeof kWords[0];

std::string Script(const uint8_t* data, size_t size)
{
    if (size == 0 || data[0] % 2 == 0)
        return std::string(reinterpret_cast<const char*>(data), size).substr(size ? 1 : 0);
    std::string text;
    for (size_t i = 1; i < size; ++i)
        text += std::string(kWords[data[i] % kWordCount]) + " ";
    return text + "\r\n";
}

// Includes may name only the script being fuzzed: nothing else on disk is read.
class FuzzSkin : public CSkin {
public:
    explicit FuzzSkin(const std::string& path) : m_path(path) {}
    bool LoadSection(const char* file, const char* section) override
    {
        return m_path == file && CSkin::LoadSection(file, section);
    }

private:
    std::string m_path;
};

void Drive(CSkin& skin, const uint8_t* data, size_t size)
{
    skin.WindowProc(0x000F, 0, 0);
    for (size_t i = 0; i + 2 < size && i < 64; i += 3) {
        const intptr_t where = intptr_t(data[i + 1]) * 2 | intptr_t(data[i + 2]) << 16;
        skin.WindowProc(0x0200 + data[i] % 7, data[i] % 4, where);
    }
    skin.WindowProc(0x0215, 0, 0);
    skin.WindowProc(0x0101, 0x71, 0);
    for (uint32_t id : {0u, 1u, 10u, 100u})
        if (CSkinItem* item = skin.FindItem(id)) {
            item->SetText("text");
            item->SetColour(1, 2, 3);
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const CTempFolder folder;
    static const std::string path = folder.Path("skin.ini");
    WriteBytes(path, Script(data, size));

    // The recorders touch every point and text they are handed, so bad
    // pointers show up under ASan.
    CFakeBitmapLoader bitmaps;
    bitmaps.sizes = {{"a.bmp", {40, 20}}, {"b.bmp", {1, 3}}, {"x", {97, 41}}};
    CRecordingFailures failures;
    CSkinBitmapCache::Shared().SetLoader(&bitmaps);
    CSkin::SetFailureReport(&failures);
    {
        CRecordingWindow window;
        window.visibleControls = {0, 1, 10, 100, 1000};
        FuzzSkin skin(path);
        skin.Attach(&window, 0x8000);
        skin.LoadSection(path.c_str(), nullptr);
        skin.LoadSection(path.c_str(), "[A]");
        Drive(skin, data, size);
    }
    CSkinBitmapCache::Shared().ReleaseAll();
    CSkinBitmapCache::Shared().SetLoader(nullptr);
    CSkin::SetFailureReport(nullptr);
    return 0;
}
