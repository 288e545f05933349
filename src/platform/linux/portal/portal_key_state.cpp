#include "platform/linux/portal/portal_key_state.h"

#include "platform/linux/portal/portal_request.h"
#include "platform/linux/x11/x11_key_map.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace clipnest::linux_backend {

// One shortcut as the portal takes and gives it: its id and its properties.
struct PortalShortcut {
  QString id;
  QVariantMap properties;
};

}  // namespace clipnest::linux_backend

Q_DECLARE_METATYPE(clipnest::linux_backend::PortalShortcut)

namespace clipnest::linux_backend {

// Found by argument-dependent lookup, in the shortcut's own namespace.
static QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut) {
  argument.beginStructure();
  argument << shortcut.id << shortcut.properties;
  argument.endStructure();
  return argument;
}

static const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut) {
  argument.beginStructure();
  argument >> shortcut.id >> shortcut.properties;
  argument.endStructure();
  return argument;
}

namespace {

constexpr char kShortcutsInterface[] = "org.freedesktop.portal.GlobalShortcuts";
constexpr char kSessionInterface[] = "org.freedesktop.portal.Session";
// Tokens and ids stay the same between starts: desktops keep the user's choice under them.
constexpr char kSessionToken[] = "clipnest";
constexpr char kCreateToken[] = "clipnest_create";
constexpr char kBindToken[] = "clipnest_bind";
constexpr int kRegisterLimitMs = 2000;
constexpr int kSessionLimitMs = 10000;

struct Shortcut {
  const char* id;
  const char* description;
  const char* trigger;  // in the freedesktop shortcuts format
  const char* key_name;
  int keys[3];
};
constexpr Shortcut kShortcuts[] = {
    {"toggle-panel", "Скрыть или показать панель", "Pause", "Pause/Break", {virtual_key::kPause}},
    {"named-text",
     "Сохранить текст из буфера обмена под своим именем",
     "CTRL+ALT+c",
     "Ctrl+Alt+C",
     {virtual_key::kControl, virtual_key::kAlt, virtual_key::kC}},
    {"print-screen",
     "Сохранить снимок экрана",
     "Print",
     "PrintScreen",
     {virtual_key::kPrintScreen}},
};

bool Reported(int virtual_key) {
  return std::find(std::begin(virtual_key::kAll), std::end(virtual_key::kAll), virtual_key) !=
         std::end(virtual_key::kAll);
}

bool HasKey(const Shortcut& shortcut, int virtual_key) {
  return std::find(std::begin(shortcut.keys), std::end(shortcut.keys), virtual_key) !=
         std::end(shortcut.keys);
}

// A key is down while a shortcut that holds it is.
bool Down(const std::bitset<3>& active, int virtual_key) {
  for (std::size_t index = 0; index < std::size(kShortcuts); ++index) {
    if (active[index] && HasKey(kShortcuts[index], virtual_key)) return true;
  }
  return false;
}

QDBusMessage PortalCall(const char* interface, const char* method) {
  return QDBusMessage::createMethodCall(
      QString::fromLatin1(kPortalService), QString::fromLatin1(kPortalPath),
      QString::fromLatin1(interface), QString::fromLatin1(method));
}

// An object path comes as a string from older portals.
QString PathText(const QVariant& value) {
  return value.canConvert<QDBusObjectPath>() ? value.value<QDBusObjectPath>().path()
                                             : value.toString();
}

}  // namespace

// The portal's signals reach these slots.
class PortalSignals : public QObject {
  Q_OBJECT

 public:
  explicit PortalSignals(PortalKeyState& keys) : keys_(keys) {}

 public slots:
  // Activated and Deactivated: the session, the shortcut's id, a time, options.
  void Shortcut(const QDBusMessage& message) {
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() < 2) return;
    keys_.OnShortcut(PathText(arguments[0]), arguments[1].toString(),
                     message.member() == QLatin1String("Activated"));
  }
  void Closed(const QDBusMessage&) { keys_.FallBack(QStringLiteral("портал закрыл сеанс")); }

 private:
  PortalKeyState& keys_;
};

