// The link engine takes bytes from the line in any split, with its timers and
// its owner's calls in between: nothing it receives may break it or make it
// send more than a block's worth at once.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "LinkRig.h"

namespace {

const int kTimerIds[] = {kJunkTimer, kBidTimer, kAckTimer, kEotTimer, kBlockTimer, 3};

void Drain(CLinkEventQueue& queue, CBiSyncEngine& engine, bool answer)
{
    LinkEvent event;
    while (queue.Pop(event)) {
        if (event.kind == LinkEvent::Kind::Send && event.bytes.size() > 2 + 243 + 1)
            std::abort();
        if (event.kind == LinkEvent::Kind::State && (event.value < 0 || event.value >= kLinkStateCount))
            std::abort();
        if (event.kind == LinkEvent::Kind::Message && answer) {
            engine.AddSendData("OK");
            engine.FinishedRequest();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CLinkEventQueue queue;
    FixedRandom random;
    random.value = 0;
    CBiSyncEngine* target = nullptr;
    CTimerList timers([&](int id) { target->OnTimer(id); });
    CBiSyncEngine engine(queue, timers, random, nullptr, size % 2 ? LinkStation::Server : LinkStation::Client);
    target = &engine;
    engine.SetMessageLimit(4096);
    engine.AddSendData("10~0~QN~1.600~ACC 1~A*1~");
    engine.SetState(kLinkIdle);

    size_t i = 0;
    while (i < size) {
        const uint8_t control = data[i++];
        if (control < 0xE0) {
            // A piece of line input of 1 to 32 bytes.
            const size_t length = control % 32 + 1;
            const size_t take = length < size - i ? length : size - i;
            engine.ReceiveData(data + i, take);
            i += take;
        } else if (control < 0xE6) {
            engine.OnTimer(kTimerIds[control - 0xE0]);
        } else if (control < 0xF0) {
            timers.Advance((control - 0xE6) * 1000u);
        } else if (control == 0xF0) {
            engine.Connected();
        } else if (control == 0xF1) {
            engine.SetState(kLinkIdle);
        } else if (control == 0xF2) {
            engine.AddSendData(std::string(300, 'x') + "~");
        } else {
            engine.FinishedRequest();
        }
        Drain(queue, engine, control & 1);
    }
    return 0;
}
