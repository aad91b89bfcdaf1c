#include "imaging/lead_image.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <utility>

#include "imaging/imaging_fault.h"
#include "imaging/jpeg_encoder.h"
#include "imaging/picture_decoder.h"
#include "imaging/pixel_transforms.h"
#include "imaging/resample.h"
#include "imaging/shape_frame.h"
#include "util/files.h"

namespace wexbo {

TLEADImage::TLEADImage(std::string name) : name_(std::move(name)) {}

TLEADImage::~TLEADImage() = default;

int TLEADImage::Width() const {
    std::lock_guard lock(mutex_);
    return picture_ ? picture_->Width() : 0;
}

int TLEADImage::Height() const {
    std::lock_guard lock(mutex_);
    return picture_ ? picture_->Height() : 0;
}

bool TLEADImage::HasPicture() const {
    std::lock_guard lock(mutex_);
    return picture_ != nullptr;
}

int TLEADImage::LastResult() const {
    std::lock_guard lock(mutex_);
    return lastResult_;
}

int TLEADImage::FileWidth() const {
    std::lock_guard lock(mutex_);
    return picture_ ? fileWidth_ : 0;
}

int TLEADImage::FileHeight() const {
    std::lock_guard lock(mutex_);
    return picture_ ? fileHeight_ : 0;
}

template <typename Body>
void TLEADImage::Run(const char* operation, bool needsPicture, Body&& body) {
    std::lock_guard lock(mutex_);
    if (needsPicture && !picture_) {
        lastResult_ = kLeadNoPicture;
        throw ELeadImageError(name_ + " \n" + operation + ": Image not allocated.", kLeadNoPicture);
    }
    int code = kLeadSuccess;
    std::string detail;
    try {
        body();
    } catch (const ImagingFault& fault) {
        code = fault.Code();
        detail = fault.what();
    } catch (const std::bad_alloc&) {
        code = kLeadNoMemory;
    } catch (const std::length_error&) {
        code = kLeadPictureTooLarge;
    } catch (const std::exception& e) {
        // Callers catch ELeadImageError only; nothing else may escape an operation.
        code = kLeadFailure;
        detail = e.what();
    }
    lastResult_ = code;
    if (code == kLeadSuccess) return;
    throw ELeadImageError(name_ + " \nError code: " + std::to_string(code) + "\n" + operation + ": " +
                              LeadErrorText(code) + " ",
                          code, detail);
}

RgbBuffer& TLEADImage::Mutable() {
    // A snapshot handed out earlier keeps its pixels: work on a copy while it lives.
    if (picture_.use_count() > 1) picture_ = std::make_shared<RgbBuffer>(picture_->Clone());
    return *picture_;
}

void TLEADImage::LoadSource(const char* operation, const std::string& sourceName, const void* data,
                            std::size_t size, const std::string* file, int targetWidth, int targetHeight) {
    Run(operation, false, [&] {
        // The old picture goes first, so a failed load leaves nothing that could be saved by mistake.
        picture_.reset();
        iccProfile_.clear();
        exif_.clear();
        region_.reset();
        fileWidth_ = fileHeight_ = 0;
        if (targetWidth < 0 || targetHeight < 0)
            throw ImagingFault(kLeadInvalidParameter, "negative target size");
        DecodeRequest request;
        request.targetWidth = targetWidth;
        request.targetHeight = targetHeight;
        request.background = ToRgb(background_);
        request.decoderThreads = decoderThreads_;
        DecodedPicture decoded =
            file ? DecodePictureFile(*file, request) : DecodePictureMemory(data, size, request, sourceName);
        picture_ = std::make_shared<RgbBuffer>(std::move(decoded.pixels));
        iccProfile_ = std::move(decoded.iccProfile);
        exif_ = std::move(decoded.exif);
        fileWidth_ = decoded.fullWidth;
        fileHeight_ = decoded.fullHeight;
    });
}

void TLEADImage::SetBackgroundColor(LeadColor color) {
    std::lock_guard lock(mutex_);
    background_ = color;
}

void TLEADImage::SetDecoderThreads(int threads) {
    std::lock_guard lock(mutex_);
    decoderThreads_ = std::max(1, threads);
}

void TLEADImage::Load(const std::string& file, int bitsPerPixel, int firstPage, int pageCount) {
    if (bitsPerPixel != 0 && bitsPerPixel != 24) {
        Run("Load", false,
            [] { throw ImagingFault(kLeadUnsupportedFormat, "only 24-bit colour is loaded"); });
    }
    if (firstPage > 1 || pageCount == 0 || pageCount < -1) {
        Run("Load", false,
            [] { throw ImagingFault(kLeadInvalidParameter, "only the first page is loaded"); });
    }
    LoadSource("Load", file, nullptr, 0, &file, 0, 0);
}

void TLEADImage::LoadForSize(const std::string& file, int targetWidth, int targetHeight) {
    LoadSource("Load", file, nullptr, 0, &file, targetWidth, targetHeight);
}

void TLEADImage::LoadFromMemory(const void* data, std::size_t size, int targetWidth, int targetHeight,
                                const std::string& sourceName) {
    LoadSource("Load", sourceName, data, size, nullptr, targetWidth, targetHeight);
}

void TLEADImage::Size(int width, int height, int /*flags*/) {
    Run("Size", true, [&] {
        if (width < 1 || height < 1) throw ImagingFault(kLeadInvalidParameter, "size below 1 pixel");
        if (picture_->Width() != width || picture_->Height() != height)
            picture_ = std::make_shared<RgbBuffer>(ResizeBicubic(*picture_, width, height));
        region_.reset();
    });
}

void TLEADImage::Rotate(int angle, int flags, LeadColor fillColor) {
    Run("Rotate", true, [&] {
        const int turn = ((angle % 36000) + 36000) % 36000;
        if (turn == 0) return;
        const bool enlarge = flags & kLeadRotateResize;
        const bool square = picture_->Width() == picture_->Height();
        if (turn % 9000 == 0 && (enlarge || square || turn == 18000)) {
            picture_ = std::make_shared<RgbBuffer>(RotateQuarters(*picture_, turn / 9000));
        } else {
            picture_ =
                std::make_shared<RgbBuffer>(RotateFree(*picture_, turn / 100.0, enlarge, ToRgb(fillColor)));
        }
        region_.reset();
    });
}

void TLEADImage::Flip() {
    Run("Flip", true, [&] { FlipRows(Mutable()); });
}

void TLEADImage::Reverse() {
    Run("Reverse", true, [&] { MirrorColumns(Mutable()); });
}

void TLEADImage::SetShape(const LeadShape& shape) {
    std::lock_guard lock(mutex_);
    shape_ = shape;
}

LeadShape TLEADImage::Shape() const {
    std::lock_guard lock(mutex_);
    return shape_;
}

void TLEADImage::SetDrawPersistence(bool on) {
    std::lock_guard lock(mutex_);
    drawPersistence_ = on;
}

void TLEADImage::DrawShape(int shape) {
    Run("DrawShape", true, [&] {
        if (shape != kLeadShapeFrame) throw ImagingFault(kLeadInvalidParameter, "unknown shape code");
        if (!drawPersistence_) return;  // there is no display to draw on
        DrawFrameShape(Mutable(), shape_);
    });
}

void TLEADImage::SetRgnRect(int left, int top, int width, int height, int combineMode) {
    Run("SetRgnRect", true, [&] {
        if (combineMode != kLeadRegionSet) throw ImagingFault(kLeadInvalidParameter, "unknown region mode");
        if (width < 0 || height < 0) throw ImagingFault(kLeadInvalidParameter, "negative region size");
        region_ = Region{left, top, width, height};
    });
}

void TLEADImage::FreeRgn() {
    std::lock_guard lock(mutex_);
    region_.reset();
}

void TLEADImage::Fill(LeadColor color) {
    Run("Fill", true, [&] {
        RgbBuffer& picture = Mutable();
        if (region_)
            FillRect(picture, region_->left, region_->top, region_->width, region_->height, ToRgb(color));
        else
            FillRect(picture, 0, 0, picture.Width(), picture.Height(), ToRgb(color));
    });
}

void TLEADImage::Save(const std::string& file, int format, int bitsPerPixel, int qualityFactor,
                      int /*multiPage*/) {
    Run("Save", true, [&] {
        const std::string bytes = Encode(format, bitsPerPixel, qualityFactor);
        std::string why;
        if (!WriteFileAtomically(file, bytes, &why)) throw ImagingFault(kLeadFileWrite, file + ": " + why);
    });
}

std::string TLEADImage::SaveToMemory(int format, int bitsPerPixel, int qualityFactor) {
    std::string bytes;
    Run("Save", true, [&] { bytes = Encode(format, bitsPerPixel, qualityFactor); });
    return bytes;
}

std::string TLEADImage::SaveJpegToMemory(const JpegSettings& settings) {
    std::string bytes;
    Run("Save", true, [&] { bytes = EncodeJpeg(*picture_, settings, iccProfile_); });
    return bytes;
}

std::string TLEADImage::Encode(int format, int bitsPerPixel, int qualityFactor) const {
    if (format != kLeadFormatJpeg) throw ImagingFault(kLeadUnsupportedFormat, "only JPEG is written");
    if (bitsPerPixel != 24 && bitsPerPixel != 8 && bitsPerPixel != 0)
        throw ImagingFault(kLeadUnsupportedFormat, "JPEG takes 8 or 24 bits per pixel");
    return EncodeJpeg(*picture_, {JpegQualityForFactor(qualityFactor), bitsPerPixel == 8}, iccProfile_);
}

void TLEADImage::FramePicture(int depth, LeadColor shadowColor, LeadColor cornerColor) {
    Run("DrawShape", true, [&] {
        if (depth < 0) throw ImagingFault(kLeadInvalidParameter, "negative frame depth");
        RgbBuffer& picture = Mutable();
        const int w = picture.Width();
        const int h = picture.Height();
        drawPersistence_ = true;
        shape_.left = 0;
        shape_.top = 0;
        shape_.width = w;
        shape_.height = h;
        shape_.shadowXDepth = depth;
        shape_.shadowYDepth = depth;
        shape_.shadowColor = shadowColor;
        DrawFrameShape(picture, shape_);
        // The corners neither the frame nor its shadow covers: bottom left and top right.
        FillRect(picture, 0, h - depth, depth, depth, ToRgb(cornerColor));
        FillRect(picture, w - depth, 0, depth, depth, ToRgb(cornerColor));
        region_.reset();
    });
}

void TLEADImage::SetPicture(RgbBuffer picture, std::string iccProfile) {
    std::lock_guard lock(mutex_);
    region_.reset();
    if (picture.Empty()) {
        picture_.reset();
        iccProfile_.clear();
        fileWidth_ = fileHeight_ = 0;
    } else {
        fileWidth_ = picture.Width();
        fileHeight_ = picture.Height();
        picture_ = std::make_shared<RgbBuffer>(std::move(picture));
        iccProfile_ = std::move(iccProfile);
    }
    lastResult_ = kLeadSuccess;
}

void TLEADImage::SetPicture(std::shared_ptr<const RgbBuffer> snapshot, std::string iccProfile) {
    if (!snapshot || snapshot->Empty()) return SetPicture(RgbBuffer{});
    std::lock_guard lock(mutex_);
    region_.reset();
    fileWidth_ = snapshot->Width();
    fileHeight_ = snapshot->Height();
    // Mutable() copies before any change while the snapshot is shared elsewhere.
    picture_ = std::const_pointer_cast<RgbBuffer>(std::move(snapshot));
    iccProfile_ = std::move(iccProfile);
    lastResult_ = kLeadSuccess;
}

void TLEADImage::Clear() { SetPicture(RgbBuffer{}); }

std::shared_ptr<const RgbBuffer> TLEADImage::Snapshot() const {
    std::lock_guard lock(mutex_);
    return picture_;
}

std::string TLEADImage::IccProfile() const {
    std::lock_guard lock(mutex_);
    return iccProfile_;
}

std::string TLEADImage::Exif() const {
    std::lock_guard lock(mutex_);
    return exif_;
}

}  // namespace wexbo
