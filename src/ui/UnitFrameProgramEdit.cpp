#include "ui/UnitFrameProgramEdit.h"

#include "app/UnitMisc.h"
#include "app/UnitSpecialPaths.h"
#include "app/UnitToken.h"
#include "platform/Dpi.h"
#include "platform/Platform.h"

namespace fg {

namespace {

// The browse menu's distance from the cursor, so the menu opens beside the button's text.
constexpr TPoint kMenuOffset{-30, 20};

bool NamesAFile(const std::wstring& name) {
    IFileSystem& files = *Os().files;
    if (name.empty()) return false;
    return files.FileExists(name) || files.FileExists(ExpandEnvVars(name));
}

} // namespace

void TFrameProgramEdit::SetView(IProgramEditView* v) {
    view = v;
    if (view) view->Mirror();
}

void TFrameProgramEdit::Changed() {
    if (view) view->Mirror();
}

void TFrameProgramEdit::SetProgramText(const std::wstring& value) {
    program = value;
    setEnabled = NamesAFile(program);
    if (OnProgramChange) OnProgramChange();
}

void TFrameProgramEdit::SetProgram(const std::wstring& initdata) {
    std::wstring rest = initdata;
    const std::wstring first = NextToken(rest, L"|");
    param = rest;
    SetProgramText(first);
    Changed();
}

bool TFrameProgramEdit::GetProgram(std::wstring& prog, std::wstring& value) {
    prog = program;
    value = param;
    return !program.empty();
}

void TFrameProgramEdit::txtProgramChange(const std::wstring& value) {
    // The text box already shows it: no mirror, which would move the caret.
    SetProgramText(value);
}

TPopupMenu TFrameProgramEdit::pmLocations() {
    const auto entry = [this](const wchar_t* caption, TProgramLocation where) {
        TMenuEntry e;
        e.caption = caption;
        e.onClick = [this, where] { LocationClick(where); };
        return e;
    };
    return {entry(L"Desktop", plDesktop), entry(L"Start Menu", plStartMenu),
            entry(L"Start Menu All Users", plStartMenuAllUsers), entry(L"Documents", plDocuments)};
}

void TFrameProgramEdit::SpeedButton1Click() {
    const TPoint at = BesideCursor(Os().input->CursorPos(), kMenuOffset);
    Os().desktop->PopupMenu(pmLocations(), at, view ? view->Handle() : 0);
}

void TFrameProgramEdit::LocationClick(TProgramLocation where) {
    switch (where) {
    case plDesktop:
        return BrowseForProgram(SpecialPaths.GetDesktop());
    case plStartMenu:
        return BrowseForProgram(SpecialPaths.GetStartMenu());
    case plStartMenuAllUsers:
        return BrowseForProgram(SpecialPaths.GetStartMenuAllUsers());
    case plDocuments:
        return BrowseForProgram(SpecialPaths.GetMyDocs());
    }
}

void TFrameProgramEdit::BrowseForProgram(const std::wstring& initialFolder) {
    std::wstring chosen;
    if (!Os().desktop->OpenFileDialog(view ? view->Handle() : 0, initialFolder, L"*.*", chosen))
        return;
    SetProgramText(chosen);
    Changed();
}

} // namespace fg
