#include "base/gbk.h"

#include <array>
#include <atomic>
#include <cstdint>

// The segmenting of GBK bytes and every replacement rule live here so that the iconv and the
// code page 936 backends, which only convert single units, give byte-identical results.

namespace kalvoro {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsGbkLead(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}
bool IsGbkTrail(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFE);
}

// Code page 936 maps its user-defined areas to the private use area while iconv leaves them
// unassigned; treating them as unassigned everywhere keeps both builds alike.
bool IsPrivateUse(char32_t code_point) {
    return code_point >= 0xE000 && code_point <= 0xF8FF;
}

// Each backend answer is asked once per process. Racing threads store the same value, so relaxed
// atomics are enough. Zero means "not asked yet": no answer is ever zero (a decoded pair is at
// least 0x80, an encoded unit at least 0x80), so the caches stay zero-filled static data whose
// pages are only made resident where an answer is stored, rather than half a megabyte at the
// first conversion.
constexpr std::uint32_t kUnknown = 0;
// An encoded unit: one byte in the low 8 bits, or lead << 8 | trail; or this for "GBK cannot hold it".
constexpr std::uint32_t kUnrepresentable = 0xFFFFFFFE;

template <std::size_t Size>
using AnswerCache = std::array<std::atomic<std::uint32_t>, Size>;

constinit AnswerCache<126 * 256> pair_cache{};
constinit AnswerCache<0x10000> encode_cache{};

std::atomic<std::uint32_t>& PairSlot(unsigned char lead, unsigned char trail) {
    return pair_cache[(lead - 0x81u) * 256u + trail];
}

std::atomic<std::uint32_t>& EncodeSlot(char32_t code_point) {
    return encode_cache[code_point & 0xFFFF];
}

// The single byte 0x80 is the euro sign in code page 936.
char32_t DecodeSingle0x80() {
    static const char32_t euro = [] {
        char32_t code_point = 0;
        const char unit[1] = {static_cast<char>(0x80)};
        if (!gbk_backend::DecodeUnit(std::string_view(unit, 1), code_point) || IsPrivateUse(code_point)) {
            return kReplacement;
        }
        return code_point;
    }();
    return euro;
}

// The code point of a lead and trail byte, kReplacement when the pair is unassigned.
char32_t DecodePair(unsigned char lead, unsigned char trail) {
    std::atomic<std::uint32_t>& slot = PairSlot(lead, trail);
    std::uint32_t cached = slot.load(std::memory_order_relaxed);
    if (cached != kUnknown) return cached;
    const char unit[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    char32_t code_point = 0;
    if (!gbk_backend::DecodeUnit(std::string_view(unit, 2), code_point) || code_point < 0x80 || code_point > 0xFFFF ||
        IsPrivateUse(code_point) || (code_point >= 0xD800 && code_point <= 0xDFFF)) {
        code_point = kReplacement;
    }
    slot.store(code_point, std::memory_order_relaxed);
    return code_point;
}

// The GBK unit of a code point. Only units that
// decode back to the same code point count, so no backend's best-fit guess slips through.
std::uint32_t EncodeToUnit(char32_t code_point) {
    if (code_point < 0x80) return code_point;
    if (code_point > 0xFFFF || IsPrivateUse(code_point) || code_point == kReplacement) return kUnrepresentable;
    std::atomic<std::uint32_t>& slot = EncodeSlot(code_point);
    std::uint32_t cached = slot.load(std::memory_order_relaxed);
    if (cached != kUnknown) return cached;
    char bytes[2] = {};
    std::uint32_t unit = kUnrepresentable;
    std::size_t count = gbk_backend::EncodeCodePoint(code_point, bytes);
    const auto first = static_cast<unsigned char>(bytes[0]);
    const auto second = static_cast<unsigned char>(bytes[1]);
    if (count == 1 && first == 0x80 && DecodeSingle0x80() == code_point) {
        unit = first;
    } else if (count == 2 && IsGbkLead(first) && IsGbkTrail(second) && DecodePair(first, second) == code_point) {
        unit = (std::uint32_t{first} << 8) | second;
    }
    slot.store(unit, std::memory_order_relaxed);
    return unit;
}

std::size_t UnitLength(std::uint32_t unit) {
    return unit != kUnrepresentable && unit > 0xFF ? 2 : 1;
}

void AppendUtf8(std::string& out, char32_t code_point) {
    if (code_point < 0x80) {
        out += static_cast<char>(code_point);
    } else if (code_point < 0x800) {
        out += static_cast<char>(0xC0 | (code_point >> 6));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    } else if (code_point < 0x10000) {
        out += static_cast<char>(0xE0 | (code_point >> 12));
        out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code_point >> 18));
        out += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    }
}

