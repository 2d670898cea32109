#pragma once
// Backslash escaping of special characters in one field, and splitting a record at its
// separator, both walking code page 932 characters whole. Shared by the word-list file and
// the rank file.
#include <string>
#include <string_view>
#include <vector>

class CWordList;

inline constexpr std::string_view kEscapeSet = ",\\;";

// lineBreakMode 1 turns each CR LF into a single LF; any other value leaves line breaks alone.
std::string EscapeField(std::string_view text, std::string_view escapeSet, int lineBreakMode);
// The same, appended to out: the writers build whole records without a string per field.
void AppendEscapedField(std::string& out, std::string_view text, std::string_view escapeSet, int lineBreakMode);

// Appends the fields of record to fields (a kind-1 list) and returns how many it appended.
int SplitFields(std::string_view record, CWordList& fields, std::string_view separator);

// The same without copies, for readers of large files: fields gets views of the fields (it is
// emptied first). A field without escapes is a view into record; the others are unescaped into
// scratch, which is emptied first and then reserved so that it never moves while used.
void SplitFieldViews(std::string_view record, std::string_view separator, std::string& scratch,
                     std::vector<std::string_view>& fields);
