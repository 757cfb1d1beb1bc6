// Arbitrary bytes as the head of an HTTP answer, in pieces as a socket brings
// them: the head never grows past its limit, and a read head has a status.
#include <QByteArray>
#include <cstdint>
#include <cstdlib>

#include "download/httpresponsehead.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype step = size ? 1 + data[0] % 97 : 1;
    HttpResponseHead head;
    QByteArray pending;
    qsizetype taken = 0;
    for (qsizetype at = 0; at < bytes.size(); at += step) {
        pending += bytes.mid(at, step);
        while (const auto line = head.nextLine(pending)) {
            taken += line->size() + 1;
            if (taken > HttpResponseHead::kMaxBytes) std::abort();
            if (head.ends(*line)) {
                if (head.status() < 0 || head.status() > 999) std::abort();
                return 0;
            }
            if (!head.read(*line)) return 0;
        }
        if (head.tooLarge()) return 0;
    }
    return 0;
}
