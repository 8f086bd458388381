#include "comm/ServerMessage.h"

namespace {

bool StartsLonger(const std::string& message, const std::string& word)
{
    return message.size() > word.size() && message.compare(0, word.size(), word) == 0;
}

} // namespace

ServerMessageKind ClassifyServerMessage(const std::string& message)
{
    if (StartsLonger(message, "REPLY"))
        return ServerMessageKind::Reply;
    if (StartsLonger(message, "EXEUPDATE"))
        return ServerMessageKind::Update;
    return ServerMessageKind::Other;
}

const char* ServerMessageAnswer(ServerMessageKind kind)
{
    return kind == ServerMessageKind::Other ? "BAD" : "OK";
}

std::vector<std::string> SplitFields(const std::string& message)
{
    std::vector<std::string> fields;
    size_t start = 0;
    while (start < message.size()) {
        size_t end = message.find('~', start);
        if (end == std::string::npos)
            end = message.size();
        if (end > start)
            fields.push_back(message.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}
