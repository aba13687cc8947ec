// The program editor: the program or file a "Run File or Program" action starts, and its
// parameters, with a browse menu that starts in one of four special folders.
#pragma once

#include "platform/PopupMenu.h"
#include "platform/Types.h"

#include <functional>
#include <string>

namespace fg {

// What the editor asks of its native panel, which mirrors the editor's state.
class IProgramEditView {
  public:
    virtual ~IProgramEditView() = default;
    // The two text boxes as the editor holds them now.
    virtual void Mirror() = 0;
    // The window that owns the browse menu and the file dialog.
    virtual HWindow Handle() = 0;
};

// The browse menu's entries, in their order.
enum TProgramLocation : int { plDesktop, plStartMenu, plStartMenuAllUsers, plDocuments };

// The panel's logic (the wizard's "Run File or Program" page).
class TFrameProgramEdit {
  public:
    virtual ~TFrameProgramEdit() = default;
    // Loads a program action text: the program, "|", the parameters.
    void SetProgram(const std::wstring& initdata);
    // The two fields, unchanged; true when a program was entered.
    bool GetProgram(std::wstring& prog, std::wstring& param);

    // Events of the controls: the user typed into a text box; the browse button; a menu entry.
    void txtProgramChange(const std::wstring& value);
    void txtParamChange(const std::wstring& value) { param = value; }
    void SpeedButton1Click();
    void LocationClick(TProgramLocation where);
    // The browse menu as it opens.
    TPopupMenu pmLocations();

    // The state the panel mirrors.
    const std::wstring& Program() const { return program; }
    const std::wstring& Param() const { return param; }
    // Whether the window version's "Set" is enabled: the program names an existing file, as
    // written or with its environment variables expanded.
    bool SetEnabled() const { return setEnabled; }

    // The native panel; null detaches it. It is mirrored at once.
    void SetView(IProgramEditView* v);
    // Runs after every change of the program, from the editor or from the user.
    std::function<void()> OnProgramChange;

  private:
    void BrowseForProgram(const std::wstring& initialFolder);
    void SetProgramText(const std::wstring& value);
    void Changed();

    IProgramEditView* view = nullptr;
    std::wstring program;
    std::wstring param;
    bool setEnabled = false;
};

} // namespace fg
