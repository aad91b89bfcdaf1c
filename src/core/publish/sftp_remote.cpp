#include "publish/sftp_remote.h"

#include <fcntl.h>
#include <libssh/libssh.h>
#include <libssh/sftp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

namespace wexbo {

namespace {

// Long enough for a slow server far away, short enough that a dead one is noticed.
constexpr long kTimeoutSeconds = 20;
// What SFTP servers accept in one write at the least.
constexpr std::size_t kChunk = 32 * 1024;
// Larger answers to the one request sent on our own channel are not SFTP.
constexpr std::uint32_t kMaxPacket = 256 * 1024;

struct SessionFree {
    void operator()(ssh_session session) const {
        if (ssh_is_connected(session)) ssh_disconnect(session);
        ssh_free(session);
    }
};
struct SftpFree {
    void operator()(sftp_session sftp) const { sftp_free(sftp); }
};
struct FileClose {
    void operator()(sftp_file file) const { sftp_close(file); }
};
struct AttributesFree {
    void operator()(sftp_attributes attributes) const { sftp_attributes_free(attributes); }
};
struct KeyFree {
    void operator()(ssh_key key) const { ssh_key_free(key); }
};
struct ChannelFree {
    void operator()(ssh_channel channel) const {
        if (ssh_channel_is_open(channel)) ssh_channel_close(channel);
        ssh_channel_free(channel);
    }
};
struct HashFree {
    void operator()(unsigned char* hash) const { ssh_clean_pubkey_hash(&hash); }
};
struct CharFree {
    void operator()(char* text) const { ssh_string_free_char(text); }
};

using Session = std::unique_ptr<ssh_session_struct, SessionFree>;
using Sftp = std::unique_ptr<sftp_session_struct, SftpFree>;
using File = std::unique_ptr<sftp_file_struct, FileClose>;
using Attributes = std::unique_ptr<sftp_attributes_struct, AttributesFree>;
using Key = std::unique_ptr<ssh_key_struct, KeyFree>;
using Channel = std::unique_ptr<ssh_channel_struct, ChannelFree>;

// The texts OpenSSH gives its status codes: what the server answered, as a user reads it.
std::string StatusText(int code) {
    switch (code) {
        case SSH_FX_OK:
            return "Success";
        case SSH_FX_EOF:
            return "End of file";
        case SSH_FX_NO_SUCH_FILE:
            return "No such file";
        case SSH_FX_PERMISSION_DENIED:
            return "Permission denied";
        case SSH_FX_FAILURE:
            return "Failure";
        case SSH_FX_BAD_MESSAGE:
            return "Bad message";
        case SSH_FX_NO_CONNECTION:
            return "No connection";
        case SSH_FX_CONNECTION_LOST:
            return "Connection lost";
        case SSH_FX_OP_UNSUPPORTED:
            return "Operation unsupported";
        case SSH_FX_INVALID_HANDLE:
            return "Invalid handle";
        case SSH_FX_NO_SUCH_PATH:
            return "No such path";
        case SSH_FX_FILE_ALREADY_EXISTS:
            return "File already exists";
        case SSH_FX_WRITE_PROTECT:
            return "Write protected";
        case SSH_FX_NO_MEDIA:
            return "No media";
    }
    return "Error " + std::to_string(code);
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return ".";
}

// The host as known_hosts names it: the port only where it is not SSH's own.
std::string KnownHostsName(const Destination& destination) {
    const int port = destination.PortOrDefault();
    if (port == 22) return destination.host;
    return "[" + destination.host + "]:" + std::to_string(port);
}

std::string Fingerprint(ssh_session session) {
    ssh_key raw = nullptr;
    if (ssh_get_server_publickey(session, &raw) != SSH_OK) return "(unknown key)";
    const Key key(raw);
    unsigned char* rawHash = nullptr;
    size_t length = 0;
    if (ssh_get_publickey_hash(key.get(), SSH_PUBLICKEY_HASH_SHA256, &rawHash, &length) != 0)
        return "(unknown key)";
    const std::unique_ptr<unsigned char, HashFree> hash(rawHash);
    const std::unique_ptr<char, CharFree> text(
        ssh_get_fingerprint_hash(SSH_PUBLICKEY_HASH_SHA256, hash.get(), length));
    return text ? std::string(text.get()) : "(unknown key)";
}

void AppendU32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xff);
}
void AppendString(std::string& out, const std::string& text) {
    AppendU32(out, static_cast<std::uint32_t>(text.size()));
    out += text;
}
std::uint32_t ReadU32(const std::string& in, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(in[at + i]);
    return value;
}

