#include "host/Transcript.h"

#include <map>
#include <string>

#include "interface/ToolProtocol.h"
#include "src/Serve.h"

namespace host {

std::string EventName(int32_t event) {
    static const std::map<int32_t, const char*> kNames = {
        {kToolEventCreate, "create"},     {kToolEventDispose, "dispose"},   {kToolEventSetUp, "set up"},
        {kToolEventSetDown, "set down"},  {kToolEventGetCursor, "cursor"},  {kToolEventModeBar, "mode bar"},
        {kToolEventSettings, "settings"}, {kToolEventClick, "click"},       {kToolEventPointQuery, "point query"},
        {kToolEventDraw, "draw"},         {kToolEventComplete, "complete"}, {kToolEventGetBehavior, "behaviour"}};
    auto name = kNames.find(event);
    return name == kNames.end() ? std::string() : std::string(name->second);
}

std::string FormatNumber(double value) { return detail::FormatReal(value); }

namespace {
// "event 5 cursor -> 17002 (duplicate)", "event 7 mode bar 1 3 -> 0".
std::string EventText(const LogEntry& entry, const TranscriptOptions& options) {
    std::string text = "event " + std::to_string(entry.selector);
    if (const std::string name = EventName(entry.selector); !name.empty()) text += " " + name;
    if (entry.args.size() == 3 && (entry.args[1] != "0" || entry.args[2] != "0"))
        text += " " + entry.args[1] + " " + entry.args[2];
    if (!entry.finished) return text + " -> (no reply)";
    text += " -> " + entry.result;
    if (entry.selector == kToolEventGetCursor && options.cursorName) {
        int32_t id = 0;
        try {
            id = std::stoi(entry.result);
        } catch (const std::exception&) {
        }
        if (const std::string name = options.cursorName(id); !name.empty()) text += " (" + name + ")";
    }
    return text;
}
}  // namespace

void WriteLog(std::ostream& out, const CallLog& log, std::size_t from, const TranscriptOptions& options) {
    const auto& entries = log.Entries();
    for (std::size_t i = from; i < entries.size(); ++i) {
        const LogEntry& entry = entries[i];
        if (entry.type == LogEntry::Type::Call && !options.calls) continue;
        if (entry.type == LogEntry::Type::Note) {
            out << "# " << entry.name << '\n';
            continue;
        }
        out << std::string(static_cast<std::size_t>(entry.depth) * 2, ' ');
        if (entry.type == LogEntry::Type::Event)
            out << EventText(entry, options) << '\n';
        else
            out << entry.Text() << '\n';
    }
}

void WriteInterface(std::ostream& out, const Host& host) {
    out << "message: " << MacRomanToDisplay(host.messageLine) << '\n';
    out << "mode bar:";
    for (std::size_t i = 0; i < host.modeBar.groups.size(); ++i) {
        const ModeGroup& group = host.modeBar.groups[i];
        out << (i == 0 ? " " : " | ");
        if (group.type == ModeGroup::Type::Button) {
            out << "[" << host.resources.ModeLabel(group.resources[0]) << "]";
        } else {
            for (int16_t choice = 1; choice <= group.choiceCount && choice <= 6; ++choice) {
                if (choice > 1) out << " ";
                const std::string label =
                    host.resources.ModeLabel(group.resources[static_cast<std::size_t>(choice - 1)]);
                out << (choice == group.choice ? "(*) " : "( ) ") << label;
            }
        }
        if (!group.enabled) out << " (disabled)";
    }
    out << '\n' << "data bar:";
    for (const auto& [field, value] : host.dataBar.shown) {
        out << "  " << field << " " << MacRomanToDisplay(value.label);
        if (value.value) out << " " << FormatNumber(*value.value);
        if (value.length) out << " " << FormatNumber(*value.length);
    }
    out << '\n';
}

}  // namespace host
