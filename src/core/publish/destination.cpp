#include "publish/destination.h"

#include <string_view>

#include "util/strings.h"

namespace wexbo {

namespace {

struct Scheme {
    std::string_view prefix;
    DestinationKind kind;
};
constexpr Scheme kSchemes[] = {{"sftp://", DestinationKind::Sftp},
                               {"ftps://", DestinationKind::Ftps},
                               {"ftp://", DestinationKind::Ftp},
                               {"file://", DestinationKind::Folder}};

std::string_view SchemeOf(DestinationKind kind) {
    for (const Scheme& scheme : kSchemes)
        if (scheme.kind == kind) return scheme.prefix;
    return {};
}

std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

bool ParsePort(std::string_view text, int& port) {
    long long value = 0;
    if (text.empty() || !ParseInt(text, value) || value < 1 || value > 65535) return false;
    port = static_cast<int>(value);
    return true;
}

}  // namespace

std::string Destination::Address() const {
    if (kind == DestinationKind::Folder) return path;
    std::string address(SchemeOf(kind));
    address.append(user).append(1, '@').append(host);
    if (port != 0) address.append(1, ':').append(std::to_string(port));
    if (relativeToHome)
        address += "/~/";
    else if (path.rfind('/', 0) != 0)
        address += '/';
    address += path;
    return address;
}

int Destination::PortOrDefault() const {
    if (port != 0) return port;
    return kind == DestinationKind::Sftp ? 22 : 21;
}

std::optional<Destination> ParseDestination(const std::string& address, std::string& error) {
    Destination destination;
    const std::string text = Trim(address);
    if (text.empty()) {
        error = "No destination given.";
        return std::nullopt;
    }
    const Scheme* scheme = nullptr;
    for (const Scheme& candidate : kSchemes)
        if (text.rfind(candidate.prefix, 0) == 0) scheme = &candidate;
    if (!scheme) {
        if (text.find("://") != std::string::npos) {
            error = "The destination " + text + " is not sftp://, ftps://, ftp://, file:// or a folder.";
            return std::nullopt;
        }
        if (text.front() != '/') {
            error = "The destination folder " + text + " must be a full path, starting with /.";
            return std::nullopt;
        }
        destination.path = WithSlash(text);
        return destination;
    }
    destination.kind = scheme->kind;
    std::string_view rest = std::string_view(text).substr(scheme->prefix.size());
    if (destination.kind == DestinationKind::Folder) {
        if (rest.empty() || rest.front() != '/') {
            error = "The address " + text + " names no folder: file:///full/path/ is the form.";
            return std::nullopt;
        }
        destination.path = WithSlash(std::string(rest));
        return destination;
    }
    const std::size_t slash = rest.find('/');
    const std::string_view authority = rest.substr(0, slash);
    const std::string_view path = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
    const std::size_t at = authority.rfind('@');
    if (at == std::string_view::npos || at == 0) {
        error = "The address " + text + " names no user: " + std::string(scheme->prefix) +
                "user@host/folder/ is the form.";
        return std::nullopt;
    }
    destination.user = std::string(authority.substr(0, at));
    if (destination.user.find(':') != std::string::npos) {
        error = "The address " + text.substr(0, scheme->prefix.size()) +
                destination.user.substr(0, destination.user.find(':')) +
                "@… holds a password; the program asks for it instead and never keeps it in an address.";
        return std::nullopt;
    }
    std::string_view hostPort = authority.substr(at + 1);
    if (const std::size_t colon = hostPort.rfind(':'); colon != std::string_view::npos) {
        if (!ParsePort(hostPort.substr(colon + 1), destination.port)) {
            error = "The address " + text + " has a port outside 1 to 65535.";
            return std::nullopt;
        }
        hostPort = hostPort.substr(0, colon);
    }
    if (hostPort.empty()) {
        error = "The address " + text + " names no server.";
        return std::nullopt;
    }
    destination.host = std::string(hostPort);
    if (path.rfind("/~/", 0) == 0 || path == "/~") {
        destination.relativeToHome = true;
        destination.path = WithSlash(std::string(path.substr(std::min<std::size_t>(path.size(), 3))));
        if (destination.path == "/") destination.path.clear();
    } else {
        destination.path = WithSlash(path.empty() ? std::string("/") : std::string(path));
    }
    return destination;
}

}  // namespace wexbo
