#include "album/album_store.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <system_error>

#include "album/album_entry.h"
#include "album/album_picture_copy.h"
#include "app/language_table.h"
#include "imaging/picture_decoder.h"
#include "util/files.h"
#include "util/ini_file.h"
#include "util/parallel.h"
#include "util/strings.h"
#include "util/text_encoding.h"

namespace fs = std::filesystem;

namespace wexbo {

namespace {

constexpr const char* kAlbumFile = "Bildano.ini";
constexpr const char* kPictureList = "Pictures.ini";
constexpr const char* kAlbumSection = "BILDANO";

std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<std::string> lines;
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) return lines;
    const std::string text = DecodeText(bytes);
    std::string_view rest = text;
    while (!rest.empty()) lines.emplace_back(NextLine(rest));
    return lines;
}

}  // namespace

AlbumStore::AlbumStore(std::string cacheFolder, std::string albumRoot)
    : cacheFolder_(std::move(cacheFolder)), albumRoot_(std::move(albumRoot)) {}

std::string AlbumStore::AlbumFolder() const {
    return currentAlbum_.empty() ? std::string() : albumRoot_ + currentAlbum_ + "/";
}

std::string AlbumStore::AlbumThumbnailPath(const std::string& fileName) const {
    return AlbumFolder() + "_THUMB_" + fileName;
}

std::string AlbumStore::CountLabel(const Texts& texts) const {
    return texts(594) + " " + std::to_string(pictures_.size()) + " " + texts(595);
}

std::size_t InsertionRow(long position, std::size_t count) {
    return position < 0 || static_cast<std::size_t>(position) >= count ? count
                                                                       : static_cast<std::size_t>(position);
}

bool AlbumStore::MovePicture(std::size_t from, std::size_t to) {
    if (from >= pictures_.size() || to >= pictures_.size() || from == to) return false;
    const auto first = pictures_.begin();
    if (from < to)
        std::rotate(first + static_cast<long>(from), first + static_cast<long>(from) + 1,
                    first + static_cast<long>(to) + 1);
    else
        std::rotate(first + static_cast<long>(to), first + static_cast<long>(from),
                    first + static_cast<long>(from) + 1);
    MarkListEdited();
    return true;
}

bool AlbumStore::SetCaption(std::size_t index, const std::string& caption) {
    if (index >= pictures_.size()) return false;
    const std::string clean = CleanCaption(caption);
    if (pictures_[index].caption == clean) return false;
    pictures_[index].caption = clean;
    MarkListEdited();
    return true;
}

void AlbumStore::SetThumbnail(std::size_t index, std::string thumbnailPath) {
    if (index < pictures_.size()) pictures_[index].thumbnailPath = std::move(thumbnailPath);
}

OpenAlbumResult AlbumStore::OpenAlbum(const std::string& name, const OpenProgress& progress) {
    OpenAlbumResult result;
    result.message = SaveEditedList();
    const std::string folder = albumRoot_ + name + "/";
    if (!FileExists(folder + kAlbumFile)) {
        albumTitle_.clear();
        displayTime_ = "5";
        return result;
    }
    result.albumFileFound = true;
    const IniFile albumFile(folder + kAlbumFile);
    std::string title = Trim(albumFile.ReadString(kAlbumSection, "Titel", ""));
    if (ToUpperAscii(title) == "SPECIALDUMMY") {
        result.reset = true;
        title.clear();
    }
    albumTitle_ = title;
    displayTime_ = albumFile.ReadString(kAlbumSection, "Time", "");

    // A missing picture list opens the album with no pictures.
    const std::vector<std::string> lines = ReadLines(folder + kPictureList);
    pictures_.clear();
    listEdited_ = false;
    counters_ = {0, static_cast<int>(lines.size()) - 1};

    struct Picture {
        std::size_t line;
        PictureFields fields;
    };
    std::vector<Picture> pictures;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        PictureFields fields = ParsePictureListLine(lines[i]);
        if (!fields.fileName.empty() && FileExists(folder + fields.fileName))
            pictures.push_back({i, std::move(fields)});
    }
    // Thumbnails may be made on several threads; the list is built in album order afterwards.
    std::atomic<int> done{0};
    const int total = static_cast<int>(pictures.size());
    ParallelFor(pictures.size(), jobs_, [&](std::size_t k) {
        // A thumbnail lies beside its picture: none is made for a name that leads out of the album.
        if (!IsPlainFileName(pictures[k].fields.fileName)) return;
        const LoadCounters counters{static_cast<int>(pictures[k].line), counters_.total};
        MakeThumbnail(cacheFolder_, folder + pictures[k].fields.fileName, 70, false, false, counters,
                      reporter_);
        if (progress) progress(++done, total);
    });
    if (!lines.empty()) counters_.current = static_cast<int>(lines.size()) - 1;
    for (Picture& picture : pictures) {
        std::string thumbnail = folder + "_THUMB_" + picture.fields.fileName;
        pictures_.push_back(
            {std::move(picture.fields.fileName), std::move(picture.fields.caption), std::move(thumbnail)});
    }

    currentAlbum_ = result.reset ? NextAlbumName() : name;
    PurgeStaleThumbnails();
    return result;
}

