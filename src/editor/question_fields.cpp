#include "editor/question_fields.h"

#include <algorithm>

#include "platform/c_runtime.h"
#include "wordlist/word_list.h"

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && crt::IsSpace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && crt::IsSpace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

CWordList QuestionFields::ToFieldList() const {
    CWordList list(CWordList::kTexts);
    list.AddText(text);
    list.AddText(std::to_string(required));
    for (const std::string& answer : answers) list.AddText(answer);
    return list;
}

FieldsRefusal ReadQuestionFields(const QuestionInput& input, QuestionFields& fields) {
    fields.text = std::string(TrimBlanks(input.text));
    if (fields.text.empty()) return FieldsRefusal::MissingData;

    if (input.choice) {
        fields.required = -1;
    } else {
        const std::string_view count = TrimBlanks(input.required);
        fields.required = count.empty() ? 1 : std::max(crt::Atoi(count), 1);
    }

    // Whole lines: an answer is never cut, so a double-byte character is never split.
    fields.answers.clear();
    std::string_view rest = input.answers;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view answer = TrimBlanks(rest.substr(0, end));
        if (!answer.empty()) fields.answers.emplace_back(answer);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    if (fields.answers.empty()) return FieldsRefusal::MissingData;

    const int available = static_cast<int>(std::min<std::size_t>(fields.answers.size(), INT32_MAX));
    if (fields.required > available) {
        fields.required = available;
    } else if (fields.required == -1 && (available < 2 || available > kMaxChoices)) {
        return FieldsRefusal::ChoiceCount;
    }
    return FieldsRefusal::None;
}

std::string FieldsRefusalText(FieldsRefusal refusal) {
    switch (refusal) {
    case FieldsRefusal::MissingData:
        return "先に問題データを設定してください。";
    case FieldsRefusal::ChoiceCount:
        return "選択問題の場合、選択項目は 2 ～ " + std::to_string(kMaxChoices) + " の間で指定して下さい。";
    case FieldsRefusal::None:
        break;
    }
    return {};
}
