#include "platform/qt/FinestraAccessibileQt.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "platform/qt/FinestraQt.h"
#include "platform/qt/TestiQt.h"

namespace velmo {

namespace {

class TabellaQt;

// A cell of the table, or with row -1 the header of its column. It holds
// no control of the form, which may be gone before the widgets: its text is
// its own, or else read from its label's widget, which also places it.
class CellaQt : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  CellaQt(const TabellaQt& tabella, int riga, int colonna, QWidget* posto, QString testo)
      : tabella_(tabella), riga_(riga), colonna_(colonna), posto_(posto), testo_(std::move(testo)) {}

  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation) const override {
    return {};
  }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return {};
    if (!testo_.isEmpty()) return testo_;
    const auto* etichetta = qobject_cast<const QLabel*>(posto_.data());
    return etichetta ? etichetta->text().trimmed() : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override { return riga_ < 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.readOnly = true;
    s.invisible = !isValid() || (posto_ && !posto_->isVisible());
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
  }

  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override;
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return colonna_; }
  int rowIndex() const override { return riga_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override;

 private:
  const TabellaQt& tabella_;
  int riga_, colonna_;
  QPointer<QWidget> posto_;
  QString testo_;
};

// The table over the labels of a window; it lives as long as the interface
// of the widget that holds its cells, which lists it among its children.
class TabellaQt : public QAccessibleInterface, public QAccessibleTableInterface {
 public:
  TabellaQt(QWidget& contenitore, const FinestraQt& finestra, const TabellaAccessibile& t)
      : contenitore_(&contenitore) {
    nome_ = testoQt(t.nome);
    for (std::size_t c = 0; c < t.colonne.size(); ++c)
      intestazioni_.push_back(new CellaQt(*this, -1, static_cast<int>(c), nullptr, testoQt(t.colonne[c])));
    for (std::size_t r = 0; r < t.righe.size(); ++r)
      for (std::size_t c = 0; c < t.righe[r].size() && c < t.colonne.size(); ++c) {
        const TabellaAccessibile::Cella& cella = t.righe[r][c];
        QWidget* posto = cella.controllo ? finestra.widgetDi(*cella.controllo) : nullptr;
        celle_.push_back(new CellaQt(*this, static_cast<int>(r), static_cast<int>(c), posto, testoQt(cella.testo)));
      }
    colonne_ = static_cast<int>(t.colonne.size());
  }
  ~TabellaQt() override {
    // Interfaces without an object are the program's to let go.
    for (CellaQt* c : celle_) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(c));
    for (CellaQt* c : intestazioni_) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(c));
  }

  QAccessibleInterface* intestazione(int colonna) const { return intestazioni_.at(static_cast<std::size_t>(colonna)); }

  bool isValid() const override { return contenitore_; }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return contenitore_ ? contenitore_->window()->windowHandle() : nullptr; }
  QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation) const override {
    return {};
  }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (CellaQt* c : celle_)
      if (c->rect().contains(x, y)) return c;
    return nullptr;
  }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(contenitore_); }
  QAccessibleInterface* child(int i) const override {
    return i >= 0 && i < childCount() ? celle_[static_cast<std::size_t>(i)] : nullptr;
  }
  int childCount() const override { return static_cast<int>(celle_.size()); }
  int indexOfChild(const QAccessibleInterface* figlio) const override {
    for (std::size_t i = 0; i < celle_.size(); ++i)
      if (celle_[i] == figlio) return static_cast<int>(i);
    return -1;
  }
  QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? nome_ : QString(); }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    QRect r;
    for (CellaQt* c : celle_) r |= c->rect();
    return r;
  }
  QAccessible::Role role() const override { return QAccessible::Table; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.readOnly = true;
    s.invisible = !contenitore_ || !contenitore_->isVisible();
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this) : nullptr;
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int riga, int colonna) const override {
    if (riga < 0 || colonna < 0 || riga >= rowCount() || colonna >= colonne_) return nullptr;
    return celle_[static_cast<std::size_t>(riga * colonne_ + colonna)];
  }
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int colonna) const override {
    return colonna >= 0 && colonna < colonne_ ? intestazione(colonna)->text(QAccessible::Name) : QString();
  }
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return colonne_; }
  int rowCount() const override { return colonne_ ? static_cast<int>(celle_.size()) / colonne_ : 0; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  QPointer<QWidget> contenitore_;
  QString nome_;
  int colonne_ = 0;
  std::vector<CellaQt*> intestazioni_, celle_;
};

