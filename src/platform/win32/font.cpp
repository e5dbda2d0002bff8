#include "platform/win32/font.h"

#include "platform/win32/units.h"

namespace platform {

Font CreateScreenFont(const FontValue& font, int dpi) {
    LOGFONTA lf{};
    lf.lfHeight = -PointsToPixels(font.size, dpi);
    lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikethrough;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, font.name.c_str(), LF_FACESIZE);
    return Font(CreateFontIndirectA(&lf));
}

}  // namespace platform
