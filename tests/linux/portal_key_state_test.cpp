// The global keys of a Wayland session through Debian's own portal frontend on a private bus,
// with a fake desktop behind it (fake_portal/desktop.py) that the tests drive.
#include "platform/linux/portal/portal_key_state.h"
#include "platform/linux/x11_key_map.h"
#include "x_session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QFileInfo>
#include <QProcess>

namespace clipnest {
namespace {

using test_support::RunEventsUntil;
using Stage = PortalKeyState::Stage;
const QString kFakes = QStringLiteral(CLIPNEST_FAKE_PORTAL_DIR);
const QString kFrontend = QStringLiteral("/usr/libexec/xdg-desktop-portal");

// What answers once the portal cannot: a key state that says every key went down.
struct Fallback : KeyState {
  std::int16_t AsyncKeyState(int) override { return 1; }
};

class PortalKeyStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test_support::XSession::Get();  // the program's QApplication
    if (!QFileInfo::exists(kFrontend) || !QFileInfo::exists(QStringLiteral("/usr/bin/dbus-daemon")))
      GTEST_SKIP() << "needs dbus-daemon and xdg-desktop-portal";
    bus_daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--nofork"), QStringLiteral("--print-address"),
                       "--config-file=" + kFakes + "/bus.conf"});
    ASSERT_TRUE(bus_daemon_.waitForReadyRead(5000));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus_daemon_.readLine().trimmed());
    env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("clipnesttest"));
    env.insert(QStringLiteral("XDG_DESKTOP_PORTAL_DIR"), kFakes);
    desktop_.setProcessEnvironment(env);
    portal_.setProcessEnvironment(env);
    bus_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(
        env.value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")), QStringLiteral("portal-test")));
    keys_ = std::make_unique<PortalKeyState>(*bus_);
    keys_->make_fallback = [this] {
      ++fallbacks_;
      return std::make_unique<Fallback>();
    };
  }
  void TearDown() override {
    keys_.reset();
    for (QProcess* process : {&portal_, &desktop_, &bus_daemon_}) {
      process->kill();
      process->waitForFinished();
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("portal-test"));
  }
  // Starts the desktop, which refuses the triggers of `refused`, and the portal.
  void StartPortal(const QStringList& refused = {}) {
    desktop_.start(QStringLiteral("/usr/bin/python3"),
                   QStringList{kFakes + "/desktop.py"} + refused);
    ASSERT_TRUE(desktop_.waitForReadyRead(10000));
    portal_.start(kFrontend, {});
    ASSERT_TRUE(RunEventsUntil([&] {
      return bus_->interface()->isServiceRegistered(
          QStringLiteral("org.freedesktop.portal.Desktop"));
    }));
  }
  QDBusInterface Desktop() {
    return QDBusInterface(QStringLiteral("org.freedesktop.impl.portal.desktop.clipnesttest"),
                          QStringLiteral("/org/freedesktop/portal/desktop"),
                          QStringLiteral("org.clipnest.Test"), *bus_);
  }
  unsigned Query(int key) { return static_cast<std::uint16_t>(keys_->AsyncKeyState(key)); }
  bool QuietFor(int key) { return keys_->Quiet(std::span<const int>(&key, 1)); }
  void Press(const char* id, bool down) {
    Desktop().call(QStringLiteral("Press"), QString::fromLatin1(id), down);
  }
  // Makes sure the key state has heard every signal so far: they come in order.
  void Settle() {
    Press("print-screen", true);
    ASSERT_TRUE(RunEventsUntil([&] { return !QuietFor(virtual_key::kPrintScreen); }));
    Press("print-screen", false);
    Query(virtual_key::kPrintScreen);
    ASSERT_TRUE(RunEventsUntil([&] { return QuietFor(virtual_key::kPrintScreen); }));
  }

  void ExpectFallenBackOnce() {
    ASSERT_TRUE(RunEventsUntil([&] { return keys_->stage() == Stage::kFallenBack; }));
    EXPECT_THAT(testing::internal::GetCapturedStderr(),
                testing::HasSubstr("работают, только пока в фокусе одно из окон программы"));
    EXPECT_EQ(fallbacks_, 1);
    EXPECT_EQ(Query(virtual_key::kPause), 1u);
  }

  QProcess bus_daemon_, desktop_, portal_;
  std::unique_ptr<QDBusConnection> bus_;
  std::unique_ptr<PortalKeyState> keys_;
  int fallbacks_ = 0;
};

