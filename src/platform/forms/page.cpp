#include "platform/forms/page.h"

#include <algorithm>
#include <stdexcept>

#include "platform/forms/application.h"
#include "platform/system/system.h"
#include "platform/win32/font.h"
#include "platform/win32/resources.h"
#include "platform/win32/units.h"

namespace platform {
namespace {

constexpr const char* kPageClass = "Catalog.Page";

bool IsPageKey(std::string_view key) {
    static constexpr std::string_view kKeys[] = {"Caption",   "BackColor", "Font",
                                                 "Width",     "Height",    "BorderStyle",
                                                 "MinButton", "MaxButton", "StartUpPosition"};
    return std::find(std::begin(kKeys), std::end(kKeys), key) != std::end(kKeys);
}

}  // namespace

Page::Page(Application& app, std::string layoutResource)
    : app_(app), layoutResource_(std::move(layoutResource)) {}

Page::Page(Application& app, LayoutText layout) : app_(app), layoutText_(std::move(layout.text)) {}

Page::~Page() {
    // The window goes with the object. The page is unloaded by now: the application keeps every
    // loaded page alive, and unloads those it still has before it goes.
    controls_.clear();
}

void Page::ApplyPageSettings(LayoutNode& root) {
    PropertyBag bag(root, root.name, &diagnostics_);
    backColor_ = bag.ReadColour("BackColor", GetSysColor(COLOR_BTNFACE));
    font_ = bag.ReadFont("Font", font_);
    borderStyle_ = bag.ReadText("BorderStyle", borderStyle_);
    if (borderStyle_ != "None" && borderStyle_ != "FixedSingle" && borderStyle_ != "Sizable" &&
        borderStyle_ != "FixedDialog") {
        bag.Report("BorderStyle", "must be None, FixedSingle, Sizable or FixedDialog");
        borderStyle_ = "Sizable";
    }
    minButton_ = bag.ReadTruth("MinButton", minButton_);
    maxButton_ = bag.ReadTruth("MaxButton", maxButton_);
    startUpPosition_ = bag.ReadLong("StartUpPosition", startUpPosition_);
    for (const LayoutProperty& p : root.properties)
        if (!IsPageKey(p.key)) bag.Report(p.key, "the key is unknown to a page");
}

void Page::Load() {
    if (loaded_) return;
    diagnostics_.clear();
    controls_.clear();

    std::string text = layoutText_;
    if (text.empty()) {
        std::string_view data = ResourceData(layoutResource_.c_str());
        text.assign(data.begin(), data.end());
        if (text.empty()) diagnostics_.push_back({layoutResource_, {}, {}, 0, "the page layout is missing"});
    }
    ParsedLayout parsed = ParseLayout(text);
    diagnostics_.insert(diagnostics_.end(), parsed.diagnostics.begin(), parsed.diagnostics.end());
    LayoutNode& root = parsed.root;
    name_ = root.name.empty() ? layoutResource_ : root.name;
    if (!root.className.empty() && root.className != "Page")
        diagnostics_.push_back({name_, {}, {}, root.line, "the layout must begin with 'Begin Page'"});
    ApplyPageSettings(root);

    DWORD style = WS_CLIPCHILDREN;
    DWORD exStyle = 0;
    if (borderStyle_ == "None") {
        style |= WS_POPUP;
    } else if (borderStyle_ == "FixedDialog") {
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        exStyle |= WS_EX_DLGMODALFRAME;
    } else {
        style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
        if (borderStyle_ == "Sizable") style |= WS_THICKFRAME;
    }
    if (minButton_) style |= WS_MINIMIZEBOX;
    if (maxButton_) style |= WS_MAXIMIZEBOX;

    PropertyBag bag(root, name_, &diagnostics_);
    std::string caption = bag.ReadText("Caption", name_);
    if (!Create(kPageClass, 0, exStyle, style, caption.c_str(), CW_USEDEFAULT, CW_USEDEFAULT, 300, 200,
                nullptr)) {
        System().ShowMessage(nullptr, "The window of page " + name_ + " could not be made.",
                             ApplicationTitle(), MB_OK | MB_ICONHAND);
        return;
    }
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(app_.ProgramIcon(false)));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(app_.ProgramIcon(true)));
    // The page takes the scale of the display it is on; a page opened from another page (a product
    // page) takes its opener's, on whose display it will appear.
    Page* opener = app_.PageOf(GetActiveWindow());
    dpi_ = opener && opener != this ? opener->Dpi() : WindowDpi(hwnd());
    highContrast_ = System().HighContrast();
    screenFont_ = CreateScreenFont(font_, dpi_);
    SetSize(bag.ReadExtent("Width", 6000, kLargestExtentTwips),
            bag.ReadExtent("Height", 4000, kLargestExtentTwips));

    loaded_ = true;
    app_.AddLoaded(shared_from_this());
    BuildControls(hwnd(), root.children);
    ShowLoadProblems();
    Form_Load();
}

