#pragma once
// The window messages by which the panel, the installer and the plug-in applications talk to each other.

namespace shell {

// Sent by the installer: the panel closes.
inline constexpr wchar_t kPanelExitMessage[] = L"WM_KVQ48xxAPP_EXIT";
// Broadcast by the panel: a running plug-in application ends.
inline constexpr wchar_t kEffectExitMessage[] = L"WM_AUDIO_EFFECT_EXIT";
// Broadcast by a plug-in application when it ends, and by the panel before it starts one.
inline constexpr wchar_t kExitResumeMessage[] = L"WM_APP_EXIT_RESUME";
// Posted to the panel's own window from the SDK's thread: the device button's reports wait in the mailbox.
inline constexpr wchar_t kButtonReportMessage[] = L"TonvioEncButtonReport";

// How long the effect-exit broadcast of "Close" waits for each window.
inline constexpr unsigned kCloseBroadcastTimeoutMs = 100;
// Starting a plug-in: a quick first ask to end, then the resume and two more asks, each given time.
inline constexpr unsigned kPluginQuickExitTimeoutMs = 100;
inline constexpr unsigned kPluginBroadcastTimeoutMs = 1000;
inline constexpr unsigned kPluginPauseMs = 300;

} // namespace shell
