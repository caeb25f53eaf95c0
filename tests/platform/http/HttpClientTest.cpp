// HTTP GET against a local stub: body cap, total timeout, cancellation, schemes, redirects.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "platform/http/HttpClient.h"
#include "platform/net/TcpListener.h"

namespace {

using Clock = std::chrono::steady_clock;

// Answers every request on 127.0.0.1 with `reply` (nothing at all when empty).
class Stub {
public:
    explicit Stub(std::string reply) : listener_(platform::TcpListener::Listen("127.0.0.1", 0)), reply_(reply) {
        thread_ = std::thread([this] {
            while (!stop_) {
                auto c = listener_->Accept(20);
                if (!c) continue;
                char buf[2048];
                c->WaitReadable(1000);
                c->Recv(buf, sizeof buf);
                if (!reply_.empty()) {
                    c->SendAll(reply_.data(), reply_.size());
                } else {
                    while (!stop_) std::this_thread::sleep_for(std::chrono::milliseconds(10));
                }
            }
        });
    }
    ~Stub() {
        stop_ = true;
        thread_.join();
    }
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(listener_->Port()) + "/s"; }

private:
    std::unique_ptr<platform::TcpListener> listener_;
    std::string reply_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

std::string Reply(int status, const std::string& body) {
    return "HTTP/1.1 " + std::to_string(status) + " X\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

std::string Redirect(const std::string& location) {
    return "HTTP/1.1 302 X\r\nLocation: " + location + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
}

TEST(HttpClient, ReadsStatusAndCapsTheBody) {
    Stub ok(Reply(200, std::string(100000, 'b')));
    platform::HttpRequest request;
    request.url = ok.Url();
    request.maxBody = 1000;
    platform::HttpResponse r = platform::HttpGet(request);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.truncated);
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.body.size(), 1000u);

    Stub missing(Reply(404, "no"));
    request.url = missing.Url();
    r = platform::HttpGet(request);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.status, 404);

    request.url = "https://127.0.0.1:1/s";
    r = platform::HttpGet(request);
    EXPECT_FALSE(r.ok);
}

TEST(HttpClient, SilentServersEndAtTheLimitOrWhenCancelled) {
    Stub silent("");
    platform::HttpRequest request;
    request.url = silent.Url();
    request.totalTimeoutMs = 300;
    auto t0 = Clock::now();
    EXPECT_FALSE(platform::HttpGet(request).ok);
    EXPECT_LT(Clock::now() - t0, std::chrono::seconds(3));

    std::atomic<bool> cancel{false};
    request.totalTimeoutMs = 60000;
    request.cancel = &cancel;
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        cancel = true;
    });
    t0 = Clock::now();
    EXPECT_FALSE(platform::HttpGet(request).ok);
    EXPECT_LT(Clock::now() - t0, std::chrono::seconds(2));
    canceller.join();
}

TEST(HttpClient, FollowsOnlyAllowedPlainRedirects) {
    Stub page(Reply(200, "page"));
    Stub hop(Redirect(page.Url()));
    platform::HttpRequest request;
    request.url = hop.Url();
    platform::HttpResponse r = platform::HttpGet(request);  // none allowed: the redirect is the answer
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.status, 302);

    request.maxRedirects = 3;
    r = platform::HttpGet(request);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.body, "page");

    Stub loop(Redirect("/s"));  // back to itself, for ever
    request.url = loop.Url();
    r = platform::HttpGet(request);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());

    Stub secure(Redirect("https://127.0.0.1:1/s"));
    request.url = secure.Url();
    EXPECT_FALSE(platform::HttpGet(request).ok);
}

}  // namespace