// A second SFTP channel on the same connection for the one request libssh 0.10 cannot send:
// posix-rename@openssh.com, which replaces an existing file in one step (plain SFTP rename refuses
// an existing target, and removing it first leaves the page missing for a moment).
class PosixRenameChannel {
public:
    // None when the server refuses a second channel.
    static std::unique_ptr<PosixRenameChannel> Open(ssh_session session) {
        Channel channel(ssh_channel_new(session));
        if (!channel || ssh_channel_open_session(channel.get()) != SSH_OK ||
            ssh_channel_request_subsystem(channel.get(), "sftp") != SSH_OK)
            return nullptr;
        auto opened = std::unique_ptr<PosixRenameChannel>(new PosixRenameChannel(std::move(channel)));
        std::string init;
        AppendU32(init, 3);  // the version every server speaks
        std::string version;
        if (!opened->Send(SSH_FXP_INIT, init) || !opened->Receive(version) ||
            version[0] != static_cast<char>(SSH_FXP_VERSION))
            return nullptr;
        return opened;
    }

    // The server's status code; none when the channel failed.
    std::optional<int> Rename(const std::string& from, const std::string& to) {
        const std::uint32_t id = nextId_++;
        std::string request;
        AppendU32(request, id);
        AppendString(request, "posix-rename@openssh.com");
        AppendString(request, from);
        AppendString(request, to);
        std::string reply;
        if (!Send(SSH_FXP_EXTENDED, request) || !Receive(reply)) return std::nullopt;
        if (reply.size() < 9 || reply[0] != static_cast<char>(SSH_FXP_STATUS) || ReadU32(reply, 1) != id)
            return std::nullopt;
        return static_cast<int>(ReadU32(reply, 5));
    }

private:
    explicit PosixRenameChannel(Channel channel) : channel_(std::move(channel)) {}

    bool Send(std::uint8_t type, const std::string& payload) {
        std::string packet;
        AppendU32(packet, static_cast<std::uint32_t>(payload.size() + 1));
        packet += static_cast<char>(type);
        packet += payload;
        return ssh_channel_write(channel_.get(), packet.data(), static_cast<std::uint32_t>(packet.size())) ==
               static_cast<int>(packet.size());
    }

    // One packet: its type byte, then its payload.
    bool Receive(std::string& packet) {
        std::string length;
        if (!ReadExactly(4, length)) return false;
        const std::uint32_t size = ReadU32(length, 0);
        return size >= 1 && size <= kMaxPacket && ReadExactly(size, packet);
    }

    bool ReadExactly(std::size_t count, std::string& out) {
        out.assign(count, '\0');
        std::size_t got = 0;
        while (got < count) {
            const int read = ssh_channel_read_timeout(channel_.get(), out.data() + got,
                                                      static_cast<std::uint32_t>(count - got), 0,
                                                      static_cast<int>(kTimeoutSeconds * 1000));
            if (read <= 0) return false;
            got += static_cast<std::size_t>(read);
        }
        return true;
    }

    Channel channel_;
    std::uint32_t nextId_ = 1;
};

class SftpFolder : public RemoteFolder {
public:
    SftpFolder(Session session, Sftp sftp, const Destination& destination)
        : session_(std::move(session)),
          sftp_(std::move(sftp)),
          folder_(destination.path),
          relative_(destination.relativeToHome),
          server_(destination.user + "@" + KnownHostsName(destination)) {}

    void Prepare() override {
        if (IsFolder(folder_)) return;
        // Top down, so that a file in the way is named rather than reported as a missing parent.
        std::size_t slash = folder_.rfind('/', 0) == 0 ? 1 : 0;
        while ((slash = folder_.find('/', slash)) != std::string::npos) {
            const std::string part = folder_.substr(0, slash++);
            if (part.empty()) continue;
            Attributes attributes(sftp_stat(sftp_.get(), part.c_str()));
            if (attributes) {
                if (attributes->type == SSH_FILEXFER_TYPE_DIRECTORY) continue;
                throw RemoteError(CannotMake(part) + "a file is in the way");
            }
            if (sftp_get_error(sftp_.get()) != SSH_FX_NO_SUCH_FILE)
                throw RemoteError(CannotMake(part) + Answer());
            // Made by someone else meanwhile is as good.
            if (sftp_mkdir(sftp_.get(), part.c_str(), 0755) != 0) {
                const std::string answer = Answer();
                if (!IsFolder(part)) throw RemoteError(CannotMake(part) + answer);
            }
        }
    }

