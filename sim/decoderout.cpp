#include "sim/decoderout.h"

#include "sim/card.h"
#include "sim/field.h"
#include "sim/testpicture.h"

namespace sim {

bool DecoderOutput::LoadFrame(int frame)
{
    if (frame == loaded_)
        return true;
    frame_.resize((size_t)TestPicture::kWidth * TestPicture::kHeight * 2);
    loaded_ = -1;
    if (card_.picture()) {
        if (!card_.picture()->ReadFrame(frame, frame_.data()))
            return false;
    } else {
        TestPicture::Draw(frame, frame_.data());
    }
    loaded_ = frame;
    return true;
}

void DecoderOutput::Field(uint64_t index, std::vector<uint8_t> *field)
{
    const Saa7111a &decoder = card_.decoder();
    if (!decoder.Locked() || !decoder.OutputEnabled() || !LoadFrame((int)(index / 2))) {
        BlackField(field);
        return;
    }
    PictureControls controls(decoder.brightness(), decoder.contrast(), decoder.saturation(), decoder.hue());
    BuildField(frame_.data(), (int)(index % 2), controls, field);
}

}  // namespace sim
