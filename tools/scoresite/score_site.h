#pragma once

#include "score_store.h"

#include <string>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

// The stand-in of the maker's web site: the two score pages, the two score
// scripts and the lobby installer, answered from a ScoreStore.
class ScoreSite {
public:
    // `installer` is the file served as the lobby installer; empty serves a
    // small shell script that records, beside itself, that it was run.
    ScoreSite(ScoreStore& store, std::string installer);

    void mount(httplib::Server& server);

    // Splits a raw query ("a=1&b=2") and percent-decodes each value. A "+"
    // stays a "+": the game sends a blank as "%20".
    static std::string queryValue(const std::string& target, const std::string& key);
    static std::string percentDecode(const std::string& text);
    static std::string escapeHtml(const std::string& text);

    static constexpr int ListLength = 100;
    static const char* const DefaultInstaller;

private:
    void page(int mode, const httplib::Request& req, httplib::Response& res) const;
    void post(int mode, const httplib::Request& req, httplib::Response& res) const;
    void installer(httplib::Response& res) const;
    std::string html(int mode, const std::string& host, const std::string& notice) const;

    ScoreStore& m_store;
    std::string m_installer;
};
