// Everything a peer can send: framing, the message table's field reading, numbers,
// and the wire text, on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "net/framer.h"
#include "net/protocol.h"
#include "net/wiretext.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    MessageFramer framer;
    // The first byte picks where the reads split, as TCP might.
    const qsizetype step = size ? 1 + data[0] % 64 : 1;
    for (qsizetype at = 0; at < bytes.size(); at += step) {
        framer.feed(bytes.mid(at, step), [](const QByteArray& message) {
            const protocol::Split parts = protocol::split(message);
            for (auto direction :
                 {protocol::Direction::ClientToHost, protocol::Direction::HostToClient}) {
                const protocol::MessageDef* def = protocol::find(parts.command, direction);
                if (!def) continue;
                const protocol::Fields fields(def->id, parts.args);
                for (int i = 0; i < fields.count() + 2; ++i) {
                    try {
                        (void)fields.number(i);
                    } catch (const protocol::ProtocolError&) {
                    }
                    (void)fields.text(i);
                }
            }
            // Whatever arrives reads back to the same bytes.
            if (wiretext::encode(wiretext::decode(message)) != message) __builtin_trap();
        });
    }
    return 0;
}
