#include "Dpi.h"

namespace {

// Present from Windows 10 1607 on; looked up so the program still starts on older systems.
template <typename Function>
Function User32Function(const char* name)
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 != nullptr
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

int SystemDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : defaultDpi;
}

} // namespace

int DpiOfWindow(HWND window)
{
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr)
        if (UINT dpi = getDpiForWindow(window); dpi != 0)
            return static_cast<int>(dpi);
    return SystemDpi();
}

int ScaleForDpi(int pixelsAt96, int dpi)
{
    return MulDiv(pixelsAt96, dpi, defaultDpi);
}

int SystemMetricForDpi(int index, int dpi)
{
    static const auto getSystemMetricsForDpi =
        User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (getSystemMetricsForDpi != nullptr)
        return getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
    return GetSystemMetrics(index); // the system's DPI, the only one there is then
}
