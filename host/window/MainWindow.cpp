#include "MainWindow.h"

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <cmath>
#include <fstream>

#include "FieldText.h"
#include "HostHooks.h"
#include "StatusReport.h"
#include "WideText.h"

namespace window {

namespace {

constexpr wchar_t kFrameClass[] = L"MoveDuplicateHost";
constexpr UINT_PTR kScriptTimer = 1;
constexpr double kZoomStep = 1.25;
constexpr int kDragSlop = 4;  // pixels a press may move and still be a click

// Menu and accelerator commands (the toolbar's are in ModeBarView.h).
enum : int {
    kOpenScript = 200,
    kExit,
    kUndo = 210,
    kRedo,
    kToolSettings = 220,
    kFit = 230,
    kZoomIn,
    kZoomOut,
    kPlanView,
    kSpaceView,
    kKeysHelp = 240,
};

// Without a script the window opens on an empty plan with the tool chosen.
constexpr char kStartScript[] = "layer Plan plan\ntool\n";

// Writes a file whole or not at all.
bool WriteWhole(const std::string& path, const std::string& text) {
    const std::string part = path + ".part";
    {
        std::ofstream out(part, std::ios::binary);
        out << text;
        if (!out) return false;
    }
    return MoveFileExA(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

host::ModifierKeys PhysicalKeys() {
    host::ModifierKeys keys;
    keys.first = GetKeyState(VK_CONTROL) < 0;
    keys.second = GetKeyState(VK_SHIFT) < 0;
    keys.third = GetKeyState(VK_MENU) < 0;
    return keys;
}

bool SameKeys(const host::ModifierKeys& a, const host::ModifierKeys& b) {
    return a.first == b.first && a.second == b.second && a.third == b.third;
}

// Script commands that add to the drawing: the view is fitted after them.
bool Draws(const std::string& command) {
    return command == "layer" || command == "line" || command == "rect" || command == "box" || command == "polyline";
}

HMENU MakeMenu() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kOpenScript, L"&Open script...\tCtrl+O");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kExit, L"E&xit\tCtrl+Q");
    HMENU edit = CreatePopupMenu();
    AppendMenuW(edit, MF_STRING, kUndo, L"&Undo\tCtrl+Z");
    AppendMenuW(edit, MF_STRING, kRedo, L"&Redo\tCtrl+Y");
    HMENU tool = CreatePopupMenu();
    AppendMenuW(tool, MF_STRING, kSelectToolCommand, L"&Select");
    AppendMenuW(tool, MF_STRING, kMoveToolCommand, L"&Move/Duplicate");
    AppendMenuW(tool, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(tool, MF_STRING, kToolSettings, L"Tool &settings...");
    HMENU view = CreatePopupMenu();
    AppendMenuW(view, MF_STRING, kFit, L"&Fit to drawing\tHome");
    AppendMenuW(view, MF_STRING, kZoomIn, L"Zoom &in\t+");
    AppendMenuW(view, MF_STRING, kZoomOut, L"Zoom &out\t-");
    AppendMenuW(view, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(view, MF_STRING, kPlanView, L"&Plan");
    AppendMenuW(view, MF_STRING, kSpaceView, L"&Space");
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, kKeysHelp, L"&Keys and mouse...");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"&Edit");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(tool), L"&Tool");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), L"&View");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
    return bar;
}

HACCEL MakeAccelerators() {
    ACCEL keys[] = {
        {FCONTROL | FVIRTKEY, 'O', kOpenScript}, {FCONTROL | FVIRTKEY, 'Q', kExit}, {FCONTROL | FVIRTKEY, 'Z', kUndo},
        {FCONTROL | FVIRTKEY, 'Y', kRedo},       {FVIRTKEY, VK_HOME, kFit},         {FVIRTKEY, VK_ADD, kZoomIn},
        {FVIRTKEY, VK_OEM_PLUS, kZoomIn},        {FVIRTKEY, VK_SUBTRACT, kZoomOut}, {FVIRTKEY, VK_OEM_MINUS, kZoomOut},
    };
    return CreateAcceleratorTableW(keys, static_cast<int>(sizeof keys / sizeof keys[0]));
}

