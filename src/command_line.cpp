#include "command_line.h"

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/language_table.h"
#include "app/program_folders.h"
#include "app/program_identity.h"
#include "gallery/gallery_settings.h"
#include "gallery/gallery_source.h"
#include "gallery/generation_run.h"
#include "publish_command.h"
#include "util/files.h"
#include "util/private_folder.h"
#include "util/strings.h"
#include "util/windows_info.h"
#include "windows_entry.h"

namespace wexbo {

namespace {

bool DisplayAvailable() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    // An explicit Qt platform (offscreen, vnc ...) needs no display server either.
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

std::string VersionText() {
    std::string version = ReadVersion(RunningProgramFolders().programFolder);
    return std::string(kProgramTitle) + (version.empty() ? "" : " " + version);
}

int Fail(const std::string& message) {
    std::cerr << "wexbo: " << message << "\n";
    return 1;
}

std::string AbsoluteFolder(const std::string& folder) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(folder, ec);
    return AddTrailingBackslash((ec ? std::filesystem::path(folder) : absolute).lexically_normal().string());
}

// Ctrl+C and friends stop the run between pictures, so that the private work folder is removed and
// the output folder stays as it was.
std::atomic<bool> g_stop{false};

extern "C" void RequestStop(int) { g_stop = true; }

class StopOnSignals {
public:
    StopOnSignals() {
        struct sigaction action {};
        action.sa_handler = RequestStop;
        sigemptyset(&action.sa_mask);
        for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &action, &previous_[i]);
    }
    ~StopOnSignals() {
        for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &previous_[i], nullptr);
    }

private:
    static constexpr int kSignals[3] = {SIGINT, SIGTERM, SIGHUP};
    struct sigaction previous_[3];
};

// Progress on standard error: a bar redrawn in place on a terminal, one plain line per picture
// otherwise (a log, another program reading it).
void ShowProgress(const GenerationProgress& step) {
    static const bool terminal = ::isatty(STDERR_FILENO);
    if (!terminal) {
        std::cerr << step.text << "\n";
        return;
    }
    constexpr int kWidth = 30;
    const int filled = step.percent * kWidth / 100;
    std::cerr << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, ' ') << "] "
              << step.percent << "% " << step.text << (step.done == step.total ? "\n" : "") << std::flush;
}

struct GalleryArguments {
    std::string source;
    std::string output;
    std::string settingsFile;  // "" : the shipped "Gallery.ini"
    std::string language;      // "" : the program's active language
    unsigned jobs = 0;         // 0 : one per core
    bool noCache = false;      // convert every picture again, whatever the cache holds
    std::string style;         // "" : the settings' page style; else classic or modern
};

// Makes the gallery; returns the exit status. On success the output folder path (with "/") is in
// `outputFolder`.
int MakeGallery(const GalleryArguments& arguments, std::string& outputFolder) {
    // The command line reads the user's settings but never writes any.
    const ProgramFolders folders = RunningProgramFolders();
    const Texts programTexts = LoadProgramTexts(folders.programFolder, folders.configFolder);
    const TWindowsInfo info = TWindowsInfo::FromEnvironment();

    const std::string settingsFile = arguments.settingsFile.empty()
                                         ? DefaultGallerySettingsFile(folders.programFolder)
                                         : arguments.settingsFile;
    if (!arguments.settingsFile.empty() && !FileExists(settingsFile))
        return Fail("The settings file " + settingsFile + " does not exist.");
    GallerySource source;
    std::string error;
    if (!ReadGallerySource(AbsoluteFolder(arguments.source), source, error)) return Fail(error);
    if (source.pictures.empty())
        return Fail("The folder " + AbsoluteFolder(arguments.source) +
                    " holds no pictures (JPEG, HEIC, HEIF, AVIF, PNG, WebP or TIFF files).");

    const PrivateFolder runFolder(info.TempFolder);
    if (runFolder.Path().empty()) return Fail(runFolder.Error());

    GenerationRequest request;
    request.settings = ReadGallerySettings(settingsFile);  // its "OutputPath" is not used here
    if (!arguments.style.empty()) request.settings.pageStyle = *PageStyleFromName(arguments.style);
    request.albumTitle = source.title;
    request.pictures = std::move(source.pictures);
    request.folders.programFolder = folders.programFolder;
    request.folders.dataFolder = folders.dataFolder;
    request.folders.workFolder = runFolder.Path() + "gallery/";
    request.folders.templateFolder = runFolder.Path() + "templates/";
    request.folders.outputFolder = outputFolder = AbsoluteFolder(arguments.output);
    request.folders.cacheFolder = folders.cacheFolder;
    request.convertAll = arguments.noCache;
    // The progress texts follow the pages' language too.
    request.texts =
        arguments.language.empty()
            ? programTexts
            : programTexts.In(LanguageFromCode(ToUpperAscii(arguments.language)).value_or(Language::English));
    request.jobs = arguments.jobs;
    request.progress = ShowProgress;
    request.cancel = &g_stop;
    request.keepWorkCopy = false;

    const StopOnSignals stopOnSignals;
    const GenerationResult result = RunGeneration(request);
    if (result.cancelled) {
        std::cerr << "\nwexbo: stopped; the output folder " << outputFolder << " is as it was.\n";
        return 130;
    }
    if (!result.ok) return Fail(result.error);
    return 0;
}

