#include "Actions/Url.h"

#include <cctype>

#include <idn2.h>

#include "Actions/Unicode.h"

namespace velorin {
namespace {

bool isAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHex(char c) { return isDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }
bool isUnreserved(char c) { return isAlpha(c) || isDigit(c) || c == '-' || c == '.' || c == '_' || c == '~'; }
bool isSubDelim(char c) {
    switch (c) {
        case '!':
        case '$':
        case '&':
        case '\'':
        case '(':
        case ')':
        case '*':
        case '+':
        case ',':
        case ';':
        case '=':
            return true;
        default:
            return false;
    }
}

// Every character is `allowed` or part of a well-formed percent escape.
template <class Allowed>
bool wellFormed(std::string_view s, Allowed allowed) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '%') {
            if (i + 2 >= s.size() || !isHex(s[i + 1]) || !isHex(s[i + 2])) return false;
            i += 2;
        } else if (!allowed(c)) {
            return false;
        }
    }
    return true;
}

bool isPchar(char c) { return isUnreserved(c) || isSubDelim(c) || c == ':' || c == '@'; }
bool isPathChar(char c) { return isPchar(c) || c == '/'; }
bool isQueryChar(char c) { return isPchar(c) || c == '/' || c == '?'; }

bool validHost(std::string_view host) {
    if (!host.empty() && host.front() == '[') {
        if (host.size() < 3 || host.back() != ']') return false;
        const auto inside = host.substr(1, host.size() - 2);
        if (inside.find(':') == std::string_view::npos) return false;
        for (char c : inside) {
            if (!(isHex(c) || c == ':' || c == '.')) return false;
        }
        return true;
    }
    return wellFormed(host, [](char c) { return isUnreserved(c) || isSubDelim(c); });
}

// authority = [ userinfo "@" ] host [ ":" port ]; gives the host, or nothing when malformed.
std::optional<std::string> parseAuthority(std::string_view authority) {
    std::string_view rest = authority;
    if (auto at = rest.rfind('@'); at != std::string_view::npos) {
        const auto userinfo = rest.substr(0, at);
        if (!wellFormed(userinfo, [](char c) { return isUnreserved(c) || isSubDelim(c) || c == ':'; })) {
            return std::nullopt;
        }
        rest = rest.substr(at + 1);
    }
    std::string_view host = rest;
    std::size_t portStart = std::string_view::npos;
    if (!rest.empty() && rest.front() == '[') {
        const auto close = rest.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        host = rest.substr(0, close + 1);
        if (close + 1 < rest.size()) {
            if (rest[close + 1] != ':') return std::nullopt;
            portStart = close + 2;
        }
    } else if (auto colon = rest.rfind(':'); colon != std::string_view::npos) {
        host = rest.substr(0, colon);
        portStart = colon + 1;
    }
    if (portStart != std::string_view::npos) {
        for (char c : rest.substr(portStart)) {
            if (!isDigit(c)) return std::nullopt;
        }
    }
    if (!validHost(host)) return std::nullopt;
    return std::string(host);
}

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
}

std::string percentDecoded(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && isHex(s[i + 1]) && isHex(s[i + 2])) {
            out += static_cast<char>(hexValue(s[i + 1]) * 16 + hexValue(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

bool isAscii(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

std::string percentEncodedBeyondAscii(std::string_view s) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : s) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += '%';
            out += digits[byte >> 4];
            out += digits[byte & 0xF];
        }
    }
    return out;
}

std::optional<std::string> idnaHost(std::string_view host) {
    if (isAscii(host)) return std::string(host);
    char* ascii = nullptr;
    const std::string input(host);
    if (idn2_to_ascii_8z(input.c_str(), &ascii, IDN2_NFC_INPUT | IDN2_NONTRANSITIONAL) != IDN2_OK) {
        return std::nullopt;
    }
    std::string out(ascii);
    idn2_free(ascii);
    return out;
}

// The text with its characters beyond ASCII made ASCII: the host by IDNA,
// the rest percent-encoded; the typed host beside it. Nothing when the host
// is no valid international name.
struct AsciiForm {
    std::string text;
    std::string typedHost;
};

