#include "gallery/modern_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "gallery/gallery_names.h"
#include "gallery/make.h"
#include "gallery/qvb_colors.h"
#include "temp_dir.h"
#include "util/strings.h"

namespace wexbo {
namespace {

using test::ReadFile;
using test::TempDir;

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

// Every start tag of the element, whole.
std::vector<std::string> Tags(const std::string& page, const std::string& element) {
    const std::regex pattern("<" + element + "(?=[\\s>])[^>]*>");
    std::vector<std::string> tags;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), pattern); it != std::sregex_iterator();
         ++it)
        tags.push_back(it->str());
    return tags;
}

std::optional<std::string> Attribute(const std::string& tag, const std::string& name) {
    std::smatch match;
    if (!std::regex_search(tag, match, std::regex("\\s" + name + "=\"([^\"]*)\""))) return std::nullopt;
    return match[1].str();
}

// The text between the first start tag of the element (its name, maybe with attributes to look
// for) and the next end tag of that name.
std::string Content(const std::string& page, const std::string& element) {
    const std::string name = element.substr(0, element.find(' '));
    std::smatch match;
    if (!std::regex_search(page, match,
                           std::regex("<" + element + "(?=[\\s>])[^>]*>([\\s\\S]*?)</" + name + ">")))
        return "";
    return match[1].str();
}

bool IsButtonImage(const std::string& src) {
    return std::find_if(kButtonImageNames.begin(), kButtonImageNames.end(),
                        [&src](const char* name) { return src == name; }) != kButtonImageNames.end();
}

const std::string kRawCaption = "Lake <b>&\"' Zürich";
const std::string kEncodedCaption = "Lake &lt;b&gt;&amp;&quot;&#39; Zürich";
const std::string kEncodedTitle = "Trip &quot;Süd&quot;";
// A shown caption: the picture is named by it, so screen readers skip it.
const std::string kCaptionTag = "<figcaption aria-hidden=\"true\">";

class ModernPagesTest : public testing::Test {
protected:
    ModernPagesTest() { std::filesystem::create_directories(setup.pageFolder); }

    void Write() { WriteModernPages(setup, pictures, options); }
    std::string Page(const std::string& name) const { return ReadFile(setup.pageFolder + name); }
    std::vector<std::string> HtmlPages() const {
        std::vector<std::string> names;
        for (const std::string& name : ModernPageFiles(pictures))
            if (EndsWithIgnoreCase(name, ".html")) names.push_back(name);
        return names;
    }

    TempDir dir;
    PageSetup setup{"Trip \"Süd\"", Language::English, dir / "templates/", dir / "pages/", nullptr};
    // The square's source was too small for larger 2x pictures.
    std::vector<PagePicture> pictures{
        {"zurich_lake", kRawCaption, {160, 120}, true, {800, 600}, {320, 240}, {1600, 1200}},
        {"old-town_square", "", {160, 120}, true, {1024, 768}, {160, 120}, {1024, 768}},
        {"tower", "Tower", {90, 120}, false, {450, 600}, {180, 240}, {900, 1200}}};
    ModernPageOptions options{3, true, RgbColor(0x12, 0x34, 0x56), RgbColor(250, 240, 230), {}};
};

TEST_F(ModernPagesTest, WritesExactlyTheListedFilesWithCrLfAndTheSameBytesEachTime) {
    Write();
    const std::vector<std::string> listed = ModernPageFiles(pictures);
    std::set<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(setup.pageFolder))
        written.insert(entry.path().filename().string());
    EXPECT_EQ(written, std::set<std::string>(listed.begin(), listed.end()));
    EXPECT_EQ(listed.size(), written.size()) << "a file is listed twice";
    for (const char* name : {"gallery.html", "slideshow.html", "layout.css", "zurich_lake.html",
                             "old-town_square.html", "tower.html"})
        EXPECT_TRUE(written.count(name)) << name;

    std::map<std::string, std::string> first;
    for (const std::string& name : listed) {
        first[name] = Page(name);
        ASSERT_FALSE(first[name].empty()) << name;
        EXPECT_EQ(Count(first[name], "\n"), Count(first[name], "\r\n")) << name;
        EXPECT_EQ(first[name].substr(first[name].size() - 2), "\r\n") << name;
    }
    for (const std::string& name : listed) test::WriteFile(setup.pageFolder + name, "stale");
    Write();
    for (const std::string& name : listed) EXPECT_EQ(Page(name), first[name]) << name;
}

