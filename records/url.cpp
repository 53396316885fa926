#include "records/url.h"

#include <QStandardPaths>
#include <QString>
#include <charconv>
#include <optional>

namespace records {

namespace {

using calibration::Message;

Message invalid(std::string_view text) {
    return Message(QT_TRANSLATE_NOOP("calibration",
                                     "质控数据库地址 \"%1\" 无效：应为 sqlite:文件 或 "
                                     "postgresql://用户@主机:端口/数据库"),
                   {std::string(text)});
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// "lab%40x" -> "lab@x"; nullopt for a % not followed by two hexadecimal digits.
std::optional<std::string> decoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) {
            return std::nullopt;
        }
        const int high = hexDigit(text[i + 1]);
        const int low = hexDigit(text[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::string encoded(std::string_view text) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '%' || c == '@' || c == '/' || c == ':' || c == '?' || byte <= 0x20) {
            out += '%';
            out += digits[byte >> 4];
            out += digits[byte & 15];
        } else {
            out += c;
        }
    }
    return out;
}

std::variant<DatabaseUrl, Message> postgresql(std::string_view text, std::string_view rest) {
    DatabaseUrl url;
    url.engine = DatabaseUrl::Engine::Postgresql;

    std::string_view query;
    if (const auto mark = rest.find('?'); mark != std::string_view::npos) {
        query = rest.substr(mark + 1);
        rest = rest.substr(0, mark);
    }
    const auto slash = rest.find('/');
    if (slash == std::string_view::npos) {
        return invalid(text);
    }
    std::string_view authority = rest.substr(0, slash);
    const auto database = decoded(rest.substr(slash + 1));
    if (!database || database->empty() || database->find('/') != std::string::npos) {
        return invalid(text);
    }
    url.database = *database;

    if (const auto at = authority.rfind('@'); at != std::string_view::npos) {
        const std::string_view user = authority.substr(0, at);
        if (user.find(':') != std::string_view::npos) {
            return Message(QT_TRANSLATE_NOOP("calibration",
                                             "质控数据库地址不得包含密码（请使用 ~/.pgpass 或 "
                                             "PGPASSWORD）"));
        }
        const auto name = decoded(user);
        if (!name) {
            return invalid(text);
        }
        url.user = *name;
        authority = authority.substr(at + 1);
    }
    // host, host:port, [v6], [v6]:port, :port
    std::string_view port;
    if (authority.starts_with('[')) {
        const auto close = authority.find(']');
        if (close == std::string_view::npos) {
            return invalid(text);
        }
        url.host = authority.substr(1, close - 1);
        const std::string_view after = authority.substr(close + 1);
        if (!after.empty() && !after.starts_with(':')) {
            return invalid(text);
        }
        port = after.empty() ? after : after.substr(1);
    } else if (const auto colon = authority.find(':'); colon != std::string_view::npos) {
        url.host = authority.substr(0, colon);
        port = authority.substr(colon + 1);
    } else {
        url.host = authority;
    }
    if (!port.empty()) {
        const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), url.port);
        if (error != std::errc() || end != port.data() + port.size() || url.port < 1 ||
            url.port > 65535) {
            return invalid(text);
        }
    }

    while (!query.empty()) {
        const auto amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
        const auto equals = pair.find('=');
        const std::string_view key = pair.substr(0, equals);
        const auto value = decoded(equals == std::string_view::npos ? std::string_view()
                                                                    : pair.substr(equals + 1));
        if (key != "host" || !value || !value->starts_with('/') || !url.host.empty()) {
            return invalid(text);
        }
        url.socketDirectory = *value;
    }
    return url;
}

} // namespace

std::variant<DatabaseUrl, Message> parseDatabaseUrl(std::string_view text) {
    if (text.starts_with("sqlite:")) {
        std::string_view path = text.substr(7);
        // sqlite:///home/lab/qc.sqlite as well as sqlite:/home/lab/qc.sqlite
        if (path.starts_with("//")) {
            path.remove_prefix(2);
        }
        if (path.empty()) {
            return invalid(text);
        }
        DatabaseUrl url;
        url.path = path;
        return url;
    }
    for (const std::string_view scheme : {"postgresql://", "postgres://"}) {
        if (text.starts_with(scheme)) {
            return postgresql(text, text.substr(scheme.size()));
        }
    }
    return invalid(text);
}

std::string databaseText(const DatabaseUrl& url) {
    if (url.engine == DatabaseUrl::Engine::Sqlite) {
        return "sqlite:" + url.path;
    }
    std::string text = "postgresql://";
    if (!url.user.empty()) {
        text += encoded(url.user) + "@";
    }
    const bool v6 = url.host.find(':') != std::string::npos;
    text += v6 ? "[" : "";
    text += url.host;
    text += v6 ? "]" : "";
    if (url.port != 0) {
        text += ':';
        text += std::to_string(url.port);
    }
    text += '/';
    text += encoded(url.database);
    if (!url.socketDirectory.empty()) {
        text += "?host=";
        text += url.socketDirectory;
    }
    return text;
}

DatabaseUrl defaultDatabase() {
    // The folder of last.lumetra, named as the program names it.
    DatabaseUrl url;
    url.path = (QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                QStringLiteral("/lumetra/qc.sqlite"))
                   .toStdString();
    return url;
}

} // namespace records
