#pragma once
// The C library's conversions as this platform's C library performs them, without their
// undefined behaviour.
#include <cstdint>
#include <string_view>

namespace crt {

// atoi as glibc gives it: (int)strtol(text, nullptr, 10). Leading white space (blank, tab,
// LF, VT, FF, CR), an optional sign, then digits up to the first non-digit; 0 without digits.
// The long value saturates at the 64-bit limits and is then cut to its low 32 bits.
std::int32_t Atoi(std::string_view text);

bool IsSpace(unsigned char byte);

}  // namespace crt
