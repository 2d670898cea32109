#include "platform/text_codec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace text {
namespace {

// One iconv descriptor per direction, reset before each use.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts input; on an invalid or unconvertible sequence either stops (strict) or
    // appends replacement and skips one character of the input.
    std::optional<std::string> Convert(std::string_view input, bool strict, std::string_view replacement,
                                       std::size_t (*skipLength)(std::string_view, std::size_t)) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string output;
        output.reserve(input.size() * 3 / 2 + 8);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            std::size_t result = iconv(cd_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (result != static_cast<std::size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            if (strict) return std::nullopt;
            // EILSEQ or EINVAL (truncated sequence at the end): replace and go on.
            std::size_t offset = static_cast<std::size_t>(in - input.data());
            std::size_t skip = skipLength(input, offset);
            output.append(replacement);
            in += skip;
            inLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &out, &outLeft);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        return output;
    }

private:
    iconv_t cd_;
};

std::size_t Cp932SkipLength(std::string_view text, std::size_t pos) {
    unsigned char byte = static_cast<unsigned char>(text[pos]);
    bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    return lead && pos + 1 < text.size() ? 2 : 1;
}

std::size_t Utf8SkipLength(std::string_view, std::size_t) { return 1; }

Converter& FromCp932() {
    thread_local Converter converter("UTF-8", "CP932");
    return converter;
}

Converter& ToCp932Converter() {
    thread_local Converter converter("CP932", "UTF-8");
    return converter;
}

}  // namespace

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
    return FromCp932().Convert(cp932, true, {}, Cp932SkipLength);
}

std::string Cp932ToUtf8Lossy(std::string_view cp932) {
    return *FromCp932().Convert(cp932, false, "\xEF\xBF\xBD", Cp932SkipLength);
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    return ToCp932Converter().Convert(utf8, true, {}, Utf8SkipLength);
}

std::string ToCp932(std::string_view utf8Literal) {
    auto converted = Utf8ToCp932(utf8Literal);
    if (!converted) throw std::logic_error("program text not representable in CP932");
    return *converted;
}

}  // namespace text
