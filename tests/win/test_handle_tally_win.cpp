// The program's own count of its GDI and USER objects, on real windows: it goes up while a window
// lives and back to where it was once the window is gone. The fonts the controls share are made
// at their first use and kept (one per face, size and weight), so each window is made once before
// it is counted.
#include "capture/UnitDirectionPictures.h"
#include "platform/win32/Tally.h"
#include "ui/UnitFrmAbout_win32.h"
#include "ui/UnitFrmDummyUnicodeTooltip_win32.h"

#include "WinTestSupport_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace fg {
namespace {

using test::PumpFor;

TEST(HandleTallyWin, AWindowsObjectsAreCountedWhileItLivesAndGiveBackWhenItIsGone) {
    struct Case {
        const char* name;
        std::function<std::shared_ptr<void>()> make; // the window, shown and painted
        long moreGdi, moreUser;                      // at least
    };
    const Case cases[] = {
        {"About window (a font, an icon, controls)",
         [] {
             auto w = std::make_shared<TFrmAboutWindow>();
             w->Show();
             return std::shared_ptr<void>(w);
         },
         1, 3},
        {"picture tooltip (its window and content bitmap)",
         [] {
             InstallWin32Tooltips();
             auto tt = std::make_shared<TTooltipWindow>();
             tt->ShowTooltip(DirectionPicture(TMouseDirection::mdUp), {400, 300}, L"");
             return std::shared_ptr<void>(tt);
         },
         1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.make().reset();
        PumpFor(50);
        const tally::Counts before = tally::Own();
        {
            std::shared_ptr<void> window = c.make();
            PumpFor(150);
            const tally::Counts living = tally::Own();
            EXPECT_GE(living.gdi, before.gdi + c.moreGdi);
            EXPECT_GE(living.user, before.user + c.moreUser);
        }
        PumpFor(50);
        const tally::Counts after = tally::Own();
        EXPECT_EQ(after.gdi, before.gdi);
        EXPECT_EQ(after.user, before.user);
    }
    EXPECT_EQ(tally::HandlesLine().rfind(L"Handles: GDI ", 0), 0u);
}

} // namespace
} // namespace fg
