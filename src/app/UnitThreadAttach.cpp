#include "app/UnitThreadAttach.h"

#include "platform/Platform.h"

namespace fg {

TThreadAttach::TThreadAttach(HWindow targetWindow) {
    IDesktop& desktop = *Os().desktop;
    ThreadTarget = desktop.WindowThreadId(targetWindow);
    ThreadOurs = desktop.CurrentThreadId();
    ThreadAttached =
        ThreadTarget == ThreadOurs || desktop.AttachThreadInput(ThreadTarget, ThreadOurs, true);
}

void TThreadAttach::Detach() {
    if (ThreadTarget != ThreadOurs && ThreadAttached) {
        Os().system->SetLastError(0);
        Os().desktop->AttachThreadInput(ThreadTarget, ThreadOurs, false);
    }
    ThreadAttached = false;
}

} // namespace fg
