#pragma once

#include "CommandRequest.h"

#include <QByteArray>
#include <QString>
#include <variant>

// The messages of the single-instance channel, both ways: a request from a
// later launch and the running app's reply. Each is one frame: its length
// as four bytes (most significant first), then that many bytes of UTF-8
// JSON, an object. Whatever arrives is untrusted: a frame longer than
// maxPayload, or one that is not such an object, is refused with a reason.
class InstanceMessage
{
public:
    static constexpr qsizetype maxPayload = 16 * 1024;
    static constexpr qsizetype headerSize = 4;

    struct Incomplete
    {
    };
    struct Refused
    {
        QString reason;
    };
    using Decoded = std::variant<Incomplete, Refused, CommandRequest>;
    using DecodedReply = std::variant<Incomplete, Refused, CommandReply>;

    static QByteArray encode(const CommandRequest &request);
    static QByteArray encode(const CommandReply &reply);
    // Reads the frame at the start of `buffer`; a frame that is not all there
    // yet is Incomplete (an oversized one is refused from its header alone).
    static Decoded decodeRequest(const QByteArray &buffer);
    static DecodedReply decodeReply(const QByteArray &buffer);
    // How many bytes the frame that starts the buffer needs, header
    // included, once its header is there; 0 before.
    static qsizetype frameSize(const QByteArray &buffer);
};
