#include "side/core/curl_request.h"

#include "base/program_module.h"
#include "side_log.h"

namespace {

// libcurl lives in the module "gloopdash-http", loaded at the first request.
struct HttpModule {
    void (*initialise)() = nullptr;
    void (*run)(const CurlRequest*, CurlReceiver*, CurlRequest::Outcome*) = nullptr;
    QString error;
};

const HttpModule& httpModule()
{
    // A function-local static: the first request loads it, on whichever thread.
    static const HttpModule module = [] {
        HttpModule m;
        const QString name = QStringLiteral("gloopdash-http");
        m.initialise = reinterpret_cast<void (*)()>(ProgramModule::entry(name, "gd_http_initialise", &m.error));
        if (m.initialise)
            m.run = reinterpret_cast<decltype(m.run)>(ProgramModule::entry(name, "gd_http_run", &m.error));
        if (!m.run)
            qCWarning(lcSide) << "no HTTP:" << m.error;
        return m;
    }();
    return module;
}

} // namespace

void CurlRequest::initialiseOnce()
{
    if (httpModule().initialise)
        httpModule().initialise();
}

CurlRequest::Outcome CurlRequest::run(CurlReceiver& receiver) const
{
    Outcome outcome;
    const HttpModule& module = httpModule();
    if (!module.run) {
        outcome.error = module.error;
        return outcome;
    }
    module.run(this, &receiver, &outcome);
    return outcome;
}
