#include "comm/BiSyncBlock.h"

#include "comm/LinkBytes.h"

namespace {

// Where the block ends when no 0xAC forces it.
size_t NaturalCut(const std::string& buffer)
{
    if (buffer.size() <= kMaxSendBlockData)
        return buffer.size();
    size_t cut = 1;
    for (size_t tilde = buffer.find('~', 1); tilde != std::string::npos && tilde < kMaxSendBlockData;
         tilde = buffer.find('~', tilde + 1))
        cut = tilde + 1;
    return cut;
}

BlockCut Take(const std::string& buffer, size_t length, bool forced)
{
    BlockCut cut;
    cut.data = buffer.substr(0, length);
    cut.consumed = length + (forced ? 1 : 0);
    cut.forced = forced;
    return cut;
}

} // namespace

BlockCut CutBlock(const std::string& sendBuffer, const std::string& previousBlock)
{
    const size_t mark = sendBuffer.find(static_cast<char>(kForceCutByte));
    const bool forced = mark != std::string::npos && mark <= kMaxSendBlockData;
    BlockCut cut = forced ? Take(sendBuffer, mark, true) : Take(sendBuffer, NaturalCut(sendBuffer), false);
    if (cut.data != previousBlock)
        return cut;
    if (cut.data.size() > 1)
        return Take(sendBuffer, cut.data.size() - 1, false);
    if (!forced && sendBuffer.size() > cut.data.size())
        return Take(sendBuffer, cut.data.size() + 1, false);
    return cut;
}

std::string FrameBlock(const std::string& data, bool lastOfMessage)
{
    std::string block;
    block.reserve(data.size() + 2);
    block += static_cast<char>(kSTX);
    block += data;
    block += static_cast<char>(lastOfMessage ? kETX : kETB);
    return block;
}

uint8_t BlockCheck(const std::string& framedBlock)
{
    uint8_t check = 0;
    for (size_t i = 1; i < framedBlock.size(); ++i)
        check ^= static_cast<uint8_t>(framedBlock[i]);
    return check;
}
