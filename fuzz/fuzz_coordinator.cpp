// Feeds arbitrary bytes to the internet table list's readers: as the body of a
// registration and of a removal, and as a list query. Besides not crashing, a
// registration that reads must hold a name already clean, must read back the
// same from what it writes, and its row written as text must be the JSON the
// object form gives.
#include "coordinator/coordinator_request.h"
#include "fuzz_support.h"
#include "server/player_names.h"

#include <QJsonDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void registration(const std::string& body)
{
    const Read<RegisterRequest> read = CoordinatorRequest::readRegister(body);
    if (!read.ok())
        return;
    const TableListing& t = read.value.table;
    if (QString::fromUtf8(PlayerNames::clean(t.name.toUtf8())) != t.name)
        std::abort();
    TableListing again;
    if (!TableListing::readTable(t.tableJson(), again).isEmpty() || again != t)
        std::abort();
    QByteArray text;
    t.appendRowJson(text);
    if (QJsonDocument::fromJson(text).object() != t.rowJson())
        std::abort();
}

// "key=value&key=value", as a server hands over a query's parameters.
void query(const QByteArray& text)
{
    std::multimap<std::string, std::string> params;
    for (const QByteArray& pair : text.split('&')) {
        const qsizetype equals = pair.indexOf('=');
        params.emplace(pair.left(equals < 0 ? pair.size() : equals).toStdString(),
                       equals < 0 ? std::string() : pair.mid(equals + 1).toStdString());
    }
    const Read<TableStore::Filter> read = CoordinatorRequest::readList(params);
    if (read.ok() && (read.value.limit < 1 || read.value.limit > CoordinatorRequest::MaxLimit || read.value.offset < 0))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = FuzzSupport::bytes(data, size);
    registration(bytes.toStdString());
    (void)CoordinatorRequest::readWithdraw(bytes.toStdString());
    query(bytes);
    return 0;
}
