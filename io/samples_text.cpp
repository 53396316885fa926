#include "io/samples_text.h"

#include "calibration/memory.h"

#include <cstdint>

namespace io {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A reader that gives up (returns false) at the first thing it does not take exactly as Qt's
// JSON reader and the tree's field reader would.
class Reader {
public:
    explicit Reader(std::string_view json) : json_(json) {}

    std::size_t at() const { return i_; }
    std::size_t valueStart() {
        space();
        return i_;
    }
    bool atEnd() {
        space();
        return i_ == json_.size();
    }

    bool eat(char ch) {
        space();
        if (i_ < json_.size() && json_[i_] == ch) {
            ++i_;
            return true;
        }
        return false;
    }

    // A key without escapes, as its bytes. A key that opens with a byte-order mark is left to the
    // tree: Qt's reader keeps the key without the mark, yet does not find it by that name.
    bool key(std::string_view& key) {
        space();
        if (i_ >= json_.size() || json_[i_] != '"' ||
            json_.substr(i_ + 1).starts_with(kByteOrderMark)) {
            return false;
        }
        const std::size_t start = ++i_;
        while (i_ < json_.size() && json_[i_] != '"') {
            if (json_[i_] == '\\' || static_cast<unsigned char>(json_[i_]) < 0x20) {
                return false;
            }
            ++i_;
        }
        if (i_ == json_.size()) {
            return false;
        }
        key = json_.substr(start, i_ - start);
        ++i_;
        return true;
    }

    // A text, decoded into UTF-8 as the tree gives it (through UTF-16, which changes nothing for
    // valid UTF-8 and escapes other than surrogates). Qt's reader decodes a text without escapes
    // as UTF-8 in one piece, which drops a byte-order mark at its start; a text with an escape it
    // decodes character by character, keeping every mark: "\xEF\xBB\xBFa" reads "a", but
    // "\xEF\xBB\xBFa\\n" and "\\uFEFFa" keep it.
    bool text(std::string& out) {
        space();
        if (i_ >= json_.size() || json_[i_] != '"') {
            return false;
        }
        ++i_;
        out.clear();
        const bool leadingMark = json_.substr(i_).starts_with(kByteOrderMark);
        bool escaped = false;
        while (i_ < json_.size()) {
            const auto byte = static_cast<unsigned char>(json_[i_]);
            if (byte == '"') {
                ++i_;
                if (leadingMark && !escaped) {
                    out.erase(0, kByteOrderMark.size());
                }
                return true;
            }
            if (byte == '\\') {
                escaped = true;
                if (!escape(out)) {
                    return false;
                }
            } else if (byte < 0x20) {
                return false;
            } else if (byte < 0x80) {
                out.push_back(char(byte));
                ++i_;
            } else if (!utf8(out)) {
                return false;
            }
        }
        return false;
    }

    // true or false.
    bool flag(bool& value) {
        space();
        for (const bool candidate : {true, false}) {
            const std::string_view word = candidate ? "true" : "false";
            if (json_.substr(i_, word.size()) == word) {
                const std::size_t after = i_ + word.size();
                if (after < json_.size() && isWordByte(json_[after])) {
                    return false;
                }
                i_ = after;
                value = candidate;
                return true;
            }
        }
        return false;
    }

