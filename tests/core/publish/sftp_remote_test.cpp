// The SFTP destination against the OpenSSH server of tests/servers/sftp_server.sh, on 127.0.0.1. The
// server runs on this machine, so what arrived is checked on disk, not through the same connection.
#include "publish/sftp_remote.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace fs = std::filesystem;

namespace wexbo {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// What sftp_server.sh left for clients.
struct Server {
    std::string dir;  // with "/"
    int port = 0;
    std::string user;
    std::string passwordUser;  // empty where the script could not make one
    std::string password;
};

std::string Line(const std::string& path) {
    std::string text = ReadFile(path);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

const Server& TheServer() {
    static const Server server = [] {
        Server s;
        const char* servers = std::getenv("WEXBO_TEST_SERVERS");
        if (!servers) return s;
        s.dir = std::string(servers) + "/sftp/";
        const std::string port = Line(s.dir + "port");
        s.port = port.empty() ? 0 : std::stoi(port);
        s.user = Line(s.dir + "user");
        s.passwordUser = Line(s.dir + "password_user");
        s.password = Line(s.dir + "password");
        return s;
    }();
    return server;
}

// stdout of a shell command; the test fails where it fails.
std::string RunCommand(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return "";
    std::string out;
    std::array<char, 4096> buffer{};
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe.get()))
        out.append(buffer.data(), got);
    const int status = ::pclose(pipe.release());
    EXPECT_EQ(status, 0) << command;
    return out;
}

// "SHA256:…" as ssh-keygen shows the server's key.
std::string ExpectedFingerprint() {
    std::istringstream words(RunCommand("ssh-keygen -l -E sha256 -f " + TheServer().dir + "host_key.pub"));
    std::string bits, fingerprint;
    words >> bits >> fingerprint;
    return fingerprint;
}

// "type base64" of a public key file.
std::string PublicKey(const std::string& file) {
    std::istringstream words(ReadFile(file));
    std::string type, key;
    words >> type >> key;
    return type + " " + key;
}

std::string KnownHostsName() { return "[127.0.0.1]:" + std::to_string(TheServer().port); }

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A name no other test (nor an earlier run) uses.
std::string UniqueName() {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("t-") + info->test_suite_name() + "-" + info->name();
    for (char& c : name)
        if (c == '/') c = '_';
    return name + "-" + std::to_string(::getpid());
}

Destination Parse(const std::string& address) {
    std::string error;
    const std::optional<Destination> destination = ParseDestination(address, error);
    EXPECT_TRUE(destination) << address << ": " << error;
    return destination.value_or(Destination{});
}

std::string Address(const std::string& user, const std::string& path) {
    return "sftp://" + user + "@127.0.0.1:" + std::to_string(TheServer().port) + path;
}

class SftpTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_GT(TheServer().port, 0) << "no server: run through ctest, whose fixture starts it";
        folder_ = TheServer().dir + "remote/" + UniqueName() + "/";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    // Logs in with the server's user key; the server's key is known.
    Credentials KeyLogin() const {
        Credentials credentials;
        credentials.identityFile = TheServer().dir + "user_key";
        credentials.knownHostsFile = TheServer().dir + "known_hosts";
        return credentials;
    }

    std::unique_ptr<RemoteFolder> OpenFolder(const std::string& folder) {
        return OpenSftpFolder(Parse(Address(TheServer().user, folder)), KeyLogin());
    }

    std::string folder_;
};

// The two ways in, each with its way of replacing a file: the key user's server offers
// posix-rename@openssh.com, the password user's refuses it (see sftp_server.sh).
enum class Login { Key, Password };
void PrintTo(Login login, std::ostream* out) { *out << (login == Login::Key ? "Key" : "Password"); }

class SftpLoginTest : public SftpTest, public testing::WithParamInterface<Login> {
protected:
    void SetUp() override {
        SftpTest::SetUp();
        if (GetParam() == Login::Password) {
            if (TheServer().passwordUser.empty())
                GTEST_SKIP() << "the server script could not make a password user";
            folder_ = TheServer().dir + "password_home/" + UniqueName() + "/";
        }
    }

