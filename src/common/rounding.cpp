// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/rounding.h"

#include <cmath>

long long roundHalfEven(double value)
{
    // The default floating-point environment rounds to nearest, ties to even.
    return static_cast<long long>(std::nearbyint(value));
}
