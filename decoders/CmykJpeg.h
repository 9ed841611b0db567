#pragma once

#include <memory>
#include <QByteArray>
#include <QSize>
#include <vector>

// A CMYK JPEG's samples as the file stores them, read with libjpeg: Qt's reader hands CMYK
// pictures over as RGB already mixed by a simple formula, from which no profile can start.
class CmykJpeg {
public:
    // Reads the header of the JPEG held in `file`.
    explicit CmykJpeg(QByteArray file);
    ~CmykJpeg();
    CmykJpeg(const CmykJpeg&) = delete;
    CmykJpeg& operator=(const CmykJpeg&) = delete;

    // The stored size (before any EXIF turn); invalid when the file is damaged or not CMYK.
    QSize size() const { return size_; }

    // Decodes at the smallest of libjpeg's scales (eighths) that keeps at least `atLeast`
    // pixels each way, or at full size. False on a damaged file; the samples stay as the
    // file stores them, four bytes a pixel (Adobe's writers store them inverted).
    bool read(QSize atLeast);
    QSize samplesSize() const { return samplesSize_; }
    const uchar* samples() const { return samples_.data(); }
    qsizetype bytesPerLine() const { return qsizetype(samplesSize_.width()) * 4; }

private:
    struct Decoder;
    std::unique_ptr<Decoder> decoder_;
    QByteArray file_;
    QSize size_;
    QSize samplesSize_;
    std::vector<uchar> samples_;
};
