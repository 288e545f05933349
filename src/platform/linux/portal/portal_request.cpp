#include "platform/linux/portal/portal_request.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>

namespace clipnest::linux_backend {
namespace {

constexpr char kRequestInterface[] = "org.freedesktop.portal.Request";
// The call itself only starts the request: its answer comes at once.
constexpr int kCallLimitMs = 5000;

// Where the portal puts the request object: the caller's unique name without its colon and
// with its dots as underscores, then the token.
QString RequestPath(const QDBusConnection& bus, const QString& token) {
  QString sender = bus.baseService().mid(1);
  sender.replace(QLatin1Char('.'), QLatin1Char('_'));
  return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

}  // namespace

QVariantMap PortalOptions(std::initializer_list<std::pair<const char*, QVariant>> options) {
  QVariantMap map;
  for (const auto& [name, value] : options) map.insert(QString::fromLatin1(name), value);
  return map;
}

PortalRequest::PortalRequest(QObject* owner, const QDBusConnection& bus, QString path, Done done)
    : QObject(owner), bus_(bus), path_(std::move(path)), done_(std::move(done)) {}

void PortalRequest::Send(QObject* owner, const QDBusConnection& bus, QDBusMessage call,
                         const QString& token, int limit_ms, Done done) {
  auto* request = new PortalRequest(owner, bus, RequestPath(bus, token), std::move(done));
  QList<QVariant> arguments = call.arguments();
  QVariantMap options = arguments.takeLast().toMap();
  options.insert(QStringLiteral("handle_token"), token);
  arguments.append(options);
  call.setArguments(arguments);

  request->bus_.connect(QString::fromLatin1(kPortalService), request->path_,
                        QString::fromLatin1(kRequestInterface), QStringLiteral("Response"), request,
                        SLOT(Response(uint, QVariantMap)));
  auto* watcher = new QDBusPendingCallWatcher(request->bus_.asyncCall(call, kCallLimitMs), request);
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, request, [request, watcher] {
    if (watcher->isError()) request->Finish(kFailed, {});
  });
  if (limit_ms >= 0)
    QTimer::singleShot(limit_ms, request, [request] { request->Finish(kFailed, {}); });
}

void PortalRequest::Response(uint response, const QVariantMap& results) {
  Finish(response, results);
}

void PortalRequest::Finish(uint response, const QVariantMap& results) {
  if (!done_) return;
  bus_.disconnect(QString::fromLatin1(kPortalService), path_,
                  QString::fromLatin1(kRequestInterface), QStringLiteral("Response"), this,
                  SLOT(Response(uint, QVariantMap)));
  const Done done = std::move(done_);
  done_ = nullptr;
  deleteLater();
  done(response, results);
}

}  // namespace clipnest::linux_backend