bool CellaQt::isValid() const { return tabella_.isValid(); }
QWindow* CellaQt::window() const { return tabella_.window(); }
QAccessibleInterface* CellaQt::parent() const { return const_cast<TabellaQt*>(&tabella_); }
QAccessibleInterface* CellaQt::table() const { return const_cast<TabellaQt*>(&tabella_); }
QList<QAccessibleInterface*> CellaQt::columnHeaderCells() const {
  return riga_ < 0 ? QList<QAccessibleInterface*>{} : QList<QAccessibleInterface*>{tabella_.intestazione(colonna_)};
}
QRect CellaQt::rect() const {
  if (posto_) return QRect(posto_->mapToGlobal(QPoint(0, 0)), posto_->size());
  // A header, or a cell drawn by no label of its own: beside the next cell.
  const QAccessibleInterface* vicina = riga_ < 0 ? nullptr : tabella_.cellAt(riga_, colonna_ + 1);
  return vicina ? vicina->rect().translated(-vicina->rect().width(), 0) : QRect();
}

class FinestraAccessibile : public QAccessibleWidget {
 public:
  explicit FinestraAccessibile(FinestraQt* w) : QAccessibleWidget(w, QAccessible::Dialog) {}

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.modal = widget()->isModal();
    return s;
  }
};

// The widget that holds a table's cells (the client area, or a container
// inside it): the table among its children in place of the labels it reads.
class ContenitoreConTabella : public QAccessibleWidget {
 public:
  ContenitoreConTabella(QWidget* contenitore, FinestraQt& finestra, const TabellaAccessibile& t)
      : QAccessibleWidget(contenitore, QAccessible::Client), tabella_(new TabellaQt(*contenitore, finestra, t)) {
    for (const auto& riga : t.righe)
      for (const auto& cella : riga)
        if (cella.controllo) sostituiti_.push_back(finestra.widgetDi(*cella.controllo));
  }
  ~ContenitoreConTabella() override { QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(tabella_)); }

  int childCount() const override { return static_cast<int>(figli().size()); }
  QAccessibleInterface* child(int i) const override {
    const auto f = figli();
    return i >= 0 && i < f.size() ? f.at(i) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* figlio) const override {
    return static_cast<int>(figli().indexOf(const_cast<QAccessibleInterface*>(figlio)));
  }

 private:
  QList<QAccessibleInterface*> figli() const {
    QList<QAccessibleInterface*> f;
    for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
      QAccessibleInterface* c = QAccessibleWidget::child(i);
      if (c && std::find(sostituiti_.begin(), sostituiti_.end(), c->object()) == sostituiti_.end()) f << c;
    }
    f << tabella_;
    return f;
  }

  TabellaQt* tabella_;
  std::vector<QObject*> sostituiti_;
};

// The widget that holds the first cell of the window's table, if any.
QWidget* contenitoreDellaTabella(const FinestraQt& f) {
  const TabellaAccessibile* t = f.tabellaAccessibile();
  if (!t || t->colonne.empty()) return nullptr;
  for (const auto& riga : t->righe)
    for (const auto& cella : riga)
      if (const QWidget* w = cella.controllo ? f.widgetDi(*cella.controllo) : nullptr) return w->parentWidget();
  return nullptr;
}

QAccessibleInterface* fabbrica(const QString&, QObject* oggetto) {
  if (auto* f = qobject_cast<FinestraQt*>(oggetto); f && f->dialogo()) return new FinestraAccessibile(f);
  auto* w = qobject_cast<QWidget*>(oggetto);
  auto* f = w ? qobject_cast<FinestraQt*>(w->window()) : nullptr;
  if (f && !f->congedata() && w == contenitoreDellaTabella(*f))
    return new ContenitoreConTabella(w, *f, *f->tabellaAccessibile());
  return nullptr;
}

}  // namespace

void installaFinestreAccessibili() {
  static const bool installata = [] {
    QAccessible::installFactory(fabbrica);
    return true;
  }();
  (void)installata;
}

}  // namespace velmo
