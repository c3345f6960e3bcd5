#pragma once

#include "device/PortContext.h"
#include "messages/Message.h"

#include <string>

// Where ReceiveData hands its results: every valid frame, and the overflow line.
class FrameConsumer {
public:
    virtual ~FrameConsumer() = default;
    virtual void ProcessFrame(const Frame& frame) = 0;
    virtual void AppendMessage(const Message& message) = 0;
    // Bytes thrown away since the last frame: broken frames, noise, an overflow. Told before
    // the frame that follows them.
    virtual void BytesDiscarded(int /*count*/) {}
};

constexpr int ExtractNeedMore = 0;
constexpr int ExtractNoStart = -1;

// Cuts checked six-byte frames from the front of the receive buffer. A false start is
// overwritten with 0x00 so the next search resumes inside it, at the next STX. Returns
// FrameLength when a frame was copied out and removed together with every byte before it,
// ExtractNeedMore when more bytes are needed, ExtractNoStart when six or more bytes hold no
// STX at all.
int ExtractFrame(std::uint8_t* buffer, std::int32_t& count, Frame& out);

// Moves the waiting bytes of the port into its buffer and hands every complete frame on,
// in arrival order. Must not be re-entered while it runs.
void ReceiveData(PortContext& port, FrameConsumer& consumer);