PortalKeyState::PortalKeyState(QDBusConnection bus)
    : bus_(std::move(bus)), signals_(std::make_unique<PortalSignals>(*this)) {
  qDBusRegisterMetaType<PortalShortcut>();
  qDBusRegisterMetaType<QList<PortalShortcut>>();
}

PortalKeyState::~PortalKeyState() = default;

void PortalKeyState::Start() {
  if (!bus_.isConnected()) return FallBack(QStringLiteral("нет сеансовой шины D-Bus"));
  const QString service = QString::fromLatin1(kPortalService);
  const QString path = QString::fromLatin1(kPortalPath);
  const QString interface = QString::fromLatin1(kShortcutsInterface);
  // Listening before the session exists: no activation can come too early to be heard.
  for (const char* signal : {"Activated", "Deactivated"}) {
    bus_.connect(service, path, interface, QString::fromLatin1(signal), signals_.get(),
                 SLOT(Shortcut(QDBusMessage)));
  }
  portal_watcher_ = std::make_unique<QDBusServiceWatcher>(
      service, bus_, QDBusServiceWatcher::WatchForUnregistration);
  QObject::connect(portal_watcher_.get(), &QDBusServiceWatcher::serviceUnregistered, &requests_,
                   [this] { FallBack(QStringLiteral("портал завершился")); });

  // Newer portals know a program that is not sandboxed by the id it registers, as the first
  // portal call on its connection; older ones have no registry, and the call fails harmlessly.
  QDBusMessage registration = QDBusMessage::createMethodCall(
      service, path, QStringLiteral("org.freedesktop.host.portal.Registry"),
      QStringLiteral("Register"));
  registration << QStringLiteral("clipnest") << QVariantMap();
  auto* watcher =
      new QDBusPendingCallWatcher(bus_.asyncCall(registration, kRegisterLimitMs), &requests_);
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &requests_, [this, watcher] {
    watcher->deleteLater();
    CreateSession();
  });
}

void PortalKeyState::CreateSession() {
  if (stage_ == Stage::kFallenBack) return;
  QDBusMessage call = PortalCall(kShortcutsInterface, "CreateSession");
  call << PortalOptions({{"session_handle_token", QString::fromLatin1(kSessionToken)}});
  PortalRequest::Send(&requests_, bus_, call, QString::fromLatin1(kCreateToken), kSessionLimitMs,
                      [this](uint response, const QVariantMap& results) {
                        if (stage_ == Stage::kFallenBack) return;
                        session_ = PathText(results.value(QStringLiteral("session_handle")));
                        if (response != PortalRequest::kSucceeded || session_.isEmpty())
                          return FallBack(QStringLiteral("нет портала с GlobalShortcuts"));
                        bus_.connect(QString::fromLatin1(kPortalService), session_,
                                     QString::fromLatin1(kSessionInterface),
                                     QStringLiteral("Closed"), signals_.get(),
                                     SLOT(Closed(QDBusMessage)));
                        BindShortcuts();
                      });
}

