#pragma once

#include <cstdint>
#include <optional>

namespace worksheet {

// A window-level value that is empty, a 16-bit integer or a double. Empty counts as 0 in
// arithmetic and in the handlers' comparisons, which are numeric whatever the kinds on either side:
// they compare value(), so integer 3 and double 3 are equal there.
class Variant {
public:
    Variant() = default;
    Variant(std::int16_t value) : kind_(Kind::Integer), integer_(value) {}
    Variant(double value) : kind_(Kind::Double), double_(value) {}

    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isInteger() const { return kind_ == Kind::Integer; }
    bool isDouble() const { return kind_ == Kind::Double; }

    // The numeric value: 0 when empty.
    double value() const;

    // Conversion to a 16-bit integer as used for control-array indexes: halves to even,
    // nothing when out of range.
    std::optional<std::int16_t> toInt16() const;

    // Integer + integer stays an integer while it fits in 16 bits; anything with a double
    // is a double.
    friend Variant operator+(const Variant& a, const Variant& b);

    // The same kind holding the same number: integer 3 and double 3 differ, and so do empty and
    // integer 0. For telling states apart (before and after an event), not for the handlers.
    friend bool operator==(const Variant& a, const Variant& b) = default;

private:
    enum class Kind { Empty, Integer, Double };
    Kind kind_ = Kind::Empty;
    std::int16_t integer_ = 0;
    double double_ = 0.0;
};

} // namespace worksheet
