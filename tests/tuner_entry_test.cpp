// Channel entry from the keypad and channel stepping, through the main
// window's commands and timer messages, on the simulated tuner.
#include "tests/support/tunerfixture.h"

namespace {

class ChannelEntryTest : public TunerTest {
protected:
    void SetUp() override
    {
        TunerTest::SetUp();
        Open();
        nVideoConnector = CONNECTOR_TUNER;
    }

    // Keys as typed: digits, E for Enter, T for timer 2's message, + and -.
    void Type(const std::string &keys)
    {
        for (char key : keys) {
            if (key == 'E')
                Command(IDM_CHANNEL_ENTER);
            else if (key == 'T')
                Timer(CHANNEL_ENTRY_TIMER);
            else if (key == '+')
                Command(IDM_CHANNEL_UP);
            else if (key == '-')
                Command(IDM_CHANNEL_DOWN);
            else if (key == '0')
                Command(IDM_DIGIT_0);
            else
                Command((WORD)(IDM_DIGIT_1 + key - '1'));
        }
    }

    // Whether timer 2 was running (it is stopped by asking).
    bool EntryTimerRan() { return KillTimer(hwndMain, CHANNEL_ENTRY_TIMER) != 0; }
};

struct EntryCase {
    const char *keys;
    std::vector<int> tuned;
    int shown;              // the number on screen at the end (-1: none)
    int digitCount;
    int armed;
};

class EntryTableTest : public ChannelEntryTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(EntryTableTest, KeysGiveTheChannel)
{
    const EntryCase &c = GetParam();
    Type(c.keys);
    EXPECT_EQ(c.tuned, Tuned());
    EXPECT_EQ(c.shown, nLastChannelShown);
    EXPECT_EQ(c.digitCount, nDigitCount);
    EXPECT_EQ(c.armed, bEntryTimerArmed);
    EXPECT_EQ(c.armed == 1, EntryTimerRan());
}

INSTANTIATE_TEST_SUITE_P(Tuner, EntryTableTest, ::testing::Values(
    EntryCase{ "5", {}, 5, 1, 1 },                  // waits for a second digit
    EntryCase{ "5T", { 5 }, 5, 0, 0 },              // taken at the time-out
    EntryCase{ "5E", { 5 }, 5, 0, 0 },              // or at Enter
    EntryCase{ "0", {}, -1, 0, 0 },                 // no number starts with 0
    EntryCase{ "00E", {}, -1, 0, 0 },
    EntryCase{ "47", { 47 }, 47, 0, 0 },            // two digits are complete
    EntryCase{ "20", { 20 }, 20, 0, 0 },
    EntryCase{ "99", { 99 }, 99, 0, 0 },
    EntryCase{ "10", {}, 10, 2, 1 },                // 100 may still come
    EntryCase{ "100", { 100 }, 100, 0, 0 },
    EntryCase{ "1078", {}, 10, 2, 1 },              // a third digit other than 0 is ignored
    EntryCase{ "107T", { 10 }, 10, 0, 0 },
    EntryCase{ "10E", { 10 }, 10, 0, 0 },
    EntryCase{ "E", {}, -1, 0, 0 },                 // nothing typed: nothing taken
    EntryCase{ "T", {}, -1, 0, 0 },
    EntryCase{ "5TT", { 5 }, 5, 0, 0 },             // a late tick takes nothing more
    EntryCase{ "5E3", { 5 }, 3, 1, 1 },             // the next entry starts afresh
    EntryCase{ "3-T", { 100, 3 }, 3, 0, 0 }));      // a step leaves the entry to complete

TEST_F(ChannelEntryTest, OneZeroZeroShowsEachStage)
{
    std::vector<int> shown;
    for (char key : std::string("100")) {
        Type(std::string(1, key));
        shown.push_back(nLastChannelShown);
    }
    EXPECT_EQ((std::vector<int>{ 1, 10, 100 }), shown);
    EXPECT_EQ(RetuneTexts(100), Bus());
}

TEST_F(ChannelEntryTest, TimerStartedByTheFirstDigitTakesTheEntry)
{
    Type("1");
    PumpFor(500);
    EXPECT_TRUE(Tuned().empty());
    Type("0");                  // the running timer is not restarted
    PumpFor(500);
    EXPECT_EQ((std::vector<int>{ 10 }), Tuned());
    EXPECT_EQ(0, nDigitCount);
    EXPECT_FALSE(EntryTimerRan());   // a one-shot
}

TEST_F(ChannelEntryTest, EnterStopsTheTimer)
{
    Type("5E");
    PumpFor(1000);
    EXPECT_EQ((std::vector<int>{ 5 }), Tuned());
}

TEST_F(ChannelEntryTest, TypedChannelIsTunedEvenWithoutASignal)
{
    OnlyValid({ 10, 60 });
    Type("50");
    EXPECT_EQ(RetuneTexts(50), Bus());
    EXPECT_EQ(10, nCurrentChannel);     // where the next step starts
}

TEST_F(ChannelEntryTest, NothingButEnterAndTheTimerWithoutTheTuner)
{
    nVideoConnector = CONNECTOR_COMPOSITE;
    Type("5+-100");
    Command(IDM_SCAN_CHANNELS);
    Type("ET");
    EXPECT_TRUE(Bus().empty());
    EXPECT_EQ(-1, nLastChannelShown);
    EXPECT_EQ(0, nDigitCount);
    EXPECT_EQ(1, nCurrentChannel);
    EXPECT_FALSE(EntryTimerRan());
}

struct StepCase {
    std::vector<int> valid;     // empty: every channel from 1 to 100
    int from;
    const char *keys;
    int to;
};

class StepTest : public ChannelEntryTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(StepTest, StepsToTheNextValidChannelAndWraps)
{
    const StepCase &c = GetParam();
    if (!c.valid.empty())
        OnlyValid(c.valid);
    nCurrentChannel = c.from;
    Type(c.keys);
    EXPECT_EQ(c.to, nCurrentChannel);
    EXPECT_EQ(RetuneTexts(c.to), Bus());
    EXPECT_EQ(c.to, nLastChannelShown);
    EXPECT_FALSE(EntryTimerRan());
}

INSTANTIATE_TEST_SUITE_P(Tuner, StepTest, ::testing::Values(
    StepCase{ {}, 5, "+", 6 },
    StepCase{ {}, 5, "-", 4 },
    StepCase{ {}, 100, "+", 1 },                    // 0 is tested and never valid
    StepCase{ {}, 1, "-", 100 },
    StepCase{ { 10, 60 }, 60, "+", 10 },
    StepCase{ { 10, 60 }, 10, "-", 60 },
    StepCase{ { 10, 60 }, 30, "+", 60 },            // from a channel without a signal
    StepCase{ { 10 }, 10, "+", 10 },                // none other: the same one again
    StepCase{ {}, 0, "-", 100 }));                  // from the end of a scan that found nothing

TEST_F(ChannelEntryTest, ScanCommandRunsTheScan)
{
    Command(IDM_SCAN_CHANNELS);
    EXPECT_EQ(101u, Tuned().size());
    EXPECT_EQ(0, nCurrentChannel);      // no station on this card
    EXPECT_TRUE(KillTimer(hwndMain, CHANNEL_NUMBER_TIMER));
}

// Leaving mutes the tuner sound, and only with the Tuner connector.
TEST_F(ChannelEntryTest, ExitAndDestroyMuteTheTuner)
{
    for (UINT uMsg : { (UINT)WM_COMMAND, (UINT)WM_DESTROY }) {
        for (int nConnector : { CONNECTOR_TUNER, CONNECTOR_COMPOSITE }) {
            card().bus().ClearWrites();
            nVideoConnector = nConnector;
            SendMessageA(hwndMain, uMsg, uMsg == WM_COMMAND ? IDM_EXIT : 0, 0);
            EXPECT_EQ(nConnector == CONNECTOR_TUNER ? Decoded{ kMuteText } : Decoded{}, Bus())
                << uMsg << " " << nConnector;
        }
    }
    EXPECT_TRUE(card().audio().Muted());
}

}  // namespace
