// Tuner tests: the main window on a simulated card with stations, the tuner
// state as at start, and the bus read back as an analyser would decode it.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/startup.h"
#include "common/state.h"
#include "res/resource.h"
#include "tests/support/appfixture.h"
#include "tuner/channels.h"
#include "tuner/osd.h"
#include "tuner/tuner.h"

using Decoded = std::vector<std::string>;

// "S 82 08 EF P": a START (or repeated START), the bytes, and P for a STOP.
inline Decoded DecodeBus(const std::vector<uint8_t> &writes)
{
    Decoded decoded;
    for (const BusTransfer &transfer : DecodeMasterWrites(writes)) {
        std::string text = "S";
        for (uint8_t b : transfer.bytes) {
            char hex[4];
            snprintf(hex, sizeof(hex), " %02X", b);
            text += hex;
        }
        decoded.push_back(text + (transfer.stop ? " P" : ""));
    }
    return decoded;
}

inline std::string TuneText(int nChannel)
{
    DWORD w = dwChannelTable[nChannel];
    char text[32];
    snprintf(text, sizeof(text), "S C0 %02X %02X %02X %02X P", (unsigned)(w >> 24), (unsigned)(w >> 16 & 0xFF),
             (unsigned)(w >> 8 & 0xFF), (unsigned)(w & 0xFF));
    return text;
}

const char kMuteText[] = "S 82 08 EF P";
const Decoded kUnmuteTexts = { "S 82 00 FC", "S 82 01 FC", "S 82 02 F6", "S 82 03 F6", "S 82 08 CF P" };
const char kStatusText[] = "S C1 FF P";

inline Decoded Concat(std::initializer_list<Decoded> parts)
{
    Decoded all;
    for (const Decoded &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Mute, tune, unmute: every retune outside a scan.
inline Decoded RetuneTexts(int nChannel)
{
    return Concat({ { kMuteText, TuneText(nChannel) }, kUnmuteTexts });
}

class TunerTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        Tuner_ResetState();
        ResetChannelEntry();
        nLastChannelShown = -1;
    }

    // The card, and the main window hidden, its start message taken off the
    // queue (no live video: nothing else touches the bus).
    sim::SimCard &Open(const std::string &config = "")
    {
        sim::SimCard &card = Attach(config);
        EXPECT_EQ(1, CreateMainWindow(GetModuleHandleA(NULL), SW_HIDE));
        MSG msg;
        PeekMessageA(&msg, hwndMain, 1124, 1124, PM_REMOVE);
        card.bus().ClearWrites();
        return card;
    }

    Decoded Bus() { return DecodeBus(card().bus().writes()); }

    // The channels the tuner was sent, in order.
    std::vector<int> Tuned()
    {
        std::vector<int> channels;
        for (const std::string &text : Bus())
            for (int n = 0; n <= CHANNEL_LAST; n++)
                if (text == TuneText(n))
                    channels.push_back(n);
        return channels;
    }

    void OnlyValid(const std::vector<int> &channels)
    {
        for (int &flag : bChannelValid)
            flag = 0;
        for (int n : channels)
            bChannelValid[n] = 1;
    }

    // Messages dispatched for this long, as the main loop would.
    void PumpFor(DWORD dwMilliseconds)
    {
        DWORD dwEnd = GetTickCount() + dwMilliseconds;
        while ((LONG)(dwEnd - GetTickCount()) > 0) {
            MSG msg;
            while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            Sleep(10);
        }
    }

    void Command(WORD wId) { SendMessageA(hwndMain, WM_COMMAND, wId, 0); }
    void Timer(WPARAM id) { SendMessageA(hwndMain, WM_TIMER, id, 0); }
};
