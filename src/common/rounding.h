// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4). Every
// conversion of a real value into a wait count, a grid coordinate or a pixel uses it.
long long roundHalfEven(double value);
