#include "ui/UnitFrmProgramEdit.h"

#include "app/UnitMisc.h"

namespace fg {

bool TFrmProgramEdit::GetProgram(std::wstring& prog, std::wstring& param) {
    // Joined with the foreground program, the window may take the foreground from it.
    if (!AttachToWindowThread(GetForegroundHandle())) return false;
    bool set = false;
    if (view && view->ShowModal()) {
        editor.GetProgram(prog, param);
        set = true;
    }
    DetachFromWindowThread();
    return set;
}

} // namespace fg