    std::optional<std::uint64_t> SizeOf(const std::string& name) override {
        const std::string path = folder_ + name;
        Attributes attributes(sftp_lstat(sftp_.get(), path.c_str()));
        if (!attributes) {
            const int code = sftp_get_error(sftp_.get());
            if (code == SSH_FX_NO_SUCH_FILE || code == SSH_FX_NO_SUCH_PATH) return std::nullopt;
            throw RemoteError("Cannot look at " + Shown(path) + " on " + server_ + ": " + Answer());
        }
        if (attributes->type != SSH_FILEXFER_TYPE_REGULAR) return std::nullopt;
        return attributes->size;
    }

    void Put(const std::string& name, const std::string& bytes,
             const std::function<void(std::uint64_t)>& sent) override {
        const std::string path = folder_ + name;
        auto fail = [&] {
            return RemoteError("Cannot write " + Shown(path) + " on " + server_ + ": " + Answer());
        };
        File file(sftp_open(sftp_.get(), path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644));
        if (!file) throw fail();
        std::size_t done = 0;
        while (done < bytes.size()) {
            const std::size_t size = std::min(kChunk, bytes.size() - done);
            const ssize_t written = sftp_write(file.get(), bytes.data() + done, size);
            if (written <= 0) throw fail();
            done += static_cast<std::size_t>(written);
            if (sent) sent(done);
        }
        // The server may only now report that the disk is full.
        if (sftp_close(file.release()) != SSH_NO_ERROR) throw fail();
        if (sent && bytes.empty()) sent(0);
    }

    void Replace(const std::string& from, const std::string& to) override {
        const std::string source = folder_ + from;
        const std::string target = folder_ + to;
        if (PosixRename(source, target)) return;
        if (sftp_rename(sftp_.get(), source.c_str(), target.c_str()) == 0) return;
        // Plain SFTP refuses to rename onto an existing file: remove it first, once the source is
        // known to be there, so the page is missing only until the rename.
        const std::string answer = Answer();
        const std::string cannot = "Cannot rename " + Shown(source) + " to " + to + " on " + server_ + ": ";
        if (!Exists(source)) throw RemoteError(cannot + StatusText(SSH_FX_NO_SUCH_FILE));
        if (!Exists(target)) throw RemoteError(cannot + answer);
        if (sftp_unlink(sftp_.get(), target.c_str()) != 0)
            throw RemoteError("Cannot replace " + Shown(target) + " on " + server_ + ": " + Answer());
        if (sftp_rename(sftp_.get(), source.c_str(), target.c_str()) != 0)
            throw RemoteError(cannot + Answer());
    }

    void Remove(const std::string& name) override {
        const std::string path = folder_ + name;
        if (sftp_unlink(sftp_.get(), path.c_str()) == 0) return;
        const int code = sftp_get_error(sftp_.get());
        if (code == SSH_FX_NO_SUCH_FILE || code == SSH_FX_NO_SUCH_PATH) return;
        throw RemoteError("Cannot remove " + Shown(path) + " on " + server_ + ": " + Answer());
    }

private:
    // The server's answer to the last request; the connection's own error where there was none.
    // (The SFTP status of an earlier request stays set when the connection fails.)
    std::string Answer() const {
        const int code = sftp_get_error(sftp_.get());
        if (code != SSH_FX_OK && ssh_get_error_code(session_.get()) != SSH_FATAL) return StatusText(code);
        const char* error = ssh_get_error(session_.get());
        return error && *error ? error : "the connection failed";
    }

    std::string Shown(const std::string& path) const { return relative_ ? "~/" + path : path; }

    std::string CannotMake(const std::string& part) const {
        return "Cannot make the folder " + Shown(folder_) + " on " + server_ + " (at " + Shown(part) + "): ";
    }

    bool IsFolder(const std::string& path) const {
        if (path.empty()) return true;  // the login folder
        Attributes attributes(sftp_stat(sftp_.get(), path.c_str()));
        return attributes && attributes->type == SSH_FILEXFER_TYPE_DIRECTORY;
    }

    bool Exists(const std::string& path) const {
        return Attributes(sftp_lstat(sftp_.get(), path.c_str())) != nullptr;
    }

