// The simulated card as hardware: the chip's locked registers, the bus
// trace, the tuner and audio device on the bus, the vertical-sync status,
// and the settings VIDMORA_SIM takes.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "capture/chipwindow.h"
#include "decoder/i2c.h"
#include "decoder/portio.h"
#include "tests/support/simfixture.h"

namespace {

class SimTest : public SimCardTest {};

TEST_F(SimTest, LineRegistersAnswerOnlyWhileUnlocked)
{
    sim::SimCard &card = Attach();
    out8(0x3C4, 0x06);
    out8(0x3C5, 0x00);                  // locked
    out8(0x3D4, 0x3F);
    out8(0x3D5, 0x01);                  // would pull both lines low
    EXPECT_TRUE(card.bus().writes().empty());
    out8(0x3D4, 0x3E);
    EXPECT_EQ(0, in8(0x3D5));

    out8(0x3C4, 0x06);
    out8(0x3C5, 0x57);
    out8(0x3D4, 0x3E);
    EXPECT_EQ(0x0C, in8(0x3D5));        // both lines high
    out8(0x3D4, 0x3F);
    out8(0x3D5, 0x11);                  // SDA released, SCL low
    out8(0x3D4, 0x3E);
    EXPECT_EQ(0x08, in8(0x3D5));
    EXPECT_EQ(std::vector<uint8_t>{ 0x11 }, card.bus().writes());
}

TEST_F(SimTest, TraceHasOneTimestampPerOutputWrite)
{
    char path[MAX_PATH];
    GetTempPathA(sizeof(path), path);
    strcat(path, "vidmora-trace-test.vcd");
    sim::SimCard &card = Attach(std::string("trace=") + path);
    std::string error;
    ASSERT_TRUE(card.OpenFiles(&error)) << error;
    I2C_WriteReg(0x48, 0x0A, 0x80);
    sim::Sim_Detach();

    std::ifstream file(path);
    std::vector<std::string> stamps;
    std::string line, previous;
    bool bothAtOnce = false;
    while (std::getline(file, line)) {
        if (line[0] == '#')
            stamps.push_back(line);
        // STOP's first write moves SCL up and SDA down together.
        if (line == "0\"" && previous == "1!")
            bothAtOnce = true;
        previous = line;
    }
    remove(path);
    // #0, the 85 writes, the closing stamp; times strictly rising.
    ASSERT_EQ(87u, stamps.size());
    for (size_t i = 1; i < stamps.size(); i++)
        EXPECT_LT(std::stoull(stamps[i - 1].substr(1)), std::stoull(stamps[i].substr(1)));
    EXPECT_TRUE(bothAtOnce);
}

void WriteBytes(std::initializer_list<uint8_t> bytes)
{
    I2C_Start();
    for (uint8_t b : bytes) {
        I2C_WriteByte(b);
        I2C_WaitAck();
    }
    I2C_Stop();
}

uint8_t ReadTunerStatus()
{
    I2C_Start();
    I2C_WriteByte(0xC1);
    I2C_WaitAck();
    uint8_t status = I2C_ReadByte();
    I2C_Stop();
    return status;
}

TEST_F(SimTest, TunerTakesItsWordAndReportsAStationOnTheTunedCarrier)
{
    sim::SimCard &card = Attach("stations=55.25+77.25");
    WriteBytes({ 0xC0, 0x06, 0x50, 0x8E, 0xA0 });      // channel 2: 55.25 MHz
    EXPECT_EQ(1, card.tuner().words());
    EXPECT_EQ(1616, card.tuner().divider());
    EXPECT_EQ(0x8E, card.tuner().control());
    EXPECT_EQ(0xA0, card.tuner().band());
    EXPECT_EQ(2, ReadTunerStatus() & 7);

    WriteBytes({ 0xC0, 0x06, 0xB0, 0x8E, 0xA0 });      // channel 3: 61.25 MHz, nothing there
    EXPECT_EQ(0, ReadTunerStatus() & 7);
    WriteBytes({ 0xC0, 0x00, 0x00, 0x00, 0x00 });
    EXPECT_EQ(0, card.tuner().divider());
    EXPECT_EQ(0, ReadTunerStatus() & 7);
    EXPECT_TRUE(recorder.boxes().empty());
}

TEST_F(SimTest, AudioDeviceKeepsItsRegistersAndMuteState)
{
    sim::SimCard &card = Attach();
    WriteBytes({ 0x82, 0x08, 0xEF });
    EXPECT_TRUE(card.audio().Muted());
    WriteBytes({ 0x82, 0x00, 0xFC });
    WriteBytes({ 0x82, 0x08, 0xCF });
    EXPECT_FALSE(card.audio().Muted());
    EXPECT_EQ(0xFC, card.audio().reg(0x00));
    EXPECT_EQ(0, card.decoder().writesTo(0x08));       // the decoder heard none of it
}

TEST_F(SimTest, VerticalSyncBitChangesOncePerField)
{
    sim::SimCard &card = Attach("source=composite:50");
    void *base = MapChipRegisters();
    ASSERT_NE(nullptr, base);
    DWORD first = ReadChipRegister(base, 0x200418) & 0x01000000;
    uint64_t start = card.clock().NowNs();
    while ((ReadChipRegister(base, 0x200418) & 0x01000000) == first) {
    }
    uint64_t edge = card.clock().NowNs();
    while ((ReadChipRegister(base, 0x200418) & 0x01000000) != first) {
    }
    EXPECT_LE(edge - start, 20000000u);
    EXPECT_NEAR(20000000.0, (double)(card.clock().NowNs() - edge), 2000.0);
}

std::string TempFile(const char *name, const std::string &bytes)
{
    char path[MAX_PATH];
    GetTempPathA(sizeof(path), path);
    std::string full = std::string(path) + name;
    std::ofstream(full, std::ios::binary) << bytes;
    return full;
}

const int kPlane = 720 * 480;

// Two 4:2:2 planar frames: Y counts along the row, U and V carry the frame number.
std::string Y4mStream(const std::string &header, int frames)
{
    std::string stream = header + "\n";
    for (int f = 0; f < frames; f++) {
        stream += "FRAME\n";
        for (int i = 0; i < kPlane; i++)
            stream += (char)(i % 720 % 256);
        stream += std::string(kPlane / 2, (char)(0x10 + f));
        stream += std::string(kPlane / 2, (char)(0x20 + f));
    }
    return stream;
}

// Opens a picture file of two frames and reads the frame given.
std::vector<uint8_t> ReadPicture(sim::PictureFile &picture, const std::string &path, int index)
{
    std::string error;
    std::vector<uint8_t> frame(sim::PictureFile::kFrameBytes);
    EXPECT_TRUE(picture.Open(path, &error)) << error;
    EXPECT_EQ(2, picture.frames());
    EXPECT_TRUE(picture.ReadFrame(index, frame.data()));
    return frame;
}

TEST(SimPicture, Y4mFramesBecomeUyvy)
{
    std::string path = TempFile("vidmora-picture.y4m",
                                Y4mStream("YUV4MPEG2 W720 H480 F30000:1001 Ip A0:0 C422 XYSCSS=422", 2)
                                    + "FRAME\n" + std::string(1000, 'x'));     // a third frame cut short
    sim::PictureFile picture;
    std::vector<uint8_t> frame = ReadPicture(picture, path, 1);
    EXPECT_EQ((std::vector<uint8_t>{ 0x11, 0, 0x21, 1, 0x11, 2, 0x21, 3 }),
              std::vector<uint8_t>(frame.begin(), frame.begin() + 8));
    size_t lastPair = frame.size() - 4;     // the row's last pixels: 718, 719
    EXPECT_EQ((std::vector<uint8_t>{ 0x11, 718 % 256, 0x21, 719 % 256 }),
              std::vector<uint8_t>(frame.begin() + lastPair, frame.end()));
    ASSERT_TRUE(picture.ReadFrame(2, frame.data()));   // wraps to frame 0
    EXPECT_EQ(0x10, frame[0]);
}

TEST(SimPicture, RawUyvyFramesAreTakenAsTheyAre)
{
    std::string raw(2 * sim::PictureFile::kFrameBytes, '\x80');
    raw[sim::PictureFile::kFrameBytes] = 0x42;
    std::string path = TempFile("vidmora-picture.uyvy", raw);
    sim::PictureFile picture;
    std::vector<uint8_t> frame = ReadPicture(picture, path, 1);
    EXPECT_EQ(0x42, frame[0]);
    EXPECT_EQ(0x80, frame[1]);
}

struct BadPictureCase {
    const char *name;
    std::string bytes;
    const char *says;
};

TEST(SimPicture, FilesThatCannotBeUsedAreRefusedWithAReason)
{
    const BadPictureCase cases[] = {
        { "vidmora-small.y4m", Y4mStream("YUV4MPEG2 W640 H480 C422", 1), "is 640 x 480" },
        { "vidmora-420.y4m", "YUV4MPEG2 W720 H480 C420jpeg\nFRAME\n", "has 420jpeg chroma" },
        { "vidmora-empty.y4m", "YUV4MPEG2 W720 H480 C422\n", "holds no complete frame" },
        { "vidmora-odd.uyvy", std::string(1000, 'x'), "neither a YUV4MPEG2 stream nor whole" },
    };
    for (const BadPictureCase &c : cases) {
        sim::PictureFile picture;
        std::string error;
        EXPECT_FALSE(picture.Open(TempFile(c.name, c.bytes), &error)) << c.name;
        EXPECT_NE(std::string::npos, error.find(c.says)) << error;
    }
    sim::PictureFile missing;
    std::string error;
    EXPECT_FALSE(missing.Open("C:\\no\\such\\picture.y4m", &error));
    EXPECT_EQ("VIDMORA_SIM: the picture file 'C:\\no\\such\\picture.y4m' cannot be opened.", error);
}

TEST(SimPicture, AttachingRefusesAnUnusablePicture)
{
    std::string error;
    EXPECT_FALSE(sim::Sim_Attach("picture=C:\\no\\such\\picture.y4m", &error));
    EXPECT_NE(std::string::npos, error.find("cannot be opened"));
    EXPECT_EQ(nullptr, sim::CurrentCard());
}

struct ConfigCase {
    const char *text;
    const char *error;  // empty: accepted
};

class SimConfigTest : public ::testing::TestWithParam<ConfigCase> {};

TEST_P(SimConfigTest, AcceptsWhatTheCardCanBeAndNamesWhatItCannot)
{
    sim::SimConfig config;
    std::string error;
    bool accepted = sim::ParseSimConfig(GetParam().text, &config, &error);
    EXPECT_EQ(GetParam().error[0] == '\0', accepted) << error;
    EXPECT_EQ(GetParam().error, error);
}

INSTANTIATE_TEST_SUITE_P(
    Sim, SimConfigTest,
    ::testing::Values(
        ConfigCase{ "", "" }, ConfigCase{ "source=svideo:50,decoder=absent,clock=stepped", "" },
        ConfigCase{ "ackdelay=63,stretch=10,wakeafter=4,scl=stuck,stations=55.25+61.25", "" },
        ConfigCase{ "videoport=absent,overlay=absent,ddraw=present,container=absent,clipper=absent", "" },
        ConfigCase{ "colour=red", "VIDMORA_SIM: the simulated card has no setting 'colour'." },
        ConfigCase{ "source=svideo:30", "VIDMORA_SIM: 'source=svideo:30' is not a value the simulated card can take." },
        ConfigCase{ "decoder", "VIDMORA_SIM: 'decoder' is not a value the simulated card can take." },
        ConfigCase{ "ackdelay=-1", "VIDMORA_SIM: 'ackdelay=-1' is not a value the simulated card can take." },
        ConfigCase{ "stations=55.25+", "VIDMORA_SIM: 'stations=55.25+' is not a value the simulated card can take." }));

TEST(SimConfig, SettingsReachTheCard)
{
    sim::SimConfig config;
    std::string error;
    ASSERT_TRUE(sim::ParseSimConfig("source=svideo:50,overlay=absent,clock=stepped,ackdelay=7", &config, &error));
    EXPECT_EQ(sim::Connector::SVideo, config.source.connector);
    EXPECT_EQ(50, config.source.fieldRate);
    EXPECT_FALSE(config.display.overlay);
    EXPECT_TRUE(config.display.videoport);
    EXPECT_EQ(sim::Clock::Mode::Stepped, config.clock);
    EXPECT_EQ(7, config.ackDelay);
}

}  // namespace
