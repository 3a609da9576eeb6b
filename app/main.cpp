#include <QApplication>
#include <cstdlib>

#include "app/tesselapp.h"
#include "view/messageboxprompter.h"

int main(int argc, char* argv[]) {
    {
        // --help, --version and --export-pgn are answered here, also where
        // there is no display.
        QCoreApplication commandLine(argc, argv);
        CTesselApp::AnswerWithoutDisplay(QCoreApplication::arguments());
    }
    QApplication application(argc, argv);
    MessageBoxPrompter prompter;
    CTesselApp app(prompter);
    if (!app.InitInstance(QApplication::arguments())) return EXIT_FAILURE;
    return QApplication::exec();
}