    // True when the server replaced the file in one step; false where it cannot (then the caller
    // renames the plain way), throwing where it answered that the rename itself is wrong.
    bool PosixRename(const std::string& source, const std::string& target) {
        if (!posixRenameTried_) {
            posixRenameTried_ = true;
            if (sftp_extension_supported(sftp_.get(), "posix-rename@openssh.com", "1"))
                posixRename_ = PosixRenameChannel::Open(session_.get());
        }
        if (!posixRename_) return false;
        const std::optional<int> code = posixRename_->Rename(source, target);
        if (!code) {
            posixRename_.reset();
            return false;
        }
        if (*code == SSH_FX_OK) return true;
        // Offered but refused (a server may forbid it): the plain way may still be allowed, and is
        // used from now on.
        if (*code == SSH_FX_PERMISSION_DENIED || *code == SSH_FX_OP_UNSUPPORTED) {
            posixRename_.reset();
            return false;
        }
        throw RemoteError("Cannot rename " + Shown(source) + " to " + target.substr(folder_.size()) + " on " +
                          server_ + ": " + StatusText(*code));
    }

    Session session_;
    Sftp sftp_;
    std::string folder_;  // as sent to the server: absolute, or relative to the login folder
    bool relative_;       // to the login folder: messages show it as ~/…
    std::string server_;  // user@host[:port]
    bool posixRenameTried_ = false;
    std::unique_ptr<PosixRenameChannel> posixRename_;
};

void CheckHostKey(ssh_session session, const Destination& destination, const Credentials& credentials,
                  const std::string& knownHosts) {
    const std::string host = KnownHostsName(destination);
    switch (ssh_session_is_known_server(session)) {
        case SSH_KNOWN_HOSTS_OK:
            return;
        case SSH_KNOWN_HOSTS_CHANGED:
        case SSH_KNOWN_HOSTS_OTHER:
            throw HostKeyChanged("WARNING: the host key of " + host +
                                 " has changed. The server now shows the key " + Fingerprint(session) +
                                 ", which is not the one " + knownHosts +
                                 " holds for it. This may be an attack (someone between you and the server "
                                 "pretending to be it); nothing was sent. If the server's key was changed on "
                                 "purpose, remove its old line from " +
                                 knownHosts + " and connect again.");
        case SSH_KNOWN_HOSTS_UNKNOWN:
        case SSH_KNOWN_HOSTS_NOT_FOUND: {
            const HostKeyQuestion question{host, Fingerprint(session)};
            if (!credentials.acceptUnknownHostKey || !credentials.acceptUnknownHostKey(question))
                throw HostKeyUnknown("The host key of " + host + " is not known: its fingerprint is " +
                                     question.fingerprint +
                                     ". Check that this is the server's key, then accept it (on the command "
                                     "line with --accept-new-host-key); nothing was sent.");
            // libssh writes the file but leaves a missing ~/.ssh to us.
            std::error_code ignored;
            const std::filesystem::path folder = std::filesystem::path(knownHosts).parent_path();
            if (!folder.empty() && !std::filesystem::exists(folder, ignored) &&
                std::filesystem::create_directories(folder, ignored))
                ::chmod(folder.c_str(), 0700);
            if (ssh_session_update_known_hosts(session) != SSH_OK)
                throw RemoteError("Cannot add the host key of " + host + " to " + knownHosts + ": " +
                                  ssh_get_error(session));
            return;
        }
        case SSH_KNOWN_HOSTS_ERROR:
            break;
    }
    throw RemoteError("Cannot check the host key of " + host + " against " + knownHosts + ": " +
                      ssh_get_error(session));
}

// Answers every hidden prompt with the password: servers that only offer keyboard-interactive
// ask for it that way.
int KeyboardInteractive(ssh_session session, const std::string& password) {
    int result = ssh_userauth_kbdint(session, nullptr, nullptr);
    for (int round = 0; result == SSH_AUTH_INFO && round < 5; ++round) {
        const int prompts = ssh_userauth_kbdint_getnprompts(session);
        for (int i = 0; i < prompts; ++i) {
            char echo = 0;
            ssh_userauth_kbdint_getprompt(session, static_cast<unsigned>(i), &echo);
            ssh_userauth_kbdint_setanswer(session, static_cast<unsigned>(i), echo ? "" : password.c_str());
        }
        result = ssh_userauth_kbdint(session, nullptr, nullptr);
    }
    return result == SSH_AUTH_INFO ? SSH_AUTH_DENIED : result;
}