TEST_F(ModernPagesTest, AFolderThatCannotBeWrittenThrows) {
    setup.pageFolder = dir / "missing/folder/";
    EXPECT_THROW(Write(), PageFileError);
}

TEST_F(ModernPagesTest, EveryPageIsOneDocumentWithOneH1AndTheLandmarks) {
    Write();
    for (const std::string& name : HtmlPages()) {
        SCOPED_TRACE(name);
        const std::string page = Page(name);
        EXPECT_EQ(page.rfind("<!DOCTYPE html>\r\n<html lang=\"en\">\r\n", 0), 0u);
        EXPECT_EQ(page.substr(page.size() - 9), "</html>\r\n");
        EXPECT_EQ(Count(page, "<meta charset=\"utf-8\">"), 1u);
        EXPECT_EQ(Count(page, "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"),
                  1u);
        EXPECT_EQ(Count(page, "<link rel=\"stylesheet\" href=\"layout.css\">"), 1u);
        EXPECT_EQ(Tags(page, "link").size(), 2u);
        EXPECT_NE(page.find("<link rel=\"icon\" href=\"data:image/svg+xml,"), std::string::npos);
        EXPECT_EQ(Count(page, "<h1"), 1u);
        EXPECT_EQ(Content(page, "h1"), kEncodedTitle);
        EXPECT_EQ(Count(page, "<title>"), 1u);
        for (const char* landmark : {"header", "main", "nav", "footer"}) {
            EXPECT_EQ(Tags(page, landmark).size(), 1u) << landmark;
            EXPECT_EQ(Count(page, std::string("</") + landmark + ">"), 1u) << landmark;
        }
        // header before nav before main before footer.
        EXPECT_LT(page.find("<header>"), page.find("<nav"));
        EXPECT_LT(page.find("</nav>"), page.find("<main>"));
        EXPECT_LT(page.find("</main>"), page.find("<footer>"));
        // No id twice on one page.
        std::multiset<std::string> ids;
        for (const std::string& tag : Tags(page, "[a-z]+"))
            if (auto id = Attribute(tag, "id")) ids.insert(*id);
        for (const std::string& id : ids) EXPECT_EQ(ids.count(id), 1u) << id;
    }
}

TEST_F(ModernPagesTest, ImagesHaveTheirSizesAndAltTextAndButtonImagesAreDecorative) {
    // Every button's size but the home button's is known.
    options.buttonSizes = {{"slideshow.gif", {40, 36}},
                           {"gallery.gif", {41, 37}},
                           {"previous.gif", {42, 38}},
                           {"next.gif", {43, 39}}};
    Write();
    // src → width, height, alt
    std::map<std::string, std::tuple<int, int, std::string>> expected;
    expected["zurich_lake_thumb.jpg"] = {160, 120, kEncodedCaption};
    expected["zurich_lake.jpg"] = {800, 600, kEncodedCaption};
    expected["old-town_square_thumb.jpg"] = {160, 120, "old town square"};
    expected["old-town_square.jpg"] = {1024, 768, "old town square"};
    expected["tower_thumb.jpg"] = {90, 120, "Tower"};
    expected["tower.jpg"] = {450, 600, "Tower"};

    std::map<std::string, int> pictureImages;
    std::set<std::string> buttons;
    for (const std::string& name : HtmlPages()) {
        for (const std::string& tag : Tags(Page(name), "img")) {
            SCOPED_TRACE(name + ": " + tag);
            const auto src = Attribute(tag, "src");
            ASSERT_TRUE(src);
            ASSERT_TRUE(Attribute(tag, "alt"));
            if (IsButtonImage(*src)) {
                EXPECT_EQ(*Attribute(tag, "alt"), "");
                const auto size = options.buttonSizes.find(*src);
                EXPECT_EQ(Attribute(tag, "width"), size == options.buttonSizes.end()
                                                       ? std::nullopt
                                                       : std::optional(std::to_string(size->second.width)));
                EXPECT_EQ(Attribute(tag, "height"), size == options.buttonSizes.end()
                                                        ? std::nullopt
                                                        : std::optional(std::to_string(size->second.height)));
                buttons.insert(*src);
                continue;
            }
            ASSERT_TRUE(expected.count(*src));
            const auto& [width, height, alt] = expected[*src];
            EXPECT_EQ(Attribute(tag, "width"), std::to_string(width));
            EXPECT_EQ(Attribute(tag, "height"), std::to_string(height));
            EXPECT_EQ(Attribute(tag, "alt"), alt);
            ++pictureImages[*src];
        }
    }
    // Each thumbnail on the overview; each full-size picture on its page and in the slideshow.
    for (const auto& [src, sizes] : expected)
        EXPECT_EQ(pictureImages[src], src.find("_thumb") != std::string::npos ? 1 : 2) << src;
    EXPECT_EQ(buttons, (std::set<std::string>{"slideshow.gif", "gallery.gif", "previous.gif", "home.gif",
                                              "next.gif"}));
}

