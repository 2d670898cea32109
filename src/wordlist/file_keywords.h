#pragma once
// The fixed words of the word-list file: its magic and the keywords that open records.
#include <string_view>

namespace wlfile {

inline constexpr std::string_view kMagic = "_PEL_LORA_LIST_FILE_";
inline constexpr std::string_view kBlock = "PL_BLOCK";
inline constexpr std::string_view kPrimitive = "PL_PRIMITIVE";
inline constexpr std::string_view kInclude = "PL_INCLUDE";
inline constexpr std::string_view kInfo = "PL_INFO";
inline constexpr std::string_view kBlockEnd = "PL_BLOCK_END";

}  // namespace wlfile
