// The "Debug Window": the native window that mirrors the debug log's view.
#pragma once

#include "app/UnitFrmDebug.h"
#include "platform/win32/TableWindow.h"

#include <memory>

namespace fg {

class TFrmDebugWindow : public TTableWindow, public IDebugView {
  public:
    TFrmDebugWindow();
    ~TFrmDebugWindow() override;

    TFrmDebug& Logic() { return *logic; }

    void MemoClear() override;
    void MemoAddBottom(const std::wstring& line) override;
    void MemoInsertTop(const std::wstring& line) override;
    void MemoDeleteBottom() override;
    bool IsShowing() override;
    std::uintptr_t Handle() override { return reinterpret_cast<std::uintptr_t>(hwnd); }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void DpiTaken() override { SetLineHeight(); }

  private:
    std::vector<ControlRow> Rows();
    HWND Memo() const;
    void SetLineHeight();
    std::unique_ptr<TFrmDebug> logic;
};

} // namespace fg
