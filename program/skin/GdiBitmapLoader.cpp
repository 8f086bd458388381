#include "skin/GdiBitmapLoader.h"

#include <windows.h>

#include <cstdlib>

bool CGdiBitmapLoader::Load(const char* fileName, SkinBitmapInfo& info)
{
    HANDLE bitmap = LoadImageA(nullptr, fileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (!bitmap)
        return false;
    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    HWND desktop = GetDesktopWindow();
    HDC dc = GetDC(desktop);
    const bool sized = GetDIBits(dc, static_cast<HBITMAP>(bitmap), 0, 0, nullptr, &header, DIB_RGB_COLORS) != 0;
    ReleaseDC(desktop, dc);
    info.handle = bitmap;
    info.width = sized ? header.bmiHeader.biWidth : 0;
    info.height = sized ? std::abs(header.bmiHeader.biHeight) : 0;
    return true;
}
