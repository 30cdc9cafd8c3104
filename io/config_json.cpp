#include "io/config_json.h"

#include <cstdio>

#include "model/text_codec.h"

namespace korvane {

namespace {

template <typename Bytes> void putBytes(std::string& out, const Bytes& bytes) {
    out += '[';
    bool first = true;
    for (Byte b : bytes) {
        if (!first)
            out += ',';
        first = false;
        out += std::to_string(b);
    }
    out += ']';
}

template <typename Rows> void putRows(std::string& out, const char* key, const Rows& rows) {
    out += "  \"";
    out += key;
    out += "\": [\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        out += "    ";
        putBytes(out, rows[i]);
        out += i + 1 < rows.size() ? ",\n" : "\n";
    }
    out += "  ],\n";
}

template <typename Texts> void putTexts(std::string& out, const char* key, const Texts& texts) {
    out += "  \"";
    out += key;
    out += "\": [";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        out += i ? ", " : "";
        out += JsonString(texts[i]);
    }
    out += "],\n";
}

} // namespace

std::string JsonString(std::string_view cp1252) {
    std::string out = "\"";
    for (char ch : cp1252) {
        const auto u = static_cast<unsigned char>(ch);
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            // The controls as escapes, DEL and the unassigned codes (C1 controls) too: a terminal acts on them.
            if (IsControlByte(u)) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", u);
                out += buf;
            } else {
                out += Cp1252ToUtf8(std::string_view(&ch, 1));
            }
        }
    }
    out += '"';
    return out;
}

std::string ConfigurationJson(const Configuration& cfg) {
    std::string out = "{\n";
    putRows(out, "ChanSetup", cfg.ChanSetup);
    putRows(out, "MasterMatrix", cfg.MasterMatrix);
    putRows(out, "LogicBlocks", cfg.LogicBlocks);
    out += "  \"SysData\": ";
    putBytes(out, cfg.SysData);
    out += ",\n  \"ChanFlags\": ";
    putBytes(out, cfg.ChanFlags);
    out += ",\n  \"SavedChanType\": ";
    putBytes(out, cfg.SavedChanType);
    out += ",\n";
    putTexts(out, "ChanText", cfg.ChanText);
    putTexts(out, "DescText", cfg.DescText);
    putTexts(out, "SmsText", cfg.SmsText);
    out += "  \"SmsIdText\": " + JsonString(cfg.SmsIdText) + "\n}\n";
    return out;
}

} // namespace korvane