// Screens of higher density get the 2x pictures where those are larger; the browser learns how wide
// each picture is shown: its own width, or the window less the margins.
TEST_F(ModernPagesTest, PicturesOfferTheir2xFormsWhereThoseAreLarger) {
    Write();
    // src → srcset, sizes (none for the square, whose 2x pictures are no larger)
    const std::map<std::string, std::pair<std::string, std::string>> expected = {
        {"zurich_lake_thumb.jpg",
         {"zurich_lake_thumb.jpg 160w, zurich_lake_thumb@2x.jpg 320w",
          "(max-width: 192px) calc(100vw - 2rem), 160px"}},
        {"zurich_lake.jpg",
         {"zurich_lake.jpg 800w, zurich_lake@2x.jpg 1600w", "(max-width: 832px) calc(100vw - 2rem), 800px"}},
        {"tower_thumb.jpg",
         {"tower_thumb.jpg 90w, tower_thumb@2x.jpg 180w", "(max-width: 122px) calc(100vw - 2rem), 90px"}},
        {"tower.jpg", {"tower.jpg 450w, tower@2x.jpg 900w", "(max-width: 482px) calc(100vw - 2rem), 450px"}}};
    std::size_t seen = 0;
    for (const std::string& name : HtmlPages()) {
        for (const std::string& tag : Tags(Page(name), "img")) {
            const std::string src = *Attribute(tag, "src");
            if (IsButtonImage(src)) continue;
            SCOPED_TRACE(name + ": " + tag);
            ++seen;
            const auto it = expected.find(src);
            if (it == expected.end()) {
                EXPECT_FALSE(Attribute(tag, "srcset"));
                EXPECT_FALSE(Attribute(tag, "sizes"));
                continue;
            }
            EXPECT_EQ(Attribute(tag, "srcset"), it->second.first);
            EXPECT_EQ(Attribute(tag, "sizes"), it->second.second);
        }
    }
    EXPECT_EQ(seen, 3u * pictures.size()) << "each thumbnail once, each full-size picture twice";
}

TEST_F(ModernPagesTest, ThumbnailsAndSlidesLoadLazilyButTheDetailPictureDoesNot) {
    Write();
    const auto pictureTags = [this](const std::string& name) {
        std::vector<std::string> tags;
        for (const std::string& tag : Tags(Page(name), "img"))
            if (!IsButtonImage(*Attribute(tag, "src"))) tags.push_back(tag);
        return tags;
    };
    for (const char* name : {"gallery.html", "slideshow.html"}) {
        const auto tags = pictureTags(name);
        EXPECT_EQ(tags.size(), pictures.size()) << name;
        // The slideshow's first slide is the largest paint there; it loads at once.
        const bool firstEager = std::string(name) == "slideshow.html";
        for (std::size_t i = 0; i < tags.size(); ++i) {
            const bool eager = firstEager && i == 0;
            EXPECT_EQ(Attribute(tags[i], "loading"),
                      eager ? std::nullopt : std::optional<std::string>("lazy"))
                << tags[i];
            EXPECT_EQ(Attribute(tags[i], "fetchpriority"),
                      eager ? std::optional<std::string>("high") : std::nullopt)
                << tags[i];
            if (!eager) {
                EXPECT_EQ(Attribute(tags[i], "decoding"), "async") << tags[i];
            }
        }
    }
    for (const PagePicture& picture : pictures) {
        const auto tags = pictureTags(DetailPageName(picture.webName));
        ASSERT_EQ(tags.size(), 1u);
        EXPECT_EQ(Attribute(tags[0], "src"), FullSizePictureName(picture.webName));
        EXPECT_FALSE(Attribute(tags[0], "loading")) << tags[0];
        EXPECT_EQ(Attribute(tags[0], "fetchpriority"), "high");
    }
}

