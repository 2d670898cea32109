#include "platform/qt/text_bridge.h"

#include "platform/text_codec.h"

QString FromCp932(std::string_view bytes) {
    return QString::fromStdString(text::Cp932ToUtf8Lossy(bytes));
}

std::optional<std::string> ToCp932(const QString& text) {
    return text::Utf8ToCp932(text.toStdString());
}

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

std::string ToUtf8(const QString& text) {
    return text.toStdString();
}
