#include "publish/ftp_remote.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "util/files.h"

namespace wexbo {

namespace {

// A connection that takes longer to open is not going to work; a transfer or an answer that
// stalls this long is taken as a dead connection instead of waiting for ever.
constexpr long kConnectSeconds = 20;
constexpr long kStalledSeconds = 60;
// libcurl 7.88 may read the answer to EPSV in the same step that sent it and then sleep its full
// second before connecting; waiting at most this long between steps keeps a transfer from stalling.
constexpr int kStepMilliseconds = 10;

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
using CurlHandle = std::unique_ptr<CURL, CurlDeleter>;
using MultiHandle = std::unique_ptr<CURLM, MultiDeleter>;
using Slist = std::unique_ptr<curl_slist, SlistDeleter>;

void InitCurlOnce() {
    // curl_global_init is not safe to race with itself; a function-local static runs it once.
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    if (initialised != CURLE_OK)
        throw RemoteError(std::string("Cannot start libcurl: ") + curl_easy_strerror(initialised));
}

std::string Escape(CURL* curl, const std::string& text) {
    char* escaped = curl_easy_escape(curl, text.data(), static_cast<int>(text.size()));
    if (!escaped) throw std::bad_alloc();
    std::string result(escaped);
    curl_free(escaped);
    return result;
}

// The server's last complete answer to a command: "550 Permission denied." and the command's verb.
struct Answer {
    std::string command;  // "STOR", "RNTO", … ; never arguments, so never a password
    std::string line;
    long code = 0;
};

class FtpFolder : public RemoteFolder {
public:
    FtpFolder(const Destination& destination, const Credentials& credentials)
        : destination_(destination), multi_(curl_multi_init()), curl_(curl_easy_init()) {
        if (!multi_ || !curl_)
            throw RemoteError("Cannot connect to " + destination.Address() + ": libcurl failed");
        CURL* curl = curl_.get();
        std::string host = destination.host;
        if (host.find(':') != std::string::npos && host.front() != '[') host = "[" + host + "]";
        hostPort_ = host + ":" + std::to_string(destination.PortOrDefault());
        // libcurl's own ftps:// is implicit TLS; explicit TLS is ftp:// with TLS required below.
        folderUrl_ = "ftp://" + hostPort_ + "/";
        loginUrl_ = folderUrl_;
        std::string path = destination.path;
        if (!destination.relativeToHome && !path.empty() && path.front() == '/') path.erase(0, 1);
        // A second "/" after the host's one makes the path absolute; libcurl then starts at "/" when
        // the first segment is an escaped slash.
        if (!destination.relativeToHome && !path.empty() && path.front() == '/') {
            folderUrl_ += "%2F";
            path.erase(0, path.find_first_not_of('/'));
        }
        std::size_t start = 0;
        while (start < path.size()) {
            std::size_t slash = path.find('/', start);
            if (slash == std::string::npos) slash = path.size();
            if (slash > start) folderUrl_ += Escape(curl, path.substr(start, slash - start)) + "/";
            start = slash + 1;
        }

        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
        curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, kStalledSeconds);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, kStalledSeconds);
        curl_easy_setopt(curl, CURLOPT_TCP_KEEPALIVE, 1L);
        curl_easy_setopt(curl, CURLOPT_USERNAME, destination.user.c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, credentials.password.c_str());
        if (destination.kind == DestinationKind::Ftps) {
            curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
            curl_easy_setopt(curl, CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS));
            // Besides the system's certificates: CURLOPT_CAPATH keeps pointing at those.
            if (!credentials.caFile.empty())
                curl_easy_setopt(curl, CURLOPT_CAINFO, credentials.caFile.c_str());
            // Before 8.10, libcurl closes a TLS 1.3 data connection so that the server may lose the
            // end of an upload (its known bug "FTPS upload data loss with TLS 1.3"); TLS 1.2 has
            // no such race.
            if (curl_version_info(CURLVERSION_NOW)->version_num < 0x080A00)
                curl_easy_setopt(curl, CURLOPT_SSLVERSION,
                                 static_cast<long>(CURL_SSLVERSION_TLSv1_2) |
                                     static_cast<long>(CURL_SSLVERSION_MAX_TLSv1_2));
        }
        curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, error_);
        // The commands and the server's answers come through the debug function: errors quote the
        // answer, and SizeOf tells a missing file from a failure by it.
        curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
        curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, &FtpFolder::OnDebug);
        curl_easy_setopt(curl, CURLOPT_DEBUGDATA, this);
        // With NOBODY libcurl writes the size it learnt as a header and a body line: not wanted.
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &FtpFolder::Discard);
        curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &FtpFolder::Discard);
        curl_easy_setopt(curl, CURLOPT_READFUNCTION, &FtpFolder::OnRead);
        curl_easy_setopt(curl, CURLOPT_READDATA, this);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &FtpFolder::OnProgress);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);

        // Logging in (and nothing more) at once, so a wrong password or an unreachable server fails
        // here and not at the first file.
        Reset(loginUrl_);
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
        const CURLcode code = Perform();
        if (code != CURLE_OK) throw ConnectError(code);
    }

    void Prepare() override {
        Reset(folderUrl_);
        curl_easy_setopt(curl_.get(), CURLOPT_NOBODY, 1L);
        // Retry: another client may make a folder between our failed CWD and our MKD.
        curl_easy_setopt(curl_.get(), CURLOPT_FTP_CREATE_MISSING_DIRS,
                         static_cast<long>(CURLFTP_CREATE_DIR_RETRY));
        const CURLcode code = Perform();
        if (code != CURLE_OK) throw Failure("Cannot make the folder " + destination_.Address(), code);
    }

    std::optional<std::uint64_t> SizeOf(const std::string& name) override {
        Reset(FileUrl(name));
        curl_easy_setopt(curl_.get(), CURLOPT_NOBODY, 1L);
        curl_easy_setopt(curl_.get(), CURLOPT_FILETIME, 0L);
        // SIZE counts bytes only in binary mode; TYPE I is libcurl's default, said here all the same.
        curl_easy_setopt(curl_.get(), CURLOPT_TRANSFERTEXT, 0L);
        const CURLcode code = Perform();
        if (code == CURLE_REMOTE_FILE_NOT_FOUND) return std::nullopt;
        // A folder that is not there (yet) holds no file either.
        if (code == CURLE_REMOTE_ACCESS_DENIED && answer_.command == "CWD" && answer_.code == 550)
            return std::nullopt;
        if (code != CURLE_OK) throw Failure("Cannot look at " + Where(name), code);
        curl_off_t size = -1;
        curl_easy_getinfo(curl_.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
        if (size < 0)
            throw RemoteError("Cannot look at " + Where(name) + ": the server did not tell its size");
        return static_cast<std::uint64_t>(size);
    }

    void Put(const std::string& name, const std::string& bytes,
             const std::function<void(std::uint64_t)>& sent) override {
        CURL* curl = curl_.get();
        Reset(FileUrl(name));
        upload_ = &bytes;
        uploaded_ = 0;
        sent_ = sent ? &sent : nullptr;
        lastSent_ = 0;
        curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
        curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L);
        curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(bytes.size()));
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, sent ? 0L : 1L);
        const CURLcode code = Perform();
        upload_ = nullptr;
        sent_ = nullptr;
        if (callbackError_) std::rethrow_exception(std::exchange(callbackError_, nullptr));
        if (code != CURLE_OK) throw Failure("Cannot upload " + Where(name), code);
        // FTP marks the end of an upload only by closing the data connection, so a connection lost
        // on the way looks like a complete file to the server: the size it holds tells.
        const std::optional<std::uint64_t> held = SizeOf(name);
        if (held != bytes.size())
            throw RemoteError("Cannot upload " + Where(name) + ": the server holds " +
                              std::to_string(held.value_or(0)) + " of its " + std::to_string(bytes.size()) +
                              " bytes");
    }

    void Replace(const std::string& from, const std::string& to) override {
        CheckName(from);
        CheckName(to);
        if (Quote({"RNFR " + from, "RNTO " + to}) == CURLE_OK) return;
        // Some servers refuse to rename onto an existing file: remove it first, then rename again.
        const Answer refused = answer_;
        const std::string why = Why(CURLE_QUOTE_ERROR);
        if (refused.command == "RNTO" && SizeOf(from) && SizeOf(to)) {
            const CURLcode code = Quote({"DELE " + to, "RNFR " + from, "RNTO " + to});
            if (code == CURLE_OK) return;
            throw Failure("Cannot rename " + Where(from) + " to " + to, code);
        }
        throw RemoteError("Cannot rename " + Where(from) + " to " + to + ": " + why);
    }

    void Remove(const std::string& name) override {
        CheckName(name);
        const CURLcode code = Quote({"DELE " + name});
        if (code == CURLE_OK) return;
        const std::string why = Why(code);
        if (!SizeOf(name)) return;
        throw RemoteError("Cannot remove " + Where(name) + ": " + why);
    }

