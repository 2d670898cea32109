#pragma once
// The one crossing between the word lists' CP932 bytes and the windows' QStrings.
#include <QString>
#include <optional>
#include <string>
#include <string_view>

// Bytes that do not decode are shown as U+FFFD; the caller keeps the original bytes.
QString FromCp932(std::string_view bytes);
// nullopt when the text holds a character CP932 cannot hold: such text is refused, not altered.
std::optional<std::string> ToCp932(const QString& text);
// The first character of text that CP932 cannot hold (a surrogate pair stays whole), or an empty
// string when it can hold all of them: what a refusal names.
QString FirstUnrepresentable(const QString& text);

// Native paths (UTF-8 on Linux) and the prompt's UTF-8 texts.
QString FromUtf8(const std::string& text);
std::string ToUtf8(const QString& text);
