// The names of an online gallery's files: the fixed pages and images, and the three files of each
// picture, formed from its web name and kept unique across the whole gallery.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "album/gallery_picture.h"

namespace wexbo {

inline constexpr const char* kOverviewPageName = "gallery.html";
inline constexpr const char* kSlideshowPageName = "slideshow.html";
// The slideshow script and its two images, shipped in the program folder's "slidescript/".
inline constexpr std::array<const char*, 3> kSlideshowScriptFiles = {"slideshow.js", "restore.png", "x.png"};
// The five images of a button set, in the order they are copied.
inline constexpr std::array<const char*, 5> kButtonImageNames = {"slideshow.gif", "gallery.gif",
                                                                 "previous.gif", "home.gif", "next.gif"};

// The picture's file name without folder and extension ("/a/Beach.Day.JPG" gives "Beach.Day").
std::string PictureBaseName(const std::string& path);

std::string DetailPageName(const std::string& webName);       // web name + ".html"
std::string OverviewPictureName(const std::string& webName);  // web name + "_thumb.jpg"
std::string FullSizePictureName(const std::string& webName);  // web name + ".jpg"
// The same two pictures for screens of twice the density (the modern pages).
std::string OverviewPicture2xName(const std::string& webName);  // web name + "_thumb@2x.jpg"
std::string FullSizePicture2xName(const std::string& webName);  // web name + "@2x.jpg"

// The web name of every picture, in order: WebFileName of its base name, and when any of the
// picture's files (its page, its two pictures and their 2x forms) would take a name that the gallery already
// uses (a fixed page, script or button image, or a file of an earlier picture) the first free "_2", "_3" …
// suffix. So every picture keeps its own files and links, and "gallery.jpg" can never replace the overview
// page.
std::vector<std::string> AssignWebNames(const std::vector<GalleryPicture>& pictures);

// A file name as it stands in an href or src attribute: characters that would end or redirect a
// link ("#", "?", "%", quotes, blanks, controls …) percent-encoded; everything else as it is.
std::string LinkTarget(const std::string& fileName);

}  // namespace wexbo
