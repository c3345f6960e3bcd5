#include "engine/ZeroOffset.h"

#include "engine/NumberText.h"

CapturedOffsets CaptureOffsets(LiveState& state) {
    CapturedOffsets texts{FormatFixed(state.GX, 3, 5), FormatFixed(state.GY, 3, 5),
                          FormatFixed(state.GZ, 3, 5)};
    state.OffsetX = ParseReal(texts.TextX).value_or(0.0);
    state.OffsetY = state.GY;
    state.OffsetZ = state.GZ;
    return texts;
}
