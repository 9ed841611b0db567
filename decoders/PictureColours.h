#pragma once

#include "decoders/EmbeddedProfile.h"

#include <memory>
#include <QImage>

// Brings decoded pixels from the colours their file names into sRGB, the colours the screen is
// taken to show, through Little CMS (lcms2). The profile is parsed here, so in the decoder
// helper only after it has confined itself; one the library refuses, of a kind it cannot take
// (a device link, an abstract or named-colour profile) or not for the file's kind of pixels
// leaves the picture untagged: its pixels are shown as decoded, without a word.
class PictureColours {
public:
    explicit PictureColours(const EmbeddedProfile& profile);
    ~PictureColours();
    PictureColours(const PictureColours&) = delete;
    PictureColours& operator=(const PictureColours&) = delete;

    // What the profile describes: nothing to convert, RGB, grey or CMYK pixels.
    enum class Source { None, Rgb, Grey, Cmyk };
    Source source() const { return source_; }

    // A decoded picture (any of Qt's formats; grey pixels for a grey profile) in sRGB, as
    // RGB32 or, when it has alpha, as ARGB32 with its alpha kept. The same image when there is
    // nothing to convert or the source is CMYK.
    QImage converted(QImage image) const;

    // CMYK samples, four bytes a pixel stored inverted as Adobe's writers store them (and as
    // the program has always read CMYK JPEGs), converted to an RGB32 picture; null unless the
    // source is CMYK.
    QImage fromCmyk(const uchar* samples, QSize size, qsizetype bytesPerLine) const;

private:
    struct Transform;
    std::unique_ptr<Transform> transform_;
    Source source_ = Source::None;
};

// Everything the colour library sets up on its first use, done once before the decoder helper
// confines itself, so that no later call needs what the confinement refuses.
void preparePictureColours();