int RunDemo(const std::string& output) {
    GalleryArguments arguments;
    arguments.source = RunningProgramFolders().programFolder + "gal/Gal_0001/";
    arguments.output =
        output.empty() ? DefaultOutputFolder(TWindowsInfo::FromEnvironment().DocumentsFolder) : output;
    std::string outputFolder;
    const int status = MakeGallery(arguments, outputFolder);
    if (status == 0) std::cout << outputFolder << "gallery.html\n";
    return status;
}

}  // namespace

std::optional<int> RunCommandLine(int argc, char** argv) {
    CLI::App app{std::string(kProgramTitle) + " by " + kProgramMaker +
                     ": turns albums of photographs into online galleries.\n"
                     "Without arguments it opens the desktop program (without a display it makes the sample "
                     "gallery, as 'wexbo demo' does).",
                 "wexbo"};
    bool showVersion = false;
    app.add_flag("--version", showVersion, "Print the program's version and exit");
    app.require_subcommand(0, 1);

    GalleryArguments generate;
    CLI::App* generateCommand =
        app.add_subcommand("generate", "Make an online gallery from an album folder or a folder of pictures");
    generateCommand
        ->add_option("SOURCE", generate.source,
                     "An album folder (with Bildano.ini: title, pictures and captions in album order) or any "
                     "folder of pictures (sorted by name, the folder's name as title)")
        ->required()
        ->check(CLI::ExistingDirectory);
    generateCommand->add_option("OUTPUT", generate.output, "The output folder (created when missing)")
        ->required();
    generateCommand
        ->add_option("--settings", generate.settingsFile,
                     "A gallery settings file (default: Gallery.ini of the shipped data); its OutputPath "
                     "is not used")
        ->check(CLI::ExistingFile);
    std::vector<std::string> codes;
    for (Language language : kLanguages) codes.push_back(LanguageCode(language));
    generateCommand
        ->add_option("--language", generate.language,
                     "The language of the page texts (default: the program's language)")
        ->check(CLI::IsMember(codes, CLI::ignore_case));
    generateCommand->add_option("--jobs", generate.jobs, "Pictures converted at once (default: one per core)")
        ->check(CLI::Range(1u, 1024u));
    generateCommand
        ->add_option(
            "--style", generate.style,
            "The page style: classic (the default) or modern (accessible pages that fit every screen)")
        ->check(CLI::IsMember({"classic", "modern"}, CLI::ignore_case));
    generateCommand->add_flag("--no-cache", generate.noCache,
                              "Convert every picture again instead of taking unchanged ones from the cache");

    PublishArguments publish;
    CLI::App* publishCommand = app.add_subcommand(
        "publish", "Upload a gallery to a web space, only what changed since the last upload there");
    publishCommand->add_option("GALLERY", publish.gallery, "A gallery folder that 'wexbo generate' made")
        ->required()
        ->check(CLI::ExistingDirectory);
    publishCommand
        ->add_option(
            "DESTINATION", publish.destination,
            "sftp://user@host[:port]/path/ (or /~/path/ for a folder of the login folder), "
            "ftps://user@host[:port]/path/ (FTP with TLS), ftp://… (clear text), file:///path/ or a folder")
        ->required();
    publishCommand
        ->add_option("--identity", publish.identity, "A private key file for SFTP (default: those of ~/.ssh)")
        ->check(CLI::ExistingFile);
    publishCommand->add_flag("--password-stdin", publish.passwordStdin,
                             "Read the password from the first line of standard input");
    publishCommand->add_flag(
        "--accept-new-host-key", publish.acceptNewHostKey,
        "Accept an SFTP server whose key is not known yet and add it to ~/.ssh/known_hosts "
        "(a changed key is refused whatever is given)");
    publishCommand->add_flag("--allow-cleartext", publish.allowCleartext,
                             "Allow ftp:// although the password and files travel readable");
    publishCommand
        ->add_option("--ca-file", publish.caFile,
                     "Certificates (PEM) an FTPS server's may be signed by, besides the system's")
        ->check(CLI::ExistingFile);
    publishCommand->add_flag("--dry-run", publish.dryRun,
                             "List what would be sent and removed, and touch nothing");

    std::string demoOutput;
    CLI::App* demoCommand =
        app.add_subcommand("demo", "Make the sample album's gallery and print the path of its gallery.html");
    demoCommand->add_option("OUTPUT", demoOutput,
                            "The output folder (default: the documents folder + HTML-Gallery/)");

    // Until the main window opens the generator, this opens it on an album folder for trying it out.
    std::string dialogAlbum;
    CLI::App* dialogCommand =
        app.add_subcommand("gallery-dialog", "Open the gallery generator window on an album folder");
    dialogCommand->add_option("ALBUM", dialogAlbum, "An album folder or any folder of pictures")
        ->required()
        ->check(CLI::ExistingDirectory);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error);
    }
    if (showVersion) {
        std::cout << VersionText() << "\n";
        return 0;
    }
    if (generateCommand->parsed()) {
        std::string outputFolder;
        const int status = MakeGallery(generate, outputFolder);
        if (status == 0) std::cout << outputFolder << "\n";
        return status;
    }
    if (publishCommand->parsed()) {
        const StopOnSignals stopOnSignals;
        return RunPublish(publish, &g_stop);
    }
    if (demoCommand->parsed()) return RunDemo(demoOutput);
    if (dialogCommand->parsed()) {
        if (!DisplayAvailable()) return Fail("no display found; the generator window cannot open.");
        return OpenGeneratorWindow(argc, argv, dialogAlbum);
    }
    if (!DisplayAvailable()) {
        std::cerr << "wexbo: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                     "making the sample gallery instead.\n";
        return RunDemo("");
    }
    return std::nullopt;
}

}  // namespace wexbo
