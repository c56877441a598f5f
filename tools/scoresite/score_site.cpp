#include "score_site.h"

#include <httplib.h>

#include <fstream>
#include <sstream>

const char* const ScoreSite::DefaultInstaller =
    "#!/bin/sh\n"
    "# Stand-in for the Mirrek Lobby installer, served by gloopdash-scoresite.\n"
    "# It records beside itself that it ran, and with which arguments.\n"
    "log=\"$(dirname \"$0\")/mklsetup.log\"\n"
    "echo \"$(date '+%Y-%m-%d %H:%M:%S') installer ran with: $*\" >> \"$log\"\n";

namespace {

const char* const Title[] = {"", "Normal Game", "Classic Game"};
const char* const PagePath[] = {"", "/counter/gloop.shtml", "/counter/classicgloop2.shtml"};

bool validName(const std::string& name)
{
    if (name.empty() || name.size() > 40)
        return false;
    for (const unsigned char c : name)
        if (c < 0x20 || c == 0x7f)
            return false;
    return true;
}

bool validScore(const std::string& score)
{
    if (score.empty() || score.size() > 12)
        return false;
    for (const char c : score)
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace

ScoreSite::ScoreSite(ScoreStore& store, std::string installer) : m_store(store), m_installer(std::move(installer))
{
}

void ScoreSite::mount(httplib::Server& server)
{
    using httplib::Request;
    using httplib::Response;
    for (int mode = 1; mode <= 2; ++mode) {
        server.Get(PagePath[mode], [this, mode](const Request& q, Response& r) { page(mode, q, r); });
    }
    server.Get("/cgi-bin/gloop.cgi", [this](const Request& q, Response& r) { post(1, q, r); });
    server.Get("/cgi-bin/classicgloop2.cgi", [this](const Request& q, Response& r) { post(2, q, r); });
    server.Get("/lobby/mklsetup.exe", [this](const Request&, Response& r) { installer(r); });
}

std::string ScoreSite::percentDecode(const std::string& text)
{
    auto hex = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
            out += char(hex(text[i + 1]) * 16 + hex(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string ScoreSite::queryValue(const std::string& target, const std::string& key)
{
    const size_t question = target.find('?');
    if (question == std::string::npos)
        return {};
    std::istringstream parts(target.substr(question + 1));
    std::string part;
    while (std::getline(parts, part, '&')) {
        const size_t equals = part.find('=');
        if (equals != std::string::npos && part.compare(0, equals, key) == 0 && equals == key.size())
            return percentDecode(part.substr(equals + 1));
    }
    return {};
}

std::string ScoreSite::escapeHtml(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string ScoreSite::html(int mode, const std::string& host, const std::string& notice) const
{
    std::ostringstream out;
    out << "<html><head><title>Gloop Dash High Scores</title></head>\n"
        << "<body bgcolor=\"#000000\" text=\"#00ff00\" link=\"#ffffff\">\n<center>\n"
        << "<h2>Gloop Dash High Scores - " << Title[mode] << "</h2>\n";
    if (!notice.empty())
        out << "<p>" << notice << "</p>\n";
    out << "<table cellpadding=\"3\">\n<tr><th>Rank</th><th>Name</th><th>Score</th><th>Date</th></tr>\n";
    int rank = 0;
    for (const ScoreStore::Entry& e : m_store.best(mode, ListLength))
        out << "<tr><td>" << ++rank << "</td><td>" << escapeHtml(e.name) << "</td><td>" << e.score << "</td><td>"
            << escapeHtml(e.date) << "</td></tr>\n";
    out << "</table>\n";
    if (rank == 0)
        out << "<p>No scores yet.</p>\n";
    const int other = mode == 1 ? 2 : 1;
    out << "<p><a href=\"http://" << escapeHtml(host) << PagePath[other] << "\">" << Title[other]
        << " High Scores</a></p>\n</center></body></html>\n";
    return out.str();
}

void ScoreSite::page(int mode, const httplib::Request& req, httplib::Response& res) const
{
    res.set_content(html(mode, req.get_header_value("Host"), {}), "text/html; charset=utf-8");
}

void ScoreSite::post(int mode, const httplib::Request& req, httplib::Response& res) const
{
    const std::string name = queryValue(req.target, "name");
    const std::string date = queryValue(req.target, "date");
    const std::string score = queryValue(req.target, "score");
    const std::string host = req.get_header_value("Host");
    if (!validName(name) || date.empty() || date.size() > 16 || !validScore(score)) {
        res.status = 400;
        res.set_content(html(mode, host, "That score could not be recorded."), "text/html; charset=utf-8");
        return;
    }
    m_store.add(mode, name, date, std::stoll(score));
    res.set_content(
        html(mode, host, "Thank you, " + escapeHtml(name) + "! Your score of " + score + " has been recorded."),
        "text/html; charset=utf-8");
}

void ScoreSite::installer(httplib::Response& res) const
{
    std::string body = DefaultInstaller;
    if (!m_installer.empty()) {
        std::ifstream file(m_installer, std::ios::binary);
        if (!file) {
            res.status = 404;
            return;
        }
        body.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    res.set_content(body, "application/octet-stream");
}
