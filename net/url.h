// Splitting of a URL into the parts a request needs.
#pragma once

#include <string>
#include <string_view>

namespace net {

struct UrlParts {
    std::string protocol;  // "http", as written; empty for a URL without "://"
    std::string host;      // without the port
    std::string port;      // the port as written; empty when none
    std::string path;      // from the first "/" up to and including the last one
    std::string document;  // after the last "/", query included, bookmark excluded
    std::string bookmark;  // after the first "#" of the document
};

// Backslashes count as slashes. "http://h:8080/a/b.html?x=1#top" gives "http", "h", "8080",
// "/a/b.html?x=1" split as "/a/" and "b.html?x=1", and "top". A URL that ends after its host
// has the path "/".
UrlParts SplitUrl(std::string_view url);

}  // namespace net