TEST_F(ModernPagesTest, EachPageHasItsTitle) {
    Write();
    EXPECT_EQ(Content(Page("gallery.html"), "title"), kEncodedTitle);
    EXPECT_EQ(Content(Page("slideshow.html"), "title"), kEncodedTitle + " – Slideshow");
    EXPECT_EQ(Content(Page("zurich_lake.html"), "title"), kEncodedCaption + " – " + kEncodedTitle);
    EXPECT_EQ(Content(Page("old-town_square.html"), "title"), "old town square – " + kEncodedTitle);
    EXPECT_EQ(Content(Page("tower.html"), "title"), "Tower – " + kEncodedTitle);
}

TEST_F(ModernPagesTest, DetailPagesLinkInARingAndBackToTheOverview) {
    Write();
    const std::size_t count = pictures.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::string page = Page(DetailPageName(pictures[i].webName));
        SCOPED_TRACE(pictures[i].webName);
        std::map<std::string, std::string> links;
        for (const std::string& tag : Tags(page, "a"))
            if (auto id = Attribute(tag, "id")) links[*id] = Attribute(tag, "href").value_or("");
        EXPECT_EQ(links["previous-link"], DetailPageName(pictures[(i + count - 1) % count].webName));
        EXPECT_EQ(links["next-link"], DetailPageName(pictures[(i + 1) % count].webName));
        EXPECT_EQ(links["overview-link"], "gallery.html");
        // The main picture leads back to the overview as well.
        EXPECT_NE(
            page.find("<a href=\"gallery.html\"><img src=\"" + FullSizePictureName(pictures[i].webName)),
            std::string::npos);
        // The buttons in their order, each named for screen readers.
        const std::string nav = Content(page, "nav");
        EXPECT_LT(nav.find("previous.gif"), nav.find("home.gif"));
        EXPECT_LT(nav.find("home.gif"), nav.find("next.gif"));
        for (const char* label : {"Previous picture", "All pictures", "Next picture"})
            EXPECT_NE(nav.find(std::string("<span class=\"visually-hidden\">") + label + "</span>"),
                      std::string::npos)
                << label;
    }
}

TEST_F(ModernPagesTest, ScriptsOnlyUseElementsThePageHas) {
    Write();
    const std::regex used("getElementById\\(\"([a-z-]+)\"\\)");
    const auto check = [&used](const std::string& page, const std::string& script) {
        std::size_t uses = 0;
        for (auto it = std::sregex_iterator(script.begin(), script.end(), used); it != std::sregex_iterator();
             ++it, ++uses)
            EXPECT_EQ(Count(page, "id=\"" + (*it)[1].str() + "\""), 1u) << (*it)[1].str();
        EXPECT_GT(uses, 0u);
        for (const char* key : {"ArrowLeft", "ArrowRight", "Escape", "touchstart", "touchend"})
            EXPECT_NE(script.find(key), std::string::npos) << key;
    };
    for (const PagePicture& picture : pictures) {
        const std::string page = Page(DetailPageName(picture.webName));
        check(page, Content(page, "script"));
    }
    const std::string show = Page("slideshow.html");
    const std::string script = Page("modern.js");
    check(show, script);
    EXPECT_NE(script.find("prefers-reduced-motion: reduce"), std::string::npos);
    EXPECT_NE(script.find("\" \""), std::string::npos) << "space pauses";
    EXPECT_NE(show.find("<script src=\"modern.js\" defer></script>"), std::string::npos);
    // The class that switches to one slide at a time is set before anything is drawn.
    const std::size_t marker = show.find("document.documentElement.classList.add(\"js\")");
    ASSERT_NE(marker, std::string::npos);
    EXPECT_LT(marker, show.find("<link rel=\"stylesheet\""));
}

