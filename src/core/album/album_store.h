// The album store: the album state the main window shows (album root, current album, title,
// display time, album list entries, load counters) and all file work on albums. It shows nothing;
// every operation reports what the window has to say.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "album/album_entry.h"
#include "album/gallery_picture.h"
#include "app/language_table.h"
#include "imaging/thumbnail_maker.h"

namespace wexbo {

// What an operation asks the window to tell the user: a text number of the language table, or a
// ready error text (file and problem), or nothing.
struct StoreMessage {
    int textNumber = 0;  // 0: none
    std::string error;   // "" : none
    // The album folder or its album file cannot be written: every further picture would fail alike.
    bool albumUnwritable = false;
    bool Empty() const { return textNumber == 0 && error.empty(); }
};

// A picture copied into the album folder, with its thumbnail, not yet in the list.
struct AlbumCopy {
    StoreMessage message;
    std::optional<AlbumPicture> picture;  // none when the copy failed (the message says why)
};

struct OpenAlbumResult {
    bool albumFileFound = false;  // false: no album was opened, the list is unchanged
    bool reset = false;           // the reset album was opened: a fresh album number was taken
    StoreMessage message;
};

// One album as the chooser lists it. The folder name is kept apart from the shown text, so the
// entry always leads back to its own folder.
struct AlbumListing {
    std::string folder;       // "Gal_0003"
    std::string displayText;  // folder + " " + title exactly as stored
};

// Where a picture added at `position` ends up in a list of `count`: -1 or past the end append.
std::size_t InsertionRow(long position, std::size_t count);

class AlbumStore {
public:
    // Progress while an album opens: thumbnails made so far and thumbnails to make.
    using OpenProgress = std::function<void(int done, int total)>;

    AlbumStore(std::string cacheFolder, std::string albumRoot);

    const std::string& CacheFolder() const { return cacheFolder_; }
    const std::string& AlbumRoot() const { return albumRoot_; }
    const std::string& CurrentAlbum() const { return currentAlbum_; }
    // The current album's folder with a trailing "/" ("" without a current album).
    std::string AlbumFolder() const;
    const std::string& AlbumTitle() const { return albumTitle_; }
    void SetAlbumTitle(const std::string& title) { albumTitle_ = title; }
    const std::string& DisplayTime() const { return displayTime_; }
    void SetDisplayTime(const std::string& time) { displayTime_ = time; }
    const std::string& CurrentPicturePath() const { return currentPicturePath_; }
    LoadCounters& Counters() { return counters_; }

    // The album list, in album order.
    const std::vector<AlbumPicture>& Pictures() const { return pictures_; }
    // Reordering and caption edits mark the list; it is written by the next add or remove, by
    // SaveEditedList, and before another album takes its place, so no edit is ever lost.
    // Takes the picture at `from` out and puts it back so that it stands at `to`; the pictures
    // between shift by one. False (nothing changed) for the same or an out-of-range index.
    bool MovePicture(std::size_t from, std::size_t to);
    // Gives picture `index` the caption as the caption fields take it (CleanCaption). False when
    // the picture's line stays as it was.
    bool SetCaption(std::size_t index, const std::string& caption);
    // Points picture `index` at another thumbnail file (a remade one).
    void SetThumbnail(std::size_t index, std::string thumbnailPath);
    void MarkListEdited() { listEdited_ = true; }
    bool ListEdited() const { return listEdited_; }
    // Writes the picture list when it holds edits not yet written.
    StoreMessage SaveEditedList();
    // The label above the album list: text 594, the count, text 595.
    std::string CountLabel(const Texts& texts) const;

    // Thumbnails are reported through this while they are made (may be called on worker threads).
    void SetThumbnailReporter(const ThumbnailReporter* reporter) { reporter_ = reporter; }
    // Threads that make missing thumbnails when an album opens (the list is the same for any count).
    void SetJobs(unsigned jobs) { jobs_ = jobs; }

    // Opens an album; an edited list of the album open before is written first.
    OpenAlbumResult OpenAlbum(const std::string& name, const OpenProgress& progress = {});
    std::string NextAlbumName() const;
    // Copies a picture into the current album (starting one when there is none) and inserts it
    // at `position` (-1 or past the end: at the end): CopyPictureIntoAlbum, then InsertPicture.
    StoreMessage AddPictureToAlbum(const std::string& sourcePath, long position);
    // The file work of adding: the copy under a name the list can hold, and its thumbnail. The
    // list is unchanged, so this may run on a worker thread while a window shows the list.
    AlbumCopy CopyPictureIntoAlbum(const std::string& sourcePath);
    // Inserts a copied picture at InsertionRow(position) and writes the picture list.
    StoreMessage InsertPicture(AlbumPicture picture, long position);
    // Deletes the picture of entry `index` from the album folder and the entry from the list. An
    // entry whose file name is not a plain name of the album folder loses its line only.
    StoreMessage RemovePictureFromAlbum(std::size_t index);
    // False when entry `index` names a path that leads out of the album folder or a link: the album
    // never rewrites such a file (it may still be missing or not a picture; its reader tells).
    bool EntryMayBeRewritten(std::size_t index) const;
    // Removes every picture: all entries, then every "*.jpg" left in the album folder. Never
    // touches anything without a current album folder.
    StoreMessage RemoveAllPictures();
    // With an empty list: deletes every "*.jpg" the current album folder still holds.
    void ClearAlbumFolderPictures();
    StoreMessage SavePictureList();
    const std::string& ResolveAlbumPicturePath(std::size_t index);
    static std::string UniqueAlbumFileName(const std::string& path);
    void PurgeStaleThumbnails();

    // The new-album command's store part: a fresh album number and title, an empty list. Nothing
    // of the new album is written until its first picture is added; an edited list of the album
    // open before is written first.
    StoreMessage StartNewAlbum(const std::string& title);
    // The albums the chooser offers, in the order the file system gives them: folders holding
    // "Bildano.ini" whose names hold no "." and do not contain "DEL" in any letter case.
    std::vector<AlbumListing> ListAlbums() const;
    // Deletes exactly the chosen album folder (after the window reset the workspace). False when
    // the folder could not be removed, or is not an album folder of the album root.
    bool DeleteAlbumFolder(const std::string& folder);
    // The delete command's store part, after the user confirmed: opens the reset album (which
    // empties the workspace and takes a fresh album number), clears the list and deletes the
    // chosen folder. False when the folder could not be deleted (text 10009 for the window).
    bool DeleteAlbum(const std::string& folder);
    // The question asked before an album is deleted (text 10008), naming the album by its title,
    // or by its folder when it has none.
    std::string DeleteAlbumQuestion(const std::string& folder, const Texts& texts) const;

    // The generator's picture list: full path and caption per picture, in album order.
    std::vector<GalleryPicture> GalleryPictures();

    // The thumbnail path of a picture of the current album.
    std::string AlbumThumbnailPath(const std::string& fileName) const;

private:
    std::string cacheFolder_;
    std::string albumRoot_;
    std::string currentAlbum_;
    std::string albumTitle_;
    std::string displayTime_;
    std::string currentPicturePath_;
    std::vector<AlbumPicture> pictures_;
    bool listEdited_ = false;
    LoadCounters counters_;
    const ThumbnailReporter* reporter_ = nullptr;
    unsigned jobs_ = 1;
};

}  // namespace wexbo
