// Starts the application offscreen and ends it the way the first argument
// says, for tests that must watch the process end:
//   exit                      a move, then File > Exit
//   pose game.qln square [width height]
//                             a two-player game opened from the file, the
//                             window at the size given, a piece taken up on
//                             the square and held there, for a look at the
//                             window; runs until killed
// Every question asked is printed. Returning from main means the program
// did not end when it should have.
#include <QAction>
#include <QApplication>
#include <cstdio>

#include "app/commandtable.h"
#include "app/filecommands.h"
#include "app/mainframe.h"
#include "app/tesselapp.h"
#include "tests/view/fakeprompter.h"
#include "tests/view/gamedriver.h"
#include "view/tesselview.h"

namespace {

constexpr int kNotEnded = 3;

class PrintingPrompter : public FakePrompter {
public:
    Answer AskYesNoCancel(QWidget* parent, const QString& caption, const QString& text) override {
        std::printf("asked: %s\n", qPrintable(text));
        std::fflush(stdout);
        return FakePrompter::AskYesNoCancel(parent, caption, text);
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    PrintingPrompter prompter;
    CTesselApp app(prompter);
    if (arguments.size() < 2 || !app.InitInstance({arguments[0]})) return kNotEnded;
    CMainFrame& frame = *app.MainFrame();
    CTesselView& view = frame.View();

    if (arguments[1] == QLatin1String("exit")) {
        frame.Action(ID_PLAY_HUMANVSHUMAN)->trigger();
        if (!PlayMoves(view, {"e2e4"})) return kNotEnded;
        frame.Action(ID_APP_EXIT)->trigger();
    } else if (arguments[1] == QLatin1String("pose") && arguments.size() > 3) {
        frame.Action(ID_PLAY_HUMANVSHUMAN)->trigger();
        if (!frame.Files().OpenDocumentFile(arguments[2])) return kNotEnded;
        if (arguments.size() > 5) frame.resize(arguments[4].toInt(), arguments[5].toInt());
        QApplication::processEvents();
        const QRect cell = view.CellRect(Sq(arguments[3].toLatin1().constData()));
        SendMouse(view, QEvent::MouseButtonPress, cell.center(), Qt::LeftButton);
        // The image a little off its square, as a hand would hold it.
        SendMouse(view, QEvent::MouseMove, cell.center() + QPoint(cell.width(), cell.height()) / 4,
                  Qt::LeftButton);
        return QApplication::exec();
    }
    return kNotEnded;
}
