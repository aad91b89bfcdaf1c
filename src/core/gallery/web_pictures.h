// The web pictures of a gallery: for every album picture an overview picture and a full-size
// picture, both made from one decode of the source, optionally framed, converted in parallel.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "imaging/jpeg_encoder.h"

namespace wexbo {

struct PixelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PixelSize&) const = default;
};

struct WebPictureSizes {
    PixelSize overview;
    PixelSize fullSize;
};

// The sizes of both web pictures of a picture of width × height (as it stands, after its EXIF
// orientation). For a landscape picture (width at least height) the setting is the height and the
// width follows, for a portrait picture the setting is the width; the other side is the target
// width times height / width. All rounding is to the nearest integer, halves to even. No side is
// ever below 1 pixel.
WebPictureSizes TargetSizes(int width, int height, int overviewSetting, int fullSizeSetting);

// The sizes of both web pictures for screens of twice the density: twice the settings, but never
// beyond the source's shorter side (nothing is enlarged for them) nor below the settings (so they
// are never smaller than the pictures of TargetSizes).
WebPictureSizes DoubleDensitySizes(int width, int height, int overviewSetting, int fullSizeSetting);

// The frame's shadow: each of red, green and blue of the background colour (0x00BBGGRR) times
// 0.9, rounded halves to even.
std::uint32_t FrameShadowColor(long long backgroundColor);

struct WebPictureOptions {
    int overviewSetting = 80;   // "SmallPicX"
    int fullSizeSetting = 450;  // "LargePicX"
    bool frame = false;         // "ShapeVisible"
    long long backgroundColor = 0xFFFFFF;
    JpegSettings jpeg;           // full-size pictures; the classic ones: quality 95, baseline, 4:2:2
    JpegSettings overviewJpeg;   // overview pictures
    bool doubleDensity = false;  // also both pictures at DoubleDensitySizes, into the job's 2x files
};

// One picture to convert and where its two files go.
struct WebPictureJob {
    std::string source;
    std::string overviewFile;
    std::string fullSizeFile;
    std::string overview2xFile;  // with WebPictureOptions::doubleDensity only
    std::string fullSize2xFile;
};

// What a conversion learnt about the picture; the pages use it instead of reading files again.
struct ConvertedPicture {
    PixelSize source;  // the picture as it stands (after its EXIF orientation)
    WebPictureSizes sizes;
    WebPictureSizes doubleSizes;  // 0 × 0 where no pictures for double density were made
};

// The bytes of the files a conversion wrote (the 2x ones empty where none were made).
struct WebPictureBytes {
    std::string overview;
    std::string fullSize;
    std::string overview2x;
    std::string fullSize2x;
};

// A picture that could not be read or a web picture that could not be written; the message names
// the file and the problem.
class WebPictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the source once, decodes it once at the smallest DCT scale that still serves the largest
// web picture, and makes every web picture from that decode. Throws WebPictureError.
ConvertedPicture ConvertWebPicture(const WebPictureJob& job, const WebPictureOptions& options);

// Progress of ConvertWebPictures: `done` of `total` pictures are converted.
using ConversionProgress = std::function<void(int done, int total)>;

// Called on the converting thread once job `index`'s files are written, with the bytes just
// written, so a caller that keeps or digests them need not read the files again.
using WrittenPictures =
    std::function<void(std::size_t index, const ConvertedPicture& picture, const WebPictureBytes& bytes)>;

// Converts every job on up to `jobs` threads (0: one per core), fewer at once where large
// progressive pictures would take too much memory. The files are the same whatever the number of
// threads. On failure it throws the error of the first failing picture in list order, exactly
// as a one-by-one conversion would stop there; a set cancel flag stops it between pictures with
// ConversionCancelled. Progress calls never overlap and count up by one.
std::vector<ConvertedPicture> ConvertWebPictures(const std::vector<WebPictureJob>& jobs,
                                                 const WebPictureOptions& options, unsigned threads,
                                                 const ConversionProgress& progress = {},
                                                 const std::atomic<bool>* cancel = nullptr,
                                                 const WrittenPictures& written = {});

class ConversionCancelled : public std::runtime_error {
public:
    ConversionCancelled() : std::runtime_error("The conversion was cancelled.") {}
};

}  // namespace wexbo