std::string AlbumStore::NextAlbumName() const {
    long long largest = 0;
    std::error_code ec;
    for (fs::directory_iterator it(albumRoot_, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_directory(ec)) continue;
        const std::string name = it->path().filename().string();
        if (name.find('.') != std::string::npos || name.find('_') == std::string::npos) continue;
        long long number = 0;
        if (ParseInt(NthWord(2, name, "_"), number)) largest = std::max(largest, number);
    }
    return "Gal_" + PadLeft(std::to_string(largest + 1), '0', 4);
}

StoreMessage AlbumStore::AddPictureToAlbum(const std::string& sourcePath, long position) {
    AlbumCopy copy = CopyPictureIntoAlbum(sourcePath);
    if (!copy.picture) return copy.message;
    return InsertPicture(std::move(*copy.picture), position);
}

AlbumCopy AlbumStore::CopyPictureIntoAlbum(const std::string& sourcePath) {
    AlbumCopy result;
    StoreMessage& message = result.message;
    if (currentAlbum_.empty()) currentAlbum_ = NextAlbumName();
    const std::string folder = AlbumFolder();
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        fs::create_directory(folder, ec);
        if (!fs::is_directory(folder, ec)) {
            message.error = "Cannot create the album folder " + folder + ": " +
                            (ec ? ec.message() : std::string("a file of that name is in the way"));
            message.albumUnwritable = true;
            return result;
        }
    }
    IniFile albumFile(folder + kAlbumFile);
    albumFile.WriteString(kAlbumSection, "Titel", albumTitle_);
    albumFile.WriteString(kAlbumSection, "Time", displayTime_);
    std::string error;
    if (!albumFile.Save(&error)) {
        message.error = "Cannot write the album file " + folder + kAlbumFile + ": " + error;
        message.albumUnwritable = true;
        return result;
    }

    // A picture that cannot be read is not added: the album would hold a picture nothing shows.
    if (!FileExists(sourcePath)) {
        message.textNumber = 10000;
        return result;
    }
    message.error = PictureProblem(sourcePath);
    if (!message.error.empty()) return result;
    const PictureFormat format = PictureFormatOfFile(sourcePath);
    std::string target = folder + ListSafeFileName(AlbumNameFor(FileNameOnly(sourcePath), format));
    if (fs::exists(fs::symlink_status(target, ec))) target = UniqueAlbumFileName(target);
    if (format != PictureFormat::Jpeg) {
        message.error = WriteJpegCopy(sourcePath, target);
        if (!message.error.empty()) return result;
    } else {
        // Copied under a temporary name first, so a failed copy never leaves half a picture.
        const std::string partial = target + ".partial";
        fs::copy_file(sourcePath, partial, fs::copy_options::overwrite_existing, ec);
        if (!ec) fs::rename(partial, target, ec);
        if (ec || !FileExists(target)) {
            fs::remove(partial, ec);
            message.textNumber = 10000;
            return result;
        }
    }
    // A read-only source gives a writable copy.
    fs::permissions(
        target,
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read,
        fs::perm_options::replace, ec);
    MakeThumbnail(cacheFolder_, target, 70, false, false, counters_, reporter_);

    const std::string fileName = FileNameOnly(target);
    result.picture = AlbumPicture{fileName, std::nullopt, AlbumThumbnailPath(fileName)};
    return result;
}

StoreMessage AlbumStore::InsertPicture(AlbumPicture picture, long position) {
    pictures_.insert(pictures_.begin() + static_cast<long>(InsertionRow(position, pictures_.size())),
                     std::move(picture));
    return SavePictureList();
}

StoreMessage AlbumStore::RemovePictureFromAlbum(std::size_t index) {
    if (index >= pictures_.size()) return {};
    const std::string& fileName = pictures_[index].fileName;
    if (!currentAlbum_.empty() && IsPlainFileName(fileName)) {
        std::error_code ec;
        fs::remove(AlbumFolder() + fileName, ec);
    }
    pictures_.erase(pictures_.begin() + static_cast<long>(index));
    return SavePictureList();
}

bool AlbumStore::EntryMayBeRewritten(std::size_t index) const {
    if (index >= pictures_.size() || currentAlbum_.empty()) return false;
    const std::string& fileName = pictures_[index].fileName;
    std::error_code ec;
    return IsPlainFileName(fileName) && !fs::is_symlink(fs::symlink_status(AlbumFolder() + fileName, ec));
}

StoreMessage AlbumStore::RemoveAllPictures() {
    StoreMessage message;
    while (!pictures_.empty()) {
        StoreMessage step = RemovePictureFromAlbum(0);
        if (!step.Empty()) message = step;
    }
    ClearAlbumFolderPictures();
    return message;
}