const wchar_t kKeysText[] =
    L"Move/Duplicate tool\n\n"
    L"Ctrl: duplicate instead of moving; while picking a span, each press adds a copy or part.\n"
    L"Shift: repeat the last offset or path without picking; while picking, each press takes "
    L"one copy or part away.\n"
    L"Alt: with Shift, repeat in the opposite direction.\n\n"
    L"Click: pick a point. Double-click or Enter: finish a path. Esc: abandon the action.\n"
    L"Ctrl+Z / Ctrl+Y: undo / redo.\n\n"
    L"Select tool: click an object, or drag a rectangle around objects; Shift adds to the selection.\n"
    L"Wheel: zoom at the mouse. Right or middle button: pan. Home: fit the drawing.";

}  // namespace

struct MainWindow::Loaded {
    std::unique_ptr<std::ostringstream> transcript;
    std::unique_ptr<workbench::Runner> runner;
    workbench::Script script;
    HMODULE plugin = nullptr;
};

MainWindow::~MainWindow() {
    fRunner.reset();
    if (fPlugin != nullptr) FreeLibrary(fPlugin);
}

std::unique_ptr<MainWindow::Loaded> MainWindow::Load(const std::string& file) const {
    auto loaded = std::make_unique<Loaded>();
    if (file.empty()) {
        std::istringstream in(kStartScript);
        loaded->script = workbench::ReadScript(in, "(empty plan)");
    } else {
        std::ifstream in(file, std::ios::binary);
        if (!in) throw StartError("cannot read the script " + file);
        loaded->script = workbench::ReadScript(in, file);
    }
    try {
        workbench::Runner::Check(loaded->script);
    } catch (const workbench::ScriptError& e) {
        throw StartError(e.what());
    }
    loaded->transcript = std::make_unique<std::ostringstream>();
    loaded->runner = std::make_unique<workbench::Runner>(*loaded->transcript);
    workbench::RunOptions run;
    run.plugin = fPluginPath;
    try {
        loaded->runner->Begin(loaded->script, run);
    } catch (const std::exception& e) {
        throw StartError(e.what());
    }
    loaded->plugin = LoadLibraryA(fPluginPath.c_str());
    return loaded;
}

void MainWindow::Start(HINSTANCE instance, const std::string& plugin) {
    fInstance = instance;
    fPluginPath = plugin;
    std::unique_ptr<Loaded> loaded = Load(fOptions.script);
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CreateWindows(loaded->runner->Host());
    Adopt(std::move(loaded));
}

void MainWindow::Adopt(std::unique_ptr<Loaded> loaded) {
    fTranscript = std::move(loaded->transcript);
    fRunner = std::move(loaded->runner);
    fScript = std::move(loaded->script);
    if (fPlugin != nullptr) FreeLibrary(fPlugin);
    fPlugin = loaded->plugin;
    fNextLine = 0;
    fLastLine = 0;
    fToolChosen = false;
    fViewTouched = false;
    fScriptState = ScriptState::Running;

    HostHooks hooks;
    hooks.drawFigure = [this](const host::Figure& figure) { fCanvas.DrawNow(figure); };
    hooks.runDialog = [this](int32_t dialog, DialogHandler handler, void* userData) {
        DialogRun run;
        run.host = &TheHost();
        run.dialog = dialog;
        run.handler = handler;
        run.userData = userData;
        run.scripted = fInLine;
        run.stepMs = fOptions.stepMs;
        fOpenDialog = &run;
        WriteStatus();
        const int32_t item = RunCountDialog(fFrame, run);
        fOpenDialog = nullptr;
        return item;
    };
    hooks.itemSet = [this](int32_t dialog, int32_t item, int32_t value) {
        ShowItemNumber(fOpenDialog, dialog, item, value);
    };
    InstallHooks(TheHost(), std::move(hooks));

    const std::string title = "Move/Duplicate Host - " + fScript.file;
    SetWindowTextW(fFrame, Utf16(title).c_str());
    FitView();
    Refresh(true);
    SetTimer(fFrame, kScriptTimer, static_cast<UINT>(std::max(fOptions.stepMs, 10)), nullptr);
}

