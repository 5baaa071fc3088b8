#include "calendar/mark_editor.h"

#include <algorithm>
#include <cstdio>

#include "base/gbk.h"

#include "calendar/mark_keys.h"
#include "calendar/mark_texts.h"

namespace kalvoro {
namespace {

std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF7) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

std::string CharactersGbkLacks(std::string_view utf8_note) {
    std::string lacking;
    std::size_t at = 0;
    while (at < utf8_note.size()) {
        const std::size_t length =
            std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8_note[at])), utf8_note.size() - at);
        const std::string_view character = utf8_note.substr(at, length);
        at += length;
        if (GbkToUtf8(Utf8ToGbk(character)) == character) continue;
        if (lacking.find(character) == std::string::npos) lacking += character;
    }
    return lacking;
}

std::string UnsavableNoteMessage(std::string_view characters) {
    // Each character with its code, as the dialog font may have no glyph for it.
    std::string named;
    std::size_t at = 0;
    while (at < characters.size()) {
        const auto lead = static_cast<unsigned char>(characters[at]);
        const std::size_t length = std::min(Utf8SequenceLength(lead), characters.size() - at);
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t i = 1; i < length; ++i)
            code = (code << 6) | (static_cast<unsigned char>(characters[at + i]) & 0x3F);
        char hex[16];
        std::snprintf(hex, sizeof hex, "(U+%04X)", static_cast<unsigned>(code));
        if (!named.empty()) named += "、";
        named += "“" + std::string(characters.substr(at, length)) + "”" + hex;
        at += length;
    }
    return "备注中的字符" + named + "无法保存到标记文件，请删除或改用其他字符。";
}

int MarkEditor::ItemIndex(std::string_view text, int count) {
    if (text.size() != 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') return kNoSelection;
    const int value = (text[0] - '0') * 10 + (text[1] - '0');
    return value >= 1 && value <= count ? value - 1 : kNoSelection;
}

void MarkEditor::Open(std::string_view key, std::string_view note) {
    kind_ = !key.empty() && (key[0] == '0' || key[0] == '1') ? key[0] - '0' : kNoSelection;
    month_ = key.size() >= 3 ? ItemIndex(key.substr(1, 2), kMonthCount) : kNoSelection;
    day_ = key.size() >= 5 ? ItemIndex(key.substr(3, 2), kDayCount) : kNoSelection;
    note_ = note;
    ShowNoteOfDate();
}

void MarkEditor::SelectKind(int index) {
    if (index != 0 && index != 1) return;
    if (index != kind_ && month_ != kNoSelection && day_ != kNoSelection) {
        const std::string shown = MonthItem(month_) + DayItem(day_);
        const std::optional<std::string> converted =
            index == 1 ? SolarKeyToLunar(shown, DecodeDate(today_).year) : LunarKeyToSolar(shown, today_);
        if (converted) {
            month_ = ItemIndex(std::string_view(*converted).substr(0, 2), kMonthCount);
            day_ = ItemIndex(std::string_view(*converted).substr(2, 2), kDayCount);
        }
    }
    kind_ = index;
    ShowNoteOfDate();
}

void MarkEditor::SelectMonth(int index) {
    month_ = index >= 0 && index < kMonthCount ? index : kNoSelection;
    ShowNoteOfDate();
}

void MarkEditor::SelectDay(int index) {
    day_ = index >= 0 && index < kDayCount ? index : kNoSelection;
    ShowNoteOfDate();
}

std::optional<std::string> MarkEditor::Key() const {
    if (kind_ == kNoSelection || month_ == kNoSelection || day_ == kNoSelection) return std::nullopt;
    return std::to_string(kind_) + MonthItem(month_) + DayItem(day_);
}

void MarkEditor::ShowNoteOfDate() {
    if (kind_ == kNoSelection || month_ == kNoSelection || day_ == kNoSelection) return;
    std::string existing = GetMarkText(lines_, kind_, MonthItem(month_) + DayItem(day_));
    if (!existing.empty()) note_ = std::move(existing);
}

}  // namespace kalvoro
