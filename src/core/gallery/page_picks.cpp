#include "gallery/page_picks.h"

#include "util/strings.h"

namespace wexbo {

std::size_t SeededRandom::Below(std::size_t count) {
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(engine_);
}

namespace {

std::seed_seq PageSeed(const std::string& albumTitle, const std::string& pageName) {
    std::string key = albumTitle;
    key += '\0';  // "a" + "bc" and "ab" + "c" are different pages
    key += pageName;
    const std::uint64_t hash = StableHash(key);
    return std::seed_seq{static_cast<std::uint32_t>(hash), static_cast<std::uint32_t>(hash >> 32)};
}

}  // namespace

PageRandom::PageRandom(const std::string& albumTitle, const std::string& pageName, RandomSource* given)
    : given_(given) {
    std::seed_seq seed = PageSeed(albumTitle, pageName);
    engine_.seed(seed);
}

std::size_t PageRandom::Below(std::size_t count) {
    if (given_) return given_->Below(count);
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(engine_);
}

const std::array<const char*, 12> kDescriptionSuffixes = {
    " - Page created with ",     " - Gallery created with ",  " - Homepage created with ",
    " - Web page created with ", " - Page created with ",     " - Gallery created with ",
    " - Homepage created with ", " - Web page created with ", " - Page made with ",
    " - Gallery made with ",     " - Homepage made with ",    " - Internet page made with "};

#define WEXBO_SITE "https://www.velmora.example/wexbo/"

const std::array<const char*, 38> kFooterLinkSlots = {
    "HTML image gallery maker|" WEXBO_SITE,
    "Online photo album creator|" WEXBO_SITE "online-photo-album/",
    "Web gallery software|" WEXBO_SITE "web-gallery-software/",
    "Photo gallery generator|" WEXBO_SITE "photo-gallery-generator/",
    "Picture slideshow maker|" WEXBO_SITE "slideshow-maker/",
    "Create a photo website|" WEXBO_SITE "photo-website/",
    "HTML photo album software|" WEXBO_SITE "html-photo-album/",
    "Image gallery creator|" WEXBO_SITE "image-gallery-creator/",
    "Web album generator|" WEXBO_SITE "web-album-generator/",
    "Photo gallery for your homepage|" WEXBO_SITE "homepage-gallery/",
    "Online gallery maker|" WEXBO_SITE "online-gallery-maker/",
    "Thumbnail gallery generator|" WEXBO_SITE "thumbnail-gallery/",
    "HTML image gallery maker|" WEXBO_SITE,
    "Photo album software|" WEXBO_SITE "photo-album-software/",
    "Responsive web gallery maker|" WEXBO_SITE "responsive-gallery/",
    "Online photo album creator|" WEXBO_SITE "online-photo-album/",
    "Slideshow software for websites|" WEXBO_SITE "website-slideshow/",
    "HTML gallery generator|" WEXBO_SITE "html-gallery-generator/",
    "Web gallery software|" WEXBO_SITE "web-gallery-software/",
    "Digital photo album maker|" WEXBO_SITE "digital-photo-album/",
    "Create online photo galleries|" WEXBO_SITE "create-online-gallery/",
    "Photo gallery generator|" WEXBO_SITE "photo-gallery-generator/",
    "Picture gallery software|" WEXBO_SITE "picture-gallery-software/",
    "Photo web page creator|" WEXBO_SITE "photo-web-page/",
    "Picture slideshow maker|" WEXBO_SITE "slideshow-maker/",
    "Image web album maker|" WEXBO_SITE "image-web-album/",
    "Create a photo website|" WEXBO_SITE "photo-website/",
    "Gallery software for photographers|" WEXBO_SITE "for-photographers/",
    "HTML photo album software|" WEXBO_SITE "html-photo-album/",
    "Easy web gallery creator|" WEXBO_SITE "easy-web-gallery/",
    "Image gallery creator|" WEXBO_SITE "image-gallery-creator/",
    "Holiday photo album online|" WEXBO_SITE "holiday-photo-album/",
    "HTML image gallery maker|" WEXBO_SITE,
    "Family photo gallery maker|" WEXBO_SITE "family-photo-gallery/",
    "Web album generator|" WEXBO_SITE "web-album-generator/",
    "Photo slideshow for the web|" WEXBO_SITE "web-slideshow/",
    "Online photo album creator|" WEXBO_SITE "online-photo-album/",
    "Web photo album program|" WEXBO_SITE "web-photo-album-program/"};

#undef WEXBO_SITE

const std::array<const char*, 7> kProductNames = {
    "Velmora Albumo",    "Velmora Fotoframe", "Velmora Collagist", "Velmora Kalendo",
    "Velmora Printwise", "Velmora Cardmaker", "Velmora Slidecast"};

std::string PickDescriptionSuffix(RandomSource& random) {
    return kDescriptionSuffixes[random.Below(kDescriptionSuffixes.size())];
}

std::string PickFooterLink(RandomSource& random) {
    return kFooterLinkSlots[random.Below(kFooterLinkSlots.size())];
}

std::string PickProductName(RandomSource& random) {
    return kProductNames[random.Below(kProductNames.size())];
}

}  // namespace wexbo
