// TLEADImage: the program's image component. It holds one picture (8-bit RGB) and performs every
// raster operation the program needs on it: load, resize, turn, mirror, 3-D frame, region fill
// and JPEG save, on libjpeg-turbo and libexif.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "imaging/jpeg_encoder.h"
#include "imaging/lead_error.h"
#include "imaging/rgb_buffer.h"

namespace wexbo {

// Colours are 0x00BBGGRR: red in the low byte.
using LeadColor = std::uint32_t;
inline constexpr LeadColor kLeadWhite = 0xFFFFFF;
inline constexpr LeadColor kLeadSilver = 0xC0C0C0;

inline constexpr int kLeadFormatJpeg = 23;    // Save format: JPEG (JFIF)
inline constexpr int kLeadSizeBicubic = 4;    // Size flags: bicubic-class resampling
inline constexpr int kLeadRotateResize = 1;   // Rotate flags: enlarge the canvas to hold the whole picture
inline constexpr int kLeadShapeFrame = 2000;  // DrawShape: rectangle frame
inline constexpr int kLeadRegionSet = 1;      // SetRgnRect: the rectangle replaces the region

// The frame DrawShape draws. The defaults are those of the thumbnail components: a 1-pixel silver
// border, a 5-pixel raised white inner band, no shadow.
struct LeadShape {
    int left = 0;
    int top = 0;
    int width = 0;   // ShapeWidth: frame and shadow together
    int height = 0;  // ShapeHeight: frame and shadow together
    LeadColor borderColor = kLeadSilver;
    int borderThickness = 1;
    int innerBandThickness = 5;
    bool innerBandRaised = true;  // raised: highlight on the top and left, shadow on the bottom and right
    LeadColor innerBandHiliteColor = kLeadWhite;
    LeadColor innerBandShadowColor = kLeadWhite;
    int shadowXDepth = 0;  // drop shadow offset to the right
    int shadowYDepth = 0;  // drop shadow offset downwards
    LeadColor shadowColor = 0;
};

// One picture and the operations on it.
//
// Result codes and errors: every operation stores its result code (LastResult(): 1 success, -2 no
// picture, other codes in imaging/lead_error.h) and, when it fails, raises ELeadImageError with
// the message "NAME \nOP: Image not allocated." (no picture) or "NAME \nError code: CODE\nOP: TEXT ".
// A failed operation leaves the picture as it was, except Load, which leaves the component empty
// so that a later Save can never write the previous picture under the new file's name.
//
// Threads: every operation locks the component, so several components can work on worker threads
// at once and one component may be shared; one operation runs at a time per component.
//
// Loading reads JPEG files (baseline and progressive, greyscale and CMYK/YCCK ones converted to
// RGB) and PNG, WebP, TIFF, HEIC/HEIF and AVIF files, told apart by their first bytes. It turns the
// picture upright as the file says and keeps its ICC colour profile, which every Save writes again
// (an RGB profile only: the profile of a CMYK or greyscale file no longer fits the RGB picture).
// Transparent parts are laid onto the background colour. Saved files carry no EXIF orientation.
class TLEADImage {
public:
    explicit TLEADImage(std::string name = "LEADImage1");
    TLEADImage(const TLEADImage&) = delete;
    TLEADImage& operator=(const TLEADImage&) = delete;
    ~TLEADImage();

    const std::string& Name() const { return name_; }
    int Width() const;   // 0 without a picture
    int Height() const;  // 0 without a picture
    bool HasPicture() const;
    int LastResult() const;

    // What transparent parts of the next loaded picture are laid onto (white unless set).
    void SetBackgroundColor(LeadColor color);
    // The threads a load may use inside one picture (HEIF decodes; 1 unless set). Callers that load
    // many pictures side by side leave it at 1.
    void SetDecoderThreads(int threads);

    // Loads a picture file in full. The callers' arguments are bits per pixel 0 (the file's own
    // depth; 24 is taken too), first page 1 and page count -1.
    void Load(const std::string& file, int bitsPerPixel = 0, int firstPage = 1, int pageCount = -1);

    // Loads a picture file for making a copy of targetWidth × targetHeight pixels. A JPEG is decoded
    // at the smallest DCT scale (8/8, 7/8 … 1/8) that still gives at least that size, so a large
    // photo shrunk to a thumbnail is never decoded in full (a HEIF file's embedded thumbnail serves
    // where it is large enough); then Width() and Height() give the decoded
    // size and FileWidth()/FileHeight() the picture's full size, with which the caller computes
    // the final size for Size. A target side of 0 follows from the picture's proportions (rounded
    // up); 0 × 0 decodes in full. The target is for the picture as it stands (after the EXIF
    // orientation).
    void LoadForSize(const std::string& file, int targetWidth, int targetHeight);

    // Load or LoadForSize from a picture file's bytes in memory; `sourceName` stands for the file in
    // messages.
    void LoadFromMemory(const void* data, std::size_t size, int targetWidth = 0, int targetHeight = 0,
                        const std::string& sourceName = "memory");

