// The global keys of a Wayland session through Debian's own portal frontend on a private bus,
// with a fake desktop behind it (fake_portal/desktop.py) that the tests drive.
#include "platform/linux/portal/portal_key_state.h"
#include "platform/linux/portal/portal_screenshot.h"
#include "platform/linux/x11/x11_key_map.h"
#include "x_session.h"

#include <gmock/gmock.h>
#include <QClipboard>
#include <QDBusMessage>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>

namespace clipnest::linux_backend {
namespace {

using test_support::RunEventsUntil;
using Stage = PortalKeyState::Stage;
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
    testing::internal::CaptureStderr();
  }
  void TearDown() override {
    keys_.reset();
    desktop_.terminate();
    desktop_.waitForFinished();
    QDBusConnection::disconnectFromBus(QStringLiteral("portal-test"));
  }
  // The bus, the desktop that keeps the triggers of `refused`, the portal (or none) and the
  // key state, started.
  void Start(const QString& portal, const QStringList& refused = {}) {
    desktop_.start(QStringLiteral("/usr/bin/python3"),
                   QStringList{CLIPNEST_FAKE_PORTAL_DIR "/desktop.py", portal} + refused);
    ASSERT_TRUE(desktop_.waitForReadyRead(10000));
    bus_ = QDBusConnection::connectToBus(desktop_.readLine().trimmed(), "portal-test");
    keys_ = std::make_unique<PortalKeyState>(bus_);
    keys_->make_fallback = [this] { return ++fallbacks_, std::make_unique<Fallback>(); };
    keys_->Start();
    ASSERT_TRUE(portal.isEmpty() ||
                RunEventsUntil([&] { return keys_->stage() == Stage::kBound; }));
  }
  // Presses or releases a shortcut at the desktop; returns the calls it got so far.
  QString Press(const QString& id, bool down) {
    auto call = QDBusMessage::createMethodCall("org.freedesktop.impl.portal.desktop.clipnesttest",
                                               "/org/freedesktop/portal/desktop",
                                               "org.clipnest.Test", "Press");
    return bus_.call(call << id << down).arguments().value(0).toString();
  }
  unsigned Query(int key) { return static_cast<std::uint16_t>(keys_->AsyncKeyState(key)); }
  bool Quiet(int key) { return keys_->Quiet(std::span<const int>(&key, 1)); }
  // Makes sure the key state has heard every signal so far: they come in order.
  void Settle() {
    Press("print-screen", true);
    ASSERT_TRUE(RunEventsUntil([&] { return !Quiet(virtual_key::kPrintScreen); }));
    Press("print-screen", false);
    Query(virtual_key::kPrintScreen);
    ASSERT_TRUE(RunEventsUntil([&] { return Quiet(virtual_key::kPrintScreen); }));
  }
  bool FellBack() {
    return RunEventsUntil([&] { return keys_->stage() == Stage::kFallenBack; });
  }

  QProcess desktop_;
  QDBusConnection bus_{QString()};
  std::unique_ptr<PortalKeyState> keys_;
  int fallbacks_ = 0;
};

TEST_F(PortalKeyStateTest, BindsTheShortcutsAndReadsTheirKeysAsThePollerDoes) {
  Start(kFrontend, {"print-screen"});  // the desktop keeps PrintScreen for its own tool
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Clipnest: рабочий стол не назначил программе клавиш: PrintScreen.\n");
  EXPECT_THAT(Press("-", false).split('\n'),
              testing::ElementsAre(
                  "CreateSession clipnest", "toggle-panel=Pause:Скрыть или показать панель",
                  "named-text=CTRL+ALT+c:Сохранить текст из буфера обмена под своим именем",
                  "print-screen=Print:Сохранить снимок экрана"));
  int wakes = 0;
  keys_->on_key_down = [&] { ++wakes; };
  // Down from the activation to the deactivation; went down at each activation, also at one
  // repeated while the key is held (older KDE): the poller tells a repeat from a press.
  for (unsigned state : {0x8001u, 0x8000u, 0x8001u, 0u}) {
    if (state != 0x8000u) Press("toggle-panel", state != 0);
    Settle();
    EXPECT_EQ(Query(virtual_key::kPause), state);
  }
  // Two taps, each between two queries, are two presses.
  for (int tap = 0; tap < 2; ++tap) {
    Press("toggle-panel", true);
    Press("toggle-panel", false);
    Settle();
    EXPECT_EQ(Query(virtual_key::kPause), 0x0001u);
  }
  // Ctrl+Alt+C holds its three keys together; every activation woke the poller.
  Press("named-text", true);
  Settle();
  for (int key : {virtual_key::kControl, virtual_key::kAlt, virtual_key::kC})
    EXPECT_EQ(Query(key), 0x8001u) << key;
  EXPECT_EQ(wakes, 12);  // 4 of Pause, 7 settling ones, Ctrl+Alt+C
  EXPECT_EQ(fallbacks_, 0);
}

TEST_F(PortalKeyStateTest, WhenThePortalGoesAwayOrIsNotThereTheFallbackAnswers) {
  Start(kFrontend);
  Press("toggle-panel", true);
  ASSERT_TRUE(RunEventsUntil([&] { return !Quiet(virtual_key::kPause); }));
  Press("", true);  // the portal ends while the key is held
  ASSERT_TRUE(FellBack());
  EXPECT_EQ(Query(virtual_key::kPause), 1u);
  // A key state that starts after it finds no portal at all.
  keys_ = std::make_unique<PortalKeyState>(bus_);
  keys_->Start();
  ASSERT_TRUE(FellBack());
  EXPECT_EQ(Query(virtual_key::kPause), 0u);
  EXPECT_EQ(fallbacks_, 1);
  // Once for each key state.
  EXPECT_EQ(QString::fromStdString(testing::internal::GetCapturedStderr())
                .count(QStringLiteral("работают, только пока в фокусе одно из окон программы.\n")),
            2);
}

TEST_F(PortalKeyStateTest, PrintScreenWithTheOptionOnPutsThePortalsScreenshotOnTheClipboard) {
  Start(kFrontend);
  PortalScreenshot screenshot(*keys_);
  bool wanted = false;
  screenshot.TakeAtPrintScreen([&] { return wanted; });
  Settle();  // a press of PrintScreen with the option off
  EXPECT_THAT(Press("-", false).toStdString(), testing::Not(testing::HasSubstr("Screenshot")));
  wanted = true;
  QGuiApplication::clipboard()->clear();
  Press("print-screen", true);
  ASSERT_TRUE(RunEventsUntil([] { return !QGuiApplication::clipboard()->image().isNull(); }));
  const QString call = Press("print-screen", false).split('\n').last();
  ASSERT_THAT(call.toStdString(), testing::StartsWith("Screenshot interactive=0 "));
  const QImage taken(call.section(' ', 2));
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
            taken.convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(taken.size(), QSize(32, 24));
  // The press, held back while the picture was coming, reads as one now.
  EXPECT_EQ(Query(virtual_key::kPrintScreen) & 1u, 1u);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(PortalKeyStateTest, ASessionTheDesktopClosesFallsBackOnce) {
  Start(kFrontend);
  Press("closed", true);
  ASSERT_TRUE(FellBack());
  EXPECT_EQ(Query(virtual_key::kPause), 1u);
  EXPECT_EQ(fallbacks_, 1);
  EXPECT_EQ(QString::fromStdString(testing::internal::GetCapturedStderr())
                .count(QStringLiteral("(портал закрыл сеанс)")),
            1);
}

}  // namespace
}  // namespace clipnest::linux_backend
