#pragma once

// UTF-8 texts counted and cut by characters (code points), never inside one. A pasted box text
// may hold any character; everything the program itself writes is ASCII.

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace calc::utf8 {

// True for the first byte of a character: continuation bytes are 10xxxxxx.
constexpr bool startsCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U;
}

inline std::size_t characterCount(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), startsCharacter));
}

// The first n characters, or the whole text when it is shorter.
inline std::string_view firstCharacters(std::string_view text, std::size_t n) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (startsCharacter(text[i])) {
            if (count == n) {
                return text.substr(0, i);
            }
            ++count;
        }
    }
    return text;
}

// The text without its last character: "1中é" -> "1中"; "" stays "".
inline std::string_view withoutLastCharacter(std::string_view text) {
    while (!text.empty()) {
        const char last = text.back();
        text.remove_suffix(1);
        if (startsCharacter(last)) {
            break;
        }
    }
    return text;
}

} // namespace calc::utf8
