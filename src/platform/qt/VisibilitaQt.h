#pragma once
// Whether anybody can see a top-level window: it is shown, not minimised,
// exposed (a window minimised or on another workspace is unmapped, so no
// longer exposed), and on X11 not fully covered by other windows (the
// server's visibility notice; under a compositor a window is never
// covered, it is drawn off screen). Reports each change.

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;
class QWindow;

namespace velmo {

class VisibilitaQt : public QObject, public QAbstractNativeEventFilter {
 public:
  // `cambiata` runs at each change, with the new state.
  VisibilitaQt(QWidget& finestra, std::function<void(bool)> cambiata);
  ~VisibilitaQt() override;

  bool vista() const { return vista_; }

 protected:
  bool eventFilter(QObject* oggetto, QEvent* e) override;
  bool nativeEventFilter(const QByteArray& tipo, void* messaggio, qintptr* risultato) override;

 private:
  void osservaFinestraNativa();
  void aggiorna();

  QWidget& finestra_;
  QPointer<QWindow> nativa_;
  std::function<void(bool)> cambiata_;
  bool coperta_ = false;  // fully covered, by the X server's word
  bool vista_ = false;
};

}  // namespace velmo
