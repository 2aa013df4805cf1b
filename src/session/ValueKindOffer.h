// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which values the shown performances can be plotted in: Velocity only while
// every shown performance has velocities of the same kind (MIDI or dB),
// Tempo and the chord spread only while every one is aligned to its score,
// the melody lead only while every one also marks its voices. An empty reason means
// the kind is offered; otherwise the reason says why not (a text to
// translate where it is shown).

#include <string>
#include <vector>

#include "model/ValueKind.h"

namespace rp {

struct Performance;

struct ValueKindOffer {
  std::string velocityWhyNot;
  std::string tempoWhyNot;
  std::string melodyLeadWhyNot;
  std::string spreadWhyNot;
  bool Offers(ValueKind kind) const;
};

ValueKindOffer OfferValueKinds(const std::vector<const Performance*>& shown);

}  // namespace rp
