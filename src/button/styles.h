// The numbers of the button's style properties and of its painting steps.
//
// No Windows header here: this code also builds on the host for fast tests.
#pragma once

#include <cstdint>

namespace button {

// Style numbers of ButtonType; any other number is a plain face without frame.
inline constexpr std::int32_t kFramed = 3;
inline constexpr std::int32_t kSeeThrough = 11;
inline constexpr std::int32_t kShaded = 14;

// Colour schemes of ColorScheme; any other number behaves as kSchemeSystem.
inline constexpr std::int32_t kSchemeSystem = 1;
inline constexpr std::int32_t kSchemeOwn = 2;
inline constexpr std::int32_t kSchemeGrey = 3;
inline constexpr std::int32_t kSchemeParent = 4;

// Where PicturePosition puts the picture; the picture is also centred under an empty or blank caption.
inline constexpr std::int32_t kPictureLeft = 0;
inline constexpr std::int32_t kPictureRight = 1;
inline constexpr std::int32_t kPictureAbove = 2;
inline constexpr std::int32_t kPictureBelow = 3;
inline constexpr std::int32_t kPictureCentred = 4;  // the caption is drawn over it

// States passed to RenderButton.
inline constexpr std::uint8_t kStateUp = 0;
inline constexpr std::uint8_t kStateDown = 2;

// The looks, numbered as DrawPicture's modes.
inline constexpr std::uint8_t kLookUp = 0;
inline constexpr std::uint8_t kLookDown = 1;
inline constexpr std::uint8_t kLookDisabled = 2;

// How DrawCaption writes the caption.
inline constexpr std::uint8_t kCaptionUp = 0;
inline constexpr std::uint8_t kCaptionUpHover = 1;         // up, the pointer over the button
inline constexpr std::uint8_t kCaptionFramedDown = 2;      // down, framed style
inline constexpr std::uint8_t kCaptionEmbossed = 3;        // disabled, shaded and see-through styles
inline constexpr std::uint8_t kCaptionFramedDisabled = 4;  // disabled, framed style
inline constexpr std::uint8_t kCaptionDown = 5;            // down, shaded and see-through styles

}  // namespace button
