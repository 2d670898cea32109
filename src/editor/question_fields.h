#pragma once
// The editor's rules for turning the texts of its question fields into a question: what is
// trimmed, skipped, lowered and refused. The CSV import applies the same rules to a row, so a
// row is accepted exactly when the editor would accept the same fields.
#include <string>
#include <string_view>
#include <vector>

class CWordList;

// The question fields as typed, in CP932 bytes.
struct QuestionInput {
    std::string text;      // the question
    std::string answers;   // one answer a line (LF or CR LF)
    std::string required;  // the required answer count; empty means 1
    bool choice = false;   // a choice question: the first answer is right
};

// A question read from its fields.
struct QuestionFields {
    std::string text;                  // trimmed
    int required = 1;                  // -1 for a choice question, else 1 to the answers' count
    std::vector<std::string> answers;  // trimmed, none empty

    // The field list the model builds a question from: text, count in decimal, answers.
    CWordList ToFieldList() const;
};

enum class FieldsRefusal {
    None,
    MissingData,  // no question text, or no answer
    ChoiceCount,  // a choice question needs 2 to kMaxChoices answers
};

inline constexpr int kMaxChoices = 5;

// Reads input into fields; anything but None leaves fields unspecified.
FieldsRefusal ReadQuestionFields(const QuestionInput& input, QuestionFields& fields);

// The message of a refusal (UTF-8), shown under kFieldsRefusalCaption.
std::string FieldsRefusalText(FieldsRefusal refusal);
inline constexpr std::string_view kFieldsRefusalCaption = "データ不正";

// Leading and trailing single-byte white space removed (never part of a double-byte character).
std::string_view TrimBlanks(std::string_view text);
