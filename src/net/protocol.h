#pragma once

// The game's protocol in one place: every command word (protocol_words.h), the
// table's sizes and codes (protocol_table.h), and one struct per message in each
// direction (protocol_to_server.h, protocol_to_client.h).
//
// Sending:   m_out.sendto(slot, ToClient::SetNnTile{preview}.bytes());
// Handling:  Protocol::on<ToClient::SetNnTile>(dispatcher, [this](const ToClient::SetNnTile& m) { ... });
//            or, where a handler gets a FieldReader: if (const auto m = Protocol::read<ToServer::SelectTile>(fields))

#include "dispatcher.h"
#include "net_log.h"
#include "protocol_to_client.h"
#include "protocol_to_server.h"

#include <QLoggingCategory>
#include <utility>

namespace Protocol {

// The logging category a dropped message is reported in: the library that
// handles it (gloopdash.net unless the caller names its own).
using LogCategory = const QLoggingCategory& (*)();

// Decodes a message's payload; a malformed one leaves a debug line and gives
// nullopt, and the caller drops it.
template <class Msg>
std::optional<Msg> read(FieldReader& f, LogCategory category = lcNet)
{
    std::optional<Msg> m = Msg::decode(f);
    if (!m)
        qCDebug(category) << "dropped a malformed" << Commands::word(Msg::command);
    return m;
}

// Registers the handler of one message: it runs with the decoded message, and
// only when the payload is well formed.
template <class Msg, class Handler>
void on(Dispatcher& dispatcher, Handler handler, LogCategory category = lcNet)
{
    dispatcher.on(Commands::word(Msg::command).toByteArray(), [handler = std::move(handler), category](FieldReader& f) {
        if (const std::optional<Msg> m = read<Msg>(f, category))
            handler(*m);
    });
}

} // namespace Protocol
