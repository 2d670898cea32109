#pragma once
// Typed answers judged kindly: a text and its folded form compare equal however the learner
// typed width, kana and case. Folding is NFKC with case folding, then hiragana to katakana,
// then blanks (ASCII and ideographic) trimmed at both ends and each inner run made one blank.
#include <optional>
#include <string>
#include <string_view>

// The folded form of a CP932 text (UTF-16), or nullopt when its bytes do not decode: such a
// text is then compared byte for byte, as without folding.
std::optional<std::u16string> FoldAnswer(std::string_view cp932);
