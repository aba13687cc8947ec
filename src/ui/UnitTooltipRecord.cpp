#include "ui/UnitTooltipRecord.h"

#include <algorithm>
#include <memory>

namespace fg {

namespace {

TPoint DefaultMeasure(const std::wstring& text) {
    std::size_t longest = 0;
    int lines = 1;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(L'\n', start)) != std::wstring::npos; start = at + 1) {
        longest = std::max(longest, at - start);
        ++lines;
    }
    longest = std::max(longest, text.size() - start);
    return {static_cast<int>(longest) * 6, lines * 13};
}

class TRecordingTooltipView : public ITooltipView {
  public:
    TRecordingTooltipView(TTooltipRecord& r, HWindow owner) : record(r), ownerHandle(owner) {}
    ~TRecordingTooltipView() override {
        if (shown) ++record.destroyed;
    }
    TPoint MeasureText(const std::wstring& text, int fontPoints) override {
        record.fontPoints = fontPoints;
        return record.measure ? record.measure(text, fontPoints) : DefaultMeasure(text);
    }
    TPoint TextExtent(const std::wstring& text, int fontPoints) override {
        return MeasureText(text, fontPoints);
    }
    void ShowAt(const TRect& r) override {
        shown = true;
        ++record.created;
        record.windowRect = r;
        record.owner = ownerHandle;
    }
    void PaintText(const std::wstring& text, const TRect& textRect, int fontPoints) override {
        record.text = text;
        record.textRect = textRect;
        record.fontPoints = fontPoints;
    }
    void PaintPicture(const TPicture& pic, const TRect& pictureRect, const std::wstring& header,
                      int fontPoints) override {
        record.picture = pic;
        record.pictureRect = pictureRect;
        record.header = header;
        record.fontPoints = fontPoints;
    }
    bool WindowRect(TRect& r) override {
        r = record.windowRect;
        return shown;
    }

  private:
    TTooltipRecord& record;
    HWindow ownerHandle;
    bool shown = false;
};

} // namespace

TooltipViewFactory RecordingTooltipViews(TTooltipRecord& record) {
    return [&record](TTooltipWindow&, HWindow owner) -> std::unique_ptr<ITooltipView> {
        return std::make_unique<TRecordingTooltipView>(record, owner);
    };
}

} // namespace fg
