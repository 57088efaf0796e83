#pragma once
// A URL in its absolute text form. Parsing is strict (RFC 3986 URI references):
// text that isn't a well-formed reference is refused rather than guessed at,
// so what is opened is what was typed. Characters beyond ASCII are the one
// allowance, as in a browser's address bar: a host in another script takes its
// IDNA form ("köln.de" → "xn--kln-sna.de"), and elsewhere they are
// percent-encoded as UTF-8 ("/wiki/Köln" → "/wiki/K%C3%B6ln").

#include <optional>
#include <string>
#include <string_view>

namespace velorin {

class Url {
public:
    // A URI reference: absolute ("https://a.example/x", "notion://p", "localhost:8080")
    // or relative ("a.example/x", which has no scheme). Nothing for malformed text.
    static std::optional<Url> parse(std::string_view text);

    // The file URL of an absolute path ("/a b" → "file:///a%20b"). Nothing for a
    // path that isn't absolute or holds a NUL.
    static std::optional<Url> fileUrl(std::string_view absolutePath);

    const std::string& text() const { return text_; }  // exactly as parsed or built
    const std::optional<std::string>& scheme() const { return scheme_; }
    bool isFile() const;
    // The host as typed (in its own script), without the brackets of an IP
    // literal; nothing when absent or empty.
    std::optional<std::string> host() const;
    // The path with percent escapes decoded.
    std::string path() const;
    // The path's last element ("Documents" for "/Users/me/Documents/"), "/" for the root,
    // "" for an empty path.
    std::string lastPathComponent() const;

    bool operator==(const Url&) const = default;

private:
    std::string text_;
    std::optional<std::string> scheme_;
    std::optional<std::string> host_;  // as written, brackets removed
    std::string path_;                 // as written (percent-encoded)
};

}  // namespace velorin
