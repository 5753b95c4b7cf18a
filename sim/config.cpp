#include "sim/config.h"

#include <cstdlib>
#include <sstream>

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

static bool ParsePresence(const std::string &value, bool *present)
{
    if (value != "present" && value != "absent")
        return false;
    *present = value == "present";
    return true;
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
    for (const auto &known : sources) {
        if (value == known.text) {
            source->connector = known.connector;
            source->fieldRate = known.fieldRate;
            return true;
        }
    }
    return false;
}

// Picture carriers joined by '+', in MHz: "55.25+77.25".
static bool ParseStations(const std::string &value, std::vector<double> *stations)
{
    std::istringstream list(value);
    std::string item;
    stations->clear();
    while (std::getline(list, item, '+')) {
        char *end = nullptr;
        double mhz = strtod(item.c_str(), &end);
        if (item.empty() || *end != '\0' || mhz <= 0)
            return false;
        stations->push_back(mhz);
    }
    return !stations->empty() && value.back() != '+';
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
    { "ackdelay", [](const std::string &v, SimConfig *c) { return ParseCount(v, &c->ackDelay); } },
    { "stretch", [](const std::string &v, SimConfig *c) { return ParseCount(v, &c->stretch); } },
    { "wakeafter", [](const std::string &v, SimConfig *c) { return ParseCount(v, &c->wakeAfter); } },
    { "stations", [](const std::string &v, SimConfig *c) { return ParseStations(v, &c->stations); } },
    { "ddraw", [](const std::string &v, SimConfig *c) { return ParsePresence(v, &c->display.ddraw); } },
    { "videoport", [](const std::string &v, SimConfig *c) { return ParsePresence(v, &c->display.videoport); } },
    { "overlay", [](const std::string &v, SimConfig *c) { return ParsePresence(v, &c->display.overlay); } },
    { "container", [](const std::string &v, SimConfig *c) { return ParsePresence(v, &c->display.container); } },
    { "clipper", [](const std::string &v, SimConfig *c) { return ParsePresence(v, &c->display.clipper); } },
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
