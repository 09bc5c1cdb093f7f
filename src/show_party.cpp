#include "show_party.h"

ShowParty showParty;

const std::string& partyPicture(int slot)
{
    return showParty.pictures[static_cast<size_t>(slot) % showParty.pictures.size()];
}
