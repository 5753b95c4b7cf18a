#include "sim/config.h"

#include <cstdlib>
#include <sstream>

#include "sim/vpflags.h"

namespace sim {

static bool ParseCount(const std::string &value, int *count)
{
    char *end = nullptr;
    long n = strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || n < 0 || n > 1000000)
        return false;
    *count = (int)n;
    return true;
}

// The entry of a table of {text, ...} whose text is value, or null.
template <class Entry, size_t N>
static const Entry *FindText(const Entry (&table)[N], const std::string &value)
{
    for (const Entry &entry : table)
        if (value == entry.text)
            return &entry;
    return nullptr;
}

// One of two words: flag is whether it is the first.
static bool ParseChoice(const std::string &value, const char *first, const char *second, bool *flag)
{
    if (value != first && value != second)
        return false;
    *flag = value == first;
    return true;
}

static bool ParsePresence(const std::string &value, bool *present)
{
    return ParseChoice(value, "present", "absent", present);
}

static bool ParseSource(const std::string &value, VideoSource *source)
{
    static const struct {
        const char *text;
        Connector connector;
        int fieldRate;
    } sources[] = {
        { "composite:60", Connector::Composite, 60 }, { "composite:50", Connector::Composite, 50 },
        { "svideo:60", Connector::SVideo, 60 },       { "svideo:50", Connector::SVideo, 50 },
        { "none", Connector::None, 60 },
    };
    const auto *known = FindText(sources, value);
    if (!known)
        return false;
    source->connector = known->connector;
    source->fieldRate = known->fieldRate;
    return true;
}

// Items joined by '+'; false when one is empty.
static bool SplitPlus(const std::string &value, std::vector<std::string> *items)
{
    std::istringstream list(value);
    std::string item;
    items->clear();
    while (std::getline(list, item, '+')) {
        if (item.empty())
            return false;
        items->push_back(item);
    }
    return !items->empty() && value.back() != '+';
}

// Picture carriers in MHz: "55.25+77.25".
static bool ParseStations(const std::string &value, std::vector<double> *stations)
{
    std::vector<std::string> items;
    stations->clear();
    if (!SplitPlus(value, &items))
        return false;
    for (const std::string &item : items) {
        char *end = nullptr;
        double mhz = strtod(item.c_str(), &end);
        if (*end != '\0' || mhz <= 0)
            return false;
        stations->push_back(mhz);
    }
    return true;
}

static bool ParseRefusal(const std::string &value, bool *refused)
{
    return ParseChoice(value, "refused", "accepted", refused);
}

static bool ParseDesktop(const std::string &value, DesktopFormat *format)
{
    static const struct {
        const char *text;
        DesktopFormat format;
    } formats[] = {
        { "8", DesktopFormat::Palette8 }, { "565", DesktopFormat::Rgb565 }, { "555", DesktopFormat::Rgb555 },
        { "24", DesktopFormat::Rgb24 },   { "32", DesktopFormat::Rgb32 },
    };
    const auto *known = FindText(formats, value);
    if (known)
        *format = known->format;
    return known != nullptr;
}

// The port's output formats: "uyvy", "yuy2", "rgb565" joined by '+', or "none".
static bool ParseOutputFormats(const std::string &value, std::vector<DDPIXELFORMAT> *formats)
{
    std::vector<std::string> items;
    formats->clear();
    if (value == "none")
        return true;
    if (!SplitPlus(value, &items))
        return false;
    for (const std::string &item : items) {
        if (item == "uyvy")
            formats->push_back(FourccFormat(MAKEFOURCC('U', 'Y', 'V', 'Y')));
        else if (item == "yuy2")
            formats->push_back(FourccFormat(MAKEFOURCC('Y', 'U', 'Y', '2')));
        else if (item == "rgb565")
            formats->push_back(Rgb565Format());
        else
            return false;
    }
    return true;
}

// The port's connections, type:bits joined by '+' ("ccir656:8+philips:16"), or "none".
static bool ParseConnections(const std::string &value, std::vector<DDVIDEOPORTCONNECT> *connections)
{
    static const struct {
        const char *text;
        const GUID *type;
    } types[] = { { "ccir656", &DDVPTYPE_CCIR656 }, { "philips", &kVpTypePhilips }, { "brooktree", &kVpTypeBrooktree } };
    std::vector<std::string> items;
    connections->clear();
    if (value == "none")
        return true;
    if (!SplitPlus(value, &items))
        return false;
    for (const std::string &item : items) {
        size_t colon = item.find(':');
        std::string name = item.substr(0, colon), bits = colon == std::string::npos ? "" : item.substr(colon + 1);
        const auto *known = FindText(types, name);
        if (!known || (bits != "8" && bits != "16"))
            return false;
        connections->push_back(VideoPortConnection(*known->type, (DWORD)std::stoi(bits)));
    }
    return true;
}

// The four bandwidth figures: overlay+colorkey+yinterpolate+yinterpandcolorkey.
static bool ParseBandwidthFigures(const std::string &value, DisplayConfig *display)
{
    std::vector<std::string> items;
    DWORD *figures[] = { &display->bandwidthOverlay, &display->bandwidthColorkey, &display->bandwidthYInterpolate,
                         &display->bandwidthYInterpAndColorkey };
    if (!SplitPlus(value, &items) || items.size() != 4)
        return false;
    for (size_t i = 0; i < 4; i++) {
        int figure;
        if (!ParseCount(items[i], &figure))
            return false;
        *figures[i] = (DWORD)figure;
    }
    return true;
}