TEST_F(PortalKeyStateTest, BindsTheThreeShortcutsAndReadsTheirKeysAsThePollerDoes) {
  StartPortal();
  int wakes = 0;
  keys_->on_key_down = [&] { ++wakes; };
  keys_->Start();
  ASSERT_TRUE(RunEventsUntil([&] { return keys_->stage() == Stage::kBound; }));
  EXPECT_EQ(Desktop().call(QStringLiteral("Calls")).arguments().value(0).toString(),
            QStringLiteral("CreateSession clipnest\nBindShortcuts toggle-panel=Pause:Скрыть или "
                           "показать панель named-text=CTRL+ALT+c:Сохранить текст из буфера "
                           "обмена под своим именем print-screen=Print:Сохранить снимок экрана"));
  // A press, then a hold: down from the activation to the deactivation, went down once; an
  // activation repeated while held (older KDE) sets went down again.
  Press("toggle-panel", true);
  ASSERT_TRUE(RunEventsUntil([&] { return !QuietFor(virtual_key::kPause); }));
  EXPECT_EQ(Query(virtual_key::kPause), 0x8001u);
  EXPECT_EQ(Query(virtual_key::kPause), 0x8000u);
  Press("toggle-panel", true);
  Settle();
  EXPECT_EQ(Query(virtual_key::kPause), 0x8001u);
  Press("toggle-panel", false);
  Settle();
  EXPECT_EQ(Query(virtual_key::kPause), 0u);
  // Two taps, each between two queries, are two presses.
  for (int tap = 0; tap < 2; ++tap) {
    Press("toggle-panel", true);
    Press("toggle-panel", false);
    Settle();
    EXPECT_EQ(Query(virtual_key::kPause), 0x0001u);
  }
  // Ctrl+Alt+C holds its three keys together.
  Press("named-text", true);
  Settle();
  for (int key : {virtual_key::kControl, virtual_key::kAlt, virtual_key::kC})
    EXPECT_EQ(Query(key), 0x8001u) << key;
  Press("named-text", false);
  Settle();
  EXPECT_TRUE(keys_->Quiet(virtual_key::kAll));
  EXPECT_GE(wakes, 10);
  EXPECT_EQ(fallbacks_, 0);
}

TEST_F(PortalKeyStateTest, ATriggerTheDesktopKeepsIsNamedAndTheOtherKeysWork) {
  StartPortal({QStringLiteral("print-screen")});
  testing::internal::CaptureStderr();
  keys_->Start();
  ASSERT_TRUE(RunEventsUntil([&] { return keys_->stage() == Stage::kBound; }));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Clipnest: рабочий стол не назначил программе клавиш: PrintScreen.\n");
  Press("toggle-panel", true);
  ASSERT_TRUE(RunEventsUntil([&] { return Query(virtual_key::kPause) == 0x8001u; }));
}

TEST_F(PortalKeyStateTest, WithoutAPortalTheFallbackAnswers) {
  testing::internal::CaptureStderr();
  keys_->Start();
  ExpectFallenBackOnce();
}

TEST_F(PortalKeyStateTest, WhenThePortalGoesAwayTheFallbackAnswers) {
  StartPortal();
  testing::internal::CaptureStderr();
  keys_->Start();
  ASSERT_TRUE(RunEventsUntil([&] { return keys_->stage() == Stage::kBound; }));
  Press("toggle-panel", true);
  ASSERT_TRUE(RunEventsUntil([&] { return !QuietFor(virtual_key::kPause); }));
  portal_.kill();  // while the key is held
  ExpectFallenBackOnce();
}

}  // namespace
}  // namespace clipnest
