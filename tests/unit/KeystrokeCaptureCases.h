// Keystrokes as the editors capture them, for the round trip through the stored form: keys held
// down when the main key goes down, the main key, and the display name the field then shows.
// Shared by the unit tests (fake keyboard) and the Windows tests (the real one).
#pragma once

#include <cstdint>
#include <vector>

namespace fg::test {

struct CaptureCase {
    std::vector<std::uint8_t> held; // down in the keyboard state
    std::uint16_t key;              // the key-down the field receives
    const wchar_t* shown;
};

inline const std::vector<CaptureCase>& CaptureCases() {
    static const std::vector<CaptureCase> cases = {
        {{16}, '2', L"SHIFT+2"}, // the key's name, not the character Shift+2 types
        {{17}, 'W', L"CTRL+W"},
        {{17}, 187, L"CTRL+="},
        {{}, 186, L";"},
        {{16}, 188, L"SHIFT+,"},
        {{18}, 189, L"ALT+-"},
        {{}, 190, L"."},
        {{17, 16}, 191, L"CTRL+SHIFT+/"},
        {{}, 192, L"`"},
        {{17}, 219, L"CTRL+["},
        {{}, 220, L"\\"},
        {{18}, 221, L"ALT+]"},
        {{16}, 222, L"SHIFT+'"},
        {{18}, 115, L"ALT+F4"},
        {{}, 123, L"F12"},
        {{17}, 124, L"CTRL+"}, // F13 has no name
        {{}, 96, L"NUMPAD 0"},
        {{17}, 105, L"CTRL+NUMPAD 9"},
        {{}, 106, L"MULTIPLY"},
        {{16}, 111, L"SHIFT+DIVIDE"},
        {{}, 226, L""}, // the extra key of European keyboards: its character is the layout's
        {{18}, 226, L"ALT+"},
        {{92, 17, 16, 18}, 'A', L"WINKEY+CTRL+SHIFT+ALT+A"}, // the right Windows key counts too
        {{91}, 'M', L"WINKEY+M"},
        {{17, 16}, 27, L"CTRL+SHIFT+ESCAPE"},
        {{}, 17, L"CTRL+"}, // a modifier alone is the main key
        {{}, 44, L""},      // Print Screen
        {{}, 42, L"PRINT"},
        {{17}, 13, L"CTRL+ENTER"},
        {{}, 32, L"SPACE"},
        {{18}, 32, L"ALT+SPACE"},
    };
    return cases;
}

} // namespace fg::test
