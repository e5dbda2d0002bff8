// Creation, size, show, hide and end of the button, in the order the host calls them: initialize,
// then init-properties (a button placed new) or read-properties (a button restored from its page's
// layout), then resize and show; hide and show as it leaves and reappears; terminate at unload.
#include "button/button_math.h"
#include "button/tamrix_button.h"
#include "platform/win32/gdi.h"

namespace button {

TamrixButton::TamrixButton(platform::ControlHost& host, const platform::LayoutNode& node)
    : UserControl(host, node) {
    // OverTimer: polls the pointer while the hover look is on; stopped until then.
    SetTimerInterval(3);
}

TamrixButton::~TamrixButton() = default;

void TamrixButton::UserControl_Initialize() {
    m_.Shown = true;
}

void TamrixButton::UserControl_InitProperties() {
    m_.Enabled = true;
    m_.ShowFocusRect = true;
    m_.UseMaskColor = true;
    m_.Caption = AmbientDisplayName();
    HostFont().Set(AmbientFont());
    m_.ButtonType = kShaded;
    m_.ColorScheme = kSchemeOwn;
    ResolveSchemeColors();
    // A new button starts in the system's button colours (a restored one has its own stored colours).
    m_.BackColor = GetSysColor(COLOR_BTNFACE);
    m_.BackOver = m_.BackColor;
    m_.ForeColor = GetSysColor(COLOR_BTNTEXT);
    m_.ForeOver = m_.ForeColor;
    m_.MaskColor = 0xC0C0C0;
    // The set resolved above still had no colours to go by.
    ResolveSchemeColors();
    ComputeCaptionRects();
    UpdateAccessibleName();
}

void TamrixButton::UserControl_Resize() {
    // CaptureParentBackground shrinks the button to nothing and back while it copies what lies
    // beneath; those two changes are not real resizes.
    if (m_.CaptureInProgress) return;
    RECT client{};
    GetClientRect(hwnd(), &client);
    m_.ClientHeight = client.bottom;
    m_.ClientWidth = client.right;
    PixelRect focus = FocusRectFor(m_.ButtonType, m_.ClientWidth, m_.ClientHeight);
    m_.FocusRect = RECT{focus.left, focus.top, focus.right, focus.bottom};
    ComputeCaptionRects();
    // From here on the region belongs to the window, which deletes it when it gets the next one.
    if (!platform::SetWindowShape(hwnd(), BuildShapeRegion())) m_.ShapeRegion = nullptr;
    if (m_.ClientHeight != 0) RenderButton(kStateUp, true);
}

void TamrixButton::UserControl_Show() {
    if (m_.ButtonType == kSeeThrough) {
        if (!m_.BackgroundDC) CreateBackgroundSurface();
        CaptureParentBackground();
    }
    m_.Shown = true;
    ResolveSchemeColors();
    RenderButton(kStateUp, true);
}

void TamrixButton::UserControl_Hide() {
    m_.Shown = false;
}

void TamrixButton::UserControl_Terminate() {
    m_.Shown = false;
    DeleteBackgroundSurface();
}

void TamrixButton::CreateBackgroundSurface() {
    // The see-through face keeps a copy of the parent's pixels, at the size the button has now.
    HDC surface = hDC();
    m_.BackgroundDC = platform::MemoryDC(surface);
    m_.BackgroundBitmap.Reset(CreateBitmap(m_.ClientWidth, m_.ClientHeight, 1,
                                           static_cast<UINT>(GetDeviceCaps(surface, BITSPIXEL)), nullptr));
    if (m_.BackgroundDC && m_.BackgroundBitmap)
        m_.SavedBitmap.Select(m_.BackgroundDC.get(), m_.BackgroundBitmap.get());
}

void TamrixButton::DeleteBackgroundSurface() {
    // The bitmap the DC was made with goes back in first: the copy's bitmap is then free to go.
    m_.SavedBitmap.Reset();
    m_.BackgroundBitmap.Reset();
    m_.BackgroundDC.Reset();
}

}  // namespace button
