#pragma once

// The vendor site's root, without a trailing slash. Every site address the
// suite asks for is this root followed by a path that begins with "/". The
// designer and Mendor share it; a program reads it on every call, so a local
// site (make run) or a test's loopback server takes its place by setting
// PLINTH_SITE_URL before it asks.
//
// Header only, so that any deliverable can use it without linking a library.

#include <cstdlib>
#include <string>

namespace site {

inline constexpr const char* DefaultBaseUrl = "http://update.plinth.example";

inline std::string BaseUrl()
{
    const char* replacement = std::getenv("PLINTH_SITE_URL");
    std::string url = replacement && *replacement ? replacement : DefaultBaseUrl;
    while (!url.empty() && url.back() == '/')
        url.pop_back();
    return url;
}

} // namespace site
