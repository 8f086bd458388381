// The link engine takes bytes from the line in any split, with its timers and
// its owner's calls in between: nothing it receives may break it or make it
// send more than a block's worth at once.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "LinkRig.h"

namespace {

const int kTimerIds[] = {kJunkTimer, kBidTimer, kAckTimer, kEotTimer, kBlockTimer, 3};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LinkRig rig(size % 2 ? LinkStation::Server : LinkStation::Client);
    CBiSyncEngine& engine = rig.engine;
    bool answer = false;
    rig.owner = [&](const LinkEvent& event) {
        if (event.kind == LinkEvent::Kind::Send && event.bytes.size() > 2 + 243 + 1)
            std::abort();
        if (event.kind == LinkEvent::Kind::State && (event.value < 0 || event.value >= kLinkStateCount))
            std::abort();
        if (event.kind == LinkEvent::Kind::Message && answer) {
            engine.AddSendData("OK");
            engine.FinishedRequest();
        }
    };
    rig.random.value = 0;
    engine.SetMessageLimit(4096);
    rig.Idle("10~0~QN~1.600~ACC 1~A*1~");

    size_t i = 0;
    while (i < size) {
        const uint8_t control = data[i++];
        answer = control & 1;
        if (control < 0xE0) {
            // A piece of line input of 1 to 32 bytes.
            const size_t length = control % 32 + 1;
            const size_t take = length < size - i ? length : size - i;
            engine.ReceiveData(data + i, take);
            i += take;
        } else if (control < 0xE6) {
            engine.OnTimer(kTimerIds[control - 0xE0]);
        } else if (control < 0xF0) {
            rig.Advance((control - 0xE6) * 1000u);
        } else if (control == 0xF0) {
            engine.Connected();
        } else if (control == 0xF1) {
            engine.SetState(kLinkIdle);
        } else if (control == 0xF2) {
            engine.AddSendData(std::string(300, 'x') + "~");
        } else {
            engine.FinishedRequest();
        }
        rig.Pump();
    }
    return 0;
}