void Page::BuildControls(HWND parent, std::vector<LayoutNode>& nodes) {
    for (LayoutNode& node : nodes) {
        std::unique_ptr<Control> control = CreateControl(node);
        if (!control) {
            diagnostics_.push_back(
                {name_,
                 node.DisplayName(),
                 {},
                 node.line,
                 "the control class " + node.className + " is unknown; the control is left out"});
            continue;
        }
        for (const auto& existing : controls_) {
            if (existing->Name() == node.name && existing->Index() == node.index) {
                diagnostics_.push_back({name_,
                                        node.DisplayName(),
                                        {},
                                        node.line,
                                        "a control of that name is already on the page"});
                break;
            }
        }
        PropertyBag bag(node, name_, &diagnostics_);
        Control* raw = control.get();
        controls_.push_back(std::move(control));
        raw->Build(parent, bag);
        if (!node.children.empty() && raw->hwnd()) BuildControls(raw->hwnd(), node.children);
        raw->OnChildrenBuilt();
    }
}

std::unique_ptr<Control> Page::CreateControl(const LayoutNode& /*node*/) {
    return nullptr;
}

void Page::ShowLoadProblems() {
    if (diagnostics_.empty()) return;
    std::string text = "Some settings of this page could not be read; defaults are used for them:\r\n";
    constexpr std::size_t kShown = 12;
    for (std::size_t i = 0; i < diagnostics_.size() && i < kShown; ++i)
        text += "\r\n" + diagnostics_[i].ToString();
    if (diagnostics_.size() > kShown)
        text += "\r\n... and " + std::to_string(diagnostics_.size() - kShown) + " more.";
    System().ShowMessage(hwnd(), text, ApplicationTitle(), MB_OK | MB_ICONEXCLAMATION);
}

