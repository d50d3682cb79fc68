// The host program's main window: the drawing area, the toolbar with the
// tool's mode bar, the data bar and the status bar with the message line,
// over one host::Session that every mouse movement, click and key goes to.
// A script given at start (or opened later) sets up the drawing and is
// replayed line by line on a timer, the window showing every step.
#pragma once

#include <windows.h>

#include <memory>
#include <sstream>
#include <string>

#include "Canvas.h"
#include "CountDialog.h"
#include "DataBarView.h"
#include "ModeBarView.h"
#include "Options.h"
#include "workbench/Runner.h"
#include "workbench/Script.h"

namespace window {

// A session that cannot start: a missing file, a plug-in without `main`,
// a bad script line. The text says what and where.
class StartError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class MainWindow {
public:
    explicit MainWindow(const Options& options) : fOptions(options) {}
    ~MainWindow();

    // Reads and checks the script, loads the plug-in; throws StartError.
    void Start(HINSTANCE instance, const std::string& plugin);
    // Runs the window until it closes; the exit status.
    int Run();
    // What went wrong, for the caller to report: a script line that failed
    // while running, or the expectations and faults of a run that ends 1.
    const std::string& Problem() const { return fFatal; }

private:
    enum class ScriptState { None, Running, Done };
    enum class Drag { None, Select, Pan };

    static LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CanvasProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnFrame(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCanvas(HWND canvas, UINT message, WPARAM wParam, LPARAM lParam);

    // A session: the script read and checked, the host made, the plug-in
    // loaded and the window's hooks in place. Throws StartError.
    struct Loaded;
    std::unique_ptr<Loaded> Load(const std::string& file) const;
    void Adopt(std::unique_ptr<Loaded> loaded);
    void EndSession();

    void CreateWindows(const host::Host& host);
    void Layout();
    void Command(int id);
    void OpenScript();

    // Runs one change through the session, then brings the window up to date.
    template <class F>
    void Act(F&& change, bool repaint);
    void Refresh(bool repaint);
    void StepScript();
    void Close();

    void SyncKeys();
    bool TakesToolInput() const;
    Point3D WorldAt(LPARAM lParam) const;
    void MouseMove(LPARAM lParam);
    void MouseDown(UINT message, WPARAM wParam, LPARAM lParam);
    void MouseUp(LPARAM lParam);
    void Select(POINT from, POINT to, bool add);
    void ChooseTool(bool chosen);
    void FitView();
    void ApplyCursor();
    HCURSOR CurrentCursor();
    void WriteStatus();

    host::Host& TheHost() { return fRunner->Host(); }
    host::Session& TheSession() { return fRunner->Session(); }

    Options fOptions;
    std::string fPluginPath;
    HINSTANCE fInstance = nullptr;
    HWND fFrame = nullptr;
    HWND fStatusBar = nullptr;
    HACCEL fAccelerators = nullptr;
    Canvas fCanvas;
    ModeBarView fModeBar;
    DataBarView fDataBar;

    std::unique_ptr<std::ostringstream> fTranscript;
    std::unique_ptr<workbench::Runner> fRunner;
    workbench::Script fScript;
    HMODULE fPlugin = nullptr;  // the plug-in's module, for its cursors
    std::size_t fNextLine = 0;
    int fLastLine = 0;
    ScriptState fScriptState = ScriptState::None;

    bool fToolChosen = false;
    bool fBusy = false;
    bool fInLine = false;
    bool fViewTouched = false;
    bool fCursorLoaded = false;
    DialogRun* fOpenDialog = nullptr;
    Drag fDrag = Drag::None;
    POINT fDragFrom{}, fDragLast{};
    long fSequence = 0;
    std::string fFatal;  // a script line that failed while running
    int fExitStatus = 0;
    bool fClosed = false;
};

}  // namespace window
