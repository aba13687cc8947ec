// The Edit Gestures window's native window: the tab bar, the program and gesture lists, the
// buttons, the preview and the disable box, mirroring TFrmGesturesEdit's state.
#pragma once

#include "gestures/UnitFrmGesturesEdit.h"
#include "platform/win32/TableWindow.h"

#include <commctrl.h>

#include <cstdint>
#include <memory>

namespace fg {

class TFrmGesturesWindow : public TTableWindow, public IGesturesEditView {
  public:
    TFrmGesturesWindow(TGestureStore& store, TGesturesEditParts parts);
    ~TFrmGesturesWindow() override;

    TFrmGesturesEdit& Logic() { return *logic; }

    void Mirror() override;
    bool IsShowing() override;
    void Show() override;
    void Hide() override;
    HWindow Handle() override { return reinterpret_cast<HWindow>(hwnd); }
    bool Confirm(const std::wstring& text) override;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged(const RECT& suggested) override;
    void DpiTaken() override { SetIcons(); }
    void LaidOut() override; // the gesture list beside the program list

  private:
    std::vector<ControlRow> Rows();
    void SetUpLists();
    void SetColumnWidths();
    void SetIcons();
    void SetPreviewSize();
    void FillGestures();
    void FillPrograms();
    void MirrorSelection(HWND list, std::optional<std::size_t> row);
    void Notified(const NMHDR& n, LPARAM lParam);
    void OpenMenu(POINT at);
    void DrawPreview(const DRAWITEMSTRUCT& item);

    std::unique_ptr<TFrmGesturesEdit> logic;
    HIMAGELIST icons = nullptr;
    std::uint64_t rowsShown = ~0ull;
    std::uint64_t programsShown = ~0ull;
};

} // namespace fg
