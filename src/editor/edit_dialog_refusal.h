#pragma once
// The one refusal of the editor's windows for text a word list cannot hold: the field is
// named with the character, and the field gets the focus with that character selected.
#include <QString>
#include <optional>
#include <string>

class CPrompt;
class QWidget;

// The field's text (a QLineEdit or QPlainTextEdit) as CP932 bytes; none after the refusal.
// text is what is stored, which may differ from the field's own text in its line breaks.
std::optional<std::string> FieldBytes(CPrompt& prompt, QWidget& field, const QString& fieldName, const QString& text);