TEST_F(ModernPagesTest, TheSlideshowIsAPlainListWithNamedControls) {
    Write();
    const std::string show = Page("slideshow.html");
    const std::string list = Content(show, "ol");
    EXPECT_EQ(Tags(list, "li").size(), pictures.size());
    EXPECT_EQ(Tags(list, "figure").size(), pictures.size());
    // Captions show in the slideshow whatever the caption option; screen readers have them as the
    // pictures' names.
    EXPECT_EQ(Count(list, kCaptionTag), 2u);
    EXPECT_NE(list.find(kCaptionTag + kEncodedCaption + "</figcaption>"), std::string::npos);
    EXPECT_NE(list.find("alt=\"" + kEncodedCaption + "\""), std::string::npos);

    const std::regex button("<button type=\"button\"[^>]*>[\\s\\S]*?</button>");
    std::vector<std::string> names;
    for (auto it = std::sregex_iterator(show.begin(), show.end(), button); it != std::sregex_iterator(); ++it)
        names.push_back(Content(it->str(), "span class=\"visually-hidden\""));
    EXPECT_EQ(names, (std::vector<std::string>{"Previous picture", "Play", "Next picture"}));
    const auto status = Tags(show, "p id=\"slide-status\"");
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(Attribute(status[0], "aria-live"), "polite");
    EXPECT_EQ(Content(show, "p id=\"slide-status\""), "1 / 3");
    // The controls sit before the list and mean nothing without the script.
    EXPECT_LT(show.find("class=\"controls\""), show.find("<ol class=\"slides\">"));
}

TEST_F(ModernPagesTest, CaptionsAreEncodedEverywhere) {
    Write();
    for (const std::string& name : HtmlPages()) {
        SCOPED_TRACE(name);
        const std::string page = Page(name);
        EXPECT_EQ(page.find("<b>"), std::string::npos);
        EXPECT_EQ(page.find("&\"'"), std::string::npos);
        EXPECT_EQ(page.find("S&uuml;d"), std::string::npos) << "UTF-8 stays as it is";
        EXPECT_NE(page.find("Süd"), std::string::npos);
    }
    const std::string overview = Page("gallery.html");
    EXPECT_NE(overview.find(kCaptionTag + kEncodedCaption + "</figcaption>"), std::string::npos);
    EXPECT_EQ(Count(overview, "<figcaption"), 2u) << "none for the picture without caption";
    const std::string detail = Page("zurich_lake.html");
    EXPECT_NE(detail.find(kCaptionTag + kEncodedCaption + "</figcaption>"), std::string::npos);
    EXPECT_NE(detail.find("&amp;"), std::string::npos);
    EXPECT_NE(detail.find("&quot;"), std::string::npos);
    EXPECT_NE(detail.find("Zürich"), std::string::npos);
}

TEST_F(ModernPagesTest, HiddenCaptionsStayInTheAltTextOnly) {
    options.captionsVisible = false;
    Write();
    for (const char* name : {"gallery.html", "zurich_lake.html", "tower.html"}) {
        const std::string page = Page(name);
        EXPECT_EQ(Count(page, "<figcaption"), 0u) << name;
        EXPECT_NE(page.find("alt=\""), std::string::npos) << name;
    }
    EXPECT_NE(Page("gallery.html").find("alt=\"" + kEncodedCaption + "\""), std::string::npos);
}

TEST_F(ModernPagesTest, ControlCharactersInACaptionBecomeBlanks) {
    pictures[0].caption = "two\nlines\r\tand\x01more";
    Write();
    const std::string page = Page("zurich_lake.html");
    EXPECT_EQ(Content(page, "title"), "two lines  and more – " + kEncodedTitle);
    EXPECT_EQ(Count(page, "\n"), Count(page, "\r\n"));
}

