#include "logo_text.h"

#include "canvas.h"
#include "gfxgen.h"
#include "our_png.h"
#include "party/party_file.h"

bool prepareLogoText(const std::string& folder, const std::string& word, std::string& reason)
{
    const std::string logoPath = folder + "/" + kLogoTextFile;
    const std::string shadowPath = folder + "/" + kLogoTextShadowFile;
    // Both refused before either is drawn, so a refusal changes nothing.
    if (!mayWrite(logoPath, reason) || !mayWrite(shadowPath, reason))
        return false;
    Canvas logo(kLogoW, kLogoH, false);
    Canvas shadow(kLogoW, kLogoShadowH, false);
    drawLogoArt(word, logo, shadow);
    return writeOurPng(logoPath, logo.surface(), reason) &&
           writeOurPng(shadowPath, shadow.surface(), reason);
}
