#include "workbench/Trace.h"

#include <string>
#include <vector>

#include "host/Transcript.h"

namespace workbench {

namespace {

std::string Json(const std::string& text) {
    std::string out = "\"";
    for (const unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            const char* hex = "0123456789abcdef";
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string JsonList(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + Json(items[i]);
    return out + "]";
}

}  // namespace

void WriteTrace(std::ostream& out, const host::CallLog& log, std::size_t from, int line) {
    const auto& entries = log.Entries();
    for (std::size_t i = from; i < entries.size(); ++i) {
        const host::LogEntry& e = entries[i];
        out << "{\"line\":" << line << ",\"kind\":";
        switch (e.type) {
            case host::LogEntry::Type::Note:
                out << "\"note\",\"depth\":" << e.depth << ",\"text\":" << Json(e.name);
                break;
            case host::LogEntry::Type::Event:
                out << "\"event\",\"depth\":" << e.depth << ",\"event\":" << e.selector
                    << ",\"name\":" << Json(host::EventName(e.selector)) << ",\"m1\":"
                    << (e.args.size() > 1 ? e.args[1] : "0") << ",\"m2\":" << (e.args.size() > 2 ? e.args[2] : "0")
                    << ",\"reply\":" << (e.finished ? e.result : "null");
                break;
            case host::LogEntry::Type::Call:
                out << "\"call\",\"depth\":" << e.depth << ",\"selector\":" << e.selector << ",\"name\":" << Json(e.name)
                    << ",\"args\":" << JsonList(e.args) << ",\"result\":" << Json(e.result)
                    << ",\"notes\":" << JsonList(e.notes);
                break;
        }
        out << "}\n";
    }
}

}  // namespace workbench
