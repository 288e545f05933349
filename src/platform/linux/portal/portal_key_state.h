#pragma once

#include "platform/key_state.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <array>
#include <bitset>
#include <functional>
#include <memory>

class QDBusServiceWatcher;

namespace clipnest::linux_backend {

class PortalSignals;

// The global key state of a Wayland session, from the desktop portal's global shortcuts: the
// desktop tells the program when one of its three shortcuts is pressed and released, whatever
// program has the focus. A shortcut's keys are down from its activation until its deactivation,
// and went down at each activation (the poller tells a new press from a repeat itself).
// When the portal cannot serve (none, no shortcuts, the user said no, it went away), the key
// state says so once on standard error and answers from the fallback from then on.
class PortalKeyState : public KeyState {
 public:
  enum class Stage { kStarting, kBound, kFallenBack };

  // Talks over `bus`, a connection of its own that nothing else has used for the portal yet.
  explicit PortalKeyState(QDBusConnection bus);
  ~PortalKeyState() override;
  PortalKeyState(const PortalKeyState&) = delete;
  PortalKeyState& operator=(const PortalKeyState&) = delete;

  // Registers the program with the portal, opens its session and binds the shortcuts, without
  // waiting for any answer.
  void Start();

  std::int16_t AsyncKeyState(int virtual_key) override;
  bool Quiet(std::span<const int> virtual_keys) override;

  // Called at each new press of one of the keys, before anything else learns of it (on_key_down,
  // queries): the platform's own answer to a key, such as the PrintScreen screenshot, comes first.
  std::function<void(int virtual_key)> on_press;
  // The key state that answers when the portal cannot; made at the first failure.
  std::function<std::unique_ptr<KeyState>()> make_fallback;

  // Keeps a key's presses from every query until released: the key reads up meanwhile and its
  // presses wait. What the program does at a key (the screenshot) finishes before it shows.
  void HoldBack(int virtual_key, bool hold);

  Stage stage() const { return stage_; }
  const QDBusConnection& bus() const { return bus_; }

 private:
  friend class PortalSignals;
  void CreateSession();
  void BindShortcuts();
  void OnShortcut(const QString& session, const QString& shortcut_id, bool activated);
  void FallBack(const QString& why);

  QDBusConnection bus_;
  QObject requests_;  // the parent of the calls under way, which end with it
  std::unique_ptr<PortalSignals> signals_;
  std::unique_ptr<QDBusServiceWatcher> portal_watcher_;
  Stage stage_ = Stage::kStarting;
  QString session_;
  std::bitset<3> active_;  // by shortcut
  std::bitset<256> went_down_;
  std::bitset<256> held_back_;
  std::unique_ptr<KeyState> fallback_;
};

}  // namespace clipnest::linux_backend
