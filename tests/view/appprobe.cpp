// Poses the window for a look at it:
//   pose game.qln square [width height]
// a two-player game opened from the file, the window at the size given, a
// piece taken up on the square and held there;
//   look game.qln width height [hint | reply e2e4]
// the game opened against the computer at depth 5, the window at the size
// given (0 0 maximised, -1 -1 the start-up size), thinking about a hint or about its reply to the
// move. Both run until killed.
#include <QAction>
#include <QApplication>

#include "app/commandtable.h"
#include "app/filecommands.h"
#include "app/mainframe.h"
#include "app/tesselapp.h"
#include "computer/intelligence.h"
#include "tests/view/fakeprompter.h"
#include "tests/view/gamedriver.h"
#include "view/boardwidget.h"
#include "view/tesselview.h"

namespace {

constexpr int kNotPosed = 3;

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    FakePrompter prompter;
    CTesselApp app(prompter);
    if (arguments.size() < 2 || !app.InitInstance({arguments[0]})) return kNotPosed;
    CMainFrame& frame = *app.MainFrame();
    CTesselView& view = frame.View();

    if (arguments[1] == QLatin1String("pose") && arguments.size() > 3) {
        frame.Action(ID_PLAY_HUMANVSHUMAN)->trigger();
        if (!frame.Files().OpenDocumentFile(arguments[2])) return kNotPosed;
        if (arguments.size() > 5) frame.resize(arguments[4].toInt(), arguments[5].toInt());
        QApplication::processEvents();
        const QRect cell = view.CellRect(Sq(arguments[3].toLatin1().constData()));
        SendMouse(view.Board(), QEvent::MouseButtonPress, cell.center(), Qt::LeftButton);
        // The image a little off its square, as a hand would hold it.
        SendMouse(view.Board(), QEvent::MouseMove,
                  cell.center() + QPoint(cell.width(), cell.height()) / 4, Qt::LeftButton);
        return QApplication::exec();
    }
    if (arguments[1] == QLatin1String("look") && arguments.size() > 4) {
        if (!frame.Files().OpenDocumentFile(arguments[2])) return kNotPosed;
        const int width = arguments[3].toInt();
        if (width == 0) frame.showMaximized();
        if (width > 0) frame.resize(width, arguments[4].toInt());
        view.GetDocument().m_pEngine->m_outOfBook = true;
        frame.Action(ID_DEPTH_5)->trigger();
        if (arguments.value(5) == QLatin1String("hint")) frame.Action(ID_MOVE_HINT)->trigger();
        if (arguments.value(5) == QLatin1String("reply")) {
            const QByteArray move = arguments.value(6).toLatin1();
            Drag(view, move.left(2).constData(), move.mid(2).constData());
        }
        return QApplication::exec();
    }
    return kNotPosed;
}