void MainWindow::CreateWindows(const host::Host& host) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FrameProcedure;
    wc.hInstance = fInstance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFrameClass;
    RegisterClassExW(&wc);
    Canvas::Register(fInstance, CanvasProcedure);

    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    fFrame = CreateWindowExW(0, kFrameClass, L"Move/Duplicate Host", style, CW_USEDEFAULT, CW_USEDEFAULT, 800, 600,
                             nullptr, MakeMenu(), fInstance, this);
    fModeBar.Create(fFrame, fInstance);
    fDataBar.Create(fFrame, fInstance);
    fStatusBar = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                 fFrame, nullptr, fInstance, nullptr);
    fCanvas.Create(fFrame, fInstance, this);
    fAccelerators = MakeAccelerators();

    // The frame's size follows from the drawing area's.
    fModeBar.Update(host, false);
    RECT want{0, 0, fOptions.width + 4, fOptions.height + 4};  // the canvas' sunken edge
    AdjustWindowRectEx(&want, style, TRUE, 0);
    SendMessageW(fStatusBar, WM_SIZE, 0, 0);
    RECT status{};
    GetWindowRect(fStatusBar, &status);
    const int extra = fModeBar.Height() + DataBarView::kHeight + (status.bottom - status.top);
    SetWindowPos(fFrame, nullptr, 0, 0, want.right - want.left, want.bottom - want.top + extra,
                 SWP_NOMOVE | SWP_NOZORDER);
    ShowWindow(fFrame, SW_SHOWNORMAL);
    // Bars measured before they had their final size: mend what is off.
    RECT frame{}, canvas{};
    GetWindowRect(fFrame, &frame);
    GetClientRect(fCanvas.Handle(), &canvas);
    const int dx = fOptions.width - canvas.right, dy = fOptions.height - canvas.bottom;
    if (dx != 0 || dy != 0)
        SetWindowPos(fFrame, nullptr, 0, 0, frame.right - frame.left + dx, frame.bottom - frame.top + dy,
                     SWP_NOMOVE | SWP_NOZORDER);
    UpdateWindow(fFrame);
    SetFocus(fCanvas.Handle());
}