static bool ParseBandwidthType(const std::string &value, DWORD *caps)
{
    bool source;
    if (!ParseChoice(value, "source", "destination", &source))
        return false;
    *caps = source ? DDVPBCAPS_SOURCE : DDVPBCAPS_DESTINATION;
    return true;
}

typedef bool (*ParseSetting)(const std::string &value, SimConfig *config);

struct Setting {
    const char *key;
    ParseSetting parse;
};

static const Setting kSettings[] = {
    { "clock",
      [](const std::string &v, SimConfig *c) {
          c->clock = v == "live" ? Clock::Mode::Live : Clock::Mode::Stepped;
          return v == "live" || v == "stepped";
      } },
    { "source", [](const std::string &v, SimConfig *c) { return ParseSource(v, &c->source); } },
    { "decoder", [](const std::string &v, SimConfig *c) { return ParsePresence(v, &c->decoderPresent); } },
    { "trace",
      [](const std::string &v, SimConfig *c) {
          c->tracePath = v;
          return !v.empty();
      } },
    { "picture",
      [](const std::string &v, SimConfig *c) {
          c->picturePath = v;
          return !v.empty();
      } },
    { "scl",
      [](const std::string &v, SimConfig *c) {
          c->sclStuck = v == "stuck";
          return v == "stuck" || v == "free";
      } },
    { "vsync",
      [](const std::string &v, SimConfig *c) {
          c->vsyncStuck = v == "stuck";
          return v == "stuck" || v == "running";
      } },
    { "ackdelay", [](const std::string &v, SimConfig *c) { return ParseCount(v, &c->ackDelay); } },
    { "stretch", [](const std::string &v, SimConfig *c) { return ParseCount(v, &c->stretch); } },
    { "wakeafter", [](const std::string &v, SimConfig *c) { return ParseCount(v, &c->wakeAfter); } },
    { "stations", [](const std::string &v, SimConfig *c) { return ParseStations(v, &c->stations); } },
    { "ddraw", [](const std::string &v, SimConfig *c) { return ParsePresence(v, &c->display.ddraw); } },
    { "videoport", [](const std::string &v, SimConfig *c) { return ParsePresence(v, &c->display.videoport); } },
    { "overlay", [](const std::string &v, SimConfig *c) { return ParsePresence(v, &c->display.overlay); } },
    { "container", [](const std::string &v, SimConfig *c) { return ParsePresence(v, &c->display.container); } },
    { "clipper", [](const std::string &v, SimConfig *c) { return ParsePresence(v, &c->display.clipper); } },
    { "desktop", [](const std::string &v, SimConfig *c) { return ParseDesktop(v, &c->display.desktop); } },
    { "overlaymax", [](const std::string &v, SimConfig *c) { return ParseCount(v, &c->display.overlayMaxHeight); } },
    { "prescalemax",
      [](const std::string &v, SimConfig *c) {
          int width;
          c->display.prescaleMaxWidth = ParseCount(v, &width) ? (DWORD)width : 0;
          return c->display.prescaleMaxWidth > 0;
      } },
    { "keydest", [](const std::string &v, SimConfig *c) { return ParseRefusal(v, &c->display.keyDestRefused); } },
    { "portcreate", [](const std::string &v, SimConfig *c) { return ParseRefusal(v, &c->display.portCreateRefused); } },
    { "portstart", [](const std::string &v, SimConfig *c) { return ParseRefusal(v, &c->display.portStartRefused); } },
    { "outputformats",
      [](const std::string &v, SimConfig *c) { return ParseOutputFormats(v, &c->display.outputFormats); } },
    { "connections", [](const std::string &v, SimConfig *c) { return ParseConnections(v, &c->display.connections); } },
    { "bandwidth", [](const std::string &v, SimConfig *c) { return ParseBandwidthType(v, &c->display.bandwidthCaps); } },
    { "bandwidthfigures", [](const std::string &v, SimConfig *c) { return ParseBandwidthFigures(v, &c->display); } },
};

static const Setting *FindSetting(const std::string &key)
{
    for (const Setting &setting : kSettings)
        if (key == setting.key)
            return &setting;
    return nullptr;
}

bool ParseSimConfig(const std::string &text, SimConfig *config, std::string *error)
{
    std::istringstream items(text);
    std::string item;
    while (std::getline(items, item, ',')) {
        if (item.empty())
            continue;
        size_t equals = item.find('=');
        std::string key = item.substr(0, equals);
        std::string value = equals == std::string::npos ? "" : item.substr(equals + 1);
        const Setting *setting = FindSetting(key);
        if (!setting) {
            *error = "VIDMORA_SIM: the simulated card has no setting '" + key + "'.";
            return false;
        }
        if (equals == std::string::npos || !setting->parse(value, config)) {
            *error = "VIDMORA_SIM: '" + item + "' is not a value the simulated card can take.";
            return false;
        }
    }
    return true;
}

}  // namespace sim
