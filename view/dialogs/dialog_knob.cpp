#include "view/dialogs/dialog_knob.h"

#include <QVariant>
#include <QWidget>

namespace korvane {

namespace {

KnobMaker& Maker() {
    static KnobMaker maker;
    return maker;
}

// Relays the knob's notifications, which are found by name since the knob's class is not known
// here.
class KnobRelay : public QObject {
    Q_OBJECT
  public:
    KnobRelay(QObject& receiver, std::function<void()> handler)
        : QObject(&receiver), handler_(std::move(handler)) {}

  public slots:
    void Relay() { handler_(); }

  private:
    std::function<void()> handler_;
};

}  // namespace

void SetDialogKnobMaker(KnobMaker maker) {
    Maker() = std::move(maker);
}

QWidget* MakeDialogKnob(QWidget* parent) {
    return Maker() ? Maker()(parent) : nullptr;
}

double KnobValue(const QWidget& knob) {
    return knob.property("Value").toDouble();
}

void SetKnobValue(QWidget& knob, double angle) {
    knob.setProperty("Value", angle);
}

void OnKnobEvent(QWidget& knob, QObject& receiver, std::function<void()> handler) {
    auto* relay = new KnobRelay(receiver, std::move(handler));
    for (const char* signal :
         {SIGNAL(MouseDown(int, int, int, int)), SIGNAL(MouseMove(int, int, int, int)),
          SIGNAL(MouseUp(int, int, int, int))}) {
        QObject::connect(&knob, signal, relay, SLOT(Relay()));
    }
}

}  // namespace korvane

#include "dialog_knob.moc"
