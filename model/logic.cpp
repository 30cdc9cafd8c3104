#include "model/logic.h"

#include <algorithm>

#include "model/field_rules.h"

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
    if (code >= kLogicNoSignal || code < 0)
        return "-----";
    return s + ChannelRefText(code);
}

bool LogicBlockOperates(const LogicRecord& block) {
    return (block[kLogicOperation] & kLogicOperationMask) != 0;
}

bool LogicBlockInUse(const LogicRecord& block) {
    return block[kLogicOperation] != 0;
}

std::string LogicOperationText(int byte3) {
    static const char* const kOps[] = {"", "And", "Or", "Xor"};
    return kOps[(byte3 & kLogicOperationMask) / 4];
}

LogicMarkSet LogicMarks(const Configuration& cfg) {
    LogicMarkSet marks{};
    for (int b = 0; b < kLogicBlocksUsed; ++b) {
        const LogicRecord& r = cfg.LogicBlocks[b];
        if (LogicBlockInUse(r) && r[kLogicOutput] < kChannels)
            marks[r[kLogicOutput]] = true;
    }
    return marks;
}

namespace {

constexpr int kKeyO = 79; // the letter O: Or

bool isMarker(int keyCode) {
    return keyCode == vk::kX || keyCode == vk::kY || keyCode == vk::kZ || keyCode == vk::kW;
}

} // namespace

std::optional<int> LogicSignalKey(int code, int keyCode) {
    if (keyCode >= vk::kA && keyCode <= vk::kP)
        return (code & 7) | (8 * (keyCode - vk::kA));
    if (keyCode >= vk::k1 && keyCode <= vk::k8)
        return (code & 0xF8) | (keyCode - vk::k1);
    if (keyCode >= vk::kPad1 && keyCode <= vk::kPad8)
        return (code & 0xF8) | (keyCode - vk::kPad1);
    switch (keyCode) {
    case vk::kX:
        return (code & 7) | 0x80;
    case vk::kY:
        return (code & 7) | 0x88;
    case vk::kZ:
        return (code & 7) | 0x90;
    case vk::kW:
        return (code & 7) | 0x98;
    default:
        return std::nullopt;
    }
}

std::optional<int> LogicOperationKey(int byte3, int keyCode) {
    switch (keyCode) {
    case vk::kA:
        return (byte3 & 0xF4) | 4;
    case kKeyO:
        return (byte3 & 0xF8) | 8;
    case vk::kX:
        return (byte3 & 0xFC) | 12;
    case vk::kSpace:
    case vk::kDelete:
        return 0;
    default:
        return std::nullopt;
    }
}

std::optional<LogicRecord> LogicKey(const LogicRecord& block, int field, int keyCode) {
    LogicRecord r = block;
    Byte& b3 = r[kLogicOperation];
    if (field == kLogicOperation) {
        const std::optional<int> v = LogicOperationKey(b3, keyCode);
        if (!v)
            return std::nullopt;
        b3 = static_cast<Byte>(*v);
        return r;
    }
    if (field != kLogicOutput && field != kLogicInput1 && field != kLogicInput2)
        return std::nullopt;
    Byte& code = r[static_cast<std::size_t>(field)];
    if (const std::optional<int> v = LogicSignalKey(code, keyCode)) {
        code = static_cast<Byte>(*v);
        // A marker input loses its own edge mark and both marks of the other input.
        if (isMarker(keyCode) && field == kLogicInput1)
            b3 &= 0x2F;
        else if (isMarker(keyCode) && field == kLogicInput2)
            b3 &= 0x1F;
        return r;
    }
    if (field == kLogicOutput)
        return std::nullopt;
    const Byte level = field == kLogicInput1 ? kLogicLevel1 : kLogicLevel2;
    const Byte edge = field == kLogicInput1 ? kLogicEdge1 : kLogicEdge2;
    const bool channel = code < kChannels;
    switch (keyCode) {
    case vk::kMinus:
    case vk::kPadSubtract:
    case vk::kDelete:
        b3 = static_cast<Byte>((b3 ^ level) & ~edge);
        return r;
    case vk::kPlus:
    case vk::kPadAdd:
        b3 = static_cast<Byte>(b3 & ~(level | edge));
        return r;
    case vk::kOem102:
        if (!channel)
            return std::nullopt;
        b3 = static_cast<Byte>(b3 | level | edge);
        return r;
    case vk::kPadDivide:
    case vk::kPadMultiply: {
        if (!channel)
            return std::nullopt;
        const bool rising = (b3 & (level | edge)) == edge; // "/ "
        b3 = static_cast<Byte>(rising ? (b3 | level | edge) : ((b3 & ~level) | edge));
        return r;
    }
    default:
        return std::nullopt;
    }
}

int ClampLogicPage(int page) {
    return std::clamp(page, 0, kLogicPages - 1);
}

int LogicPageFirstBlock(int page) {
    return kLogicRowsPerPage * ClampLogicPage(page);
}

} // namespace korvane
