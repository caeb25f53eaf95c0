// HttpClient.cpp -- libcurl GET with connect/total timeouts, body cap and cancel flag.
#include "platform/http/HttpClient.h"

#include <curl/curl.h>

#include <mutex>

namespace platform {
namespace {

struct Transfer {
    const HttpRequest* request;
    HttpResponse* response;
};

size_t OnBody(char* data, size_t size, size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const size_t n = size * count;
    const size_t room = t->request->maxBody - t->response->body.size();
    if (n > room) {
        t->response->body.append(data, room);
        t->response->truncated = true;
        return 0;  // stops the transfer
    }
    t->response->body.append(data, n);
    return n;
}

constexpr int kCancelCheckMs = 20;  // how often a running transfer looks at the cancel flag

bool Cancelled(const HttpRequest& request) { return request.cancel && request.cancel->load(std::memory_order_acquire); }

// Runs the transfer through the multi interface so that the cancel flag is
// seen within a few milliseconds whatever the transfer waits for.
CURLcode Perform(CURL* curl, const HttpRequest& request) {
    CURLM* multi = curl_multi_init();
    if (!multi) return CURLE_OUT_OF_MEMORY;
    curl_multi_add_handle(multi, curl);
    CURLcode result = CURLE_OK;
    for (;;) {
        if (Cancelled(request)) {
            result = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        if (running == 0) {
            int left = 0;
            while (CURLMsg* msg = curl_multi_info_read(multi, &left)) {
                if (msg->msg == CURLMSG_DONE) result = msg->data.result;
            }
            break;
        }
        curl_multi_poll(multi, nullptr, 0, kCancelCheckMs, nullptr);
    }
    curl_multi_remove_handle(multi, curl);
    curl_multi_cleanup(multi);
    return result;
}

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

HttpResponse HttpGet(const HttpRequest& request) {
    HttpResponse response;
    if (request.url.compare(0, 7, "http://") != 0) {
        response.error = "unsupported scheme";
        return response;
    }
    GlobalInit();
    CURL* curl = curl_easy_init();
    if (!curl) {
        response.error = "curl_easy_init failed";
        return response;
    }
    Transfer transfer{&request, &response};
    char errorText[CURL_ERROR_SIZE] = {};
    curl_slist* headers = nullptr;
    for (const std::string& h : request.headers) headers = curl_slist_append(headers, h.c_str());

    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, request.maxRedirects > 0 ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, static_cast<long>(request.maxRedirects));
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http");
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, request.connectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, request.totalTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, request.userAgent.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);

    const CURLcode rc = Perform(curl, request);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &response.status);
    if (rc == CURLE_OK || (rc == CURLE_WRITE_ERROR && response.truncated)) {
        response.ok = true;
    } else {
        response.error = errorText[0] ? errorText : curl_easy_strerror(rc);
    }
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return response;
}

}  // namespace platform
