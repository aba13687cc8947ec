#include "recognition/RecognitionBench.h"

#include "unit/SettingDefaults.h"

namespace fg::recognition {

Bench::Bench(Mode mode) {
    os.system.processes = {{70, L"notepad.exe"}};
    os.desktop.foreground = os.desktop.AddWindow(7, 70);
    TMouseMonitorParts parts;
    parts.movements = &mm;
    parts.gestures = &receiver;
    parts.ratTrap = &ratTrap;
    parts.scratchpad = &pad;
    parts.watch = &watch;
    parts.target = &target;
    parts.gate = &gate; // off, as by default
    monitor = std::make_unique<TFrmMouseMonitor>(parts);
    monitor->CheckParts();
    test::UseDefaultSettings(*monitor);
    monitor->prEnableDiagonals(mode.diagonals);
    os.clock.Advance(70);
}

std::wstring Bench::Draw(const std::vector<TPoint>& path) {
    receiver.received.clear();
    for (const TPoint& p : path)
        Poll(p, true);
    Poll(path.back(), false);
    Poll(path.back(), false); // an idle poll between gestures
    return receiver.received;
}

void Bench::Poll(TPoint p, bool down) {
    os.input.cursor = p;
    down ? os.input.Press(vk::RBUTTON) : os.input.Release(vk::RBUTTON);
    const TTimer& t = monitor->timMouse;
    os.clock.Advance(t.Enabled() ? t.Interval() : 60);
}

std::vector<std::vector<MD>> Gestures(const std::vector<MD>& directions, int maxStrokes) {
    std::vector<std::vector<MD>> out;
    std::vector<std::vector<MD>> level{{}};
    for (int n = 1; n <= maxStrokes; ++n) {
        std::vector<std::vector<MD>> next;
        for (const auto& g : level)
            for (MD md : directions)
                if (g.empty() || g.back() != md) {
                    next.push_back(g);
                    next.back().push_back(md);
                }
        out.insert(out.end(), next.begin(), next.end());
        level = next;
    }
    return out;
}

std::wstring GestureString(const std::vector<MD>& strokes) {
    std::wstring s;
    for (MD md : strokes)
        s += TMouseMovement::ToChar(md);
    return s;
}

std::string Narrow(const std::wstring& s) {
    return std::string(s.begin(), s.end());
}

std::string Names(const std::vector<MD>& strokes) {
    std::string s;
    for (MD md : strokes)
        s += (s.empty() ? "" : "+") + Narrow(TMouseMovement::ToString(md));
    return s;
}

} // namespace fg::recognition