void MainWindow::Layout() {
    RECT client;
    GetClientRect(fFrame, &client);
    SendMessageW(fModeBar.Handle(), TB_AUTOSIZE, 0, 0);
    SendMessageW(fStatusBar, WM_SIZE, 0, 0);
    const int top = fModeBar.Height();
    RECT status{};
    GetWindowRect(fStatusBar, &status);
    const int statusHeight = status.bottom - status.top;
    MoveWindow(fDataBar.Handle(), 0, top, client.right, DataBarView::kHeight, TRUE);
    const int canvasTop = top + DataBarView::kHeight;
    MoveWindow(fCanvas.Handle(), 0, canvasTop, client.right, std::max(1L, client.bottom - statusHeight - canvasTop),
               TRUE);
    RECT inner;
    GetClientRect(fCanvas.Handle(), &inner);
    fCanvas.GetView().Resize(inner.right, inner.bottom);
    const int parts[] = {std::max(100, static_cast<int>(client.right) - 300),
                         std::max(200, static_cast<int>(client.right) - 150), -1};
    SendMessageW(fStatusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
}

int MainWindow::Run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorW(fFrame, fAccelerators, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return fExitStatus;
}

template <class F>
void MainWindow::Act(F&& change, bool repaint) {
    if (fBusy || !fRunner) return;
    fBusy = true;
    try {
        change();
    } catch (const workbench::BadLine& e) {
        fFatal = fScript.file + ":" + std::to_string(fLastLine) + ": " + e.what();
    } catch (const std::exception& e) {
        fFatal = e.what();
    }
    fBusy = false;
    Refresh(repaint);
    if (!fFatal.empty()) PostMessageW(fFrame, WM_CLOSE, 0, 0);
}

void MainWindow::Refresh(bool repaint) {
    host::Host& host = TheHost();
    const int toolbarHeight = fModeBar.Height();
    fModeBar.Update(host, fToolChosen);
    if (fModeBar.Height() != toolbarHeight) Layout();
    fDataBar.Update(host, fToolChosen);

    std::string message = fToolChosen ? host::MacRomanToDisplay(host.messageLine)
                                      : "Select: click an object or drag a rectangle around objects.";
    if (fScriptState == ScriptState::Running)
        message = "Script line " + std::to_string(fLastLine) + " of " + fScript.file + ". " + message;
    SendMessageW(fStatusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(Utf16(message).c_str()));
    const std::string cursor = fToolChosen ? "cursor " + std::to_string(TheSession().Cursor()) : "";
    SendMessageW(fStatusBar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(Utf16(cursor).c_str()));
    const std::string at =
        FormatNumber(host.points.cursor.x) + ", " + FormatNumber(host.points.cursor.y) +
        (host.points.picked.empty() ? "" : "  (" + std::to_string(host.points.picked.size()) + " picked)");
    SendMessageW(fStatusBar, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(Utf16(at).c_str()));

    if (repaint || !fCanvas.InStep(host.feedback)) fCanvas.Invalidate();
    ApplyCursor();
    // The host's call log serves the script's transcript; what the person
    // does by hand is not kept, so a long session does not grow it.
    if (!fInLine) host.log.Clear();
    ++fSequence;
    WriteStatus();
}

void MainWindow::StepScript() {
    if (fBusy || fScriptState != ScriptState::Running) return;
    if (fNextLine >= fScript.lines.size()) {
        KillTimer(fFrame, kScriptTimer);
        fScriptState = ScriptState::Done;
        Refresh(true);
        if (fOptions.exitWhenDone) PostMessageW(fFrame, WM_CLOSE, 0, 0);
        return;
    }
    const workbench::Line& line = fScript.lines[fNextLine++];
    fLastLine = line.number;
    const std::string& command = line.words[0];
    fInLine = true;
    Act([&] { fRunner->RunLine(line); }, true);
    fInLine = false;
    if (command == "tool") fToolChosen = true;
    if (command == "put-away" || command == "dispose") fToolChosen = false;
    if (Draws(command) && !fViewTouched) FitView();
    Refresh(true);
}

void MainWindow::EndSession() {
    if (!fRunner) return;
    KillTimer(fFrame, kScriptTimer);
    fBusy = true;
    if (fToolChosen) TheSession().PutAway();
    TheSession().Dispose();
    fBusy = false;
}

void MainWindow::Close() {
    if (!fRunner) {
        DestroyWindow(fFrame);
        return;
    }
    if (!fFatal.empty()) {
        // A script line that failed: said once, and nothing is written.
        fExitStatus = 2;
    } else {
        if (!fOptions.dump.empty()) {
            std::ostringstream summary;
            workbench::WriteSummary(summary, TheHost());
            if (!WriteWhole(fOptions.dump, summary.str())) fFatal = "cannot write " + fOptions.dump;
        }
        fExitStatus = fRunner->End();
    }
    const std::size_t faults = TheHost().faults.size();
    EndSession();
    if (TheHost().faults.size() != faults && fExitStatus == 0) fExitStatus = 1;
    if (!fOptions.transcript.empty() && fExitStatus != 2) WriteWhole(fOptions.transcript, fTranscript->str());
    if (fExitStatus == 1) {
        // Where the session went wrong: the failed expectations and faults.
        std::istringstream lines(fTranscript->str());
        std::string problems;
        for (std::string line; std::getline(lines, line);)
            if (line.rfind(fScript.file + ":", 0) == 0 || line.rfind("host fault:", 0) == 0) problems += line + "\n";
        if (problems.empty()) problems = "the host noticed a fault in the plug-in's calls\n";
        fFatal = problems;
    }
    // The last status says how the program ends (a caller that starts it
    // through another program may not see its exit status).
    fClosed = true;
    WriteStatus();
    DestroyWindow(fFrame);
}

void MainWindow::ChooseTool(bool chosen) {
    if (chosen == fToolChosen || fScriptState == ScriptState::Running) return;
    Act(
        [&] {
            if (chosen)
                TheSession().ChooseTool();
            else
                TheSession().PutAway();
        },
        true);
    fToolChosen = chosen;
    Refresh(true);
}

void MainWindow::FitView() {
    fCanvas.GetView().Fit(DrawingExtent(TheHost().document));
    fCanvas.Invalidate();
}

void MainWindow::OpenScript() {
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = fFrame;
    open.lpstrFilter = L"Session scripts (*.session)\0*.session\0All files\0*.*\0";
    open.lpstrFile = file;
    open.nMaxFile = MAX_PATH;
    open.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (!GetOpenFileNameW(&open)) return;
    try {
        std::unique_ptr<Loaded> loaded = Load(AnsiFileName(file));
        EndSession();
        Adopt(std::move(loaded));
    } catch (const StartError& e) {
        // The session in the window goes on as it was.
        MessageBoxW(fFrame, Utf16(e.what()).c_str(), L"Open script", MB_OK | MB_ICONERROR);
    }
}

void MainWindow::Command(int id) {
    int32_t group = 0, choice = 0;
    if (ModeCommand(id, group, choice)) {
        if (TakesToolInput()) Act([&] { TheSession().ChangeMode(group, choice); }, false);
        Refresh(false);  // a refused press leaves the buttons as the mode bar is
        return;
    }
    View& view = fCanvas.GetView();
    const Pixel middle{view.Width() / 2.0, view.Height() / 2.0};
    switch (id) {
        case kOpenScript:
            if (!fBusy) OpenScript();
            break;
        case kExit:
            PostMessageW(fFrame, WM_CLOSE, 0, 0);
            break;
        case kUndo:
        case kRedo:
            if (fScriptState != ScriptState::Running)
                Act([&] { id == kUndo ? TheSession().Undo() : TheSession().Redo(); }, true);
            break;
        case kSelectToolCommand:
        case kMoveToolCommand:
            ChooseTool(id == kMoveToolCommand);
            Refresh(false);
            break;
        case kToolSettings:
            if (TakesToolInput()) Act([&] { TheSession().EditSettings(); }, false);
            break;
        case kFit:
            fViewTouched = true;
            FitView();
            break;
        case kZoomIn:
        case kZoomOut:
            fViewTouched = true;
            view.ZoomAt(middle, id == kZoomIn ? kZoomStep : 1.0 / kZoomStep);
            fCanvas.Invalidate();
            break;
        case kPlanView:
        case kSpaceView:
            if (fScriptState != ScriptState::Running)
                Act([&] { TheSession().SetView(id == kPlanView ? host::kPlanView : host::kSpaceView); }, true);
            break;
        case kKeysHelp:
            MessageBoxW(fFrame, kKeysText, L"Keys and mouse", MB_OK | MB_ICONINFORMATION);
            break;
        default:
            break;
    }
}

bool MainWindow::TakesToolInput() const { return fToolChosen && fScriptState != ScriptState::Running && !fBusy; }

void MainWindow::SyncKeys() {
    if (!TakesToolInput()) return;
    const host::ModifierKeys keys = PhysicalKeys();
    if (!SameKeys(keys, TheHost().keys)) Act([&] { TheSession().SetKeys(keys); }, false);
}

Point3D MainWindow::WorldAt(LPARAM lParam) const {
    return fCanvas.GetView().Snapped(
        {static_cast<double>(GET_X_LPARAM(lParam)), static_cast<double>(GET_Y_LPARAM(lParam))});
}

void MainWindow::MouseMove(LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (fDrag == Drag::Pan) {
        fCanvas.GetView().Pan(at.x - fDragLast.x, at.y - fDragLast.y);
        fDragLast = at;
        fCanvas.Invalidate();
        WriteStatus();
        return;
    }
    if (fDrag == Drag::Select) {
        fCanvas.ToggleMarquee(fDragFrom, fDragLast);
        fDragLast = at;
        fCanvas.ToggleMarquee(fDragFrom, fDragLast);
        return;
    }
    if (!TakesToolInput()) return;
    SyncKeys();
    const Point3D p = WorldAt(lParam);
    const Point3D& now = TheHost().points.cursor;
    if (p.x != now.x || p.y != now.y) Act([&] { TheSession().MoveMouse(p); }, false);
    ApplyCursor();
}

void MainWindow::MouseDown(UINT message, WPARAM wParam, LPARAM lParam) {
    SetFocus(fCanvas.Handle());
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN) {
        fDrag = Drag::Pan;
        fDragFrom = fDragLast = at;
        fViewTouched = true;
        SetCapture(fCanvas.Handle());
        return;
    }
    if (!fToolChosen) {
        if (fScriptState == ScriptState::Running) return;
        fDrag = Drag::Select;
        fDragFrom = fDragLast = at;
        fCanvas.ToggleMarquee(fDragFrom, fDragLast);
        SetCapture(fCanvas.Handle());
        return;
    }
    if (!TakesToolInput()) return;
    SyncKeys();
    const Point3D p = WorldAt(lParam);
    host::Session& session = TheSession();
    // The second press of a double-click ends a path that may end here.
    if (message == WM_LBUTTONDBLCLK && session.Collecting() == host::Session::Collect::MultiPoint &&
        session.CanFinish())
        Act([&] { session.FinishPath(); }, true);
    else
        Act([&] { session.Click(p); }, true);
    (void)wParam;
}

