#pragma once

#include "table_store.h"

#include "net/table_listing.h"

#include <QByteArray>
#include <QString>
#include <map>
#include <string>

// A request body or query read and checked, or what is wrong with it (the
// answer is then 400 with that text).
template <class T>
struct Read {
    T value{};
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// A table's registration or refresh: the whole entry, every time, so a table
// reappears as it is after Redis lost its data.
struct RegisterRequest {
    TableListing table;
    QByteArray secret;
};

// A table leaving the list.
struct WithdrawRequest {
    quint16 port = 0;
    QByteArray secret;
};

// Reads the bodies and queries of the list's API. Bodies are JSON objects;
// names are cleaned as a player's name is at the table, so a listed name can
// neither pass for another table's nor break a player's list.
class CoordinatorRequest {
public:
    static constexpr int MinSecret = 16;
    static constexpr int MaxSecret = 128;
    static constexpr int MaxLimit = 1000;
    static constexpr int DefaultLimit = 200;
    // Deeper pages than this are no use to a player and only cost Redis time.
    static constexpr int MaxOffset = 1000000;

    static Read<RegisterRequest> readRegister(const std::string& body);
    static Read<WithdrawRequest> readWithdraw(const std::string& body);
    static Read<TableStore::Filter> readList(const std::multimap<std::string, std::string>& params);
};
