#include "app/win32/app_services.h"

#include "base/win32/window.h"

namespace kalvoro::win {

namespace {

ChimeSettings ChimeSettingsOf(const AppSettings& values) {
    return {values.alarm_on,   values.half_alarm_on, values.alarm_type,
            values.hot_key_on, values.hot_key1_text, values.hot_key2_text};
}

}  // namespace

AppServices::AppServices(AppCore& core, HWND bar, IPopupSender& popup) : core_(core), bar_(bar), popup_(popup) {}

AppServices::~AppServices() {
    Stop();
}

void AppServices::Start() {
    // The chime strikes after the display update (and the scheduler) in the same tick.
    Guarded([&] {
        chime_ = std::make_unique<ChimeHost>(bar_, popup_, core_.app_dir());
        chime_->Start(ChimeSettingsOf(core_.settings().values()));
        chime_tick_ = std::make_unique<TickForwarder<ChimeHost>>(*chime_);
        core_.tick().Attach(TickStage::kChime, chime_tick_.get());
        // The tasks' sounds play through the chime's player.
        scheduler_ = std::make_unique<TaskScheduler>(core_.tasks(), chime_->player(), popup_, task_shell_,
                                                     shutdown_prompt_, system_power_);
        scheduler_tick_ = std::make_unique<TickCall<TaskScheduler, &TaskScheduler::CheckTasks>>(*scheduler_);
        core_.tick().Attach(TickStage::kScheduler, scheduler_tick_.get());
    });
    Guarded([&] {
        time_sync_ = std::make_unique<TimeSyncService>(core_.app_dir());
        const AppSettings& values = core_.settings().values();
        time_sync_->StartStopTimeSync(values.auto_sync, values.sync_step_hours);
    });
    // The settings dialog changes what the chime and the time sync do.
    subscription_ = core_.settings().Subscribe([this](SettingsChange change) { OnSettingsChanged(change); });
}

void AppServices::OnSettingsChanged(SettingsChange change) {
    if (stopped_) return;
    const AppSettings& values = core_.settings().values();
    if (change == SettingsChange::kChime && chime_) Guarded([&] { chime_->ApplySettings(ChimeSettingsOf(values)); });
    if (change == SettingsChange::kTimeSync && time_sync_) {
        Guarded([&] { time_sync_->StartStopTimeSync(values.auto_sync, values.sync_step_hours); });
    }
}

void AppServices::OnHotKey(WPARAM id, LPARAM keys) {
    if (chime_ && !stopped_) Guarded([&] { chime_->OnHotKey(id, keys, core_.clock().Now()); });
}

void AppServices::Stop() {
    if (stopped_) return;
    stopped_ = true;
    if (subscription_ >= 0) core_.settings().Unsubscribe(subscription_);
    core_.tick().Attach(TickStage::kChime, nullptr);
    core_.tick().Attach(TickStage::kScheduler, nullptr);
    if (chime_) Guarded([&] { chime_->Close(); });
    if (time_sync_) Guarded([&] { time_sync_->Stop(); });
}

}  // namespace kalvoro::win
