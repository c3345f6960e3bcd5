#include "device/ReceiveQueue.h"

#include <algorithm>
#include <cstring>

int ExtractFrame(std::uint8_t* buffer, std::int32_t& count, Frame& out) {
    for (;;) {
        if (count < FrameLength) return ExtractNeedMore;
        const auto* stx = static_cast<const std::uint8_t*>(std::memchr(buffer, FrameStx, count));
        if (stx == nullptr) return ExtractNoStart;
        const std::int32_t i = static_cast<std::int32_t>(stx - buffer);
        if (i + FrameLength > count) return ExtractNeedMore;
        std::uint8_t* candidate = buffer + i;
        if (candidate[5] != FrameEtx ||
            candidate[4] != FrameChecksum(candidate[0], candidate[1], candidate[2], candidate[3])) {
            candidate[0] = 0x00;
            continue;
        }
        std::memcpy(out.data(), candidate, FrameLength);
        const std::int32_t consumed = i + FrameLength;
        std::memmove(buffer, buffer + consumed, count - consumed);
        count -= consumed;
        return FrameLength;
    }
}

void ReceiveData(PortContext& port, FrameConsumer& consumer) {
    if (port.Comm == nullptr) return;
    const int waiting = port.Comm->InQueCount();
    if (waiting < 1) return;
    if (port.RxCount + waiting >= RxBufferSize) {
        consumer.AppendMessage("Overflow : Not Processed Data[" + std::to_string(port.RxCount) +
                               "] New Data[" + std::to_string(waiting) + "]");
        if (port.RxCount > 0) consumer.BytesDiscarded(port.RxCount);
        port.RxCount = 0;
        const int first = port.Comm->Read(port.RxBuffer, std::min(waiting, RxBufferSize));
        port.RxCount = std::clamp(first, 0, RxBufferSize);
    }
    const int room = std::min(waiting, RxBufferSize - port.RxCount);
    if (room > 0) {
        const int read = port.Comm->Read(port.RxBuffer + port.RxCount, room);
        port.RxCount += std::clamp(read, 0, room);
    }
    for (;;) {
        const std::int32_t before = port.RxCount;
        const int result = ExtractFrame(port.RxBuffer, port.RxCount, port.Frame);
        if (result == ExtractNoStart) {
            consumer.BytesDiscarded(port.RxCount);
            port.RxCount = 0;
            return;
        }
        if (result == ExtractNeedMore) return;
        if (before - port.RxCount > FrameLength)
            consumer.BytesDiscarded(before - port.RxCount - FrameLength);
        consumer.ProcessFrame(port.Frame);
    }
}
