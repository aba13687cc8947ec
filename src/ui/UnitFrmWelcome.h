// The welcome window: a four-page tutorial that opens by itself on the first start and again from
// the configuration window. Three of its pages carry links: one opens the configuration on its
// drawing page, one creates the global example gesture, one opens the Edit Gestures window.
#pragma once

#include "platform/Types.h"

#include <functional>
#include <memory>
#include <string>

namespace fg {

// The pages, in the order of their tabs.
enum TWelcomePage : int {
    wpGettingStarted = 0,
    wpPopup = 1,
    wpExampleGesture = 2,
    wpPermanent = 3,
};
constexpr int kWelcomePageCount = 4;

// What the links open, handed over as the window is made (the configuration and Edit Gestures
// windows exist by then) and checked by start-up (CheckParts), so a link never does nothing.
struct TWelcomeParts {
    std::function<void(int page)> showConfigPage; // the configuration window on a page
    std::function<void()> createExampleGesture;   // adds "[TOP]+DOWN" and saves the global file
    // Shows the Edit Gestures window; answers its handle (0 when there is none to bring forward).
    std::function<HWindow()> showEditGestures;
};

// What the window asks of its native window.
class IWelcomeView {
  public:
    virtual ~IWelcomeView() = default;
    // The page, the example link's state and the how-to as the window's state holds them.
    virtual void Mirror() = 0;
    virtual bool IsShowing() = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual HWindow Handle() = 0;
};

class TfrmWelcome {
  public:
    // view: the native window, or null for one that is only a flag.
    TfrmWelcome(IWelcomeView* view, TWelcomeParts parts);
    ~TfrmWelcome();
    TfrmWelcome(const TfrmWelcome&) = delete;
    TfrmWelcome& operator=(const TfrmWelcome&) = delete;

    const TWelcomeParts& Parts() const { return parts; }
    // Raises TUserError naming every part that is missing.
    void CheckParts() const;

    void FormCreate();
    // Opens the window on "Getting Started" (a window already open keeps its page) and brings it
    // to the front.
    void ShowInFront();
    // The window was closed: it only hides, and lives until the program ends.
    void FormClose();
    void pcHelpChange(int page);

    void lblConfigureHotkeyClick();
    void lblCreateExampleGestureClick();
    void lblEditGesturesClick();

    int Page() const { return page; }
    bool ExampleLinkEnabled() const { return exampleLinkEnabled; }
    bool HowToVisible() const { return howToVisible; }
    bool Showing() const;

  private:
    std::unique_ptr<IWelcomeView> ownView;
    IWelcomeView* view;
    TWelcomeParts parts;
    int page = wpGettingStarted;
    bool exampleLinkEnabled = true;
    bool howToVisible = false;
};

} // namespace fg
