// Stored settings of the button. (First cut.)
#include "button/tamrix_button.h"

namespace button {

const char* const kStoredSettingsKeys[22] = {"BTYPE", "TX",    "ENAB", "FONT",  "COLTYPE", "FOCUSR", "BCOL",  "BCOLO",
                                             "FCOL",  "FCOLO", "MCOL", "MPTR",  "MICON",   "PICN",   "PICH",  "UMCOL",
                                             "SOFT",  "PICPOS", "NGREY", "FX",  "CHECK",   "VALUE"};

bool TamrixButton::KnowsSettingsKey(std::string_view key) const {
    for (const char* known : kStoredSettingsKeys)
        if (key == known) return true;
    return false;
}

void TamrixButton::UserControl_ReadProperties(platform::PropertyBag& PropBag) {
    m_.ButtonType = PropBag.ReadLong("BTYPE", 2);
    m_.Caption = PropBag.ReadText("TX", "");
    m_.Enabled = PropBag.ReadTruth("ENAB", true);
    SetHostFont(PropBag.ReadFont("FONT", HostFont()));
    m_.ColorScheme = PropBag.ReadLong("COLTYPE", 1);
    m_.BackColor = PropBag.ReadColour("BCOL", GetSysColor(COLOR_BTNFACE));
    m_.ForeColor = PropBag.ReadColour("FCOL", GetSysColor(COLOR_BTNTEXT));
    m_.PictureNormal = ReadPicture(PropBag, "PICN");
    UpdateAccessibleName();
}

void TamrixButton::UserControl_WriteProperties(platform::PropertyBag& PropBag) {
    PropBag.WriteLong("BTYPE", m_.ButtonType);
    PropBag.WriteText("TX", m_.Caption);
}

}  // namespace button
