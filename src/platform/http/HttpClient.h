// HttpClient.h -- plain-HTTP GET with timeouts, a body cap and cancellation (over libcurl).
#pragma once
#include <atomic>
#include <string>
#include <vector>

namespace platform {

struct HttpRequest {
    std::string url;  // "http://host[:port]/path"; other schemes are refused
    std::string userAgent;
    std::vector<std::string> headers;  // extra "Name: value" lines
    long connectTimeoutMs = 5000;
    long totalTimeoutMs = 10000;
    size_t maxBody = 64 * 1024;                 // bytes kept; the transfer stops there
    int maxRedirects = 0;                       // redirects followed (to http:// only); 0 follows none
    const std::atomic<bool>* cancel = nullptr;  // aborts the transfer once true
};

struct HttpResponse {
    bool ok = false;         // a status line arrived and the body was read (perhaps capped)
    long status = 0;         // HTTP status code
    bool truncated = false;  // the body reached maxBody
    std::string body;
    std::string error;  // why the transfer failed, when !ok
};

// Performs one GET on the calling thread. Follows at most request.maxRedirects
// redirects, each to a plain-HTTP address; one more, or one elsewhere, fails
// the transfer. With none allowed a redirect answer is the response.
HttpResponse HttpGet(const HttpRequest& request);

}  // namespace platform