void AlbumStore::ClearAlbumFolderPictures() {
    // Only ever inside a real album folder: never the album root itself.
    if (currentAlbum_.empty() || currentAlbum_.find('/') != std::string::npos || currentAlbum_ == "." ||
        currentAlbum_ == ".." || !FolderExists(AlbumFolder()))
        return;
    DeleteFiles(AlbumFolder() + "*.jpg");
}

StoreMessage AlbumStore::SavePictureList() {
    StoreMessage message;
    if (currentAlbum_.empty()) return message;
    std::string text;
    for (const AlbumPicture& picture : pictures_) text += picture.ListText() + "\r\n";
    std::string error;
    if (WriteFileAtomically(AlbumFolder() + kPictureList, text, &error))
        listEdited_ = false;
    else
        message.error = "Cannot write the picture list " + AlbumFolder() + kPictureList + ": " + error;
    return message;
}

StoreMessage AlbumStore::SaveEditedList() { return listEdited_ ? SavePictureList() : StoreMessage{}; }

const std::string& AlbumStore::ResolveAlbumPicturePath(std::size_t index) {
    if (index < pictures_.size()) currentPicturePath_ = AlbumFolder() + pictures_[index].fileName;
    return currentPicturePath_;
}

std::string AlbumStore::UniqueAlbumFileName(const std::string& path) {
    const std::string folder = AddTrailingBackslash(PathOnly(path));
    const std::string name = FileNameOnly(path);
    const std::size_t parts = CountWords(name, ".");
    std::string base;
    for (std::size_t i = 1; i < parts; ++i) {
        if (i > 1) base += '.';
        base += NthWord(i, name, ".");
    }
    const std::string extension = NthWord(parts, name, ".");
    std::error_code ec;
    for (int n = 1;; ++n) {
        std::string candidate = folder + base + "_" + std::to_string(n) + "." + extension;
        if (!fs::exists(fs::symlink_status(candidate, ec))) return candidate;
    }
}

void AlbumStore::PurgeStaleThumbnails() {
    const std::string folder = AlbumFolder();
    if (folder.empty()) return;
    std::error_code ec;
    std::vector<fs::path> stale;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!StartsWithIgnoreCase(name, "_THUMB") || ToUpperAscii(name).find("_THUMB_") == std::string::npos)
            continue;
        std::string pictureName;
        const std::size_t parts = CountWords(name, "_");
        for (std::size_t i = 2; i <= parts; ++i) {
            if (i > 2) pictureName += '_';
            pictureName += NthWord(i, name, "_");
        }
        if (!FileExists(folder + pictureName)) stale.push_back(it->path());
    }
    for (const fs::path& path : stale) fs::remove(path, ec);
}

StoreMessage AlbumStore::StartNewAlbum(const std::string& title) {
    StoreMessage message = SaveEditedList();
    PurgeStaleThumbnails();
    albumTitle_ = title;
    currentAlbum_ = NextAlbumName();
    pictures_.clear();
    listEdited_ = false;
    return message;
}

std::vector<AlbumListing> AlbumStore::ListAlbums() const {
    std::vector<AlbumListing> albums;
    std::error_code ec;
    for (fs::directory_iterator it(albumRoot_, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_directory(ec)) continue;
        const std::string name = it->path().filename().string();
        if (name.find('.') != std::string::npos || ToUpperAscii(name).find("DEL") != std::string::npos)
            continue;
        const std::string albumFile = albumRoot_ + name + "/" + kAlbumFile;
        if (!FileExists(albumFile)) continue;
        // The title as stored: the INI reader trims, which matches what the user typed.
        albums.push_back({name, name + " " + IniFile::Read(albumFile, kAlbumSection, "Titel", "")});
    }
    return albums;
}

bool AlbumStore::DeleteAlbumFolder(const std::string& folder) {
    if (folder.empty() || folder.find('/') != std::string::npos || folder == "." || folder == "..")
        return false;
    if (!FileExists(albumRoot_ + folder + "/" + kAlbumFile)) return false;
    return DeleteFolder(albumRoot_ + folder, true);
}

bool AlbumStore::DeleteAlbum(const std::string& folder) {
    OpenAlbum("del");
    pictures_.clear();
    listEdited_ = false;
    return DeleteAlbumFolder(folder);
}

std::string AlbumStore::DeleteAlbumQuestion(const std::string& folder, const Texts& texts) const {
    std::string title =
        Trim(IniFile::Read(albumRoot_ + folder + "/" + kAlbumFile, kAlbumSection, "Titel", ""));
    if (title.empty()) title = folder;
    std::string question = texts(10008);
    ReplaceSubstring(question, "%1", title);
    return question;
}

std::vector<GalleryPicture> AlbumStore::GalleryPictures() {
    std::vector<GalleryPicture> pictures;
    for (std::size_t i = 0; i < pictures_.size(); ++i)
        pictures.push_back({ResolveAlbumPicturePath(i), pictures_[i].CaptionText()});
    return pictures;
}

}  // namespace wexbo
