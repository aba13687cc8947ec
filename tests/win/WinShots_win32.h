// Pictures for a person to look at: bitmaps and windows as the screen shows them, written as
// 24-bit BMP files that every viewer opens.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace fg::test {

inline FILE* OpenForWriting(const std::string& path) {
    return std::fopen(path.c_str(), "wb");
}
inline FILE* OpenForWriting(const std::wstring& path) {
    return _wfopen(path.c_str(), L"wb");
}

// Writes bitmap, w by h pixels, read through dc, to path; false when that fails.
template <typename Path> bool SaveBitmap(HDC dc, HBITMAP bitmap, int w, int h, const Path& path) {
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = h; // bottom-up, as every reader expects
    info.biPlanes = 1;
    info.biBitCount = 24;
    const int stride = (w * 3 + 3) & ~3;
    std::vector<unsigned char> bits(static_cast<size_t>(stride) * h);
    if (!GetDIBits(dc, bitmap, 0, h, bits.data(), reinterpret_cast<BITMAPINFO*>(&info),
                   DIB_RGB_COLORS))
        return false;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(bits.size());
    FILE* f = OpenForWriting(path);
    if (!f) return false;
    std::fwrite(&file, sizeof file, 1, f);
    std::fwrite(&info, sizeof info, 1, f);
    std::fwrite(bits.data(), 1, bits.size(), f);
    std::fclose(f);
    return true;
}

// Writes window's pixels as the screen shows them (what covers it too) to path.
template <typename Path> bool SaveWindowShot(HWND window, const Path& path) {
    RECT r{};
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    const bool saved = SaveBitmap(mem, bitmap, w, h, path);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return saved;
}

} // namespace fg::test
