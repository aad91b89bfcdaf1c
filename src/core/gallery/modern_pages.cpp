#include "gallery/modern_pages.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "app/program_identity.h"
#include "gallery/gallery_names.h"
#include "gallery/make.h"
#include "gallery/page_lines.h"
#include "gallery/page_picks.h"
#include "gallery/qvb_colors.h"
#include "gallery/stylesheet.h"
#include "util/strings.h"
#include "util/text_encoding.h"

namespace wexbo {

namespace {

constexpr const char* kScriptName = "modern.js";
// Space between the overview's cells; the grid's widest size is computed with it.
constexpr int kGridGap = 16;
// The cell width when no picture tells one.
constexpr int kDefaultCellWidth = 160;

// The fixed texts of the pages in one language.
struct Words {
    const char* lang;
    const char* gallery;  // stands in for an empty album title
    const char* slideshow;
    const char* startSlideshow;
    const char* allPictures;
    const char* previous;
    const char* next;
    const char* play;
    const char* pause;
    const char* instruction;
    const char* pictureNavigation;  // the name of the detail pages' nav landmark
};

const Words& WordsFor(Language language) {
    static const Words kGerman{"de",
                               "Galerie",
                               "Diashow",
                               "Diashow starten",
                               "Alle Bilder",
                               "Vorheriges Bild",
                               "Nächstes Bild",
                               "Abspielen",
                               "Anhalten",
                               "Wählen Sie ein Bild, um es groß zu sehen.",
                               "Bilder"};
    static const Words kEnglish{"en",           "Gallery",
                                "Slideshow",    "Start slideshow",
                                "All pictures", "Previous picture",
                                "Next picture", "Play",
                                "Pause",        "Select a picture to view it larger.",
                                "Pictures"};
    static const Words kFrench{"fr",
                               "Galerie",
                               "Diaporama",
                               "Lancer le diaporama",
                               "Toutes les images",
                               "Image précédente",
                               "Image suivante",
                               "Lecture",
                               "Pause",
                               "Choisissez une image pour l'agrandir.",
                               "Images"};
    static const Words kItalian{"it",
                                "Galleria",
                                "Presentazione",
                                "Avvia la presentazione",
                                "Tutte le immagini",
                                "Immagine precedente",
                                "Immagine successiva",
                                "Riproduci",
                                "Pausa",
                                "Scegli un'immagine per ingrandirla.",
                                "Immagini"};
    static const Words kSpanish{"es",
                                "Galería",
                                "Presentación",
                                "Iniciar la presentación",
                                "Todas las imágenes",
                                "Imagen anterior",
                                "Imagen siguiente",
                                "Reproducir",
                                "Pausa",
                                "Elija una imagen para verla más grande.",
                                "Imágenes"};
    switch (language) {
        case Language::German:
            return kGerman;
        case Language::French:
            return kFrench;
        case Language::Italian:
            return kItalian;
        case Language::Spanish:
            return kSpanish;
        case Language::English:
            break;
    }
    return kEnglish;
}

// Text for element content and quoted attribute values alike: the five markup characters become
// references, controls (line breaks included, which would split a CR LF line) become blanks, and
// every other character stays as UTF-8. Bytes that are not UTF-8 are read as Windows-1252.
std::string Encode(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (const char32_t c : DecodeCharacters(text)) {
        switch (c) {
            case U'&':
                out += "&amp;";
                break;
            case U'<':
                out += "&lt;";
                break;
            case U'>':
                out += "&gt;";
                break;
            case U'"':
                out += "&quot;";
                break;
            case U'\'':
                out += "&#39;";
                break;
            default:
                if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
                    out += ' ';
                else
                    AppendUtf8(out, c);
        }
    }
    return out;
}

// A file name as an href or src value.
std::string Link(const std::string& fileName) { return Encode(LinkTarget(fileName)); }

// "Beach_day-2" reads as "Beach day 2": what a picture without caption is called.
std::string FileNameWords(const std::string& webName) {
    std::string words;
    for (const char c : webName) {
        const char shown = (c == '_' || c == '-') ? ' ' : c;
        if (shown == ' ' && (words.empty() || words.back() == ' ')) continue;
        words += shown;
    }
    while (!words.empty() && words.back() == ' ') words.pop_back();
    return words.empty() ? webName : words;
}

std::string PictureName(const PagePicture& picture) {
    return picture.caption.empty() ? FileNameWords(picture.webName) : picture.caption;
}

std::string AlbumTitle(const PageSetup& setup) {
    return setup.albumTitle.empty() ? WordsFor(setup.language).gallery : setup.albumTitle;
}

// The caption shown under a picture. The picture is named by it already, so screen readers skip it
// rather than hear it twice.
std::string Caption(const PagePicture& picture) {
    return "<figcaption aria-hidden=\"true\">" + Encode(picture.caption) + "</figcaption>";
}

std::string SizeAttributes(const PixelSize& size) {
    return " width=\"" + std::to_string(size.width) + "\" height=\"" + std::to_string(size.height) + "\"";
}

// A picture's src, its 2x form for screens of higher density where that is larger, and its size.
// It is shown at most at its own width, less the page's margins on narrower screens.
std::string PictureSource(const std::string& file, const PixelSize& size, const std::string& file2x,
                          const PixelSize& size2x) {
    std::string attributes = " src=\"" + Link(file) + "\"";
    if (size2x.width > size.width) {
        const std::string width = std::to_string(size.width);
        attributes += " srcset=\"" + Link(file) + " " + width + "w, " + Link(file2x) + " " +
                      std::to_string(size2x.width) +
                      "w\" sizes=\"(max-width: " + std::to_string(size.width + 32) +
                      "px) calc(100vw - 2rem), " + width + "px\"";
    }
    return attributes + SizeAttributes(size);
}

// A small framed picture in the user's colours, inline so that it needs no file of its own.
std::string FaviconLine(const ModernPageOptions& options) {
    const auto hex = [](long long color) { return "%23" + HtmlColor(color).substr(1); };
    return "<link rel=\"icon\" href=\"data:image/svg+xml,%3Csvg%20xmlns='http://www.w3.org/2000/svg'%20"
           "viewBox='0%200%2016%2016'%3E%3Crect%20width='16'%20height='16'%20rx='3'%20fill='" +
           hex(options.textColor) + "'/%3E%3Crect%20x='3'%20y='4'%20width='10'%20height='8'%20fill='" +
           hex(options.bkgColor) + "'/%3E%3C/svg%3E\">";
}

// Everything up to and including the page header. `early` goes right after the character set, so
// that a script there runs before anything is shown.
std::vector<std::string> HeadLines(const PageSetup& setup, const ModernPageOptions& options,
                                   const std::string& title, const std::string& description,
                                   const std::vector<std::string>& early = {}) {
    std::vector<std::string> lines = {kDoctypeLine,
                                      "<html lang=\"" + std::string(WordsFor(setup.language).lang) + "\">",
                                      "<head>", "<meta charset=\"utf-8\">"};
    lines.insert(lines.end(), early.begin(), early.end());
    lines.insert(lines.end(),
                 {"<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">",
                  "<title>" + Encode(title) + "</title>",
                  "<meta name=\"description\" content=\"" + Encode(description) + "\">", FaviconLine(options),
                  "<link rel=\"stylesheet\" href=\"" + std::string(kStylesheetName) + "\">", "</head>",
                  "<body>", "<header>", "<h1>" + Encode(AlbumTitle(setup)) + "</h1>", "</header>"});
    return lines;
}

void AddFooter(std::vector<std::string>& lines, const PageSetup& setup, const std::string& footerLink) {
    lines.insert(
        lines.end(),
        {"<footer>",
         "<p>" + FooterLine(setup.language, NthWord(1, footerLink, "|"), NthWord(2, footerLink, "|")) +
             "</p>",
         "</footer>"});
}

void AddEnd(std::vector<std::string>& lines) { lines.insert(lines.end(), {"</body>", "</html>"}); }

// A link drawn as a button image with its text beside it (shown, or for screen readers only).
// The image keeps its box while it loads where its size is known.
std::string ButtonLink(const ModernPageOptions& options, const std::string& href, const char* image,
                       const std::string& label, bool labelShown, const std::string& extra = "") {
    const auto size = options.buttonSizes.find(image);
    return "<a class=\"button\" href=\"" + href + "\"" + extra + "><img src=\"" + image + "\"" +
           (size == options.buttonSizes.end() ? std::string() : SizeAttributes(size->second)) +
           " alt=\"\"><span" + (labelShown ? "" : " class=\"visually-hidden\"") + ">" + Encode(label) +
           "</span></a>";
}

std::vector<std::string> OverviewLines(const PageSetup& setup, const std::vector<PagePicture>& pictures,
                                       const ModernPageOptions& options) {
    const Words& words = WordsFor(setup.language);
    PageRandom random = setup.PicksFor(kOverviewPageName);
    const std::string link = PickFooterLink(random);
    const bool german = setup.language == Language::German;
    const std::string description =
        setup.albumTitle + (german ? PickDescriptionSuffix(random) : " - Made with ") + kProgramTitle;
    std::vector<std::string> lines = HeadLines(setup, options, AlbumTitle(setup), description);
    lines.insert(lines.end(),
                 {"<nav aria-label=\"" + Encode(words.slideshow) + "\">",
                  ButtonLink(options, Link(kSlideshowPageName), "slideshow.gif", words.startSlideshow, true),
                  "</nav>", "<main>", "<p>" + Encode(words.instruction) + "</p>", "<ul class=\"grid\">"});
    for (const PagePicture& picture : pictures) {
        std::string item = "<li><figure><a href=\"" + Link(DetailPageName(picture.webName)) + "\"><img" +
                           PictureSource(OverviewPictureName(picture.webName), picture.overview,
                                         OverviewPicture2xName(picture.webName), picture.overview2x) +
                           " alt=\"" + Encode(PictureName(picture)) +
                           "\" loading=\"lazy\" decoding=\"async\"></a>";
        if (options.captionsVisible && !picture.caption.empty()) item += Caption(picture);
        lines.push_back(item + "</figure></li>");
    }
    lines.insert(lines.end(), {"</ul>", "</main>"});
    AddFooter(lines, setup, link);
    AddEnd(lines);
    return lines;
}

// Arrow keys and swipes follow the page's own links, so the script knows no file names.
constexpr const char* kDetailScript[] = {
    "<script>",
    "(function () {",
    "  var previous = document.getElementById(\"previous-link\");",
    "  var next = document.getElementById(\"next-link\");",
    "  var overview = document.getElementById(\"overview-link\");",
    "  function go(link) {",
    "    if (link) location.href = link.href;",
    "  }",
    "  document.addEventListener(\"keydown\", function (e) {",
    "    if (e.altKey || e.ctrlKey || e.metaKey || e.shiftKey) return;",
    "    var link = e.key === \"ArrowLeft\" ? previous : e.key === \"ArrowRight\" ? next :",
    "               e.key === \"Escape\" ? overview : null;",
    "    if (link) { e.preventDefault(); go(link); }",
    "  });",
    "  var startX = null, startY = 0;",
    "  document.addEventListener(\"touchstart\", function (e) {",
    "    startX = e.touches.length === 1 ? e.touches[0].clientX : null;",
    "    if (startX !== null) startY = e.touches[0].clientY;",
    "  }, {passive: true});",
    "  document.addEventListener(\"touchend\", function (e) {",
    "    if (startX === null) return;",
    "    var t = e.changedTouches[0], dx = t.clientX - startX, dy = t.clientY - startY;",
    "    startX = null;",
    "    if (Math.abs(dx) > 50 && Math.abs(dx) > 2 * Math.abs(dy)) go(dx < 0 ? next : previous);",
    "  }, {passive: true});",
    "})();",
    "</script>"};

std::vector<std::string> DetailLines(const PageSetup& setup, const std::vector<PagePicture>& pictures,
                                     std::size_t index, const ModernPageOptions& options) {
    const Words& words = WordsFor(setup.language);
    const std::size_t count = pictures.size();
    const PagePicture& picture = pictures[index];
    PageRandom random = setup.PicksFor(DetailPageName(picture.webName));
    const std::string link = PickFooterLink(random);
    const std::string classicTitle = Trim(setup.albumTitle + " " + picture.caption);
    const std::string description = setup.language == Language::German
                                        ? setup.albumTitle + PickDescriptionSuffix(random) + kProgramTitle
                                        : classicTitle + " - Page created with " + kProgramTitle;
    const std::string title =
        PictureName(picture) + (setup.albumTitle.empty() ? "" : " \u2013 " + setup.albumTitle);

    const std::string previous = DetailPageName(pictures[index == 0 ? count - 1 : index - 1].webName);
    const std::string next = DetailPageName(pictures[index + 1 == count ? 0 : index + 1].webName);
    std::vector<std::string> lines = HeadLines(setup, options, title, description);
    lines.insert(lines.end(),
                 {"<nav aria-label=\"" + Encode(words.pictureNavigation) + "\">", "<ul class=\"pager\">",
                  "<li>" +
                      ButtonLink(options, Link(previous), "previous.gif", words.previous, false,
                                 " id=\"previous-link\" rel=\"prev\"") +
                      "</li>",
                  "<li>" +
                      ButtonLink(options, Link(kOverviewPageName), "home.gif", words.allPictures, false,
                                 " id=\"overview-link\"") +
                      "</li>",
                  "<li>" +
                      ButtonLink(options, Link(next), "next.gif", words.next, false,
                                 " id=\"next-link\" rel=\"next\"") +
                      "</li>",
                  "</ul>", "</nav>", "<main>", "<figure class=\"picture\">"});
    lines.push_back("<a href=\"" + Link(kOverviewPageName) + "\"><img" +
                    PictureSource(FullSizePictureName(picture.webName), picture.fullSize,
                                  FullSizePicture2xName(picture.webName), picture.fullSize2x) +
                    " alt=\"" + Encode(PictureName(picture)) + "\" fetchpriority=\"high\"></a>");
    if (options.captionsVisible && !picture.caption.empty()) lines.push_back(Caption(picture));
    lines.insert(lines.end(), {"</figure>", "</main>"});
    AddFooter(lines, setup, link);
    lines.insert(lines.end(), std::begin(kDetailScript), std::end(kDetailScript));
    AddEnd(lines);
    return lines;
}

// A slide's controls: a symbol for the eye and a name for screen readers.
std::string ControlButton(const char* id, const char* symbol, const std::string& label,
                          const std::string& extra = "") {
    return "<button type=\"button\" id=\"" + std::string(id) + "\"" + extra + "><span aria-hidden=\"true\">" +
           symbol + "</span><span class=\"visually-hidden\">" + Encode(label) + "</span></button>";
}

std::vector<std::string> SlideshowLines(const PageSetup& setup, const std::vector<PagePicture>& pictures,
                                        const ModernPageOptions& options) {
    const Words& words = WordsFor(setup.language);
    PageRandom random = setup.PicksFor(kSlideshowPageName);
    const std::string link = PickFooterLink(random);
    const std::string description = setup.language == Language::German
                                        ? setup.albumTitle + PickDescriptionSuffix(random) + kProgramTitle
                                        : std::string("Created with ") + kProgramTitle;
    const std::string title = AlbumTitle(setup) + " \u2013 " + words.slideshow;
    // The class comes first thing, so that the page never shows the plain list before the slides.
    std::vector<std::string> lines =
        HeadLines(setup, options, title, description,
                  {"<script>document.documentElement.classList.add(\"js\");</script>",
                   "<script src=\"" + std::string(kScriptName) + "\" defer></script>"});
    const std::string total = std::to_string(pictures.size());
    lines.insert(lines.end(),
                 {"<nav aria-label=\"" + Encode(words.gallery) + "\">",
                  ButtonLink(options, Link(kOverviewPageName), "gallery.gif", words.allPictures, true,
                             " id=\"overview-link\""),
                  "</nav>", "<main>", "<h2 class=\"visually-hidden\">" + Encode(words.slideshow) + "</h2>",
                  "<div class=\"controls\">", ControlButton("slide-previous", "&#8249;", words.previous),
                  ControlButton(
                      "slide-play", "&#9654;", words.play,
                      " data-play=\"" + Encode(words.play) + "\" data-pause=\"" + Encode(words.pause) + "\""),
                  ControlButton("slide-next", "&#8250;", words.next),
                  "<p id=\"slide-status\" aria-live=\"polite\">" +
                      (pictures.empty() ? std::string() : "1 / " + total) + "</p>",
                  "</div>", "<ol class=\"slides\">"});
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const PagePicture& picture = pictures[i];
        std::string item =
            std::string(i == 0 ? "<li class=\"current\">" : "<li>") + "<figure><img" +
            PictureSource(FullSizePictureName(picture.webName), picture.fullSize,
                          FullSizePicture2xName(picture.webName), picture.fullSize2x) +
            " alt=\"" + Encode(PictureName(picture)) +
            (i == 0 ? "\" fetchpriority=\"high\">" : "\" loading=\"lazy\" decoding=\"async\">");
        if (!picture.caption.empty()) item += Caption(picture);
        lines.push_back(item + "</figure></li>");
    }
    lines.insert(lines.end(), {"</ol>", "</main>"});
    AddFooter(lines, setup, link);
    AddEnd(lines);
    return lines;
}

// Once it runs, the slideshow shows one slide at a time; without it the page stays a plain list.
constexpr const char* kSlideshowScript[] = {
    "(function () {",
    "  \"use strict\";",
    "  var list = document.querySelector(\".slides\");",
    "  var status = document.getElementById(\"slide-status\");",
    "  var playButton = document.getElementById(\"slide-play\");",
    "  if (!list || !status || !playButton || list.children.length === 0) return;",
    "  var slides = list.children, total = slides.length, index = 0, timer = null, delay = 4000;",
    "  var reduced = window.matchMedia && window.matchMedia(\"(prefers-reduced-motion: reduce)\").matches;",
    "  for (var i = 0; i < total; i++) if (slides[i].classList.contains(\"current\")) index = i;",
    "",
    "  function show(n) {",
    "    slides[index].classList.remove(\"current\");",
    "    index = ((n % total) + total) % total;",
    "    slides[index].classList.add(\"current\");",
    "    status.textContent = (index + 1) + \" / \" + total;",
    "    // Both neighbours load while this one is shown; the others wait until they come near.",
    "    [index + 1, index + total - 1].forEach(function (k) {",
    "      var near = slides[k % total].querySelector(\"img\");",
    "      if (near) near.loading = \"eager\";",
    "    });",
    "  }",
    "  function setPlaying(on) {",
    "    if (timer) clearInterval(timer);",
    "    timer = on ? setInterval(function () { show(index + 1); }, delay) : null;",
    "    playButton.querySelector(\".visually-hidden\").textContent =",
    "        playButton.getAttribute(on ? \"data-pause\" : \"data-play\");",
    "    playButton.querySelector(\"[aria-hidden]\").textContent = on ? \"\\u275A\\u275A\" : \"\\u25B6\";",
    "    // Announcing every slide of a running show would drown everything else.",
    "    status.setAttribute(\"aria-live\", on ? \"off\" : \"polite\");",
    "  }",
    "  function step(by) {",
    "    show(index + by);",
    "    if (timer) setPlaying(true);",
    "  }",
    "",
    "  document.getElementById(\"slide-previous\").addEventListener(\"click\", function () { step(-1); });",
    "  document.getElementById(\"slide-next\").addEventListener(\"click\", function () { step(1); });",
    "  playButton.addEventListener(\"click\", function () { setPlaying(!timer); });",
    "  document.addEventListener(\"keydown\", function (e) {",
    "    if (e.altKey || e.ctrlKey || e.metaKey || e.shiftKey) return;",
    "    if (e.key === \"ArrowLeft\") step(-1);",
    "    else if (e.key === \"ArrowRight\") step(1);",
    "    else if (e.key === \"Escape\") location.href = document.getElementById(\"overview-link\").href;",
    "    else if (e.key === \" \" && !(e.target.closest && e.target.closest(\"a, button\"))) "
    "setPlaying(!timer);",
    "    else return;",
    "    e.preventDefault();",
    "  });",
    "  var startX = null, startY = 0;",
    "  list.addEventListener(\"touchstart\", function (e) {",
    "    startX = e.touches.length === 1 ? e.touches[0].clientX : null;",
    "    if (startX !== null) startY = e.touches[0].clientY;",
    "  }, {passive: true});",
    "  list.addEventListener(\"touchend\", function (e) {",
    "    if (startX === null) return;",
    "    var t = e.changedTouches[0], dx = t.clientX - startX, dy = t.clientY - startY;",
    "    startX = null;",
    "    if (Math.abs(dx) > 50 && Math.abs(dx) > 2 * Math.abs(dy)) step(dx < 0 ? 1 : -1);",
    "  }, {passive: true});",
    "",
    "  show(index);",
    "  setPlaying(!reduced);",
    "})();"};

std::vector<std::string> ModernStylesheetLines(const std::vector<PagePicture>& pictures,
                                               const ModernPageOptions& options) {
    int cellWidth = 0;
    for (const PagePicture& picture : pictures) cellWidth = std::max(cellWidth, picture.overview.width);
    if (cellWidth <= 0) cellWidth = kDefaultCellWidth;
    const int columns = std::max(1, options.picturesPerRow);
    // auto-fill fits exactly `columns` cells of cellWidth into this width, never more.
    const int gridWidth = columns * cellWidth + (columns - 1) * kGridGap;
    const std::string px = "px";
    return {
        "*, *::before, *::after { box-sizing: border-box; }",
        // A sideways swipe moves between pictures; it must not also take the browser back a page.
        "html, body { overscroll-behavior-x: none; }", "body {", "  margin: 0;", "  padding: 0 1rem 1rem;",
        "  font-family: system-ui, -apple-system, \"Segoe UI\", Roboto, Arial, sans-serif;",
        "  line-height: 1.5;", "  color: " + HtmlColor(options.textColor) + ";",
        "  background-color: " + HtmlColor(options.bkgColor) + ";", "}", "a { color: inherit; }",
        "h1 { font-size: 1.75rem; margin: 1rem 0; text-align: center; overflow-wrap: anywhere; }",
        "header, nav, footer { text-align: center; }", "main { margin: 0 auto; }",
        "main > p { text-align: center; }", "img { max-width: 100%; height: auto; border: 0; }",
        "figure { margin: 0; text-align: center; }",
        "figcaption { margin-top: 0.25rem; overflow-wrap: anywhere; }",
        "footer { margin-top: 2rem; font-size: 0.875rem; }", "a:focus-visible, button:focus-visible {",
        "  outline: 3px solid currentColor;", "  outline-offset: 2px;", "}", ".visually-hidden {",
        "  position: absolute !important;", "  width: 1px;", "  height: 1px;", "  margin: -1px;",
        "  padding: 0;", "  overflow: hidden;", "  clip: rect(0 0 0 0);", "  white-space: nowrap;",
        "  border: 0;", "}", ".grid {", "  display: grid;",
        "  grid-template-columns: repeat(auto-fill, minmax(min(100%, " + std::to_string(cellWidth) + px +
            "), 1fr));",
        "  gap: " + std::to_string(kGridGap) + px + ";",
        "  max-width: " + std::to_string(gridWidth) + px + ";", "  margin: 0 auto;", "  padding: 0;",
        "  list-style: none;", "}", ".button, .controls button {", "  display: inline-flex;",
        "  align-items: center;", "  justify-content: center;", "  gap: 0.5rem;", "  min-width: 44px;",
        "  min-height: 44px;", "}",
        // The button sets are small palette images drawn pixel by pixel for one size: on denser
        // screens they stay sharp-edged rather than blurred.
        ".button img { image-rendering: pixelated; }",
        ".pager { display: flex; justify-content: center; gap: 1rem; margin: 0 0 1rem; padding: 0; "
        "list-style: none; }",
        ".picture img { max-height: 85vh; object-fit: contain; }", ".controls { display: none; }",
        ".js .controls { display: flex; flex-wrap: wrap; justify-content: center; align-items: center; gap: "
        "1rem; }",
        ".controls button {", "  font: inherit;", "  font-size: 1.5rem;", "  color: inherit;",
        "  background: transparent;", "  border: 2px solid currentColor;", "  border-radius: 0.5rem;",
        "  cursor: pointer;", "}", "#slide-status { margin: 0; min-width: 4em; }",
        ".slides { display: grid; gap: 2rem; margin: 1rem 0; padding: 0; list-style: none; }",
        ".slides img { max-height: 80vh; object-fit: contain; }",
        ".js .slides > li:not(.current) { display: none; }",
        ".js .slides > li.current { animation: fade-in 0.4s ease-out; }",
        "@keyframes fade-in { from { opacity: 0.4; } to { opacity: 1; } }",
        "@media (prefers-reduced-motion: reduce) {", "  *, *::before, *::after {",
        "    animation: none !important;", "    transition: none !important;",
        "    scroll-behavior: auto !important;", "  }", "}"};
}

}  // namespace

std::vector<std::string> ModernPageFiles(const std::vector<PagePicture>& pictures) {
    std::vector<std::string> files = {kOverviewPageName};
    for (const PagePicture& picture : pictures) files.push_back(DetailPageName(picture.webName));
    files.insert(files.end(), {kSlideshowPageName, kStylesheetName, kScriptName});
    return files;
}

void WriteModernPages(const PageSetup& setup, const std::vector<PagePicture>& pictures,
                      const ModernPageOptions& options) {
    const std::string& folder = setup.pageFolder;
    WriteTextLines(folder + kOverviewPageName, OverviewLines(setup, pictures, options));
    for (std::size_t i = 0; i < pictures.size(); ++i)
        WriteTextLines(folder + DetailPageName(pictures[i].webName),
                       DetailLines(setup, pictures, i, options));
    WriteTextLines(folder + kSlideshowPageName, SlideshowLines(setup, pictures, options));
    WriteTextLines(folder + kStylesheetName, ModernStylesheetLines(pictures, options));
    WriteTextLines(folder + kScriptName, {std::begin(kSlideshowScript), std::end(kSlideshowScript)});
}

}  // namespace wexbo
