#include "quiz/answer_folding.h"

#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include <stdexcept>

#include "platform/text_codec.h"

namespace {

// ICU keeps the instance for the life of the process; asked for once.
const icu::Normalizer2& NfkcCasefold() {
    static const icu::Normalizer2* const normalizer = [] {
        UErrorCode error = U_ZERO_ERROR;
        const icu::Normalizer2* instance = icu::Normalizer2::getNFKCCasefoldInstance(error);
        if (U_FAILURE(error)) throw std::runtime_error(std::string("ICU nfkc_cf: ") + u_errorName(error));
        return instance;
    }();
    return *normalizer;
}

// Hiragana, the small ones and the iteration marks included, lie 0x60 below their katakana.
// NFKC has already turned half-width katakana full-width, with their voiced marks joined.
char16_t ToKatakana(char16_t c) {
    const bool hiragana = (c >= u'\u3041' && c <= u'\u3096') || c == u'\u309D' || c == u'\u309E';
    return hiragana ? static_cast<char16_t>(c + 0x60) : c;
}

// NFKC has already made the ideographic blank an ASCII one.
bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

std::optional<std::u16string> FoldAnswer(std::string_view cp932) {
    const std::optional<std::string> utf8 = text::Cp932ToUtf8(cp932);
    if (!utf8) return std::nullopt;
    UErrorCode error = U_ZERO_ERROR;
    const icu::UnicodeString normalized = NfkcCasefold().normalize(icu::UnicodeString::fromUTF8(*utf8), error);
    if (U_FAILURE(error)) return std::nullopt;

    std::u16string folded;
    folded.reserve(static_cast<std::size_t>(normalized.length()));
    bool blankPending = false;
    for (int32_t i = 0; i < normalized.length(); ++i) {
        const char16_t c = normalized.charAt(i);
        if (IsBlank(c)) {
            blankPending = !folded.empty();  // leading blanks are dropped
            continue;
        }
        if (blankPending) folded += u' ';
        blankPending = false;
        folded += ToKatakana(c);
    }
    return folded;  // a trailing run is never written
}
