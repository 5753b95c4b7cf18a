#include "sim/card.h"

#include "capture/chipwindow.h"
#include "decoder/portio.h"
#include "display/ddentry.h"
#include "sim/ddraw.h"

namespace sim {

SimCard::SimCard(const SimConfig &config)
    : clock_(config.clock), bus_(clock_), vga_(clock_, bus_), vsyncStuck_(config.vsyncStuck), tracePath_(config.tracePath),
      picturePath_(config.picturePath), driver_(*this, config.display)
{
    decoder_.SetSource(config.source);
    decoder_.SetAckDelay(config.ackDelay);
    decoder_.SetStretch(config.stretch);
    decoder_.SetWakeAfter(config.wakeAfter);
    tuner_.SetStations(config.stations);
    if (config.decoderPresent)
        bus_.Attach(&decoder_);
    bus_.Attach(&tuner_);
    bus_.Attach(&audio_);
    bus_.HoldSclLow(config.sclStuck);
}

bool SimCard::OpenFiles(std::string *error)
{
    if (!picturePath_.empty()) {
        picture_.reset(new PictureFile());
        if (!picture_->Open(picturePath_, error))
            return false;
    }
    if (tracePath_.empty())
        return true;
    if (!trace_.Open(tracePath_, bus_.scl(), bus_.sda())) {
        *error = "VIDMORA_SIM: the trace file '" + tracePath_ + "' cannot be written.";
        return false;
    }
    bus_.SetTrace(&trace_);
    return true;
}

uint64_t SimCard::FieldPeriodNs() const
{
    return decoder_.source().fieldRate == 50 ? 20000000ull : 1001000000ull / 60;
}

DWORD SimCard::ReadChipRegister(DWORD dwOffset)
{
    if (vsyncStuck_)
        return 0;       // a stuck status: no field goes by, and polls cost no time
    clock_.PortAccess();
    if (dwOffset != kVsyncRegister)
        return 0;
    return (clock_.NowNs() / FieldPeriodNs()) & 1 ? kVsyncBit : 0;
}

// ---- the application's seams, wired to the current card ----

static std::unique_ptr<SimCard> card;

SimCard *CurrentCard()
{
    return card.get();
}

static BYTE CardIn8(WORD wPort)
{
    return card->vga().In(wPort);
}

static void CardOut8(WORD wPort, BYTE bValue)
{
    card->vga().Out(wPort, bValue);
}

static void CardPause(DWORD dwMilliseconds)
{
    card->clock().Sleep(dwMilliseconds);
}

static void *CardMapRegisters(DWORD)
{
    return card.get();
}

static DWORD CardReadRegister(void *lpBase, DWORD dwOffset)
{
    return static_cast<SimCard *>(lpBase)->ReadChipRegister(dwOffset);
}

static const PortIoBackend kCardPorts = { CardIn8, CardOut8, CardPause };
static const DirectDrawEntry kCardDirectDraw = { SimDirectDrawCreate, SimDirectDrawCreateClipper };
static const ChipWindowBackend kCardChipWindow = { CardMapRegisters, CardReadRegister };

SimCard *Sim_AttachConfig(const SimConfig &config)
{
    card.reset(new SimCard(config));
    UsePortIo(&kCardPorts);
    UseDirectDraw(&kCardDirectDraw);
    UseChipWindow(&kCardChipWindow);
    return card.get();
}

bool Sim_Attach(const char *lpConfig, std::string *error)
{
    SimConfig config;
    if (!ParseSimConfig(lpConfig ? lpConfig : "", &config, error))
        return false;
    SimCard *attached = Sim_AttachConfig(config);
    if (!attached->OpenFiles(error)) {
        Sim_Detach();
        return false;
    }
    return true;
}

void Sim_Detach()
{
    card.reset();
}

}  // namespace sim
