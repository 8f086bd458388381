#include "comm/BiSyncReceiver.h"

#include "comm/LinkBytes.h"

void CBiSyncReceiver::BeginBlock()
{
    m_length = 0;
    m_check = 0;
    m_overflow = false;
}

CBiSyncReceiver::Step CBiSyncReceiver::Add(uint8_t byte)
{
    m_check ^= byte;
    if (byte == kETB)
        return Step::BlockEnd;
    if (byte == kETX)
        return Step::MessageEnd;
    if (m_length < kMaxReceiveBlockData)
        m_data[m_length++] = static_cast<char>(byte);
    else
        m_overflow = true;
    return Step::Data;
}

CBiSyncReceiver::Verdict CBiSyncReceiver::Finish(uint8_t check, bool endsMessage)
{
    if (m_overflow || check != m_check)
        return Verdict::Refused;
    std::string text(m_data, m_length);
    if (text == m_lastBlock)
        return Verdict::Duplicate;
    if (m_message.size() + text.size() > m_limit)
        return Verdict::Refused;
    m_message += text;
    m_lastBlock = std::move(text);
    m_lastBlockEndedMessage = endsMessage;
    m_owedToOwner = endsMessage;
    return Verdict::Accepted;
}

void CBiSyncReceiver::MessageTaken()
{
    m_message.clear();
    m_owedToOwner = false;
}

void CBiSyncReceiver::NewTransmission()
{
    m_lastBlock.clear();
    m_lastBlockEndedMessage = false;
}

void CBiSyncReceiver::NewLine()
{
    m_message.clear();
    NewTransmission();
}
