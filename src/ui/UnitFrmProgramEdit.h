// The program editor as a window of its own: the editor with "Set" and "Cancel", shown modally
// over the foreground program.
#pragma once

#include "ui/UnitFrameProgramEdit.h"

#include <string>

namespace fg {

// What the window asks of its native window.
class IModalProgramView {
  public:
    virtual ~IModalProgramView() = default;
    // Shows the window modally; true when it was closed with "Set".
    virtual bool ShowModal() = 0;
};

class TFrmProgramEdit {
  public:
    explicit TFrmProgramEdit(IModalProgramView* v = nullptr) : view(v) {}
    void SetView(IModalProgramView* v) { view = v; }
    TFrameProgramEdit& Editor() { return editor; }

    // Joins the foreground program's input, shows the window and, when it is closed with "Set",
    // gives the two fields and true. When the join fails nothing shows; then, and on "Cancel",
    // prog and param stay as they were and the answer is false.
    bool GetProgram(std::wstring& prog, std::wstring& param);

  private:
    IModalProgramView* view;
    TFrameProgramEdit editor;
};

} // namespace fg
