// The dispatcher's two pop-ups. The help pop-up: a first stroke held still lists every gesture of
// the program and of the global file that begins with it, and picking one runs it. The
// suggestions: with diagonals on, a gesture that matched nothing is compared with the bound ones,
// and the near ones are offered in a menu, or the best of them runs at once.
#pragma once

#include "platform/PopupMenu.h"
#include "platform/Timer.h"
#include "platform/Types.h"
#include "vocabulary/UnitMouseMovement.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <string>

namespace fg {

class TFrmGestures;
class TGestureFile;
class TKeystrokeConversions;
struct TGestureBinding;

// What the suggestions made of a gesture that matched nothing.
enum class TSuggestionOutcome { soNothing, soRanNearMatch, soMenuShown };

// The first stroke of a gesture string, looking past a monitor position; mdNone when it has none.
TMouseDirection FirstStroke(const std::wstring& g);
// How many positions a bound gesture of the same length n must share with the drawn one to be a
// near match: more than n (never) for a single stroke.
std::size_t EqualPositionsNeeded(std::size_t n);
// The summary of a binding's action in a pop-up: the display names of its keystrokes joined by
// " | ", or the file name of its program. Cut, a text longer than 25 characters keeps its first
// 25 followed by "...". Raises TUserError for a malformed stored keystroke.
std::wstring ActionSummary(const TKeystrokeConversions& keystrokes, const TGestureBinding& binding,
                           bool cut);

class TGesturePopups {
  public:
    explicit TGesturePopups(TFrmGestures& owner);
    TGesturePopups(const TGesturePopups&) = delete;
    TGesturePopups& operator=(const TGesturePopups&) = delete;

    // The help pause expired with md as the first stroke of the gesture in progress; own is the
    // file of the program the gesture is drawn over.
    void ReportFirstDirection(TMouseDirection md, const TGestureFile& own,
                              const TGestureFile& global);
    // The suggestion step for the drawn gesture g (human-readable h) that matched nothing.
    TSuggestionOutcome OfferSuggestions(const std::wstring& g, const std::wstring& h,
                                        const TGestureFile& own, const TGestureFile& global);

    void HelpConfigureClick();
    void timHelpConfigTimer();
    void SuggestionsConfigureClick();

    // Rebuilt by every help pop-up and by every suggestion step that offers a menu; its gesture
    // entries carry their gesture string as the hint.
    TPopupMenu pmDirections;
    TTimer timHelpConfig;

  private:
    void AddHelpMenuItem(const TGestureBinding& binding);
    void AddSuggestionMenuItem(const std::wstring& candidate, const TGestureFile& file);
    void CollectNearMatches(const TGestureFile& file);
    bool TryAutoCorrect(const std::deque<std::wstring>& list);
    void CollectLengthNeighbours(const TGestureFile& file);
    // Same-start candidates go to the front of their list, the others to the end of theirs.
    void AddCandidate(const std::wstring& c, bool sameStart);
    static void AddUnique(std::deque<std::wstring>& list, const std::wstring& text, bool atFront);
    TMenuEntry GestureEntry(const std::wstring& gesture, const std::wstring& caption);
    // Shows the help's tooltip until the gesture button is let go.
    void TooltipUntilRelease(const std::wstring& text);
    // Pops pmDirections up beside the cursor; true when an entry was picked ("Close" too). What
    // the entry does is kept for RunPicked.
    bool PopUp();
    // Runs the entry picked in the last menu, once the menu is gone and the target program's
    // input is its own again.
    void RunPicked();

    TFrmGestures& gestures;
    std::wstring drawn; // the gesture string of the suggestion step
    std::deque<std::wstring> sameStartList, otherStartList;
    std::function<void()> picked;
};

} // namespace fg
