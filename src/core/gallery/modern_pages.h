// The pages of the "Modern" page style: the same gallery (overview, a detail page per picture in a
// ring, the slideshow, the stylesheet, the chosen button images, the same file names) as semantic,
// accessible pages for today's browsers. They live beside the classic writers and share nothing
// with them but the names and the picks.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "gallery/gallery_pages.h"

namespace wexbo {

// The web pictures of the modern style: quality 80, colour at 4:2:2, full-size pictures progressive.
// Measured on the benchmark photographs (bench/web_quality.sh), quality 80 keeps the mean SSIM
// within 0.025 of quality 95's at both densities for 44 % of the bytes; 4:2:0 gave less SSIM per
// byte. The overview pictures stay baseline: at a few kilobytes, progressive scans cost them 9 %
// more bytes than they save.
inline constexpr JpegSettings kModernPictureJpeg{80, false, true, false};
inline constexpr JpegSettings kModernOverviewJpeg{80, false, false, false};

struct ModernPageOptions {
    int picturesPerRow = 4;  // the most columns, on wide screens
    bool captionsVisible = false;
    long long textColor = 0;  // 0x00BBGGRR, as the settings store it
    long long bkgColor = 0xFFFFFF;
    // The button images' sizes by file name; a button missing here is drawn without them.
    std::map<std::string, PixelSize> buttonSizes;
};

// The files the modern pages need besides the pictures and button images: every page, the
// stylesheet and the script, by name.
std::vector<std::string> ModernPageFiles(const std::vector<PagePicture>& pictures);

// Writes every modern page, the stylesheet and the script into setup.pageFolder. Throws
// PageFileError naming a file that cannot be written.
void WriteModernPages(const PageSetup& setup, const std::vector<PagePicture>& pictures,
                      const ModernPageOptions& options);

}  // namespace wexbo
