// The pages of an online gallery: the overview page with its table of pictures, one detail page
// per picture, and the slideshow page. Each page is a template pair written for it and a body,
// put together by TMake.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/language.h"
#include "gallery/page_picks.h"
#include "gallery/web_pictures.h"

namespace wexbo {

struct PageSetup {
    std::string albumTitle;
    Language language = Language::English;  // decides the pages' fixed texts and footer line
    std::string templateFolder;             // where the template pairs are written, ending in "/"
    std::string pageFolder;                 // where the pages are written (the work folder), ending in "/"
    RandomSource* random = nullptr;         // the picks; each page's own PageRandom when null

    PageRandom PicksFor(const std::string& pageName) const {
        return PageRandom(albumTitle, pageName, random);
    }
};

// One picture as the pages show it.
struct PagePicture {
    std::string webName;
    std::string caption;    // as the album holds it, trimmed; encoded where a page shows it
    PixelSize overview;     // the overview picture's own size
    bool landscape = true;  // the source is at least as wide as high
    PixelSize fullSize;     // the full-size picture's own size
    // The 2x pictures' sizes (modern pages only; 0 × 0 where there are none).
    PixelSize overview2x;
    PixelSize fullSize2x;
};

// Writes a tail template: the lines before the footer, the footer line with the picked footer link
// (anchor text "|" URL; none for a language outside the five), then "</center>", "</body>", "</html>".
void WriteTailTemplate(const PageSetup& setup, const std::string& name, std::vector<std::string> lines,
                       const std::string& footerLink);
// The lines WriteTailTemplate writes.
std::vector<std::string> TailTemplateLines(const PageSetup& setup, std::vector<std::string> lines,
                                           const std::string& footerLink);

// "gallery.ht1" and "gallery.ht2" in the template folder.
void WriteOverviewTemplates(const PageSetup& setup);

// "gallery.html": (N div P) + 1 rows of P cells, a picture's cell linking to its detail page, the
// rest placeholders. Throws PageFileError when a template or page cannot be read or written.
void WriteOverviewPage(const PageSetup& setup, const std::vector<PagePicture>& pictures, int picturesPerRow,
                       bool captionsVisible);

// The template pair "einzel" for picture `index` and its page web name + ".html", linking in a ring
// to the previous and next pictures. The pair is written to the template folder for the last
// picture only: every other page is made from the same lines held in memory.
void WriteDetailPage(const PageSetup& setup, const std::vector<PagePicture>& pictures, std::size_t index,
                     bool captionsVisible);

// Every picture's detail page, in album order, between the overview's templates and its page (the
// order of the random picks). They need no picture sizes, so a run writes them while the pictures
// are still being converted.
void WriteDetailPages(const PageSetup& setup, const std::vector<PagePicture>& pictures, bool captionsVisible);

// "slideshow.ht1" and "slideshow.ht2" in the template folder.
void WriteSlideshowTemplates(const PageSetup& setup);

// "slideshow.html": one slide per picture, numbered, with its caption whatever the caption option,
// landscape pictures at the full width of the box and portrait ones at half; one dot per slide.
void WriteSlideshowPage(const PageSetup& setup, const std::vector<PagePicture>& pictures);

}  // namespace wexbo
