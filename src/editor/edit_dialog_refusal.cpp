#include "editor/edit_dialog_refusal.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include "editor/question_fields.h"
#include "platform/prompt.h"
#include "platform/qt/text_bridge.h"

std::optional<std::string> FieldBytes(CPrompt& prompt, QWidget& field, const QString& fieldName, const QString& text) {
    if (std::optional<std::string> bytes = ToCp932(text)) return bytes;
    const QString character = FirstUnrepresentable(text);
    const QString code = QString::number(character.toUcs4().value(0), 16).toUpper().rightJustified(4, u'0');
    const QString message = QStringLiteral("「%1」の「%2」(U+%3) はワードリストに使えない文字です。").arg(fieldName, character, code);
    prompt.ShowMessage(ToUtf8(message), std::string(kFieldsRefusalCaption), PromptIcon::Information, PromptButtons::Ok);
    field.setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(&field)) {
        line->setSelection(static_cast<int>(line->text().indexOf(character)), static_cast<int>(character.size()));
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(&field)) {
        QTextCursor cursor = edit->textCursor();
        const int at = static_cast<int>(edit->toPlainText().indexOf(character));
        cursor.setPosition(at);
        cursor.setPosition(at + static_cast<int>(character.size()), QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
    }
    return std::nullopt;
}
