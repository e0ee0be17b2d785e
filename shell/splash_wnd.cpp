#include "shell/splash_wnd.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "document/help_file.h"
#include "shell/manual_link.h"

namespace korvane {

namespace {
bool g_enabled = false;
CSplashWnd* g_splash = nullptr;
}  // namespace

void CSplashWnd::SetSplashEnabled(bool enabled) {
    g_enabled = enabled;
}

CSplashWnd* CSplashWnd::Current() {
    return g_splash;
}

void CSplashWnd::ShowSplash(QWidget* owner, const QString& picturePath) {
    if (!g_enabled || g_splash != nullptr) {
        return;
    }
    QPixmap picture(picturePath);
    if (picture.isNull()) {
        return;
    }
    g_splash = new CSplashWnd(std::move(picture), owner);
    g_splash->show();
    g_splash->repaint();
}

void CSplashWnd::HideSplash() {
    if (g_splash == nullptr) {
        return;
    }
    CSplashWnd* splash = g_splash;
    g_splash = nullptr;
    qApp->removeEventFilter(splash);
    splash->hide();
    // Called from the splash's own timer and event filter, so the object goes once they return.
    splash->deleteLater();
    if (splash->owner_ != nullptr) {
        splash->owner_->repaint();
    }
}

CSplashWnd::CSplashWnd(QPixmap picture, QWidget* owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint),
      picture_(std::move(picture)),
      owner_(owner) {
    setCursor(Qt::ArrowCursor);
    setFixedSize(picture_.deviceIndependentSize().toSize());
    QRect around = owner != nullptr && owner->isVisible() ? owner->frameGeometry() : QRect();
    if (around.isEmpty()) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        around = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, width(), height());
    }
    move(around.center() - rect().center());
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, [] { HideSplash(); });
    timer_.start(kDisplayMilliseconds);
    qApp->installEventFilter(this);
}

CSplashWnd::~CSplashWnd() {
    qApp->removeEventFilter(this);
    if (g_splash == this) {
        g_splash = nullptr;
    }
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress: {
            if (event->type() == QEvent::MouseButtonPress) {
                const auto* mouse = static_cast<QMouseEvent*>(event);
                const QPoint local = mapFromGlobal(mouse->globalPosition().toPoint());
                if (mouse->button() == Qt::LeftButton && InManualLinkArea(rect(), local)) {
                    OpenHelpFile();
                }
            }
            // Deleting the filter object from inside its own filter call is not safe.
            QMetaObject::invokeMethod(
                qApp, [] { HideSplash(); }, Qt::QueuedConnection);
            hide();
            qApp->removeEventFilter(this);
            return true;
        }
        default:
            return QWidget::eventFilter(watched, event);
    }
}

}  // namespace korvane
