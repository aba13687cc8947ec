// The native pieces both keystroke editors share: the capture field, an edit control whose key
// presses (also those with Alt) are captured instead of typed, and the hints of their controls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace fg {

// Makes edit the capture field: every key-down goes to onKeyDown and nothing is ever typed,
// pasted or selected. Inside a modal loop's dialog handling it still wants Enter and Escape,
// while Tab moves the focus on.
void MakeCaptureField(HWND edit, std::function<void(std::uint16_t)> onKeyDown);

// Shows text at the field, its caret after it, unless it shows that already.
void ShowInField(HWND edit, const std::wstring& text);

// The tooltip window of owner's controls, and a hint for one of them.
HWND MakeHints(HWND owner);
void AddHint(HWND hints, HWND control, const wchar_t* text);

// Gives a control the sunken edge of a text box.
void SinkEdge(HWND control);

} // namespace fg
