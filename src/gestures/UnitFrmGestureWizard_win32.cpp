#include "gestures/UnitFrmGestureWizard_win32.h"

#include "platform/win32/Center.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Tally.h"

namespace fg {

namespace {

constexpr int kClientWidth = 837;
constexpr int kClientHeight = 452;
constexpr int kBandWidth = 106;
constexpr int kFooterHeight = 65;
constexpr int kPageLeft = 126;
constexpr TColor kBandGrey = 0x808080;

// A control's id says where it lives: the footer always shows, page p holds 1000 + 100 p
// upwards, and the action page's two editor captions 1500 and 1600 upwards.
enum : int {
    idBack = 10,
    idNext,
    idFinish,
    idPage0 = 1000,
    idShapeExamples,
    idPage1 = 1100,
    idRbSingle,
    idRbMultiple,
    idRbRun,
    idActionExamples,
    idPage2 = 1200,
    idSummary,
    idSingleCaption = 1500,
    idMultipleCaption = 1600,
};

// Where the editors' panels sit on their pages (96-DPI pixels).
constexpr POINT kGesturePanelAt{kPageLeft, 44};
constexpr POINT kKeystrokePanelAt{kPageLeft, 86};
constexpr POINT kListPanelAt{kPageLeft, 86};
constexpr POINT kProgramPanelAt{kPageLeft, 66};

// A panel's own window, whatever else answers to Handle() on it.
HWND PanelWindow(const TWin32Window& panel) {
    return panel.Handle();
}

int PageOfId(int id) {
    if (id < 1000) return -1;
    return (id - 1000) / 100;
}

void Check(HWND button, bool on) {
    SendMessageW(button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

} // namespace

TFrmGestureWizardWindow::TFrmGestureWizardWindow(TGestureWizardParts parts) {
    logic = std::make_unique<TFrmGestureWizard>(nullptr, std::move(parts));
    if (!CreateNative({.className = L"TFrmGestureWizard",
                       .caption = L"Gesture Wizard",
                       .style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                       .exStyle = WS_EX_CONTROLPARENT,
                       .x = 0,
                       .y = 0,
                       .clientWidth = kClientWidth,
                       .clientHeight = kClientHeight}))
        return;
    CreateControls(Rows(), {L"Tahoma", 8}, kClientWidth, kClientHeight, Dpi());
    SendMessageW(controls.Item(idSummary), EM_SETREADONLY, TRUE, 0);
    MakePanels();
    // Enter: the default button.
    onEnter = [this] {
        if (logic->FinishEnabled()) return logic->btnFinishClick();
        if (logic->NextEnabled()) return logic->btnNextClick();
    };
    onEscape = [this] { logic->FormClose(); };
    logic->SetView(this);
    logic->FormCreate();
}

std::vector<ControlRow> TFrmGestureWizardWindow::Rows() {
    using K = ControlKind;
    TFrmGestureWizard& w = *logic;
    return {
        {idPage0 + 50, K::Label, L"Define the combination of movements to peform the gesture",
         kPageLeft, 20, 690, 14, akTopLeft},
        {idShapeExamples, K::Button, L"  Examples", 604, 44, 100, 25, akTopLeft,
         [&w] { w.btnShapeExamplesClick(); }},

        {idPage1 + 50, K::Label, L"Select the action to perform for this gesture", kPageLeft, 16,
         690, 14, akTopLeft},
        {idRbSingle, K::RadioButton, L"Single Keystroke", kPageLeft, 40, 135, 17, akTopLeft,
         [&w] { w.rbSingleClick(); }},
        {idRbMultiple, K::RadioButton, L"Multiple Keystrokes", 266, 40, 140, 17, akTopLeft,
         [&w] { w.rbMultipleClick(); }},
        {idRbRun, K::RadioButton, L"Run File or Program", 410, 40, 145, 17, akTopLeft,
         [&w] { w.rbRunClick(); }},
        {idPage1 + 51, K::Label, L"Create Common Actions", 580, 42, 0, 0, akTopLeft},
        {idActionExamples, K::Button, L"  Examples", 716, 36, 100, 25, akTopLeft,
         [&w] { w.btnActionExamplesClick(); }},
        {idSingleCaption, K::Label,
         L"Define the keystroke by holding the key combination or press each key one at a time.",
         kPageLeft, 66, 690, 14, akTopLeft},
        {idMultipleCaption, K::Label, L"Define a list of keystrokes combinations to perform.",
         kPageLeft, 66, 690, 14, akTopLeft},

        {idPage2 + 50, K::Label, L"Press Finish to create the new gesture.", kPageLeft, 20, 690, 14,
         akTopLeft},
        {idSummary, K::Memo, L"", kPageLeft, 44, 690, 330, akTopLeft},

        {idBack, K::Button, L"Back", 618, 403, 65, 33, akTopLeft, [&w] { w.btnBackClick(); }},
        {idNext, K::Button, L"Next", 691, 403, 65, 33, akTopLeft, [&w] { w.btnNextClick(); }},
        {idFinish, K::Button, L"Finish", 764, 403, 65, 33, akTopLeft, [&w] { w.btnFinishClick(); }},
    };
}

TFrmGestureWizardWindow::~TFrmGestureWizardWindow() {
    if (logic) logic->SetView(nullptr);
    // The panels go before the window that holds them.
    gesturePanel.reset();
    keystrokePanel.reset();
    listPanel.reset();
    programPanel.reset();
    if (hwnd) tally::DestroyWindow(hwnd);
    if (bandFont) tally::DeleteObject(bandFont);
}

void TFrmGestureWizardWindow::MakePanels() {
    gesturePanel = std::make_unique<TFrameGestureEditPanel>(logic->FrameGestureEdit1);
    keystrokePanel = std::make_unique<TFrameKeystrokeEditPanel>(logic->FrameKeystrokeEdit1);
    listPanel = std::make_unique<TFrameKeystrokeListPanel>(logic->FrameKeystrokeList1);
    programPanel = std::make_unique<TFrameProgramEditPanel>(logic->FrameProgramEdit1);
    gesturePanel->CreatePanel(hwnd, kGesturePanelAt.x, kGesturePanelAt.y, Dpi());
    keystrokePanel->CreatePanel(hwnd, kKeystrokePanelAt.x, kKeystrokePanelAt.y, Dpi());
    listPanel->CreatePanel(hwnd, kListPanelAt.x, kListPanelAt.y, Dpi());
    programPanel->CreatePanel(hwnd, kProgramPanelAt.x, kProgramPanelAt.y, Dpi());
}

void TFrmGestureWizardWindow::PlacePanels() {
    gesturePanel->SetPanelDpi(Dpi(), kGesturePanelAt.x, kGesturePanelAt.y);
    keystrokePanel->SetPanelDpi(Dpi(), kKeystrokePanelAt.x, kKeystrokePanelAt.y);
    listPanel->SetPanelDpi(Dpi(), kListPanelAt.x, kListPanelAt.y);
    programPanel->SetPanelDpi(Dpi(), kProgramPanelAt.x, kProgramPanelAt.y);
}

void TFrmGestureWizardWindow::DpiTaken() {
    PlacePanels();
    if (bandFont) tally::DeleteObject(bandFont);
    bandFont = nullptr;
}

void TFrmGestureWizardWindow::Mirror() {
    if (!hwnd || !logic) return;
    mirroring = true;
    const TWizardAction a = logic->Action();
    Check(controls.Item(idRbSingle), a == TWizardAction::waSingle);
    Check(controls.Item(idRbMultiple), a == TWizardAction::waMultiple);
    Check(controls.Item(idRbRun), a == TWizardAction::waRun);
    EnableWindow(controls.Item(idBack), logic->BackEnabled());
    EnableWindow(controls.Item(idNext), logic->NextEnabled());
    EnableWindow(controls.Item(idFinish), logic->FinishEnabled());
    std::wstring text;
    for (const std::wstring& line : logic->mLines())
        text += line + L"\r\n";
    SetWindowTextW(controls.Item(idSummary), text.c_str());
    ShowPages();
    mirroring = false;
}

void TFrmGestureWizardWindow::ShowPages() {
    const int page = logic->Page();
    const TWizardAction a = logic->Action();
    controls.ShowWhere([page, a](int id) {
        if (id >= idMultipleCaption) return page == wpAction && a == TWizardAction::waMultiple;
        if (id >= idSingleCaption) return page == wpAction && a == TWizardAction::waSingle;
        return PageOfId(id) < 0 || PageOfId(id) == page;
    });
    ShowControl(PanelWindow(*gesturePanel), page == wpGestureMovements);
    ShowControl(PanelWindow(*keystrokePanel), page == wpAction && a == TWizardAction::waSingle);
    ShowControl(PanelWindow(*listPanel), page == wpAction && a == TWizardAction::waMultiple);
    ShowControl(PanelWindow(*programPanel), page == wpAction && a == TWizardAction::waRun);
    // The button a user most likely wants next answers Enter.
    const int def = logic->FinishEnabled() ? idFinish : idNext;
    for (int id : {idBack, idNext, idFinish})
        SendMessageW(controls.Item(id), BM_SETSTYLE, id == def ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                     TRUE);
}

void TFrmGestureWizardWindow::ShowModal() {
    if (!hwnd) return;
    // It opens where the user is working: on the monitor under the cursor.
    POINT cursor{};
    GetCursorPos(&cursor);
    CenterOnMonitor(hwnd, cursor);
    // The window of ours that opened the wizard (the Edit Gestures window) waits behind it.
    HWND owner = GetForegroundWindow();
    DWORD process = 0;
    GetWindowThreadProcessId(owner, &process);
    if (owner == hwnd || process != GetCurrentProcessId()) owner = nullptr;
    modal.Run(hwnd, owner);
}

void TFrmGestureWizardWindow::EndModal() {
    modal.End(mrOK);
}

bool TFrmGestureWizardWindow::IsShowing() {
    return hwnd && IsWindowVisible(hwnd);
}

void TFrmGestureWizardWindow::FocusKeystroke() {
    if (keystrokePanel && keystrokePanel->CanFocusField()) keystrokePanel->FocusField();
}

HWindow TFrmGestureWizardWindow::ShapeExamplesButton() {
    return reinterpret_cast<HWindow>(controls.Item(idShapeExamples));
}

HWindow TFrmGestureWizardWindow::ActionExamplesButton() {
    return reinterpret_cast<HWindow>(controls.Item(idActionExamples));
}

void TFrmGestureWizardWindow::PaintBand(HDC dc) {
    RECT client{};
    GetClientRect(hwnd, &client);
    RECT band{0, 0, Scale(kBandWidth), client.bottom};
    HBRUSH grey = tally::CreateSolidBrush(kBandGrey);
    FillRect(dc, &band, grey);
    tally::DeleteObject(grey);
    // The program's name in large letters, reading upwards along the band.
    if (!bandFont)
        bandFont = tally::CreateFontW(-Scale(44), 0, 900, 900, FW_BOLD, FALSE, FALSE, FALSE,
                                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
    HGDIOBJ old = SelectObject(dc, bandFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(235, 235, 235));
    const wchar_t* name = L"Farrowglimmer";
    SIZE size{};
    GetTextExtentPoint32W(dc, name, lstrlenW(name), &size);
    const int x = (band.right - size.cy) / 2;
    const int y = band.bottom - (band.bottom - size.cx) / 2;
    TextOutW(dc, x, y, name, lstrlenW(name));
    SelectObject(dc, old);
    // The footer's edge.
    RECT line{Scale(kBandWidth), client.bottom - Scale(kFooterHeight), client.right,
              client.bottom - Scale(kFooterHeight) + 2};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
}

LRESULT TFrmGestureWizardWindow::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE: // the wizard lives until the program ends: closing only ends this use
        if (logic) logic->FormClose();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && logic) logic->FormActivate();
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        PaintBand(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    }
    return TTableWindow::WndProc(msg, wParam, lParam);
}

} // namespace fg
