// Win32 window style bits under their Win32 names, as portable values for the model's tables.
//
// The values are those of the Win32 headers; the Win32 face checks each against
// the real macro. Every value is a 32-bit style word or part of one.
#pragma once

#include <cstdint>

namespace plinvaro::style {

// Any window.
inline constexpr std::uint32_t kWsChild = 0x40000000;
inline constexpr std::uint32_t kWsVisible = 0x10000000;
inline constexpr std::uint32_t kWsBorder = 0x00800000;
inline constexpr std::uint32_t kWsVScroll = 0x00200000;
inline constexpr std::uint32_t kWsHScroll = 0x00100000;
inline constexpr std::uint32_t kWsOverlapped = 0x00000000;
inline constexpr std::uint32_t kWsCaption = 0x00C00000;
inline constexpr std::uint32_t kWsSysMenu = 0x00080000;
inline constexpr std::uint32_t kWsThickFrame = 0x00040000;
inline constexpr std::uint32_t kWsMinimizeBox = 0x00020000;
inline constexpr std::uint32_t kWsMaximizeBox = 0x00010000;
inline constexpr std::uint32_t kWsOverlappedWindow =
    kWsOverlapped | kWsCaption | kWsSysMenu | kWsThickFrame | kWsMinimizeBox | kWsMaximizeBox;

// Static texts.
inline constexpr std::uint32_t kSsSimple = 0x0000000B;

// Edit and rich edit controls.
inline constexpr std::uint32_t kEsMultiline = 0x00000004;
inline constexpr std::uint32_t kEsAutoVScroll = 0x00000040;
inline constexpr std::uint32_t kEsAutoHScroll = 0x00000080;
inline constexpr std::uint32_t kEsNoHideSel = 0x00000100;
inline constexpr std::uint32_t kEsSunken = 0x00004000;  // rich edit's name for the bit

// Buttons.
inline constexpr std::uint32_t kBsPushButton = 0x00000000;
inline constexpr std::uint32_t kBsAutoCheckBox = 0x00000003;
inline constexpr std::uint32_t kBsLeftText = 0x00000020;

// Combo boxes.
inline constexpr std::uint32_t kCbsDropDownList = 0x00000003;

// Trackbars.
inline constexpr std::uint32_t kTbsAutoTicks = 0x00000001;
inline constexpr std::uint32_t kTbsVert = 0x00000002;

}  // namespace plinvaro::style