TEST_F(ModernPagesTest, AnEmptyGalleryStillGivesValidPages) {
    pictures.clear();
    Write();
    EXPECT_EQ(ModernPageFiles(pictures),
              (std::vector<std::string>{"gallery.html", "slideshow.html", "layout.css", "modern.js"}));
    EXPECT_NE(Page("gallery.html").find("<ul class=\"grid\">\r\n</ul>"), std::string::npos);
    EXPECT_EQ(Content(Page("slideshow.html"), "p id=\"slide-status\""), "");
}

// The stylesheet ---------------------------------------------------------------------------------

int PixelValue(const std::string& css, const std::string& property, const std::string& within = "") {
    const std::string block = within.empty() ? css : css.substr(css.find(within));
    std::smatch match;
    if (!std::regex_search(block, match, std::regex(property + ":\\s*(\\d+)px"))) return -1;
    return std::stoi(match[1].str());
}

TEST_F(ModernPagesTest, TheStylesheetCarriesTheColoursAndTheAccessibleBasics) {
    Write();
    const std::string css = Page("layout.css");
    EXPECT_NE(css.find("color: " + HtmlColor(options.textColor) + ";"), std::string::npos);
    EXPECT_NE(css.find("background-color: " + HtmlColor(options.bkgColor) + ";"), std::string::npos);
    EXPECT_NE(css.find("img { max-width: 100%; height: auto;"), std::string::npos);
    EXPECT_NE(css.find("a:focus-visible, button:focus-visible"), std::string::npos);
    EXPECT_GE(PixelValue(css, "outline", "focus-visible"), 2);
    EXPECT_GE(PixelValue(css, "min-width", ".controls button {"), 24);
    EXPECT_GE(PixelValue(css, "min-height", ".controls button {"), 24);
    EXPECT_NE(css.find(".visually-hidden {"), std::string::npos);
    EXPECT_NE(css.find("clip: rect(0 0 0 0);"), std::string::npos);

    std::smatch reduced;
    ASSERT_TRUE(std::regex_search(
        css, reduced, std::regex("@media \\(prefers-reduced-motion: reduce\\) \\{([\\s\\S]*?)\\}\r\n\\}")));
    EXPECT_NE(reduced[1].str().find("animation: none !important;"), std::string::npos);
    EXPECT_NE(reduced[1].str().find("transition: none !important;"), std::string::npos);
    // The favicon follows the colours too.
    EXPECT_NE(Page("gallery.html").find("fill='%23" + HtmlColor(options.textColor).substr(1)),
              std::string::npos);
}

class ModernGridTest : public ModernPagesTest, public testing::WithParamInterface<int> {};

// The grid never asks for more than the viewport (min(100%, …)) and on a wide screen holds exactly
// the chosen number of columns: auto-fill fits floor((max-width + gap) / (cell + gap)) cells.
TEST_P(ModernGridTest, TheGridHoldsAtMostPicturesPerRowColumns) {
    options.picturesPerRow = GetParam();
    Write();
    const std::string css = Page("layout.css");
    const int cell = 160;  // the widest thumbnail
    EXPECT_NE(css.find("grid-template-columns: repeat(auto-fill, minmax(min(100%, " + std::to_string(cell) +
                       "px), 1fr));"),
              std::string::npos);
    const int maxWidth = PixelValue(css, "max-width", ".grid {");
    const int gap = PixelValue(css, "gap", ".grid {");
    ASSERT_GT(maxWidth, 0);
    ASSERT_GE(gap, 0);
    const int columns = std::max(1, GetParam());
    EXPECT_EQ((maxWidth + gap) / (cell + gap), columns);
}

INSTANTIATE_TEST_SUITE_P(PerRow, ModernGridTest, testing::Values(0, 1, 2, 4, 7));

// Languages ----------------------------------------------------------------------------------------

struct LanguageCase {
    Language language;
    const char* lang;
    const char* slideshow;
    const char* previous;
    const char* next;
    const char* allPictures;
};

class ModernLanguageTest : public ModernPagesTest, public testing::WithParamInterface<LanguageCase> {};

