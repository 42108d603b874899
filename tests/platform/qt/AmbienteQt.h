#pragma once
// The real platform under test: one QApplication for the whole program (on
// the offscreen platform unless the environment names another), and a fresh
// general module on a PiattaformaQt for each test.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include "forms/ModGenerale.h"
#include "platform/qt/PiattaformaQt.h"

namespace velmo::test {

inline QApplication& applicazioneQt() {
  // Never destroyed: a window left by a failing test must not outlive it.
  static QApplication* app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nome[] = "test_platform";
    static char* argv[] = {nome, nullptr};
    return new QApplication(argc, argv);
  }();
  return *app;
}

class AmbienteQt : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { applicazioneQt(); }
  AmbienteQt() {
    modGenerale = ModGenerale{};
    modGenerale.piattaforma = &p;
  }
  ~AmbienteQt() override { modGenerale.piattaforma = nullptr; }

  // Processes events until the window is the active one (shortcuts need it).
  static bool attiva(QWidget* finestra) {
    finestra->activateWindow();
    QElapsedTimer t;
    t.start();
    while (QApplication::activeWindow() != finestra && t.elapsed() < 2000) QApplication::processEvents();
    return QApplication::activeWindow() == finestra;
  }

  PiattaformaQt p;
};

}  // namespace velmo::test
