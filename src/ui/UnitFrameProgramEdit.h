// The program editor: the program or file a "Run File or Program" action starts, and its
// parameters, with a browse menu that starts in one of four special folders.
#pragma once

#include <string>

namespace fg {

// The panel's logic (the wizard's "Run File or Program" page).
class TFrameProgramEdit {
  public:
    virtual ~TFrameProgramEdit() = default;
    // Loads a program action text: the program, "|", the parameters.
    void SetProgram(const std::wstring& initdata);
    // The two fields, unchanged; true when a program was entered.
    bool GetProgram(std::wstring& prog, std::wstring& param);
};

} // namespace fg
