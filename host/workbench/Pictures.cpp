#include "workbench/Pictures.h"

#include <cstdio>
#include <filesystem>

#include "workbench/Outputs.h"
#include "workbench/Sheet.h"
#include "workbench/Story.h"
#include "workbench/Storyboard.h"
#include "workbench/Svg.h"

namespace workbench {

Pictures::Pictures(PictureOptions options) : fOptions(std::move(options)) {
    if (Frames()) fSpool = std::make_unique<SceneSpool>();
}

void Pictures::AfterLine(const Line& line, const host::Host& host, int32_t cursor, const std::string& transcript) {
    if (!Wanted()) return;
    // The host forgets the picked points when an action completes; the
    // drawing keeps them (the span, the path) until the next action starts.
    // The line that completed added the last point with its click, where the
    // cursor now is.
    const std::vector<Point3D>& picked = host.points.picked;
    if (!picked.empty()) {
        fLastPicked.clear();
    } else if (CompletedSince(host.log, fLogMark)) {
        fLastPicked = fPicked;
        if (line.words[0] == "click") fLastPicked.push_back(host.points.cursor);
    }
    fPicked = picked;
    fLogMark = host.log.Size();

    fLast = TakeScene(host, cursor, fLastPicked, "line " + std::to_string(line.number) + ": " + line.text);
    fAny = true;
    fExtent.Add(fLast);
    if (fSpool) fSpool->Put(fLast, transcript);
}

void Pictures::Write(const std::string& transcript) {
    if (!Wanted()) return;
    if (!fAny) fLast.caption = "empty session";
    const Sheet sheet = FitSheet(fExtent);
    const std::string& title = fOptions.title;
    if (fSpool) {
        std::unique_ptr<WholeFile> html;
        if (!fOptions.html.empty()) {
            html = std::make_unique<WholeFile>(fOptions.html);
            html->Write(StoryboardHead(title, fSpool->Size() + 1));
        }
        int index = 0;
        fSpool->ForEach([&](const Scene& scene, const std::string& lineTranscript) {
            const std::string drawing = DrawingSvg(scene, sheet, title);
            if (!fOptions.frames.empty()) {
                char name[32];
                std::snprintf(name, sizeof name, "frame-%04d.svg", index + 1);
                WriteWhole((std::filesystem::path(fOptions.frames) / name).string(), drawing);
            }
            if (html)
                html->Write(StoryboardFrame(static_cast<std::size_t>(index), {scene.caption, drawing, lineTranscript}));
            ++index;
        });
        if (html) {
            html->Write(StoryboardFrame(static_cast<std::size_t>(index),
                                        {"at the end", DrawingSvg(fLast, sheet, title), transcript}));
            html->Write(StoryboardTail());
            html->Commit();
        }
    }
    if (!fOptions.svg.empty()) WriteWhole(fOptions.svg, DrawingSvg(fLast, sheet, title));
}

}  // namespace workbench