void MainWindow::MouseUp(LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (fDrag == Drag::None) return;
    ReleaseCapture();
    if (fDrag == Drag::Select) {
        fCanvas.ToggleMarquee(fDragFrom, fDragLast);
        fDrag = Drag::None;
        Select(fDragFrom, at, GetKeyState(VK_SHIFT) < 0);
        return;
    }
    fDrag = Drag::None;
}

void MainWindow::Select(POINT from, POINT to, bool add) {
    host::Document& document = TheHost().document;
    const View& view = fCanvas.GetView();
    std::vector<host::Object*> hits;
    const bool click = std::abs(to.x - from.x) <= kDragSlop && std::abs(to.y - from.y) <= kDragSlop;
    const std::vector<host::Object*> objects = document.AllObjects();
    if (click) {
        // The topmost object whose outline passes within a few pixels, or
        // whose closed outline holds the point.
        const double reach = 4.0;
        for (auto it = objects.rbegin(); it != objects.rend() && hits.empty(); ++it) {
            const host::Object& o = **it;
            const std::size_t n = o.vertices.size();
            for (std::size_t i = 0; i + 1 < n + (o.closed ? 1 : 0) && hits.empty(); ++i) {
                const Pixel a = view.ToPixel(o.vertices[i].x, o.vertices[i].y);
                const Pixel b = view.ToPixel(o.vertices[(i + 1) % n].x, o.vertices[(i + 1) % n].y);
                const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
                const double t = len2 == 0 ? 0 : std::clamp(((to.x - a.x) * dx + (to.y - a.y) * dy) / len2, 0.0, 1.0);
                if (std::hypot(a.x + t * dx - to.x, a.y + t * dy - to.y) <= reach) hits.push_back(*it);
            }
            if (hits.empty() && o.closed && n != 0) {
                const Rect2D r = host::Document::PlanBounds(o);
                const Point3D w = view.ToWorld({static_cast<double>(to.x), static_cast<double>(to.y)});
                if (w.x >= r.left && w.x <= r.right && w.y >= r.bottom && w.y <= r.top) hits.push_back(*it);
            }
        }
    } else {
        // Every object that lies wholly inside the rectangle.
        const Point3D a = view.ToWorld({static_cast<double>(from.x), static_cast<double>(from.y)});
        const Point3D b = view.ToWorld({static_cast<double>(to.x), static_cast<double>(to.y)});
        for (host::Object* o : objects) {
            if (o->vertices.empty()) continue;
            const Rect2D r = host::Document::PlanBounds(*o);
            if (r.left >= std::min(a.x, b.x) && r.right <= std::max(a.x, b.x) && r.bottom >= std::min(a.y, b.y) &&
                r.top <= std::max(a.y, b.y))
                hits.push_back(o);
        }
    }
    if (!add) document.ClearSelection();
    for (host::Object* o : hits) document.Select(o, add && click ? !o->selected : true);
    Refresh(true);
}

