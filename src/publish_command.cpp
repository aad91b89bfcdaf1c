#include "publish_command.h"

#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>

#include "app/program_folders.h"
#include "publish/remote_folder.h"
#include "publish/uploader.h"
#include "util/files.h"
#include "util/strings.h"

namespace wexbo {

namespace {

int Fail(const std::string& message) {
    std::cerr << "wexbo: " << message << "\n";
    return 1;
}

std::string ReadLine(std::istream& in) {
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return line;
}

// Asks on the terminal without showing what is typed.
std::string AskPassword(const std::string& prompt) {
    std::cerr << prompt << std::flush;
    termios old{};
    const bool terminal = ::tcgetattr(STDIN_FILENO, &old) == 0;
    if (terminal) {
        termios quiet = old;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    const std::string password = ReadLine(std::cin);
    if (terminal) ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &old);
    std::cerr << "\n";
    return password;
}

std::string Bytes(std::uint64_t bytes) {
    if (bytes < 10 * 1024) return std::to_string(bytes) + " bytes";
    if (bytes < 10 * 1024 * 1024) return std::to_string(bytes / 1024) + " KB";
    return std::to_string(bytes / (1024 * 1024)) + " MB";
}

// Progress on standard error: redrawn in place on a terminal, a line per file otherwise.
void ShowProgress(const UploadProgress& step) {
    static const bool terminal = ::isatty(STDERR_FILENO);
    static std::string lastFile;
    if (terminal) {
        std::cerr << "\rUploading: " << step.filesDone << "/" << step.filesTotal << " files, "
                  << Bytes(step.bytesDone) << " of " << Bytes(step.bytesTotal) << "   " << std::flush;
        if (step.current.empty()) std::cerr << "\n";
    } else if (!step.current.empty() && step.current != lastFile) {
        std::cerr << "Uploading: " << step.filesDone + 1 << "/" << step.filesTotal << " " << step.current
                  << "\n";
    }
    lastFile = step.current;
}

}  // namespace

int RunPublish(const PublishArguments& arguments, const std::atomic<bool>* cancel) {
    std::string error;
    const std::optional<Destination> destination = ParseDestination(arguments.destination, error);
    if (!destination) return Fail(error);
    std::error_code ec;
    const std::string gallery =
        AddTrailingBackslash(std::filesystem::absolute(arguments.gallery, ec).lexically_normal().string());
    if (!FileExists(gallery + "gallery.html"))
        return Fail("The folder " + gallery +
                    " is no gallery: it holds no gallery.html. Make one with 'wexbo generate'.");

    Credentials credentials;
    credentials.identityFile = arguments.identity;
    credentials.caFile = arguments.caFile;
    credentials.cleartextAccepted = arguments.allowCleartext;
    credentials.acceptUnknownHostKey = [&](const HostKeyQuestion& question) {
        std::cerr << "The server " << question.host << " is not known yet. Its key's fingerprint is "
                  << question.fingerprint << ".\n";
        if (arguments.acceptNewHostKey)
            std::cerr << "Accepted (--accept-new-host-key); it is added to known_hosts.\n";
        return arguments.acceptNewHostKey;
    };
    const bool ftp = destination->kind == DestinationKind::Ftp || destination->kind == DestinationKind::Ftps;
    if (destination->kind == DestinationKind::Ftp && !arguments.allowCleartext)
        return Fail(
            "ftp:// sends the password and every file readable by anyone on the way. Use ftps:// or "
            "sftp://, or accept that with --allow-cleartext.");
    if (arguments.passwordStdin) {
        credentials.password = ReadLine(std::cin);
    } else if (ftp) {
        if (!::isatty(STDIN_FILENO))
            return Fail("No password for " + destination->Address() +
                        ": give it on standard input with --password-stdin.");
        credentials.password =
            AskPassword("Password for " + destination->user + " at " + destination->host + ": ");
    }

    UploadRequest request;
    request.galleryFolder = gallery;
    request.destination = *destination;
    request.recordFolder = AddTrailingBackslash(RunningProgramFolders().dataFolder) + "uploads/";
    request.dryRun = arguments.dryRun;
    request.progress = ShowProgress;
    request.cancel = cancel;
    try {
        const std::unique_ptr<RemoteFolder> remote = OpenRemoteFolder(*destination, credentials);
        const UploadResult result = UploadGallery(request, *remote);
        if (arguments.dryRun) {
            for (const GalleryFile& file : result.plan.send) std::cout << "send " << file.name << "\n";
            for (const std::string& name : result.plan.remove) std::cout << "remove " << name << "\n";
            std::cerr << result.plan.send.size() << " files (" << Bytes(result.plan.BytesToSend())
                      << ") would be sent and " << result.plan.remove.size()
                      << " removed; nothing was touched.\n";
            return 0;
        }
        if (result.cancelled) {
            std::cerr
                << "wexbo: stopped; the files sent so far are recorded, the next upload sends the rest.\n";
            return 130;
        }
        std::cerr << "Sent " << result.plan.send.size() << " files (" << Bytes(result.plan.BytesToSend())
                  << "), removed " << result.plan.remove.size() << "; " << destination->Address()
                  << " holds the gallery.\n";
        return 0;
    } catch (const RemoteError& failure) {
        return Fail(failure.what());
    }
}

}  // namespace wexbo
