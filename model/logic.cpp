#include "model/logic.h"

namespace korvane {

std::string LogicChannel(int code, int byte3, int kind) {
    std::string s;
    if (kind == kLogicInput1) {
        switch (byte3 & 0xA0) {
        case 0x20:
            s = "--";
            break;
        case 0x80:
            s = "/ ";
            break;
        case 0xA0:
            s = "\\ ";
            break;
        default:
            s = "  ";
        }
    } else if (kind == kLogicInput2) {
        switch (byte3 & 0x50) {
        case 0x10:
            s = "--";
            break;
        case 0x40:
            s = "/ ";
            break;
        case 0x50:
            s = "\\ ";
            break;
        default:
            s = "  ";
        }
    }
    // Codes from 160 up name no signal (160 itself included: it has no marker digit).
    if (code >= 160 || code < 0)
        return "-----";
    if (code & 0x80)
        s += "XYZW"[(code & 0x18) >> 3];
    else
        s += static_cast<char>('A' + (code & 0x78) / 8);
    s += static_cast<char>('1' + (code & 7));
    return s;
}

std::string LogicOperationText(int byte3) {
    static const char* const kOps[] = {"", "And", "Or", "Xor"};
    return kOps[(byte3 & kLogicOperationMask) / 4];
}

void CheckLogic(Configuration& cfg) {
    cfg.LogicMarks.fill(false);
    for (int b = 0; b < kLogicBlocksUsed; ++b) {
        const LogicRecord& r = cfg.LogicBlocks[b];
        if (r[3] != 0 && r[0] < kChannels)
            cfg.LogicMarks[r[0]] = true;
    }
}

} // namespace korvane