    std::unique_ptr<RemoteFolder> Open() {
        if (GetParam() == Login::Key) return OpenFolder(folder_);
        Credentials credentials;
        credentials.password = TheServer().password;
        credentials.knownHostsFile = TheServer().dir + "known_hosts";
        return OpenSftpFolder(Parse(Address(TheServer().passwordUser, folder_)), credentials);
    }
};

TEST_P(SftpLoginTest, WritesLooksAtRenamesAndRemovesFiles) {
    const std::unique_ptr<RemoteFolder> remote = Open();
    remote->Prepare();
    ASSERT_TRUE(fs::is_directory(folder_));

    const std::string bytes = RandomBytes(100'000, 1);
    remote->Put("page.html", bytes);
    EXPECT_EQ(ReadFile(folder_ + "page.html"), bytes);
    EXPECT_EQ(remote->SizeOf("page.html"), bytes.size());
    EXPECT_EQ(
        fs::status(folder_ + "page.html").permissions() & fs::perms::all,
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);

    // Written again shorter: the old tail is gone.
    remote->Put("page.html", "short");
    EXPECT_EQ(ReadFile(folder_ + "page.html"), "short");
    EXPECT_EQ(remote->SizeOf("page.html"), 5u);

    remote->Replace("page.html", "index.html");
    EXPECT_FALSE(fs::exists(folder_ + "page.html"));
    EXPECT_EQ(ReadFile(folder_ + "index.html"), "short");
    EXPECT_EQ(remote->SizeOf("page.html"), std::nullopt);
    EXPECT_EQ(remote->SizeOf("index.html"), 5u);

    remote->Remove("index.html");
    EXPECT_FALSE(fs::exists(folder_ + "index.html"));
    EXPECT_EQ(remote->SizeOf("index.html"), std::nullopt);
    EXPECT_NO_THROW(remote->Remove("index.html"));
    EXPECT_NO_THROW(remote->Remove("never-there.jpg"));
    EXPECT_TRUE(Listing(folder_).empty());
}

TEST_P(SftpLoginTest, ReplacesAnExistingFileAndLeavesNoTemporaryFile) {
    const std::unique_ptr<RemoteFolder> remote = Open();
    remote->Prepare();
    remote->Put("index.html", "the old page");
    remote->Put("other.html", "untouched");
    for (int round = 1; round <= 2; ++round) {
        const std::string fresh = "the new page, round " + std::to_string(round);
        remote->Put(".wexbo-upload.index.html", fresh);
        remote->Replace(".wexbo-upload.index.html", "index.html");
        EXPECT_EQ(ReadFile(folder_ + "index.html"), fresh);
        EXPECT_EQ(remote->SizeOf("index.html"), fresh.size());
        EXPECT_EQ(Listing(folder_), (std::vector<std::string>{"index.html", "other.html"}));
    }
    EXPECT_EQ(ReadFile(folder_ + "other.html"), "untouched");
}

TEST_P(SftpLoginTest, ReplacingAMissingFileFailsAndKeepsTheTarget) {
    const std::unique_ptr<RemoteFolder> remote = Open();
    remote->Prepare();
    remote->Put("index.html", "still here");
    try {
        remote->Replace("gone.html", "index.html");
        FAIL() << "renamed a file that is not there";
    } catch (const RemoteError& error) {
        EXPECT_NE(std::string(error.what()).find(folder_ + "gone.html"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find("No such file"), std::string::npos) << error.what();
    }
    EXPECT_EQ(ReadFile(folder_ + "index.html"), "still here");
}

INSTANTIATE_TEST_SUITE_P(Logins, SftpLoginTest, testing::Values(Login::Key, Login::Password),
                         [](const testing::TestParamInfo<Login>& info) {
                             return info.param == Login::Key ? "Key" : "Password";
                         });

TEST_F(SftpTest, PrepareMakesMissingFoldersAndKeepsExistingOnes) {
    const std::string nested = folder_ + "a/b/c/";
    const std::unique_ptr<RemoteFolder> remote = OpenFolder(nested);
    remote->Prepare();
    ASSERT_TRUE(fs::is_directory(nested));
    remote->Put("photo.jpg", "jpeg");
    remote->Prepare();
    EXPECT_EQ(ReadFile(nested + "photo.jpg"), "jpeg");
    EXPECT_EQ(fs::status(folder_ + "a").permissions() & fs::perms::all,
              fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                  fs::perms::others_exec);
}

TEST_F(SftpTest, ProgressCountsUpToTheWholeFile) {
    const std::unique_ptr<RemoteFolder> remote = OpenFolder(folder_);
    remote->Prepare();
    const std::string bytes = RandomBytes(200'001, 2);
    std::vector<std::uint64_t> told;
    remote->Put("big.jpg", bytes, [&](std::uint64_t sent) { told.push_back(sent); });
    ASSERT_GT(told.size(), 1u) << "200 kB in one step";
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_LT(told.front(), bytes.size());
    EXPECT_EQ(told.back(), bytes.size());
    EXPECT_EQ(ReadFile(folder_ + "big.jpg"), bytes);

    told.clear();
    remote->Put("empty.txt", "", [&](std::uint64_t sent) { told.push_back(sent); });
    EXPECT_EQ(told, std::vector<std::uint64_t>{0});
    EXPECT_TRUE(fs::is_regular_file(folder_ + "empty.txt"));
    EXPECT_EQ(remote->SizeOf("empty.txt"), 0u);
}

TEST_F(SftpTest, SizeOfSaysNoneForFoldersAndMissingFiles) {
    const std::unique_ptr<RemoteFolder> remote = OpenFolder(folder_);
    remote->Prepare();
    fs::create_directories(folder_ + "sub");
    EXPECT_EQ(remote->SizeOf("sub"), std::nullopt);
    EXPECT_EQ(remote->SizeOf("missing.html"), std::nullopt);
    try {
        remote->Remove("sub");  // a folder is not removed as a file
        FAIL() << "removed a folder";
    } catch (const RemoteError& error) {
        EXPECT_NE(std::string(error.what()).find(folder_ + "sub"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(fs::is_directory(folder_ + "sub"));
}

// sftp://user@host/~/sub/ is sub/ of the login folder, the user's home.
TEST_F(SftpTest, APathFromTheHomeFolderIsUnderTheLoginFolder) {
    const passwd* entry = ::getpwnam(TheServer().user.c_str());
    ASSERT_NE(entry, nullptr);
    const std::string home = std::string(entry->pw_dir) + "/";
    const std::string top = UniqueName();
    struct Cleanup {
        std::string path;
        ~Cleanup() {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
    } cleanup{home + top}, cleanupFile{home + top + ".txt"};

    const Destination destination = Parse(Address(TheServer().user, "/~/" + top + "/sub/"));
    ASSERT_TRUE(destination.relativeToHome);
    const std::unique_ptr<RemoteFolder> remote = OpenSftpFolder(destination, KeyLogin());
    remote->Prepare();
    remote->Put("page.html", "at home");
    EXPECT_EQ(ReadFile(home + top + "/sub/page.html"), "at home");
    EXPECT_EQ(remote->SizeOf("page.html"), 7u);

    // "/~/" is the login folder itself.
    WriteFile(home + top + ".txt", "12345");
    const std::unique_ptr<RemoteFolder> login =
        OpenSftpFolder(Parse(Address(TheServer().user, "/~/")), KeyLogin());
    EXPECT_NO_THROW(login->Prepare());
    EXPECT_EQ(login->SizeOf(top + ".txt"), 5u);
    login->Remove(top + ".txt");
    EXPECT_FALSE(fs::exists(home + top + ".txt"));
}

TEST_F(SftpTest, AFileInTheWayIsNamedWithTheServersAnswer) {
    WriteFile(folder_ + "afile", "a file, not a folder");
    const std::string below = folder_ + "afile/sub/";
    const std::unique_ptr<RemoteFolder> remote = OpenFolder(below);
    try {
        remote->Prepare();
        FAIL() << "made a folder below a file";
    } catch (const RemoteError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(below), std::string::npos) << message;
        EXPECT_NE(message.find(folder_ + "afile)"), std::string::npos) << message;
        EXPECT_NE(message.find("a file is in the way"), std::string::npos) << message;
    }
    try {
        remote->Put("page.html", "nowhere to go");
        FAIL() << "wrote below a file";
    } catch (const RemoteError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("Cannot write " + below + "page.html"), std::string::npos) << message;
        EXPECT_NE(message.find("No such file"), std::string::npos) << message;
    }
    EXPECT_EQ(ReadFile(folder_ + "afile"), "a file, not a folder");
}

// What the server shows as its key: unknown, then accepted, or changed.
class SftpHostKeyTest : public SftpTest {
protected:
    Credentials With(const std::string& knownHosts) const {
        Credentials credentials = KeyLogin();
        credentials.knownHostsFile = knownHosts;
        return credentials;
    }
    std::unique_ptr<RemoteFolder> OpenWith(const Credentials& credentials) {
        return OpenSftpFolder(Parse(Address(TheServer().user, folder_)), credentials);
    }
    TempDir temp_;
};

struct UnknownKeyCase {
    const char* name;
    bool asks;    // a question is asked at all
    bool answer;  // what it answers
    bool exists;  // known_hosts is there (empty) before
};

void PrintTo(const UnknownKeyCase& c, std::ostream* out) { *out << c.name; }

class SftpUnknownKeyTest : public SftpHostKeyTest, public testing::WithParamInterface<UnknownKeyCase> {};

TEST_P(SftpUnknownKeyTest, IsRefusedUnlessAcceptedAndThenRemembered) {
    const UnknownKeyCase& c = GetParam();
    const std::string knownHosts = temp_ / "home/.ssh/known_hosts";
    if (c.exists) WriteFile(knownHosts, "");
    Credentials credentials = With(knownHosts);
    std::vector<HostKeyQuestion> asked;
    if (c.asks)
        credentials.acceptUnknownHostKey = [&](const HostKeyQuestion& question) {
            asked.push_back(question);
            return c.answer;
        };

    if (!c.asks || !c.answer) {
        try {
            OpenWith(credentials);
            FAIL() << "connected to a server of unknown key";
        } catch (const HostKeyUnknown& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(KnownHostsName()), std::string::npos) << message;
            EXPECT_NE(message.find(ExpectedFingerprint()), std::string::npos) << message;
            EXPECT_NE(message.find("--accept-new-host-key"), std::string::npos) << message;
        }
        EXPECT_EQ(ReadFile(knownHosts), "");
        EXPECT_EQ(asked.size(), c.asks ? 1u : 0u);
    } else {
        OpenWith(credentials)->Prepare();
        EXPECT_TRUE(fs::is_directory(folder_));
        ASSERT_EQ(asked.size(), 1u);
        // Remembered: the next connection asks nothing.
        EXPECT_NO_THROW(OpenWith(With(knownHosts))->Prepare());
        EXPECT_NE(
            ReadFile(knownHosts).find(KnownHostsName() + " " + PublicKey(TheServer().dir + "host_key.pub")),
            std::string::npos)
            << ReadFile(knownHosts);
        if (!c.exists) {
            EXPECT_EQ(fs::status(temp_ / "home/.ssh").permissions() & fs::perms::all, fs::perms::owner_all);
        }
    }
    for (const HostKeyQuestion& question : asked) {
        EXPECT_EQ(question.host, KnownHostsName());
        EXPECT_EQ(question.fingerprint, ExpectedFingerprint());
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, SftpUnknownKeyTest,
                         testing::Values(UnknownKeyCase{"NobodyAsked", false, false, true},
                                         UnknownKeyCase{"AnsweredNo", true, false, true},
                                         UnknownKeyCase{"AnsweredYes", true, true, true},
                                         UnknownKeyCase{"AnsweredYesWithoutSshFolder", true, true, false}),
                         [](const testing::TestParamInfo<UnknownKeyCase>& info) { return info.param.name; });

// known_hosts holds another key for the server: of the same type, or of another one.
class SftpChangedKeyTest : public SftpHostKeyTest, public testing::WithParamInterface<const char*> {};

TEST_P(SftpChangedKeyTest, IsRefusedWhateverTheAnswerAndNothingIsWritten) {
    RunCommand(std::string("ssh-keygen -q -N '' -t ") + GetParam() + " -f " + (temp_ / "other"));
    const std::string knownHosts = temp_ / "known_hosts";
    const std::string before = KnownHostsName() + " " + PublicKey(temp_ / "other.pub") + "\n";
    WriteFile(knownHosts, before);
    Credentials credentials = With(knownHosts);
    bool asked = false;
    credentials.acceptUnknownHostKey = [&](const HostKeyQuestion&) { return asked = true; };
    try {
        OpenWith(credentials);
        FAIL() << "connected to a server whose key changed";
    } catch (const HostKeyChanged& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(KnownHostsName()), std::string::npos) << message;
        EXPECT_NE(message.find(ExpectedFingerprint()), std::string::npos) << message;
        EXPECT_NE(message.find("attack"), std::string::npos) << message;
        EXPECT_NE(message.find("nothing was sent"), std::string::npos) << message;
    }
    EXPECT_FALSE(asked);
    EXPECT_EQ(ReadFile(knownHosts), before);
    EXPECT_FALSE(fs::exists(folder_));
}

INSTANTIATE_TEST_SUITE_P(KeyTypes, SftpChangedKeyTest, testing::Values("ed25519", "ecdsa"));

struct RefusedCase {
    const char* name;
    const char* user;  // empty: the server's user
    const char* password;
    const char* keyPassphrase;  // with a key of our own: its passphrase ("" none); null: no key
    const char* said;
};

void PrintTo(const RefusedCase& c, std::ostream* out) { *out << c.name; }

class SftpRefusedLoginTest : public SftpTest, public testing::WithParamInterface<RefusedCase> {};

TEST_P(SftpRefusedLoginTest, SaysWhoWasRefusedAndNeverThePassword) {
    const RefusedCase& c = GetParam();
    TempDir temp;
    Credentials credentials;
    credentials.knownHostsFile = TheServer().dir + "known_hosts";
    credentials.password = c.password;
    if (c.keyPassphrase) {
        RunCommand(std::string("ssh-keygen -q -t ed25519 -N '") + c.keyPassphrase + "' -f " + (temp / "key"));
        credentials.identityFile = temp / "key";
    }
    const std::string user = *c.user ? c.user : TheServer().user;
    try {
        OpenSftpFolder(Parse(Address(user, folder_)), credentials);
        FAIL() << "logged in";
    } catch (const HostKeyUnknown&) {
        FAIL() << "the server's key should be known";
    } catch (const RemoteError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("Cannot log in to " + Address(user, folder_) + " as " + user + ": "),
                  std::string::npos)
            << message;
        EXPECT_NE(message.find(c.said), std::string::npos) << message;
        if (*c.password) {
            EXPECT_EQ(message.find(c.password), std::string::npos) << message;
        }
    }
    EXPECT_FALSE(fs::exists(folder_));
}

INSTANTIATE_TEST_SUITE_P(
    Logins, SftpRefusedLoginTest,
    testing::Values(RefusedCase{"WrongPassword", "", "Not-the-Secret-42", nullptr, "refused the password"},
                    RefusedCase{"UnknownUser", "nobody-wexbo-here", "Not-the-Secret-42", nullptr,
                                "refused the password"},
                    RefusedCase{"WrongKey", "", "", "", "refused the key"},
                    RefusedCase{"KeyWithPassphrase", "", "Unused-Secret-7", "a passphrase", "passphrase"}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

TEST_F(SftpTest, AMissingKeyFileIsNamed) {
    Credentials credentials = KeyLogin();
    credentials.identityFile = TheServer().dir + "no_such_key";
    try {
        OpenSftpFolder(Parse(Address(TheServer().user, folder_)), credentials);
        FAIL() << "logged in without a key";
    } catch (const RemoteError& error) {
        EXPECT_NE(std::string(error.what()).find(credentials.identityFile), std::string::npos)
            << error.what();
    }
}

TEST_F(SftpTest, AServerThatIsNotThereIsNamedWithTheReason) {
    // A port nothing listens on: bound, then let go.
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(socket, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    socklen_t length = sizeof address;
    ASSERT_EQ(::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const int port = ntohs(address.sin_port);
    ::close(socket);

    try {
        OpenSftpFolder(Parse("sftp://" + TheServer().user + "@127.0.0.1:" + std::to_string(port) + "/x/"),
                       KeyLogin());
        FAIL() << "connected to a closed port";
    } catch (const RemoteError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("127.0.0.1:" + std::to_string(port)), std::string::npos) << message;
        EXPECT_NE(message.find("refused"), std::string::npos) << message;
    }
}

}  // namespace
}  // namespace wexbo
