#include "app/tesselapp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <cstdlib>

#include "app/aboutdlg.h"
#include "app/filecommands.h"
#include "app/mainframe.h"
#include "app/pgnfile.h"
#include "view/tesselview.h"

namespace {

const QString kIconResource = QStringLiteral(":/icons/quillon.svg");
const QString kExportPgnOption = QStringLiteral("export-pgn");

}  // namespace

namespace {

void DescribeCommandLine(QCommandLineParser& parser) {
    QCoreApplication::setApplicationName(QStringLiteral("quillon"));
    QCoreApplication::setApplicationVersion(AppVersion());
    parser.setApplicationDescription(
        QObject::tr("A chess game: play against the computer or "
                    "against another person at one board."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({kExportPgnOption,
                      QObject::tr("Print the saved game as PGN on standard output and exit."),
                      QObject::tr("game")});
    parser.addPositionalArgument(QStringLiteral("file"), QObject::tr("A saved game to open."),
                                 QStringLiteral("[file]"));
}

}  // namespace

void CTesselApp::AnswerWithoutDisplay(const QStringList& arguments) {
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    // The toolkit's own options are not known yet: errors wait for the full
    // parse.
    if (!parser.parse(arguments)) return;
    if (parser.isSet(QStringLiteral("help"))) parser.showHelp();
    if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
    if (parser.isSet(kExportPgnOption)) std::exit(PrintGameAsPgn(parser.value(kExportPgnOption)));
}

QString CTesselApp::ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    parser.process(arguments);
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QString() : files.constFirst();
}

CTesselApp::CTesselApp(Prompter& prompter) : m_prompter(prompter) {}

CTesselApp::~CTesselApp() = default;

bool CTesselApp::InitInstance(const QStringList& arguments) {
    const QString file = ParseCommandLine(arguments);

    m_mainFrame = std::make_unique<CMainFrame>(m_doc, m_prompter);
    QApplication::setWindowIcon(QIcon(kIconResource));
    m_mainFrame->setWindowIcon(QApplication::windowIcon());
    if (file.isEmpty()) {
        m_doc.OnNewDocument();
        m_mainFrame->View().ShowGameFromDocument();
    } else if (!m_mainFrame->Files().OpenDocumentFile(file)) {
        return false;
    }
    m_mainFrame->PlaceAtTopLeft();
    m_mainFrame->show();
    return true;
}
