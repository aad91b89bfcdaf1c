#include "imaging/picture_decoder.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "imaging/heif_decoder.h"
#include "imaging/imaging_fault.h"
#include "imaging/jpeg_decoder.h"
#include "imaging/lead_error.h"
#include "imaging/png_decoder.h"
#include "imaging/tiff_decoder.h"
#include "imaging/webp_decoder.h"
#include "util/text_encoding.h"

namespace wexbo {

namespace {

[[noreturn]] void FailToRead(const std::string& path, int error) {
    throw ImagingFault(error == ENOENT || error == ENOTDIR ? kLeadFileNotFound : kLeadFileRead,
                       path + ": " + std::strerror(error));
}

}  // namespace

PictureFormat PictureFormatOfFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return PictureFormat::Unknown;
    std::array<unsigned char, 16> head{};
    const ssize_t got = ::read(fd, head.data(), head.size());
    ::close(fd);
    return got > 0 ? PictureFormatOf(head.data(), static_cast<std::size_t>(got)) : PictureFormat::Unknown;
}

DecodedPicture DecodePictureMemory(const void* data, std::size_t size, const DecodeRequest& request,
                                   const std::string& sourceName) {
    switch (PictureFormatOf(data, size)) {
        case PictureFormat::Jpeg:
            return DecodeJpegMemory(data, size, request.targetWidth, request.targetHeight, sourceName,
                                    request.limits);
        case PictureFormat::Png:
            return DecodePngMemory(data, size, request, sourceName);
        case PictureFormat::Webp:
            return DecodeWebpMemory(data, size, request, sourceName);
        case PictureFormat::Tiff:
            return DecodeTiffMemory(data, size, request, sourceName);
        case PictureFormat::Heif:
            return DecodeHeifMemory(data, size, request, sourceName);
        case PictureFormat::Unknown:
            break;
    }
    throw ImagingFault(kLeadUnknownFormat, sourceName + ": " + LeadErrorText(kLeadUnknownFormat));
}

bool ReadPictureSize(const void* data, std::size_t size, int& width, int& height) {
    switch (PictureFormatOf(data, size)) {
        case PictureFormat::Png:
            return ReadPngSize(data, size, width, height);
        case PictureFormat::Webp:
            return ReadWebpSize(data, size, width, height);
        case PictureFormat::Tiff:
            return ReadTiffSize(data, size, width, height);
        case PictureFormat::Heif:
            return ReadHeifSize(data, size, width, height);
        case PictureFormat::Jpeg:
        case PictureFormat::Unknown:
            break;
    }
    return false;
}

int DecoderBytesPerPixel(PictureFormat format) {
    switch (format) {
        case PictureFormat::Heif:
            return 14;  // three 16-bit planes, then 16-bit RGBA
        case PictureFormat::Png:
        case PictureFormat::Tiff:
            return 8;  // 16-bit RGBA at most
        case PictureFormat::Webp:
            return 4;
        case PictureFormat::Jpeg:
        case PictureFormat::Unknown:
            break;
    }
    return 0;
}

DecodedPicture DecodePictureFile(const std::string& path, const DecodeRequest& request) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw ImagingFault(kLeadFileRead, path + ": is a folder");
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) FailToRead(path, errno);
    std::array<unsigned char, 16> head{};
    const ssize_t got = ::read(fd, head.data(), head.size());
    ::close(fd);
    if (got < 0) FailToRead(path, errno);
    // JPEG files are read as a stream, in large blocks; the other decoders take the whole file.
    if (PictureFormatOf(head.data(), static_cast<std::size_t>(got)) == PictureFormat::Jpeg)
        return DecodeJpegFile(path, request.targetWidth, request.targetHeight, request.limits);
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) FailToRead(path, errno ? errno : EIO);
    return DecodePictureMemory(bytes.data(), bytes.size(), request, path);
}

}  // namespace wexbo
