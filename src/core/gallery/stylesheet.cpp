#include "gallery/stylesheet.h"

#include <initializer_list>
#include <utility>

#include "gallery/make.h"
#include "gallery/qvb_colors.h"

namespace wexbo {

std::vector<std::string> StylesheetLines(long long textColor, long long backgroundColor) {
    const std::string color = " color:" + HtmlColor(textColor) + ";";
    const std::string background = " background-color :" + HtmlColor(backgroundColor) + ";";

    std::vector<std::string> lines = {"body {",
                                      " font-family: verdana, arial, helvetica;",
                                      " font-size: 10pt;",
                                      " font-weight: normal;",
                                      " margin-top:20px;",
                                      " margin-left:0px;",
                                      color,
                                      background,
                                      "}"};
    const auto add = [&lines](std::initializer_list<std::string> block) {
        lines.insert(lines.end(), block.begin(), block.end());
    };
    for (const char* state : {"a:link {", "a:visited {", "a:active {", "a:hover {"})
        add({state, color, " text-decoration: none", "}"});
    add({"td {", " font-family: verdana, arial, helvetica;", " font-size: 10pt;", color, "}"});
    add({".footer {", " font-family: verdana, arial,  helvetica;", " font-size: 10pt;", color, "}"});
    add({".header {", " font-size: 14pt;", color, "}"});
    add({".partner {", " font-family: arial, verdana, helvetica;", " font-size: 6pt;", color, "}"});
    for (const char* state :
         {"a.partner:link {", "a.partner:visited {", "a.partner:active {", "a.partner:hover {"})
        add({state, color, " text-decoration: none", "}"});

    // Small screens: pictures fill their cell (overview) or 85 % of the width (detail page).
    const std::initializer_list<std::pair<const char*, const char*>> smallScreens = {
        {"/* 240 + 320px */", "@media screen and (min-width:180px) and (max-width:360px) {"},
        {"/* 480px */", "@media screen and (min-width:361px) and (max-width:615px) {"},
        {"/* 768px */", "@media screen and (min-width:616px) and (max-width:800px) {"}};
    for (const auto& [comment, media] : smallScreens)
        add({comment, media, ".sca { width: 100%; height: auto;}", ".fullsca { width: 85%; height: auto; }",
             "td { font-size: 8pt; }", "body { margin-top:4px; }", "}"});
    add({"/* 985px */", "@media screen and (min-width:985px) {", "}"});
    add({"@media screen and (min-width:801px) and (max-width:10000px) {", "}"});

    // The slideshow: its captions, numbers and dots keep their own colours whatever the settings.
    add({"* {box-sizing: border-box;}", "body {font-family: Verdana, sans-serif;}",
         ".mySlides {display: none;}", "slideimg {vertical-align: middle;}"});
    add({".slideshow-container {", "  max-width: 1000px;", "  position: relative;", "  margin: auto;", "}"});
    add({".captext {", "  color: #f2f2f2;", "  font-size: 15px;", "  padding: 8px 12px;",
         "  position: absolute;", "  bottom: 8px;", "  width: 100%;", "  text-align: center;", "}"});
    add({".numbertext {", "  color: #f2f2f2;", "  font-size: 12px;", "  padding: 8px 12px;",
         "  position: absolute;", "  top: 0;", "}"});
    add({".dot {", "  height: 8px;", "  width: 8px;", "  margin: 0 0px;", "  background-color: #bbb;",
         "  border-radius: 50%;", "  display: inline-block;", "  transition: background-color 0.6s ease;",
         "}"});
    add({".active {", "  background-color: #717171;", "}"});
    add({".fade {", "  animation-name: fade;", "  animation-duration: 1.5s;", "}"});
    add({"@keyframes fade {", "  from {opacity: .4}", "  to {opacity: 1}", "}"});
    add({"@media only screen and (max-width: 300px) {", "  .captext {font-size: 11px}", "}"});
    return lines;
}

void WriteStylesheet(const std::string& folder, long long textColor, long long backgroundColor) {
    WriteTextLines(folder + kStylesheetName, StylesheetLines(textColor, backgroundColor));
}

}  // namespace wexbo
