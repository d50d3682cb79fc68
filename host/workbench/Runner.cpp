#include "workbench/Runner.h"

#include <chrono>
#include <iomanip>
#include <optional>

#include "host/Transcript.h"
#include "interface/ToolProtocol.h"
#include "workbench/Cursors.h"
#include "workbench/Story.h"
#include "workbench/Trace.h"

namespace workbench {

namespace {

const Command* Find(const std::string& name) {
    for (const Command& c : Commands())
        if (name == c.name) return &c;
    return nullptr;
}

std::string CursorText(int32_t id) {
    const std::string name = CursorName(id);
    return std::to_string(id) + (name.empty() ? "" : " (" + name + ")");
}

void WriteState(std::ostream& out, host::Host& host, host::Session& session) {
    out << "  = cursor " << CursorText(session.Cursor());
    const std::size_t picked = host.points.picked.size();
    if (picked != 0) out << ", " << picked << (picked == 1 ? " point" : " points") << " picked";
    if (session.PreviewShown()) out << ", preview on screen (" << host.feedback.Shown().size() << " figures)";
    out << '\n';
}

}  // namespace

void WriteSummary(std::ostream& out, host::Host& host) {
    out << "\n== at the end\n";
    host::WriteInterface(out, host);
    out << "undo steps:";
    if (host.undo.Done().empty()) out << " none";
    for (const host::UndoStep& step : host.undo.Done()) out << " \"" << host::MacRomanToDisplay(step.name) << "\"";
    out << "\nobjects:\n";
    for (host::Object* object : host.document.AllObjects()) {
        const Rect2D r = host::Document::PlanBounds(*object);
        using host::FormatNumber;
        out << "  " << object->name << (object->selected ? " (selected)" : "") << ": x " << FormatNumber(r.left)
            << ".." << FormatNumber(r.right) << ", y " << FormatNumber(r.bottom) << ".." << FormatNumber(r.top);
        if (object->height != 0.0 || (!object->vertices.empty() && object->vertices[0].z != 0.0)) {
            const Cube3D c = host::Document::SpaceBounds(*object);
            out << ", z " << FormatNumber(c.minZ) << ".." << FormatNumber(c.maxZ);
        }
        out << '\n';
    }
}

void Runner::Check(const Script& script, bool largeCounts) {
    ScriptState state;
    state.largeCounts = largeCounts;
    for (const Line& line : script.lines) {
        const Command* command = Find(line.words[0]);
        if (command == nullptr) throw ScriptError(script.file, line.number, "unknown command '" + line.words[0] + "'");
        if (command->toTool && !state.tool)
            throw ScriptError(script.file, line.number,
                              "'" + line.words[0] + "' acts on the tool: choose it with 'tool' first");
        try {
            Args args(line, state);
            command->run(args, nullptr);
            args.End();
        } catch (const Unconfirmed& unconfirmed) {
            throw ScriptError(script.file, line.number, unconfirmed.what());
        } catch (const BadLine& bad) {
            throw ScriptError(script.file, line.number, std::string(bad.what()) + " (usage: " + command->usage + ")");
        }
    }
}

void Runner::Fail(const std::string& what) {
    ++fFailures;
    fOut << fFile << ":" << fLine << ": " << what << '\n';
}

int Runner::Run(const Script& script, const RunOptions& options) {
    Begin(script, options);
    for (const Line& line : script.lines) RunLine(line);
    return End();
}

void Runner::Begin(const Script& script, const RunOptions& options) {
    Check(script, options.largeCounts);
    fFile = script.file;
    fOptions = options;
    fState = ScriptState{};
    fState.largeCounts = options.largeCounts;
    fFailures = 0;
    fQueuedLines.clear();
    fDataBar.clear();
    fHost = std::make_unique<host::Host>();
    // The host calls are kept only where they are shown.
    fHost->log.calls = options.calls || options.trace != nullptr;
    fHost->LoadPlugin(options.plugin);
    fSession = std::make_unique<host::Session>(*fHost);
    fMark = fHost->log.Size();
}

void Runner::WriteUnwritten() {
    if (!fHost) return;
    const std::size_t mark = fMark;
    fMark = fHost->log.Size();
    host::TranscriptOptions transcript{fOptions.calls, [](int32_t id) { return CursorName(id); }};
    host::WriteLog(fOut, fHost->log, mark, transcript);
    if (fOptions.trace) {
        WriteTrace(*fOptions.trace, fHost->log, mark, fLine);
        fOptions.trace->flush();
    }
}

void Runner::RunLine(const Line& line) {
    fLine = line.number;
    fOut << "> " << line.text << '\n';
    fMark = fHost->log.Size();
    const std::size_t mark = fMark;
    const std::vector<host::UndoStep>& done = fHost->undo.Done();
    const std::vector<host::UndoStep>& undone = fHost->undo.Undone();
    const std::size_t doneBefore = done.size(), undoneBefore = undone.size();
    const std::size_t queuedBefore = fHost->dialogs.Script().size();

    Args args(line, fState);
    const std::string& command = line.words[0];
    const auto start = std::chrono::steady_clock::now();
    Find(command)->run(args, this);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    WriteUnwritten();

    // Which queued dialog actions a dialog took.
    if (command == "dialog") fQueuedLines.push_back(line.number);
    for (std::size_t used = queuedBefore + (command == "dialog") - fHost->dialogs.Script().size();
         used != 0 && !fQueuedLines.empty(); --used)
        fQueuedLines.pop_front();

    // One sentence for what the line did to the drawing.
    if (command == "undo" && undone.size() > undoneBefore)
        fOut << "=> " << UndoText(undone.back(), false) << '\n';
    else if (command == "redo" && done.size() > doneBefore)
        fOut << "=> " << UndoText(done.back(), true) << '\n';
    else if (done.size() > doneBefore)
        fOut << "=> "
             << OperationText(done.back(), done.back().created.size() > static_cast<std::size_t>(kCopyLimit)
                                               ? std::optional<double>(took.count())
                                               : std::nullopt)
             << '\n';
    else if (CompletedSince(fHost->log, mark))
        fOut << "=> " << (fHost->completionAllowed ? "nothing done" : "refused: completion not allowed") << '\n';

    if (fHost->log.Size() != mark) {
        WriteState(fOut, *fHost, *fSession);
        const std::string dataBar = DataBarText(*fHost);
        if (dataBar != fDataBar && !dataBar.empty()) fOut << "    data bar: " << dataBar << '\n';
        fDataBar = dataBar;
    }
    fOut.flush();
    if (fOptions.afterLine) fOptions.afterLine(line);
}

int Runner::End() {
    if (!fQueuedLines.empty()) {
        fOut << "warning: " << (fQueuedLines.size() == 1 ? "the dialog action" : "the dialog actions")
             << " queued on line";
        for (std::size_t i = 0; i < fQueuedLines.size(); ++i)
            fOut << (i == 0 ? (fQueuedLines.size() == 1 ? " " : "s ") : ", ") << fQueuedLines[i];
        fOut << (fQueuedLines.size() == 1 ? " was" : " were")
             << " never used: a dialog takes the actions queued before the line that opens it\n";
    }
    WriteSummary(fOut, *fHost);
    for (const std::string& fault : fHost->faults) {
        fOut << "host fault: " << fault << '\n';
        ++fFailures;
    }
    if (fFailures != 0) fOut << fFailures << (fFailures == 1 ? " problem\n" : " problems\n");
    fOut.flush();
    return fFailures == 0 ? 0 : 1;
}

void WriteCommandHelp(std::ostream& out) {
    for (const Command& c : Commands()) out << "  " << std::left << std::setw(44) << c.usage << " " << c.help << '\n';
}

}  // namespace workbench
