#include "side/core/curl_request.h"

#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace {

struct Context {
    CurlReceiver* receiver;
    CURL* curl;
    bool stoppedByBody = false;
};

size_t writeBody(char* data, size_t size, size_t count, void* user)
{
    auto* ctx = static_cast<Context*>(user);
    const size_t bytes = size * count;
    if (!ctx->receiver->body(data, bytes)) {
        ctx->stoppedByBody = true;
        return 0; // makes libcurl end with CURLE_WRITE_ERROR
    }
    return bytes;
}

size_t readHeader(char* data, size_t size, size_t count, void* user)
{
    auto* ctx = static_cast<Context*>(user);
    const size_t bytes = size * count;
    QByteArray line(data, qsizetype(bytes));
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    long status = 0;
    curl_easy_getinfo(ctx->curl, CURLINFO_RESPONSE_CODE, &status);
    ctx->receiver->headerLine(line, status);
    return bytes;
}

int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto* ctx = static_cast<Context*>(user);
    return ctx->receiver->cancelled() ? 1 : 0;
}

QByteArray hostForUrl(const QByteArray& host)
{
    // An IPv6 literal needs brackets inside a URL.
    return host.contains(':') ? "[" + host + "]" : host;
}

struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
struct EasyDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

} // namespace

// The module's two entry points, looked up by name at the first HTTP request so
// that libcurl and the libraries it pulls in stay out of the program's start-up.
extern "C" Q_DECL_EXPORT void gd_http_initialise()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

extern "C" Q_DECL_EXPORT void gd_http_run(const CurlRequest* request, CurlReceiver* receiver,
                                          CurlRequest::Outcome* result)
{
    gd_http_initialise();
    const CurlRequest& r = *request;
    CurlRequest::Outcome& outcome = *result;
    std::unique_ptr<CURL, EasyDeleter> curl(curl_easy_init());
    if (!curl) {
        outcome.error = QStringLiteral("libcurl could not start a transfer");
        return;
    }
    CURL* c = curl.get();
    Context ctx{receiver, c};
    char errorText[CURL_ERROR_SIZE] = {};

    // The target goes to the server exactly as built: libcurl's URL parser would
    // otherwise reject or rewrite characters a score value may hold.
    const QByteArray base = "http://" + hostForUrl(r.host) + ":" + QByteArray::number(r.port) + "/";
    curl_easy_setopt(c, CURLOPT_URL, base.constData());
    curl_easy_setopt(c, CURLOPT_REQUEST_TARGET, r.target.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);
    if (!r.agent.isEmpty())
        curl_easy_setopt(c, CURLOPT_USERAGENT, r.agent.constData());

    std::unique_ptr<curl_slist, SlistDeleter> headers;
    auto addHeader = [&headers](const QByteArray& line) {
        headers.reset(curl_slist_append(headers.release(), line.constData()));
    };
    if (!r.accept.isEmpty())
        addHeader("Accept: " + r.accept);
    if (r.noCache) {
        addHeader("Pragma: no-cache");
        addHeader("Cache-Control: no-cache");
    }
    if (headers)
        curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    if (!r.post.isEmpty()) {
        curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE, long(r.post.size()));
        curl_easy_setopt(c, CURLOPT_POSTFIELDS, r.post.constData());
    }

    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, writeBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &ctx);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, readHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &ctx);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, progress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &ctx);

    const CURLcode code = curl_easy_perform(c);
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &outcome.status);
    outcome.transferred = code == CURLE_OK;
    outcome.cancelled = code == CURLE_ABORTED_BY_CALLBACK;
    if (!outcome.transferred)
        outcome.error = QString::fromUtf8(errorText[0] ? errorText : curl_easy_strerror(code));
}