std::optional<AsciiForm> asciiForm(std::string_view text) {
    // White space and malformed UTF-8 stay refused, as an ASCII space is.
    for (char32_t c : unicode::scalars(text)) {
        if (c == 0xFFFD || unicode::isWhitespaceOrNewline(c)) return std::nullopt;
    }
    // The authority follows "//" after an optional scheme; it ends at the
    // first "/", "?" or "#".
    std::size_t authorityStart = std::string_view::npos;
    const auto colon = text.find(':');
    const auto firstEnd = text.find_first_of("/?#");
    if (colon != std::string_view::npos && (firstEnd == std::string_view::npos || colon < firstEnd) &&
        text.substr(colon + 1, 2) == "//") {
        authorityStart = colon + 3;
    } else if (text.substr(0, 2) == "//") {
        authorityStart = 2;
    }
    if (authorityStart == std::string_view::npos) return AsciiForm{percentEncodedBeyondAscii(text), {}};
    const auto authorityEnd = std::min(text.find_first_of("/?#", authorityStart), text.size());
    const auto authority = text.substr(authorityStart, authorityEnd - authorityStart);
    std::size_t hostStart = 0;
    if (auto at = authority.rfind('@'); at != std::string_view::npos) hostStart = at + 1;
    std::size_t hostEnd = authority.size();
    if (auto portColon = authority.rfind(':'); portColon != std::string_view::npos && portColon >= hostStart &&
                                               authority.substr(hostStart, 1) != "[") {
        hostEnd = portColon;
    }
    const auto host = authority.substr(hostStart, hostEnd - hostStart);
    const auto ascii = idnaHost(host);
    if (!ascii) return std::nullopt;
    AsciiForm form;
    form.text = percentEncodedBeyondAscii(text.substr(0, authorityStart + hostStart)) + *ascii +
                percentEncodedBeyondAscii(text.substr(authorityStart + hostEnd));
    form.typedHost = std::string(host);
    return form;
}

}  // namespace

std::optional<Url> Url::parse(std::string_view text) {
    if (!isAscii(text)) {
        const auto form = asciiForm(text);
        if (!form) return std::nullopt;
        auto url = parse(form->text);
        if (url && url->host_ && !form->typedHost.empty() && !isAscii(form->typedHost)) url->host_ = form->typedHost;
        return url;
    }
    Url url;
    url.text_ = std::string(text);
    std::string_view rest = text;

    // Fragment and query end the reference.
    if (auto hash = rest.find('#'); hash != std::string_view::npos) {
        if (!wellFormed(rest.substr(hash + 1), isQueryChar)) return std::nullopt;
        rest = rest.substr(0, hash);
    }
    if (auto question = rest.find('?'); question != std::string_view::npos) {
        if (!wellFormed(rest.substr(question + 1), isQueryChar)) return std::nullopt;
        rest = rest.substr(0, question);
    }

    // scheme = ALPHA *( ALPHA / DIGIT / "+" / "-" / "." ), ended by the first ":" before any "/".
    if (auto colon = rest.find(':');
        colon != std::string_view::npos && rest.substr(0, colon).find('/') == std::string_view::npos) {
        const auto scheme = rest.substr(0, colon);
        if (scheme.empty() || !isAlpha(scheme.front())) return std::nullopt;
        for (char c : scheme) {
            if (!(isAlpha(c) || isDigit(c) || c == '+' || c == '-' || c == '.')) return std::nullopt;
        }
        url.scheme_ = std::string(scheme);
        rest = rest.substr(colon + 1);
    }

    if (rest.substr(0, 2) == "//") {
        rest = rest.substr(2);
        const auto slash = rest.find('/');
        const auto authority = rest.substr(0, slash);
        auto host = parseAuthority(authority);
        if (!host) return std::nullopt;
        url.host_ = std::move(*host);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
    }
    if (!wellFormed(rest, isPathChar)) return std::nullopt;
    url.path_ = std::string(rest);
    return url;
}

std::optional<Url> Url::fileUrl(std::string_view absolutePath) {
    if (absolutePath.empty() || absolutePath.front() != '/') return std::nullopt;
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string encoded;
    for (char c : absolutePath) {
        if (c == '\0') return std::nullopt;
        if (isPathChar(c)) {
            encoded += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            encoded += '%';
            encoded += digits[byte >> 4];
            encoded += digits[byte & 0xF];
        }
    }
    Url url;
    url.text_ = "file://" + encoded;
    url.scheme_ = "file";
    url.host_ = "";
    url.path_ = encoded;
    return url;
}

bool Url::isFile() const {
    if (!scheme_ || scheme_->size() != 4) return false;
    std::string lower;
    for (char c : *scheme_) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower == "file";
}

std::optional<std::string> Url::host() const {
    if (!host_ || host_->empty()) return std::nullopt;
    if (host_->front() == '[') return host_->substr(1, host_->size() - 2);
    return host_;
}

std::string Url::path() const { return percentDecoded(path_); }

std::string Url::lastPathComponent() const {
    std::string p = path();
    if (p.empty()) return {};
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    if (p == "/") return p;
    const auto slash = p.rfind('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

}  // namespace velorin
