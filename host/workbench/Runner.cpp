#include "workbench/Runner.h"

#include <iomanip>

#include "host/Transcript.h"

namespace workbench {

namespace {

const Command* Find(const std::string& name) {
    for (const Command& c : Commands())
        if (name == c.name) return &c;
    return nullptr;
}

void WriteState(std::ostream& out, host::Host& host, host::Session& session) {
    out << "  = cursor " << session.Cursor();
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
        out << "  " << object->name << (object->selected ? " (selected)" : "") << ": x " << r.left << ".." << r.right
            << ", y " << r.bottom << ".." << r.top;
        if (object->height != 0.0 || (!object->vertices.empty() && object->vertices[0].z != 0.0)) {
            const Cube3D c = host::Document::SpaceBounds(*object);
            out << ", z " << c.minZ << ".." << c.maxZ;
        }
        out << '\n';
    }
}

void Runner::Check(const Script& script) {
    std::set<std::string> names;
    for (const Line& line : script.lines) {
        const Command* command = Find(line.words[0]);
        if (command == nullptr) throw ScriptError(script.file, line.number, "unknown command '" + line.words[0] + "'");
        try {
            Args args(line, names);
            command->run(args, nullptr);
            args.End();
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
    Check(script);
    fFile = script.file;
    fOptions = options;
    fNames.clear();
    fFailures = 0;
    fHost = std::make_unique<host::Host>();
    fHost->LoadPlugin(options.plugin);
    fSession = std::make_unique<host::Session>(*fHost);
}

void Runner::RunLine(const Line& line) {
    fLine = line.number;
    fOut << "> " << line.text << '\n';
    const std::size_t mark = fHost->log.Size();
    Args args(line, fNames);
    Find(line.words[0])->run(args, this);
    host::WriteLog(fOut, fHost->log, mark, host::TranscriptOptions{fOptions.calls});
    if (fHost->log.Size() != mark) WriteState(fOut, *fHost, *fSession);
    if (fOptions.afterLine) fOptions.afterLine(line);
}

int Runner::End() {
    WriteSummary(fOut, *fHost);
    for (const std::string& fault : fHost->faults) {
        fOut << "host fault: " << fault << '\n';
        ++fFailures;
    }
    if (fFailures != 0) fOut << fFailures << (fFailures == 1 ? " problem\n" : " problems\n");
    return fFailures == 0 ? 0 : 1;
}

void WriteCommandHelp(std::ostream& out) {
    for (const Command& c : Commands()) out << "  " << std::left << std::setw(44) << c.usage << " " << c.help << '\n';
}

}  // namespace workbench
