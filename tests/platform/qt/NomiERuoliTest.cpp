// What a screen reader finds in each window, as one table of roles and
// names held against both platforms: the forms' own data (what the test
// platform has) and the interfaces Qt hands to AT-SPI on the real one. Every
// window but the game window is a dialog, named so that no two collide; its
// buttons and pictures are named, and the leaderboard is a table with named
// columns in place of its loose labels.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Ambiente.h"
#include "AmbienteQt.h"
#include "core/files/ImpostazioniIniziali.h"
#include "forms/game/FrmGioco.h"
#include "forms/game/FrmPausa.h"
#include "forms/info/FrmInfoCodice.h"
#include "forms/info/FrmInfoRegole.h"
#include "forms/info/FrmInfoTastiera.h"
#include "forms/info/FrmInfoVelmo.h"
#include "forms/info/FrmThanxTo.h"
#include "forms/leaderboard/FrmClassifica.h"
#include "forms/leaderboard/FrmResettaClassifica.h"
#include "forms/sound/FrmSchedaAudioAssente.h"
#include "platform/qt/FinestraQt.h"
#include "platform/qt/TestiQt.h"

namespace velmo::test {
namespace {

using Parti = std::vector<std::string>;

// A name as read, blanks folded and long texts cut: the table checks the
// beginning of a paragraph, not all of it.
std::string parte(const std::string& ruolo, const QString& nome) {
  QString n = nome.simplified();
  if (ruolo == "etichetta" && n.size() > 40) n = n.left(40) + QStringLiteral("...");
  return ruolo + ": " + n.toStdString();
}

std::string senzaAccesso(const std::string& caption) {
  std::string s;
  for (char c : caption)
    if (c != '&') s += c;
  return s;
}

// The forms' data, read as the platform presents it.
Parti partiDelForm(const Form& f) {
  Parti parti{parte(f.dialogo() ? "dialogo" : "finestra",
                    testoQt(f.nomeAccessibile().empty() ? f.caption() : f.nomeAccessibile()))};
  const TabellaAccessibile& t = f.tabellaAccessibile();
  std::function<void(const Controllo&)> visita = [&](const Controllo& c) {
    if (!c.visible() || t.comprende(c)) return;
    const QString nome = testoQt(c.nomeAccessibile());
    if (auto* cont = dynamic_cast<const Contenitore*>(&c)) {
      for (const Controllo* figlio : cont->figli()) visita(*figlio);
    } else if (auto* l = dynamic_cast<const Etichetta*>(&c)) {
      const QString testo = testoQt(l->caption()).trimmed();
      parti.push_back(parte("etichetta", nome.isEmpty() ? testo : nome + ": " + testo));
    } else if (auto* b = dynamic_cast<const Pulsante*>(&c)) {
      parti.push_back(parte("pulsante", testoQt(senzaAccesso(b->caption()))));
    } else if (auto* k = dynamic_cast<const CasellaControllo*>(&c)) {
      parti.push_back(parte("casella", testoQt(senzaAccesso(k->caption()))));
    } else if (auto* z = dynamic_cast<const ZonaTastiera*>(&c)) {
      parti.push_back(parte(z->collegamento ? "collegamento" : "pulsante", nome));
    } else if (auto* i = dynamic_cast<const Immagine*>(&c)) {
      parti.push_back(parte(i->onClick ? "pulsante" : "immagine", nome));
    }
  };
  for (const Controllo* c : f.controlli()) visita(*c);
  if (!t.colonne.empty()) {
    std::string colonne;
    for (const std::string& c : t.colonne) colonne += (colonne.empty() ? "" : "|") + c;
    parti.push_back(parte("tabella", testoQt(t.nome + " [" + colonne + "]")));
    for (const auto& riga : t.righe)
      for (const auto& cella : riga) parti.push_back(parte("cella", testoQt(TabellaAccessibile::testo(cella))));
  }
  return parti;
}

std::string ruolo(QAccessible::Role r) {
  switch (r) {
    case QAccessible::Dialog: return "dialogo";
    case QAccessible::Window: return "finestra";
    case QAccessible::StaticText: return "etichetta";
    case QAccessible::PushButton: return "pulsante";
    case QAccessible::CheckBox: return "casella";
    case QAccessible::Graphic: return "immagine";
    case QAccessible::Table: return "tabella";
    case QAccessible::Cell: return "cella";
    case QAccessible::Link: return "collegamento";
    default: return "ruolo " + std::to_string(r);
  }
}

// What Qt hands to AT-SPI: every shown object below the window, with the
// panes that only hold others left out. A hidden part of ours still says
// "visible" (a reader that looked early would keep a stale state) and shows
// itself hidden by having no size.
Parti partiQt(QAccessibleInterface* finestra) {
  Parti parti;
  std::function<void(QAccessibleInterface*)> visita = [&](QAccessibleInterface* i) {
    if (!i || i->state().invisible || i->rect().isEmpty()) return;
    const QAccessible::Role r = i->role();
    if (r != QAccessible::Client && r != QAccessible::Pane) {
      QString nome = i->text(QAccessible::Name);
      if (QAccessibleTableInterface* t = i->tableInterface()) {
        QStringList colonne;
        for (int c = 0; c < t->columnCount(); ++c) colonne << t->columnDescription(c);
        nome += QStringLiteral(" [") + colonne.join(QLatin1Char('|')) + QLatin1Char(']');
      }
      parti.push_back(parte(ruolo(r), nome));
    }
    for (int c = 0; c < i->childCount(); ++c) visita(i->child(c));
  };
  visita(finestra);
  return parti;
}

struct Caso {
  const char* finestra;
  std::function<std::unique_ptr<Form>(FrmGioco&)> crea;
  Parti attese;
};

const std::vector<Caso>& casi() {
  static const std::vector<Caso> tutti = {
      {"frmSchedaAudioAssente", [](FrmGioco&) { return std::make_unique<FrmSchedaAudioAssente>(); },
       {"dialogo: Brenvo Info Service...", "etichetta: Attenzione !",
        "etichetta: Non è stata rilevata nessuna scheda audi...",
        "casella: Ricordamelo all'avvio...", "pulsante: OK"}},
      {"frmPausa", [](FrmGioco& g) { return std::make_unique<FrmPausa>(g.tmrTempo); },
       {"dialogo: Brenvo Velmo 2.0 - Pausa", "etichetta: Il Brenvo è in pausa...",
        "pulsante: Riprendi"}},
      {"frmInfoVelmo", [](FrmGioco& g) { return std::make_unique<FrmInfoVelmo>(g); },
       {"dialogo: Brenvo Velmo 2.0 - Informazioni", "pulsante: Logo di Velmo",
        "etichetta: Brenvo Velmo", "etichetta: Versione 2.0",
        "etichetta: Trieste, 11 Novembre 2002",
        "etichetta: Programma realizzato da Brenvo.",
        "etichetta: Questo programma è distribuito gratuitam...",
        "etichetta: Clicca qui per info sul Brenvo Info Cent...",
        "collegamento: Clicca qui per info sul Brenvo Info Center ;-)",
        "etichetta: Brenvo Web Site", "collegamento: Brenvo Web Site"}},
      {"frmInfoRegole", [](FrmGioco& g) { return std::make_unique<FrmInfoRegole>(g); },
       {"dialogo: Brenvo Velmo 2.0 - Regole del gioco", "pulsante: Logo di Velmo",
        "etichetta: Regole del gioco",
        "etichetta: Ad ogni turno inserite una pedina in una..."}},
      {"frmInfoTastiera", [](FrmGioco& g) { return std::make_unique<FrmInfoTastiera>(g); },
       {"dialogo: Brenvo Velmo 2.0 - Comandi da tastiera", "pulsante: Logo di Velmo",
        "etichetta: Comandi da tastiera",
        "tabella: Comandi da tastiera [Tasto|Comando]", "cella: F1",
        "cella: informazioni su Brenvo Velmo", "cella: F2",
        "cella: avvia una nuova partita", "cella: F3", "cella: pausa / riprendi",
        "cella: F4", "cella: termina la partita in corso", "cella: F5",
        "cella: visualizza la classifica", "cella: F6", "cella: resetta la classifica",
        "cella: F7", "cella: annulla l'ultimo inserimento", "cella: da 1 a 9",
        "cella: inserisci pedina"}},
      {"frmInfoCodice", [](FrmGioco& g) { return std::make_unique<FrmInfoCodice>(g); },
       {"dialogo: Brenvo Velmo 2.0 - Codice sorgente", "pulsante: Logo di Velmo",
        "etichetta: Codice sorgente",
        "etichetta: Scritto in C++20, Brenvo Velmo è un gioc...",
        "etichetta: Per ulteriori informazioni contattate il..."}},
      {"frmThanxTo", [](FrmGioco& g) { return std::make_unique<FrmThanxTo>(g); },
       {"dialogo: Brenvo Velmo 2.0 - Thanx to...", "pulsante: Logo di Velmo",
        "etichetta: Thanx to...",
        "etichetta: Grazie a chi ha provato il gioco partita...",
        "etichetta: Pubblicità occulta:", "etichetta: Brenvo Web Site",
        "collegamento: Brenvo Web Site"}},
      {"frmClassifica", [](FrmGioco& g) { return std::make_unique<FrmClassifica>(g); },
       {"dialogo: Brenvo Velmo 2.0 - Classifica", "pulsante: Coppa",
        "pulsante: Logo di Velmo",
        "tabella: Classifica [Posto|Nome|Punteggio|Vittorie]", "cella: 1",
        "cella: Anna", "cella: 9120", "cella: 3 vittorie", "cella: 2", "cella: vuoto",
        "cella: vuoto", "cella: vuoto", "cella: 3", "cella: vuoto", "cella: vuoto",
        "cella: vuoto", "cella: 4", "cella: vuoto", "cella: vuoto", "cella: vuoto",
        "cella: 5", "cella: vuoto", "cella: vuoto", "cella: vuoto"}},
      {"frmResettaClassifica", [](FrmGioco& g) { return std::make_unique<FrmResettaClassifica>(g); },
       {"dialogo: Resetta Classifica...", "immagine: Logo di Velmo",
        "etichetta: Sicuro di voler buttare la classifica ne...", "pulsante: Certo !",
        "pulsante: Scherzavo.."}},
  };
  return tutti;
}

// The settings file both platforms read: one place taken.
std::string impostazioni() {
  std::string testo = testoImpostazioniIniziali();
  for (auto [chiave, valore] : {std::pair{"[Nome]\r\n1=vuoto", "[Nome]\r\n1=Anna"},
                                std::pair{"[Info]\r\n1=vuoto", "[Info]\r\n1=3 vittorie"},
                                std::pair{"[Punteggio]\r\n1=vuoto", "[Punteggio]\r\n1=9120"}})
    if (auto at = testo.find(chiave); at != std::string::npos) testo.replace(at, std::string(chiave).size(), valore);
  return testo;
}

TEST(NomiERuoli, OgniFinestraSulPiattaformaDiProva) {
  for (const Caso& c : casi()) {
    SCOPED_TRACE(c.finestra);
    Ambiente a;
    a.p.file[modGenerale.percorsoIni].contenuto = impostazioni();
    FrmGioco gioco;
    gioco.tmrWaveMp3.setInterval(22500);  // no cues: the start-up music plays
    auto f = c.crea(gioco);
    f->Load();
    EXPECT_EQ(f->nome(), c.finestra);
    EXPECT_EQ(partiDelForm(*f), c.attese);
    f->Unload();
  }
}

TEST_F(AmbienteQt, NomiERuoliDiOgniFinestraSuQt) {
  const std::string cartella = std::filesystem::temp_directory_path() / "velmo-nomi-ruoli";
  std::filesystem::create_directories(cartella);
  modGenerale.percorsoIni = cartella + "/Velmo.001";
  std::ofstream(modGenerale.percorsoIni, std::ios::binary) << impostazioni();
  for (const Caso& c : casi()) {
    SCOPED_TRACE(c.finestra);
    FrmGioco gioco;
    gioco.tmrWaveMp3.setInterval(22500);
    auto f = c.crea(gioco);
    f->Show();
    QWidget* finestra = p.finestra(*f);
    ASSERT_NE(finestra, nullptr);
    psubAttendi(0.3f);
    EXPECT_EQ(partiQt(QAccessible::queryAccessibleInterface(finestra)), c.attese);
    f->Unload();
    psubAttendi(0.05f);
  }
  std::filesystem::remove_all(cartella);
}

}  // namespace
}  // namespace velmo::test
