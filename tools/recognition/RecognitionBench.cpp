#include "recognition/RecognitionBench.h"

#include "app/UnitFrmDebug.h"
#include "unit/SettingDefaults.h"

#include <cstdio>

namespace fg::recognition {

Bench::Bench(Mode mode) {
    os.system.processes = {{70, L"notepad.exe"}};
    os.desktop.foreground = os.desktop.AddWindow(7, 70);
    // The gate is off, as by default.
    monitor = std::make_unique<TFrmMouseMonitor>(os.input, os.desktop, os.clock,
                                                 TMouseMonitorParts{.target = target,
                                                                    .gestures = receiver,
                                                                    .gate = gate,
                                                                    .ratTrap = ratTrap,
                                                                    .scratchpad = pad});
    test::UseDefaultSettings(*monitor);
    monitor->prEnableDiagonals(mode.diagonals);
    monitor->MovementSettings().PreciseCorners = mode.preciseCorners;
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

std::wstring Bench::Trace(const std::vector<TPoint>& path) {
    tracing = true;
    std::wstring sent = Draw(path);
    tracing = false;
    return sent;
}

void Bench::Poll(TPoint p, bool down) {
    os.input.cursor = p;
    down ? os.input.Press(vk::RBUTTON) : os.input.Release(vk::RBUTTON);
    const std::wstring newest = DebugHistory().empty() ? L"" : DebugHistory().front();
    const TTimer& t = monitor->timMouse;
    os.clock.Advance(t.Enabled() ? t.Interval() : 60);
    if (!tracing) return;
    std::printf("    %4d,%-4d %s", p.x, p.y, down ? "" : "up");
    // The lines logged at this poll, oldest first (the history is newest first).
    std::vector<std::wstring> lines;
    for (const std::wstring& line : DebugHistory()) {
        if (line == newest) break;
        if (line.find(L"[FMMovements]") != std::wstring::npos) lines.insert(lines.begin(), line);
    }
    for (const std::wstring& line : lines)
        std::printf(" |%s", Narrow(line.substr(line.find(L"]") + 1)).c_str());
    std::printf("  -> \"%s\"\n", Narrow(GestureString(monitor->DirectionList())).c_str());
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
