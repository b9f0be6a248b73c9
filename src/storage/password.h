#pragma once
// The definition file's password encoding: each character's ANSI code c is
// written as the decimal number c * 65793 (the code in the red, green and
// blue bytes of a colour), the numbers joined by "-".
#include <string>
#include <string_view>

namespace vallora {

// "abc" gives "6381921-6447714-6513507"; the empty password an empty text.
std::string EncodePassword(std::string_view password);

// Takes the lowest byte of each "-"-separated number. Decoding stops at the
// first piece that is not a 32-bit number; complete (when given) tells
// whether every piece was decoded.
std::string DecodePassword(std::string_view encoded, bool* complete = nullptr);

}  // namespace vallora