void LogIn(ssh_session session, const Destination& destination, const Credentials& credentials) {
    const std::string who = "Cannot log in to " + destination.Address() + " as " + destination.user + ": ";
    int result = ssh_userauth_none(session, nullptr);
    if (result == SSH_AUTH_SUCCESS) return;
    if (result == SSH_AUTH_ERROR) throw RemoteError(who + ssh_get_error(session));
    const int methods = ssh_userauth_list(session, nullptr);
    std::string refused;
    if (!credentials.identityFile.empty()) {
        const std::string& file = credentials.identityFile;
        if (::access(file.c_str(), R_OK) != 0)
            throw RemoteError(who + "cannot read the key " + file + ": " + std::strerror(errno));
        ssh_key raw = nullptr;
        if (ssh_pki_import_privkey_file(file.c_str(), nullptr, nullptr, nullptr, &raw) != SSH_OK)
            throw RemoteError(
                who + "the key " + file +
                " is not a private key or is protected by a passphrase; keys with a passphrase "
                "are not supported (leave the key out to use ssh-agent and the keys of ~/.ssh)");
        const Key key(raw);
        result = ssh_userauth_publickey(session, nullptr, key.get());
        refused = "the server refused the key " + file;
    } else if (!credentials.password.empty()) {
        result = SSH_AUTH_DENIED;
        if (methods & SSH_AUTH_METHOD_PASSWORD)
            result = ssh_userauth_password(session, nullptr, credentials.password.c_str());
        if (result == SSH_AUTH_DENIED && (methods & SSH_AUTH_METHOD_INTERACTIVE))
            result = KeyboardInteractive(session, credentials.password);
        refused = (methods & (SSH_AUTH_METHOD_PASSWORD | SSH_AUTH_METHOD_INTERACTIVE))
                      ? "the server refused the password"
                      : "the server does not accept passwords, only keys";
    } else {
        result = ssh_userauth_publickey_auto(session, nullptr, nullptr);
        refused = "the server refused the keys of ~/.ssh (and of ssh-agent)";
    }
    if (result == SSH_AUTH_SUCCESS) return;
    if (result == SSH_AUTH_ERROR) throw RemoteError(who + ssh_get_error(session));
    if (result == SSH_AUTH_PARTIAL)
        throw RemoteError(who + "the server asks for a second way of logging in, which is not supported");
    throw RemoteError(who + refused);
}

}  // namespace

std::unique_ptr<RemoteFolder> OpenSftpFolder(const Destination& destination, const Credentials& credentials) {
    const std::string where = destination.host + ":" + std::to_string(destination.PortOrDefault());
    Session session(ssh_new());
    if (!session) throw RemoteError("Cannot connect to " + where + ": out of memory");
    const std::string home = HomeFolder();
    const std::string knownHosts =
        credentials.knownHostsFile.empty() ? home + "/.ssh/known_hosts" : credentials.knownHostsFile;
    const std::string sshFolder = home + "/.ssh";
    const int port = destination.PortOrDefault();
    const long timeout = kTimeoutSeconds;
    const bool readConfig = false;  // what is checked must not depend on ~/.ssh/config
    // Each file is a few small requests that wait for their answers: without this, Nagle's
    // algorithm and delayed acknowledgements hold every one of them back by tens of milliseconds.
    const int noDelay = 1;
    ssh_session raw = session.get();
    if (ssh_options_set(raw, SSH_OPTIONS_HOST, destination.host.c_str()) != SSH_OK ||
        ssh_options_set(raw, SSH_OPTIONS_PORT, &port) != SSH_OK ||
        ssh_options_set(raw, SSH_OPTIONS_USER, destination.user.c_str()) != SSH_OK ||
        ssh_options_set(raw, SSH_OPTIONS_PROCESS_CONFIG, &readConfig) != SSH_OK ||
        ssh_options_set(raw, SSH_OPTIONS_SSH_DIR, sshFolder.c_str()) != SSH_OK ||
        // The same file twice, so the system's known hosts do not count.
        ssh_options_set(raw, SSH_OPTIONS_KNOWNHOSTS, knownHosts.c_str()) != SSH_OK ||
        ssh_options_set(raw, SSH_OPTIONS_GLOBAL_KNOWNHOSTS, knownHosts.c_str()) != SSH_OK ||
        ssh_options_set(raw, SSH_OPTIONS_TIMEOUT, &timeout) != SSH_OK ||
        ssh_options_set(raw, SSH_OPTIONS_NODELAY, &noDelay) != SSH_OK)
        throw RemoteError("Cannot connect to " + where + ": " + ssh_get_error(raw));
    if (ssh_connect(raw) != SSH_OK)
        throw RemoteError("Cannot connect to " + where + ": " + ssh_get_error(raw));

    CheckHostKey(raw, destination, credentials, knownHosts);
    LogIn(raw, destination, credentials);

    Sftp sftp(sftp_new(raw));
    if (!sftp || sftp_init(sftp.get()) != SSH_OK)
        throw RemoteError("Cannot start SFTP on " + destination.Address() + ": " + ssh_get_error(raw));
    return std::make_unique<SftpFolder>(std::move(session), std::move(sftp), destination);
}

}  // namespace wexbo
