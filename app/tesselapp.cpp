#include "app/tesselapp.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <cstdio>
#include <cstdlib>

#include "app/aboutdlg.h"
#include "app/filecommands.h"
#include "app/mainframe.h"
#include "app/pgnfile.h"
#include "document/selfplay.h"
#include "view/tesselview.h"
#include "view/viewsettings.h"

namespace {

const QString kIconResource = QStringLiteral(":/icons/quillon.svg");
const QString kExportPgnOption = QStringLiteral("export-pgn");
const QString kGameOption = QStringLiteral("game");
const QString kSelfPlayOption = QStringLiteral("self-play");
const QString kTimeControlOption = QStringLiteral("time-control");
const QString kDepthOption = QStringLiteral("depth");
const QString kSkillOption = QStringLiteral("skill");
const QString kMaxMovesOption = QStringLiteral("max-moves");
constexpr int kUsageExitCode = 2;

// The toolkit's own options: it takes them off the command line only once it
// has started, which it cannot without a display.
const QStringList kToolkitOptionsWithValue = {QStringLiteral("platform"),
                                              QStringLiteral("platformpluginpath"),
                                              QStringLiteral("platformtheme"),
                                              QStringLiteral("plugin"),
                                              QStringLiteral("qwindowgeometry"),
                                              QStringLiteral("qwindowicon"),
                                              QStringLiteral("qwindowtitle"),
                                              QStringLiteral("session"),
                                              QStringLiteral("display"),
                                              QStringLiteral("name"),
                                              QStringLiteral("geometry"),
                                              QStringLiteral("title"),
                                              QStringLiteral("icon"),
                                              QStringLiteral("style"),
                                              QStringLiteral("stylesheet"),
                                              QStringLiteral("qmljsdebugger")};
const QStringList kToolkitFlags = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                   QStringLiteral("nograb"), QStringLiteral("dograb"),
                                   QStringLiteral("sync")};

void AddToolkitOption(QCommandLineParser& parser, const QString& name, bool takesValue) {
    QCommandLineOption option(name);
    if (takesValue) option.setValueName(name);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
}

void DescribeCommandLine(QCommandLineParser& parser) {
    QCoreApplication::setApplicationName(QStringLiteral("quillon"));
    QCoreApplication::setApplicationVersion(AppVersion());
    parser.setApplicationDescription(
        QObject::tr("A chess game: play against the computer or "
                    "against another person at one board."));
    // The toolkit's options are written with one dash: -platform offscreen.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({kExportPgnOption,
                      QObject::tr("Print the game (a saved game or a PGN file) as PGN on "
                                  "standard output and exit."),
                      QObject::tr("file")});
    parser.addOption({kGameOption,
                      QObject::tr("With --export-pgn, the game of a PGN file to print, "
                                  "counting from 1 (default 1)."),
                      QObject::tr("n"), QStringLiteral("1")});
    parser.addOption({kSelfPlayOption,
                      QObject::tr("Let the computer play one game against itself and print it "
                                  "as PGN on standard output."),
                      {}});
    parser.addOption({kTimeControlOption,
                      QObject::tr("Play with this time control: minutes per side and seconds "
                                  "a move, as 5+3, 5 or 40/90+30 (40 moves in 90 minutes)."),
                      QObject::tr("M+S")});
    parser.addOption({kDepthOption, QObject::tr("With --self-play, the search depth, 1 to 5."),
                      QObject::tr("n"), QStringLiteral("1")});
    parser.addOption({kSkillOption, QObject::tr("With --self-play, novice or expert."),
                      QObject::tr("skill"), QStringLiteral("expert")});
    parser.addOption({kMaxMovesOption,
                      QObject::tr("With --self-play, the most moves of each side."),
                      QObject::tr("n"), QStringLiteral("0")});
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QObject::tr("A saved game or a PGN file to open."),
                                 QStringLiteral("[file]"));
    for (const QString& name : kToolkitOptionsWithValue) AddToolkitOption(parser, name, true);
    for (const QString& name : kToolkitFlags) AddToolkitOption(parser, name, false);
}

[[noreturn]] void ExitWithUsage(const QCommandLineParser& parser, const QString& error) {
    std::fprintf(stderr, "%s\n\n%s", qPrintable(error), qPrintable(parser.helpText()));
    std::exit(kUsageExitCode);
}

// Parses the command line, or ends the program with the usage and status 2.
void ParseOrExit(QCommandLineParser& parser, const QStringList& arguments) {
    DescribeCommandLine(parser);
    if (!parser.parse(arguments)) ExitWithUsage(parser, parser.errorText());
    if (parser.isSet(kGameOption) && !parser.isSet(kExportPgnOption)) {
        ExitWithUsage(parser, QObject::tr("--game goes with --export-pgn."));
    }
    if (parser.isSet(kTimeControlOption) &&
        !ParseTimeControl(parser.value(kTimeControlOption).toStdString())) {
        ExitWithUsage(parser, QObject::tr("--time-control takes minutes 1 to 180 and seconds 0 "
                                          "to 60, as 5+3."));
    }
    for (const QString& option : {kDepthOption, kSkillOption, kMaxMovesOption}) {
        if (parser.isSet(option) && !parser.isSet(kSelfPlayOption)) {
            ExitWithUsage(parser, QObject::tr("--%1 goes with --self-play.").arg(option));
        }
    }
}

// The game number of --game, or ends the program with the usage.
int GameNumber(const QCommandLineParser& parser) {
    bool ok = false;
    const int number = parser.value(kGameOption).toInt(&ok);
    if (!ok || number < 1) ExitWithUsage(parser, QObject::tr("--game needs a number from 1."));
    return number;
}

}  // namespace

void CTesselApp::AnswerWithoutDisplay(const QStringList& arguments) {
    QCommandLineParser parser;
    ParseOrExit(parser, arguments);
    if (parser.isSet(QStringLiteral("help"))) parser.showHelp();
    if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
    if (parser.isSet(kExportPgnOption)) {
        std::exit(PrintGameAsPgn(parser.value(kExportPgnOption), GameNumber(parser)));
    }
    if (parser.isSet(kSelfPlayOption)) {
        const auto options = ReadSelfPlayOptions(parser.value(kTimeControlOption).toStdString(),
                                                 parser.value(kDepthOption).toStdString(),
                                                 parser.value(kSkillOption).toStdString(),
                                                 parser.value(kMaxMovesOption).toStdString());
        if (!options)
            ExitWithUsage(parser, QObject::tr("--self-play takes a time control as 5+3, "
                                              "a depth of 1 to 5, a skill of novice or "
                                              "expert and a number of moves."));
        std::exit(PrintSelfPlayGame(*options, PgnDateToday()));
    }
}

QString CTesselApp::ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    ParseOrExit(parser, arguments);
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QString() : files.constFirst();
}

CTesselApp::CTesselApp(Prompter& prompter) : m_prompter(prompter) {}

CTesselApp::~CTesselApp() = default;

TimeControl CTesselApp::StartTimeControl(const QStringList& arguments) {
    QCommandLineParser parser;
    ParseOrExit(parser, arguments);
    if (!parser.isSet(kTimeControlOption)) return LoadTimeControl();
    return ParseTimeControl(parser.value(kTimeControlOption).toStdString()).value_or(TimeControl{});
}

bool CTesselApp::InitInstance(const QStringList& arguments) {
    const QString file = ParseCommandLine(arguments);
    m_doc.m_timeControl = StartTimeControl(arguments);

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