HCURSOR MainWindow::CurrentCursor() {
    HCURSOR arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    if (fDrag == Drag::Pan) return LoadCursorW(nullptr, MAKEINTRESOURCEW(32646));  // four arrows
    if (!fToolChosen || !fRunner) return arrow;
    const int32_t id = TheSession().Cursor();
    HCURSOR cursor = id > 0 && id < 65536 && fPlugin ? LoadCursorW(fPlugin, MAKEINTRESOURCEW(id)) : nullptr;
    fCursorLoaded = cursor != nullptr;
    return cursor ? cursor : arrow;
}

void MainWindow::ApplyCursor() {
    POINT at;
    if (!GetCursorPos(&at) || WindowFromPoint(at) != fCanvas.Handle()) return;
    SetCursor(CurrentCursor());
}

void MainWindow::WriteStatus() {
    if (fOptions.status.empty() || !fRunner) return;
    WindowFacts facts;
    facts.sequence = fSequence;
    facts.toolChosen = fToolChosen;
    facts.script = fScriptState == ScriptState::Running ? "running"
                   : fScriptState == ScriptState::Done  ? "done"
                                                        : "none";
    facts.line = fLastLine;
    if (fToolChosen) CurrentCursor();
    facts.cursorLoaded = fCursorLoaded;
    facts.onScreen = fCanvas.OnScreen();
    facts.dialogOpen = fOpenDialog != nullptr;
    facts.exitStatus = fClosed ? fExitStatus : -1;
    const View& view = fCanvas.GetView();
    const Pixel origin = view.ToPixel(0.0, 0.0);
    POINT corner{0, 0};
    ClientToScreen(fCanvas.Handle(), &corner);
    facts.origin = {origin.x + corner.x, origin.y + corner.y};
    facts.canvasLeft = corner.x;
    facts.canvasTop = corner.y;
    facts.canvasWidth = view.Width();
    facts.canvasHeight = view.Height();
    facts.scale = view.Scale();
    facts.snap = view.SnapStep();
    WriteWhole(fOptions.status, StatusText(facts, TheHost(), TheSession()));
}

