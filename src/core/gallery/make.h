// The page assembler: a page is the head template, the body lines the generator makes, and the tail
// template, written as one UTF-8 file with CR LF after every line.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace wexbo {

// A template or page file that could not be read or written; the message names the file.
class PageFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The lines of a text file; a line ends at CR LF, LF or CR, and a last line without an end still
// counts. A file that is not valid UTF-8 is read as Windows-1252. Throws PageFileError when the
// file cannot be read.
std::vector<std::string> ReadTextLines(const std::string& path);

// Writes the lines, each followed by CR LF, over the file. Pages and templates are only written in
// the run's own work and template folders, which the run fills before anything reaches the output
// folder. Throws PageFileError when the file cannot be written.
void WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

// One object per page: create it on a template pair (templateBase + ".ht1" for the head,
// templateBase + ".ht2" for the tail) and the page file, append the body lines in page order, then
// WritePage. Both templates are read at creation, so they may be rewritten for the next page as
// soon as this object exists.
class TMake {
public:
    // Throws PageFileError when a template cannot be read.
    TMake(std::string templateBase, std::string pageFile);
    // A page whose templates the caller already holds, so a run of many pages on one template pair
    // reads no files for them.
    TMake(std::vector<std::string> headLines, std::vector<std::string> tailLines, std::string pageFile);

    // Callers append the page's body lines here directly; an empty string gives an empty line.
    std::vector<std::string>& BodyLines() { return bodyLines_; }
    const std::vector<std::string>& BodyLines() const { return bodyLines_; }
    void AddBodyLine(std::string line) { bodyLines_.push_back(std::move(line)); }

    // Writes head, body and tail lines to the page file, creating or replacing it. True once it is
    // written; throws PageFileError when it cannot be, leaving an older page file as it was.
    bool WritePage() const;

    const std::string& TemplateBase() const { return templateBase_; }
    const std::string& PageFile() const { return pageFile_; }
    const std::vector<std::string>& HeadLines() const { return headLines_; }
    const std::vector<std::string>& TailLines() const { return tailLines_; }

private:
    std::string templateBase_;
    std::string pageFile_;
    std::vector<std::string> headLines_;
    std::vector<std::string> tailLines_;
    std::vector<std::string> bodyLines_;
};

}  // namespace wexbo
