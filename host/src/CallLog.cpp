#include "host/CallLog.h"

namespace host {

std::string LogEntry::Text() const {
    std::string text = name + "(";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i != 0) text += ", ";
        text += args[i];
    }
    text += ")";
    if (!result.empty()) text += " -> " + result;
    for (const std::string& note : notes) text += " [" + note + "]";
    return text;
}

std::size_t CallLog::Begin(LogEntry entry) {
    entry.depth = static_cast<int>(fOpen.size());
    if (!enabled || (entry.type == LogEntry::Type::Call && !calls)) {
        fOpen.push_back(npos);
        return npos;
    }
    fEntries.push_back(std::move(entry));
    fOpen.push_back(fEntries.size() - 1);
    return fEntries.size() - 1;
}

void CallLog::Finish(std::size_t index, std::string result) {
    if (!fOpen.empty()) fOpen.pop_back();
    if (index == npos || index >= fEntries.size()) return;
    fEntries[index].result = std::move(result);
    fEntries[index].finished = true;
}

void CallLog::Note(std::size_t index, std::string note) {
    if (index == npos || index >= fEntries.size()) return;
    fEntries[index].notes.push_back(std::move(note));
}

std::vector<std::string> CallLog::Calls(std::size_t from) const {
    std::vector<std::string> out;
    for (std::size_t i = from; i < fEntries.size(); ++i)
        if (fEntries[i].type == LogEntry::Type::Call) out.push_back(fEntries[i].Text());
    return out;
}

std::vector<std::string> CallLog::CallNames(std::size_t from) const {
    std::vector<std::string> out;
    for (std::size_t i = from; i < fEntries.size(); ++i)
        if (fEntries[i].type == LogEntry::Type::Call) out.push_back(fEntries[i].name);
    return out;
}

}  // namespace host
