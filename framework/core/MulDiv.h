#pragma once
// The platform's MulDiv: value x numerator / denominator with the product taken in 64 bits and the
// quotient rounded half away from zero (MulDiv(5, 1, 2) is 3, MulDiv(-5, 1, 2) is -3).

namespace vexo {

inline int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    const long long q = product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return static_cast<int>(q);
}

} // namespace vexo