private:
    // Names are plain file names; a line break would end an FTP command and start another.
    void CheckName(const std::string& name) const {
        if (!IsPlainFileName(name) || name.find_first_of("\r\n") != std::string::npos)
            throw RemoteError("Cannot use the name \"" + name + "\" on " + destination_.Address() +
                              ": not a plain file name");
    }

    std::string FileUrl(const std::string& name) {
        CheckName(name);
        return folderUrl_ + Escape(curl_.get(), name);
    }

    std::string Where(const std::string& name) const { return destination_.Address() + name; }

    // Back to the session's settings for one request; the connection and the login stay.
    void Reset(const std::string& url) {
        CURL* curl = curl_.get();
        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl, CURLOPT_NOBODY, 0L);
        curl_easy_setopt(curl, CURLOPT_UPLOAD, 0L);
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 1L);
        curl_easy_setopt(curl, CURLOPT_FTP_CREATE_MISSING_DIRS, static_cast<long>(CURLFTP_CREATE_DIR_NONE));
        curl_easy_setopt(curl, CURLOPT_POSTQUOTE, nullptr);
        curl_easy_setopt(curl, CURLOPT_FILETIME, 0L);
    }

    CURLcode Perform() {
        error_[0] = '\0';
        answer_ = {};
        command_.clear();
        // The session's connection stays in the multi handle's cache between requests.
        if (curl_multi_add_handle(multi_.get(), curl_.get()) != CURLM_OK) return CURLE_FAILED_INIT;
        CURLcode result = CURLE_OK;
        int running = 1;
        while (running) {
            if (curl_multi_perform(multi_.get(), &running) != CURLM_OK) {
                result = CURLE_FAILED_INIT;
                break;
            }
            if (running) curl_multi_poll(multi_.get(), nullptr, 0, kStepMilliseconds, nullptr);
        }
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_.get(), &left))
            if (message->msg == CURLMSG_DONE) result = message->data.result;
        curl_multi_remove_handle(multi_.get(), curl_.get());
        return result;
    }

    // Commands run in the destination folder: POSTQUOTE comes after libcurl's CWD into it, where
    // QUOTE would run wherever the previous request left the connection.
    CURLcode Quote(const std::vector<std::string>& commands) {
        Slist list;
        for (const std::string& command : commands) {
            curl_slist* longer = curl_slist_append(list.get(), command.c_str());
            if (!longer) throw std::bad_alloc();
            list.release();
            list.reset(longer);
        }
        Reset(folderUrl_);
        curl_easy_setopt(curl_.get(), CURLOPT_NOBODY, 1L);
        curl_easy_setopt(curl_.get(), CURLOPT_POSTQUOTE, list.get());
        const CURLcode code = Perform();
        curl_easy_setopt(curl_.get(), CURLOPT_POSTQUOTE, nullptr);
        return code;
    }

    // What went wrong, for a message: the server's answer where it gave one, else libcurl's words.
    std::string Why(CURLcode code) const {
        const std::string curlSays = error_[0] ? std::string(error_) : std::string(curl_easy_strerror(code));
        if (!answer_.line.empty() && answer_.code >= 400) return answer_.line;
        return curlSays;
    }

    RemoteError Failure(const std::string& what, CURLcode code) const {
        if (code == CURLE_COULDNT_CONNECT || code == CURLE_OPERATION_TIMEDOUT || code == CURLE_SEND_ERROR ||
            code == CURLE_RECV_ERROR || code == CURLE_GOT_NOTHING)
            return RemoteError(what + ": the connection to " + hostPort_ + " failed: " + Why(code));
        return RemoteError(what + ": " + Why(code));
    }

    RemoteError ConnectError(CURLcode code) const {
        const std::string address = destination_.Address();
        const std::string curlSays = error_[0] ? std::string(error_) : std::string(curl_easy_strerror(code));
        switch (code) {
            case CURLE_LOGIN_DENIED:
                return RemoteError("Cannot log in to " + address + " as " + destination_.user + ": " +
                                   (answer_.line.empty() ? curlSays : answer_.line));
            case CURLE_SSL_CACERT_BADFILE:
                return RemoteError("Cannot connect securely to " + address + ": " + curlSays);
            case CURLE_PEER_FAILED_VERIFICATION:
                return RemoteError("Cannot connect securely to " + address +
                                   ": its certificate is not trusted (" + curlSays + ")");
            case CURLE_USE_SSL_FAILED:
                return RemoteError("Cannot connect securely to " + address +
                                   ": the server offers no TLS (AUTH TLS); " + Why(code));
            default:
                return RemoteError("Cannot connect to " + address + " (" + hostPort_ + "): " + Why(code));
        }
    }

    static int OnDebug(CURL*, curl_infotype type, char* data, std::size_t size, void* self) {
        auto* folder = static_cast<FtpFolder*>(self);
        if (type == CURLINFO_HEADER_OUT) {
            // Only the verb is kept: PASS carries the password.
            const std::string_view line(data, size);
            folder->command_ = std::string(line.substr(0, line.find_first_of(" \r\n")));
        } else if (type == CURLINFO_HEADER_IN) {
            std::string_view lines(data, size);
            while (!lines.empty()) {
                const std::size_t end = lines.find('\n');
                std::string_view line = lines.substr(0, end);
                lines = end == std::string_view::npos ? std::string_view() : lines.substr(end + 1);
                while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
                // "550 Why." ends an answer; "550-…" lines continue one.
                if (line.size() >= 4 &&
                    std::all_of(line.begin(), line.begin() + 3,
                                [](char c) { return c >= '0' && c <= '9'; }) &&
                    line[3] == ' ')
                    folder->answer_ = {folder->command_, std::string(line),
                                       std::stol(std::string(line.substr(0, 3)))};
            }
        }
        return 0;
    }

    static std::size_t Discard(char*, std::size_t size, std::size_t count, void*) { return size * count; }

    static std::size_t OnRead(char* buffer, std::size_t size, std::size_t count, void* self) {
        auto* folder = static_cast<FtpFolder*>(self);
        if (!folder->upload_) return 0;
        const std::size_t n = std::min(size * count, folder->upload_->size() - folder->uploaded_);
        std::memcpy(buffer, folder->upload_->data() + folder->uploaded_, n);
        folder->uploaded_ += n;
        return n;
    }

    static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t ulnow) {
        auto* folder = static_cast<FtpFolder*>(self);
        if (!folder->sent_ || ulnow <= 0 || static_cast<std::uint64_t>(ulnow) == folder->lastSent_) return 0;
        folder->lastSent_ = static_cast<std::uint64_t>(ulnow);
        // An exception must not cross libcurl: kept, the transfer stopped, and thrown again by Put.
        try {
            (*folder->sent_)(folder->lastSent_);
        } catch (...) {
            folder->callbackError_ = std::current_exception();
            return 1;
        }
        return 0;
    }

    Destination destination_;
    MultiHandle multi_;  // declared first: freed after the easy handle that uses it
    CurlHandle curl_;
    std::string hostPort_;
    std::string loginUrl_;
    std::string folderUrl_;
    char error_[CURL_ERROR_SIZE] = {};
    std::string command_;
    Answer answer_;
    const std::string* upload_ = nullptr;
    std::size_t uploaded_ = 0;
    const std::function<void(std::uint64_t)>* sent_ = nullptr;
    std::uint64_t lastSent_ = 0;
    std::exception_ptr callbackError_;
};

}  // namespace

std::unique_ptr<RemoteFolder> OpenFtpFolder(const Destination& destination, const Credentials& credentials) {
    if (destination.kind == DestinationKind::Ftp && !credentials.cleartextAccepted)
        throw RemoteError("Will not connect to " + destination.Address() +
                          ": plain ftp:// sends the password (and every file) readable to anyone on the way. "
                          "Use ftps:// where the server offers it, or accept this with --allow-cleartext.");
    if (destination.kind != DestinationKind::Ftp && destination.kind != DestinationKind::Ftps)
        throw RemoteError("Cannot connect to " + destination.Address() + ": not an FTP address");
    InitCurlOnce();
    return std::make_unique<FtpFolder>(destination, credentials);
}

}  // namespace wexbo
