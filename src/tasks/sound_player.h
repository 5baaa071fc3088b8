#pragma once
// The sound player as the scheduler and the chime use it. A list is the file paths joined by "*",
// played one after another; the player refuses a new list while files of the last one wait.

#include <string_view>

namespace kalvoro {

class ISoundPlayer {
public:
    virtual ~ISoundPlayer() = default;
    virtual void PlayFiles(std::string_view star_joined_paths) = 0;
};

}  // namespace kalvoro
