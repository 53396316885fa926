#include "worksheet/variant.h"

#include "calc/number_text.h"

namespace worksheet {

double Variant::value() const {
    switch (kind_) {
    case Kind::Integer:
        return integer_;
    case Kind::Double:
        return double_;
    case Kind::Empty:
        break;
    }
    return 0.0;
}

std::optional<std::int16_t> Variant::toInt16() const {
    switch (kind_) {
    case Kind::Integer:
        return integer_;
    case Kind::Double:
        return calc::toInt16(double_);
    case Kind::Empty:
        break;
    }
    return std::int16_t{0};
}

Variant operator+(const Variant& a, const Variant& b) {
    if (a.isDouble() || b.isDouble()) {
        return Variant(a.value() + b.value());
    }
    const int sum = static_cast<int>(a.value()) + static_cast<int>(b.value());
    if (sum >= INT16_MIN && sum <= INT16_MAX) {
        return Variant(static_cast<std::int16_t>(sum));
    }
    return Variant(static_cast<double>(sum));
}

} // namespace worksheet
