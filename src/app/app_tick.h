#pragma once
// The one-second tick: the time is read once from the clock and handed to every listener in a
// fixed order — the display update (which also turns the analog clock's hands), the scheduler,
// then the chime. Listeners are attached once; a tick allocates nothing.

#include <array>

#include "base/clock.h"
#include "base/date_time.h"

namespace kalvoro {

class ITickListener {
public:
    virtual ~ITickListener() = default;
    virtual void OnTick(DateTime now) = 0;
};

// Forwards the tick to an object with an OnTick(DateTime) of its own (the chime, the scheduler).
template <typename Target>
class TickForwarder final : public ITickListener {
public:
    explicit TickForwarder(Target& target) : target_(target) {}
    void OnTick(DateTime now) override { target_.OnTick(now); }

private:
    Target& target_;
};

// Calls a member of another object with the tick's time (the scheduler's CheckTasks).
template <typename Target, void (Target::*Method)(DateTime)>
class TickCall final : public ITickListener {
public:
    explicit TickCall(Target& target) : target_(target) {}
    void OnTick(DateTime now) override { (target_.*Method)(now); }

private:
    Target& target_;
};

enum class TickStage { kDisplay, kScheduler, kChime, kCount };

class AppTick {
public:
    explicit AppTick(IClock& clock) : clock_(clock) {}

    // One listener per stage; nullptr detaches it.
    void Attach(TickStage stage, ITickListener* listener) { listeners_[static_cast<int>(stage)] = listener; }
    ITickListener* ListenerAt(TickStage stage) const { return listeners_[static_cast<int>(stage)]; }

    // Reads the clock and runs every attached stage in order; returns the time it used. A listener
    // that throws ends only its own stage.
    DateTime Run();

    IClock& clock() { return clock_; }

private:
    IClock& clock_;
    std::array<ITickListener*, static_cast<int>(TickStage::kCount)> listeners_{};
};

}  // namespace kalvoro
