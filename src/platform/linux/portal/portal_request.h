#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>

namespace clipnest::linux_backend {

// The desktop portal's name and object, which serve every portal interface.
inline constexpr char kPortalService[] = "org.freedesktop.portal.Desktop";
inline constexpr char kPortalPath[] = "/org/freedesktop/portal/desktop";

// One call of the desktop portal that answers later, through the Response signal of a request
// object. It listens on the request's path before the call goes out, so that no answer comes
// too early to be heard. A call the portal refuses, or an answer that takes longer than its
// limit, ends it as a failed request.
class PortalRequest : public QObject {
  Q_OBJECT

 public:
  static constexpr uint kSucceeded = 0;
  static constexpr uint kCancelled = 1;  // by the user, in the desktop's dialog
  static constexpr uint kFailed = 2;
  using Done = std::function<void(uint response, const QVariantMap& results)>;

  // Sends `call`, whose last argument is its options: this adds `token` to them as the
  // handle_token. `done` runs once, unless `owner` is destroyed before. A negative `limit_ms`
  // waits for the answer as long as the program runs (for a dialog the user answers).
  static void Send(QObject* owner, const QDBusConnection& bus, QDBusMessage call,
                   const QString& token, int limit_ms, Done done);

 private slots:
  void Response(uint response, const QVariantMap& results);

 private:
  PortalRequest(QObject* owner, const QDBusConnection& bus, QString path, Done done);
  void Finish(uint response, const QVariantMap& results);

  QDBusConnection bus_;
  QString path_;
  Done done_;
};

// The options of a portal call, as D-Bus wants them: a dictionary of variants.
QVariantMap PortalOptions(std::initializer_list<std::pair<const char*, QVariant>> options);

}  // namespace clipnest::linux_backend
