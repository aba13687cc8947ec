// The tokenizer behind every "|"-separated list.
#pragma once

#include <string>

namespace fg {

// Cuts the next field off s: leading characters up to code 32 are dropped, then the text up to the
// delimiter is the token and s keeps what follows the delimiter.
std::wstring NextToken(std::wstring& s, const std::wstring& delimiter);

} // namespace fg
