#include "platform/win32/Tally.h"

#include <mutex>
#include <set>

namespace fg::tally {

namespace {

// Windows are made and destroyed on the main thread; the lock is for a report from elsewhere.
std::mutex windowsLock;
std::set<HWND>& Windows() {
    static std::set<HWND> windows;
    return windows;
}

} // namespace

namespace detail {

void WindowMade(HWND h) {
    if (!h) return;
    std::lock_guard<std::mutex> lock(windowsLock);
    Windows().insert(h);
}

void WindowsGone() {
    std::lock_guard<std::mutex> lock(windowsLock);
    std::erase_if(Windows(), [](HWND h) { return !IsWindow(h); });
}

long MenuWithSubMenus(HMENU menu) {
    long count = 1;
    const int items = GetMenuItemCount(menu);
    for (int i = 0; i < items; ++i)
        if (HMENU sub = GetSubMenu(menu, i)) count += MenuWithSubMenus(sub);
    return count;
}

} // namespace detail

Counts Own() {
    detail::WindowsGone();
    std::lock_guard<std::mutex> lock(windowsLock);
    return {detail::gdi.load(), detail::menusAndIcons.load() + static_cast<long>(Windows().size())};
}

Counts System() {
    HANDLE self = GetCurrentProcess();
    return {static_cast<long>(GetGuiResources(self, GR_GDIOBJECTS)),
            static_cast<long>(GetGuiResources(self, GR_USEROBJECTS))};
}

std::wstring HandlesLine() {
    const Counts own = Own(), system = System();
    return L"Handles: GDI " + std::to_wstring(own.gdi) + L" (system " +
           std::to_wstring(system.gdi) + L"), USER " + std::to_wstring(own.user) + L" (system " +
           std::to_wstring(system.user) + L")";
}

} // namespace fg::tally
