#pragma once
// The internal frame codes: the eleven single-line box-drawing characters of a DOS text as the
// system holds them once the text has been read (FrameToInternal, then CP866 -> CP1251).

namespace norvak {

inline constexpr char kFrameTopLeft = '\x1B';     // ┌
inline constexpr char kFrameHorizontal = '\x16';  // ─
inline constexpr char kFrameTopTee = '\x18';      // ┬
inline constexpr char kFrameTopRight = '\x1A';    // ┐
inline constexpr char kFrameVertical = '\x12';    // │
inline constexpr char kFrameLeftTee = '\x10';     // ├
inline constexpr char kFrameCross = '\x13';       // ┼
inline constexpr char kFrameRightTee = '\x11';    // ┤
inline constexpr char kFrameBottomLeft = '\x1C';  // └
inline constexpr char kFrameBottomTee = '\x19';   // ┴
inline constexpr char kFrameBottomRight = '\xA7'; // ┘, which CP1251 shares with the section sign
// The bottom-right corner between the frame map and the code page conversion, which turns it
// into kFrameBottomRight.
inline constexpr char kFrameBottomRightDos = '\x15';

} // namespace norvak
