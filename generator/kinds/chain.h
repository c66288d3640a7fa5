// Exercise kind 9: a chain of three to six additions and subtractions, worked from left to
// right, whose running value stays within 0..51: «17+25-30-12+8 =» with «8».
#pragma once

#include "kinds/kind.h"

namespace ciferon {

Exercise additionChain(const BaseFactors& factors, KindTools& tools);

}  // namespace ciferon
