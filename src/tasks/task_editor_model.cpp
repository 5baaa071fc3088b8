#include "tasks/task_editor_model.h"

#include "base/date_time.h"
#include "tasks/task_list.h"

namespace kalvoro {

std::vector<std::string> TimeBoxItems(int box, int current_year) {
    std::vector<std::string> items{""};
    auto add_range = [&](int first, int last) {
        for (int value = first; value <= last; ++value) items.push_back(IntToZeroStr(value, 2));
    };
    switch (box) {
        case kBoxYear:
            for (int year = current_year; year < current_year + 12; ++year) items.push_back(std::to_string(year));
            break;
        case kBoxMonth:
            add_range(1, 12);
            break;
        case kBoxDay:
            add_range(1, 31);
            break;
        case kBoxHour:
            add_range(0, 23);
            break;
        case kBoxMinute:
        case kBoxSecond:
            add_range(0, 59);
            break;
        default:
            break;
    }
    return items;
}

std::array<int, kTimeBoxCount> TimeBoxSelection(std::string_view time_text, int current_year) {
    const TimeTextParts parts = SplitTimeText(time_text);
    std::array<int, kTimeBoxCount> selection{};
    for (int box = 0; box < kTimeBoxCount; ++box) {
        const auto& part = parts[static_cast<std::size_t>(box)];
        if (!part) continue;
        selection[static_cast<std::size_t>(box)] = -1;
        const std::vector<std::string> items = TimeBoxItems(box, current_year);
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i] == *part) {
                selection[static_cast<std::size_t>(box)] = static_cast<int>(i);
                break;
            }
        }
    }
    return selection;
}

std::string BuildTimeText(const std::array<std::string, kTimeBoxCount>& box_texts) {
    std::string text;
    for (std::size_t box = 0; box < box_texts.size(); ++box) {
        if (box_texts[box].empty()) continue;
        text += box_texts[box];
        text += kTimeUnits[box];
    }
    return text;
}

}  // namespace kalvoro