    // Passes over a value of the object around the list without checking it: the tree reads it.
    // Strings are passed whole, so that no bracket or quote inside one counts.
    bool skipValue() {
        space();
        int depth = 0;
        while (i_ < json_.size()) {
            const char ch = json_[i_];
            if (ch == '"') {
                if (!skipString()) {
                    return false;
                }
                if (depth == 0) {
                    return true;
                }
                continue;
            }
            if (ch == '{' || ch == '[') {
                ++depth;
            } else if (ch == '}' || ch == ']') {
                if (depth == 0) {
                    return true;
                }
                if (--depth == 0) {
                    ++i_;
                    return true;
                }
            } else if (depth == 0 && (ch == ',' || isSpace(ch))) {
                return true;
            }
            ++i_;
        }
        return false;
    }

private:
    static bool isSpace(char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r'; }
    static bool isWordByte(char ch) {
        return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
               ch == '+' || ch == '-' || ch == '.' || ch == '_';
    }

    void space() {
        while (i_ < json_.size() && isSpace(json_[i_])) {
            ++i_;
        }
    }

    bool skipString() {
        ++i_;
        while (i_ < json_.size()) {
            if (json_[i_] == '\\') {
                i_ += 2;
            } else if (json_[i_++] == '"') {
                return true;
            }
        }
        return false;
    }

    static void append(std::string& out, std::uint32_t code) {
        if (code < 0x80) {
            out.push_back(char(code));
        } else if (code < 0x800) {
            out.push_back(char(0xC0 | (code >> 6)));
            out.push_back(char(0x80 | (code & 0x3F)));
        } else {
            out.push_back(char(0xE0 | (code >> 12)));
            out.push_back(char(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(char(0x80 | (code & 0x3F)));
        }
    }

    bool escape(std::string& out) {
        if (i_ + 1 >= json_.size()) {
            return false;
        }
        const char kind = json_[i_ + 1];
        i_ += 2;
        switch (kind) {
        case '"':
        case '\\':
        case '/':
            out.push_back(kind);
            return true;
        case 'b':
            out.push_back('\b');
            return true;
        case 'f':
            out.push_back('\f');
            return true;
        case 'n':
            out.push_back('\n');
            return true;
        case 'r':
            out.push_back('\r');
            return true;
        case 't':
            out.push_back('\t');
            return true;
        case 'u':
            break;
        default:
            return false;
        }
        if (i_ + 4 > json_.size()) {
            return false;
        }
        std::uint32_t code = 0;
        for (int k = 0; k < 4; ++k) {
            const char ch = json_[i_++];
            const int digit = ch >= '0' && ch <= '9'   ? ch - '0'
                              : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10
                              : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10
                                                       : -1;
            if (digit < 0) {
                return false;
            }
            code = code * 16 + std::uint32_t(digit);
        }
        // A surrogate, paired or not, is left to the tree (and its WTF-8).
        if (code >= 0xD800 && code <= 0xDFFF) {
            return false;
        }
        append(out, code);
        return true;
    }

    // One character of two to four bytes, copied when it is valid UTF-8 and not a surrogate.
    // Noncharacters (U+FFFE, U+FDD0) are texts like any other to Qt's reader.
    bool utf8(std::string& out) {
        const auto lead = static_cast<unsigned char>(json_[i_]);
        const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        if (length == 0 || lead > 0xF4 || i_ + std::size_t(length) > json_.size()) {
            return false;
        }
        std::uint32_t code = lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(json_[i_ + std::size_t(k)]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3F);
        }
        const std::uint32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        out.append(json_.substr(i_, std::size_t(length)));
        i_ += std::size_t(length);
        return true;
    }

    std::string_view json_;
    std::size_t i_ = 0;
};

// One row: every key known and given once, the required ones present.
bool readRow(Reader& reader, calibration::Sample& sample) {
    if (!reader.eat('{')) {
        return false;
    }
    constexpr unsigned kFlagBit = 1u << std::size(kSampleKeys);
    unsigned seen = 0;
    if (!reader.eat('}')) {
        do {
            std::string_view key;
            if (!reader.key(key) || !reader.eat(':')) {
                return false;
            }
            unsigned bit = 0;
            if (key == "earlier_curve") {
                bit = kFlagBit;
                if ((seen & bit) != 0 || !reader.flag(sample.earlierCurve)) {
                    return false;
                }
            } else {
                std::size_t k = 0;
                while (k < std::size(kSampleKeys) && key != kSampleKeys[k].key) {
                    ++k;
                }
                bit = 1u << k;
                if (k == std::size(kSampleKeys) || (seen & bit) != 0 ||
                    !reader.text(sample.*kSampleKeys[k].member)) {
                    return false;
                }
            }
            seen |= bit;
        } while (reader.eat(','));
        if (!reader.eat('}')) {
            return false;
        }
    }
    constexpr unsigned kRequired = (1u << kRequiredSampleKeys) - 1;
    return (seen & kRequired) == kRequired;
}

bool readRows(Reader& reader, std::vector<calibration::Sample>& samples) {
    if (!reader.eat('[')) {
        return false;
    }
    if (reader.eat(']')) {
        return true;
    }
    do {
        calibration::Sample& sample = samples.emplace_back();
        if (!readRow(reader, sample)) {
            return false;
        }
    } while (reader.eat(','));
    return reader.eat(']');
}

} // namespace

std::optional<SamplesText> readSamplesText(std::string_view json) {
    Reader reader(json);
    if (!reader.eat('{') || reader.eat('}')) {
        return std::nullopt;
    }
    std::optional<SamplesText> found;
    do {
        std::string_view key;
        if (!reader.key(key) || !reader.eat(':')) {
            return std::nullopt;
        }
        if (key != "samples") {
            if (!reader.skipValue()) {
                return std::nullopt;
            }
            continue;
        }
        if (found) {
            return std::nullopt; // given twice: the tree knows which counts
        }
        found.emplace();
        // Room for the rows at the 80 bytes or so that each takes in a written file.
        found->samples.reserve(json.size() / 64);
        calibration::preferHugePages(found->samples.data(),
                                     found->samples.capacity() * sizeof(calibration::Sample));
        found->begin = reader.valueStart();
        if (!readRows(reader, found->samples)) {
            return std::nullopt;
        }
        found->end = reader.at();
    } while (reader.eat(','));
    if (!found || !reader.eat('}') || !reader.atEnd()) {
        return std::nullopt;
    }
    return found;
}

} // namespace io