TEST_P(ModernLanguageTest, PagesSpeakTheLanguage) {
    const LanguageCase& c = GetParam();
    setup.language = c.language;
    Write();
    for (const std::string& name : HtmlPages())
        EXPECT_EQ(Page(name).rfind(std::string("<!DOCTYPE html>\r\n<html lang=\"") + c.lang + "\">\r\n", 0),
                  0u)
            << name;
    EXPECT_EQ(Content(Page("slideshow.html"), "title"), kEncodedTitle + " – " + c.slideshow);
    const std::string detail = Page("tower.html");
    for (const char* label : {c.previous, c.next, c.allPictures})
        EXPECT_NE(detail.find(std::string("<span class=\"visually-hidden\">") + label + "</span>"),
                  std::string::npos)
            << label;
    EXPECT_NE(Page("slideshow.html").find(std::string("<span>") + c.allPictures + "</span>"),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    FiveLanguages, ModernLanguageTest,
    testing::Values(LanguageCase{Language::German, "de", "Diashow", "Vorheriges Bild", "Nächstes Bild",
                                 "Alle Bilder"},
                    LanguageCase{Language::English, "en", "Slideshow", "Previous picture", "Next picture",
                                 "All pictures"},
                    LanguageCase{Language::French, "fr", "Diaporama", "Image précédente", "Image suivante",
                                 "Toutes les images"},
                    LanguageCase{Language::Italian, "it", "Presentazione", "Immagine precedente",
                                 "Immagine successiva", "Tutte le immagini"},
                    LanguageCase{Language::Spanish, "es", "Presentación", "Imagen anterior",
                                 "Imagen siguiente", "Todas las imágenes"}));

// The modern pages carry the same description and footer link as the classic page of their kind.
class ModernPicksTest : public testing::TestWithParam<Language> {};

TEST_P(ModernPicksTest, DescriptionAndFooterMatchTheClassicPages) {
    TempDir dir;
    PageSetup setup{"Trip \"North\"", GetParam(), dir / "templates/", dir / "classic/", nullptr};
    std::filesystem::create_directories(setup.templateFolder);
    std::filesystem::create_directories(setup.pageFolder);
    std::vector<PagePicture> pictures;
    for (const char* name : {"a", "b", "c", "d", "e"})
        pictures.push_back({name, std::string("Picture ") + name, {100, 75}, true, {400, 300}, {}, {}});
    WriteOverviewTemplates(setup);
    WriteDetailPages(setup, pictures, true);
    WriteSlideshowTemplates(setup);
    const std::map<std::string, std::string> classic = {
        {"gallery.html",
         ReadFile(setup.templateFolder + "gallery.ht1") + ReadFile(setup.templateFolder + "gallery.ht2")},
        {"slideshow.html",
         ReadFile(setup.templateFolder + "slideshow.ht1") + ReadFile(setup.templateFolder + "slideshow.ht2")},
        {"a.html", ReadFile(setup.pageFolder + "a.html")},
        {"c.html", ReadFile(setup.pageFolder + "c.html")},
        {"e.html", ReadFile(setup.pageFolder + "e.html")}};

    setup.pageFolder = dir / "modern/";
    std::filesystem::create_directories(setup.pageFolder);
    WriteModernPages(setup, pictures, ModernPageOptions{});
    for (const auto& [name, classicText] : classic) {
        SCOPED_TRACE(name);
        const std::string modern = ReadFile(setup.pageFolder + name);
        const auto description = Tags(classicText, "meta name=\"description\"");
        ASSERT_EQ(description.size(), 1u);
        EXPECT_EQ(Tags(modern, "meta name=\"description\""), description);
        std::smatch footer;
        ASSERT_TRUE(std::regex_search(classicText, footer, std::regex("(Erstellt mit|Created with) [^\r]*")));
        EXPECT_NE(modern.find(footer.str()), std::string::npos) << footer.str();
    }
}

INSTANTIATE_TEST_SUITE_P(FiveLanguages, ModernPicksTest, testing::ValuesIn(kLanguages));

}  // namespace
}  // namespace wexbo
