// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/ValueKindOffer.h"

#include <algorithm>

#include "base/TranslatableText.h"
#include "model/Performance.h"

namespace rp {

bool ValueKindOffer::Offers(ValueKind kind) const {
  switch (kind) {
    case ValueKind::Timing:
      return true;
    case ValueKind::Velocity:
      return velocityWhyNot.empty();
    case ValueKind::Tempo:
      return tempoWhyNot.empty();
    case ValueKind::MelodyLead:
      return melodyLeadWhyNot.empty();
    case ValueKind::Spread:
      return spreadWhyNot.empty();
  }
  return true;
}

ValueKindOffer OfferValueKinds(const std::vector<const Performance*>& shown) {
  // Why `kind` cannot be shown: the first shown performance's reason.
  const auto whyNot = [&shown](ValueKind kind) {
    for (const Performance* p : shown)
      if (const std::string_view why = ValueKindUnavailable(*p, kind); !why.empty()) return std::string(why);
    return std::string();
  };
  ValueKindOffer offer;
  offer.velocityWhyNot = whyNot(ValueKind::Velocity);
  const bool sameKind = std::all_of(shown.begin(), shown.end(), [&shown](const Performance* p) {
    return p->velocityKind == shown.front()->velocityKind;
  });
  if (offer.velocityWhyNot.empty() && !sameKind) {
    offer.velocityWhyNot =
        QT_TRANSLATE_NOOP("returnplot", "The shown performances have velocities of different kinds (MIDI and dB).");
  }
  offer.tempoWhyNot = whyNot(ValueKind::Tempo);
  offer.melodyLeadWhyNot = whyNot(ValueKind::MelodyLead);
  offer.spreadWhyNot = whyNot(ValueKind::Spread);
  return offer;
}

}  // namespace rp
