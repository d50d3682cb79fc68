// A record of every event the host sends and every host call it serves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

struct LogEntry {
    enum class Type { Event, Call, Note };  // a note says what the user did
    Type type = Type::Call;
    int32_t selector = 0;  // calls; the event number for events
    std::string name;      // KS_... or "main"
    std::vector<std::string> args;
    std::string result;              // empty for calls without a result
    std::vector<std::string> notes;  // what the call handed back through its out-arguments
    int depth = 0;                   // nesting: calls inside an event are one deeper
    bool finished = false;

    // "KS_SetDataField(1, 3, "∆X:")" or "KS_GetToolPointCount() -> 1".
    std::string Text() const;
};

class CallLog {
public:
    bool enabled = true;
    // Host calls are recorded too; off, only events and notes are, which is
    // all a transcript without the calls reads (and a mouse movement over
    // 10^5 preview outlines makes a million calls).
    bool calls = true;

    std::size_t Begin(LogEntry entry);
    void Finish(std::size_t index, std::string result);
    void Note(std::size_t index, std::string note);
    // The entry being served right now (for services that note their outputs).
    std::size_t Current() const { return fOpen.empty() ? npos : fOpen.back(); }

    const std::vector<LogEntry>& Entries() const { return fEntries; }
    void Clear() { fEntries.clear(); }
    std::size_t Size() const { return fEntries.size(); }

    // The text of every call (no events) from entry `from` on.
    std::vector<std::string> Calls(std::size_t from = 0) const;
    // Only the names of the calls from entry `from` on.
    std::vector<std::string> CallNames(std::size_t from = 0) const;

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    std::vector<LogEntry> fEntries;
    std::vector<std::size_t> fOpen;
};

}  // namespace host
