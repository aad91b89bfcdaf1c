// File and folder routines over std::filesystem. They show nothing and report success as a bool;
// callers decide what to tell the user. Paths are UTF-8 (or raw bytes) with "/" as separator.
#pragma once

#include <string>

namespace wexbo {

// Creates the folder and every missing parent. True when the folder did not exist before the call
// (whether creating it worked is for the caller to check). Throws std::invalid_argument on "".
bool EnsureFolder(const std::string& folder);

// Deletes the files matching a mask such as "/dir/UNDO*.jpg" or "/dir/*.*" (the name part matches
// without regard to case, "*.*" matches every name). Folders are never removed. True when at
// least one entry matched.
bool DeleteFiles(const std::string& mask);

// Makes a file writable. True when it was read-only before.
bool ClearReadOnly(const std::string& path);

// Copies, moves, renames or deletes files and folder trees. `operation` is "COPY", "MOVE",
// "RENAME" or "DELETE" in any letter case. A source whose name part holds "*" or "?" stands for
// every matching entry of its folder, which then lands inside `destination`. Without
// `noConfirmation` an existing target is not overwritten and the operation fails; with
// `renameOnCollision` the new entry gets a free name instead. `silent` and `simpleProgress` only
// matter to a caller that shows progress. False, touching nothing, when the source's folder does
// not exist.
bool FileOperation(const std::string& operation, bool renameOnCollision, bool noConfirmation, bool silent,
                   bool simpleProgress, const std::string& source, const std::string& destination);

// FileOperation("COPY") that overwrites without asking.
bool CopyFolder(const std::string& source, const std::string& destination, bool quiet);

// Deletes a folder tree for good. A trailing "/" makes no difference. False when it did not exist
// or could not be removed completely.
bool DeleteFolder(const std::string& folder, bool silent);

// Writes `content` to `path` through a temporary file in the same folder and a rename, so the old
// file stays whole when writing fails. False on failure, with `error` telling why.
bool WriteFileAtomically(const std::string& path, const std::string& content, std::string* error = nullptr);

// Writes `content` to `path` directly, replacing what the file held. Only for files in the
// program's own working folders that nobody reads half-written: rewriting a file in place keeps
// its inode, where an atomic replacement makes a new file each time. False on failure, with `error`
// telling why; a file left half-written is then removed.
bool WriteFileInPlace(const std::string& path, const std::string& content, std::string* error = nullptr);
// Writes a file that should not exist yet, straight under its name (the cheapest write: no
// temporary name, no rename), for a folder of the program's own that nobody reads half-written.
// A file that does exist is replaced atomically instead, never changed in place: it may be a link
// to a file elsewhere.
bool WriteNewFile(const std::string& path, const std::string& content, std::string* error = nullptr);

// True for a name that stands for an entry of the folder it is joined to and nothing else: not
// empty, not "." or "..", without "/" and without NUL.
bool IsPlainFileName(const std::string& name);
bool FileExists(const std::string& path);    // a regular file (or a link to one)
bool FolderExists(const std::string& path);  // a folder (or a link to one)

}  // namespace wexbo