// Decodes one code point at text[pos], advancing pos. Ill-formed input yields U+FFFD for each
// maximal ill-formed subpart, the usual rule of the Unicode standard.
char32_t NextUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t code_point = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        code_point = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        code_point = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        code_point = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return kReplacement;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= text.size()) return kReplacement;
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < low || byte > high) return kReplacement;
        low = 0x80;
        high = 0xBF;
        code_point = (code_point << 6) | (byte & 0x3F);
        ++pos;
    }
    return code_point;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
    std::string out;
    out.reserve(gbk.size() + gbk.size() / 2);
    std::size_t pos = 0;
    while (pos < gbk.size()) {
        const auto byte = static_cast<unsigned char>(gbk[pos]);
        if (byte < 0x80) {
            out += static_cast<char>(byte);
            ++pos;
            continue;
        }
        if (byte == 0x80) {
            AppendUtf8(out, DecodeSingle0x80());
            ++pos;
            continue;
        }
        if (!IsGbkLead(byte) || pos + 1 >= gbk.size() || !IsGbkTrail(static_cast<unsigned char>(gbk[pos + 1]))) {
            AppendUtf8(out, kReplacement);
            ++pos;
            continue;
        }
        const auto trail = static_cast<unsigned char>(gbk[pos + 1]);
        const char32_t code_point = DecodePair(byte, trail);
        if (code_point != kReplacement) {
            AppendUtf8(out, code_point);
            pos += 2;
        } else if (trail < 0x80) {
            // An unassigned pair with an ASCII trail: keep the ASCII character visible.
            AppendUtf8(out, kReplacement);
            pos += 1;
        } else {
            AppendUtf8(out, kReplacement);
            AppendUtf8(out, kReplacement);
            pos += 2;
        }
    }
    return out;
}

std::string Utf8ToGbk(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::uint32_t unit = EncodeToUnit(NextUtf8(utf8, pos));
        if (unit == kUnrepresentable) {
            out += '?';
        } else if (unit > 0xFF) {
            out += static_cast<char>(unit >> 8);
            out += static_cast<char>(unit & 0xFF);
        } else {
            out += static_cast<char>(unit);
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t code_point = NextUtf8(utf8, pos);
        if (code_point >= 0x10000) {
            const char32_t offset = code_point - 0x10000;
            out += static_cast<char16_t>(0xD800 + (offset >> 10));
            out += static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
        } else {
            out += static_cast<char16_t>(code_point);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 3 / 2);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{utf16[i + 1]} - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

std::size_t GbkLength(std::string_view utf8) {
    std::size_t length = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) length += UnitLength(EncodeToUnit(NextUtf8(utf8, pos)));
    return length;
}

std::string CutToGbkBytes(std::string_view utf8, std::size_t max_bytes) {
    std::size_t length = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t next = pos;
        const std::size_t unit_length = UnitLength(EncodeToUnit(NextUtf8(utf8, next)));
        if (length + unit_length > max_bytes) break;
        length += unit_length;
        pos = next;
    }
    return std::string(utf8.substr(0, pos));
}

std::size_t GbkCutLength(std::string_view gbk, std::size_t max_bytes) {
    std::size_t pos = 0;
    while (pos < gbk.size()) {
        const auto byte = static_cast<unsigned char>(gbk[pos]);
        const bool pair =
            IsGbkLead(byte) && pos + 1 < gbk.size() && IsGbkTrail(static_cast<unsigned char>(gbk[pos + 1]));
        const std::size_t unit_length = pair ? 2 : 1;
        if (pos + unit_length > max_bytes) break;
        pos += unit_length;
    }
    return pos;
}

}  // namespace kalvoro