LRESULT CALLBACK MainWindow::FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<MainWindow*>(create->lpCreateParams)->fFrame = window;
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->OnFrame(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::CanvasProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->OnCanvas(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::OnFrame(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (fCanvas.Handle() != nullptr) {
                Layout();
                fCanvas.Invalidate();
                if (fRunner) WriteStatus();
            }
            return 0;
        case WM_MOVE:
            if (fRunner) WriteStatus();
            return 0;
        case WM_SETFOCUS:
            if (fCanvas.Handle() != nullptr) SetFocus(fCanvas.Handle());
            return 0;
        case WM_COMMAND:
            Command(LOWORD(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kScriptTimer) StepScript();
            return 0;
        case WM_INITMENUPOPUP: {
            HMENU menu = reinterpret_cast<HMENU>(wParam);
            const host::Object* layer =
                fRunner ? host::Document::LayerOf(TheHost().document.CurrentContainer()) : nullptr;
            CheckMenuItem(menu, kPlanView, layer && layer->viewKind == host::kPlanView ? MF_CHECKED : MF_UNCHECKED);
            CheckMenuItem(menu, kSpaceView, layer && layer->viewKind != host::kPlanView ? MF_CHECKED : MF_UNCHECKED);
            CheckMenuItem(menu, kSelectToolCommand, fToolChosen ? MF_UNCHECKED : MF_CHECKED);
            CheckMenuItem(menu, kMoveToolCommand, fToolChosen ? MF_CHECKED : MF_UNCHECKED);
            return 0;
        }
        case WM_CLOSE:
            if (fBusy) return 0;  // a dialog of the tool is open
            Close();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(fExitStatus);
            return 0;
        default:
            return DefWindowProcW(fFrame, message, wParam, lParam);
    }
}

LRESULT MainWindow::OnCanvas(HWND canvas, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(canvas, &ps);
            if (fRunner) fCanvas.Paint(dc, TheHost(), fScriptState == ScriptState::Running);
            EndPaint(canvas, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                SetCursor(CurrentCursor());
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE:
            MouseMove(lParam);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            MouseDown(message, wParam, lParam);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            MouseUp(lParam);
            return 0;
        case WM_MOUSEWHEEL: {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(canvas, &at);
            const double notches = GET_WHEEL_DELTA_WPARAM(wParam) / static_cast<double>(WHEEL_DELTA);
            fCanvas.GetView().ZoomAt({static_cast<double>(at.x), static_cast<double>(at.y)},
                                     std::pow(kZoomStep, notches));
            fViewTouched = true;
            fCanvas.Invalidate();
            WriteStatus();
            return 0;
        }
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            if (wParam == VK_CONTROL || wParam == VK_SHIFT || wParam == VK_MENU) {
                // Alt is a modifier of the tool here, not the way into the menu.
                SyncKeys();
                return 0;
            }
            if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
                if (TakesToolInput()) Act([&] { TheSession().Cancel(); }, true);
                return 0;
            }
            if (message == WM_KEYDOWN && wParam == VK_RETURN) {
                if (TakesToolInput()) {
                    bool finished = false;
                    Act([&] { finished = TheSession().FinishPath(); }, true);
                    if (!finished) MessageBeep(MB_OK);
                }
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            SyncKeys();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(canvas, message, wParam, lParam);
}

}  // namespace window
