#pragma once

#include "sounddecoders/PcmSource.h"
#include "sounddecoders/ToDevice.h"

#include <memory>
#include <QByteArray>

// A sound whose samples come a piece at a time from whatever holds them (a file, a decoder, a
// buffer) and go through SDL's converter to the device's format.
class ConvertedSource : public PcmSource {
public:
    qsizetype read(qint16* out, qsizetype frames) override;

protected:
    explicit ConvertedSource(std::unique_ptr<ToDevice> converter)
        : converter_(std::move(converter)) {}
    // The next piece of input, about `inputFrames` frames of it, appended to `piece`; false once
    // the input has ended.
    virtual bool next(qint64 inputFrames, QByteArray& piece) = 0;
    // Input in a new format from here on (an MP3 may change its rate in the middle).
    void convertFrom(std::unique_ptr<ToDevice> converter);
    const ToDevice& converter() const { return *converter_; }

private:
    std::unique_ptr<ToDevice> converter_;
    std::unique_ptr<ToDevice> draining_; // the converter before a change of format
    bool ended_ = false;
};
