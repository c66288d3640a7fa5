// The table of the fifteen exercise kinds by number.
#pragma once

#include "kinds/kind.h"

namespace ciferon {

// The exercise kinds by number, 0 to 14.
extern const KindTable exerciseKinds;

}  // namespace ciferon
