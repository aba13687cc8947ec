// The keyboard and the mouse: state as the whole desktop sees it, the cursor, and synthesized
// key events.
#pragma once

#include "platform/Types.h"

#include <array>
#include <cstdint>

namespace fg {

// Virtual-key codes the portable code names.
namespace vk {
constexpr int LBUTTON = 0x01, RBUTTON = 0x02, SHIFT = 0x10, CONTROL = 0x11, MENU = 0x12,
              ESCAPE = 0x1B, SCROLL = 0x91, LWIN = 0x5B;
} // namespace vk

// Flags of a synthesized key event.
constexpr std::uint32_t KEYEVENTF_EXTENDEDKEY_ = 0x0001, KEYEVENTF_KEYUP_ = 0x0002;

class IInput {
  public:
    virtual ~IInput() = default;
    // Whether a mouse button is down right now, read so that it is reliable for a program
    // that never has the focus.
    virtual bool ButtonDown(int vkButton) = 0;
    // Whether a key is down (bit 0x80 of its state) and whether its toggle is on (bit 0x01).
    virtual bool KeyDown(int vkKey) = 0;
    virtual bool KeyToggled(int vkKey) = 0;
    // The system's swap-buttons setting. It changes which button is which for the messages
    // programs get (and for the low-level hook), not for ButtonDown, which reads the physical
    // buttons.
    virtual bool ButtonsSwapped() = 0;
    virtual TPoint CursorPos() = 0;

    // Synthesized input for the foreground program.
    virtual void KeyEvent(std::uint8_t vkKey, std::uint8_t scan, std::uint32_t flags) = 0;
    // The key and shift state that types a character in the current layout (-1: none).
    virtual std::int16_t CharToVirtualKey(wchar_t c) = 0;
    virtual std::uint32_t MapKey(std::uint32_t code, std::uint32_t mapType) = 0;
    virtual bool GetKeyboardState(std::array<std::uint8_t, 256>& state) = 0;
    virtual bool SetKeyboardState(const std::array<std::uint8_t, 256>& state) = 0;
};

// The physical button's key that is the secondary (context-menu, gesture) button, and the one that
// is the primary button, under the user's swap-buttons setting.
inline int SecondaryButtonKey(IInput& input) {
    return input.ButtonsSwapped() ? vk::LBUTTON : vk::RBUTTON;
}
inline int PrimaryButtonKey(IInput& input) {
    return input.ButtonsSwapped() ? vk::RBUTTON : vk::LBUTTON;
}

} // namespace fg
