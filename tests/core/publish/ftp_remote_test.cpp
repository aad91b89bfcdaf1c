// FTP destinations against the real server of tests/servers/ftps_server.py (explicit TLS and clear
// text, on 127.0.0.1), started by the ctest fixture "ftps_server". The server shares the test's
// disk, so what it wrote is checked on disk under its root.
#include "publish/ftp_remote.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "publish/destination.h"

namespace fs = std::filesystem;

namespace wexbo {
namespace {

struct Server {
    std::string dir;  // with a trailing "/"
    std::string port;
    std::string plainPort;
    std::string password;
    std::string cert;
    int unusedPort = 0;  // one nothing listens on
    // The server's "/"; users log in to home/USER below it.
    std::string Root() const { return dir + "root/"; }
};

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A port on 127.0.0.1 that nothing listens on: bound by the system, then let go.
int UnusedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool ReadServer(Server& server) {
    const char* servers = std::getenv("WEXBO_TEST_SERVERS");
    if (!servers) return false;
    server.dir = std::string(servers) + "/ftps/";
    server.port = ReadText(server.dir + "port");
    server.plainPort = ReadText(server.dir + "plain_port");
    server.password = ReadText(server.dir + "password");
    server.cert = server.dir + "cert.pem";
    server.unusedPort = UnusedPort();
    return !server.port.empty() && !server.plainPort.empty() && !server.password.empty();
}

Destination Parse(const std::string& address) {
    std::string error;
    const std::optional<Destination> destination = ParseDestination(address, error);
    EXPECT_TRUE(destination) << address << ": " << error;
    return destination.value_or(Destination{});
}

// Every byte value, line ends of both kinds and more than one buffer's worth: what an ASCII-mode
// transfer or a short write would change.
std::string Binary(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + seed * 7 + i / 251) & 0xff);
    if (size > 8) bytes.replace(0, 6, "\r\n\n\r\0x", 6);
    return bytes;
}

// Byte-exact comparison that names the first difference instead of printing megabytes.
testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
    if (actual == expected) return testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    return testing::AssertionFailure() << actual.size() << " bytes where " << expected.size()
                                       << " were expected, the first difference at byte " << at;
}

class FtpTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ReadServer(server_))
            << "No FTP server: run these tests through ctest, whose fixture ftps_server starts it";
        // A folder of its own for every test, so tests never see each other's files.
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '-';
        folder_ = name + "-" + std::to_string(::getpid()) + "-" + std::to_string(++count_);
    }

    void TearDown() override {
        std::error_code ec;
        for (const std::string& made : made_) fs::remove_all(made, ec);
    }

    // ftps://USER@127.0.0.1:PORT/<folder>/<below>, the folder relative to the login folder.
    std::string SecureAddress(const std::string& user, const std::string& below = "") {
        return "ftps://" + user + "@127.0.0.1:" + server_.port + "/" + folder_ + "/" + below;
    }
    // Where the server keeps the login folder's <folder>/ of a user.
    std::string OnDisk(const std::string& user) {
        made_.push_back(server_.Root() + "home/" + user + "/" + folder_);
        return made_.back() + "/";
    }

    Credentials Trusting() const {
        Credentials credentials;
        credentials.password = server_.password;
        credentials.caFile = server_.cert;
        return credentials;
    }

    Server server_;
    std::string folder_;
    std::vector<std::string> made_;
    static inline int count_ = 0;
};

struct RoundTripCase {
    const char* label;
    const char* user;
    bool cleartext;      // ftp:// to the clear-text listener instead of ftps://
    const char* before;  // what comes between the port and the folder: "/" and "/~/" start at the
                         // login folder, "//" at the server's root
};

void PrintTo(const RoundTripCase& c, std::ostream* out) { *out << c.label; }

class FtpRoundTripTest : public FtpTest, public testing::WithParamInterface<RoundTripCase> {};

