#include "shell/child_frame.h"

#include <QCloseEvent>

#include "document/device_view.h"
#include "document/multi_tessel_doc.h"
#include "engine/device_session.h"

namespace korvane {

namespace {
bool g_firstViewTickSeen = false;

constexpr Qt::WindowFlags kRestoredFlags = Qt::SubWindow | Qt::WindowTitleHint |
                                           Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                                           Qt::WindowCloseButtonHint;
constexpr Qt::WindowFlags kMaximisedFlags = Qt::SubWindow | Qt::FramelessWindowHint;
}  // namespace

CChildFrame::CChildFrame(std::unique_ptr<CMultiTesselDoc> document)
    : document_(std::move(document)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(kMaximisedFlags);
    setWindowTitle(document_->GetTitle());
    connect(document_.get(), &CMultiTesselDoc::TitleChanged, this, &QWidget::setWindowTitle);
    connect(&viewTimer_, &QTimer::timeout, this, &CChildFrame::ViewTick);
}

CChildFrame::~CChildFrame() {
    ShutDown();
    // The form goes before the document it shows, and the document with its channel last.
    delete view_;
    view_ = nullptr;
    document_->SetView(nullptr);
    document_.reset();
}

void CChildFrame::SetView(DeviceView* view) {
    view_ = view;
    document_->SetView(view);
    setWidget(view);
}

void CChildFrame::StartViewTimer() {
    viewTimer_.start(kViewTimerMilliseconds);
}

void CChildFrame::StartWorker() {
    if (document_->m_pState) {
        session_ = std::make_unique<DeviceSession>(document_->m_pState);
    }
}

void CChildFrame::ViewTick() {
    if (!g_firstViewTickSeen) {
        g_firstViewTickSeen = true;
        emit FirstViewTick();
    }
    if (view_ != nullptr) {
        view_->TimerTick();
    }
}

void CChildFrame::ShutDown() {
    if (shutDown_) {
        return;
    }
    shutDown_ = true;
    viewTimer_.stop();
    document_->OnCloseDocument();
    if (!settingsPath_.isEmpty()) {
        document_->SaveSettings(settingsPath_);
    }
    if (session_) {
        session_->Detach();  // the session keeps the channel alive until its worker ends
        session_.reset();
    }
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    ShutDown();
    QMdiSubWindow::closeEvent(event);
}

void CChildFrame::changeEvent(QEvent* event) {
    QMdiSubWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        ApplyStyleRule();
    }
}

void CChildFrame::ApplyStyleRule() {
    const Qt::WindowFlags wanted = isMaximized() ? kMaximisedFlags : kRestoredFlags;
    if (windowFlags() != wanted) {
        setWindowFlags(wanted);
    }
}

}  // namespace korvane