    // The full size of the last loaded picture as it stands (after the EXIF orientation), even when
    // it was decoded at a smaller scale; 0 without a picture.
    int FileWidth() const;
    int FileHeight() const;

    // Resizes to exactly width × height with a bicubic filter that averages every source pixel when
    // shrinking. flags: 4 (other values are taken as 4).
    void Size(int width, int height, int flags = kLeadSizeBicubic);

    // Turns clockwise by `angle` hundredths of a degree. Quarter turns are exact and exchange width
    // and height; other angles interpolate and fill the uncovered corners with fillColor. flags 1
    // enlarges the canvas to hold the whole picture, 0 keeps the size and crops.
    void Rotate(int angle, int flags = kLeadRotateResize, LeadColor fillColor = kLeadWhite);

    void Flip();     // top and bottom exchanged
    void Reverse();  // left and right exchanged

    // Frame settings for DrawShape, and whether DrawShape draws into the picture data. The
    // component has no display, so without persistence DrawShape changes nothing.
    void SetShape(const LeadShape& shape);
    LeadShape Shape() const;
    void SetDrawPersistence(bool on);

    // Draws shape 2000: over the rectangle of the shape settings less the shadow depths, a frame
    // whose inside shows the picture, and the drop shadow offset by the depths.
    void DrawShape(int shape = kLeadShapeFrame);

    // Sets the region the next Fill changes; combine mode 1 replaces the region. The rectangle is
    // clipped to the picture. Load, Size and Rotate clear the region, as does FreeRgn.
    void SetRgnRect(int left, int top, int width, int height, int combineMode = kLeadRegionSet);
    void FreeRgn();

    // Fills the region (the whole picture when there is none) with the colour.
    void Fill(LeadColor color);

    // Saves as a JPEG (JFIF) file: format 23, 24 bits per pixel (8 gives greyscale), quality
    // factor 4 (2 is the best quality, 255 the smallest file; 4 is JPEG quality 95), 4:2:2 chroma
    // subsampling. The file is written under a temporary name and renamed over `file`, so an
    // existing file is replaced only by a complete new one.
    void Save(const std::string& file, int format = kLeadFormatJpeg, int bitsPerPixel = 24,
              int qualityFactor = 4, int multiPage = 0);
    // The bytes Save would write, for a caller that writes them itself.
    std::string SaveToMemory(int format = kLeadFormatJpeg, int bitsPerPixel = 24, int qualityFactor = 4);
    // The bytes of the picture as a JPEG file written as `settings` say.
    std::string SaveJpegToMemory(const JpegSettings& settings);

    // The thumbnail and gallery frame on a picture of W × H: the frame over the whole picture with
    // a drop shadow of colour `shadowColor` `depth` pixels right and down, and the two
    // depth × depth corners the frame and shadow leave free (bottom left, top right) filled with
    // `cornerColor`.
    void FramePicture(int depth, LeadColor shadowColor, LeadColor cornerColor);

    // Replaces the picture (ICC profile cleared unless given).
    void SetPicture(RgbBuffer picture, std::string iccProfile = {});
    // Takes up a snapshot again without copying it; the snapshot stays as it is, since operations
    // work on a copy while it is shared.
    void SetPicture(std::shared_ptr<const RgbBuffer> snapshot, std::string iccProfile = {});

    // Discards the picture.
    void Clear();

    // The current picture, shared and never changed afterwards (operations work on a copy while a
    // snapshot is alive), or null without a picture. For display without copying:
    //   auto pic = image.Snapshot();
    //   QImage view(pic->Data(), pic->Width(), pic->Height(), pic->Stride(), QImage::Format_RGB888,
    //               [](void* p) { delete static_cast<std::shared_ptr<const RgbBuffer>*>(p); },
    //               new std::shared_ptr<const RgbBuffer>(pic));
    std::shared_ptr<const RgbBuffer> Snapshot() const;

    // The ICC colour profile of the loaded picture; empty when it had none.
    std::string IccProfile() const;
    // The loaded file's EXIF block as a JPEG APP1 segment holds it; empty when it had none.
    std::string Exif() const;

private:
    std::string Encode(int format, int bitsPerPixel, int qualityFactor) const;
    struct Region {
        int left, top, width, height;
    };

    // Runs one operation under the lock: result code 1 on success; on failure stores the code
    // and raises the error. `needsPicture` makes an empty component fail with code -2.
    template <typename Body>
    void Run(const char* operation, bool needsPicture, Body&& body);
    void LoadSource(const char* operation, const std::string& sourceName, const void* data, std::size_t size,
                    const std::string* file, int targetWidth, int targetHeight);
    RgbBuffer& Mutable();  // the picture, copied first when a snapshot shares it

    const std::string name_;
    mutable std::mutex mutex_;
    std::shared_ptr<RgbBuffer> picture_;
    std::string iccProfile_;
    std::string exif_;
    LeadColor background_ = kLeadWhite;
    int decoderThreads_ = 1;
    int fileWidth_ = 0;
    int fileHeight_ = 0;
    int lastResult_ = kLeadSuccess;
    LeadShape shape_;
    bool drawPersistence_ = false;
    std::optional<Region> region_;
};

}  // namespace wexbo
