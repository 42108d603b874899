// A file of the core or forms ring that reaches for Qt. The test that builds
// it passes only when the compiler cannot find the header: those rings do
// not see Qt.
#include <QObject>

int sonda() { return 0; }
