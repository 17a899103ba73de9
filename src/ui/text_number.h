#pragma once
// Reading a whole number out of text the way the markup and the labels write them: leading blanks, an
// optional sign, then digits up to the first other character; "$" starts hexadecimal, "%" binary.
#include <string>

// 0 when no digits follow. Values beyond the int range are clamped rather than wrapped.
int TextToInt(const std::string& text);