// The uploader's sequence on a fresh folder: look, make the folder, write under a temporary name,
// rename over the old file, remove.
TEST_P(FtpRoundTripTest, WritesRenamesOverAndRemovesByteExact) {
    const RoundTripCase& c = GetParam();
    const std::string scheme = c.cleartext ? "ftp://" : "ftps://";
    const std::string port = c.cleartext ? server_.plainPort : server_.port;
    const std::string address =
        scheme + c.user + "@127.0.0.1:" + port + c.before + folder_ + "/nested/deeper/";
    std::string disk;
    if (std::string(c.before) == "//") {
        made_.push_back(server_.Root() + folder_);
        disk = made_.back() + "/nested/deeper/";
    } else {
        disk = OnDisk(c.user) + "nested/deeper/";
    }
    Credentials credentials = Trusting();
    credentials.cleartextAccepted = c.cleartext;
    const std::unique_ptr<RemoteFolder> remote = OpenFtpFolder(Parse(address), credentials);

    const std::string name = "page one#1.html";
    const std::string temporary = ".wexbo-upload." + name;
    // Before Prepare the folder is missing, and with it every file.
    EXPECT_EQ(remote->SizeOf(name), std::nullopt);
    remote->Prepare();
    ASSERT_TRUE(fs::is_directory(disk)) << disk;
    remote->Prepare();  // once more, on folders that are there

    const std::string before = Binary(70'000, 1);
    const std::string after = Binary(150'001, 2);
    remote->Put(name, before);
    remote->Put(temporary, after);
    remote->Put("empty.txt", "");
    EXPECT_EQ(remote->SizeOf(name), before.size());
    EXPECT_EQ(remote->SizeOf(temporary), after.size());
    EXPECT_EQ(remote->SizeOf("empty.txt"), 0u);
    EXPECT_TRUE(SameBytes(ReadText(disk + name), before));

    remote->Replace(temporary, name);
    EXPECT_TRUE(SameBytes(ReadText(disk + name), after));
    EXPECT_FALSE(fs::exists(disk + temporary));
    EXPECT_EQ(remote->SizeOf(temporary), std::nullopt);
    EXPECT_EQ(remote->SizeOf(name), after.size());

    // A shorter file written over a longer one leaves none of the old bytes behind.
    remote->Put(name, "short");
    EXPECT_EQ(ReadText(disk + name), "short");

    remote->Remove(name);
    EXPECT_FALSE(fs::exists(disk + name));
    EXPECT_EQ(remote->SizeOf(name), std::nullopt);
    remote->Remove(name);  // gone already: no error
    EXPECT_TRUE(fs::exists(disk + "empty.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, FtpRoundTripTest,
    testing::Values(RoundTripCase{"TlsFromLoginFolder", "wexbo", false, "/"},
                    RoundTripCase{"TlsFromLoginFolderNamedWithTilde", "wexbo", false, "/~/"},
                    RoundTripCase{"TlsFromRoot", "wexbo", false, "//"},
                    // keeper's server refuses to rename onto an existing file: removed first instead.
                    RoundTripCase{"TlsServerThatNeverReplaces", "keeper", false, "/"},
                    RoundTripCase{"ClearTextAccepted", "wexbo", true, "/"}),
    [](const testing::TestParamInfo<RoundTripCase>& info) { return std::string(info.param.label); });

TEST_F(FtpTest, ProgressCountsUpToTheWholeFile) {
    const std::unique_ptr<RemoteFolder> remote = OpenFtpFolder(Parse(SecureAddress("wexbo")), Trusting());
    remote->Prepare();
    const std::string bytes = Binary(4 << 20, 3);
    std::vector<std::uint64_t> reports;
    remote->Put("big.jpg", bytes, [&](std::uint64_t sent) { reports.push_back(sent); });
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), bytes.size());
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
    EXPECT_GT(reports.size(), 1u) << "only the end was reported";
    EXPECT_TRUE(SameBytes(ReadText(OnDisk("wexbo") + "big.jpg"), bytes));
}

// Many files in one session, each over a data connection of its own, must all arrive whole. (How
// libcurl before 8.10 ends TLS 1.3 data connections lost the end of some now and then.)
TEST_F(FtpTest, ManyUploadsInOneSessionArriveWhole) {
    const std::unique_ptr<RemoteFolder> remote = OpenFtpFolder(Parse(SecureAddress("wexbo")), Trusting());
    remote->Prepare();
    const std::string disk = OnDisk("wexbo");
    for (int i = 0; i < 25; ++i) {
        const std::string name = "photo" + std::to_string(i) + ".jpg";
        const std::string bytes(150'001, static_cast<char>('a' + i));
        remote->Put(name, bytes);
        EXPECT_TRUE(SameBytes(ReadText(disk + name), bytes)) << name;
    }
}

// A server that took a broken connection for the end of the file holds less than was sent.
TEST_F(FtpTest, AFileThatArrivedShortIsAnError) {
    const std::unique_ptr<RemoteFolder> remote = OpenFtpFolder(Parse(SecureAddress("lossy")), Trusting());
    remote->Prepare();
    try {
        remote->Put("gallery.html", Binary(10'000, 4));
        FAIL() << "a file cut in half counted as uploaded";
    } catch (const RemoteError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(SecureAddress("lossy", "gallery.html")), std::string::npos) << message;
        EXPECT_NE(message.find("holds 5000 of its 10000 bytes"), std::string::npos) << message;
    }
    EXPECT_EQ(fs::file_size(OnDisk("lossy") + "gallery.html"), 5000u);
}

TEST_F(FtpTest, AnUnwritableFolderSaysWhereAndWhatTheServerAnswered) {
    // reader may look but not write; its login folder is there.
    const std::string address = "ftps://reader@127.0.0.1:" + server_.port + "/";
    const std::unique_ptr<RemoteFolder> remote = OpenFtpFolder(Parse(address), Trusting());
    try {
        remote->Put("gallery.html", "<html>");
        FAIL() << "the upload of a reader worked";
    } catch (const RemoteError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(address + "gallery.html"), std::string::npos) << message;
        EXPECT_NE(message.find("550 Not enough privileges"), std::string::npos) << message;
    }
    EXPECT_FALSE(fs::exists(server_.Root() + "home/reader/gallery.html"));
    EXPECT_EQ(remote->SizeOf("gallery.html"), std::nullopt);
}

TEST_F(FtpTest, NamesThatWouldSmuggleCommandsAreRefused) {
    const std::unique_ptr<RemoteFolder> remote = OpenFtpFolder(Parse(SecureAddress("wexbo")), Trusting());
    remote->Prepare();
    remote->Put("keep.html", "kept");
    EXPECT_THROW(remote->Remove("x\r\nDELE keep.html"), RemoteError);
    EXPECT_THROW(remote->Replace("keep.html", "../keep.html"), RemoteError);
    EXPECT_THROW(remote->Put("sub/keep.html", "no"), RemoteError);
    EXPECT_EQ(ReadText(OnDisk("wexbo") + "keep.html"), "kept");
}

// How opening a destination fails: each case names what the user must see and what must never show.
struct OpenFailureCase {
    const char* label;
    std::string (*address)(const Server&);
    Credentials (*credentials)(const Server&);
    std::vector<std::string> (*expected)(const Server&);
};

Credentials WithCa(const Server& server, const std::string& password) {
    Credentials credentials;
    credentials.password = password;
    credentials.caFile = server.cert;
    return credentials;
}
std::string WrongPassword(const Server& server) { return "Not-" + server.password; }

void PrintTo(const OpenFailureCase& c, std::ostream* out) { *out << c.label; }

class FtpOpenFailureTest : public FtpTest, public testing::WithParamInterface<OpenFailureCase> {};

TEST_P(FtpOpenFailureTest, SaysWhyAndNeverShowsThePassword) {
    const OpenFailureCase& c = GetParam();
    const Credentials credentials = c.credentials(server_);
    const std::string address = c.address(server_);
    try {
        OpenFtpFolder(Parse(address), credentials);
        FAIL() << address << " opened";
    } catch (const RemoteError& error) {
        const std::string message = error.what();
        for (const std::string& part : c.expected(server_))
            EXPECT_NE(message.find(part), std::string::npos)
                << "\"" << part << "\" missing from: " << message;
        EXPECT_EQ(message.find(server_.password), std::string::npos) << message;
        if (!credentials.password.empty()) {
            EXPECT_EQ(message.find(credentials.password), std::string::npos) << message;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, FtpOpenFailureTest,
    testing::Values(
        OpenFailureCase{
            "WrongPassword", [](const Server& s) { return "ftps://wexbo@127.0.0.1:" + s.port + "/"; },
            [](const Server& s) { return WithCa(s, WrongPassword(s)); },
            [](const Server& s) -> std::vector<std::string> {
                return {"Cannot log in to ftps://wexbo@127.0.0.1:" + s.port + "/ as wexbo", "530"};
            }},
        OpenFailureCase{"SelfSignedCertificateNotTrusted",
                        [](const Server& s) { return "ftps://wexbo@127.0.0.1:" + s.port + "/"; },
                        [](const Server& s) {
                            Credentials credentials = WithCa(s, s.password);
                            credentials.caFile.clear();
                            return credentials;
                        },
                        [](const Server&) -> std::vector<std::string> { return {"certificate"}; }},
        OpenFailureCase{
            "NothingListens",
            [](const Server& s) { return "ftps://wexbo@127.0.0.1:" + std::to_string(s.unusedPort) + "/"; },
            [](const Server& s) { return WithCa(s, s.password); },
            [](const Server& s) -> std::vector<std::string> {
                return {"127.0.0.1:" + std::to_string(s.unusedPort)};
            }},
        OpenFailureCase{"ClearTextNotAccepted",
                        [](const Server& s) { return "ftp://wexbo@127.0.0.1:" + s.plainPort + "/"; },
                        [](const Server& s) { return WithCa(s, s.password); },
                        [](const Server&) -> std::vector<std::string> {
                            return {"readable", "--allow-cleartext"};
                        }},
        OpenFailureCase{"ServerWithoutTls",
                        [](const Server& s) { return "ftps://wexbo@127.0.0.1:" + s.plainPort + "/"; },
                        [](const Server& s) { return WithCa(s, s.password); },
                        [](const Server&) -> std::vector<std::string> { return {"offers no TLS"}; }}),
    [](const testing::TestParamInfo<OpenFailureCase>& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace wexbo