void Page::Show() {
    Load();
    if (!loaded_) return;
    if (!shownOnce_) {
        shownOnce_ = true;
        RECT window{};
        GetWindowRect(hwnd(), &window);
        int width = window.right - window.left;
        int height = window.bottom - window.top;
        RECT area{};
        HWND owner = GetWindow(hwnd(), GW_OWNER);
        if (startUpPosition_ == 1 && owner) GetWindowRect(owner, &area);
        else SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        if (startUpPosition_ == 1 || startUpPosition_ == 2) {
            int x = area.left + (area.right - area.left - width) / 2;
            int y = area.top + (area.bottom - area.top - height) / 2;
            SetWindowPos(hwnd(), nullptr, std::max(0, x), std::max(0, y), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    UpdateWindow(hwnd());
    UpdateShownControls();
}

void Page::ShowModal() {
    Load();
    if (!loaded_) return;
    std::shared_ptr<Page> keepAlive = shared_from_this();

    // The opener is whichever page is active; the modal page stays above it, on its display and at its
    // scale.
    HWND opener = GetActiveWindow();
    if (Page* openerPage = opener && opener != hwnd() ? app_.PageOf(opener) : nullptr) {
        SetWindowLongPtrA(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(opener));
        ApplyDpi(openerPage->Dpi(), nullptr);
    }
    disabledByModal_.clear();
    for (const auto& page : app_.LoadedPages()) {
        if (page.get() != this && page->hwnd() && IsWindowEnabled(page->hwnd())) {
            disabledByModal_.push_back(page->hwnd());
            EnableWindow(page->hwnd(), FALSE);
        }
    }
    modal_ = true;
    Show();
    app_.RunUntil([this] { return !loaded_; });
}

bool Page::Unload(UnloadMode mode) {
    if (!loaded_) return true;
    if (unloading_) {
        // Already closing (its own close request is running): unload now without asking again.
        std::int16_t cancel = 0;
        Form_Unload(cancel);
        DestroyPage();
        return true;
    }
    unloading_ = true;
    std::int16_t cancel = 0;
    Form_QueryUnload(cancel, mode);
    if (!loaded_) {
        unloading_ = false;
        return true;  // the handler unloaded the page itself
    }
    if (cancel != 0) {
        unloading_ = false;
        return false;
    }
    Form_Unload(cancel);
    if (cancel != 0) {
        unloading_ = false;
        return false;
    }
    DestroyPage();
    unloading_ = false;
    return true;
}

void Page::UnloadWithoutAsking() {
    if (!loaded_) return;
    DestroyPage();
}

void Page::DestroyPage() {
    std::shared_ptr<Page> keepAlive = shared_from_this();
    FinishUnload();
    if (hwnd()) DestroyWindow(hwnd());
}

void Page::FinishUnload() {
    if (!loaded_) return;
    loaded_ = false;
    // Give the other pages their input back before this window goes, so that Windows activates the
    // opener again.
    if (modal_) {
        for (HWND window : disabledByModal_)
            if (IsWindow(window)) EnableWindow(window, TRUE);
        disabledByModal_.clear();
        modal_ = false;
    }
    for (auto& control : controls_) control->Terminate();
    app_.RemoveLoaded(*this);
    // The application keeps the page alive until no handler of it can still be running, so the
    // listener may drop its own reference now.
    if (auto listener = std::move(onUnloaded)) listener();
}

void Page::OnWindowDestroyed() {
    // The window went without an unload (its owner was destroyed): the page is unloaded all the same.
    if (loaded_) FinishUnload();
    background_.Reset();
}

std::string Page::Caption() const {
    if (!hwnd()) return {};
    int length = GetWindowTextLengthA(hwnd());
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(hwnd(), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void Page::SetCaption(const std::string& caption) {
    if (hwnd()) SetWindowTextA(hwnd(), caption.c_str());
}

void Page::SetSize(int widthTwips, int heightTwips) {
    if (!hwnd()) return;
    // A size from the program's own code is held to what can be drawn, at any resolution.
    int width = std::clamp(TwipsToPixels(widthTwips, dpi_), 0, kLargestExtentPixels);
    int height = std::clamp(TwipsToPixels(heightTwips, dpi_), 0, kLargestExtentPixels);
    SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EnsureBackground();
}

bool Page::Enabled() const {
    return hwnd() && IsWindowEnabled(hwnd());
}

void Page::SetEnabled(bool enabled) {
    if (hwnd()) EnableWindow(hwnd(), enabled ? TRUE : FALSE);
}

void Page::SetMousePointer(int pointer) {
    mousePointer_ = pointer;
    // Printing does not let messages run, so the pointer changes at once rather than at the next move.
    SetCursor(LoadCursor(nullptr, pointer == kPointerHourglass ? IDC_WAIT : IDC_ARROW));
}

int Page::WidthPixels() const {
    RECT r{};
    if (hwnd()) GetWindowRect(hwnd(), &r);
    return r.right - r.left;
}

int Page::HeightPixels() const {
    RECT r{};
    if (hwnd()) GetWindowRect(hwnd(), &r);
    return r.bottom - r.top;
}

Control* Page::ControlOfWindow(HWND window) const {
    for (const auto& control : controls_)
        if (window && control->hwnd() == window) return control.get();
    return nullptr;
}

Control* Page::FindControl(std::string_view name, std::optional<int> index) const {
    for (const auto& control : controls_)
        if (control->Name() == name && control->Index() == index) return control.get();
    return nullptr;
}

void Page::ThrowMissingControl(std::string_view name, std::optional<int> index) const {
    std::string display(name);
    if (index) display += "(" + std::to_string(*index) + ")";
    throw std::logic_error("page " + name_ + " has no control " + display + " of the expected kind");
}

void Page::DoEvents() {
    app_.DoEvents();
}

void Page::PostActivate() {
    if (hwnd()) PostMessageA(hwnd(), kActivateMessage, 0, 0);
}

void Page::UpdateShownControls() {
    for (const auto& control : controls_) control->UpdateShown();
}

LRESULT Page::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        PaintBackground(reinterpret_cast<HDC>(wParam));
        return 1;  // the background is drawn: Windows has nothing left to erase
    case WM_PAINT: OnPaint(); return 0;
    case WM_PRINTCLIENT: PaintBackground(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_DPICHANGED:
        // Windows suggests where the window goes at the new scale (keeping it on that display).
        ApplyDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: OnAppearanceChanged(message == WM_SYSCOLORCHANGE); break;
    case WM_ACTIVATE: OnActivate(LOWORD(wParam), HIWORD(wParam) != 0); return 0;
    case kActivateMessage: OnActivateEvent(); return 0;
    case WM_SETFOCUS: RestoreFocus(); return 0;
    case WM_SETCURSOR:
        if (OnSetCursor()) return TRUE;  // the pointer is set: Windows must not set the class's
        break;
    case WM_CLOSE: Unload(kFormControlMenu); return 0;
    case WM_QUERYENDSESSION: return Unload(kAppWindows) ? TRUE : FALSE;  // FALSE keeps the session
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        if (HBRUSH brush = OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;  // not one of this page's controls: the system's colours
    case WM_GETFONT: return reinterpret_cast<LRESULT>(screenFont_.get());
    default: break;
    }
    return Default(message, wParam, lParam);
}

void Page::OnPaint() {
    { PaintScope paint(hwnd()); }
    if (!paintedOnce_) {
        // The first time, the controls paint at once as well, so that the page appears whole; that is
        // the program's first frame when this is its first page.
        paintedOnce_ = true;
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        app_.NotePaintedWhole();
    }
}

void Page::OnActivate(WORD state, bool minimized) {
    if (state == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd(), focus)) lastFocus_ = focus;
        return;
    }
    if (minimized) return;
    // The activate event runs after the activation has finished, from the message loop, so that it may
    // show a modal page of its own.
    PostMessageA(hwnd(), kActivateMessage, 0, 0);
    RestoreFocus();
}

void Page::OnActivateEvent() {
    if (!loaded_) return;
    if (app_.InDoEvents()) app_.DeferActivation(weak_from_this());
    else Form_Activate();
}

bool Page::OnSetCursor() {
    if (mousePointer_ != kPointerHourglass) return false;
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    return true;
}

HBRUSH Page::OnControlColour(HDC dc, HWND controlWindow) {
    // Only a control of this page is asked; any other window keeps the system's colours.
    Control* control = ControlOfWindow(controlWindow);
    return control ? control->ColourDC(dc) : nullptr;
}

}  // namespace platform
