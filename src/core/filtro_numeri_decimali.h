// The keystroke filter of the numeric fields of both calculation windows.
//
// Lets through only what can make up an unsigned decimal number written with the
// comma: digits, the comma, Backspace and Tab; turns a full stop into a comma and
// drops everything else. It looks at the one character only (not at the text already
// in the field); the change handling of the field catches a second comma or pasted
// text. Key codes are Windows-1252 single-byte codes; 0 means "drop the character".
#pragma once

#include <cstdint>

namespace fondara {

// Returns the key code to deliver to the field (0 to drop it). A full stop becomes a
// comma, written into KeyAscii as well.
std::int16_t FiltroNumeriDecimali(std::int16_t& KeyAscii);

}  // namespace fondara