void PortalKeyState::BindShortcuts() {
  QList<PortalShortcut> shortcuts;
  for (const Shortcut& shortcut : kShortcuts) {
    shortcuts.append(
        {QString::fromLatin1(shortcut.id),
         PortalOptions({{"description", QString::fromUtf8(shortcut.description)},
                        {"preferred_trigger", QString::fromLatin1(shortcut.trigger)}})});
  }
  QDBusMessage call = PortalCall(kShortcutsInterface, "BindShortcuts");
  call << QVariant::fromValue(QDBusObjectPath(session_)) << QVariant::fromValue(shortcuts)
       << QString() << QVariantMap();
  // The desktop may ask the user first, who takes the time they need.
  PortalRequest::Send(
      &requests_, bus_, call, QString::fromLatin1(kBindToken), -1,
      [this](uint response, const QVariantMap& results) {
        if (stage_ == Stage::kFallenBack) return;
        if (response == PortalRequest::kCancelled)
          return FallBack(QStringLiteral("клавиши не разрешены"));
        if (response != PortalRequest::kSucceeded)
          return FallBack(QStringLiteral("портал не назначил клавиши"));
        stage_ = Stage::kBound;
        // What the user really got is only a text; a shortcut left out has no key.
        const auto bound =
            qdbus_cast<QList<PortalShortcut>>(results.value(QStringLiteral("shortcuts")));
        QStringList missing;
        for (const Shortcut& shortcut : kShortcuts) {
          const bool has_key = std::any_of(bound.begin(), bound.end(), [&](const auto& given) {
            return given.id == QLatin1String(shortcut.id) &&
                   !given.properties.value(QStringLiteral("trigger_description"))
                        .toString()
                        .isEmpty();
          });
          if (!has_key) missing.append(QString::fromLatin1(shortcut.key_name));
        }
        if (!missing.isEmpty()) {
          std::fprintf(stderr, "Clipnest: рабочий стол не назначил программе клавиш: %s.\n",
                       qPrintable(missing.join(QStringLiteral(", "))));
        }
      });
}

void PortalKeyState::OnShortcut(const QString& session, const QString& shortcut_id,
                                bool activated) {
  if (stage_ == Stage::kFallenBack || session != session_) return;
  const auto* shortcut =
      std::find_if(std::begin(kShortcuts), std::end(kShortcuts),
                   [&](const auto& s) { return shortcut_id == QLatin1String(s.id); });
  if (shortcut == std::end(kShortcuts)) return;
  const std::size_t index = static_cast<std::size_t>(shortcut - std::begin(kShortcuts));
  if (!activated) {
    active_[index] = false;
    return;
  }
  const bool new_press = !active_[index];
  active_[index] = true;
  for (int key : shortcut->keys) went_down_[key] = true;
  if (new_press && on_press) {
    for (int key : shortcut->keys) on_press(key);
  }
  if (on_key_down) on_key_down();
}

void PortalKeyState::FallBack(const QString& why) {
  if (stage_ == Stage::kFallenBack) return;
  stage_ = Stage::kFallenBack;
  active_.reset();
  went_down_.reset();
  std::fprintf(stderr,
               "Clipnest: портал рабочего стола не даёт глобальных клавиш (%s): Pause/Break, "
               "Ctrl+Alt+C и PrintScreen работают, только пока в фокусе одно из окон "
               "программы.\n",
               qPrintable(why));
  if (make_fallback) fallback_ = make_fallback();
  if (fallback_) {
    fallback_->on_key_down = [this] {
      if (on_key_down) on_key_down();
    };
  }
}

void PortalKeyState::HoldBack(int virtual_key, bool hold) {
  if (virtual_key < 0 || virtual_key >= 256) return;
  held_back_[virtual_key] = hold;
  if (!hold && on_key_down) on_key_down();
}

std::int16_t PortalKeyState::AsyncKeyState(int virtual_key) {
  if (Reported(virtual_key) && held_back_[virtual_key]) return 0;
  if (fallback_) return fallback_->AsyncKeyState(virtual_key);
  if (!Reported(virtual_key)) return 0;
  std::uint16_t state = Down(active_, virtual_key) ? 0x8000 : 0;
  if (went_down_[virtual_key]) state |= 0x0001;
  went_down_[virtual_key] = false;
  return static_cast<std::int16_t>(state);
}

bool PortalKeyState::Quiet(std::span<const int> virtual_keys) {
  std::vector<int> shown;
  for (int key : virtual_keys) {
    // A key this state never reports could go down without a call to on_key_down.
    if (!Reported(key)) return false;
    if (!held_back_[key]) shown.push_back(key);
  }
  if (fallback_) return fallback_->Quiet(shown);
  return std::all_of(shown.begin(), shown.end(),
                     [this](int key) { return !Down(active_, key) && !went_down_[key]; });
}

}  // namespace clipnest::linux_backend

#include "portal_key_state.moc"
