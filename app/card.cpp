#include "app/card.h"

#include <windows.h>

#include <string>

#include "capture/chipwindow.h"
#include "common/msgbox.h"
#include "decoder/portio.h"
#include "display/ddentry.h"
#include "sim/card.h"

static std::string EnvironmentValue(const char *lpName, bool *lpSet)
{
    char szValue[4096];
    DWORD cch = GetEnvironmentVariableA(lpName, szValue, sizeof(szValue));
    *lpSet = cch > 0 && cch < sizeof(szValue);
    return *lpSet ? std::string(szValue, cch) : std::string();
}

static int CardSetupFailed(const std::string &text)
{
    ShowMessage(NULL, text.c_str(), szAppCaption, MB_TOPMOST | MB_ICONERROR);
    return 0;
}

int ConnectCard(void)
{
    bool bSet;
    std::string card = EnvironmentValue("VIDMORA_CARD", &bSet);
    if (!bSet) {
        UseRealPortIo();
        UseRealDirectDraw();
        UseRealChipWindow();
        return 1;
    }
    if (card != "sim")
        return CardSetupFailed("VIDMORA_CARD is '" + card
                               + "'.\nLeave it unset for the real card, or set it to 'sim' for the simulated one.");
    std::string error;
    if (!sim::Sim_Attach(EnvironmentValue("VIDMORA_SIM", &bSet).c_str(), &error))
        return CardSetupFailed(error);
    return 1;
}

void DisconnectCard(void)
{
    sim::Sim_Detach();
}
