#include "InstanceMessage.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>
#include <algorithm>
#include <array>

namespace {

using Command = CommandRequest::Command;

// The commands a later launch sends, by their names on the channel.
constexpr std::array<std::pair<Command, const char *>, 4> channelCommands{{
    {Command::Show, "show"},
    {Command::Toggle, "toggle"},
    {Command::Capture, "capture"},
    {Command::Add, "add"},
}};

QByteArray frame(const QJsonObject &object)
{
    const QByteArray payload = QJsonDocument(object).toJson(QJsonDocument::Compact);
    QByteArray framed(InstanceMessage::headerSize, Qt::Uninitialized);
    qToBigEndian(quint32(payload.size()), framed.data());
    return framed + payload;
}

// The object in the frame at the start of the buffer, with only the keys
// named; otherwise Incomplete or the reason it is refused.
std::variant<InstanceMessage::Incomplete, InstanceMessage::Refused, QJsonObject>
objectIn(const QByteArray &buffer, std::initializer_list<QLatin1String> keys)
{
    const qsizetype size = InstanceMessage::frameSize(buffer);
    if (size == 0)
        return InstanceMessage::Incomplete{};
    if (size - InstanceMessage::headerSize > InstanceMessage::maxPayload)
        return InstanceMessage::Refused{QStringLiteral("a message of %1 bytes (at most %2)")
                                            .arg(size - InstanceMessage::headerSize)
                                            .arg(InstanceMessage::maxPayload)};
    if (buffer.size() < size)
        return InstanceMessage::Incomplete{};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(
        buffer.mid(InstanceMessage::headerSize, size - InstanceMessage::headerSize), &error);
    if (error.error != QJsonParseError::NoError)
        return InstanceMessage::Refused{
            QStringLiteral("a message that is not JSON (%1)").arg(error.errorString())};
    if (!document.isObject())
        return InstanceMessage::Refused{QStringLiteral("a message that is not a JSON object")};
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (std::find(keys.begin(), keys.end(), it.key()) == keys.end())
            return InstanceMessage::Refused{
                QStringLiteral("a message with an unknown field '%1'").arg(it.key())};
    }
    return object;
}

// A field that must hold a string when it is there.
bool isStringOrAbsent(const QJsonObject &object, QLatin1String key)
{
    return !object.contains(key) || object.value(key).isString();
}

} // namespace

qsizetype InstanceMessage::frameSize(const QByteArray &buffer)
{
    if (buffer.size() < headerSize)
        return 0;
    return headerSize + qsizetype(qFromBigEndian<quint32>(buffer.constData()));
}

QByteArray InstanceMessage::encode(const CommandRequest &request)
{
    const Command command = request.command == Command::Run ? Command::Show : request.command;
    QJsonObject object;
    for (const auto &[known, name] : channelCommands) {
        if (known == command)
            object.insert(QLatin1String("command"), QLatin1String(name));
    }
    if (command == Command::Add) {
        object.insert(QLatin1String("title"), request.title);
        if (!request.workspace.isEmpty())
            object.insert(QLatin1String("workspace"), request.workspace);
    }
    return frame(object);
}

QByteArray InstanceMessage::encode(const CommandReply &reply)
{
    return frame({{QLatin1String("exitCode"), reply.exitCode}, {QLatin1String("message"), reply.message}});
}

InstanceMessage::Decoded InstanceMessage::decodeRequest(const QByteArray &buffer)
{
    const QLatin1String commandKey("command"), titleKey("title"), workspaceKey("workspace");
    auto decoded = objectIn(buffer, {commandKey, titleKey, workspaceKey});
    if (auto *object = std::get_if<QJsonObject>(&decoded)) {
        const QString name = object->value(commandKey).toString();
        const auto known =
            std::find_if(channelCommands.begin(), channelCommands.end(),
                         [&name](const auto &entry) { return name == QLatin1String(entry.second); });
        if (known == channelCommands.end())
            return Refused{QStringLiteral("a message with no known command")};
        CommandRequest request;
        request.command = known->first;
        const bool isAdd = request.command == Command::Add;
        if (isAdd != object->value(titleKey).isString() || !isStringOrAbsent(*object, workspaceKey) ||
            (!isAdd && object->contains(workspaceKey)))
            return Refused{QStringLiteral("a message whose fields do not fit its command '%1'").arg(name)};
        request.title = object->value(titleKey).toString();
        request.workspace = object->value(workspaceKey).toString();
        return request;
    }
    if (auto *refused = std::get_if<Refused>(&decoded))
        return *refused;
    return Incomplete{};
}

InstanceMessage::DecodedReply InstanceMessage::decodeReply(const QByteArray &buffer)
{
    const QLatin1String codeKey("exitCode"), messageKey("message");
    auto decoded = objectIn(buffer, {codeKey, messageKey});
    if (auto *object = std::get_if<QJsonObject>(&decoded)) {
        const int code = object->value(codeKey).toInt(-1);
        if (code < 0 || code > 255 || !isStringOrAbsent(*object, messageKey))
            return Refused{QStringLiteral("a reply that is not one")};
        return CommandReply{code, object->value(messageKey).toString()};
    }
    if (auto *refused = std::get_if<Refused>(&decoded))
        return *refused;
    return Incomplete{};
}
