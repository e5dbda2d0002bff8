// Stored settings of the button: 22 keys in its block of the page layout, read and written in one
// fixed order. Writing always stores every key, so a saved button carries all of them; the defaults
// below only serve a block that lacks a key (a hand-written layout, or one from an older program).
#include "button/tamrix_button.h"

namespace button {

const char* const kStoredSettingsKeys[22] = {
    "BTYPE", "TX",    "ENAB", "FONT", "COLTYPE", "FOCUSR", "BCOL",   "BCOLO", "FCOL", "FCOLO", "MCOL",
    "MPTR",  "MICON", "PICN", "PICH", "UMCOL",   "SOFT",   "PICPOS", "NGREY", "FX",   "CHECK", "VALUE"};

namespace {

constexpr std::int16_t kNoStyleOfItsOwn = 2;
constexpr std::int16_t kDefaultScheme = kSchemeSystem;
constexpr Colour kLightGrey = 0xC0C0C0;

}  // namespace

bool TamrixButton::KnowsSettingsKey(std::string_view key) const {
    for (const char* known : kStoredSettingsKeys)
        if (key == known) return true;
    return false;
}

void TamrixButton::UserControl_ReadProperties(platform::PropertyBag& PropBag) {
    m_.ButtonType = PropBag.ReadLong("BTYPE", kNoStyleOfItsOwn);
    m_.Caption = PropBag.ReadText("TX", "");
    m_.Enabled = PropBag.ReadTruth("ENAB", true);
    HostFont().Set(PropBag.ReadFont("FONT", HostFont().Value()));
    m_.ColorScheme = PropBag.ReadLong("COLTYPE", kDefaultScheme);
    m_.ShowFocusRect = PropBag.ReadTruth("FOCUSR", true);
    m_.BackColor = PropBag.ReadColour("BCOL", GetSysColor(COLOR_BTNFACE));
    m_.BackOver = PropBag.ReadColour("BCOLO", m_.BackColor);
    m_.ForeColor = PropBag.ReadColour("FCOL", GetSysColor(COLOR_BTNTEXT));
    m_.ForeOver = PropBag.ReadColour("FCOLO", m_.ForeColor);
    m_.MaskColor = PropBag.ReadColour("MCOL", kLightGrey);
    SetHostMousePointer(PropBag.ReadInteger("MPTR", 0));
    // A stored pointer picture that cannot be a pointer is a fault of the layout, reported like a bad
    // value; the pointer stays as it was.
    try {
        SetHostMouseIcon(ReadPicture(PropBag, "MICON"));
    } catch (const platform::HostError& e) {
        PropBag.Report("MICON", std::string("the picture cannot be a mouse pointer (") + e.what() + ")");
    }
    m_.PictureNormal = ReadPicture(PropBag, "PICN");
    m_.PictureOver = ReadPicture(PropBag, "PICH");
    m_.UseMaskColor = PropBag.ReadTruth("UMCOL", true);
    m_.SoftBevel = PropBag.ReadTruth("SOFT", false);
    m_.PicturePosition = PropBag.ReadLong("PICPOS", 0);
    m_.UseGreyscale = PropBag.ReadTruth("NGREY", false);
    m_.SpecialEffect = PropBag.ReadLong("FX", 0);
    m_.CheckBoxBehaviour = PropBag.ReadTruth("CHECK", false);
    m_.Value = PropBag.ReadTruth("VALUE", false);

    SetWindowEnabled(m_.Enabled);
    MeasurePicture();
    ComputeCaptionRects();
    UpdateAccessKey();
    UpdateAccessibleName();
}

void TamrixButton::UserControl_WriteProperties(platform::PropertyBag& PropBag) {
    PropBag.WriteLong("BTYPE", m_.ButtonType);
    PropBag.WriteText("TX", m_.Caption);
    PropBag.WriteTruth("ENAB", m_.Enabled);
    PropBag.WriteFont("FONT", HostFont().Value());
    PropBag.WriteLong("COLTYPE", m_.ColorScheme);
    PropBag.WriteTruth("FOCUSR", m_.ShowFocusRect);
    PropBag.WriteColour("BCOL", m_.BackColor);
    PropBag.WriteColour("BCOLO", m_.BackOver);
    PropBag.WriteColour("FCOL", m_.ForeColor);
    PropBag.WriteColour("FCOLO", m_.ForeOver);
    PropBag.WriteColour("MCOL", m_.MaskColor);
    PropBag.WriteInteger("MPTR", static_cast<std::int16_t>(HostMousePointer()));
    WritePicture(PropBag, "MICON", HostMouseIcon());
    WritePicture(PropBag, "PICN", m_.PictureNormal);
    WritePicture(PropBag, "PICH", m_.PictureOver);
    PropBag.WriteTruth("UMCOL", m_.UseMaskColor);
    PropBag.WriteTruth("SOFT", m_.SoftBevel);
    PropBag.WriteLong("PICPOS", m_.PicturePosition);
    PropBag.WriteTruth("NGREY", m_.UseGreyscale);
    PropBag.WriteLong("FX", m_.SpecialEffect);
    PropBag.WriteTruth("CHECK", m_.CheckBoxBehaviour);
    PropBag.WriteTruth("VALUE", m_.Value);
}

}  // namespace button
