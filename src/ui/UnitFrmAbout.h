// The About window: the program's name, its version and build as the exe's version resource
// gives them, and the project's web address. Its version label is also what the tray's tip shows.
#pragma once

#include "platform/Types.h"

#include <memory>
#include <string>

namespace fg {

constexpr const wchar_t* kAboutURL = L"https://farrowglimmer.example.org";

// What "lblBuild" shows when the exe has no version information.
constexpr const wchar_t* kNoBuildText = L"lblBuild";

struct TVersionLabels {
    std::wstring version; // "1.2": major and minor, empty without version information
    std::wstring build;   // " build 3-4", or kNoBuildText without version information
};

// The labels for an executable, from its version resource.
TVersionLabels VersionLabelsOf(const std::wstring& exePath);

// What the window asks of its native window.
class IAboutView {
  public:
    virtual ~IAboutView() = default;
    // The labels as the window's state holds them.
    virtual void Mirror() = 0;
    virtual bool IsShowing() = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual HWindow Handle() = 0;
};

class TFrmAbout {
  public:
    // view: the native window, or null for one that is only a flag.
    explicit TFrmAbout(IAboutView* view = nullptr);
    ~TFrmAbout();
    TFrmAbout(const TFrmAbout&) = delete;
    TFrmAbout& operator=(const TFrmAbout&) = delete;

    // Logs its creation and fills the version labels, once.
    void FormCreate();
    // The tray's "About": shows the window and brings it to the front.
    void ShowInFront();
    void Button1Click(); // "Close"
    // Escape and Enter close the window whichever control has the focus.
    void FormKeyUp(int virtualKey);
    void lblURLClick();

    const std::wstring& lblVersion() const { return labels.version; }
    const std::wstring& lblBuild() const { return labels.build; }
    bool Showing() const;

  private:
    std::unique_ptr<IAboutView> ownView;
    IAboutView* view;
    TVersionLabels labels{L"", kNoBuildText};
};

} // namespace fg
