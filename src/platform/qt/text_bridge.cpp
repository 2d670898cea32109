#include "platform/qt/text_bridge.h"

#include "platform/text_codec.h"

QString FromCp932(std::string_view bytes) {
    return QString::fromStdString(text::Cp932ToUtf8Lossy(bytes));
}

std::optional<std::string> ToCp932(const QString& text) {
    // A lone surrogate would reach the codec as '?', which CP932 holds.
    if (!text.isValidUtf16()) return std::nullopt;
    return text::Utf8ToCp932(text.toStdString());
}

QString FirstUnrepresentable(const QString& text) {
    if (ToCp932(text)) return {};
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QString character = text.mid(i, length);
        if (!ToCp932(character)) return character;
        i += length;
    }
    return {};
}

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

std::string ToUtf8(const QString& text) {
    return text.toStdString();
}
