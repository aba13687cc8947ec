// Windows, focus, monitors and the message queue of the running desktop.
#pragma once

#include "platform/ICanvas.h"
#include "platform/PopupMenu.h"
#include "platform/Types.h"

#include <cstdint>
#include <string>

namespace fg {

// The display elements whose colours the colour scheme sets and the program draws with.
enum class SystemColor : std::uint8_t { ButtonFace };

class IDesktop {
  public:
    virtual ~IDesktop() = default;

    // Windows and z-order.
    virtual HWindow ForegroundWindow() = 0;
    virtual HWindow DesktopWindow() = 0;
    virtual HWindow NextWindow(HWindow h) = 0; // the next window below h in the z-order, or 0
    virtual bool IsVisible(HWindow h) = 0;
    virtual bool IsMinimized(HWindow h) = 0;
    virtual void Restore(HWindow h) = 0;
    virtual void BringToTop(HWindow h) = 0;
    virtual bool SetForeground(HWindow h) = 0;
    virtual HWindow FindTopLevelByClass(const std::wstring& className) = 0;
    // The top-level window that a click at this screen point would land in, or 0.
    virtual HWindow TopLevelAt(TPoint p) = 0;

    // Threads and processes behind windows.
    virtual std::uint32_t WindowThreadId(HWindow h) = 0;
    virtual std::uint32_t WindowProcessId(HWindow h) = 0;
    virtual std::uint32_t CurrentThreadId() = 0;
    virtual bool AttachThreadInput(std::uint32_t from, std::uint32_t to, bool attach) = 0;
    // The control with the keyboard focus in the thread of a window (0: none), and giving the
    // focus to a control of a thread whose input the caller has joined.
    virtual HWindow FocusedControl(HWindow h) = 0;
    virtual void SetFocus(HWindow control) = 0;

    // The system-wide foreground lock timeout (milliseconds).
    virtual std::uint32_t ForegroundLockTimeout() = 0;
    virtual void SetForegroundLockTimeout(std::uint32_t ms) = 0;

    // Window geometry: the screen rectangle, and whether its placement is maximised.
    virtual bool WindowRect(HWindow h, TRect& r) = 0;
    virtual bool WindowMaximized(HWindow h, bool& maximized) = 0;
    // A point of a window's client area in screen coordinates; the client area's size.
    virtual bool ClientToScreen(HWindow h, TPoint& p) = 0;
    virtual TPoint ClientSize(HWindow h) = 0;
    // Pops a menu up with its top-left corner at a screen point, for an owner window of the
    // calling thread (0: one of the seam's own, which takes the foreground meanwhile); returns
    // when it has closed, after running the click of the entry picked, if any.
    virtual void PopupMenu(const TPopupMenu& menu, TPoint at, HWindow owner) = 0;

    // Bounds of the monitor nearest to a point or a rectangle; false when the system names none.
    virtual bool MonitorNearest(TPoint p, TRect& bounds) = 0;
    virtual bool MonitorNearestRect(const TRect& r, TRect& bounds) = 0;
    virtual TRect PrimaryMonitor() = 0;
    // The DPI of the monitor nearest to a point (96 at 100 %).
    virtual int MonitorDpi(TPoint p) = 0;
    // The work area (the bounds less the taskbar and docked bars) of the monitor nearest to a
    // point; false when the system names none.
    virtual bool MonitorWorkArea(TPoint p, TRect& work) = 0;
    // Width and height of the virtual screen (all monitors).
    virtual TPoint VirtualScreenSize() = 0;
    // A display element's colour in the current colour scheme.
    virtual TColor SysColor(SystemColor element) = 0;

    // Dispatches every message waiting for the calling thread.
    virtual void ProcessMessages() = 0;
    // True once the program has been asked to end.
    virtual bool Terminating() = 0;

    // Sends WM_COPYDATA (dwData 0) synchronously to h.
    virtual void SendCopyData(HWindow h, const void* data, std::uint32_t size) = 0;

    // Replaces the clipboard's contents with a Unicode text; empties it; reads its text.
    virtual bool SetClipboardText(const std::wstring& text) = 0;
    virtual bool ClearClipboard() = 0;
    virtual bool ClipboardText(std::wstring& text) = 0;

    // The first visible top-level popup menu window (class #32768), or 0; and asking a window to
    // close (posted: a menu of another program closes in its own time, and nobody waits for it).
    virtual HWindow FindPopupMenu() = 0;
    virtual void SendClose(HWindow h) = 0;
    virtual void ShowMessage(const std::wstring& text, const std::wstring& caption) = 0;

    // The system's dialog for opening an existing file, starting in initialFolder and listing
    // the files that match filter. A chosen shortcut gives the file it points to. True with the
    // chosen file's full path; false when cancelled.
    virtual bool OpenFileDialog(HWindow owner, const std::wstring& initialFolder,
                                const std::wstring& filter, std::wstring& chosen) = 0;
};

} // namespace fg
