#include "platform/linux/portal/portal_screenshot.h"

#include "platform/linux/portal/portal_key_state.h"
#include "platform/linux/portal/portal_request.h"
#include "platform/linux/x11/x11_key_map.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QUrl>

namespace clipnest::linux_backend {
namespace {

// The first screenshot may wait for the user's permission in the desktop's dialog.
constexpr int kScreenshotLimitMs = 30000;

}  // namespace

PortalScreenshot::PortalScreenshot(PortalKeyState& keys) : keys_(keys) {
  keys_.on_press = [this](int virtual_key) {
    if (virtual_key == virtual_key::kPrintScreen && !taking_ && wanted_ && wanted_()) Take();
  };
}

PortalScreenshot::~PortalScreenshot() {
  keys_.on_press = nullptr;
}

void PortalScreenshot::TakeAtPrintScreen(std::function<bool()> wanted) {
  wanted_ = std::move(wanted);
}

void PortalScreenshot::Take() {
  taking_ = true;
  keys_.HoldBack(virtual_key::kPrintScreen, true);
  QDBusMessage call = QDBusMessage::createMethodCall(
      QString::fromLatin1(kPortalService), QString::fromLatin1(kPortalPath),
      QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("Screenshot"));
  call << QString() << PortalOptions({{"interactive", false}});
  const QString token = QStringLiteral("clipnest_screenshot_%1").arg(++calls_);
  PortalRequest::Send(&requests_, keys_.bus(), call, token, kScreenshotLimitMs,
                      [this](uint response, const QVariantMap& results) {
                        // The portal leaves its file where the desktop keeps screenshots.
                        const QUrl file(results.value(QStringLiteral("uri")).toString());
                        if (response == PortalRequest::kSucceeded && file.isLocalFile()) {
                          const QImage screen(file.toLocalFile());
                          if (!screen.isNull()) QGuiApplication::clipboard()->setImage(screen);
                        }
                        taking_ = false;
                        keys_.HoldBack(virtual_key::kPrintScreen, false);
                      });
}

}  // namespace clipnest::linux_backend
