#include "gallery/generation_run.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>

#include "app/language_table.h"
#include "gallery/button_sets.h"
#include "gallery/gallery_names.h"
#include "gallery/gallery_pages.h"
#include "gallery/gallery_publish.h"
#include "gallery/make.h"
#include "gallery/modern_pages.h"
#include "gallery/stylesheet.h"
#include "gallery/web_pictures.h"
#include "util/files.h"
#include "util/parallel.h"
#include "util/rounding.h"
#include "util/strings.h"

namespace fs = std::filesystem;

namespace wexbo {

namespace {

// The progress label's design text, for when the language file lacks text 3511.
constexpr const char* kConvertingText = "Konvertiere Bilder für das Internet:";

class RunFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class RunCancelled {};

std::string PrepareFolder(const std::string& folder, const char* role) {
    if (folder.empty()) throw RunFailure(std::string("No ") + role + " was given.");
    const std::string path = AddTrailingBackslash(folder);
    EnsureFolder(path);
    if (!FolderExists(path)) throw RunFailure(std::string("Cannot create the ") + role + " " + path + ".");
    return path;
}

bool SameFolder(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

void CopySlideshowScript(const std::string& programFolder, const std::string& workFolder) {
    for (const char* name : kSlideshowScriptFiles) {
        const std::string source = programFolder + "slidescript/" + name;
        if (!FileExists(source)) throw RunFailure("The slideshow file " + source + " is missing.");
        std::error_code ec;
        fs::copy_file(source, workFolder + name, fs::copy_options::overwrite_existing, ec);
        if (ec)
            throw RunFailure("Cannot copy the slideshow file " + source + " to " + workFolder + ": " +
                             ec.message());
    }
}

class Run {
public:
    explicit Run(const GenerationRequest& request) : request_(request), settings_(request.settings) {}

    GenerationResult Execute() {
        GenerationResult result;
        if (settings_.picturesPerRow > kMaxPicturesPerRow) {
            result.refused = true;
            result.error = kTooManyPicturesPerRowMessage;
            return result;
        }
        try {
            Build();
            result.files = files_;
            result.galleryPage = output_ + kOverviewPageName;
            result.ok = true;
        } catch (const RunCancelled&) {
            result.cancelled = true;
            result.error = "The gallery was not made: the run was cancelled.";
        } catch (const std::exception& error) {
            result.error = error.what();
        }
        return result;
    }

private:
    void CheckCancel() const {
        if (request_.cancel && request_.cancel->load()) throw RunCancelled();
    }

    void Build() {
        if (request_.pictures.empty())
            throw RunFailure("The album holds no pictures, so there is no gallery to make.");
        const GenerationFolders& folders = request_.folders;
        program_ = AddTrailingBackslash(folders.programFolder);
        output_ = AddTrailingBackslash(folders.outputFolder);
        if (output_.empty()) throw RunFailure("No output folder was given.");
        work_ = PrepareFolder(folders.workFolder, "work folder");
        if (SameFolder(work_, output_))
            throw RunFailure("The output folder " + output_ +
                             " is the work folder; choose another output folder.");
        templates_ = PrepareFolder(folders.templateFolder, "template folder");
        DeleteFiles(work_ + "*.*");

        if (!request_.settingsFile.empty()) {
            std::string error;
            GallerySettings saved = settings_;
            saved.outputPath = output_;
            if (!SaveGallerySettings(request_.settingsFile, saved, &error)) throw RunFailure(error);
        }
        CheckCancel();

        const PageSetup setup = Setup();
        const std::vector<PagePicture> pictures = ConvertPictures(setup);
        CheckCancel();
        // The buttons come first: the modern pages give each its size.
        if (std::string error =
                CopyButtonSet(program_, AddTrailingBackslash(folders.dataFolder), settings_.buttons, work_);
            !error.empty())
            throw RunFailure(error);
        WritePages(setup, pictures);
        CheckCancel();
        for (const char* name : kButtonImageNames) files_.push_back(name);
        CheckCancel();

        PublishRequest publish;
        publish.workFolder = work_;
        publish.fileNames = files_;
        publish.outputFolder = output_;
        publish.recordFolder = AddTrailingBackslash(folders.dataFolder) + "galleries/";
        for (const GalleryPicture& picture : request_.pictures)
            publish.sourcePictures.push_back(picture.path);
        publish.moveFiles = !request_.keepWorkCopy;
        publish.knownDigests = digests_;
        publish.deferredFiles = deferred_;
        PublishGallery(publish);
        if (!request_.folders.cacheFolder.empty())
            WebPictureCache(AddTrailingBackslash(request_.folders.cacheFolder) + "web-pictures/",
                            request_.cacheLimit)
                .Trim(cacheKeys_);
    }

    PageSetup Setup() const {
        PageSetup setup;
        setup.albumTitle = request_.albumTitle;
        setup.language = request_.texts.GetLanguage();
        setup.templateFolder = templates_;
        setup.pageFolder = work_;
        setup.random = request_.random;
        return setup;
    }

    // Converts the pictures on worker threads while this thread writes the overview's templates and
    // the detail pages, which need no picture sizes.
    std::vector<PagePicture> ConvertPictures(const PageSetup& setup) {
        const std::vector<std::string> webNames = AssignWebNames(request_.pictures);
        std::vector<PagePicture> pictures;
        std::vector<WebPictureJob> jobs;
        const bool modern = settings_.pageStyle == PageStyle::Modern;
        for (std::size_t i = 0; i < webNames.size(); ++i) {
            pictures.push_back({webNames[i], Trim(request_.pictures[i].caption), {}, true, {}, {}, {}});
            jobs.push_back({request_.pictures[i].path,
                            work_ + OverviewPictureName(webNames[i]),
                            work_ + FullSizePictureName(webNames[i]),
                            {},
                            {}});
            if (modern) {
                jobs.back().overview2xFile = work_ + OverviewPicture2xName(webNames[i]);
                jobs.back().fullSize2xFile = work_ + FullSizePicture2xName(webNames[i]);
            }
        }
        WebPictureOptions options;
        options.overviewSetting = settings_.smallPicX;
        options.fullSizeSetting = settings_.largePicX;
        options.frame = settings_.shapeVisible;
        options.backgroundColor = settings_.bkgColor;
        if (modern) {
            options.jpeg = kModernPictureJpeg;
            options.overviewJpeg = kModernOverviewJpeg;
            options.doubleDensity = true;
        }

        std::string label = request_.texts(3511);
        if (label.empty()) label = kConvertingText;
        auto progress = [&](int done, int total) {
            if (!request_.progress) return;
            GenerationProgress step;
            step.done = done;
            step.total = total;
            step.percent = static_cast<int>(RoundHalfEven(done * 100.0 / total));
            step.text = label + " " + std::to_string(done) + "/" + std::to_string(total);
            request_.progress(step);
        };
        std::vector<ConvertedPicture> converted;
        std::exception_ptr conversionError, pagesError;
        std::thread conversion([&] {
            try {
                converted = ConvertOrTake(jobs, options, progress);
            } catch (...) {
                conversionError = std::current_exception();
            }
        });
        try {
            // Classic detail pages need no picture sizes, so they are written while the pictures
            // convert; modern pages give every picture its size and come after.
            if (settings_.pageStyle == PageStyle::Classic) {
                WriteOverviewTemplates(setup);
                WriteDetailPages(setup, pictures, settings_.textVisible);
            }
        } catch (...) {
            pagesError = std::current_exception();
        }
        conversion.join();
        // A picture that cannot be converted is reported before a page that cannot be written, as
        // when the pages came after the pictures.
        if (conversionError) {
            try {
                std::rethrow_exception(conversionError);
            } catch (const ConversionCancelled&) {
                throw RunCancelled();
            }
        }
        if (pagesError) std::rethrow_exception(pagesError);

        for (std::size_t i = 0; i < webNames.size(); ++i) {
            const ConvertedPicture& picture = converted[i];
            pictures[i].overview = picture.sizes.overview;
            pictures[i].fullSize = picture.sizes.fullSize;
            pictures[i].landscape = picture.source.width >= picture.source.height;
            pictures[i].overview2x = picture.doubleSizes.overview;
            pictures[i].fullSize2x = picture.doubleSizes.fullSize;
            files_.insert(files_.end(), {OverviewPictureName(webNames[i]), FullSizePictureName(webNames[i])});
            if (modern)
                files_.insert(files_.end(),
                              {OverviewPicture2xName(webNames[i]), FullSizePicture2xName(webNames[i])});
        }
        return pictures;
    }

    // The pictures the cache holds are taken from it; the others are converted, and kept for the
    // next run. Errors and progress are those of converting them all. A picture's 1x pair and its
    // 2x pair are entries of their own; a picture with either missing is converted whole.
    std::vector<ConvertedPicture> ConvertOrTake(const std::vector<WebPictureJob>& jobs,
                                                const WebPictureOptions& options,
                                                const ConversionProgress& progress) {
        if (request_.folders.cacheFolder.empty())
            return ConvertWebPictures(jobs, options, request_.jobs, progress, request_.cancel);
        const WebPictureCache cache(AddTrailingBackslash(request_.folders.cacheFolder) + "web-pictures/",
                                    request_.cacheLimit);
        const std::size_t count = jobs.size();
        const unsigned threads = request_.jobs == 0 ? DefaultJobCount() : request_.jobs;
        const int densities = options.doubleDensity ? 2 : 1;
        // [density - 1][picture]: the key, the job writing that pair's files, and the pair.
        std::vector<std::vector<std::string>> keys(densities, std::vector<std::string>(count));
        std::vector<std::vector<WebPictureJob>> pairJobs(densities, jobs);
        std::vector<std::vector<std::optional<CachedPair>>> pairs(
            densities, std::vector<std::optional<CachedPair>>(count));
        if (densities == 2) {
            for (WebPictureJob& job : pairJobs[1]) {
                job.overviewFile = job.overview2xFile;
                job.fullSizeFile = job.fullSize2xFile;
            }
        }
        std::vector<bool> fromCacheFile(count, false);
        ParallelFor(count, threads, [&](std::size_t i) {
            const std::vector<std::string> keysOfPicture =
                WebPictureCache::KeysOf(jobs[i].source, options, densities);
            for (int d = 0; d < densities; ++d) keys[d][i] = keysOfPicture[d];
            if (request_.convertAll) return;
            bool all = true;
            for (int d = 0; d < densities; ++d) {
                // Without a work copy to keep, a pair the output folder already holds is never
                // written. Files written for a picture that is then converted are replaced.
                if (all) pairs[d][i] = cache.Take(keys[d][i], pairJobs[d][i], request_.keepWorkCopy);
                all = all && pairs[d][i].has_value();
            }
            fromCacheFile[i] = all;
        });
        std::vector<std::size_t> missing;
        std::vector<WebPictureJob> toConvert;
        for (std::size_t i = 0; i < count; ++i) {
            if (fromCacheFile[i]) continue;
            missing.push_back(i);
            toConvert.push_back(jobs[i]);
        }
        const int fromCache = static_cast<int>(count - missing.size());
        if (progress && fromCache > 0) progress(fromCache, static_cast<int>(count));
        ConvertWebPictures(
            toConvert, options, request_.jobs,
            [&](int done, int) {
                if (progress) progress(fromCache + done, static_cast<int>(count));
            },
            request_.cancel,
            [&](std::size_t k, const ConvertedPicture& picture, const WebPictureBytes& bytes) {
                const std::size_t i = missing[k];
                pairs[0][i] = cache.Keep(keys[0][i], picture, bytes.overview, bytes.fullSize);
                if (densities == 2) {
                    ConvertedPicture doubled{picture.source, picture.doubleSizes, {}};
                    pairs[1][i] = cache.Keep(keys[1][i], doubled, bytes.overview2x, bytes.fullSize2x);
                }
            });
        for (const auto& keysOfDensity : keys)
            cacheKeys_.insert(cacheKeys_.end(), keysOfDensity.begin(), keysOfDensity.end());
        // Publishing compares these with what the output folder holds, without reading the files again.
        std::vector<ConvertedPicture> all(count);
        const bool deferPictures = !request_.keepWorkCopy;
        for (std::size_t i = 0; i < count; ++i) {
            all[i] = pairs[0][i]->picture;
            if (densities == 2) all[i].doubleSizes = pairs[1][i]->picture.sizes;
            for (int d = 0; d < densities; ++d) {
                const WebPictureJob& job = pairJobs[d][i];
                if (deferPictures && fromCacheFile[i]) {
                    // One Take writes both files of the pair, whichever of them publishing asks for first.
                    auto write = [cache, key = keys[d][i], job,
                                  done = std::make_shared<bool>(false)](const std::string&) {
                        return *done || (*done = cache.Take(key, job).has_value());
                    };
                    deferred_[FileNameOnly(job.overviewFile)] = write;
                    deferred_[FileNameOnly(job.fullSizeFile)] = write;
                }
                digests_[FileNameOnly(job.overviewFile)] = pairs[d][i]->overviewDigest;
                digests_[FileNameOnly(job.fullSizeFile)] = pairs[d][i]->fullSizeDigest;
            }
        }
        return all;
    }

    void WritePages(const PageSetup& setup, const std::vector<PagePicture>& pictures) {
        if (settings_.pageStyle == PageStyle::Modern) {
            ModernPageOptions options;
            options.picturesPerRow = settings_.picturesPerRow;
            options.captionsVisible = settings_.textVisible;
            options.textColor = settings_.textColor;
            options.bkgColor = settings_.bkgColor;
            options.buttonSizes = ButtonImageSizes(work_);
            WriteModernPages(setup, pictures, options);
            const std::vector<std::string> pages = ModernPageFiles(pictures);
            files_.insert(files_.end(), pages.begin(), pages.end());
            return;
        }
        for (const PagePicture& picture : pictures) files_.push_back(DetailPageName(picture.webName));
        WriteOverviewPage(setup, pictures, settings_.picturesPerRow, settings_.textVisible);
        CopySlideshowScript(program_, work_);
        WriteSlideshowTemplates(setup);
        WriteSlideshowPage(setup, pictures);
        WriteStylesheet(work_, settings_.textColor, settings_.bkgColor);
        files_.insert(files_.end(), {kOverviewPageName, kSlideshowPageName, kStylesheetName});
        files_.insert(files_.end(), kSlideshowScriptFiles.begin(), kSlideshowScriptFiles.end());
    }

    const GenerationRequest& request_;
    const GallerySettings& settings_;
    std::string program_, work_, templates_, output_;
    std::vector<std::string> files_;
    std::map<std::string, std::string> digests_;  // file name: ContentDigest, where known already
    // Pictures taken from the cache but not yet written (see PublishRequest::deferredFiles).
    std::map<std::string, std::function<bool(const std::string&)>> deferred_;
    std::vector<std::string> cacheKeys_;  // the cache entries this run uses
};

}  // namespace

GenerationResult RunGeneration(const GenerationRequest& request) { return Run(request).Execute(); }

std::string SlideshowNotice(Language language) {
    return language == Language::German
               ? "Info: Slideshow funktioniert nur im \"Standard Browser\" oder online!!"
               : "Info: Slide show only works in \"Standard Browser\" or online!";
}

}  // namespace wexbo
