#include "instruments.h"

void renderPart(Part part, const std::vector<Event>& events, std::vector<float>& out, Rng& rng)
{
    switch (part) {
    case Part::Lead:
        return renderLead(events, out);
    case Part::Arp:
        return renderArp(events, out);
    case Part::Pad:
        return renderPad(events, out);
    case Part::Bass:
        return renderBass(events, out);
    case Part::Kick:
        return renderKick(events, out, rng);
    case Part::Snare:
        return renderSnare(events, out, rng);
    case Part::Hat:
        return renderHat(events, out, rng);
    case Part::Bells:
        return renderBells(events, out, rng);
    case Part::Crash:
        return renderCrash(events, out, rng);
    case Part::Riser:
        return renderRiser(events, out, rng);
    }
}
